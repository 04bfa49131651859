#include "workbench/tarnwell_dlg.h"

#include <array>
#include <string>

#include "foundation/text_conversion.h"
#include "foundation/tokenize.h"
#include "foundation/whole_file.h"
#include "platform/mfc/gdi.h"
#include "platform/mfc/resource_module.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "workbench/product_files.h"
#include "workbench/translation_files.h"
#include "workbench/translation_switches.h"

namespace {

std::u16string ReadLanguageCode() {
    std::array<char16_t, 1024> buffer{};
    GetPrivateProfileStringW(u"translate", u"system-language-code", u"936", buffer.data(),
                             static_cast<DWORD>(buffer.size()), kStaticIni);
    return buffer.data();
}

// The shortcut-name file's text: UTF-16 after the mark FF FE (the form the
// personalisation panel writes), otherwise bytes in the code page of the language code.
std::u16string ReadShortcutName(const std::u16string& languageCode) {
    const std::string bytes = ReadTextFile(kShortcutNameFileAnsi);
    if (bytes.rfind("\xFF\xFE", 0) == 0) {
        const std::u16string text = ReadUtf16File(kShortcutNameFile);
        return text.empty() ? text : text.substr(1);
    }
    return MultiByteToWString(bytes.c_str(), static_cast<int>(crt::_wtol(languageCode.c_str())));
}

}  // namespace

CTarnwellDlg::CTarnwellDlg()
    : CDialog(IDD_TARNWELL_DIALOG),
      m_hIcon(LoadIconW(AfxGetResourceHandle(), IDR_MAINFRAME)),
      m_languageCode(ReadLanguageCode()),
      m_showPending(1),
      m_enableTranslation(ReadTranslationSwitches()) {}

CTarnwellDlg::~CTarnwellDlg() = default;

const AFX_MSGMAP* CTarnwellDlg::GetMessageMap() const {
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_WM_PAINT(&CTarnwellDlg::OnPaint),
        ON_WM_QUERYDRAGICON(&CTarnwellDlg::OnQueryDragIcon),
        ON_BN_CLICKED(IDOK, &CTarnwellDlg::OnConfirmTranslation),
        ON_BN_CLICKED(IDCANCEL, &CTarnwellDlg::OnExit),
        ON_BN_CLICKED(IDC_APPLY_LANGUAGE, &CTarnwellDlg::OnApplyLanguage),
        ON_BN_CLICKED(IDC_ENABLE_TRANSLATION, &CTarnwellDlg::OnEnableTranslationClicked),
        ON_NOTIFY(LVN_ITEMCHANGED, IDC_RESOURCE_LIST, &CTarnwellDlg::OnListItemChanged),
        ON_BN_CLICKED(IDC_SHOW_PENDING, &CTarnwellDlg::OnShowPending),
        ON_BN_CLICKED(IDC_SHOW_TRANSLATED, &CTarnwellDlg::OnShowTranslated),
        ON_EN_CHANGE(IDC_FILTER, &CTarnwellDlg::OnFilterChanged),
        ON_BN_CLICKED(IDC_SELECT_SPLASH, &CTarnwellDlg::OnSelectSplashImage),
        ON_BN_CLICKED(IDC_DEFAULT_SPLASH, &CTarnwellDlg::OnDefaultSplashImage),
        ON_BN_CLICKED(IDC_SELECT_BACKGROUND, &CTarnwellDlg::OnSelectBackgroundImage),
        ON_BN_CLICKED(IDC_DEFAULT_BACKGROUND, &CTarnwellDlg::OnDefaultBackgroundImage),
        ON_BN_CLICKED(IDC_SELECT_TRANSPARENT_COLOR, &CTarnwellDlg::OnSelectTransparentColor),
        ON_BN_CLICKED(IDC_DEFAULT_TRANSPARENT_COLOR, &CTarnwellDlg::OnDefaultTransparentColor),
        ON_BN_CLICKED(IDC_SELECT_WEB_LOGO, &CTarnwellDlg::OnSelectWebLogo),
        ON_BN_CLICKED(IDC_DEFAULT_WEB_LOGO, &CTarnwellDlg::OnDefaultWebLogo),
        ON_BN_CLICKED(IDC_SELECT_AGENT_ICON, &CTarnwellDlg::OnSelectAgentIcon),
        ON_BN_CLICKED(IDC_DEFAULT_AGENT_ICON, &CTarnwellDlg::OnDefaultAgentIcon),
        ON_BN_CLICKED(IDC_SAVE_SHORTCUT_NAME, &CTarnwellDlg::OnSaveShortcutName),
        ON_BN_CLICKED(IDC_DEFAULT_SHORTCUT_NAME, &CTarnwellDlg::OnDefaultShortcutName),
        ON_BN_CLICKED(IDC_NO_SHORTCUT, &CTarnwellDlg::OnNoShortcutToggled),
        ON_BN_CLICKED(IDC_SHOW_ALL_PENDING, &CTarnwellDlg::OnShowAllPending),
        ON_BN_CLICKED(IDC_CLEAR_PENDING, &CTarnwellDlg::OnClearPending),
        ON_BN_CLICKED(IDC_DELETE_ALL_TRANSLATIONS, &CTarnwellDlg::OnDeleteAllTranslations),
    };
    static const AFX_MSGMAP map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CTarnwellDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Check(dx, IDC_ENABLE_TRANSLATION, m_enableTranslation);
    DDX_Control(dx, IDC_RESOURCE_LIST, m_list);
}

