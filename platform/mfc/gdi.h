// Icons and painting: the few drawing calls the dialog makes.
#pragma once

#include <memory>

#include "platform/mfc/window_types.h"

class CWnd;

// The icon resource with that number from the module, loaded once and shared (never
// destroyed); null when the module has none.
HICON LoadIconW(HINSTANCE module, UINT resourceId);

// Draws the icon at its system size (SM_CXICON by SM_CYICON) with its top left at x, y.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

// SM_CXICON and SM_CYICON: 32. Other metrics: 0.
int GetSystemMetrics(int index);

// The paint context of a window during its WM_PAINT.
class CPaintDC {
  public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

  private:
    std::unique_ptr<HDC__> context_;

  public:
    HDC m_hDC;
};
