// Archive kinds: the signature probes in their order, the archiver library of each kind and its
// availability check.
#include "archive_extract.h"
#include "archive_kinds.h"
#include "bounded_text.h"
#include "owner_message.h"
#include <cstring>

namespace {

// Bytes compared at offset from the start; for ISH also tail_bytes 5 bytes before the end.
struct signature_probe {
    int kind;
    LONG offset;
    const char *bytes;
    DWORD length;
    const char *tail_bytes;
};

// The first probe that matches decides, so chromakey comes first and ACE before RAR.
const signature_probe probes[] = {
    {ARCHIVE_CHROMAKEY, 766, "96", 2, nullptr},
    {ARCHIVE_LHA, 2, "-lh", 3, nullptr},
    {ARCHIVE_ZIP, 0, "PK", 2, nullptr},
    {ARCHIVE_CAB, 0, "MSCF", 4, nullptr},
    {ARCHIVE_GCA, 0, "GCA", 3, nullptr},
    {ARCHIVE_ISH, 0, "<<<", 3, "---"},
    {ARCHIVE_ACE, 9, "ACE", 3, nullptr},
    {ARCHIVE_RAR, 0, "Rar", 3, nullptr},
    {ARCHIVE_YZ1, 0, "yz0", 3, nullptr},
    {ARCHIVE_GZIP, 0, "\x1F\x8B\x08", 3, nullptr},
};
const LONG TAIL_PROBE_DISTANCE = 5;

const archiver_library libraries[] = {
    {ARCHIVE_CHROMAKEY, "chromakey.dll", "chromakey.dll", "_ExtractChromakey@16", nullptr,
     "未対応のVerです。(chromakey.dll)", nullptr, nullptr, nullptr},
    {ARCHIVE_LHA, "unlha32.dll", "unlha32.dll", "Unlha", "unlha32.dllが開けません",
     "未対応のVerです。(unlha32.dll)", "e \"", "\" -x1m1 \"", "\""},
    {ARCHIVE_ZIP, "unzip32.dll", "unzip32.dll", "UnZip", "unzip32.dllが開けません",
     "未対応のVerです。(unzip32.dll)", "-x  \"", "\" \"", "\""},
    {ARCHIVE_CAB, "cab32.dll", "cab32.dll", "Cab", "cab32.dllが開けません",
     "未対応のVerです。(cab32.dll)", "-x \"", "\" \"", "\""},
    {ARCHIVE_GCA, "UnGCA32.dll", "UnGCA32.dll", "UnGCA", "UnGCA32.dllが開けません",
     "未対応のVerです。(UnGCA32.dll)", "e \"", "\" -sx1 -xx1 \"", "\""},
    {ARCHIVE_ISH, "Ish32.dll", "Ish32.dll", "Ish", "Ish32.dllが開けません",
     "未対応のVerです。(Ish32.dll)", "a ", " /f=", ""},
    {ARCHIVE_ACE, "UnAceV2.dll", "UnAceV2.Dll", "ACEExtract", "UnAceV2.dllが開けません",
     "未対応のVerです。(UnAceV2.Dll)", nullptr, nullptr, nullptr},
    // RAR: the check asks for Unrar.dll, the extraction prefers Unrar32.dll and falls back to Unrar.dll.
    {ARCHIVE_RAR, "Unrar.dll", "Unrar32.dll", "Unrar", "Unrar.dllが開けません",
     "未対応のVerです。(unrar32.dll)", "-x \"", "\" \"", "\""},
    {ARCHIVE_YZ1, "Yz1.dll", "Yz1.dll", "Yz1", "Yz1.dllが開けません",
     "未対応のVerです。(Yz1.dll)", "x \"", "\" \"", "\""},
    {ARCHIVE_GZIP, "tar32.dll", "tar32.dll", "Tar", "tar32.dllが開けません",
     "未対応のVerです。(tar32.dll)", "x \"", "\" \"", "\""},
};

// Reads length bytes at the file position; 1 only when all were read and equal bytes.
int read_and_compare(HANDLE file, const char *bytes, DWORD length)
{
    char read_bytes[8];
    DWORD got = 0;
    if (length > sizeof read_bytes) return 0;
    if (!ReadFile(file, read_bytes, length, &got, nullptr) || got != length) return 0;
    return std::memcmp(read_bytes, bytes, length) == 0;
}

int seek_to(HANDLE file, LONG distance, DWORD method)
{
    LONG high = distance < 0 ? -1 : 0;
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(file, distance, &high, method);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

int probe_matches(HANDLE file, const signature_probe *probe)
{
    if (!seek_to(file, probe->offset, FILE_BEGIN) || !read_and_compare(file, probe->bytes, probe->length))
        return 0;
    if (probe->tail_bytes == nullptr) return 1;
    // A file shorter than 5 bytes cannot be sought to 5 bytes before its end.
    return seek_to(file, -TAIL_PROBE_DISTANCE, FILE_END) &&
           read_and_compare(file, probe->tail_bytes, static_cast<DWORD>(std::strlen(probe->tail_bytes)));
}

}  // namespace

const archiver_library *find_archiver_library(int kind)
{
    for (const archiver_library &library : libraries) {
        if (library.kind == kind) return &library;
    }
    return nullptr;
}

int detect_archive_kind(HWND owner, const char *archive_path)
{
    HANDLE file = CreateFileA(archive_path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        show_owned_message(owner, "対象のファイルが開けません", "ERROR", MB_ICONWARNING);
        return ARCHIVE_NONE;
    }
    int kind = ARCHIVE_NONE;
    for (const signature_probe &probe : probes) {
        if (probe_matches(file, &probe)) {
            kind = probe.kind;
            break;
        }
    }
    CloseHandle(file);
    return kind;
}

int check_archiver_library(HWND owner, int kind)
{
    const archiver_library *library = find_archiver_library(kind);
    if (library == nullptr) return 0;
    HMODULE module = LoadLibraryA(library->check_name);
    if (module == nullptr) {
        // Shown even without an owner: the user asked for extraction and the library is not there.
        if (library->cannot_open_text != nullptr)
            show_message_always(owner, library->cannot_open_text, "ERROR", MB_ICONWARNING);
        return 0;
    }
    FreeLibrary(module);
    return kind;
}
