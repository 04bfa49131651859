// The transparent colour, the shortcut name and the no-shortcut flag, through their
// controls; the responder plays the colour dialog.
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <optional>

#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "tests/personalisation/panel_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"
#include "tests/support/widget_access.h"

namespace {

namespace fs = std::filesystem;
using tw_test::ReadBytes;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;

constexpr char16_t kColorSet[] = u"新的启动画面及背景图片透明颜色设置成功！";
constexpr char16_t kColorReset[] = u"默认启动画面及背景图片透明颜色已经恢复！";
constexpr char16_t kNameSaved[] = u"快捷方式名称已经指定，软件安装后将以此名称生成桌面快捷方式！";
constexpr char16_t kNameReset[] = u"快捷方式名称已经恢复，软件安装后将生成默认名称的桌面快捷方式！";
constexpr char16_t kFlagWritten[] = u"已经禁止安装操作生成“翻译及个性化”快捷方式！";
constexpr char16_t kFlagDeleted[] = u"已经允许安装操作生成“翻译及个性化”快捷方式！";
const fs::path kShortcutNameFile = u8"软件名称.txt";
const fs::path kFlagFile = "config/noLocalizeIco.txt";

// The stored colour text; "none" without the key.
std::u16string StoredColor() {
    std::array<char16_t, 64> buffer{};
    GetPrivateProfileStringW(u"trademark", u"transparent", u"none", buffer.data(),
                             static_cast<DWORD>(buffer.size()), u".\\config\\static.ini");
    return buffer.data();
}

using TransparentColor = tw_test::PanelTest;

TEST_F(TransparentColor, TheChosenColourIsStoredAsItsColorref) {
    struct Case {
        const char* name;
        COLORREF chosen;
        std::u16string want;
    };
    const Case cases[] = {
        {"red is the low byte", 0x000000FF, u"255"},
        {"white", 0x00FFFFFF, u"16777215"},
        {"blue is the high byte", 0x00FF0000, u"16711680"},
        {"black", 0x00000000, u"0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        responder.colorAnswers.push_back({IDOK, c.chosen});
        Click(IDC_SELECT_TRANSPARENT_COLOR);
        EXPECT_EQ(StoredColor(), c.want);
        EXPECT_EQ(ControlText(IDC_TRANSPARENT_COLOR), c.want);
        EXPECT_EQ(Messages(), std::vector<std::u16string>{kColorSet});
        // Without the key the dialog opened on black, the custom colours shown.
        ASSERT_EQ(responder.colorDialogs.size(), 1u);
        EXPECT_EQ(responder.colorDialogs[0].color, 0u);
        EXPECT_EQ(responder.colorDialogs[0].flags & (CC_RGBINIT | CC_FULLOPEN),
                  CC_RGBINIT | CC_FULLOPEN);
    }
}

TEST_F(TransparentColor, TheDialogOpensOnTheStoredColour) {
    WriteBytes("config/static.ini", "[trademark]\r\ntransparent=65280\r\n");
    responder.colorAnswers.push_back({IDOK, 0x000000FF});
    Click(IDC_SELECT_TRANSPARENT_COLOR);
    ASSERT_EQ(responder.colorDialogs.size(), 1u);
    EXPECT_EQ(responder.colorDialogs[0].color, 0x0000FF00u);
    EXPECT_EQ(StoredColor(), u"255");
}

TEST_F(TransparentColor, ACancelledDialogChangesNothing) {
    WriteBytes("config/static.ini", "[trademark]\r\ntransparent=65280\r\n");
    dialog->GetDlgItem(IDC_TRANSPARENT_COLOR)->SetWindowText(u"typed");
    Click(IDC_SELECT_TRANSPARENT_COLOR);  // an empty script cancels
    EXPECT_EQ(responder.colorDialogs.size(), 1u);
    EXPECT_EQ(ReadBytes("config/static.ini"), "[trademark]\r\ntransparent=65280\r\n");
    EXPECT_EQ(ControlText(IDC_TRANSPARENT_COLOR), u"typed");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TransparentColor, DefaultStoresWhiteAlsoWithoutTheKey) {
    WriteBytes("config/static.ini", "[translate]\r\nsystem-language-code=936\r\n");
    Click(IDC_DEFAULT_TRANSPARENT_COLOR);
    EXPECT_EQ(StoredColor(), u"16777215");
    EXPECT_EQ(ControlText(IDC_TRANSPARENT_COLOR), u"16777215");
    EXPECT_EQ(Messages(), std::vector<std::u16string>{kColorReset});
}

using ShortcutName = tw_test::PanelTest;

TEST_F(ShortcutName, SaveStoresTheEditsWholeTextInUtf16) {
    struct Case {
        const char* name;
        QString typed;
        std::u16string stored;
    };
    const Case cases[] = {
        {"a name", QStringLiteral("Corvantis 管理中心"), u"Corvantis 管理中心"},
        {"blanks are kept", QStringLiteral("  名称 "), u"  名称 "},
        {"empty: the mark alone", QString(), u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        auto* edit = static_cast<QLineEdit*>(WidgetOfControl(dialog->m_hWnd, IDC_SHORTCUT_NAME));
        edit->setText(c.typed);
        Click(IDC_SAVE_SHORTCUT_NAME);
        EXPECT_EQ(ReadBytes(kShortcutNameFile), Utf16LeFile(c.stored));
        EXPECT_EQ(Messages(), std::vector<std::u16string>{kNameSaved});
    }
}

TEST_F(ShortcutName, DefaultStoresCorvantisAndLeavesTheEditAlone) {
    dialog->GetDlgItem(IDC_SHORTCUT_NAME)->SetWindowText(u"旧名称");
    Click(IDC_DEFAULT_SHORTCUT_NAME);
    EXPECT_EQ(ReadBytes(kShortcutNameFile), Utf16LeFile(u"Corvantis"));
    EXPECT_EQ(ControlText(IDC_SHORTCUT_NAME), u"旧名称");
    Click(IDC_SAVE_SHORTCUT_NAME);
    EXPECT_EQ(ReadBytes(kShortcutNameFile), Utf16LeFile(u"旧名称"));
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{kNameReset, kNameSaved}));
}

// The start-up reads back what was saved.
TEST_F(ShortcutName, TheNextStartShowsTheSavedName) {
    dialog->GetDlgItem(IDC_SHORTCUT_NAME)->SetWindowText(u"繁體名稱");
    Click(IDC_SAVE_SHORTCUT_NAME);
    CTarnwellDlg next;
    ASSERT_TRUE(next.Create());
    EXPECT_EQ(GetDlgItemWString(IDC_SHORTCUT_NAME, &next), u"繁體名稱");
}

// A disk that fills up while the name is written: the old name stays whole.
TEST_F(ShortcutName, ASaveThatFailsMidwayKeepsTheOldName) {
    WriteBytes(kShortcutNameFile, Utf16LeFile(u"OldName"));
    dialog->GetDlgItem(IDC_SHORTCUT_NAME)->SetWindowText(std::u16string(3000, u'名').c_str());
    {
        const tw_test::FileSizeLimit fullDisk(4096);
        Click(IDC_SAVE_SHORTCUT_NAME);
    }
    {
        const tw_test::FileSizeLimit fullDisk(8);
        Click(IDC_DEFAULT_SHORTCUT_NAME);
    }
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{u"操作失败", u"操作失败"}));
    EXPECT_EQ(ReadBytes(kShortcutNameFile), Utf16LeFile(u"OldName"));
    EXPECT_FALSE(fs::exists(u8"软件名称.txt.tarnwell-new"));
    ReopenDialog();
    EXPECT_EQ(ControlText(IDC_SHORTCUT_NAME), u"OldName");
}

