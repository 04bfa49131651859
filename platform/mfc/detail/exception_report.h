// The error box that the class library shows for an exception that left a handler.
#pragma once

namespace mfc_detail {

// Shows the exception being handled (call inside a catch block) in an OK box.
void ReportCurrentException();

}  // namespace mfc_detail
