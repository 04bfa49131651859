// The picture rows: select copies a chosen file over the row's picture, default copies
// the backup back. Every path is relative to the product folder.
#include <string>

#include "foundation/product_folder.h"
#include "foundation/text_conversion.h"
#include "personalisation/outcome_message.h"
#include "platform/mfc/file_dialog.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"
#include "workbench/tarnwell_dlg.h"

namespace {

struct PictureRow {
    const char16_t* picture;
    const char16_t* defaultExtension;
    const char16_t* filter;
    const char16_t* restoredMessage;
};

constexpr PictureRow kSplash{u".\\config\\loading.bmp", u".bmp", u"BMP Files(*.bmp)|*.bmp||",
                             u"启动画面恢复成功！"};
constexpr PictureRow kBackground{u".\\config\\bg.jpg", u".jpg", u"JPG Files(*.jpg)|*.jpg||",
                                 u"背景图片恢复成功！"};
constexpr PictureRow kWebLogo{u".\\web\\oss\\logo.gif", u".gif", u"GIF Files(*.gif)|*.gif||",
                              u"网页产品图标文件已经恢复！"};
constexpr PictureRow kAgentIcon{u".\\agent.bmp", u".bmp", u"BMP Files(*.bmp)|*.bmp||",
                                u"代理商图标文件已经恢复！"};

bool IsFile(const std::u16string& path) {
    crt::StatRecord status;
    return crt::_stat(GbkPath(path).c_str(), &status) == 0 &&
           (status.st_mode & crt::_S_IFMT) == crt::_S_IFREG;
}

// The backup is written only when there is none, so it keeps the picture from before
// the first replacement.
void SelectPicture(CWnd& dialog, const PictureRow& row) {
    dialog.UpdateData(TRUE);
    CFileDialog fileDialog(TRUE, row.defaultExtension, nullptr,
                           OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, row.filter, nullptr, 0, TRUE);
    if (fileDialog.DoModal() == IDOK) {
        // The file dialog may have left the current directory in the chosen file's folder.
        RestoreWorkingFolder();
        const CString chosen = fileDialog.GetPathName();
        const std::u16string backup = MakeBackupPath(row.picture);
        // Without a backup the picture is not replaced: it would be lost for good.
        const bool kept = CopyFileW(row.picture, backup.c_str(), TRUE) != FALSE || IsFile(backup) ||
                          crt::_waccess(row.picture, 0) != 0;
        const bool replaced = kept && CopyFileW(chosen, row.picture, FALSE) != FALSE;
        ShowOutcome(replaced, u"文件已经替换！");
    }
    RestoreWorkingFolder();
}

// The backup stays, so default can be repeated. Without a backup the picture stays.
void RestorePicture(CWnd& dialog, const PictureRow& row) {
    dialog.UpdateData(TRUE);
    const std::u16string backup = MakeBackupPath(row.picture);
    const BOOL restored = CopyFileW(backup.c_str(), row.picture, FALSE);
    ShowOutcome(restored != FALSE, row.restoredMessage);
}

}  // namespace

void CTarnwellDlg::OnSelectSplashImage() {
    SelectPicture(*this, kSplash);
}

void CTarnwellDlg::OnDefaultSplashImage() {
    RestorePicture(*this, kSplash);
}

void CTarnwellDlg::OnSelectBackgroundImage() {
    SelectPicture(*this, kBackground);
}

void CTarnwellDlg::OnDefaultBackgroundImage() {
    RestorePicture(*this, kBackground);
}

void CTarnwellDlg::OnSelectWebLogo() {
    SelectPicture(*this, kWebLogo);
}

void CTarnwellDlg::OnDefaultWebLogo() {
    RestorePicture(*this, kWebLogo);
}

void CTarnwellDlg::OnSelectAgentIcon() {
    SelectPicture(*this, kAgentIcon);
}

void CTarnwellDlg::OnDefaultAgentIcon() {
    RestorePicture(*this, kAgentIcon);
}
