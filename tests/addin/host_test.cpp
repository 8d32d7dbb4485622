// The add-in host against real test add-ins: where it looks and in which order, which add-ins it keeps, the
// three menus, events, the keep rule, command dispatch and the end.
#include "addin_fixture.h"
#include "box_answerer.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

const char *START_CAPTION = "ERROR [Addin-Start]";
const char *END_CAPTION = "CAUTION [Addin-End]";

std::string add_in(int id, int flags, const std::string &more = "")
{
    return "id=" + std::to_string(id) + "\r\nflags=" + std::to_string(flags) + "\r\n" + more;
}

// Starts the host with an owner window and answers the start's messages; returns the host and the text of
// the last message (empty when none was shown).
wyro_host *start_with_owner(const wyro_config &config, std::string *message)
{
    HWND owner = make_owner_window();
    box_answerer answerer;
    start_answering_boxes(&answerer, START_CAPTION, IDOK);
    wyro_host *host = start_addin_host(owner, config);
    stop_answering_boxes(&answerer);
    DestroyWindow(owner);
    *message = answerer.answered > 0 ? answerer.last_text : "";
    return host;
}

std::string path_of(const wyro_host *host, int index)
{
    char path[MAX_PATH];
    if (!addin_library_path(host, index, path, sizeof path)) return "";
    return lower(path);
}

// The host's four search folders with one add-in each, in a known list order: a, b, c, d.
struct four_places {
    addin_case c;
    std::string a, b, c_path, d;
};

void place_four(four_places *f, const std::string &ext, const std::string &a, const std::string &b,
                const std::string &c, const std::string &d)
{
    open_case(&f->c, ext, ext + "dir/");
    f->a = lower(place_addin(&f->c, IN_PROGRAM_FOLDER, "a." + ext, a));
    f->b = lower(place_addin(&f->c, IN_PROGRAM_SUBFOLDER, "b." + ext, b));
    f->c_path = lower(place_addin(&f->c, IN_SYSTEM_FOLDER, "c." + ext, c));
    f->d = lower(place_addin(&f->c, IN_SYSTEM_SUBFOLDER, "d." + ext, d));
}

}  // namespace

