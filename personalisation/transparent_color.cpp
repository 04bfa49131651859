// The transparent colour of the host product's splash and background pictures: a
// COLORREF (0x00BBGGRR) stored as "%ld" text.
#include <string>

#include "personalisation/outcome_message.h"
#include "platform/mfc/color_dialog.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "workbench/product_files.h"
#include "workbench/tarnwell_dlg.h"

namespace {

// Edit 1009 shows the text only once it is stored.
bool StoreColorText(CWnd& dialog, const std::u16string& text) {
    if (!WritePrivateProfileStringW(u"trademark", u"transparent", text.c_str(), kStaticIni)) {
        return false;
    }
    if (CWnd* edit = dialog.GetDlgItem(IDC_TRANSPARENT_COLOR)) {
        edit->SetWindowText(text.c_str());
    }
    return true;
}

}  // namespace

void CTarnwellDlg::OnSelectTransparentColor() {
    UpdateData(TRUE);
    // A missing or unreadable colour opens the dialog on black.
    const UINT stored = GetPrivateProfileIntW(u"trademark", u"transparent", 0, kStaticIni);
    CColorDialog dialog(0, 0, nullptr);
    dialog.m_cc.Flags |= CC_RGBINIT | CC_FULLOPEN;
    dialog.m_cc.rgbResult = stored;
    if (dialog.DoModal() != IDOK) {
        return;
    }
    ShowOutcome(StoreColorText(*this, TransparentColorText(dialog.m_cc.rgbResult)),
                u"新的启动画面及背景图片透明颜色设置成功！");
}

void CTarnwellDlg::OnDefaultTransparentColor() {
    UpdateData(TRUE);
    ShowOutcome(StoreColorText(*this, u"16777215"), u"默认启动画面及背景图片透明颜色已经恢复！");
}
