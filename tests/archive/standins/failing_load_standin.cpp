// An archiver library that cannot be loaded: its start-up refuses, so loading it by name fails.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
}
