// Where the active dataset lives: the key file, the data file, the plug-in folder and the add-in folder,
// derived from DATASET/usedataset and the slot's datasetname.
#include "app_config.h"
#include "bounded_text.h"
#include <cstdio>

namespace {

const int HIGHEST_SLOT = 5;

// The four paths of one dataset, built before any of them is stored.
struct dataset_paths {
    char key_path[PATH_SIZE];
    char dat_path[PATH_SIZE];
    char plugin_folder[PATH_SIZE];
    char addin_folder[PATH_SIZE];
};

// Builds one path from up to five parts; 0 when the whole does not fit.
int join_path(char *out, size_t size, const char *a, const char *b, const char *c = "", const char *d = "",
              const char *e = "")
{
    return copy_text(out, size, a) && append_text(out, size, b) && append_text(out, size, c) &&
           append_text(out, size, d) && append_text(out, size, e);
}

int build_fixed_paths(dataset_paths *paths, const char *folder)
{
    return join_path(paths->key_path, countof(paths->key_path), folder, "data\\karvo.key") &&
           join_path(paths->dat_path, countof(paths->dat_path), folder, "data\\karvo.dat") &&
           join_path(paths->plugin_folder, countof(paths->plugin_folder), folder, "plug-in\\") &&
           join_path(paths->addin_folder, countof(paths->addin_folder), folder, "add-in\\");
}

int build_named_paths(dataset_paths *paths, const char *folder, const char *name)
{
    return join_path(paths->key_path, countof(paths->key_path), folder, name, "\\", name, ".key") &&
           join_path(paths->dat_path, countof(paths->dat_path), folder, name, "\\", name, ".dat") &&
           join_path(paths->plugin_folder, countof(paths->plugin_folder), folder, name, "\\plug-in\\") &&
           join_path(paths->addin_folder, countof(paths->addin_folder), folder, name, "\\add-in\\");
}

void store_paths(app_config *config, const dataset_paths *paths)
{
    copy_text(config->key_path, countof(config->key_path), paths->key_path);
    copy_text(config->dat_path, countof(config->dat_path), paths->dat_path);
    copy_text(config->plugin_folder, countof(config->plugin_folder), paths->plugin_folder);
    copy_text(config->addin_folder, countof(config->addin_folder), paths->addin_folder);
}

}  // namespace

int set_definition_paths_in(app_config *config, const char *folder)
{
    // Without a settings file every read is empty, so the slot reads as 0.
    int slot = config->ini_path[0] == '\0' ? 0 : static_cast<int>(GetPrivateProfileIntA("DATASET", "usedataset", 0,
                                                                                          config->ini_path));
    g_active_dataset = slot;
    dataset_paths paths;
    if (slot == 0) {
        if (!build_fixed_paths(&paths, folder)) return 0;
        store_paths(config, &paths);
        return 1;
    }
    if (slot > HIGHEST_SLOT) return 0;
    // A negative slot is taken like 1-5: its key (datasetname-1, ...) is normally missing, so the name is empty.
    char key[32];
    std::snprintf(key, sizeof key, "datasetname%d", slot);
    char name[PATH_SIZE];
    GetPrivateProfileStringA("DATASET", key, "", name, countof(name), config->ini_path);
    // A path that would not fit its field is never stored cut: the previous paths stay.
    if (!build_named_paths(&paths, folder, name)) return 0;
    store_paths(config, &paths);
    return 1;
}

int set_definition_paths(app_config *config)
{
    return set_definition_paths_in(config, program_folder());
}
