// Little-endian fields of the file formats and the judge interface, read and written in one place.
// Plain C++: the dataset compiler, a program of the build machine, uses it too.
#pragma once
#include <cstdint>

inline uint16_t read_le16(const unsigned char *bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline uint32_t read_le32(const unsigned char *bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

inline void write_le16(unsigned char *bytes, uint32_t value)
{
    bytes[0] = static_cast<unsigned char>(value & 0xFF);
    bytes[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

inline void write_le32(unsigned char *bytes, uint32_t value)
{
    for (int i = 0; i < 4; i++) bytes[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
}
