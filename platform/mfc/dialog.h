// The class library's dialog: built from a dialog template of the resource module,
// modal (DoModal) or modeless (Create).
#pragma once

#include "platform/mfc/wnd.h"

class CDialog : public CWnd {
  public:
    // The dialog has no owner window here; the parent is accepted and not used.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    // Destroys the window if it still exists.
    ~CDialog() override;

    const AFX_MSGMAP* GetMessageMap() const override;

    // Creates the window from the template, calls OnInitDialog, shows it and runs the
    // modal loop until EndDialog; destroys the window and returns EndDialog's result.
    // -1 when the template is missing.
    virtual INT_PTR DoModal();
    // Creates the window and calls OnInitDialog without a modal loop; the window stays
    // until DestroyWindow. FALSE when the template is missing.
    BOOL Create();

    // Data exchange from the members to the controls; TRUE: the default focus (the
    // first tab stop) applies.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Ends the modal loop with the result (a modeless dialog is hidden).
    void EndDialog(int result);

    // Dialog units to pixels with this dialog's base units.
    void MapDialogRect(RECT* rect) const;

    // Commands the dialog's map does not take go on to the application.
    bool OnCmdMsg(UINT id, UINT code) override;

  private:
    BOOL CreateWindowFromTemplate();

    UINT m_nIDTemplate;
};
