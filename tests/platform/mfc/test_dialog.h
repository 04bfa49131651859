// A small dialog template and a dialog class that records what reaches its handlers.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc/dialog.h"
#include "platform/mfc/list_ctrl.h"
#include "platform/mfc/resource_module.h"

inline constexpr UINT kTestDialogId = 7;
inline constexpr int kMultiEdit = 100;     // multi-line, Enter goes to the dialog
inline constexpr int kLineEdit = 101;      // single line
inline constexpr int kCheck = 102;         // auto check box
inline constexpr int kCombo = 103;         // drop-down list
inline constexpr int kList = 104;          // report view
inline constexpr int kHidden = 105;        // push button created hidden
inline constexpr int kThrowButton = 106;   // its handler throws
inline constexpr int kReadOnlyEdit = 107;  // multi-line, read-only

HINSTANCE TestResources();

struct Notification {
    int row;
    UINT oldState;
    UINT newState;
    LPARAM param;
    bool operator==(const Notification&) const = default;
};

class TestDialog : public CDialog {
  public:
    TestDialog() : CDialog(kTestDialogId) {}
    const AFX_MSGMAP* GetMessageMap() const override;

    std::vector<std::string> events;
    std::vector<Notification> notifications;
    int checked = 0;
    CListCtrl list;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    void OnOk() { events.push_back("ok"); }
    void OnExit() {
        events.push_back("cancel");
        OnCancel();
    }
    void OnCheck() { events.push_back("check"); }
    void OnLineChange() { events.push_back("change"); }
    void OnMultiChange() { events.push_back("multi change"); }
    void OnThrow();
    void OnListChanged(NMHDR* header, LRESULT* result);
};
