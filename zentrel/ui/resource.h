#pragma once
// Resource and control identifiers of Zentrel's dialogs, menus and strings.

// Dialogs, menus, icon.
#define IDD_ABOUT 103
#define IDD_MAIN 110
#define IDD_PROGRESS 112
#define IDD_SETTINGS 114
#define IDR_MAIN_MENU 109
#define IDR_LIST_MENU 117
#define IDI_ZENTREL 108

// Main dialog controls.
#define IDC_RESULT_LIST 40006
#define IDC_ENCODING_GROUP 1000
#define IDC_ENCODING_COMBO 40016
#define IDC_EOL_GROUP 1001
#define IDC_EOL_COMBO 40015
#define IDC_DEST_GROUP 1002
#define IDC_REPLACE_RADIO 40009
#define IDC_FOLDER_RADIO 40010
#define IDC_OUTPUT_EDIT 40011
#define IDC_BROWSE 1004
#define IDC_CONVERT 40014
#define IDC_CLOSE 1003

// Menu commands.
#define IDM_SAVE_LIST 40000
#define IDM_SETTINGS 115
#define IDM_EXIT 105
#define IDM_ABOUT 104
#define IDM_REMOVE_ROW 200
#define IDM_OPEN_DEFAULT 201
#define IDM_OPEN_WITH_APP 202

// About box.
#define IDC_ABOUT_ICON 1100
#define IDC_ABOUT_VERSION 1101

// String table.
#define IDS_HEADER_FILE 1
#define IDS_HEADER_ENCODING 2
#define IDS_HEADER_EOL 3
#define IDS_HINT_ROW 4
#define IDS_ENC_SJIS 10
#define IDS_ENC_EUCJP 11
#define IDS_ENC_UTF8 12
#define IDS_ENC_UTF16LE 13
#define IDS_ENC_UTF16BE 14
#define IDS_ENC_JIS 15
#define IDS_EOL_CRLF 20
#define IDS_EOL_CR 21
#define IDS_EOL_LF 22
#define IDS_TITLE_DONE 30
#define IDS_COM_INIT_FAILED 31
#define IDS_CHOOSE_ENCODING_OR_EOL 32
#define IDS_CHOOSE_OUTPUT_FOLDER 33
#define IDS_BROWSE_TITLE 34
#define IDS_SETTINGS_OBJECT_FAILED 35
#define IDS_OPEN_FAILED 36
#define IDS_SETTINGS_BACKUP_FAILED 37