TEST(AddinStart, ListsTheFourFoldersInOrderAndCountsOnlyMatchingFiles)
{
    four_places f;
    place_four(&f, "t01", add_in(1, 1), add_in(2, 2), add_in(3, 4), add_in(4, 8));
    // A folder that matches the pattern and a file of another extension are not add-ins.
    make_case_folder(&f.c, test_program_folder() + "folder.t01");
    place_text_file(&f.c, IN_PROGRAM_FOLDER, "other.t01x.txt", "not counted");
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 4);
    EXPECT_EQ(host_name(host, 0), "a.t01");
    EXPECT_EQ(host_name(host, 1), "t01dir/b.t01");
    EXPECT_EQ(host_name(host, 2), "c.t01");
    EXPECT_EQ(host_name(host, 3), "t01dir/d.t01");
    const int flags[4] = {1, 2, 4, 8};
    for (int i = 0; i < 4; i++) EXPECT_EQ(host->flags[i], flags[i]) << i;
    EXPECT_EQ(*host->current_menu_code, 0);
    EXPECT_EQ(*host->kept_library, nullptr);
    // Each described itself once, loaded from the folder it was found in.
    std::vector<std::string> expected = {f.a, f.b, f.c_path, f.d};
    EXPECT_EQ(called_paths("declare"), expected);
    for (int i = 0; i < 4; i++) EXPECT_EQ(path_of(host, i), expected[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(end_addin_host(nullptr, host), 1);
    close_case(&f.c);
}

TEST(AddinStart, LoadsEachAddinFromItsOwnFolderNeverFromTheCurrentOne)
{
    addin_case c;
    open_case(&c, "t02", "t02dir/");
    std::string real = lower(place_addin(&c, IN_PROGRAM_SUBFOLDER, "real.t02", add_in(21, 1)));
    // A library of the same relative name under the current folder must never be the one that runs.
    std::string elsewhere = make_test_folder("addin_current");
    make_case_folder(&c, elsewhere + "t02dir\\");
    std::string source = test_program_folder() + "test_addins\\" + FULL_ADDIN;
    std::string impostor = elsewhere + "t02dir\\real.t02";
    CopyFileA(source.c_str(), impostor.c_str(), FALSE);
    write_file_text(impostor + ".ini", "[addin]\r\n" + add_in(99, 3));
    c.files.push_back(impostor);
    c.files.push_back(impostor + ".ini");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(elsewhere.c_str());
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 1);
    EXPECT_EQ(host->flags[0], 1);
    EXPECT_EQ(called_paths("declare"), std::vector<std::string>{real});
    // The add-in goes away after the start: its event is skipped, whatever lies under the current folder.
    DeleteFileA(real.c_str());
    wyro_io_record io = {};
    fire_addin_event(nullptr, host, c.config, &io, 1);
    HMENU bar = CreateMenu();
    build_addin_menu(nullptr, bar, host, c.config, 1);
    addin_details()->current_index = 1;
    load_displayed_info(nullptr, host);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(called_paths("process"), std::vector<std::string>{});
    EXPECT_EQ(called_paths("declare"), std::vector<std::string>{real});
    DestroyMenu(bar);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinStart, OneFileNameInTheProgramAndSystemFoldersIsTwoAddinsWhenTheirIdsDiffer)
{
    addin_case c;
    open_case(&c, "t03", "t03dir/");
    std::string program = lower(place_addin(&c, IN_PROGRAM_FOLDER, "same.t03", add_in(31, 1)));
    std::string system = lower(place_addin(&c, IN_SYSTEM_FOLDER, "same.t03", add_in(32, 2)));
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 2);
    EXPECT_EQ(host->flags[0], 1);
    EXPECT_EQ(host->flags[1], 2);
    EXPECT_EQ(path_of(host, 0), program);
    EXPECT_EQ(path_of(host, 1), system);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinStart, AnIdSeenBeforeLeavesTheLaterAddinOut)
{
    addin_case c;
    open_case(&c, "t04", "t04dir/");
    // The same file in the program and the system folder, and two files of one id in the subfolder.
    std::string program = lower(place_addin(&c, IN_PROGRAM_FOLDER, "dup.t04", add_in(41, 1)));
    place_addin(&c, IN_SYSTEM_FOLDER, "dup.t04", add_in(41, 1));
    place_addin(&c, IN_PROGRAM_SUBFOLDER, "twin1.t04", add_in(42, 2));
    place_addin(&c, IN_PROGRAM_SUBFOLDER, "twin2.t04", add_in(42, 4));
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 2);
    EXPECT_EQ(path_of(host, 0), program);
    // The twin first in list order (the first of the two described) stays.
    std::vector<std::string> declared = called_paths("declare");
    ASSERT_EQ(declared.size(), 4u);
    EXPECT_EQ(path_of(host, 1), declared[1]);
    EXPECT_EQ(host->flags[1], declared[1].find("twin1") != std::string::npos ? 2 : 4);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinStart, KeepsTheFirstFiftyOfSixtyWithCommandsUpTo25249)
{
    addin_case c;
    open_case(&c, "t05", "t05dir/");
    for (int i = 0; i < 60; i++) {
        place_addin(&c, IN_PROGRAM_SUBFOLDER, "n" + std::to_string(100 + i) + ".t05",
                    add_in(500 + i, 128, "menu_text=item" + std::to_string(i) + "\r\n"));
    }
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 50);
    std::vector<std::string> declared = called_paths("declare");
    ASSERT_EQ(declared.size(), 60u);
    for (int i = 0; i < 50; i++) EXPECT_EQ(path_of(host, i), declared[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(path_of(host, 50), "");
    // The popup's items carry 25200..25249, the last add-in in list order at the top.
    HMENU bar = CreateMenu();
    ASSERT_EQ(build_addin_menu(nullptr, bar, host, c.config, 128), 1);
    std::vector<menu_row> items = menu_rows(menu_rows(bar)[0].submenu);
    ASSERT_EQ(items.size(), 50u);
    EXPECT_EQ(items.front().id, 25249u);
    EXPECT_EQ(items.back().id, 25200u);
    DestroyMenu(bar);
    // Commands at both ends of the range and one past it.
    wyro_io_record io = {};
    clear_addin_log();
    dispatch_addin_command(nullptr, host, c.config, &io, WM_COMMAND, 25249, 0);
    EXPECT_EQ(called_paths("process"), std::vector<std::string>{declared[49]});
    clear_addin_log();
    dispatch_addin_command(nullptr, host, c.config, &io, WM_COMMAND, 25250, 0);
    dispatch_addin_command(nullptr, host, c.config, &io, WM_COMMAND, 25199, 0);
    EXPECT_TRUE(called_paths("process").empty());
    dispatch_addin_command(nullptr, host, c.config, &io, WM_COMMAND, 25200, 0);
    EXPECT_EQ(called_paths("process"), std::vector<std::string>{declared[0]});
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinStart, ALoadNameOf49CharactersIsKeptAndOneOf50StopsTheStart)
{
    // 25-character folder name + 24- or 25-character file name; the full path is longer and does not count.
    struct {
        const char *ext;
        const char *file;
        int kept;
    } rows[] = {
        {"t06", "bbbbbbbbbbbbbbbbbbbb.t06", 1},
        {"t07", "bbbbbbbbbbbbbbbbbbbbb.t07", 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.file);
        addin_case c;
        open_case(&c, row.ext, std::string("n") + row.ext + "aaaaaaaaaaaaaaaaaaaaa/");
        ASSERT_EQ(std::strlen(c.config.folder_name), 25u);
        place_addin(&c, IN_PROGRAM_SUBFOLDER, row.file, add_in(60, 1));
        std::string message;
        wyro_host *host = start_with_owner(c.config, &message);
        if (row.kept) {
            ASSERT_NE(host, nullptr);
            EXPECT_EQ(*host->count, 1);
            EXPECT_EQ(host_name(host, 0).size(), 49u);
            EXPECT_EQ(message, "");
            end_addin_host(nullptr, host);
        } else {
            EXPECT_EQ(host, nullptr);
            EXPECT_EQ(message, "フォルダまたはアドインのパスを短くしてください");
        }
        close_case(&c);
    }
}

TEST(AddinStart, RefusesAnEmptyExtensionAndAFolderNameOver25Characters)
{
    addin_case c;
    open_case(&c, "t08", "t08dir/");
    place_addin(&c, IN_PROGRAM_FOLDER, "a.t08", add_in(80, 1));
    std::string message;
    wyro_config empty_extension = c.config;
    empty_extension.extension[0] = '\0';
    EXPECT_EQ(start_with_owner(empty_extension, &message), nullptr);
    EXPECT_EQ(message, "アドインの拡張子を設定してください");
    // 26 characters fill the field with no terminator.
    wyro_config long_folder = c.config;
    std::memset(long_folder.folder_name, 'f', sizeof long_folder.folder_name);
    EXPECT_EQ(start_with_owner(long_folder, &message), nullptr);
    EXPECT_EQ(message, "アドイン用フォルダのパスが長すぎます");
    // 25 characters are accepted.
    wyro_config longest_folder = c.config;
    std::memset(longest_folder.folder_name, 'f', 24);
    longest_folder.folder_name[24] = '/';
    longest_folder.folder_name[25] = '\0';
    wyro_host *host = start_with_owner(longest_folder, &message);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(message, "");
    EXPECT_EQ(*host->count, 1);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinStart, NoFolderOrAnEmptyFolderGivesAHostWithoutAddins)
{
    addin_case c;
    open_case(&c, "t09", "t09none/");
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(*host->count, 0);
    end_addin_host(nullptr, host);
    make_case_folder(&c, place_folder(c, IN_PROGRAM_SUBFOLDER));
    host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(*host->count, 0);
    wyro_io_record io = {};
    EXPECT_EQ(fire_addin_event(nullptr, host, c.config, &io, 1), 1);
    EXPECT_EQ(io.version, 0);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinStart, LeavesOutFilesThatCannotDescribeThemselves)
{
    addin_case c;
    open_case(&c, "t10", "t10dir/");
    place_text_file(&c, IN_PROGRAM_SUBFOLDER, "text.t10", "this is not a library");
    place_addin(&c, IN_PROGRAM_SUBFOLDER, "nodeclare.t10", add_in(101, 1), PROCESS_ONLY_ADDIN);
    std::string other = test_program_folder() + "test_addins\\" + OTHER_BUILD_ADDIN;
    if (file_exists(other)) place_addin(&c, IN_PROGRAM_SUBFOLDER, "otherbuild.t10", add_in(102, 1), OTHER_BUILD_ADDIN);
    std::string good = lower(place_addin(&c, IN_PROGRAM_FOLDER, "good.t10", add_in(103, 1)));
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 1);
    EXPECT_EQ(path_of(host, 0), good);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinMenu, ListsGroupsThenItemsLastAddinFirstForEachMenuCode)
{
    four_places f;
    place_four(&f, "t11", add_in(111, 128 | 32, "menu_text=A項目\r\ngrouped=1\r\ngroup=G1\r\n"),
               add_in(112, 128 | 64, "menu_text=B項目\r\nstate=3\r\n"),
               add_in(113, 128, "menu_text=C項目\r\ngrouped=1\r\ngroup=G2\r\n"),
               add_in(114, 32 | 64, "menu_text=D項目\r\ngrouped=1\r\ngroup=G1\r\n"));
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 4);
    struct expected_item {
        std::string text;
        UINT id;  // 0 for a group
        std::vector<std::pair<std::string, UINT>> members;
    };
    struct {
        int code;
        std::vector<expected_item> popup;
    } rows[] = {
        {128, {{"G2", 0, {{"C項目", 25202}}}, {"G1", 0, {{"A項目", 25200}}}, {"B項目", 25201, {}}}},
        {32, {{"G1", 0, {{"D項目", 25203}, {"A項目", 25200}}}}},
        {64, {{"G1", 0, {{"D項目", 25203}}}, {"B項目", 25201, {}}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.code);
        HMENU target = CreateMenu();
        AppendMenuA(target, MF_STRING, 1, "one");
        AppendMenuA(target, MF_STRING, 2, "two");
        AppendMenuA(target, MF_STRING, 3, "three");
        ASSERT_EQ(build_addin_menu(nullptr, target, host, f.c.config, row.code), 1);
        EXPECT_EQ(*host->current_menu_code, row.code);
        std::vector<menu_row> top = menu_rows(target);
        ASSERT_EQ(top.size(), 4u);
        EXPECT_EQ(top[1].text, "two");
        EXPECT_EQ(top[2].text, "汎用アドイン(&D)");
        EXPECT_EQ(top[3].text, "three");
        std::vector<menu_row> popup = menu_rows(top[2].submenu);
        ASSERT_EQ(popup.size(), row.popup.size());
        for (size_t i = 0; i < popup.size(); i++) {
            const expected_item &want = row.popup[i];
            EXPECT_EQ(popup[i].text, want.text) << i;
            if (want.id != 0) {
                EXPECT_EQ(popup[i].id, want.id);
                EXPECT_EQ(popup[i].submenu, nullptr);
                continue;
            }
            ASSERT_NE(popup[i].submenu, nullptr);
            std::vector<menu_row> members = menu_rows(popup[i].submenu);
            ASSERT_EQ(members.size(), want.members.size());
            for (size_t m = 0; m < members.size(); m++) {
                EXPECT_EQ(members[m].text, want.members[m].first);
                EXPECT_EQ(members[m].id, want.members[m].second);
            }
        }
        DestroyMenu(target);
    }
    // menu_state 3 grays the item; 0 leaves it enabled.
    HMENU bar = CreateMenu();
    build_addin_menu(nullptr, bar, host, f.c.config, 128);
    EXPECT_NE(GetMenuState(bar, 25201, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(GetMenuState(bar, 25200, MF_BYCOMMAND) & MF_GRAYED, 0u);
    DestroyMenu(bar);
    end_addin_host(nullptr, host);
    close_case(&f.c);
}

TEST(AddinMenu, WithoutMembersTheTitleIsAGrayedItemAndWithoutTitleNothingIsInserted)
{
    four_places f;
    place_four(&f, "t12", add_in(121, 1), add_in(122, 2), add_in(123, 4), add_in(124, 8));
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    HMENU target = CreateMenu();
    EXPECT_EQ(build_addin_menu(nullptr, target, host, f.c.config, 128), 1);
    std::vector<menu_row> top = menu_rows(target);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].text, "汎用アドイン(&D)");
    EXPECT_EQ(top[0].submenu, nullptr);
    EXPECT_NE(top[0].state & MFS_GRAYED, 0u);
    wyro_config untitled = f.c.config;
    untitled.menu_title[0] = '\0';
    EXPECT_EQ(build_addin_menu(nullptr, target, host, untitled, 32), 0);
    EXPECT_EQ(build_addin_menu(nullptr, target, nullptr, f.c.config, 32), 0);
    EXPECT_EQ(GetMenuItemCount(target), 1);
    DestroyMenu(target);
    end_addin_host(nullptr, host);
    close_case(&f.c);
}

