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

    // Leaves the dialog with IDCANCEL; the handler of "退出", Esc and the close box.
    virtual void OnExit();

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

// Fills the table from the profile value "code:name;code:name;...": runs of separators
// count as one, parts are trimmed, the first blank item ends the list, an item without
// exactly two parts is skipped and a later code replaces an earlier one. Returns the
// number of entries.
int LoadLanguageTable(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, LanguageTable& table);
