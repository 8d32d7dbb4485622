// Cutting a code page 932 text to a number of bytes without leaving half a double-byte character.
#pragma once
#include <cstddef>

// Copies at most max_bytes bytes of text into out (always terminated, also bounded by out_size). A
// double-byte character whose second byte would fall past the cut is dropped whole.
void sjis_cut(const char *text, size_t max_bytes, char *out, size_t out_size);
