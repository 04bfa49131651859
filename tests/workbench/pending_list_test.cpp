#include <gtest/gtest.h>

#include <QCheckBox>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/mfc/resource_module.h"
#include "platform/win32/crt_misc.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/fixed_time.h"
#include "tests/support/temp_folder.h"
#include "tests/workbench/product_folder_driver.h"
#include "workbench/tarnwell_dlg.h"

namespace {

namespace fs = std::filesystem;
using tw_test::FixtureBytes;
using tw_test::ReadBytes;
using tw_test::Snapshot;
using tw_test::TakeSnapshot;
using tw_test::WriteBytes;

constexpr char16_t kStaticIni[] = u".\\config\\static.ini";
constexpr char16_t kShowAllQuestion[] =
    u"要显示所有待翻译资源？此操作将删除原来收集的待翻译资源，确定要继续吗？";
constexpr char16_t kClearQuestion[] =
    u"注意清空待翻译资源后，运行主软件后涉及到的界面资源将自动重新添加到待翻译资源中。"
    u"确实要清空当前的待翻译资源？";
constexpr char16_t kDeleteQuestion[] = u"确实要删除所有翻译结果？";
constexpr char16_t kSucceeded[] = u"操作成功，请重新启动软件！";

class PendingListTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TarnwellResources());
        tw_test::CopyProductFixture();
    }

    struct Outcome {
        std::vector<MessageBoxRequest> boxes;
        bool open;
        bool rowsKept;  // the list shows the rows it showed before
    };

    // Opens the dialog, presses the button and answers its question.
    static Outcome Press(int button, int answer) {
        ScriptedResponder responder;
        responder.answers = {answer};
        ScopedDialogResponder scoped(responder);
        CTarnwellDlg dialog;
        EXPECT_TRUE(dialog.Create());
        const int rows = dialog.m_list.GetItemCount();
        tw_test::Click(dialog, button);
        return {responder.messageBoxes, tw_test::IsOpen(dialog),
                dialog.m_list.GetItemCount() == rows};
    }

    // The question, then the outcome (when yes was answered).
    static void ExpectBoxes(const Outcome& outcome, const char16_t* question,
                            std::optional<std::u16string> result) {
        ASSERT_EQ(outcome.boxes.size(), result ? 2u : 1u);
        EXPECT_EQ(outcome.boxes[0].text, question);
        EXPECT_EQ(outcome.boxes[0].type, MB_YESNO);
        if (result) {
            EXPECT_EQ(outcome.boxes[1].text, *result);
            EXPECT_EQ(outcome.boxes[1].type, MB_OK);
        }
    }

    tw_test::TempFolder folder_;
};

TEST_F(PendingListTest, AnyAnswerButYesChangesNothing) {
    const std::pair<int, const char16_t*> buttons[] = {
        {IDC_SHOW_ALL_PENDING, kShowAllQuestion},
        {IDC_CLEAR_PENDING, kClearQuestion},
        {IDC_DELETE_ALL_TRANSLATIONS, kDeleteQuestion},
    };
    const Snapshot before = TakeSnapshot();
    for (const auto& [button, question] : buttons) {
        SCOPED_TRACE(button);
        const Outcome outcome = Press(button, IDNO);
        ExpectBoxes(outcome, question, std::nullopt);
        EXPECT_TRUE(outcome.open);
        EXPECT_EQ(TakeSnapshot(), before);
    }
}

