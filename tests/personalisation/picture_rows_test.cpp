// The picture rows, through their buttons; the responder plays the file dialog.
#include <QWidget>
#include <filesystem>

#include "resources/resource.h"
#include "tests/personalisation/panel_fixture.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_access.h"

namespace {

namespace fs = std::filesystem;
using tw_test::ReadBytes;
using tw_test::WriteBytes;

struct Row {
    const char* name;
    int select;
    int restore;
    fs::path picture;
    std::u16string filter;
    std::u16string extension;
    std::u16string restoredMessage;
};

const Row kSplash{"splash",
                  IDC_SELECT_SPLASH,
                  IDC_DEFAULT_SPLASH,
                  "config/loading.bmp",
                  u"BMP Files(*.bmp)|*.bmp||",
                  u".bmp",
                  u"启动画面恢复成功！"};
const Row kBackground{"background",         IDC_SELECT_BACKGROUND,       IDC_DEFAULT_BACKGROUND,
                      "config/bg.jpg",      u"JPG Files(*.jpg)|*.jpg||", u".jpg",
                      u"背景图片恢复成功！"};
const Row kAgentIcon{"agent icon",
                     IDC_SELECT_AGENT_ICON,
                     IDC_DEFAULT_AGENT_ICON,
                     "agent.bmp",
                     u"BMP Files(*.bmp)|*.bmp||",
                     u".bmp",
                     u"代理商图标文件已经恢复！"};
const Row kVisibleRows[] = {kSplash, kBackground, kAgentIcon};

// Bytes that a text-mode copy would change.
const std::string kOriginal("original\0\r\n\x1A picture", 21);
const std::string kFirst("first\0\r\n chosen", 15);
const std::string kSecond("second\n\x1A chosen", 15);

fs::path Backup(const Row& row) {
    return row.picture.string() + ".bak";
}

class PictureRows : public tw_test::PanelTest {
  protected:
    // The user picks the picture folder's file.
    void Choose(const Row& row, const std::string& file) {
        responder.fileAnswers.push_back({IDOK, ChosenPath(file)});
        Click(row.select);
    }
};

TEST_F(PictureRows, NoReplacementWithoutABackup) {
    WriteBytes(kSplash.picture, kOriginal);
    WriteBytes(PictureFolder() / "first.bin", kFirst);
    fs::create_directories(Backup(kSplash));  // the backup cannot be written
    Choose(kSplash, "first.bin");
    EXPECT_EQ(ReadBytes(kSplash.picture), kOriginal);
    EXPECT_EQ(Messages(), (std::vector<std::u16string>{u"操作失败"}));
}

TEST_F(PictureRows, TwoSelectsKeepTheFirstBackup) {
    for (const Row& row : kVisibleRows) {
        SCOPED_TRACE(row.name);
        StartAfresh();
        WriteBytes(row.picture, kOriginal);
        WriteBytes(PictureFolder() / "first.bin", kFirst);
        WriteBytes(PictureFolder() / "second.bin", kSecond);

        Choose(row, "first.bin");
        EXPECT_EQ(fs::current_path(), ProductFolder());
        Choose(row, "second.bin");

        EXPECT_EQ(ReadBytes(Backup(row)), kOriginal);
        EXPECT_EQ(ReadBytes(row.picture), kSecond);
        EXPECT_EQ(ReadBytes(PictureFolder() / "second.bin"), kSecond);
        EXPECT_EQ(Messages(), (std::vector<std::u16string>{u"文件已经替换！", u"文件已经替换！"}));
        EXPECT_EQ(fs::current_path(), ProductFolder());
        ASSERT_EQ(responder.fileDialogs.size(), 2u);
        const FileDialogRequest& asked = responder.fileDialogs[0];
        EXPECT_EQ(asked.openFileDialog, TRUE);
        EXPECT_EQ(asked.defaultExtension, row.extension);
        EXPECT_EQ(asked.fileName, u"");
        EXPECT_EQ(asked.flags, 6u);
        EXPECT_EQ(asked.filter, row.filter);
    }
}

TEST_F(PictureRows, SelectDefaultSelectKeepsTheBackup) {
    for (const Row& row : kVisibleRows) {
        SCOPED_TRACE(row.name);
        StartAfresh();
        WriteBytes(row.picture, kOriginal);
        WriteBytes(PictureFolder() / "first.bin", kFirst);
        WriteBytes(PictureFolder() / "second.bin", kSecond);

        Choose(row, "first.bin");
        Click(row.restore);
        EXPECT_EQ(ReadBytes(row.picture), kOriginal);
        Click(row.restore);  // the backup is not used up
        EXPECT_EQ(ReadBytes(row.picture), kOriginal);
        Choose(row, "second.bin");

        EXPECT_EQ(ReadBytes(Backup(row)), kOriginal);
        EXPECT_EQ(ReadBytes(row.picture), kSecond);
        EXPECT_EQ(Messages(),
                  (std::vector<std::u16string>{u"文件已经替换！", row.restoredMessage,
                                               row.restoredMessage, u"文件已经替换！"}));
    }
}

TEST_F(PictureRows, DefaultWithoutBackupFailsAndKeepsThePicture) {
    for (const Row& row : kVisibleRows) {
        SCOPED_TRACE(row.name);
        StartAfresh();
        WriteBytes(row.picture, kOriginal);
        Click(row.restore);
        EXPECT_EQ(ReadBytes(row.picture), kOriginal);
        EXPECT_FALSE(fs::exists(Backup(row)));
        EXPECT_EQ(Messages(), std::vector<std::u16string>{u"操作失败"});
    }
}

TEST_F(PictureRows, CancelledDialogCopiesNothingAndComesBackToTheProductFolder) {
    WriteBytes(kSplash.picture, kOriginal);
    Click(kSplash.select);  // an empty script cancels, after leaving for the pictures
    EXPECT_EQ(responder.fileDialogs.size(), 1u);
    EXPECT_EQ(fs::current_path(), ProductFolder());
    EXPECT_EQ(ReadBytes(kSplash.picture), kOriginal);
    EXPECT_FALSE(fs::exists(Backup(kSplash)));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PictureRows, TheFixedPathsCountWhateverTheEditsShow) {
    WriteBytes(kSplash.picture, kOriginal);
    WriteBytes("other.bmp", "other");
    WriteBytes(PictureFolder() / "first.bin", kFirst);
    dialog->GetDlgItem(IDC_SPLASH_PATH)->SetWindowText(u".\\other.bmp");
    Choose(kSplash, "first.bin");
    EXPECT_EQ(ReadBytes(kSplash.picture), kFirst);
    EXPECT_EQ(ReadBytes("other.bmp"), "other");
    EXPECT_FALSE(fs::exists("other.bmp.bak"));
}

TEST_F(PictureRows, WithoutAPictureTheFirstSelectMakesNoBackup) {
    WriteBytes(PictureFolder() / "first.bin", kFirst);
    WriteBytes(PictureFolder() / "second.bin", kSecond);
    Choose(kAgentIcon, "first.bin");
    EXPECT_FALSE(fs::exists(Backup(kAgentIcon)));
    EXPECT_EQ(ReadBytes(kAgentIcon.picture), kFirst);
    // The next select keeps the picture that is there by then.
    Choose(kAgentIcon, "second.bin");
    EXPECT_EQ(ReadBytes(Backup(kAgentIcon)), kFirst);
    EXPECT_EQ(ReadBytes(kAgentIcon.picture), kSecond);
}

TEST_F(PictureRows, AChosenFileThatIsNotThereFails) {
    WriteBytes(kSplash.picture, kOriginal);
    Choose(kSplash, "typed-but-missing.bmp");
    EXPECT_EQ(ReadBytes(kSplash.picture), kOriginal);
    EXPECT_EQ(Messages(), std::vector<std::u16string>{u"操作失败"});
    EXPECT_EQ(fs::current_path(), ProductFolder());
}

// Nothing shows the web-picture row, but its handlers are in the message map.
TEST_F(PictureRows, TheHiddenWebRowWorksWhenItsHandlersAreCalled) {
    for (const int id : {IDC_WEB_LOGO_PATH, IDC_SELECT_WEB_LOGO, IDC_DEFAULT_WEB_LOGO}) {
        ASSERT_NE(WidgetOfControl(dialog->m_hWnd, id), nullptr);
        EXPECT_FALSE(WidgetOfControl(dialog->m_hWnd, id)->isVisible()) << id;
    }
    const fs::path picture = "web/oss/logo.gif";
    WriteBytes(picture, kOriginal);
    WriteBytes(PictureFolder() / "first.bin", kFirst);

    responder.fileAnswers.push_back({IDOK, ChosenPath("first.bin")});
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SELECT_WEB_LOGO, BN_CLICKED));
    EXPECT_EQ(ReadBytes("web/oss/logo.gif.bak"), kOriginal);
    EXPECT_EQ(ReadBytes(picture), kFirst);
    ASSERT_EQ(responder.fileDialogs.size(), 1u);
    EXPECT_EQ(responder.fileDialogs[0].filter, u"GIF Files(*.gif)|*.gif||");
    EXPECT_EQ(responder.fileDialogs[0].defaultExtension, u".gif");

    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEFAULT_WEB_LOGO, BN_CLICKED));
    EXPECT_EQ(ReadBytes(picture), kOriginal);
    EXPECT_EQ(Messages(),
              (std::vector<std::u16string>{u"文件已经替换！", u"网页产品图标文件已经恢复！"}));
}

}  // namespace
