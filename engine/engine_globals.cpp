// The identification engine's lasting state: the result of the last identification and the rename flag.
#include "engine_records.h"

identification_result g_identification_result;
int32_t g_rename_possible = 0;