TEST(AddinMenu, AnAddinThatNoLongerDescribesItselfGetsNoItemButStillCountsAsAMember)
{
    four_places f;
    place_four(&f, "t21", add_in(211, 128, "menu_text=A\r\n"), add_in(212, 128, "menu_text=B\r\n"), add_in(213, 1),
               add_in(214, 1));
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    DeleteFileA(f.b.c_str());
    HMENU bar = CreateMenu();
    ASSERT_EQ(build_addin_menu(nullptr, bar, host, f.c.config, 128), 1);
    std::vector<menu_row> popup = menu_rows(menu_rows(bar)[0].submenu);
    ASSERT_EQ(popup.size(), 1u);
    EXPECT_EQ(popup[0].text, "A");
    // Only b left: the title still carries an (empty) popup, not the grayed item of a menu without members.
    DeleteFileA(f.a.c_str());
    HMENU second = CreateMenu();
    ASSERT_EQ(build_addin_menu(nullptr, second, host, f.c.config, 128), 1);
    std::vector<menu_row> top = menu_rows(second);
    ASSERT_EQ(top.size(), 1u);
    ASSERT_NE(top[0].submenu, nullptr);
    EXPECT_EQ(GetMenuItemCount(top[0].submenu), 0);
    DestroyMenu(bar);
    DestroyMenu(second);
    end_addin_host(nullptr, host);
}

