// Profile writes held by a ProfileWriteBatch, and the flush that the seam below the
// stand-ins (file_system.h, file_store.h) makes before every call that reads or changes
// files, so that no reader sees a file without them and no profile read trusts a check
// that the call may have made untrue. Calls made by the profile files themselves, from
// inside their own work, flush nothing.
#pragma once

#include <string>

namespace win32::detail {

// Writes every held profile change to its file, and ends the trust of an open read
// scope in its checks. A file that cannot be written keeps its old bytes; the failure is
// remembered and reported by the batch's Flush().
void FlushPendingProfileWrites();

// Whether an open batch holds writes for the file. To the batch's writer such a file
// exists, flushed or not, so a call that only asks whether an entry exists or may be
// written needs no flush: held writes change neither answer. This keeps a batch whose
// writer tests the file's existence before each write linear.
bool ProfileBatchHolds(const std::string& nativePath);

}  // namespace win32::detail
