// Command, control and resource identifiers shared by every layer. The numbers are the ones
// stored nowhere but seen by other processes (the single-instance message carries 32777) and
// by the command routing, so they never change.
#pragma once

inline constexpr char kAppTitle[] = "Tintwatch";

// Resources
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDD_ABOUTBOX = 100;

// Message-box results
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Commands
inline constexpr int ID_EVENT_NEW = 32771;
inline constexpr int ID_EVENT_EDIT = 32773;
inline constexpr int ID_EVENT_DELETE = 32774;
inline constexpr int ID_TRAY_CONFIGURE = 32777;
inline constexpr int ID_TRAY_EXIT = 32778;
inline constexpr int ID_POPUP_EVENT_NEW = 32779;
inline constexpr int ID_POPUP_EVENT_EDIT = 32780;
inline constexpr int ID_POPUP_EVENT_DELETE = 32781;
inline constexpr int ID_EVENT_TOGGLE = 32782;
inline constexpr int ID_POPUP_EVENT_TOGGLE = 32783;
inline constexpr int ID_POPUP_SHOW_CURSOR = 32784;
inline constexpr int ID_HELP_TUTORIAL = 32790;
inline constexpr int ID_HELP_WEBSITE = 32791;
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_HIDE_TO_NOTIFICATION_AREA = 65535;

// Controls of the event editor
inline constexpr int IDC_MATCH_COLOR = 1000;
inline constexpr int IDC_RED = 1001;
inline constexpr int IDC_GREEN = 1002;
inline constexpr int IDC_BLUE = 1003;
inline constexpr int IDC_LOCATION_UNDER_CURSOR = 1004;
inline constexpr int IDC_COMMAND = 1005;
inline constexpr int IDC_FILE_PATH = 1006;
inline constexpr int IDC_BROWSE_PATH = 1007;
inline constexpr int IDC_MAX_COUNT = 1008;
inline constexpr int IDC_COMMENT = 1009;
inline constexpr int IDC_INTERVAL = 1010;
inline constexpr int IDC_X = 1011;
inline constexpr int IDC_Y = 1012;
inline constexpr int IDC_TARGET_COLOR = 1013;
inline constexpr int IDC_ONLY_SPECIFIC_COLOR = 1014;
inline constexpr int IDC_COLOR_UNDER_CURSOR = 1015;
inline constexpr int IDC_ENABLED = 1016;
inline constexpr int IDC_LOCATION_HINT = 1017;
inline constexpr int IDC_SHOW_LOCATION = 1018;
inline constexpr int IDC_COLOR_HINT = 1019;
inline constexpr int IDC_AUDIO_ALERT = 1020;
inline constexpr int IDC_FREQUENCY = 1021;
inline constexpr int IDC_DURATION = 1022;
inline constexpr int IDC_TEST_BEEP = 1023;
inline constexpr int IDC_EXECUTE = 1024;
