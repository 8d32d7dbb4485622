// Shared file access of the binary definition loaders (plug-ins, option blocks, dictionaries).
#include "definition_file_io.h"
#include <cstring>
#include "byte_order.h"
#include "definition_format.h"
#include "owner_message.h"

HANDLE open_definition_file(HWND window, const char *path)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    if (path != nullptr)
        file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        show_owned_message(window, "対象のファイルが開けません", "ERROR", MB_ICONWARNING);
    return file;
}

int read_file_region(HANDLE file, long long offset, unsigned char *buffer, int size)
{
    if (offset < 0 || size <= 0) return 0;
    LARGE_INTEGER position;
    position.QuadPart = offset;
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return 0;
    int total = 0;
    while (total < size) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + total, static_cast<DWORD>(size - total), &got, nullptr) || got == 0) break;
        total += static_cast<int>(got);
    }
    return total;
}

// The field's bytes that were read, the rest zero, as little-endian.
static uint32_t region_bytes(const read_region &region, int offset, int count)
{
    unsigned char field[4] = {0, 0, 0, 0};
    for (int i = 0; i < count && offset + i < region.available; ++i) field[i] = region.bytes[offset + i];
    return read_le32(field);
}

uint8_t region_u8(const read_region &region, int offset)
{
    return static_cast<uint8_t>(region_bytes(region, offset, 1));
}

uint16_t region_u16(const read_region &region, int offset)
{
    return static_cast<uint16_t>(region_bytes(region, offset, 2));
}

uint32_t region_u32(const read_region &region, int offset)
{
    return region_bytes(region, offset, 4);
}

void region_text(const read_region &region, int offset, int length, char *dst, int size)
{
    if (size <= 0) return;
    if (length > size - 1) length = size - 1;
    std::memset(dst, 0, static_cast<size_t>(size));
    int real = region.available - offset;
    if (real > length) real = length;
    if (real > 0) std::memcpy(dst, region.bytes + offset, static_cast<size_t>(real));
}

int region_has_magic(const read_region &region, int offset, const char *magic)
{
    if (offset + DEFINITION_MAGIC_SIZE > region.available) return 0;
    return std::memcmp(region.bytes + offset, magic, DEFINITION_MAGIC_SIZE) == 0;
}