TEST(AddinMenu, NoRootOrNoRoomKeepsNothingAndNeverOverruns)
{
    four_places f;
    place_four(&f, "t22", add_in(221, 128, "menu_text=A\r\ngrouped=1\r\ngroup=G\r\n"), add_in(222, 128, "menu_text=B\r\n"),
               add_in(223, 1), add_in(224, 1));
    // max_root 0 or below: no group can be made, so the grouped item is left out.
    for (int max_root : {0, -5}) {
        SCOPED_TRACE(max_root);
        wyro_config config = f.c.config;
        config.max_root = max_root;
        wyro_host *host = start_addin_host(nullptr, config);
        ASSERT_NE(host, nullptr);
        HMENU bar = CreateMenu();
        ASSERT_EQ(build_addin_menu(nullptr, bar, host, config, 128), 1);
        std::vector<menu_row> popup = menu_rows(menu_rows(bar)[0].submenu);
        ASSERT_EQ(popup.size(), 1u);
        EXPECT_EQ(popup[0].text, "B");
        DestroyMenu(bar);
        end_addin_host(nullptr, host);
    }
    // max_include 0 or below keeps no add-in at all.
    for (int max_include : {0, -1}) {
        SCOPED_TRACE(max_include);
        wyro_config config = f.c.config;
        config.max_include = max_include;
        wyro_host *host = start_addin_host(nullptr, config);
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(*host->count, 0);
        end_addin_host(nullptr, host);
    }
}

