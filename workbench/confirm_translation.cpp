#include <set>
#include <string>
#include <vector>

#include "platform/mfc/message_box.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "workbench/product_files.h"
#include "workbench/storable_text.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"
#include "workbench/translation_list.h"

namespace {

bool IsLiteral(const ResourceEntry& entry) {
    return entry.sqlLine != nullptr;
}

// A data-dictionary entry is stored under its literal in the data translation file, an
// interface text under its key in the translation file.
const char16_t* FileOf(const ResourceEntry& entry) {
    return IsLiteral(entry) ? kDataTranslationFile : kTranslationFile;
}

const std::u16string& KeyOf(const ResourceEntry& entry) {
    return IsLiteral(entry) ? entry.text : entry.key;
}

// Why one of the entries or the translation cannot be stored as it is; null when all can.
const char16_t* Refusal(const std::vector<ResourceEntry*>& entries, std::u16string_view stored) {
    for (const ResourceEntry* entry : entries) {
        if (IsLiteral(*entry)) {
            if (const char16_t* refusal = LiteralKeyRefusal(entry->text)) {
                return refusal;
            }
        }
    }
    return TranslationRefusal(stored);
}

// Writes the translation for every entry, each file once, with one flush at the end. The
// files must be UTF-16 first: a write would add lines in another encoding to any other.
// False when a file could not be written.
bool Store(const std::vector<ResourceEntry*>& entries, const std::u16string& stored) {
    std::set<std::u16string> files;
    for (const ResourceEntry* entry : entries) {
        files.insert(FileOf(*entry));
    }
    for (const std::u16string& file : files) {
        if (!EnsureUtf16ProfileFile(file)) {
            return false;
        }
    }
    ProfileWriteBatch batch;
    bool written = true;
    for (const ResourceEntry* entry : entries) {
        written = written && WritePrivateProfileStringW(kTranslationSection, KeyOf(*entry).c_str(),
                                                        stored.c_str(), FileOf(*entry)) != FALSE;
    }
    return batch.Flush() && written;
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
    if (!StoredTranslation(typed).empty() && !StoreTypedTranslation(typed, pending)) {
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
    std::vector<ResourceEntry*> entries;
    if (IsLiteral(m_current) && pending) {
        entries.push_back(&m_current);
    } else {
        for (ResourceEntry& entry : pending ? m_pendingEntries : m_translatedEntries) {
            if (MatchesCurrent(entry, pending)) {
                entries.push_back(&entry);
            }
        }
    }
    const std::u16string stored(StoredTranslation(typed));
    if (const char16_t* refusal = Refusal(entries, stored)) {
        AfxMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION, 0);
        return false;
    }
    if (!Store(entries, stored)) {
        AfxMessageBox(kOperationFailed, MB_OK, 0);
        return false;
    }
    for (ResourceEntry* entry : entries) {
        entry->translation = typed;
    }
    if (!entries.empty()) {
        m_current.translation = typed;
    }
    return true;
}
