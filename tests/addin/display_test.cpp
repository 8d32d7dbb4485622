// The add-in displays: the state report, the details command and its card window, the drawn card itself,
// the version dialog and the view window. Windows are made from the program's own resources.
#include "addin_card.h"
#include "addin_fixture.h"
#include "box_answerer.h"
#include "resource.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <cmath>
#include <thread>

namespace {

const char *DETAILS_TITLE = "アドインの詳細情報";
const char *VERSION_TITLE = "バージョン情報";

// Runs show (a modal display) while answering boxes titled caption; returns the last box's text.
template <typename F> std::string answered_text(const char *caption, F show, int *answered = nullptr)
{
    box_answerer answerer;
    start_answering_boxes(&answerer, caption, IDOK);
    show();
    stop_answering_boxes(&answerer);
    if (answered != nullptr) *answered = answerer.answered;
    return answerer.answered > 0 ? answerer.last_text : "";
}

HWND wait_for_box(const char *caption)
{
    for (int i = 0; i < 400; i++) {
        HWND box = find_dialog_box(caption);
        if (box != nullptr) return box;
        Sleep(25);
    }
    return nullptr;
}

std::string item_text(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The four-add-in case the display tests share: a, b, c, d with their descriptions.
struct shown_addins {
    addin_case c;
    wyro_host *host;
};

void open_shown(shown_addins *s, const std::string &ext)
{
    open_case(&s->c, ext, ext + "dir/");
    place_addin(&s->c, IN_PROGRAM_FOLDER, "a." + ext,
                "id=7\r\nflags=137\r\nname=テストアドインA\r\nversion=1.5\r\nsuffix=beta\r\npresenter=Quodra試験\r\n"
                "description=一行の説明\r\nmenu_text=Aを実行\r\ngrouped=1\r\ngroup=試験グループ\r\nstate=0\r\n");
    place_addin(&s->c, IN_PROGRAM_SUBFOLDER, "b." + ext,
                "id=12345\r\nflags=0\r\nname=AddinB\r\nversion=2\r\nmenu_text=B\r\nstate=3\r\n");
    place_addin(&s->c, IN_SYSTEM_FOLDER, "c." + ext, "id=3\r\nflags=255\r\nname=AddinC\r\n");
    s->host = start_addin_host(nullptr, s->c.config);
}

void close_shown(shown_addins *s)
{
    if (s->host != nullptr) end_addin_host(nullptr, s->host);
    close_case(&s->c);
}

std::string displayed_name()
{
    char name[32];
    wyro_info_text(addin_details()->displayed_info.name, WYRO_INFO_TEXT_SIZE, name, sizeof name);
    return name;
}

}  // namespace

TEST(AddinState, ReportsTheCountOrThatWyroIsNotInstalled)
{
    shown_addins s;
    open_shown(&s, "u01");
    ASSERT_NE(s.host, nullptr);
    HWND owner = make_owner_window();
    EXPECT_EQ(answered_text("正常動作中", [&] { show_addin_state(owner, s.host); }), "現在アクティブなアドインの数=3");
    EXPECT_EQ(answered_text("WYRO未起動", [&] { show_addin_state(owner, nullptr); }), "WYROは導入されてません");
    DestroyWindow(owner);
    close_shown(&s);
}

TEST(AddinDetails, WithoutHostOrWithoutAddinsOnlyAMessage)
{
    addin_case c;
    open_case(&c, "u02", "u02none/");
    wyro_host *empty = start_addin_host(nullptr, c.config);
    ASSERT_NE(empty, nullptr);
    HWND owner = make_owner_window();
    EXPECT_EQ(answered_text("WYRO未起動", [&] { show_addin_details(owner, nullptr); }), "WYROは導入されてません");
    EXPECT_EQ(answered_text("wyro詳細情報表示不可", [&] { show_addin_details(owner, empty); }),
              "アクティブなアドインが1つもありません");
    DestroyWindow(owner);
    end_addin_host(nullptr, empty);
    close_case(&c);
}

TEST(AddinDetails, LoadDisplayedInfoNeverReadsPastTheList)
{
    shown_addins s;
    open_shown(&s, "u03");
    ASSERT_NE(s.host, nullptr);
    addin_details_state *state = addin_details();
    state->current_index = 1;
    EXPECT_EQ(load_displayed_info(nullptr, s.host), 1);
    EXPECT_EQ(displayed_name(), "テストアドインA");
    EXPECT_EQ(state->displayed_info.id, 7);
    // Past the count (the add-in set changed), or below zero: nothing is read and nothing changes.
    for (int index : {4, 5, 1000, -1}) {
        SCOPED_TRACE(index);
        state->current_index = index;
        clear_addin_log();
        EXPECT_EQ(load_displayed_info(nullptr, s.host), 0);
        EXPECT_EQ(displayed_name(), "テストアドインA");
        EXPECT_TRUE(addin_log().empty());
    }
    state->current_index = 3;
    EXPECT_EQ(load_displayed_info(nullptr, s.host), 1);
    EXPECT_EQ(displayed_name(), "AddinC");
    // An add-in that no longer loads leaves the last description.
    state->current_index = 2;
    std::string b = place_folder(s.c, IN_PROGRAM_SUBFOLDER) + "b.u03";
    DeleteFileA(b.c_str());
    EXPECT_EQ(load_displayed_info(nullptr, s.host), 0);
    EXPECT_EQ(displayed_name(), "AddinC");
    // Index 0 clears.
    state->current_index = 0;
    EXPECT_EQ(load_displayed_info(nullptr, s.host), 0);
    EXPECT_EQ(displayed_name(), "");
    EXPECT_EQ(load_displayed_info(nullptr, nullptr), 0);
    state->current_index = 1;
    close_shown(&s);
}

TEST(AddinCard, SelectorCellsAtBothEndsAndOnTheirBorders)
{
    struct {
        int count, x, y, cell;
    } rows[] = {
        {1, 41, 17, 0},   {1, 42, 17, 1},   {1, 440, 17, 1},  {1, 441, 17, 0},  {1, 200, 7, 0},
        {1, 200, 8, 1},   {1, 200, 27, 1},  {1, 200, 28, 0},  {3, 174, 17, 0},  {3, 173, 17, 1},
        {3, 175, 17, 2},  {3, 439, 17, 3},  {3, 440, 17, 0},  {50, 42, 17, 1},  {50, 49, 17, 0},
        {50, 50, 17, 2},  {50, 440, 17, 50}, {50, 441, 17, 0}, {0, 100, 17, 0},  {2, 40, 17, 0},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(selector_cell_at(row.count, row.x, row.y), row.cell)
            << row.count << " " << row.x << "," << row.y;
    }
}

namespace {

// Draws the card into a 32-bit bitmap and reads pixels back.
struct card_picture {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    card_tools tools;
};

void draw_card(card_picture *p, int count, int current, const wyro_dll_info &info)
{
    HDC screen = GetDC(nullptr);
    p->dc = CreateCompatibleDC(screen);
    p->bitmap = CreateCompatibleBitmap(screen, CARD_WIDTH, CARD_HEIGHT);
    ReleaseDC(nullptr, screen);
    p->old = SelectObject(p->dc, p->bitmap);
    std::memset(&p->tools, 0, sizeof p->tools);
    ASSERT_EQ(create_card_tools(&p->tools), 1);
    paint_addin_card(p->dc, &p->tools, count, current, &info);
}

void free_card(card_picture *p)
{
    SelectObject(p->dc, p->old);
    DeleteObject(p->bitmap);
    DeleteDC(p->dc);
    delete_card_tools(&p->tools);
}

// A point inside a chart sector, between its angles, radius r from the centre.
COLORREF sector_pixel(const card_picture &p, double from, double to, double r)
{
    if (to < from) to += 2 * 3.14159265358979;
    double middle = (from + to) / 2;
    int x = static_cast<int>(381 + r * std::sin(middle));
    int y = static_cast<int>(230 + r * std::cos(middle));
    return GetPixel(p.dc, x, y);
}

struct sector_row {
    double from, to;
    int bit;
    COLORREF lit;
};
const sector_row OUTER[] = {
    {3.14, 3.925, 128, RGB(0, 255, 0)},  {3.925, 4.71, 32, RGB(0, 255, 0)}, {4.71, 5.495, 64, RGB(0, 255, 0)},
    {5.495, 0, 16, RGB(255, 0, 0)},      {0, 0.785, 8, RGB(255, 0, 0)},     {0.785, 1.57, 1, RGB(255, 255, 0)},
    {1.57, 2.355, 2, RGB(255, 255, 0)},  {2.355, 3.14, 4, RGB(255, 255, 0)},
};
const sector_row INNER[] = {
    {3.14, 5.495, 128 | 32 | 64, RGB(181, 255, 181)},
    {5.495, 0.785, 16 | 8, RGB(255, 174, 173)},
    {0.785, 3.14, 4 | 2 | 1, RGB(255, 255, 156)},
};
const COLORREF UNLIT = RGB(198, 195, 206);
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF LIT_BAR = RGB(255, 0, 0);

}  // namespace

TEST(AddinCard, EachEventBitLightsItsSectorAndItsGroup)
{
    int flag_sets[] = {0, 255, 1, 2, 4, 8, 16, 32, 64, 128, 8 | 128};
    for (int flags : flag_sets) {
        SCOPED_TRACE(flags);
        wyro_dll_info info = {};
        info.event_flags = static_cast<int16_t>(flags);
        card_picture p;
        draw_card(&p, 1, 1, info);
        for (const sector_row &s : OUTER) {
            EXPECT_EQ(sector_pixel(p, s.from, s.to, 45), (flags & s.bit) ? s.lit : UNLIT) << s.bit;
        }
        for (const sector_row &s : INNER) {
            EXPECT_EQ(sector_pixel(p, s.from, s.to, 14), (flags & s.bit) ? s.lit : UNLIT) << s.bit;
        }
        free_card(&p);
    }
}

TEST(AddinCard, BarsShowAnUsableItemAndAGroupAndTheStripTheShownAddin)
{
    struct {
        uint32_t menu_state;
        uint8_t grouped;
        COLORREF upper, lower;
    } rows[] = {
        {0, 0, LIT_BAR, WHITE}, {3, 0, WHITE, WHITE}, {1, 1, LIT_BAR, LIT_BAR}, {7, 1, WHITE, LIT_BAR},
    };
    for (const auto &row : rows) {
        wyro_dll_info info = {};
        info.menu_state = row.menu_state;
        info.grouped = row.grouped;
        card_picture p;
        draw_card(&p, 3, 2, info);
        EXPECT_EQ(GetPixel(p.dc, 237, 200), row.upper) << row.menu_state;
        EXPECT_EQ(GetPixel(p.dc, 237, 280), row.lower) << static_cast<int>(row.grouped);
        // Cells of 133 pixels: the second is lit, the first and third white.
        EXPECT_EQ(GetPixel(p.dc, 41 + 66, 17), WHITE);
        EXPECT_EQ(GetPixel(p.dc, 41 + 133 + 66, 17), RGB(0, 255, 0));
        EXPECT_EQ(GetPixel(p.dc, 41 + 266 + 66, 17), WHITE);
        EXPECT_EQ(GetPixel(p.dc, 460, 17), WHITE);
        // The chart panel and the group box keep their colours.
        EXPECT_EQ(GetPixel(p.dc, 260, 160), RGB(140, 186, 255));
        EXPECT_EQ(GetPixel(p.dc, 470, 360), RGB(255, 197, 117));
        free_card(&p);
    }
}

namespace {

// Waits for the details window, reads it, clicks its strip, then presses "×" and watches it shrink.
struct details_visit {
    std::string first_index, second_index;
    std::string name_after_click;
    int client_width = 0, client_height = 0;
    int smallest_width = 0, smallest_height = 0;
    int closed = 0;
    int closing_ms = 0;
};

void visit_details(details_visit *visit)
{
    HWND window = wait_for_box(DETAILS_TITLE);
    if (window == nullptr) return;
    Sleep(300);
    RECT client;
    GetClientRect(window, &client);
    visit->client_width = client.right;
    visit->client_height = client.bottom;
    visit->first_index = item_text(window, IDC_DETAILS_INDEX);
    // A click on the border of cells 1 and 2 (x = 41 + 133) selects nothing; one inside cell 3 selects it.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(174, 17));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 17));
    visit->second_index = item_text(window, IDC_DETAILS_INDEX);
    visit->name_after_click = displayed_name();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 17));
    char hold[16];
    if (GetEnvironmentVariableA("QUODRA_HOLD_DETAILS_MS", hold, sizeof hold) > 0) Sleep(std::atoi(hold));
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
    PostMessageA(window, WM_COMMAND, IDC_DETAILS_CLOSE, 0);
    visit->smallest_width = CARD_WIDTH;
    visit->smallest_height = CARD_HEIGHT;
    DWORD start = GetTickCount();
    for (int i = 0; i < 2000 && IsWindow(window); i++) {
        RECT outer;
        if (GetWindowRect(window, &outer)) {
            int width = outer.right - outer.left;
            int height = outer.bottom - outer.top;
            if (width > 0 && width < visit->smallest_width) visit->smallest_width = width;
            if (height > 0 && height < visit->smallest_height) visit->smallest_height = height;
        }
        Sleep(5);
    }
    visit->closed = !IsWindow(window);
    visit->closing_ms = static_cast<int>(GetTickCount() - start);
}

}  // namespace