using NoShortcutFlag = tw_test::PanelTest;

TEST_F(NoShortcutFlag, TwoClicksWriteThenDeleteTheFlagFile) {
    struct Case {
        const char* name;
        bool present;
    };
    for (const Case& c : {Case{"no flag file", false}, Case{"a flag file present", true}}) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        if (c.present) {
            WriteBytes(kFlagFile, "old");
            ReopenDialog();
        }
        auto* box = static_cast<QCheckBox*>(WidgetOfControl(dialog->m_hWnd, IDC_NO_SHORTCUT));
        EXPECT_FALSE(box->isChecked());  // whatever the file says

        Click(IDC_NO_SHORTCUT);
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(ReadBytes(kFlagFile), "1");
        Click(IDC_NO_SHORTCUT);
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(fs::exists(kFlagFile));
        EXPECT_EQ(Messages(), (std::vector<std::u16string>{kFlagWritten, kFlagDeleted}));
    }
}

// A change that cannot be stored leaves the flag as it was, whole, and the box shows it.
TEST_F(NoShortcutFlag, AFailedChangeShowsWhatIsStored) {
    struct Case {
        const char* name;
        bool present;         // a flag file before the click
        bool readOnlyFolder;  // config/ read-only
        std::optional<std::uint64_t> fileSizeLimit;
    };
    const Case cases[] = {
        {"written on a full disk", false, false, 0},
        {"written into a read-only folder", false, true, std::nullopt},
        {"deleted from a read-only folder", true, true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        auto* box = static_cast<QCheckBox*>(WidgetOfControl(dialog->m_hWnd, IDC_NO_SHORTCUT));
        if (c.present) {
            WriteBytes(kFlagFile, "1");
            box->setChecked(true);  // as clicked before
        }
        if (c.readOnlyFolder) {
            tw_test::MakeReadOnly("config");
        }
        {
            const tw_test::FileSizeLimit limit(c.fileSizeLimit);
            Click(IDC_NO_SHORTCUT);
        }
        EXPECT_EQ(Messages(), std::vector<std::u16string>{u"操作失败"});
        EXPECT_EQ(box->isChecked(), c.present);
        EXPECT_EQ(fs::exists(kFlagFile), c.present);
        if (c.present) {
            EXPECT_EQ(ReadBytes(kFlagFile), "1");
        }
        fs::permissions("config", fs::perms::owner_all, fs::perm_options::add);
        EXPECT_EQ(std::distance(fs::directory_iterator("config"), fs::directory_iterator()),
                  c.present ? 1 : 0)
            << "no temporary file left";
    }
}

TEST_F(NoShortcutFlag, UncheckingWithoutAFlagFileIsHarmless) {
    dialog->GetDlgItem(IDC_NO_SHORTCUT)->SendMessage(BM_SETCHECK, BST_CHECKED);
    Click(IDC_NO_SHORTCUT);
    EXPECT_FALSE(fs::exists(kFlagFile));
    EXPECT_EQ(Messages(), std::vector<std::u16string>{kFlagDeleted});
}

}  // namespace
