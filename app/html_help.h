// HTML Help, located through the registry entry of the HTML Help control and loaded on first use.
// Without the control every call does nothing and answers 0.
#pragma once
#include <windows.h>

const UINT HH_CLOSE_ALL_COMMAND = 18;
const UINT HH_INITIALIZE_COMMAND = 28;
const UINT HH_UNINITIALIZE_COMMAND = 29;
const UINT HH_PRETRANSLATEMESSAGE_COMMAND = 253;

// The cookie of the HTML Help initialisation (window mode only).
extern DWORD g_html_help_cookie;

// HtmlHelpA of the control; 0 when the control cannot be had.
HWND html_help(HWND caller, const char *file, UINT command, DWORD_PTR data);
// The help control's file name from its class registration, expanded; 0 when it is not registered.
int find_html_help_control(char *out, DWORD out_size);
