// The request text of the command-line run: the file's long path and the ARCHIVE settings as option pairs.
#include "extraction_request.h"
#include "bounded_text.h"
#include "settings_store.h"
#include <cstdlib>

namespace {

int setting_number(const char *key)
{
    char value[ARCHIVE_SETTING_SIZE];
    read_setting_text("ARCHIVE", key, value, countof(value));
    return std::atoi(value);
}

int append_destination(char *out, size_t out_size)
{
    int extdir = setting_number("extdir");
    if (extdir == 1) return append_text(out, out_size, " -d");
    if (extdir == 2) return append_text(out, out_size, " -a");
    char folder[ARCHIVE_SETTING_SIZE];
    read_setting_text("ARCHIVE", "extdirpath", folder, countof(folder));
    return append_text(out, out_size, " \"") && append_text(out, out_size, folder) && append_text(out, out_size, "\"");
}

}  // namespace

int build_extraction_request(const char *long_path, char *out, size_t out_size)
{
    if (out == nullptr || out_size == 0) return 0;
    int built = copy_text(out, out_size, long_path);
    if (built && setting_number("opendir") == 1) built = append_text(out, out_size, " -o");
    if (built && setting_number("createdir") == 1) built = append_text(out, out_size, " -c");
    if (built) built = append_destination(out, out_size);
    if (!built) out[0] = '\0';
    return built;
}