TEST(AddinMenu, ASixteenthGroupIsLeftOutWithMaxRoot15)
{
    addin_case c;
    open_case(&c, "t13", "t13dir/");
    for (int i = 0; i < 16; i++) {
        std::string n = std::to_string(i);
        place_addin(&c, IN_PROGRAM_SUBFOLDER, "g" + n + ".t13",
                    add_in(130 + i, 128, "menu_text=item" + n + "\r\ngrouped=1\r\ngroup=group" + n + "\r\n"));
    }
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 16);
    HMENU bar = CreateMenu();
    ASSERT_EQ(build_addin_menu(nullptr, bar, host, c.config, 128), 1);
    std::vector<menu_row> popup = menu_rows(menu_rows(bar)[0].submenu);
    EXPECT_EQ(popup.size(), 15u);
    // The add-ins are found in directory order; the sixteenth in list order is the one left out.
    for (int i = 0; i < 16; i++) {
        UINT state = GetMenuState(bar, static_cast<UINT>(25200 + i), MF_BYCOMMAND);
        EXPECT_EQ(state == static_cast<UINT>(-1), i == 15) << i;
    }
    DestroyMenu(bar);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinMenu, UnterminatedTextsAreReadOnlyToTheEndOfTheirField)
{
    addin_case c;
    open_case(&c, "t14", "t14dir/");
    place_addin(&c, IN_PROGRAM_FOLDER, "raw.t14",
                add_in(140, 128, "unterminated=1\r\nmenu_text=M\r\ngrouped=1\r\ngroup=G\r\n"));
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    HMENU bar = CreateMenu();
    ASSERT_EQ(build_addin_menu(nullptr, bar, host, c.config, 128), 1);
    std::vector<menu_row> popup = menu_rows(menu_rows(bar)[0].submenu);
    ASSERT_EQ(popup.size(), 1u);
    EXPECT_EQ(popup[0].text, std::string(31, 'G'));
    std::vector<menu_row> members = menu_rows(popup[0].submenu);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].text, std::string(31, 'M'));
    DestroyMenu(bar);
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinInfoText, CopiesAtMostTheField)
{
    struct {
        std::string field;
        size_t out_size;
        std::string expected;
    } rows[] = {
        {"abc", 32, "abc"},
        {std::string(31, 'x'), 32, std::string(31, 'x')},
        {std::string(31, 'x'), 10, std::string(9, 'x')},
        {"", 32, ""},
    };
    for (const auto &row : rows) {
        char field[31];
        std::memset(field, 0, sizeof field);
        std::memcpy(field, row.field.data(), row.field.size());
        char guard_and_out[64];
        std::memset(guard_and_out, 'Z', sizeof guard_and_out);
        wyro_info_text(field, sizeof field, guard_and_out, row.out_size);
        EXPECT_EQ(std::string(guard_and_out), row.expected);
        EXPECT_EQ(guard_and_out[row.out_size], 'Z');
    }
}

