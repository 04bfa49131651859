// The pending-list operations (show all, clear, delete all translations) and the
// translation switch. A successful list operation ends the tool with a request to restart
// the software; none of them reloads the list.
#include "foundation/text_conversion.h"
#include "platform/mfc/message_box.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"
#include "resources/resource.h"
#include "workbench/product_files.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"
#include "workbench/translation_switches.h"

namespace {

// Only "yes" goes on.
bool Confirmed(const char16_t* question) {
    return AfxMessageBox(question, MB_YESNO, 0) == IDYES;
}

// Deletes the file through its GBK path; true when it is gone afterwards.
bool RemoveFile(const char16_t* path) {
    const std::string narrow = GbkPath(path);
    crt::_unlink(narrow.c_str());
    return crt::_access(narrow.c_str(), 0) != 0;
}

}  // namespace

void CTarnwellDlg::OnShowAllPending() {
    if (!Confirmed(u"要显示所有待翻译资源？此操作将删除原来收集的待翻译资源，确定要继续吗？")) {
        return;
    }
    // The copy takes the pending file's place in one step: a missing or unreadable full
    // list, or a pending file that may not be replaced, leaves it as it was.
    if (CopyFileW(kFullResourceList, kPendingFile, FALSE) == FALSE) {
        AfxMessageBox(kOperationFailed, MB_OK, 0);
        return;
    }
    AfxMessageBox(kSucceededRestart, MB_OK, 0);
    OnCancel();
}

void CTarnwellDlg::OnClearPending() {
    if (!Confirmed(
            u"注意清空待翻译资源后，运行主软件后涉及到的界面资源将自动重新添加到待翻译资源中。"
            u"确实要清空当前的待翻译资源？")) {
        return;
    }
    const std::u16string archive = PendingArchiveName(crt::_time64(nullptr));
    if (MoveFileW(kPendingFile, archive.c_str()) == FALSE) {
        AfxMessageBox(u"没有数据或者操作失败！", MB_OK, 0);
        return;
    }
    AfxMessageBox(kSucceededRestart, MB_OK, 0);
    OnCancel();
}

void CTarnwellDlg::OnDeleteAllTranslations() {
    if (!Confirmed(u"确实要删除所有翻译结果？")) {
        return;
    }
    const bool translationsGone = RemoveFile(kTranslationFile);
    const bool dataTranslationsGone = RemoveFile(kDataTranslationFile);
    if (!translationsGone || !dataTranslationsGone) {
        AfxMessageBox(kOperationFailed, MB_OK, 0);
        return;
    }
    AfxMessageBox(kSucceededRestart, MB_OK, 0);
    OnCancel();
}

void CTarnwellDlg::OnEnableTranslationClicked() {
    UpdateData(TRUE);
    if (WriteTranslationSwitches(m_enableTranslation)) {
        return;
    }
    // The keys stay as they were: so does the box.
    m_enableTranslation = ReadTranslationSwitches();
    if (CWnd* box = GetDlgItem(IDC_ENABLE_TRANSLATION)) {
        box->SendMessage(BM_SETCHECK, m_enableTranslation != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    AfxMessageBox(kOperationFailed, MB_OK, 0);
}
