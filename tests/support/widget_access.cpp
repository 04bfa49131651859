#include "tests/support/widget_access.h"

#include "platform/mfc/detail/window.h"

QWidget* WidgetOfWindow(HWND window) {
    return window != nullptr ? window->widget : nullptr;
}

QWidget* WidgetOfControl(HWND window, int id) {
    return window != nullptr ? WidgetOfWindow(window->Child(id)) : nullptr;
}
