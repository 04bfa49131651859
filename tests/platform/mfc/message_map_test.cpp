#include "platform/mfc/message_map.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/mfc/message_box.h"
#include "platform/mfc/winapp.h"
#include "tests/platform/mfc/test_dialog.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/widget_access.h"

namespace {

class HelpApp : public CWinApp {
  public:
    const AFX_MSGMAP* GetMessageMap() const override {
        static const AFX_MSGMAP_ENTRY entries[] = {ON_COMMAND(ID_HELP, &HelpApp::OnHelpCommand)};
        static const AFX_MSGMAP map{CWinApp::GetMessageMap(), entries};
        return &map;
    }
    int helpCalls = 0;

  private:
    void OnHelpCommand() { ++helpCalls; }
};

class MessageMapTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TestResources());
        ASSERT_TRUE(dialog.Create());
    }
    TestDialog dialog;
    ScriptedResponder responder;
    ScopedDialogResponder scope{responder};
};

TEST_F(MessageMapTest, AnExceptionFromAHandlerIsShownAndTheDialogStaysUsable) {
    QTest::mouseClick(WidgetOfControl(dialog.m_hWnd, kThrowButton), Qt::LeftButton);
    ASSERT_EQ(responder.messageBoxes.size(), 1u);
    EXPECT_EQ(responder.messageBoxes[0].text, u"内存不足。");
    EXPECT_EQ(responder.messageBoxes[0].type, MB_OK | MB_ICONEXCLAMATION);

    QTest::mouseClick(WidgetOfControl(dialog.m_hWnd, kCheck), Qt::LeftButton);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"throw", "check"}));
}

TEST_F(MessageMapTest, CommandsTheDialogLeavesGoToTheApplication) {
    HelpApp app;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, BN_CLICKED), 0);
    EXPECT_EQ(app.helpCalls, 1);
    // A row of the dialog's own map wins.
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(kCheck, BN_CLICKED), 0);
    EXPECT_EQ(dialog.events, std::vector<std::string>{"check"});
    EXPECT_EQ(app.helpCalls, 1);
}

TEST_F(MessageMapTest, MessagesWithoutARowGetTheWindowsDefault) {
    // WM_SETTEXT reaches the dialog's default handling: its caption.
    dialog.SetWindowText(u"新标题");
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, u"新标题");
    EXPECT_EQ(SendMessageW(nullptr, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST(MessageBox, TheResponderRecordsAndAnswersInPlaceOfTheUser) {
    ScriptedResponder responder;
    responder.answers = {IDYES};
    {
        ScopedDialogResponder scope(responder);
        EXPECT_EQ(AfxMessageBox(u"确实要删除所有翻译结果？", MB_YESNO), IDYES);
        EXPECT_EQ(AfxMessageBox(u"再问一次？", MB_YESNO), IDNO);  // the script is used up
        EXPECT_EQ(AfxMessageBox(u"操作成功，请重新启动软件！"), IDOK);
    }
    ASSERT_EQ(responder.messageBoxes.size(), 3u);
    EXPECT_EQ(responder.messageBoxes[0].caption, u"mfc_window_test");
    EXPECT_EQ(responder.messageBoxes[0].type, MB_YESNO);
    EXPECT_EQ(responder.messageBoxes[2].text, u"操作成功，请重新启动软件！");
    EXPECT_EQ(responder.messageBoxes[2].type, MB_OK);
}

TEST(ComboBox, ItemsValuesAndSelectionByPrefix) {
    AfxSetResourceHandle(TestResources());
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CWnd* combo = dialog.GetDlgItem(kCombo);
    const auto insert = [&](WPARAM at, const char16_t* text) {
        return combo->SendMessage(CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text));
    };
    EXPECT_EQ(insert(0, u"English"), 0);
    EXPECT_EQ(insert(1, u"简体中文"), 1);
    EXPECT_EQ(insert(static_cast<WPARAM>(-1), u"繁體中文"), 2);
    EXPECT_EQ(insert(9, u"x"), CB_ERR);
    // Inserting selects nothing.
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(combo->SendMessage(CB_GETCOUNT), 3);

    EXPECT_EQ(combo->SendMessage(CB_SETITEMDATA, 1, 936), 0);
    EXPECT_EQ(combo->SendMessage(CB_GETITEMDATA, 1), 936);
    EXPECT_EQ(combo->SendMessage(CB_GETITEMDATA, 5), CB_ERR);

    EXPECT_EQ(combo->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(u"eng")),
              0);  // a prefix, without regard to case
    EXPECT_EQ(combo->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(u"日本")),
              CB_ERR);
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 0);  // unchanged
    CString text;
    combo->GetWindowText(text);
    EXPECT_EQ(text, u"English");
    EXPECT_EQ(combo->SendMessage(CB_SETCURSEL, 2), 2);
    EXPECT_EQ(combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1)), CB_ERR);
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), CB_ERR);
}

class ExitCodeApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        argc = __argc;
        return FALSE;
    }
    int ExitInstance() override { return 3; }
    int argc = 0;
};

TEST(WinApp, StartUpRunsInitInstanceThenExitInstanceWhoseValueIsTheStatus) {
    ExitCodeApp app;
    char name[] = "tarnwell";
    char argument[] = "x";
    char* argv[] = {name, argument, nullptr};
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxWinMain(TestResources(), 2, argv), 3);
    EXPECT_EQ(app.argc, 2);  // the program name counts
    EXPECT_EQ(AfxGetResourceHandle(), TestResources());
}

}  // namespace
