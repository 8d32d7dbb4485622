// The main window's menu bar as the user must see it: menu texts, item texts and command ids
// (code page 932 literals).
#pragma once

struct expected_menu_item {
    const char *text;  // null for a separator
    unsigned id;
};

struct expected_menu {
    const char *text;
    expected_menu_item items[8];
    int item_count;
};

const expected_menu EXPECTED_MENU_BAR[] = {
    {"ファイル(&F)",
     {{"識別(&J)", 40003},
      {"リネーム(&R)", 40005},
      {"開く(&O)", 40015},
      {"フォルダを開く(&F)", 40016},
      {"プロパティ(&P)", 40014},
      {nullptr, 0},
      {"終了(&X)", 40004}},
     7},
    {"表示(&V)",
     {{"識別データのレポート(V)", 40019}, {"アドインの状態確認(&D)", 40010}, {"アドインの詳細情報(A) ", 40017}},
     3},
    {"設定(&C)", {{"基本機能の設定(&C)", 40006}, {"識別データセットの設定(&D)", 40018}}, 2},
    {"ヘルプ(&H)", {{"バージョン情報(V)", 40011}, {"ヘルプを表示(H)", 40013}}, 2},
};
const int EXPECTED_MENU_COUNT = 4;
