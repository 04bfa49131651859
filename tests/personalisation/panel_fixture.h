// The personalisation panel under test: the main dialog offscreen in a product folder
// of its own, from which the test's ACE.dll is loaded, so that RestoreWorkingFolder
// enters it. The responder answers the dialogs and message boxes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/message_box.h"
#include "tests/support/dialog_responders.h"
#include "workbench/tarnwell_dlg.h"

namespace tw_test {

// Answers like a Windows file dialog without OFN_NOCHANGEDIR: it leaves the current
// directory in the folder of the pictures to choose from.
class WanderingResponder : public ScriptedResponder {
  public:
    FileDialogAnswer AnswerFileDialog(const FileDialogRequest& request) override;
};

class PanelTest : public testing::Test {
  protected:
    // Installs the responder, then starts afresh.
    void SetUp() override;
    // Closes the dialog, gives the folder its write bits back, leaves it.
    void TearDown() override;
    // The product folder, emptied but for ACE.dll and an empty config folder, and
    // entered; an empty folder of pictures beside it; a new dialog, shown; a responder with nothing
    // recorded.
    void StartAfresh();
    // A new dialog on the folder as it is.
    void ReopenDialog();

    static std::filesystem::path ProductFolder();
    static std::filesystem::path PictureFolder();
    // A file of the picture folder, Windows-style, as a file dialog gives it.
    static std::u16string ChosenPath(const std::string& name);

    // A mouse click on the dialog's control.
    void Click(int id);
    std::u16string ControlText(int id);
    // The texts of the message boxes shown so far.
    std::vector<std::u16string> Messages() const;
    // Every entry of the product folder, ACE.dll excepted, read-only.
    static void MakeProductReadOnly();

    WanderingResponder responder;
    std::unique_ptr<CTarnwellDlg> dialog;

  private:
    std::unique_ptr<ScopedDialogResponder> installed_;
    std::filesystem::path previous_;
};

}  // namespace tw_test
