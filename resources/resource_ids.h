// Identifiers shared by lumora.rc and the code, grouped by kind.
#pragma once

// Icons, menus, accelerators and bitmaps.
#define IDI_LUMORA 101
#define IDM_MAIN 102
#define IDA_MAIN 3
#define IDB_TOOLBAR 114
#define IDB_ABOUT 113
#define IDB_KEYBOARD 119

// Dialog templates.
#define IDD_ABOUT 103
#define IDD_FONT 105
#define IDD_CALENDAR 106
#define IDD_SEARCH 115

// Commands of the menu, the accelerators and the toolbar.
#define IDC_CALENDAR 107
#define IDC_TODAY 108
#define IDC_NEXT_DAY 109
#define IDC_PREVIOUS_DAY 110
#define IDC_SEARCH 116
#define IDC_SEARCH_AGAIN 117
#define IDC_REVERSE 122
#define IDC_CHECK_UPDATES 129
#define IDC_ABOUT 40004
#define IDC_EXIT 40005
#define IDC_FONT 40006
#define IDC_COPY 40007
#define IDC_PRINT 40008
#define IDC_APPEND 40009

// Font chooser controls.
#define IDC_FONT_FACES 1001
#define IDC_FONT_PREVIEW 1002
#define IDC_FONT_BASE_97 1003
#define IDC_FONT_BASE_224 1004
#define IDC_FONT_BASE_5D0 1005
#define IDC_FONT_SIZES 1006

// About box controls.
#define IDC_ABOUT_LINK 1025

// Lesson containers: 1000 + lesson month index.
#define IDR_LESSONS_FIRST 1001
#define IDR_LESSONS_LAST 1014

// Search dialog controls.
#define IDC_SEARCH_BOX 1013
