// An archiver library of a version the program does not support: it loads, but has none of the entry
// points. Copied under any archiver's file name by the tests.
#include <windows.h>

extern "C" int WINAPI StandinVersion() { return 1; }
