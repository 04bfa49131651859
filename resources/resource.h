// Resource numbers: the main dialog's template and controls, and the application icon.
#pragma once

inline constexpr unsigned IDD_TARNWELL_DIALOG = 102;
inline constexpr unsigned IDR_MAINFRAME = 128;

// Controls of the main dialog.
inline constexpr int IDC_ENABLE_TRANSLATION = 1032;
inline constexpr int IDC_LANGUAGE = 2876;
inline constexpr int IDC_APPLY_LANGUAGE = 1433;
inline constexpr int IDC_SHOW_ALL_PENDING = 1024;
inline constexpr int IDC_CLEAR_PENDING = 1025;
inline constexpr int IDC_DELETE_ALL_TRANSLATIONS = 1026;
inline constexpr int IDC_CURRENT_TEXT = 2877;
inline constexpr int IDC_TRANSLATION = 2878;
inline constexpr int IDC_SHOW_PENDING = 2879;
inline constexpr int IDC_SHOW_TRANSLATED = 1037;
inline constexpr int IDC_FILTER = 1019;
inline constexpr int IDC_RECORD_COUNT = 1378;
inline constexpr int IDC_RESOURCE_LIST = 1042;
inline constexpr int IDC_SPLASH_PATH = 1001;
inline constexpr int IDC_SELECT_SPLASH = 1002;
inline constexpr int IDC_DEFAULT_SPLASH = 1003;
inline constexpr int IDC_BACKGROUND_PATH = 1004;
inline constexpr int IDC_SELECT_BACKGROUND = 1005;
inline constexpr int IDC_DEFAULT_BACKGROUND = 1006;
inline constexpr int IDC_SELECT_TRANSPARENT_COLOR = 1007;
inline constexpr int IDC_DEFAULT_TRANSPARENT_COLOR = 1008;
inline constexpr int IDC_TRANSPARENT_COLOR = 1009;
inline constexpr int IDC_SELECT_WEB_LOGO = 1010;
inline constexpr int IDC_DEFAULT_WEB_LOGO = 1011;
inline constexpr int IDC_WEB_LOGO_PATH = 1012;
inline constexpr int IDC_SELECT_AGENT_ICON = 1013;
inline constexpr int IDC_DEFAULT_AGENT_ICON = 1014;
inline constexpr int IDC_AGENT_ICON_PATH = 1015;
inline constexpr int IDC_SAVE_SHORTCUT_NAME = 1020;
inline constexpr int IDC_DEFAULT_SHORTCUT_NAME = 1021;
inline constexpr int IDC_SHORTCUT_NAME = 1022;
inline constexpr int IDC_NO_SHORTCUT = 1023;
inline constexpr int IDC_STATIC = -1;  // a control without identifier
