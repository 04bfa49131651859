// The main dialog: the translation workbench on the left, the personalisation panel on
// the right. The object owns all working state of a run.
#pragma once

#include <list>
#include <map>
#include <string>
#include <vector>

#include "platform/mfc/dialog.h"
#include "platform/mfc/list_ctrl.h"
#include "workbench/resource_entry.h"

// Language code ("936", "950", ...) to display name, in code order (UTF-16 units).
using LanguageTable = std::map<std::u16string, std::u16string>;

class CTarnwellDlg : public CDialog {
  public:
    // Reads the language code and the translation switches from ".\config\static.ini".
    CTarnwellDlg();
    ~CTarnwellDlg() override;

    const AFX_MSGMAP* GetMessageMap() const override;

    // Does what OnConfirmTranslation does.
    virtual void ConfirmTranslation();
    // Leaves the dialog with IDCANCEL; the handler of "退出", Esc and the close box.
    virtual void OnExit();
    // Writes one row of the list: column 0 the key, 1 the text, 2 the translation.
    virtual void SetRowTexts(CListCtrl& list, int row, const ResourceEntry& entry);

    // -- Translation list and confirming a translation (translation_list.cpp,
    //    confirm_translation.cpp) --

    // Rebuilds the current view's entries and rows from the translation files (and, for a
    // language other than "936" and "950", the data dictionary first) with the filter,
    // and shows the count. The current entry and its edits stay as they were.
    void ReloadList();
    // LVN_ITEMCHANGED of the list: a row that became selected becomes the current entry,
    // anything else clears it; both edits show the current entry.
    void OnListItemChanged(NMHDR* notification, LRESULT* result);
    void OnShowPending();
    void OnShowTranslated();
    // Every change of the filter's text rebuilds the list.
    void OnFilterChanged();
    // Stores the typed translation for the current entry and every entry of the view
    // that matches it, shows it in their rows and moves the selection to the next row.
    // A translation that a file cannot hold as typed is refused with a message, one that
    // could not be written gives "操作失败"; either changes nothing shown.
    void OnConfirmTranslation();

    // -- Language switch (language_switch.cpp) --

    // Button 1433: switches the product to the language chosen in combo box 2876.
    void OnApplyLanguage();

    // -- Pending-list operations and the translation switch (pending_list.cpp) --

    // Button 1024: the full resource list becomes the pending file.
    void OnShowAllPending();
    // Button 1025: the pending file is archived under a name made of the current time.
    void OnClearPending();
    // Button 1026: deletes the translation file and the data translation file.
    void OnDeleteAllTranslations();
    // Check box 1032: writes its state to the three translation switches.
    void OnEnableTranslationClicked();

    // -- Personalisation panel (personalisation/) --
    // Each handler ends with its message, or "操作失败" when its change did not reach
    // the product's files.

    // Select: a file dialog; the chosen file replaces the row's picture, the picture
    // there before the first replacement kept in "<picture>.bak". Default: the backup
    // copied back over the picture; without a backup the picture stays.
    void OnSelectSplashImage();
    void OnDefaultSplashImage();
    void OnSelectBackgroundImage();
    void OnDefaultBackgroundImage();
    void OnSelectWebLogo();  // the web-picture row is hidden
    void OnDefaultWebLogo();
    void OnSelectAgentIcon();
    void OnDefaultAgentIcon();
    // The transparent colour of ".\config\static.ini": chosen in a colour dialog that
    // opens on the stored one, or reset to white; edit 1009 shows what was stored.
    void OnSelectTransparentColor();
    void OnDefaultTransparentColor();
    // The shortcut-name file: the text of edit 1022, or "Corvantis".
    void OnSaveShortcutName();
    void OnDefaultShortcutName();
    // Check box 1023: checked writes the no-shortcut flag file, unchecked deletes it.
    void OnNoShortcutToggled();

    HICON m_hIcon;
    std::u16string m_languageCode;
    LanguageTable m_languageTable;  // not changed after OnInitDialog
    int m_showPending;              // 1: pending view, 0: translated view
    std::u16string m_filter;
    std::map<std::u16string, ResourceEntry> m_pendingByKey;
    std::list<ResourceEntry> m_pendingEntries;     // list rows point into it
    std::list<ResourceEntry> m_translatedEntries;  // list rows point into it
    ResourceEntry m_current;
    std::vector<std::u16string> m_sqlLines;
    BOOL m_enableTranslation;
    CListCtrl m_list;

  protected:
    // Same key, or in the pending view the same source text, as the current entry.
    bool MatchesCurrent(const ResourceEntry& entry, bool pending) const;
    // Writes the typed text for the current entry (a literal of the pending view) or for
    // every matching entry of the view, then gives it to them; false, with nothing given
    // and after its message, when a file cannot hold the text or its key as they are, or
    // a write failed.
    bool StoreTypedTranslation(const std::u16string& typed, bool pending);

    // Check box 1032 with m_enableTranslation, then list view 1042 with m_list.
    void DoDataExchange(CDataExchange* dx) override;
    // Fills the controls: icon, personalisation edits, list columns, language combo box.
    BOOL OnInitDialog() override;
    // The icon, centred, while minimised; otherwise the default painting.
    void OnPaint();
    HCURSOR OnQueryDragIcon();
};

// The window's text; empty for a null window.
std::u16string GetWindowWString(CWnd* window);
// The text of the parent's child control with that id; empty when there is none.
std::u16string GetDlgItemWString(int id, CWnd* parent);
// Sets the text of the parent's child control with that id, when there is one.
void SetDlgItemWString(int id, CWnd* parent, const std::u16string& text);

// Fills the table from the profile value "code:name;code:name;...": runs of separators
// count as one, parts are trimmed, the first blank item ends the list, an item without
// exactly two parts is skipped and a later code replaces an earlier one. Returns the
// number of entries.
int LoadLanguageTable(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, LanguageTable& table);