BOOL CTarnwellDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    const std::u16string color =
        TransparentColorText(GetPrivateProfileIntW(u"trademark", u"transparent", 0, kStaticIni));
    std::u16string shortcutName = ReadShortcutName(m_languageCode);
    if (shortcutName.empty()) {
        shortcutName = kDefaultShortcutName;
    }
    SetDlgItemWString(IDC_SPLASH_PATH, this, u".\\config\\loading.bmp");
    SetDlgItemWString(IDC_BACKGROUND_PATH, this, u".\\config\\bg.jpg");
    SetDlgItemWString(IDC_TRANSPARENT_COLOR, this, color);
    SetDlgItemWString(IDC_WEB_LOGO_PATH, this, u".\\web\\oss\\logo.gif");
    SetDlgItemWString(IDC_AGENT_ICON_PATH, this, u".\\agent.bmp");
    SetDlgItemWString(IDC_SHORTCUT_NAME, this, shortcutName);

    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, u"标志", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, u"翻译前", LVCFMT_LEFT, 300);
    m_list.InsertColumn(2, u"翻译后", LVCFMT_LEFT, 300);

    LoadLanguageTable(kStaticIni, u"translate", u"languages", m_languageTable);
    if (CWnd* combo = GetDlgItem(IDC_LANGUAGE)) {
        std::u16string selected;
        WPARAM i = 0;
        for (const auto& [code, name] : m_languageTable) {
            combo->SendMessage(CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(name.c_str()));
            // The item's value is the code as stored in the table (const std::u16string*).
            combo->SendMessage(CB_SETITEMDATA, i, reinterpret_cast<LPARAM>(&code));
            if (code == m_languageCode) {
                selected = name;
            }
            ++i;
        }
        // A code missing from the table selects nothing: an empty name would match the
        // first item.
        if (!selected.empty()) {
            combo->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(selected.c_str()));
        }
    }

    ReloadList();
    return TRUE;
}

void CTarnwellDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
}

HCURSOR CTarnwellDlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CTarnwellDlg::OnExit() {
    OnCancel();
}

std::u16string GetWindowWString(CWnd* window) {
    if (window == nullptr) {
        return {};
    }
    CString text;
    window->GetWindowText(text);
    const std::u16string& all = text.str();
    return all.substr(0, all.find(u'\0'));
}

std::u16string GetDlgItemWString(int id, CWnd* parent) {
    return parent != nullptr ? GetWindowWString(parent->GetDlgItem(id)) : std::u16string();
}

void SetDlgItemWString(int id, CWnd* parent, const std::u16string& text) {
    if (CWnd* control = parent != nullptr ? parent->GetDlgItem(id) : nullptr) {
        control->SetWindowText(text.c_str());
    }
}

int LoadLanguageTable(const std::u16string& file, const std::u16string& section,
                      const std::u16string& key, LanguageTable& table) {
    table.clear();
    std::vector<char16_t> buffer(kProfileValueUnits, u'\0');
    GetPrivateProfileStringW(section.c_str(), key.c_str(), u"", buffer.data(),
                             static_cast<DWORD>(buffer.size()), file.c_str());
    for (const std::u16string& item : TokenizeToVector(CString(buffer.data()), CString(u";"))) {
        const std::vector<std::u16string> parts = TokenizeToVector(CString(item), CString(u":"));
        if (parts.size() == 2) {
            table[parts[0]] = parts[1];
        }
    }
    return static_cast<int>(table.size());
}
