#include <string>
#include <vector>

#include "platform/mfc/message_box.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "workbench/product_files.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"
#include "workbench/translation_list.h"

namespace {

// A data-dictionary entry is stored under its literal in the data translation file, an
// interface text under its key in the translation file. False when the write failed, or
// when the file could not be made UTF-16 first: the write would then create it in code
// page 936, and the translation files must stay UTF-16.
bool Store(const ResourceEntry& entry, const std::u16string& translation) {
    const bool literal = entry.sqlLine != nullptr;
    const char16_t* file = literal ? kDataTranslationFile : kTranslationFile;
    if (!EnsureUtf16ProfileFile(file)) {
        return false;
    }
    const std::u16string& key = literal ? entry.text : entry.key;
    return WritePrivateProfileStringW(kTranslationSection, key.c_str(), translation.c_str(),
                                      file) != FALSE;
}

}  // namespace

void CTarnwellDlg::ConfirmTranslation() {
    OnConfirmTranslation();
}

void CTarnwellDlg::OnConfirmTranslation() {
    UpdateData(TRUE);
    if (m_current.key.empty()) {
        AfxMessageBox(u"请选择记录", MB_OK, 0);
        return;
    }
    const std::u16string typed = GetDlgItemWString(IDC_TRANSLATION, this);
    const bool pending = m_showPending != 0;
    // What cannot be stored is not shown as stored: the rows and the selection stay.
    if (!typed.empty() && !StoreTypedTranslation(typed, pending)) {
        AfxMessageBox(kOperationFailed, MB_OK, 0);
        return;
    }
    const int count = m_list.GetItemCount();
    int next = 0;
    for (int row = 0; row < count; ++row) {
        auto* entry = reinterpret_cast<ResourceEntry*>(m_list.GetItemData(row));
        if (entry == nullptr) {
            continue;
        }
        if (MatchesCurrent(*entry, pending)) {
            m_list.SetItemText(row, 2, m_current.translation.c_str());
            if (entry->translation.empty()) {
                entry->translation = m_current.translation;
            }
        }
        if (entry->key == m_current.key && row + 1 < count) {
            next = row + 1;
        }
    }
    SelectListRow(m_list, next);
    if (CWnd* edit = GetDlgItem(IDC_TRANSLATION)) {
        edit->SetFocus();
    }
}

bool CTarnwellDlg::MatchesCurrent(const ResourceEntry& entry, bool pending) const {
    return entry.key == m_current.key || (pending && entry.text == m_current.text);
}

bool CTarnwellDlg::StoreTypedTranslation(const std::u16string& typed, bool pending) {
    if (m_current.sqlLine != nullptr && pending) {
        if (!Store(m_current, typed)) {
            return false;
        }
        m_current.translation = typed;
        return true;
    }
    std::list<ResourceEntry>& entries = pending ? m_pendingEntries : m_translatedEntries;
    std::vector<ResourceEntry*> matches;
    for (ResourceEntry& entry : entries) {
        if (MatchesCurrent(entry, pending)) {
            if (!Store(entry, typed)) {
                return false;
            }
            matches.push_back(&entry);
        }
    }
    for (ResourceEntry* entry : matches) {
        entry->translation = typed;
    }
    if (!matches.empty()) {
        m_current.translation = typed;
    }
    return true;
}