TEST(AddinDetails, TheWindowShowsAddinOneSwitchesOnTheStripAndClosesThroughItsAnimation)
{
    shown_addins s;
    open_shown(&s, "u04");
    ASSERT_NE(s.host, nullptr);
    ASSERT_EQ(*s.host->count, 3);
    addin_details()->current_index = 3;  // every opening starts again at add-in 1
    HWND owner = make_owner_window();
    details_visit visit;
    std::thread visitor(visit_details, &visit);
    EXPECT_EQ(show_addin_details(owner, s.host), 1);
    visitor.join();
    DestroyWindow(owner);
    EXPECT_EQ(visit.client_width, CARD_WIDTH);
    EXPECT_EQ(visit.client_height, CARD_HEIGHT);
    EXPECT_EQ(visit.first_index, "  1");
    EXPECT_EQ(visit.second_index, "  3");
    EXPECT_EQ(visit.name_after_click, "AddinC");
    EXPECT_EQ(addin_details()->current_index, 1);
    EXPECT_EQ(displayed_name(), "テストアドインA");
    EXPECT_EQ(visit.smallest_width, 106);
    EXPECT_EQ(visit.smallest_height, 84);
    EXPECT_EQ(visit.closed, 1);
    std::printf("closing animation took %d ms\n", visit.closing_ms);
    EXPECT_EQ(addin_details()->close_step, 10);
    close_shown(&s);
}

