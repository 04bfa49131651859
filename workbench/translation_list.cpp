#include "workbench/translation_list.h"

#include <string>

#include "foundation/text_conversion.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "workbench/data_dictionary.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"

namespace {

bool Contains(const std::u16string& text, const std::u16string& filter) {
    return text.find(filter) != std::u16string::npos;
}

// Whether the line as read (key, "=", value) contains the filter.
bool LineContains(const ProfileLine& line, const std::u16string& filter) {
    return filter.empty() || Contains(line.key + u"=" + line.value, filter);
}

std::u16string CountText(size_t count) {
    return WidenAscii(std::to_string(count) + " records Found");
}

// One buffer for the whole reload: the profile function terminates what it copies.
class TranslationLookup {
  public:
    bool HasTranslation(const std::u16string& key) {
        GetPrivateProfileStringW(kTranslationSection, key.c_str(), u"", buffer_.data(),
                                 kProfileValueUnits, kTranslationFile);
        return buffer_[0] != u'\0';
    }

  private:
    std::u16string buffer_ = std::u16string(kProfileValueUnits, u'\0');
};

}  // namespace

void CTarnwellDlg::ReloadList() {
    const std::u16string filter = m_filter;
    const bool pending = m_showPending != 0;
    std::list<ResourceEntry>& entries = pending ? m_pendingEntries : m_translatedEntries;
    entries.clear();
    if (m_languageCode != u"936" && m_languageCode != u"950") {
        LoadDataDictionaryEntries(filter, *this, entries);
    }
    if (pending) {
        TranslationLookup lookup;
        for (ProfileLine& line : ReadProfileLines(kPendingFile)) {
            ResourceEntry entry{line.key, line.value, u"", nullptr};
            m_pendingByKey.insert_or_assign(line.key, entry);
            // The cheap test first: the lookup has no effect of its own.
            if (LineContains(line, filter) && !lookup.HasTranslation(line.key)) {
                entries.push_back(std::move(entry));
            }
        }
    } else {
        for (ProfileLine& line : ReadProfileLines(kTranslationFile)) {
            const std::u16string& text = m_pendingByKey[line.key].text;
            if (LineContains(line, filter) || Contains(text, filter)) {
                entries.push_back({line.key, text, std::move(line.value), nullptr});
            }
        }
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
