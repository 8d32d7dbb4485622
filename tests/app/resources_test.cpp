// karvo's resources as the program loads them: the menu bar's texts and ids, the icons, and the pictures'
// sizes. This test program links the same compiled resource script as karvo.
#include "menu_table.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

std::string menu_text(HMENU menu, int position)
{
    char text[260] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(resources, the_menu_bar_has_every_menu_and_item_with_its_text_and_id)
{
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_MAIN_MENU));
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(EXPECTED_MENU_COUNT, GetMenuItemCount(bar));
    for (int m = 0; m < EXPECTED_MENU_COUNT; m++) {
        const expected_menu &expected = EXPECTED_MENU_BAR[m];
        SCOPED_TRACE(m);
        EXPECT_EQ(expected.text, menu_text(bar, m));
        HMENU popup = GetSubMenu(bar, m);
        ASSERT_NE(nullptr, popup);
        ASSERT_EQ(expected.item_count, GetMenuItemCount(popup));
        for (int i = 0; i < expected.item_count; i++) {
            SCOPED_TRACE(i);
            const expected_menu_item &item = expected.items[i];
            if (item.text == nullptr) {
                MENUITEMINFOA info = {};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE;
                ASSERT_TRUE(GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info));
                EXPECT_TRUE(info.fType & MFT_SEPARATOR);
                continue;
            }
            EXPECT_EQ(item.text, menu_text(popup, i));
            EXPECT_EQ(item.id, GetMenuItemID(popup, i));
        }
    }
    DestroyMenu(bar);
}

TEST(resources, a_japanese_menu_text_is_stored_as_the_right_code_page_932_bytes)
{
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_MAIN_MENU));
    ASSERT_NE(nullptr, bar);
    // "ファイル(&F)": ファ 0x83 0x74 0x83 0x40, イ 0x83 0x43, ル 0x83 0x8B
    EXPECT_EQ("\x83\x74\x83\x40\x83\x43\x83\x8B(&F)", menu_text(bar, 0));
    DestroyMenu(bar);
}

TEST(resources, the_pictures_have_their_sizes)
{
    const struct {
        int id;
        LONG width;
        LONG height;
    } pictures[] = {
        {IDB_FOLDER_JUMPS, 70, 19}, {IDB_SHORTCUTS, 163, 18}, {IDB_RESULT_PANEL, 262, 107},
        {IDB_RENAME_DARK, 31, 30},  {IDB_RENAME_LIT, 31, 30}, {IDB_TOOLBAR, 80, 15},
    };
    for (const auto &picture : pictures) {
        SCOPED_TRACE(picture.id);
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture.id));
        ASSERT_NE(nullptr, bitmap);
        BITMAP info = {};
        ASSERT_NE(0, GetObjectA(bitmap, sizeof info, &info));
        EXPECT_EQ(picture.width, info.bmWidth);
        EXPECT_EQ(picture.height, info.bmHeight);
        DeleteObject(bitmap);
    }
}

TEST(resources, the_icons_load_at_their_sizes)
{
    const struct {
        int id;
        int size;
    } icons[] = {{IDI_KARVO, 32}, {IDI_KARVO, 16}, {IDI_KARVO_SMALL, 16}, {IDI_STATUS, 16}};
    for (const auto &icon : icons) {
        SCOPED_TRACE(icon.id);
        HICON handle = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon.id), IMAGE_ICON, icon.size, icon.size, 0));
        ASSERT_NE(nullptr, handle);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(handle, &info));
        BITMAP colour = {};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(icon.size, colour.bmWidth);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(handle);
    }
}

}  // namespace
