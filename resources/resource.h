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

// ---- Settings dialogs: the settings sheet's five pages, the dataset settings and the data report ----
// Settings sheet, page "基本設定"
#define IDD_BASIC_PAGE 117
#define IDC_BASIC_UPPER_CASE 1052        // "拡張子を大文字で付加する" (attachext)
#define IDC_BASIC_COMMENT_AS_NAME 1053   // "識別結果のコメントをファイル名とする" (comtofname)
#define IDC_BASIC_NO_RESULT_DIALOG 1054  // "識別結果ダイアログを出さない" (nodanddlg)

// Settings sheet, page "フォルダ設定"
#define IDD_FOLDER_PAGE 108
#define IDC_FOLDER_SHORTCUT1 1013  // shortcut boxes 1 to 5
#define IDC_FOLDER_SHORTCUT2 1020
#define IDC_FOLDER_SHORTCUT3 1021
#define IDC_FOLDER_SHORTCUT4 1022
#define IDC_FOLDER_SHORTCUT5 1023
#define IDC_FOLDER_BROWSE1 1014    // "参照" beside each box
#define IDC_FOLDER_BROWSE2 1024
#define IDC_FOLDER_BROWSE3 1025
#define IDC_FOLDER_BROWSE4 1026
#define IDC_FOLDER_BROWSE5 1027
#define IDC_FOLDER_WAKEUP_LAST 1018       // wakeupdir 0
#define IDC_FOLDER_WAKEUP_DESKTOP 1019    // wakeupdir 1
#define IDC_FOLDER_WAKEUP_DOCUMENTS 1028  // wakeupdir 2
#define IDC_FOLDER_WAKEUP_PROGRAM 1029    // wakeupdir 3

// Settings sheet, page "表示設定"
#define IDD_VIEW_PAGE 118
#define IDC_VIEW_RED_SLIDER 1021
#define IDC_VIEW_RED 1022
#define IDC_VIEW_GREEN_SLIDER 1023
#define IDC_VIEW_BLUE_SLIDER 1024
#define IDC_VIEW_GREEN 1025
#define IDC_VIEW_BLUE 1027
#define IDC_VIEW_PICK_COLOUR 1029  // "色値の取得"
#define IDC_VIEW_UPPER 1030        // "大文字" (viewext 1)
#define IDC_VIEW_LOWER 1031        // "小文字" (viewext 0)
#define IDC_VIEW_HEX 1056          // the colour as six hex digits
#define IDC_VIEW_SAMPLE 1057       // sample list, made by the page

// Settings sheet, page "解凍設定"
#define IDD_EXTRACTION_PAGE 119
#define IDC_EXTRACT_IDENTIFY_ALL 1032  // extract 0
#define IDC_EXTRACT_ARCHIVES 1033      // extract 1
#define IDC_EXTRACT_TO_DESKTOP 1034    // extdir 1
#define IDC_EXTRACT_BESIDE 1035        // extdir 2
#define IDC_EXTRACT_TO_FOLDER 1036     // extdir 0
#define IDC_EXTRACT_FOLDER 1037        // extdirpath
#define IDC_EXTRACT_BROWSE 1038
#define IDC_EXTRACT_OPEN_FOLDER 1039   // opendir
#define IDC_EXTRACT_SUBFOLDER 1040     // createdir

// Settings sheet, page "ショートカット・関連づけ"
#define IDD_SHELL_PAGE 120
#define IDC_SHELL_DESKTOP_SHORTCUT 1015
#define IDC_SHELL_SENDTO_SHORTCUT 1016
#define IDC_SHELL_ASSOCIATE 1018

// Dataset settings dialog
#define IDD_DATASET_SETTINGS 129
#define IDC_DATASET_SLOT1 1071  // slot boxes 1 to 5
#define IDC_DATASET_SLOT2 1075
#define IDC_DATASET_SLOT3 1081
#define IDC_DATASET_SLOT4 1083
#define IDC_DATASET_SLOT5 1087
#define IDC_DATASET_TAKE1 1072  // "←" beside each box
#define IDC_DATASET_TAKE2 1076
#define IDC_DATASET_TAKE3 1082
#define IDC_DATASET_TAKE4 1084
#define IDC_DATASET_TAKE5 1088
#define IDC_DATASET_CLOSE 1073
#define IDC_DATASET_AVAILABLE 943  // available datasets, made by the dialog

// Identification data report
#define IDD_DATASET_REPORT 130
#define IDC_REPORT_DATASET 1079   // dataset in use, or what is wrong with it
#define IDC_REPORT_KINDS 1080     // "%5d　種類"
#define IDC_REPORT_PATTERNS 1081  // "%5d　パターン"
// ---- end of the settings dialogs ----

// ---- Bulk extension change (dialog 131, opened by the main window's command 432) ----
#define IDD_BULK_CHANGE 131
#define IDC_BULK_FOLDER 1081                // the target folder's name, read-only
#define IDC_BULK_ALL_ENTRIES 1083           // "すべて"
#define IDC_BULK_GIVEN_EXTENSION 1084       // "指定した拡張子"
#define IDC_BULK_GIVEN_EXTENSION_TEXT 1086  // the given extension
#define IDC_BULK_SPECIFY 1087               // "指定"
#define IDC_BULK_NEW_EXTENSION 1088         // the new extension
#define IDC_BULK_IDENTIFY 1089              // "一括識別した結果"
#define IDC_BULK_RUN 1060                   // "実行"
#define IDC_BULK_CANCEL 1061                // "やめとく"
#define IDC_BULK_PROGRESS 1092
#define IDC_BULK_REMAINING 1094             // the remaining-time text
// ---- end of bulk extension change ----

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
