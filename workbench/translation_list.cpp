#include "workbench/translation_list.h"

#include <iterator>
#include <list>
#include <map>
#include <string>
#include <string_view>

#include "foundation/text_conversion.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "workbench/data_dictionary.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"

namespace {

using PendingByKey = std::map<std::u16string, ResourceEntry>;

bool Contains(std::u16string_view text, const std::u16string& filter) {
    return text.find(filter) != std::u16string_view::npos;
}

std::u16string CountText(size_t count) {
    return WidenAscii(std::to_string(count) + " records Found");
}

// Appends the rows of a view in the list nodes of its last reload, whose texts keep their
// storage: a reload allocates only for rows that the last one did not have.
class EntryRefill {
  public:
    // The list is empty from here on; what it held is reused, the rest freed at the end.
    explicit EntryRefill(std::list<ResourceEntry>& entries) : entries_(entries) {
        spare_.splice(spare_.end(), entries_);
    }

    void Append(std::u16string_view key, std::u16string_view text,
                std::u16string_view translation) {
        if (spare_.empty()) {
            entries_.emplace_back();
        } else {
            entries_.splice(entries_.end(), spare_, spare_.begin());
        }
        ResourceEntry& entry = entries_.back();
        entry.key.assign(key);
        entry.text.assign(text);
        entry.translation.assign(translation);
        entry.sqlLine = nullptr;
    }

  private:
    std::list<ResourceEntry>& entries_;
    std::list<ResourceEntry> spare_;
};

// Pending view: every keyed line of the pending file is stored in byKey (a later line
// wins); the lines without a translation that hold the filter become rows.
void AppendPendingLines(const std::u16string& filter, PendingByKey& byKey, EntryRefill& rows) {
    ProfileLineReader reader(kPendingFile);
    TranslationLookup translations(kTranslationFile);
    std::u16string key;
    auto hint = byKey.begin();  // a pending file in key order finds each key beside the last
    while (reader.Next()) {
        key.assign(reader.Key());
        const auto stored = byKey.try_emplace(hint, key);
        stored->second.key = key;
        stored->second.text.assign(reader.Value());
        stored->second.translation.clear();
        stored->second.sqlLine = nullptr;
        hint = std::next(stored);
        // The cheap test first: the lookup has no effect of its own.
        if (Contains(reader.Line(), filter) && translations.Find(key).empty()) {
            rows.Append(key, reader.Value(), u"");
        }
    }
}

// Translated view: every keyed line of the translation file whose line or source text
// (from byKey, which takes in the keys it lacks) holds the filter.
void AppendTranslatedLines(const std::u16string& filter, PendingByKey& byKey, EntryRefill& rows) {
    ProfileLineReader reader(kTranslationFile);
    std::u16string key;
    while (reader.Next()) {
        key.assign(reader.Key());
        const std::u16string& text = byKey[key].text;
        if (Contains(reader.Line(), filter) || Contains(text, filter)) {
            rows.Append(key, text, reader.Value());
        }
    }
}

}  // namespace

void CTarnwellDlg::ReloadList() {
    const ProfileReadScope scope;  // each file is checked once for the whole reload
    const std::u16string filter = m_filter;
    const bool pending = m_showPending != 0;
    std::list<ResourceEntry>& entries = pending ? m_pendingEntries : m_translatedEntries;
    EntryRefill rows(entries);
    if (m_languageCode != u"936" && m_languageCode != u"950") {
        LoadDataDictionaryEntries(filter, *this, entries);
    }
    if (pending) {
        AppendPendingLines(filter, m_pendingByKey, rows);
    } else {
        AppendTranslatedLines(filter, m_pendingByKey, rows);
    }
    FillResourceList(*this, m_list, entries.begin(), entries.end());
    SetDlgItemWString(IDC_RECORD_COUNT, this, CountText(entries.size()));
}

void FillResourceList(CTarnwellDlg& dialog, CListCtrl& list, EntryIterator first,
                      EntryIterator last) {
    list.DeleteAllItems();
    int row = list.GetItemCount();
    for (; first != last; ++first, ++row) {
        list.InsertItem(row, u"");
        list.SetItemData(row, reinterpret_cast<DWORD_PTR>(&*first));
        dialog.SetRowTexts(list, row, *first);
    }
}

void CTarnwellDlg::SetRowTexts(CListCtrl& list, int row, const ResourceEntry& entry) {
    list.SetItemText(row, 0, entry.key.c_str());
    list.SetItemText(row, 1, entry.text.c_str());
    list.SetItemText(row, 2, entry.translation.c_str());
}

void CTarnwellDlg::OnListItemChanged(NMHDR* notification, LRESULT* result) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(notification);
    const ResourceEntry* entry = nullptr;
    if ((change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_SELECTED) != 0 &&
        change->iItem >= 0) {
        const DWORD_PTR data = m_list.GetItemData(change->iItem);
        if (data != 0 && data != static_cast<DWORD_PTR>(-1)) {
            entry = reinterpret_cast<const ResourceEntry*>(data);
        }
    }
    m_current = entry != nullptr ? *entry : ResourceEntry{};
    SetDlgItemWString(IDC_CURRENT_TEXT, this, m_current.text);
    SetDlgItemWString(IDC_TRANSLATION, this, m_current.translation);
    *result = 0;
}

void SelectListRow(CListCtrl& list, int row) {
    if (row == -1) {
        const int count = list.GetItemCount();
        for (int i = 0; i < count; ++i) {
            SelectListRow(list, i);
        }
        return;
    }
    constexpr UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;
    list.SetSelectionMark(row);
    list.EnsureVisible(row, FALSE);
    list.SetItemState(row, kSelectedFocused, kSelectedFocused);
    NMLISTVIEW change;
    change.hdr = NMHDR{list.m_hWnd, static_cast<UINT_PTR>(list.GetDlgCtrlID()), LVN_ITEMCHANGED};
    change.iItem = row;
    change.uNewState = kSelectedFocused;
    change.uChanged = LVIF_STATE;
    if (CWnd* parent = list.GetParent()) {
        parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(list.GetDlgCtrlID()),
                            reinterpret_cast<LPARAM>(&change));
    }
}

void CTarnwellDlg::OnShowPending() {
    m_showPending = 1;
    ReloadList();
}

void CTarnwellDlg::OnShowTranslated() {
    m_showPending = 0;
    ReloadList();
}

void CTarnwellDlg::OnFilterChanged() {
    UpdateData(TRUE);
    m_filter = GetDlgItemWString(IDC_FILTER, this);
    ReloadList();
}
