// The add-in details card: the fonts and brushes it is drawn with, its three paint layers on a 530 x 420
// pixel card, and the selector strip's hit test.
#pragma once
#include <windows.h>
#include "addin_host.h"

const int CARD_WIDTH = 530;
const int CARD_HEIGHT = 420;

enum card_font { FONT_SMALL, FONT_TEXT, FONT_LABEL, FONT_LARGE, FONT_TITLE, CARD_FONT_COUNT };
enum card_brush {
    BRUSH_CHART_PANEL,
    BRUSH_UNLIT_SECTOR,
    BRUSH_BAR_FRAME,
    BRUSH_GROUP,
    BRUSH_LIT_BAR,
    BRUSH_LABEL_BOX,
    BRUSH_LIT_MENU,   // outer sectors of the menu events; also the selected selector cell
    BRUSH_LIT_LIST,   // outer sectors of the list events
    BRUSH_LIT_START,  // outer sectors of start-up and identification
    BRUSH_INNER_MENU,
    BRUSH_INNER_LIST,
    BRUSH_INNER_START,
    CARD_BRUSH_COUNT
};

struct card_tools {
    HFONT fonts[CARD_FONT_COUNT];
    HBRUSH brushes[CARD_BRUSH_COUNT];
    HPEN null_pen;
};

// 1 when every font, brush and the pen were made; delete_card_tools frees what exists either way.
int create_card_tools(card_tools *tools);
void delete_card_tools(card_tools *tools);

COLORREF card_brush_colour(card_brush brush);

// Draws the static layer, the selector strip for count add-ins and the info layer from info.
void paint_addin_card(HDC dc, const card_tools *tools, int count, int current_index, const wyro_dll_info *info);

// The selector cell (1-based) under client point (x, y) for count add-ins, or 0.
int selector_cell_at(int count, int x, int y);
