// The standard dialogs that Qt draws speak Chinese, as those of a Chinese Windows do.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/mfc/detail/gui_application.h"

namespace {

QString ButtonText(const QWidget& dialog, QDialogButtonBox::StandardButton which) {
    const auto* box = dialog.findChild<QDialogButtonBox*>();
    const QPushButton* button = box != nullptr ? box->button(which) : nullptr;
    return button != nullptr ? button->text() : QString();
}

TEST(QtTexts, TheColourAndFileDialogsSpeakChinese) {
    mfc_detail::EnsureGuiApplication();
    mfc_detail::EnsureGuiApplication();  // a second call loads nothing twice

    QColorDialog color;
    color.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_EQ(color.windowTitle(), QString("选择颜色"));
    EXPECT_EQ(ButtonText(color, QDialogButtonBox::Ok), QString("确定"));
    EXPECT_EQ(ButtonText(color, QDialogButtonBox::Cancel), QString("取消"));

    QFileDialog file;
    file.setOption(QFileDialog::DontUseNativeDialog);
    const auto* lookIn = file.findChild<QLabel*>("lookInLabel");
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), QString("查找范围："));
    EXPECT_EQ(ButtonText(file, QDialogButtonBox::Cancel), QString("取消"));
}

}  // namespace
