// Drawing of the add-in details card: a white card with the add-in's name, texts, version and presenter, two
// indicator bars (menu item usable, grouped) and a chart of the events the add-in takes part in.
#include "addin_card.h"
#include <cmath>
#include <cstdio>

namespace {

const int SELECTOR_LEFT = 41;
const int SELECTOR_WIDTH = 400;
const int SELECTOR_TOP = 8;
const int SELECTOR_BOTTOM = 27;
const int CHART_CENTRE_X = 381;
const int CHART_CENTRE_Y = 230;
const int CHART_RADIUS = 56;
const RECT OUTER_CIRCLE = {325, 174, 437, 286};
const RECT INNER_CIRCLE = {355, 204, 407, 256};
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);
const unsigned GRAYED_STATE = 3;

const COLORREF BRUSH_COLOURS[CARD_BRUSH_COUNT] = {
    RGB(140, 186, 255), RGB(198, 195, 206), RGB(165, 158, 173), RGB(255, 197, 117),
    RGB(255, 0, 0),     RGB(238, 204, 251), RGB(0, 255, 0),     RGB(255, 0, 0),
    RGB(255, 255, 0),   RGB(181, 255, 181), RGB(255, 174, 173), RGB(255, 255, 156),
};

struct font_row {
    int height;
    int italic;
    const char *face;
};
const font_row FONT_ROWS[CARD_FONT_COUNT] = {
    {10, 0, "ＭＳ ゴシック"}, {12, 0, "ＭＳ ゴシック"}, {18, 0, "ＭＳ 明朝"}, {25, 0, "ＭＳ 明朝"}, {20, 1, "ＭＳ 明朝"},
};

// One sector of the event chart: angles as written (3.14 stands for a half turn) and its colours.
struct chart_sector {
    double from;
    double to;
    int bits;  // lit when any of these is set
    card_brush lit;
};
const chart_sector OUTER_SECTORS[] = {
    {3.14, 3.925, 128, BRUSH_LIT_MENU},  {3.925, 4.71, 32, BRUSH_LIT_MENU}, {4.71, 5.495, 64, BRUSH_LIT_MENU},
    {5.495, 0, 16, BRUSH_LIT_LIST},      {0, 0.785, 8, BRUSH_LIT_LIST},     {0.785, 1.57, 1, BRUSH_LIT_START},
    {1.57, 2.355, 2, BRUSH_LIT_START},   {2.355, 3.14, 4, BRUSH_LIT_START},
};
const chart_sector INNER_SECTORS[] = {
    {3.14, 5.495, 128 | 32 | 64, BRUSH_INNER_MENU},
    {5.495, 0.785, 16 | 8, BRUSH_INNER_LIST},
    {0.785, 3.14, 4 | 2 | 1, BRUSH_INNER_START},
};

POINT chart_point(double angle)
{
    POINT point;
    point.x = static_cast<LONG>(CHART_CENTRE_X + CHART_RADIUS * std::sin(angle));
    point.y = static_cast<LONG>(CHART_CENTRE_Y + CHART_RADIUS * std::cos(angle));
    return point;
}

// Pie draws counterclockwise on screen from its first radial to its second, as the chart's angles run.
void draw_sector(HDC dc, const RECT &circle, const chart_sector &sector, HBRUSH brush)
{
    POINT from = chart_point(sector.from);
    POINT to = chart_point(sector.to);
    HGDIOBJ old = SelectObject(dc, brush);
    Pie(dc, circle.left, circle.top, circle.right, circle.bottom, from.x, from.y, to.x, to.y);
    SelectObject(dc, old);
}

void fill_box(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    RECT box = {left, top, right, bottom};
    FillRect(dc, &box, brush);
}

void framed_box(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    HGDIOBJ old = SelectObject(dc, brush);
    Rectangle(dc, left, top, right, bottom);
    SelectObject(dc, old);
}

void rounded_box(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    HGDIOBJ old = SelectObject(dc, brush);
    RoundRect(dc, left, top, right, bottom, 15, 20);
    SelectObject(dc, old);
}

void text_at(HDC dc, int x, int y, HFONT font, COLORREF background, const char *text)
{
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, BLACK);
    SetBkColor(dc, background);
    SetBkMode(dc, OPAQUE);
    TextOutA(dc, x, y, text, lstrlenA(text));
    SelectObject(dc, old);
}

