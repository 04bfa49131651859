// What the host product's installer reads about the desktop shortcuts: the name of the
// product's shortcut, and the flag that stops it making one for this tool.
#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"
#include "personalisation/outcome_message.h"
#include "platform/mfc/exceptions.h"
#include "platform/win32/crt_misc.h"
#include "resources/resource.h"
#include "workbench/product_files.h"
#include "workbench/tarnwell_dlg.h"

namespace {

// The name is written as UTF-16LE with its mark: the start-up and the conversion of the
// product's text files read it in that form. The file is replaced whole, so a save that
// fails keeps the old name. False when it could not be written.
bool StoreShortcutName(const CString& name) {
    try {
        return WriteUtf16File(kShortcutNameFile, name);
    } catch (const CFileException&) {
        return false;
    }
}

// The flag file appears whole or not at all.
bool StoreNoShortcutFlag() {
    return WriteBytesFile(kNoShortcutFlagFile, "wb", "1") == 0;
}

// A flag file that was never there is as good as deleted.
bool RemoveNoShortcutFlag() {
    return crt::_unlink(kNoShortcutFlagFile) == 0 || crt::_access(kNoShortcutFlagFile, 0) != 0;
}

// After a change that failed the box shows what is stored: checked while the flag file is
// there.
void ShowStoredFlag(CWnd& box) {
    const bool present = crt::_access(kNoShortcutFlagFile, 0) == 0;
    box.SendMessage(BM_SETCHECK, present ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

void CTarnwellDlg::OnSaveShortcutName() {
    UpdateData(TRUE);
    CWnd* edit = GetDlgItem(IDC_SHORTCUT_NAME);
    if (edit == nullptr) {
        return;
    }
    // The whole text, untrimmed; an empty name is stored as it is.
    CString name;
    edit->GetWindowText(name);
    ShowOutcome(StoreShortcutName(name),
                u"快捷方式名称已经指定，软件安装后将以此名称生成桌面快捷方式！");
}

void CTarnwellDlg::OnDefaultShortcutName() {
    UpdateData(TRUE);
    // Edit 1022 keeps the text it shows.
    ShowOutcome(StoreShortcutName(kDefaultShortcutName),
                u"快捷方式名称已经恢复，软件安装后将生成默认名称的桌面快捷方式！");
}

void CTarnwellDlg::OnNoShortcutToggled() {
    UpdateData(TRUE);
    CWnd* box = GetDlgItem(IDC_NO_SHORTCUT);
    if (box == nullptr) {
        return;
    }
    // An automatic check box: the click has already changed its state.
    const bool checked = box->SendMessage(BM_GETCHECK) != BST_UNCHECKED;
    const bool stored = checked ? StoreNoShortcutFlag() : RemoveNoShortcutFlag();
    if (!stored) {
        ShowStoredFlag(*box);
    }
    ShowOutcome(stored, checked ? u"已经禁止安装操作生成“翻译及个性化”快捷方式！"
                                : u"已经允许安装操作生成“翻译及个性化”快捷方式！");
}
