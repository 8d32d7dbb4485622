// Bounded copies into fixed text buffers. Every copy and append in the program goes through these two,
// so a buffer is always terminated and a cut is always reported (1 = whole text fitted, 0 = cut or refused).
#pragma once
#include <cstddef>

const int PATH_SIZE = 260;  // every path buffer; a path of 260 bytes or more is refused

// Copies src into dst (size bytes in all); returns 0 when src had to be cut. dst is always terminated.
int copy_text(char *dst, size_t size, const char *src);
// Appends src to the text in dst; returns 0 when src had to be cut. dst is always terminated.
int append_text(char *dst, size_t size, const char *src);

template <typename T, size_t N> constexpr size_t countof(T (&)[N]) { return N; }