HBRUSH white_brush()
{
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void paint_chart(HDC dc, const card_tools *tools, int flags)
{
    for (const chart_sector &sector : OUTER_SECTORS) {
        int lit = (flags & sector.bits) != 0;
        draw_sector(dc, OUTER_CIRCLE, sector, tools->brushes[lit ? sector.lit : BRUSH_UNLIT_SECTOR]);
    }
    for (const chart_sector &sector : INNER_SECTORS) {
        int lit = (flags & sector.bits) != 0;
        draw_sector(dc, INNER_CIRCLE, sector, tools->brushes[lit ? sector.lit : BRUSH_UNLIT_SECTOR]);
    }
}

void paint_static_layer(HDC dc, const card_tools *tools)
{
    fill_box(dc, 0, 0, CARD_WIDTH, CARD_HEIGHT, white_brush());
    SelectObject(dc, GetStockObject(BLACK_PEN));
    framed_box(dc, 20, 47, 505, 77, white_brush());
    MoveToEx(dc, 380, 47, nullptr);
    LineTo(dc, 380, 77);
    rounded_box(dc, 64, 84, 469, 105, white_brush());
    rounded_box(dc, 64, 116, 469, 137, white_brush());
    MoveToEx(dc, 60, 105, nullptr);
    LineTo(dc, 29, 160);
    text_at(dc, 12, 163, tools->fonts[FONT_TEXT], WHITE, "feature");
    framed_box(dc, 253, 150, 510, 344, tools->brushes[BRUSH_CHART_PANEL]);
    paint_chart(dc, tools, 0);
    framed_box(dc, 276, 181, 316, 193, tools->brushes[BRUSH_LABEL_BOX]);
    framed_box(dc, 441, 167, 486, 180, tools->brushes[BRUSH_LABEL_BOX]);
    framed_box(dc, 353, 292, 407, 304, tools->brushes[BRUSH_LABEL_BOX]);
    framed_box(dc, 442, 323, 495, 338, tools->brushes[BRUSH_LABEL_BOX]);
    COLORREF label = BRUSH_COLOURS[BRUSH_LABEL_BOX];
    text_at(dc, 281, 182, tools->fonts[FONT_SMALL], label, "MEN×3");
    text_at(dc, 446, 169, tools->fonts[FONT_SMALL], label, "FUS,SUP");
    text_at(dc, 363, 293, tools->fonts[FONT_SMALL], label, "FCI,FFC");
    text_at(dc, 445, 325, tools->fonts[FONT_TEXT], label, "elements");
    fill_box(dc, 232, 193, 243, 236, tools->brushes[BRUSH_BAR_FRAME]);
    fill_box(dc, 234, 195, 241, 234, white_brush());
    fill_box(dc, 232, 261, 243, 304, tools->brushes[BRUSH_BAR_FRAME]);
    fill_box(dc, 234, 263, 241, 302, white_brush());
    const POINT pointer[3] = {{229, 367}, {255, 367}, {237, 314}};
    HGDIOBJ old_brush = SelectObject(dc, tools->brushes[BRUSH_GROUP]);
    HGDIOBJ old_pen = SelectObject(dc, tools->null_pen);
    Polygon(dc, pointer, 3);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    rounded_box(dc, 240, 352, 482, 368, tools->brushes[BRUSH_GROUP]);
    text_at(dc, 39, 190, tools->fonts[FONT_LABEL], WHITE, "Ver:");
    text_at(dc, 39, 260, tools->fonts[FONT_LABEL], WHITE, "Presenter:");
}

void paint_selector(HDC dc, const card_tools *tools, int count, int current_index)
{
    if (count <= 0) return;
    int width = SELECTOR_WIDTH / count;
    SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int i = 1; i <= count; i++) {
        HBRUSH brush = i == current_index ? tools->brushes[BRUSH_LIT_MENU] : white_brush();
        framed_box(dc, SELECTOR_LEFT + (i - 1) * width, 7, SELECTOR_LEFT + i * width, 28, brush);
    }
}

