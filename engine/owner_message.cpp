// Message boxes shown only with an owner window.
#include "owner_message.h"

int show_owned_message(HWND owner, const char *text, const char *caption, UINT icon)
{
    if (owner == nullptr) return 0;
    return MessageBoxA(owner, text, caption, icon);
}

int show_message_always(HWND owner, const char *text, const char *caption, UINT icon)
{
    return MessageBoxA(owner, text, caption, icon);
}