namespace {

struct version_visit {
    std::string number, configuration;
    int closed = 0;
};

void visit_version(version_visit *visit)
{
    HWND window = wait_for_box(VERSION_TITLE);
    if (window == nullptr) return;
    visit->number = item_text(window, IDC_VERSION_NUMBER);
    visit->configuration = item_text(window, IDC_VERSION_CONFIGURATION);
    PostMessageA(window, WM_COMMAND, IDC_VERSION_OK, 0);
    for (int i = 0; i < 400 && IsWindow(window); i++) Sleep(10);
    visit->closed = !IsWindow(window);
}

}  // namespace

TEST(AddinVersion, ShowsTheProgramVersionAndTheAddinSystemLines)
{
    wyro_config config;
    fill_main_window_wyro_config(&config);
    struct {
        uint8_t version;
        int max_include, max_root;
        const char *line;
    } rows[] = {
        {0, 50, 15, "support version=0"},
        {1, 50, 15, "support version=1"},
        {255, 7, 3, "support version=-1"},
    };
    for (const auto &row : rows) {
        wyro_io_record io = {};
        io.version = row.version;
        config.max_include = row.max_include;
        config.max_root = row.max_root;
        version_visit visit;
        std::thread visitor(visit_version, &visit);
        EXPECT_EQ(show_addin_version(nullptr, &io, config), 1);
        visitor.join();
        EXPECT_EQ(visit.number, "Ver1.04");
        EXPECT_EQ(visit.configuration, std::string("[wyro i/o system]\r\n") + row.line +
                                           "\r\n\r\n[wyro configration]\r\nview window=exist\r\nmax include=" +
                                           std::to_string(row.max_include) + " \r\nmax root=" +
                                           std::to_string(row.max_root));
        EXPECT_EQ(visit.closed, 1);
    }
}

TEST(AddinView, IsAChildPanelAt296By160ThatClosesItself)
{
    HWND parent = make_owner_window();
    HWND view = create_addin_view_window(parent);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(GetParent(view), parent);
    EXPECT_NE(GetWindowLongA(view, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_NE(GetWindowLongA(view, GWL_STYLE) & WS_VISIBLE, 0);
    RECT outer;
    GetWindowRect(view, &outer);
    POINT corner = {outer.left, outer.top};
    ScreenToClient(parent, &corner);
    EXPECT_EQ(corner.x, 296);
    EXPECT_EQ(corner.y, 160);
    EXPECT_EQ(item_text(view, IDC_ADDIN_VIEW_FRAME), "[Wyro Window]");
    // Its handle travels in the i/o record as 32 bits and comes back whole.
    EXPECT_EQ(wyro_window_handle(wyro_window_value(view)), view);
    SendMessageA(view, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(view));
    DestroyWindow(parent);
}
