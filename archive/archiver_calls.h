// The calls into the archiver libraries: the common command-line form, the RAR library's open record and
// calls, the ACE extraction record and the chromakey call. The libraries fix these layouts.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

// Unlha, UnZip, Cab, UnGCA, Ish, Unrar, Yz1, Tar: owner, command line, output buffer, output size.
typedef int(WINAPI *archiver_command_call)(HWND owner, LPCSTR command_line, LPSTR output, DWORD output_size);
// _ExtractChromakey@16: owner, archive, destination folder, mode (always 1); 0 means it failed.
typedef int(WINAPI *chromakey_extract_call)(HWND owner, LPCSTR archive, LPCSTR destination, int mode);

// RAROpenArchive's record: seven fields, 32 bits each on the 32-bit build.
struct rar_open_record {
    char *archive_name;
    uint32_t open_mode;    // 1 = extract
    uint32_t open_result;  // written by the library: 0 = opened
    char *comment_buffer;
    uint32_t comment_buffer_size;
    uint32_t comment_size;
    uint32_t comment_state;
};
const uint32_t RAR_OPEN_FOR_EXTRACT = 1;
const int RAR_OPERATION_EXTRACT = 2;

typedef HANDLE(WINAPI *rar_open_call)(rar_open_record *record);
typedef int(WINAPI *rar_process_call)(HANDLE archive, int operation, char *destination_path, char *destination_name);
typedef int(WINAPI *rar_close_call)(HANDLE archive);

// ACEExtract's record: 156 bytes on the 32-bit build, zero-filled before use.
struct ace_extract_record {
    char *source_folder;
    char *file_list;
    char *exclude_list;
    uint32_t full_match;
    uint32_t recurse_subfolders;
    uint32_t reserved_a[15];
    char *destination_folder;
    uint32_t exclude_path;
    char *password;
    uint32_t reserved_b[16];
};

typedef int(WINAPI *ace_extract_call)(LPCSTR archive, ace_extract_record *record);

#if defined(_WIN64)
// The 64-bit build (tests only): the same fields in the platform's natural layout.
static_assert(sizeof(rar_open_record) == 40, "rar_open_record on 64-bit");
static_assert(offsetof(rar_open_record, open_result) == 12, "open_result");
static_assert(offsetof(rar_open_record, comment_buffer) == 16, "comment_buffer");
static_assert(offsetof(rar_open_record, comment_state) == 32, "comment_state");
static_assert(sizeof(ace_extract_record) == 184, "ace_extract_record on 64-bit");
static_assert(offsetof(ace_extract_record, full_match) == 24, "full_match");
static_assert(offsetof(ace_extract_record, destination_folder) == 96, "destination_folder");
static_assert(offsetof(ace_extract_record, exclude_path) == 104, "exclude_path");
static_assert(offsetof(ace_extract_record, password) == 112, "password");
#else
static_assert(sizeof(rar_open_record) == 28, "rar_open_record is seven 32-bit fields");
static_assert(offsetof(rar_open_record, open_mode) == 4, "open_mode at 4");
static_assert(offsetof(rar_open_record, open_result) == 8, "open_result at 8");
static_assert(offsetof(rar_open_record, comment_buffer) == 12, "comment_buffer at 12");
static_assert(offsetof(rar_open_record, comment_buffer_size) == 16, "comment_buffer_size at 16");
static_assert(offsetof(rar_open_record, comment_state) == 24, "comment_state at 24");
static_assert(sizeof(ace_extract_record) == 156, "ace_extract_record is 156 bytes");
static_assert(offsetof(ace_extract_record, file_list) == 4, "file_list at 4");
static_assert(offsetof(ace_extract_record, exclude_list) == 8, "exclude_list at 8");
static_assert(offsetof(ace_extract_record, full_match) == 12, "full_match at 12");
static_assert(offsetof(ace_extract_record, recurse_subfolders) == 16, "recurse_subfolders at 16");
static_assert(offsetof(ace_extract_record, reserved_a) == 20, "reserved 20-79");
static_assert(offsetof(ace_extract_record, destination_folder) == 80, "destination_folder at 80");
static_assert(offsetof(ace_extract_record, exclude_path) == 84, "exclude_path at 84");
static_assert(offsetof(ace_extract_record, password) == 88, "password at 88");
static_assert(offsetof(ace_extract_record, reserved_b) == 92, "reserved 92-155");
#endif
