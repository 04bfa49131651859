// Renders the dialog on a copy of examples/product. With TARNWELL_SCREENSHOT set to a
// path, the picture is saved there (docs/dialog.png is made this way).
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "resources/tarnwell_resources.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_access.h"
#include "workbench/tarnwell_dlg.h"

namespace {

TEST(DialogScreenshot, TheDialogOnTheExampleProduct) {
    tw_test::TempFolder folder;
    std::filesystem::copy(TW_EXAMPLES "/product", ".", std::filesystem::copy_options::recursive);
    AfxSetResourceHandle(TarnwellResources());
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(GetDlgItemWString(IDC_SHORTCUT_NAME, &dialog), u"Corvantis 管理中心");
    EXPECT_EQ(dialog.m_languageCode, u"1252");

    const QImage picture = WidgetOfWindow(dialog.m_hWnd)->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    if (const char* path = std::getenv("TARNWELL_SCREENSHOT")) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(path), "PNG"));
    }
}

}  // namespace
