// The one configuration record: where quodra.ini is and the four paths of the active dataset.
// Settings themselves are never cached; every reader goes to quodra.ini at the moment of use.
#pragma once
#include "engine_records.h"
#include <windows.h>

struct app_config {
    char ini_path[PATH_SIZE];
    char key_path[PATH_SIZE];
    char dat_path[PATH_SIZE];
    char plugin_folder[PATH_SIZE];  // ends in a backslash
    char addin_folder[PATH_SIZE];   // ends in a backslash
};

extern app_config g_app_config;
// The value of DATASET/usedataset after start-up.
extern int32_t g_active_dataset;

// The running program's folder with a trailing backslash (empty when it cannot be had).
const char *program_folder();
// Derives the four dataset paths from DATASET/usedataset; 1 when set, 0 when the slot is out of range.
int set_definition_paths(app_config *config);

// The same with the folder the paths are built in given (program_folder() for the program itself);
// the settings are read from config->ini_path. Also 0, paths kept, when a path would not fit its field.
int set_definition_paths_in(app_config *config, const char *folder);
// The folder part of a module's full file name, up to and including its last separator; 0 when there is
// none or it does not fit out.
int folder_of_module_path(const char *module_path, char *out, size_t out_size);