void paint_info_layer(HDC dc, const card_tools *tools, const wyro_dll_info &info)
{
    char text[WYRO_INFO_TEXT_SIZE + 1];
    wyro_info_text(info.name, sizeof info.name, text, sizeof text);
    text_at(dc, 23, 50, tools->fonts[FONT_TITLE], WHITE, text);
    char line[96];
    std::snprintf(line, sizeof line, "ID:%05d", static_cast<int>(info.id));
    text_at(dc, 385, 53, tools->fonts[FONT_LABEL], WHITE, line);
    wyro_info_text(info.menu_text, sizeof info.menu_text, text, sizeof text);
    text_at(dc, 68, 88, tools->fonts[FONT_TEXT], WHITE, text);
    wyro_info_text(info.description, sizeof info.description, text, sizeof text);
    text_at(dc, 68, 120, tools->fonts[FONT_TEXT], WHITE, text);
    if ((info.menu_state & GRAYED_STATE) != GRAYED_STATE) {
        fill_box(dc, 234, 195, 241, 234, tools->brushes[BRUSH_LIT_BAR]);
    }
    if (info.grouped == 1) {
        fill_box(dc, 234, 263, 241, 302, tools->brushes[BRUSH_LIT_BAR]);
        wyro_info_text(info.group_name, sizeof info.group_name, text, sizeof text);
        text_at(dc, 262, 354, tools->fonts[FONT_TEXT], BRUSH_COLOURS[BRUSH_GROUP], text);
    }
    char suffix[WYRO_SUFFIX_SIZE + 1];
    wyro_info_text(info.version_suffix, sizeof info.version_suffix, suffix, sizeof suffix);
    std::snprintf(line, sizeof line, "Ver%.2f%s", static_cast<double>(info.version), suffix);
    text_at(dc, 55, 215, tools->fonts[FONT_LARGE], WHITE, line);
    wyro_info_text(info.presenter, sizeof info.presenter, text, sizeof text);
    text_at(dc, 55, 285, tools->fonts[FONT_LARGE], WHITE, text);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    paint_chart(dc, tools, info.event_flags);
}

}  // namespace

COLORREF card_brush_colour(card_brush brush)
{
    return BRUSH_COLOURS[brush];
}

int create_card_tools(card_tools *tools)
{
    int whole = 1;
    for (int f = 0; f < CARD_FONT_COUNT; f++) {
        const font_row &row = FONT_ROWS[f];
        tools->fonts[f] = CreateFontA(row.height, 0, 0, 0, FW_NORMAL, row.italic, FALSE, FALSE, SHIFTJIS_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, row.face);
        if (tools->fonts[f] == nullptr) whole = 0;
    }
    for (int b = 0; b < CARD_BRUSH_COUNT; b++) {
        tools->brushes[b] = CreateSolidBrush(BRUSH_COLOURS[b]);
        if (tools->brushes[b] == nullptr) whole = 0;
    }
    tools->null_pen = CreatePen(PS_NULL, 0, 0);
    if (tools->null_pen == nullptr) whole = 0;
    return whole;
}

void delete_card_tools(card_tools *tools)
{
    for (HFONT &font : tools->fonts) {
        if (font != nullptr) DeleteObject(font);
        font = nullptr;
    }
    for (HBRUSH &brush : tools->brushes) {
        if (brush != nullptr) DeleteObject(brush);
        brush = nullptr;
    }
    if (tools->null_pen != nullptr) DeleteObject(tools->null_pen);
    tools->null_pen = nullptr;
}

void paint_addin_card(HDC dc, const card_tools *tools, int count, int current_index, const wyro_dll_info *info)
{
    int saved = SaveDC(dc);
    paint_static_layer(dc, tools);
    paint_selector(dc, tools, count, current_index);
    paint_info_layer(dc, tools, *info);
    RestoreDC(dc, saved);
}

int selector_cell_at(int count, int x, int y)
{
    if (count <= 0 || y < SELECTOR_TOP || y > SELECTOR_BOTTOM) return 0;
    int width = SELECTOR_WIDTH / count;
    for (int i = 1; i <= count; i++) {
        int left = SELECTOR_LEFT + (i - 1) * width;
        if (left < x && x < left + width) return i;
    }
    return 0;
}
