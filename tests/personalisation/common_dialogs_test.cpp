// The class library's file and colour dialogs: on Qt's dialogs without a responder,
// answered by the responder with one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>

#include "platform/mfc/color_dialog.h"
#include "platform/mfc/detail/file_filter.h"
#include "platform/mfc/file_dialog.h"
#include "platform/mfc/message_box.h"
#include "platform/win32/native_path.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// The visible Qt dialog of that class, or null.
template <typename Dialog>
Dialog* ShownDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// Runs act on the Qt dialog once its modal loop runs.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        Dialog* dialog = ShownDialog<Dialog>();
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

TEST(FileFilter, TheClassLibrarysFormBecomesQtsNameFilters) {
    struct Case {
        const char* name;
        std::u16string filter;
        std::vector<std::u16string> want;
    };
    const Case cases[] = {
        {"one pair", u"BMP Files(*.bmp)|*.bmp||", {u"BMP Files(*.bmp) (*.bmp)"}},
        {"patterns joined by semicolons",
         u"图片|*.jpg;*.jpeg|All Files (*.*)|*.*||",
         {u"图片 (*.jpg *.jpeg)", u"All Files (*.*) (*.*)"}},
        {"without the closing bars", u"GIF|*.gif", {u"GIF (*.gif)"}},
        {"empty", u"", {}},
        {"a description without patterns", u"BMP||", {}},
        {"the list ends at the double bar", u"A|*.a||B|*.b||", {u"A (*.a)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mfc_detail::QtNameFilters(c.filter), c.want);
    }
}

TEST(FileDialog, QtsDialogShowsTheFilterAndGivesTheWindowsPath) {
    tw_test::TempFolder folder;
    tw_test::WriteBytes(u8"图片/new.bmp", "BM");
    const fs::path chosen = fs::canonical(u8"图片/new.bmp");
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.nameFilters(), QStringList{"BMP Files(*.bmp) (*.bmp)"});
        EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
        EXPECT_EQ(dialog.defaultSuffix(), QString("bmp"));
        dialog.selectFile(QString::fromStdString(chosen.string()));
        static_cast<QDialog&>(dialog).accept();
    });
    CFileDialog dialog(TRUE, u".bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       u"BMP Files(*.bmp)|*.bmp||", nullptr, 0, TRUE);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), CString(win32::NativePathToWide(chosen.string())));
    EXPECT_EQ(fs::current_path(), folder.path());
}

TEST(FileDialog, CancellingQtsDialogChoosesNothing) {
    WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    CFileDialog dialog(TRUE, u".gif", nullptr, OFN_HIDEREADONLY, u"GIF Files(*.gif)|*.gif||");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), CString());
}

TEST(FileDialog, TheResponderIsAskedWhatTheCallerSetUp) {
    ScriptedResponder responder;
    ScopedDialogResponder installed(responder);
    responder.fileAnswers.push_back({IDOK, u"C:\\pictures\\a.jpg"});
    CFileDialog chosen(TRUE, u".jpg", u"start.jpg", 6, u"JPG Files(*.jpg)|*.jpg||");
    ASSERT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetPathName(), CString(u"C:\\pictures\\a.jpg"));
    CFileDialog cancelled(TRUE);  // the script is empty now
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName(), CString());

    ASSERT_EQ(responder.fileDialogs.size(), 2u);
    const FileDialogRequest& asked = responder.fileDialogs[0];
    EXPECT_EQ(asked.openFileDialog, TRUE);
    EXPECT_EQ(asked.defaultExtension, u".jpg");
    EXPECT_EQ(asked.fileName, u"start.jpg");
    EXPECT_EQ(asked.flags, 6u);
    EXPECT_EQ(asked.filter, u"JPG Files(*.jpg)|*.jpg||");
    EXPECT_EQ(responder.fileDialogs[1].filter, u"");
    EXPECT_EQ(responder.fileDialogs[1].flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
}

TEST(ColorDialog, ANonBlackInitialColourOpensOnItself) {
    const CColorDialog black;
    EXPECT_EQ(black.m_cc.Flags, 0u);
    EXPECT_EQ(black.m_cc.rgbResult, 0u);
    const CColorDialog green(0x0000FF00, CC_FULLOPEN);
    EXPECT_EQ(green.m_cc.Flags, CC_RGBINIT | CC_FULLOPEN);
    EXPECT_EQ(green.GetColor(), 0x0000FF00u);
    // One process-wide table of custom colours.
    EXPECT_NE(black.m_cc.lpCustColors, nullptr);
    EXPECT_EQ(black.m_cc.lpCustColors, green.m_cc.lpCustColors);
}

TEST(ColorDialog, QtsDialogOpensOnTheColourAndGivesTheChosenOne) {
    CColorDialog dialog(0, 0, nullptr);
    dialog.m_cc.Flags |= CC_RGBINIT | CC_FULLOPEN;
    dialog.m_cc.rgbResult = 0x00332211;
    WhenShown<QColorDialog>([](QColorDialog& shown) {
        EXPECT_EQ(shown.currentColor(), QColor(0x11, 0x22, 0x33));
        QColorDialog::setCustomColor(0, QColor(0x44, 0x55, 0x66));
        shown.setCurrentColor(QColor(255, 0, 0));
        shown.accept();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_cc.rgbResult, 0x000000FFu);
    // The custom colours the user set stay in the table.
    EXPECT_EQ(dialog.m_cc.lpCustColors[0], 0x00665544u);
}

TEST(ColorDialog, CancellingQtsDialogKeepsTheColour) {
    CColorDialog dialog(0x00123456);
    WhenShown<QColorDialog>([](QColorDialog& shown) {
        shown.setCurrentColor(QColor(255, 0, 0));
        shown.reject();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_cc.rgbResult, 0x00123456u);
}

TEST(ColorDialog, TheResponderSeesBlackWithoutRgbInit) {
    ScriptedResponder responder;
    ScopedDialogResponder installed(responder);
    responder.colorAnswers.push_back({IDOK, 0x00FFFFFF});
    CColorDialog dialog;
    dialog.m_cc.rgbResult = 0x000000FF;  // not used without CC_RGBINIT
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_cc.rgbResult, 0x00FFFFFFu);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // the script is empty now
    EXPECT_EQ(dialog.m_cc.rgbResult, 0x00FFFFFFu);
    ASSERT_EQ(responder.colorDialogs.size(), 2u);
    EXPECT_EQ(responder.colorDialogs[0].color, 0u);
    // The answer made the colour the dialog's own: CC_RGBINIT is still off.
    EXPECT_EQ(responder.colorDialogs[1].color, 0u);
}

}  // namespace