TEST_F(PendingListTest, ShowAllPutsTheFullResourceListInThePendingFilesPlace) {
    struct Case {
        const char* name;
        std::function<void()> prepare;
        bool succeeds;
    };
    const Case cases[] = {
        {"a pending file", [] {}, true},
        {"no pending file", [] { fs::remove("config/res.todo.txt"); }, true},
        {"no full resource list", [] { fs::remove("config/res.todo.all"); }, false},
        {"a pending file that may not be replaced",
         [] { tw_test::MakeReadOnly("config/res.todo.txt"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder caseFolder;
        tw_test::CopyProductFixture();
        c.prepare();
        Snapshot want = TakeSnapshot();

        const Outcome outcome = Press(IDC_SHOW_ALL_PENDING, IDYES);
        ExpectBoxes(outcome, kShowAllQuestion, c.succeeds ? kSucceeded : u"操作失败");
        EXPECT_EQ(outcome.open, !c.succeeds);
        EXPECT_TRUE(outcome.rowsKept);
        if (c.succeeds) {
            want["config/res.todo.txt"] = FixtureBytes("config/res.todo.all");
        }
        EXPECT_EQ(TakeSnapshot(), want);
    }
}

TEST_F(PendingListTest, ClearArchivesThePendingFileUnderTheTime) {
    struct Case {
        const char* name;
        std::int64_t now;
        std::function<void()> prepare;
        const char* archive;  // null: the move fails
    };
    const Case cases[] = {
        {"archived", 1700000000, [] {}, "config/res.todo-1700000000.txt"},
        {"the low 32 bits of the time", (std::int64_t{1} << 32) + 42, [] {},
         "config/res.todo-0000000042.txt"},
        {"an archive of the same second", 1700000000,
         [] { WriteBytes("config/res.todo-1700000000.txt", "archived earlier"); }, nullptr},
        {"no pending file", 1700000000, [] { fs::remove("config/res.todo.txt"); }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder caseFolder;
        tw_test::CopyProductFixture();
        c.prepare();
        Snapshot want = TakeSnapshot();

        const ScopedFixedTime64 clock(c.now);  // names the pending archive
        const Outcome outcome = Press(IDC_CLEAR_PENDING, IDYES);
        ExpectBoxes(outcome, kClearQuestion,
                    c.archive != nullptr ? kSucceeded : u"没有数据或者操作失败！");
        EXPECT_EQ(outcome.open, c.archive == nullptr);
        EXPECT_TRUE(outcome.rowsKept);
        if (c.archive != nullptr) {
            want[c.archive] = want.at("config/res.todo.txt");
            want.erase("config/res.todo.txt");
        }
        EXPECT_EQ(TakeSnapshot(), want);
    }
}

TEST_F(PendingListTest, DeleteAllRemovesBothTranslationFilesAndNothingElse) {
    struct Case {
        const char* name;
        std::function<void()> prepare;
        bool succeeds;
    };
    const Case cases[] = {
        {"both files", [] {}, true},
        {"neither file",
         [] {
             fs::remove("config/res.txt");
             fs::remove("data/data.ini");
         },
         true},
        {"a translation file that may not be deleted",
         [] { tw_test::MakeReadOnly("config/res.txt"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder caseFolder;
        tw_test::CopyProductFixture();
        WriteBytes("config/res_950.txt", "per-language copy");
        WriteBytes("data/data_950.ini", "per-language copy");
        c.prepare();
        Snapshot want = TakeSnapshot();

        const Outcome outcome = Press(IDC_DELETE_ALL_TRANSLATIONS, IDYES);
        ExpectBoxes(outcome, kDeleteQuestion, c.succeeds ? kSucceeded : u"操作失败");
        EXPECT_EQ(outcome.open, !c.succeeds);
        if (c.succeeds) {
            want.erase("config/res.txt");
        }
        want.erase("data/data.ini");
        EXPECT_EQ(TakeSnapshot(), want);
    }
}

TEST_F(PendingListTest, TheTranslationSwitchWritesAllThreeKeysOnEveryClick) {
    const auto keys = [] {
        std::vector<std::u16string> values;
        for (const char16_t* key :
             {u"enable-dlg-translate", u"enable-code-translate", u"res-create-missing-file"}) {
            values.push_back(tw_test::ProfileValue(u"translate", key, kStaticIni));
        }
        return values;
    };
    const std::vector<std::u16string> on{u"1", u"1", u"1"};
    const std::vector<std::u16string> off{u"0", u"0", u"0"};
    // 1, 1, 0 starts the check box clear: one click switches all three on.
    WritePrivateProfileStringW(u"translate", u"res-create-missing-file", u"0", kStaticIni);

    ScriptedResponder responder;
    ScopedDialogResponder scoped(responder);
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    auto* check = static_cast<QCheckBox*>(WidgetOfControl(dialog.m_hWnd, IDC_ENABLE_TRANSLATION));
    ASSERT_FALSE(check->isChecked());
    tw_test::Click(dialog, IDC_ENABLE_TRANSLATION);
    EXPECT_EQ(dialog.m_enableTranslation, 1);
    EXPECT_EQ(keys(), on);
    tw_test::Click(dialog, IDC_ENABLE_TRANSLATION);
    EXPECT_EQ(dialog.m_enableTranslation, 0);
    EXPECT_EQ(keys(), off);
    tw_test::Click(dialog, IDC_ENABLE_TRANSLATION);
    EXPECT_EQ(keys(), on);
    EXPECT_TRUE(responder.messageBoxes.empty());
    EXPECT_TRUE(tw_test::IsOpen(dialog));
}

// Keys that cannot be written: "操作失败", and the box goes back to what is stored.
TEST_F(PendingListTest, ATranslationSwitchThatCannotBeStoredSetsTheBoxBack) {
    struct Case {
        const char* name;
        const char16_t* createMissing;  // the third key; the other two are 1
        bool checked;                   // the box, as stored
    };
    const Case cases[] = {
        {"on", u"1", true},
        {"off: one key of three is 0", u"0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder caseFolder;
        tw_test::CopyProductFixture();
        WritePrivateProfileStringW(u"translate", u"res-create-missing-file", c.createMissing,
                                   kStaticIni);
        tw_test::MakeReadOnly("config/static.ini");
        const std::string stored = ReadBytes("config/static.ini");

        ScriptedResponder responder;
        ScopedDialogResponder scoped(responder);
        CTarnwellDlg dialog;
        ASSERT_TRUE(dialog.Create());
        auto* check =
            static_cast<QCheckBox*>(WidgetOfControl(dialog.m_hWnd, IDC_ENABLE_TRANSLATION));
        ASSERT_EQ(check->isChecked(), c.checked);
        tw_test::Click(dialog, IDC_ENABLE_TRANSLATION);
        EXPECT_EQ(tw_test::Texts(responder), std::vector<std::u16string>{u"操作失败"});
        EXPECT_EQ(check->isChecked(), c.checked);
        EXPECT_EQ(dialog.m_enableTranslation, c.checked ? 1 : 0);
        EXPECT_EQ(ReadBytes("config/static.ini"), stored);
        EXPECT_TRUE(tw_test::IsOpen(dialog));
    }
}

// Keys that are missing are added in their order, after the section's last key.
TEST_F(PendingListTest, TheTranslationSwitchAddsMissingKeysInOrder) {
    WriteBytes("config/static.ini", "[translate]\r\nsystem-language-code=936\r\n[dialog]\r\n");
    ScriptedResponder responder;
    ScopedDialogResponder scoped(responder);
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    tw_test::Click(dialog, IDC_ENABLE_TRANSLATION);
    EXPECT_EQ(ReadBytes("config/static.ini"),
              "[translate]\r\nsystem-language-code=936\r\nenable-dlg-translate=1\r\n"
              "enable-code-translate=1\r\nres-create-missing-file=1\r\n[dialog]\r\n");
    EXPECT_TRUE(responder.messageBoxes.empty());
}

}  // namespace
