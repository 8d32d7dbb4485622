// The unpacked release package as a Windows user gets it: every program file carries the version resource
// of this version, the program icon has its three sizes, and the help file opens in the HTML Help viewer at
// its cover topic. package_test.sh unpacks the package and names its folder in QUODRA_PACKAGE_FOLDER.
#include "html_help.h"
#include "quodra_version.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <objbase.h>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

// HtmlHelpA's command that opens a topic with the contents pane, as the help menu item does.
const UINT HH_DISPLAY_TOC_COMMAND = 1;
const char COVER_TOPIC[] = "quodra.chm::/表紙？.html";

std::string package_folder()
{
    const char *folder = std::getenv("QUODRA_PACKAGE_FOLDER");
    std::string text = folder != nullptr ? folder : "";
    if (!text.empty() && text.back() != '\\') text += '\\';
    return text;
}

class package : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = package_folder();
        ASSERT_FALSE(folder.empty()) << "QUODRA_PACKAGE_FOLDER names no unpacked package";
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "karvo.exe").c_str())) << folder;
    }
    std::string folder;
};

// --- Version resources ---

struct version_expectation {
    const char *file;
    DWORD file_type;
    const char *description;
    const char *original_name;
};

const version_expectation VERSIONED_FILES[] = {
    {"karvo.exe", VFT_APP, "Quodra ファイル形式の識別", "karvo.exe"},
    {"karvoc.exe", VFT_APP, "Quodra コンソール識別プログラム", "karvoc.exe"},
    {"judgext.dll", VFT_DLL, "Quodra 動画コーデック判定ライブラリ", "judgext.dll"},
    {"vlm_gene_036\\add-in\\judgext.dll", VFT_DLL, "Quodra 動画コーデック判定ライブラリ", "judgext.dll"},
    {"vlm_gene_036\\add-in\\judgext_containers.dll", VFT_DLL, "Quodra コンテナ形式判定ライブラリ",
     "judgext_containers.dll"},
    {"vlm_gene_036\\add-in\\judgext_text.dll", VFT_DLL, "Quodra テキスト種類判定ライブラリ", "judgext_text.dll"},
};

std::string version_string(const std::string &block, const char *name)
{
    char *value = nullptr;
    UINT length = 0;
    std::string query = "\\StringFileInfo\\041103A4\\" + std::string(name);
    if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void **>(&value), &length) || value == nullptr)
        return "(none)";
    return std::string(value);
}

TEST_F(package, every_program_file_carries_this_version_with_its_names)
{
    for (const version_expectation &expected : VERSIONED_FILES) {
        SCOPED_TRACE(expected.file);
        std::string path = folder + expected.file;
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_NE(0u, size);
        std::string block(size, '\0');
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &block[0]));

        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
        ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
        EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(QUODRA_VERSION_MINOR, QUODRA_VERSION_MAJOR)), fixed->dwFileVersionMS);
        EXPECT_EQ(0u, fixed->dwFileVersionLS);
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
        EXPECT_EQ(expected.file_type, fixed->dwFileType);

        WORD *translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                                   &length));
        ASSERT_EQ(4u, length);
        EXPECT_EQ(0x0411, translation[0]);
        EXPECT_EQ(932, translation[1]);

        EXPECT_EQ(QUODRA_VERSION_TEXT, version_string(block, "FileVersion"));
        EXPECT_EQ(QUODRA_VERSION_TEXT, version_string(block, "ProductVersion"));
        EXPECT_EQ("Quodra", version_string(block, "ProductName"));
        EXPECT_EQ(expected.description, version_string(block, "FileDescription"));
        EXPECT_EQ(expected.original_name, version_string(block, "OriginalFilename"));
        EXPECT_EQ("Copyright (C) 2026 Quodra project", version_string(block, "LegalCopyright"));
    }
}

TEST(version, the_text_is_the_major_number_a_dot_and_two_digits_of_the_minor)
{
    char expected[32];
    snprintf(expected, sizeof expected, "%d.%02d", QUODRA_VERSION_MAJOR, QUODRA_VERSION_MINOR);
    EXPECT_STREQ(expected, QUODRA_VERSION_TEXT);
}

// --- Icons ---

#pragma pack(push, 2)
struct icon_group_entry {
    BYTE width;
    BYTE height;
    BYTE colour_count;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(icon_group_entry) == 14, "an icon group entry is 14 bytes");

// The sizes of the images of icon group `id` in `module`; each image must load as an icon of its size.
std::set<int> icon_group_sizes(HMODULE module, int id)
{
    std::set<int> sizes;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    if (found == nullptr) return sizes;
    const BYTE *group = static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
    DWORD group_size = SizeofResource(module, found);
    if (group == nullptr || group_size < 6) return sizes;
    WORD count = *reinterpret_cast<const WORD *>(group + 4);
    if (group_size < 6u + count * sizeof(icon_group_entry)) return sizes;
    for (WORD i = 0; i < count; i++) {
        icon_group_entry entry;
        memcpy(&entry, group + 6 + i * sizeof entry, sizeof entry);
        int size = entry.width == 0 ? 256 : entry.width;
        HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3));  // RT_ICON
        if (image == nullptr) continue;
        BYTE *bits = static_cast<BYTE *>(LockResource(LoadResource(module, image)));
        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(module, image), TRUE, 0x00030000, size, size, 0);
        if (icon == nullptr) continue;
        ICONINFO info = {};
        BITMAP colour = {};
        if (GetIconInfo(icon, &info)) {
            GetObjectA(info.hbmColor, sizeof colour, &colour);
            if (colour.bmWidth == size && colour.bmHeight == size) sizes.insert(size);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        DestroyIcon(icon);
    }
    return sizes;
}

