// The class library's root classes and its message maps: each class that handles
// messages returns, from GetMessageMap, a static table of (message, notification code,
// control id, member function) rows, chained to the table of its base class.
#pragma once

#include <span>
#include <variant>

#include "platform/mfc/window_types.h"

class CObject {
  public:
    virtual ~CObject() = default;
};

class CCmdTarget;

// The member function of one row, by the form of its call.
using AFX_PMSG_VOID = void (CCmdTarget::*)();
using AFX_PMSG_NOTIFY = void (CCmdTarget::*)(NMHDR* notification, LRESULT* result);
using AFX_PMSG_QUERYICON = HCURSOR (CCmdTarget::*)();
using AFX_PMSG_INITDIALOG = BOOL (CCmdTarget::*)();
using AfxHandler =
    std::variant<AFX_PMSG_VOID, AFX_PMSG_NOTIFY, AFX_PMSG_QUERYICON, AFX_PMSG_INITDIALOG>;

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_COMMAND, WM_NOTIFY, WM_PAINT, ...
    UINT nCode;     // the notification code for WM_COMMAND and WM_NOTIFY, else 0
    UINT nID;       // the control or command id for WM_COMMAND and WM_NOTIFY, else 0
    AfxHandler handler;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* baseMap;  // null at the root
    std::span<const AFX_MSGMAP_ENTRY> entries;
};

class CCmdTarget : public CObject {
  public:
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Runs the first row of the map chain that matches; false when none does.
    bool DispatchMessageMap(UINT message, UINT code, UINT id, LPARAM lParam, LRESULT* result);
};

// Rows of a message map, for a class T derived from CCmdTarget.
template <typename T>
AFX_MSGMAP_ENTRY ON_BN_CLICKED(UINT id, void (T::*handler)()) {
    return {WM_COMMAND, BN_CLICKED, id, static_cast<AFX_PMSG_VOID>(handler)};
}
// A command (menu, accelerator or button): the same row as a click.
template <typename T>
AFX_MSGMAP_ENTRY ON_COMMAND(UINT id, void (T::*handler)()) {
    return ON_BN_CLICKED(id, handler);
}
template <typename T>
AFX_MSGMAP_ENTRY ON_EN_CHANGE(UINT id, void (T::*handler)()) {
    return {WM_COMMAND, EN_CHANGE, id, static_cast<AFX_PMSG_VOID>(handler)};
}
template <typename T>
AFX_MSGMAP_ENTRY ON_NOTIFY(UINT code, UINT id, void (T::*handler)(NMHDR*, LRESULT*)) {
    return {WM_NOTIFY, code, id, static_cast<AFX_PMSG_NOTIFY>(handler)};
}
template <typename T>
AFX_MSGMAP_ENTRY ON_WM_PAINT(void (T::*handler)()) {
    return {WM_PAINT, 0, 0, static_cast<AFX_PMSG_VOID>(handler)};
}
template <typename T>
AFX_MSGMAP_ENTRY ON_WM_QUERYDRAGICON(HCURSOR (T::*handler)()) {
    return {WM_QUERYDRAGICON, 0, 0, static_cast<AFX_PMSG_QUERYICON>(handler)};
}
template <typename T>
AFX_MSGMAP_ENTRY ON_WM_INITDIALOG(BOOL (T::*handler)()) {
    return {WM_INITDIALOG, 0, 0, static_cast<AFX_PMSG_INITDIALOG>(handler)};
}