TEST(AddinEvents, CallsTheAddinsOfEachEventInListOrderWithAFreshRecord)
{
    four_places f;
    place_four(&f, "t15", add_in(151, 1 | 8), add_in(152, 2), add_in(153, 4 | 1), add_in(154, 255));
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    struct {
        int code;
        std::vector<std::string> called;
    } rows[] = {
        {1, {f.a, f.c_path, f.d}}, {2, {f.b, f.d}},  {4, {f.c_path, f.d}}, {8, {f.a, f.d}},
        {16, {f.d}},               {32, {f.d}},      {64, {f.d}},          {128, {f.d}},
        {9, {f.a, f.d}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.code);
        clear_addin_log();
        wyro_io_record io = {};
        io.version = 0;
        io.keep_loaded = 7;
        io.view_window = 0x1234;
        std::snprintf(io.target_path, sizeof io.target_path, "C:\\target\\file.bin");
        EXPECT_EQ(fire_addin_event(nullptr, host, f.c.config, &io, row.code), 1);
        EXPECT_EQ(called_paths("process"), row.called);
        for (const std::string &line : addin_log_of("process")) {
            std::string rest = line.substr(line.find('|'));
            EXPECT_EQ(rest, "|process|event=" + std::to_string(row.code) +
                                "|version=1|keep=0|view=4660|target=C:\\target\\file.bin");
        }
    }
    wyro_io_record io = {};
    EXPECT_EQ(fire_addin_event(nullptr, nullptr, f.c.config, &io, 1), 0);
    end_addin_host(nullptr, host);
    close_case(&f.c);
}

