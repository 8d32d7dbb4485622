// The program's identification over the engine's run.
#include "identify.h"

identification_result g_identification_result;
int32_t g_rename_possible = 0;

int identify_file(HWND window, const char *path, int quiet)
{
    if (!identify_target(path, quiet, &g_identification_result)) return 0;
    if (quiet == 0 && window != nullptr) InvalidateRect(window, nullptr, FALSE);
    if (first_candidate_differs(g_identification_result.target, g_identification_result.first_extension))
        g_rename_possible = 1;
    return 1;
}
