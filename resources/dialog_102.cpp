// Dialog template 102, the main dialog, in dialog units. Controls are in creation order,
// which is the tab order.
#include "resources/dialog_102.h"

#include "resources/resource.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kHiddenChild = WS_CHILD;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckBox = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kLabel = kChild | SS_LEFT;
constexpr DWORD kLineEdit = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;

constexpr ControlClass B = ControlClass::Button;
constexpr ControlClass E = ControlClass::Edit;
constexpr ControlClass S = ControlClass::Static;

const ControlTemplate kControls[] = {
    {IDOK, B, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, u"确定", 355, 81, 63, 33},
    {IDC_STATIC, B, kGroupBox,
     u"Ａ.语言配置（启用翻译后选择目标语言并点击应用。继续使用软件就会自动生成待翻译资源。）", 6, 6,
     343, 30},
    {IDC_LANGUAGE, ControlClass::ComboBox, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
     nullptr, 218, 18, 77, 30},
    {IDC_APPLY_LANGUAGE, B, kButton, u"应用", 300, 18, 43, 13},
    {IDC_RESOURCE_LIST, ControlClass::ListView,
     kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_ALIGNLEFT, nullptr, 6, 135, 409, 219},
    {IDC_SHOW_PENDING, B, kButton, u"显示需要翻译的文字", 6, 121, 80, 13},
    {IDC_SHOW_TRANSLATED, B, kButton, u"显示已经翻译的文字", 88, 121, 84, 13},
    {IDC_CURRENT_TEXT, E, kChild | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
     nullptr, 6, 82, 165, 31},
    {IDC_STATIC, S, kLabel, u"当前待翻译项目：", 6, 70, 56, 8},
    {IDC_TRANSLATION, E, kChild | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL, nullptr, 176, 82, 176,
     31},
    {IDC_STATIC, S, kLabel, u"输入翻译结果（回车确认翻译结果并移到下一项）：", 177, 70, 159, 8},
    {IDC_FILTER, E, kLineEdit, nullptr, 255, 121, 96, 13},
    {IDC_STATIC, S, kLabel, u"快速过滤列表内容：", 178, 123, 63, 8},
    {IDCANCEL, B, kButton, u"退出", 355, 9, 63, 27},
    {IDC_ENABLE_TRANSLATION, B, kCheckBox,
     u"启用翻译功能。要使用的语言（修改后需要重新启动软件）：", 17, 20, 199, 9},
    {IDC_RECORD_COUNT, E, kLineEdit | ES_READONLY, nullptr, 353, 121, 63, 13},
    {IDC_STATIC, S, kLabel,
     u"Ｃ.选择记录并输入对应的翻译结果。对于数据字典中的静态数据，翻译后需要初始化数据库才生效。",
     11, 56, 335, 8},
    {IDC_STATIC, S, kChild | SS_BLACKFRAME, nullptr, 421, 7, 1, 347},
    {IDC_STATIC, S, kLabel, u"启动画面：", 435, 22, 35, 8},
    {IDC_STATIC, B, kGroupBox, u"个性化", 426, 7, 170, 347},
    {IDC_SPLASH_PATH, E, kLineEdit, nullptr, 476, 20, 69, 14},
    {IDC_SELECT_SPLASH, B, kButton, u"选择", 548, 20, 24, 14},
    {IDC_DEFAULT_SPLASH, B, kButton, u"默认", 572, 20, 22, 14},
    {IDC_STATIC, S, kLabel, u"背景图片：", 435, 38, 35, 8},
    {IDC_BACKGROUND_PATH, E, kLineEdit, nullptr, 476, 36, 69, 14},
    {IDC_SELECT_BACKGROUND, B, kButton, u"选择", 548, 36, 24, 14},
    {IDC_DEFAULT_BACKGROUND, B, kButton, u"默认", 572, 36, 22, 14},
    {IDC_SELECT_TRANSPARENT_COLOR, B, kButton, u"选择", 548, 52, 24, 14},
    {IDC_DEFAULT_TRANSPARENT_COLOR, B, kButton, u"默认", 572, 52, 22, 14},
    {IDC_TRANSPARENT_COLOR, E, kLineEdit, nullptr, 476, 52, 69, 14},
    {IDC_STATIC, S, kLabel, u"透明颜色：", 435, 55, 35, 8},
    {IDC_SELECT_WEB_LOGO, B, kHiddenChild | WS_TABSTOP | BS_PUSHBUTTON, u"选择", 542, 245, 24, 14},
    {IDC_DEFAULT_WEB_LOGO, B, kHiddenChild | WS_TABSTOP | BS_PUSHBUTTON, u"默认", 566, 245, 22, 14},
    {IDC_WEB_LOGO_PATH, E, kHiddenChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, nullptr, 470, 245,
     69, 14},
    {IDC_STATIC, S, kHiddenChild | SS_LEFT, u"网页图片：", 429, 248, 35, 8},
    {IDC_SELECT_AGENT_ICON, B, kButton, u"选择", 548, 68, 24, 14},
    {IDC_DEFAULT_AGENT_ICON, B, kButton, u"默认", 572, 68, 22, 14},
    {IDC_AGENT_ICON_PATH, E, kLineEdit, nullptr, 476, 68, 69, 14},
    {IDC_STATIC, S, kLabel, u"代理图标：", 435, 71, 35, 8},
    {IDC_SAVE_SHORTCUT_NAME, B, kButton, u"保存", 548, 98, 24, 14},
    {IDC_DEFAULT_SHORTCUT_NAME, B, kButton, u"默认", 572, 98, 22, 14},
    {IDC_SHORTCUT_NAME, E, kLineEdit, nullptr, 476, 98, 69, 14},
    {IDC_STATIC, S, kLabel, u"快捷方式：", 435, 101, 35, 8},
    {IDC_NO_SHORTCUT, B, kCheckBox, u"安装后禁止在桌面生成“翻译及个性化”快捷方式", 432, 119, 159,
     10},
    {IDC_STATIC, S, kLabel,
     u"代理商/"
     u"工程商在本地安装软件后选择合适的主配置模板及扩展配置模板，以及进行其它各种配置的修改，"
     u"如果有必要启用并完成目标语言的翻译后，直接将软件目录打包交付给最终客户即可。最终客户仍需要运"
     u"行"
     u"软件目录中的\"绿化及安装驱动\"批处理安装软件，具体安装方法参考“安装说明书”。",
     433, 144, 156, 55},
    {IDC_STATIC, S, kLabel,
     u"Ｂ.默认只显示启动翻译功能后软件操作涉及到的资源。要显示所有待翻译资源请点", 11, 41, 254, 8},
    {IDC_SHOW_ALL_PENDING, B, kButton, u"显示所有", 265, 38, 41, 14},
    {IDC_CLEAR_PENDING, B, kButton, u"删除", 308, 38, 41, 14},
    {IDC_DELETE_ALL_TRANSLATIONS, B, kButton, u"删除所有翻译结果", 356, 51, 60, 14},
};

}  // namespace

const DialogTemplate kTarnwellDialog{
    IDD_TARNWELL_DIALOG,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    WS_EX_APPWINDOW,
    u"翻译及个性化",
    u"MS Shell Dlg",
    9,
    603,
    361,
    kControls,
};