TEST(AddinEvents, SkipsAnAddinThatFailsAtEventTime)
{
    four_places f;
    place_four(&f, "t16", add_in(161, 1), add_in(162, 1), add_in(163, 1), add_in(164, 1));
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(*host->count, 4);
    // b is gone, c is replaced by a library without the process entry.
    DeleteFileA(f.b.c_str());
    std::string no_process = test_program_folder() + "test_addins\\" + DECLARE_ONLY_ADDIN;
    CopyFileA(no_process.c_str(), f.c_path.c_str(), FALSE);
    wyro_io_record io = {};
    EXPECT_EQ(fire_addin_event(nullptr, host, f.c.config, &io, 1), 1);
    EXPECT_EQ(called_paths("process"), (std::vector<std::string>{f.a, f.d}));
    EXPECT_EQ(GetModuleHandleA(f.c_path.c_str()), nullptr);
    end_addin_host(nullptr, host);
    close_case(&f.c);
}

TEST(AddinEvents, AnAddinThatRewritesTheTargetInEvent4ChangesTheRecord)
{
    addin_case c;
    open_case(&c, "t17", "t17dir/");
    place_addin(&c, IN_PROGRAM_FOLDER, "a.t17", add_in(171, 4 | 2, "new_target=D:\\other\\picture.png\r\n"));
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    wyro_io_record io = {};
    std::snprintf(io.target_path, sizeof io.target_path, "C:\\first.bin");
    fire_addin_event(nullptr, host, c.config, &io, 2);
    EXPECT_STREQ(io.target_path, "C:\\first.bin");
    fire_addin_event(nullptr, host, c.config, &io, 4);
    EXPECT_STREQ(io.target_path, "D:\\other\\picture.png");
    end_addin_host(nullptr, host);
    close_case(&c);
}

TEST(AddinKeep, TheLastAddinThatAskedStaysLoadedAndNoOtherOne)
{
    four_places f;
    place_four(&f, "t18", add_in(181, 1, "keep=1\r\n"), add_in(182, 2, "keep=1\r\n"), add_in(183, 4),
               add_in(184, 8));
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    wyro_io_record io = {};
    auto loaded = [](const std::string &path) { return GetModuleHandleA(path.c_str()) != nullptr; };
    fire_addin_event(nullptr, host, f.c.config, &io, 1);
    EXPECT_TRUE(loaded(f.a));
    EXPECT_EQ(*host->kept_library, GetModuleHandleA(f.a.c_str()));
    // One that does not ask leaves the slot alone and is released.
    fire_addin_event(nullptr, host, f.c.config, &io, 4);
    EXPECT_TRUE(loaded(f.a));
    EXPECT_FALSE(loaded(f.c_path));
    // Asking again while kept keeps one load, not two.
    fire_addin_event(nullptr, host, f.c.config, &io, 1);
    fire_addin_event(nullptr, host, f.c.config, &io, 1);
    EXPECT_TRUE(loaded(f.a));
    // A second add-in that asks takes the slot; the first is released completely.
    fire_addin_event(nullptr, host, f.c.config, &io, 2);
    EXPECT_FALSE(loaded(f.a));
    EXPECT_TRUE(loaded(f.b));
    EXPECT_EQ(*host->kept_library, GetModuleHandleA(f.b.c_str()));
    // The kept library outlives the host; released here so the case can be removed.
    HMODULE kept = *host->kept_library;
    end_addin_host(nullptr, host);
    EXPECT_TRUE(loaded(f.b));
    FreeLibrary(kept);
    EXPECT_FALSE(loaded(f.b));
    close_case(&f.c);
}

