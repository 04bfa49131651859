// The application object and the start-up mode switch: no argument after the program
// name runs the main dialog; any argument runs the resource-list generator instead.
#pragma once

#include "platform/mfc/winapp.h"

class CTarnwellApp : public CWinAppEx {
  public:
    CTarnwellApp();
    ~CTarnwellApp() override;

    const AFX_MSGMAP* GetMessageMap() const override;
    // Runs the chosen mode to its end and returns FALSE, so the process then ends.
    BOOL InitInstance() override;
    // 1 after a generator run that failed, else 0.
    int ExitInstance() override;

  private:
    bool m_generatorFailed = false;
};

// The one application object.
extern CTarnwellApp theApp;
