// Loader of a dictionary file's header: its carried fields and how many whole plug-in records follow it.
#include "dictionary_loader.h"
#include <cstring>
#include "definition_file_io.h"
#include "definition_format.h"

// Whole 3000-byte records after the 150-byte header, kept in 8 bits as the record holds it.
static uint8_t dictionary_record_count(long long file_size)
{
    if (file_size < DICTIONARY_HEADER_SIZE) return 0;
    return static_cast<uint8_t>((file_size - DICTIONARY_HEADER_SIZE) / PLUGIN_RECORD_SIZE);
}

int read_dictionary_info(HWND window, const char *path, dictionary_info *info)
{
    if (info == nullptr) return 0;
    std::memset(info, 0, sizeof *info);
    if (path == nullptr || path[0] == '\0') return 0;
    HANDLE file = open_definition_file(window, path);
    if (file == INVALID_HANDLE_VALUE) return 0;
    unsigned char bytes[DICTIONARY_HEADER_END];
    read_region r = {bytes, read_file_region(file, 0, bytes, DICTIONARY_HEADER_END)};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) size.QuadPart = 0;
    CloseHandle(file);
    if (!region_has_magic(r, 0, DICTIONARY_MAGIC)) return 0;
    info->record_count = dictionary_record_count(size.QuadPart);
    region_text(r, DICTIONARY_NAME_OFFSET, PLUGIN_TEXT_FIELD_SIZE, info->dictionary_name,
                static_cast<int>(sizeof info->dictionary_name));
    info->carried_byte = region_u8(r, DICTIONARY_BYTE_OFFSET);
    region_text(r, DICTIONARY_TEXT_OFFSET, PLUGIN_TEXT_FIELD_SIZE, info->carried_text,
                static_cast<int>(sizeof info->carried_text));
    info->carried_value_a = region_u32(r, DICTIONARY_VALUE_A_OFFSET);
    region_text(r, DICTIONARY_CODE_OFFSET, DICTIONARY_CODE_SIZE - 1, info->carried_code, DICTIONARY_CODE_SIZE);
    info->carried_value_b = region_u32(r, DICTIONARY_VALUE_B_OFFSET);
    for (int i = 0; i < DICTIONARY_WORD_COUNT; ++i)
        info->carried_words[i] = region_u16(r, DICTIONARY_WORDS_OFFSET + 2 * i);
    info->carried_value_c = region_u32(r, DICTIONARY_VALUE_C_OFFSET);
    info->carried_value_d = region_u32(r, DICTIONARY_VALUE_D_OFFSET);
    return 1;
}
