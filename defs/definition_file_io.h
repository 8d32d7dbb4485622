// Small helpers the binary definition loaders share: opening a definition file for one read, reading a
// region at an offset, and taking little-endian fields out of the bytes that were actually read.
#pragma once
#include <windows.h>
#include <cstdint>

// Opens path for reading (shared read, existing file, sequential scan). On failure shows
// "対象のファイルが開けません" with caption "ERROR" when a window is given; returns INVALID_HANDLE_VALUE.
HANDLE open_definition_file(HWND window, const char *path);
// Reads up to size bytes at file offset into buffer; returns the count read (fewer at the end of the file).
int read_file_region(HANDLE file, long long offset, unsigned char *buffer, int size);

// Fields of a region read from a file: only the first `available` bytes are real; a field that reaches
// past them keeps zero in its unread bytes, as a short read leaves them.
struct read_region {
    const unsigned char *bytes;
    int available;
};

uint8_t region_u8(const read_region &region, int offset);
uint16_t region_u16(const read_region &region, int offset);
uint32_t region_u32(const read_region &region, int offset);
// Copies length bytes of text into dst (size > length) and terminates it after length characters.
void region_text(const read_region &region, int offset, int length, char *dst, int size);
// 1 when the region holds the six magic letters at offset.
int region_has_magic(const read_region &region, int offset, const char *magic);
