// The page "ショートカット・関連づけ": a shortcut to the program on the desktop or in the Send To menu,
// and the registration of the add-in file type ".wyr". Each button acts at once; nothing is stored in
// quodra.ini.
#include "settings_pages.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "resource.h"
#include <objbase.h>
#include <objidl.h>
#include <prsht.h>
#include <shlguid.h>
#include <shlobj.h>
#include <cstdio>

namespace {

struct shortcut_place {
    int csidl;
    const char *file_name;
    const char *made_text;
};

const shortcut_place DESKTOP_SHORTCUT = {CSIDL_DESKTOPDIRECTORY, "\\Quodra.lnk",
                                         "デスクトップにショートカットを作成しました！"};
const shortcut_place SENDTO_SHORTCUT = {CSIDL_SENDTO, "\\Quodraで拡張子識別.lnk", "送るメニューに追加しました！"};

const char SHORTCUT_FAILED_TEXT[] = "ショートカットを作成できませんでした。";
const char ASSOCIATION_FAILED_TEXT[] = "関連づけを登録できませんでした。(レジストリに書き込めません)";

// The running program's own file; 0 when its name does not fit.
int program_path(char *out, size_t size)
{
    DWORD length = GetModuleFileNameA(nullptr, out, static_cast<DWORD>(size));
    return length != 0 && length < size;
}

// Fills the link and saves it at path; 1 only when the link file was written. COM is running.
int save_link(IShellLinkA *link, IPersistFile *file, const char *target, const char *path)
{
    if (FAILED(link->SetPath(target)) || FAILED(link->SetShowCmd(SW_SHOW)) || FAILED(link->SetWorkingDirectory("")) ||
        FAILED(link->SetIconLocation(nullptr, 0)) || FAILED(link->SetHotkey(0)) || FAILED(link->SetDescription("")))
        return 0;
    WCHAR wide_path[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, wide_path, MAX_PATH) == 0) return 0;
    return SUCCEEDED(file->Save(wide_path, TRUE));
}

// 1 when the shortcut was made, 0 when it was not, -1 when COM or the shell-link object is not to be had
// (then nothing is said).
int make_shortcut(const shortcut_place *place)
{
    char folder[MAX_PATH];
    char path[MAX_PATH];
    char target[MAX_PATH];
    if (!SHGetSpecialFolderPathA(nullptr, folder, place->csidl, FALSE)) return 0;
    if (!copy_text(path, sizeof path, folder) || !append_text(path, sizeof path, place->file_name)) return 0;
    if (!program_path(target, sizeof target)) return 0;

    HRESULT com = CoInitialize(nullptr);
    if (com == E_OUTOFMEMORY || com == E_INVALIDARG || com == E_UNEXPECTED) return -1;
    int made = -1;
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link)))) {
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            made = save_link(link, file, target, path);
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return made;
}

void on_shortcut(HWND page, const shortcut_place *place)
{
    int made = make_shortcut(place);
    // A shortcut that was not written is never reported as made.
    if (made == 1) {
        MessageBoxA(page, place->made_text, "Message", MB_OK);
    } else if (made == 0) {
        show_owned_message(page, SHORTCUT_FAILED_TEXT, "ERROR", MB_ICONWARNING);
    }
}

struct registry_entry {
    const char *key;
    const char *value;  // a printf format taking the program path
};

// Written in this order under HKEY_CLASSES_ROOT, each as the key's default value.
const registry_entry ASSOCIATION_ENTRIES[] = {
    {".wyr", "WyroAddin"},
    {"WyroAddin\\shell\\open\\command", "\"%s\""},
    {"WyroAddin\\DefaultIcon", "%s,2"},
    {"WyroAddin", "Velmar Easy Addin -wyro-"},
};

int write_default_value(const char *key_name, const char *value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key_name, 0, const_cast<char *>(""), REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    LONG set = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                              static_cast<DWORD>(lstrlenA(value) + 1));
    RegCloseKey(key);
    return set == ERROR_SUCCESS;
}

// 1 when every entry was written; stops at the first that could not be (those before it stay).
int register_addin_type()
{
    char program[MAX_PATH];
    if (!program_path(program, sizeof program)) return 0;
    for (const registry_entry &entry : ASSOCIATION_ENTRIES) {
        char value[MAX_PATH + 8];
        int length = std::snprintf(value, sizeof value, entry.value, program);
        if (length < 0 || static_cast<size_t>(length) >= sizeof value) return 0;
        if (!write_default_value(entry.key, value)) return 0;
    }
    return 1;
}

void on_associate(HWND page)
{
    // Success says nothing; a registration that stopped part-way is not left unmentioned.
    if (!register_addin_type()) show_owned_message(page, ASSOCIATION_FAILED_TEXT, "ERROR", MB_ICONWARNING);
}

INT_PTR on_command(HWND page, int id, int code)
{
    if (code != BN_CLICKED) return FALSE;
    switch (id) {
    case IDC_SHELL_DESKTOP_SHORTCUT:
        on_shortcut(page, &DESKTOP_SHORTCUT);
        return TRUE;
    case IDC_SHELL_SENDTO_SHORTCUT:
        on_shortcut(page, &SENDTO_SHORTCUT);
        return TRUE;
    case IDC_SHELL_ASSOCIATE:
        on_associate(page);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR on_notify(HWND page, const NMHDR *header)
{
    if (header->code == PSN_APPLY) return answer_notification(page, PSNRET_NOERROR);
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK shell_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        return on_command(page, LOWORD(wparam), HIWORD(wparam));
    case WM_NOTIFY:
        return on_notify(page, reinterpret_cast<const NMHDR *>(lparam));
    default:
        return FALSE;
    }
}