TEST(AddinDispatch, RunsCommandsOfTheRangeWithTheMenuCodeAndNeverConsumes)
{
    four_places f;
    place_four(&f, "t19", add_in(191, 128), add_in(192, 64), add_in(193, 32), add_in(194, 1));
    wyro_host *host = start_addin_host(nullptr, f.c.config);
    ASSERT_NE(host, nullptr);
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    HMENU system = CreatePopupMenu();
    build_addin_menu(nullptr, bar, host, f.c.config, 128);
    build_addin_menu(nullptr, popup, host, f.c.config, 32);
    build_addin_menu(nullptr, system, host, f.c.config, 64);
    EXPECT_EQ(*host->current_menu_code, 64);
    struct {
        UINT message;
        WPARAM wparam;
        std::string called;  // empty: nobody
        int event;           // the record's event code afterwards, -1 when untouched
    } rows[] = {
        {WM_COMMAND, 25202, f.c_path, 64},  // the context menu's item before any mouse move
        {WM_SYSCOMMAND, 25201, f.b, 64},
        {WM_MOUSEMOVE, 0, "", -1},
        {WM_COMMAND, 25202, f.c_path, 128},
        {WM_COMMAND, MAKEWPARAM(25200, 1), f.a, 128},  // the high word does not matter
        {WM_COMMAND, 25249, "", 128},                  // in the range, no add-in there
        {WM_SYSCOMMAND, 25250, "", -1},
        {WM_COMMAND, 25199, "", -1},
        {WM_PAINT, 25200, "", -1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.message) + " " + std::to_string(row.wparam));
        clear_addin_log();
        wyro_io_record io = {};
        io.event_code = -1;
        EXPECT_EQ(dispatch_addin_command(nullptr, host, f.c.config, &io, row.message, row.wparam, 0), 1);
        std::vector<std::string> called = called_paths("process");
        EXPECT_EQ(called, row.called.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.called});
        EXPECT_EQ(io.event_code, row.event);
        if (row.event != -1) {
            EXPECT_EQ(io.version, 1);
        }
    }
    EXPECT_EQ(*host->current_menu_code, 128);
    wyro_io_record io = {};
    EXPECT_EQ(dispatch_addin_command(nullptr, nullptr, f.c.config, &io, WM_COMMAND, 25200, 0), 1);
    DestroyMenu(bar);
    DestroyMenu(popup);
    DestroyMenu(system);
    end_addin_host(nullptr, host);
    close_case(&f.c);
}

TEST(AddinEnd, ADamagedRecordIsReportedAndNothingIsFreed)
{
    addin_case c;
    open_case(&c, "t20", "t20dir/");
    wyro_host *host = start_addin_host(nullptr, c.config);
    ASSERT_NE(host, nullptr);
    HWND owner = make_owner_window();
    int16_t **fields_16[] = {&host->flags, &host->current_menu_code};
    for (int16_t **field : fields_16) {
        int16_t *saved = *field;
        *field = nullptr;
        box_answerer answerer;
        start_answering_boxes(&answerer, END_CAPTION, IDOK);
        EXPECT_EQ(end_addin_host(owner, host), 1);
        stop_answering_boxes(&answerer);
        EXPECT_EQ(answerer.answered, 1);
        EXPECT_EQ(answerer.last_text, "確保したメモリを見失いました");
        *field = saved;
        // Nothing was freed: the blocks are still ours.
        EXPECT_NE(GlobalSize(saved), 0u);
        EXPECT_NE(GlobalSize(host->count), 0u);
    }
    box_answerer answerer;
    start_answering_boxes(&answerer, END_CAPTION, IDOK);
    EXPECT_EQ(end_addin_host(owner, nullptr), 1);
    EXPECT_EQ(end_addin_host(owner, host), 1);
    stop_answering_boxes(&answerer);
    EXPECT_EQ(answerer.answered, 1);
    DestroyWindow(owner);
    close_case(&c);
}
