// Stand-in for chromakey.dll: logs the call, marks the destination when it answers "extracted".
// QUODRA_STANDIN_CHROMAKEY_ANSWER sets the answer (1 when not set).
#include "standin_support.h"
#include <cstdio>

extern "C" int WINAPI standin_extract_chromakey(HWND owner, LPCSTR archive, LPCSTR destination, int mode)
{
    int answer = standin_setting("QUODRA_STANDIN_CHROMAKEY_ANSWER", 1);
    char details[1024];
    std::snprintf(details, sizeof details, "owner=%llu|archive=%s|destination=%s|mode=%d",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(owner)), standin_text(archive),
                  standin_text(destination), mode);
    standin_log("_ExtractChromakey@16", details);
    if (answer != 0 && destination != nullptr) standin_mark(destination, standin_text(archive));
    return answer;
}
