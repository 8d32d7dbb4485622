// The system folder chooser, started at a given folder; used by the folder and extraction pages.
#include "settings.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "path_helpers.h"
#include <shlobj.h>
#include <cstring>

namespace {

// A drive root such as C:\ is three characters and keeps its separator.
const size_t DRIVE_ROOT_LENGTH = 3;

// Selects the initial folder once the chooser is ready; the chooser gets 0 for every notification.
int CALLBACK select_initial_folder(HWND chooser, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED) SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}  // namespace

int browse_for_folder(HWND owner, char *result, size_t result_size, const char *title, const char *initial_folder)
{
    if (result == nullptr || result_size < MAX_PATH) {
        show_owned_message(owner, "バッファのサイズはMAX_PATH以上でなければなりません", "ERROR", MB_ICONWARNING);
        return 0;
    }
    result[0] = '\0';
    char initial[MAX_PATH];
    // A start folder that does not fit is no start folder: the chooser opens at its default.
    if (initial_folder == nullptr || !copy_text(initial, sizeof initial, initial_folder)) initial[0] = '\0';
    size_t length = std::strlen(initial);
    if (length > DRIVE_ROOT_LENGTH && sjis_ends_with_one_of(initial, "\\")) initial[length - 1] = '\0';

    // The chooser is a shell object and wants COM on this thread.
    HRESULT com = CoInitialize(nullptr);
    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = select_initial_folder;
    browse.lParam = reinterpret_cast<LPARAM>(initial);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    int picked = 0;
    if (chosen != nullptr) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA(chosen, path)) picked = copy_text(result, result_size, path);
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    if (!picked) result[0] = '\0';
    return picked;
}