TEST_F(package, the_program_icon_has_16_32_and_48_pixel_images)
{
    HMODULE karvo = LoadLibraryExA((folder + "karvo.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, karvo);
    EXPECT_EQ((std::set<int>{16, 32, 48}), icon_group_sizes(karvo, IDI_KARVO));
    EXPECT_EQ((std::set<int>{16}), icon_group_sizes(karvo, IDI_KARVO_SMALL));
    FreeLibrary(karvo);
}

int icon_width(HICON icon)
{
    ICONINFO info = {};
    BITMAP colour = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

TEST_F(package, the_shell_takes_the_program_icon_from_karvo_exe_at_its_sizes)
{
    std::string karvo = folder + "karvo.exe";
    HICON large = nullptr;
    HICON small = nullptr;
    ASSERT_EQ(2u, ExtractIconExA(karvo.c_str(), 0, &large, &small, 1));
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), icon_width(large));
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), icon_width(small));
    DestroyIcon(large);
    DestroyIcon(small);
}

// --- Help ---

void pump_messages(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}

BOOL CALLBACK find_tree_view(HWND child, LPARAM lparam)
{
    char class_name[64] = "";
    GetClassNameA(child, class_name, sizeof class_name);
    if (std::string(class_name) != WC_TREEVIEWA) return TRUE;
    *reinterpret_cast<HWND *>(lparam) = child;
    return FALSE;
}

std::string first_contents_entry(HWND viewer)
{
    HWND tree = nullptr;
    EnumChildWindows(viewer, find_tree_view, reinterpret_cast<LPARAM>(&tree));
    if (tree == nullptr) return "(no contents pane)";
    HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    char text[260] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = root;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (root == nullptr || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "(empty)";
    return text;
}

// The help file's own name parser ("@MSITStore:" names), the one the viewer resolves its topics with.
const CLSID HELP_STORE_PARSER = {0x9d148290, 0xb9c8, 0x11d0, {0xa4, 0xcc, 0x00, 0x00, 0xf8, 0x01, 0x49, 0xf6}};

// The bytes of a topic ("file.chm::/name.html"), fetched the way the viewer fetches it; "" when it is not there.
std::string topic_bytes(const std::string &topic)
{
    wchar_t name[600];
    std::string display_name = "@MSITStore:" + topic;
    if (MultiByteToWideChar(CP_ACP, 0, display_name.c_str(), -1, name, 600) == 0) return "";
    IParseDisplayName *parser = nullptr;
    if (FAILED(CoCreateInstance(HELP_STORE_PARSER, nullptr, CLSCTX_INPROC_SERVER, IID_IParseDisplayName,
                                reinterpret_cast<void **>(&parser))))
        return "";
    IBindCtx *context = nullptr;
    IMoniker *moniker = nullptr;
    IStream *stream = nullptr;
    ULONG eaten = 0;
    std::string bytes;
    if (SUCCEEDED(CreateBindCtx(0, &context)) && SUCCEEDED(parser->ParseDisplayName(context, name, &eaten, &moniker)) &&
        SUCCEEDED(moniker->BindToStorage(context, nullptr, IID_IStream, reinterpret_cast<void **>(&stream)))) {
        char chunk[4096];
        ULONG got = 0;
        while (SUCCEEDED(stream->Read(chunk, sizeof chunk, &got)) && got > 0) bytes.append(chunk, got);
        stream->Release();
    }
    if (moniker != nullptr) moniker->Release();
    if (context != nullptr) context->Release();
    parser->Release();
    return bytes;
}

TEST_F(package, the_help_command_opens_the_viewer_at_the_cover_topic)
{
    DWORD cookie = 0;
    html_help(nullptr, nullptr, HH_INITIALIZE_COMMAND, reinterpret_cast<DWORD_PTR>(&cookie));
    std::string cover = folder + COVER_TOPIC;
    HWND viewer = html_help(nullptr, cover.c_str(), HH_DISPLAY_TOC_COMMAND, 0);
    ASSERT_NE(nullptr, viewer);
    pump_messages(1500);
    EXPECT_TRUE(IsWindowVisible(viewer));
    char title[260] = "";
    GetWindowTextA(viewer, title, sizeof title);
    EXPECT_STREQ("Quodra ヘルプ", title);
    // The contents come from the help file in code page 932; the cover leads them.
    EXPECT_EQ("表紙", first_contents_entry(viewer));
    html_help(nullptr, nullptr, HH_CLOSE_ALL_COMMAND, 0);
    pump_messages(300);
    EXPECT_FALSE(IsWindow(viewer));
    html_help(nullptr, nullptr, HH_UNINITIALIZE_COMMAND, cookie);
}

TEST_F(package, the_cover_topic_is_in_the_help_file_under_its_own_name)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    std::string page = topic_bytes(folder + COVER_TOPIC);
    EXPECT_NE(std::string::npos, page.find("<h1>Quodra ヘルプ</h1>")) << page.substr(0, 200);
    EXPECT_NE(std::string::npos, page.find("charset=Shift_JIS"));
    // A name that is not there gives nothing: the lookup above is a real one.
    EXPECT_EQ("", topic_bytes(folder + "quodra.chm::/表紙.html"));
    CoUninitialize();
}

}  // namespace
