#include "tests/platform/mfc/test_dialog.h"

#include <iterator>
#include <stdexcept>

#include "platform/mfc/exceptions.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const ControlTemplate kControls[] = {
    {IDOK, ControlClass::Button, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, u"确定", 150, 5, 40, 14},
    {IDCANCEL, ControlClass::Button, kChild | WS_TABSTOP, u"退出", 150, 22, 40, 14},
    {kMultiEdit, ControlClass::Edit, kChild | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL, nullptr,
     5, 5, 100, 30},
    {kLineEdit, ControlClass::Edit, kChild | WS_TABSTOP | ES_AUTOHSCROLL, nullptr, 5, 40, 100, 13},
    {kCheck, ControlClass::Button, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, u"启用", 5, 56, 60, 10},
    {kCombo, ControlClass::ComboBox, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, nullptr,
     70, 56, 60, 40},
    {-1, ControlClass::Static, kChild, u"标签：", 5, 70, 40, 8},
    {kList, ControlClass::ListView, kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT, nullptr, 5, 80,
     190, 90},
    {kHidden, ControlClass::Button, WS_CHILD | WS_TABSTOP, u"隐藏", 150, 40, 40, 14},
    {kThrowButton, ControlClass::Button, kChild | WS_TABSTOP, u"抛出", 150, 58, 40, 14},
    {kReadOnlyEdit, ControlClass::Edit,
     kChild | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, nullptr, 110, 40, 35, 30},
};

const DialogTemplate kDialog{kTestDialogId,
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
                             0,
                             u"测试",
                             u"MS Shell Dlg",
                             9,
                             200,
                             175,
                             kControls};

const char* const kIconXpm[] = {
    "2 2 2 1", ". c #FF0000", "# c #0000FF", ".#", "#.",
};

const IconResource kIcons[] = {{5, {kIconXpm, std::size(kIconXpm)}}};

const ResourceModule kModule{std::span<const DialogTemplate>(&kDialog, 1), kIcons,
                             VersionResource{u"", u"", u"", u"", u""}};

}  // namespace

HINSTANCE TestResources() {
    return &kModule;
}

const AFX_MSGMAP* TestDialog::GetMessageMap() const {
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_BN_CLICKED(IDOK, &TestDialog::OnOk),
        ON_BN_CLICKED(IDCANCEL, &TestDialog::OnExit),
        ON_BN_CLICKED(kCheck, &TestDialog::OnCheck),
        ON_EN_CHANGE(kLineEdit, &TestDialog::OnLineChange),
        ON_EN_CHANGE(kMultiEdit, &TestDialog::OnMultiChange),
        ON_BN_CLICKED(kThrowButton, &TestDialog::OnThrow),
        ON_NOTIFY(LVN_ITEMCHANGED, kList, &TestDialog::OnListChanged),
    };
    static const AFX_MSGMAP map{CDialog::GetMessageMap(), entries};
    return &map;
}

void TestDialog::DoDataExchange(CDataExchange* dx) {
    DDX_Check(dx, kCheck, checked);
    DDX_Control(dx, kList, list);
}

void TestDialog::OnThrow() {
    events.push_back("throw");
    throw CMemoryException();
}

void TestDialog::OnListChanged(NMHDR* header, LRESULT* result) {
    const auto* n = reinterpret_cast<const NMLISTVIEW*>(header);
    notifications.push_back({n->iItem, n->uOldState, n->uNewState, n->lParam});
    *result = 0;
}
