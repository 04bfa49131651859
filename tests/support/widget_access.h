// For tests: the Qt widgets behind windows, to drive them with QTest.
#pragma once

#include "platform/mfc/window_types.h"

class QWidget;

// The widget that shows the window; null for no window.
QWidget* WidgetOfWindow(HWND window);
// The widget of the window's child control with that id; null when there is none.
QWidget* WidgetOfControl(HWND window, int id);
