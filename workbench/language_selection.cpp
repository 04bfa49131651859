#include "workbench/language_selection.h"

#include "platform/mfc/wnd.h"
#include "resources/resource.h"

const std::u16string* GetSelectedLanguageCode(const CWnd& dialog) {
    const CWnd* combo = dialog.GetDlgItem(IDC_LANGUAGE);
    if (combo == nullptr) {
        return nullptr;
    }
    const LRESULT selected = combo->SendMessage(CB_GETCURSEL);
    if (selected < 0) {
        return nullptr;
    }
    const LRESULT data = combo->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(selected));
    return data == CB_ERR ? nullptr : reinterpret_cast<const std::u16string*>(data);
}

void SelectLanguageByCode(const CWnd& dialog, const std::u16string& code) {
    const CWnd* combo = dialog.GetDlgItem(IDC_LANGUAGE);
    if (combo == nullptr) {
        return;
    }
    for (LRESULT i = 0; i < combo->SendMessage(CB_GETCOUNT); ++i) {
        const LRESULT data = combo->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(i));
        const auto* itemCode = reinterpret_cast<const std::u16string*>(data);
        if (data != CB_ERR && itemCode != nullptr && *itemCode == code) {
            combo->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(i));
            return;
        }
    }
}
