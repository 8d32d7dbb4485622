// Resource and command ids of karvo, one header for the .rc script and the code.
#pragma once

// Program icons
#define IDI_KARVO 102        // large program icon
#define IDI_KARVO_SMALL 105  // small program icon
#define IDI_STATUS 121       // icon in the status bar's simple part

// Pictures of the main window
#define IDB_FOLDER_JUMPS 109   // four folder-jump buttons, 70 x 19
#define IDB_SHORTCUTS 110      // the five shortcut buttons, 163 x 18
#define IDB_RESULT_PANEL 111   // background of the result panel, 262 x 107
#define IDB_RENAME_DARK 114    // rename button, nothing to rename, 31 x 30
#define IDB_RENAME_LIT 116     // rename button, rename possible, 31 x 30
#define IDB_TOOLBAR 124        // toolbar images, 5 of 16 x 15

// Menu bar of the main window
#define IDM_MAIN_MENU 113

// Commands of the menu bar, the toolbar and the painted buttons
#define IDM_IDENTIFY 40003
#define IDM_EXIT 40004
#define IDM_RENAME 40005
#define IDM_SETTINGS 40006
#define IDM_ADDIN_STATUS 40010
#define IDM_VERSION 40011
#define IDM_HELP 40013
#define IDM_PROPERTIES 40014
#define IDM_OPEN 40015
#define IDM_OPEN_FOLDER 40016
#define IDM_ADDIN_DETAILS 40017
#define IDM_DATASET_SETTINGS 40018
#define IDM_DATASET_REPORT 40019

// Controls without an id
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Identification result dialog (shown for each file given on the command line)
#define IDD_RESULT_DIALOG 115
#define IDC_RESULT_FILE_NAME 1044        // file name of the target
#define IDC_RESULT_RENAME 40005          // "リネーム" button
#define IDC_RESULT_FIRST_EXTENSION 1005
#define IDC_RESULT_SECOND_EXTENSION 1006
#define IDC_RESULT_THIRD_EXTENSION 1007
#define IDC_RESULT_FIRST_SCORE 1008
#define IDC_RESULT_SECOND_SCORE 1009
#define IDC_RESULT_THIRD_SCORE 1010
#define IDC_RESULT_COMMENT 1041          // first candidate's comment

// ---- Add-in host displays: view window, version dialog, details window (the add-in host owns this block) ----
#define IDD_ADDIN_VIEW 106            // panel inside the main window that add-ins may draw into
#define IDC_ADDIN_VIEW_FRAME 1100     // its "[Wyro Window]" group box
#define IDD_VERSION 126               // version dialog
#define IDC_VERSION_OK 1048           // "OK"
#define IDC_VERSION_CONFIGURATION 1049  // the add-in system's lines, multi-line, read-only
#define IDC_VERSION_NUMBER 1050       // "Ver1.04"
#define IDD_ADDIN_DETAILS 128         // the add-in details card
#define IDC_DETAILS_INDEX 1067        // number of the shown add-in, "%3d"
#define IDC_DETAILS_CLOSE 40004       // the "×" button: starts the closing animation
#define IDT_DETAILS_CLOSING 782       // timer of the closing animation, 50 ms
// ---- end of the add-in host block ----

// ---- Main window: child controls, popup-menu commands and the change-extension dialog ----
#define IDC_FOLDER_LIST 123             // list box: subfolders or drives
#define IDC_FILE_LIST 324               // list view: files of the current folder
#define IDC_TARGET_EDIT 392             // target edit box
#define IDC_DATASET_COMBO 423           // dataset selector
#define IDC_STATUS_BAR 203
#define IDC_TOOLBAR 204
#define IDM_CHANGE_EXTENSION 430        // popup menu: change extension (dialog 127)
#define IDM_DELETE 431                  // popup menu: delete the target
#define IDM_BULK_CHANGE 432             // popup menu: bulk change (dialog 131)
#define TOOLBAR_IMAGE_COUNT 5

// Change-extension dialog
#define IDD_CHANGE_EXTENSION 127
#define IDC_CHANGE_NEW_EXTENSION 1058   // new extension, typed
#define IDC_CHANGE_CURRENT_EXTENSION 1059
#define IDC_CHANGE_EXECUTE 1060         // "実行"
#define IDC_CHANGE_CANCEL 1061          // "やめとく"
#define IDC_CHANGE_FILE_LINE 1062
#define IDC_CHANGE_FOLDER_LINE 1063
#define IDC_CHANGE_WHOLE_FOLDER 1069    // check box: the whole folder
// ---- end of main window ----
