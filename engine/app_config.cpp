// The configuration record, the active dataset number and the program's own folder.
#include "app_config.h"
#include "bounded_text.h"
#include "path_helpers.h"

app_config g_app_config;
int32_t g_active_dataset = 0;

int folder_of_module_path(const char *module_path, char *out, size_t out_size)
{
    if (out == nullptr || out_size == 0) return 0;
    out[0] = '\0';
    // The last backslash or slash that is not the second half of a double-byte character ends the folder.
    int separator = sjis_find_last_of(module_path, "\\/");
    if (separator < 0 || static_cast<size_t>(separator) + 2 > out_size) return 0;
    for (int i = 0; i <= separator; i++) out[i] = module_path[i];
    out[separator + 1] = '\0';
    return 1;
}

const char *program_folder()
{
    // Worked out once: the program does not move while it runs.
    static char folder[PATH_SIZE];
    static int known = 0;
    if (!known) {
        char module_path[PATH_SIZE];
        DWORD length = GetModuleFileNameA(nullptr, module_path, countof(module_path));
        // A full buffer means the name was cut; such a folder is not used at all.
        if (length == 0 || length >= countof(module_path) || !folder_of_module_path(module_path, folder, countof(folder)))
            folder[0] = '\0';
        known = 1;
    }
    return folder;
}
