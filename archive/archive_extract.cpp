// Extraction of an archive named by a request text: parse the request, decide the kind, choose the
// destination folder, hand the archive to its library and open the destination when asked.
#include "archive_extract.h"
#include "app_config.h"
#include "archive_kinds.h"
#include "archiver_calls.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "path_helpers.h"
#include <shellapi.h>
#include <shlobj.h>
#include <cstring>

namespace {

struct extraction_request {
    char archive_path[PATH_SIZE];
    char given_folder[PATH_SIZE];
    int options;
};

// What an extraction step came to: handled (go on to finish) or refused (the file is identified).
const int EXTRACTION_REFUSED = 0;
const int EXTRACTION_HANDLED = 1;

int option_bit(char letter)
{
    switch (letter) {
    case 'c': return EXTRACT_MAKE_SUBFOLDER;
    case 'd': return EXTRACT_TO_DESKTOP;
    case 'a': return EXTRACT_BESIDE_ARCHIVE;
    case 'o': return EXTRACT_OPEN_FOLDER;
    default: return 0;
    }
}

// Takes the option pairs out of work (anywhere in the text, paths included) and sets their bits.
int take_option_pairs(char *work, size_t length)
{
    int options = 0;
    for (size_t i = 0; i + 1 < length; i++) {
        int bit = work[i] == '-' ? option_bit(work[i + 1]) : 0;
        if (bit == 0) continue;
        options |= bit;
        work[i] = '\0';
        work[i + 1] = '\0';
    }
    return options;
}

// Takes the quoted text out of work into folder; a pair taken out inside the quotes ends the folder there.
void take_quoted_folder(char *work, size_t length, char *folder)
{
    size_t folder_length = 0;
    int inside = 0;
    int ended = 0;
    for (size_t i = 0; i < length; i++) {
        if (work[i] == '"') {
            inside = !inside;
            work[i] = '\0';
            continue;
        }
        if (!inside) continue;
        if (work[i] == '\0') ended = 1;
        if (!ended) folder[folder_length++] = work[i];
        work[i] = '\0';
    }
    folder[folder_length] = '\0';
}

// The archive path is what is left at the start; it is made absolute without its trailing blanks.
void take_archive_path(const char *work, char *archive_path)
{
    char given[PATH_SIZE];
    copy_text(given, countof(given), work);
    size_t length = std::strlen(given);
    while (length > 0 && given[length - 1] == ' ') given[--length] = '\0';
    DWORD full = GetFullPathNameA(given, PATH_SIZE, archive_path, nullptr);
    // An empty or over-long result leaves no path, which no probe can open.
    if (full == 0 || full >= static_cast<DWORD>(PATH_SIZE)) archive_path[0] = '\0';
}

void parse_request(const char *request, extraction_request *parsed)
{
    char work[PATH_SIZE];
    size_t length = std::strlen(request);
    std::memcpy(work, request, length + 1);
    parsed->options = take_option_pairs(work, length);
    take_quoted_folder(work, length, parsed->given_folder);
    take_archive_path(work, parsed->archive_path);
}

// The destination folder, first rule that applies: -d, -a, the quoted folder, the program's folder.
int choose_destination(HWND owner, const extraction_request *request, char *destination, size_t size)
{
    destination[0] = '\0';
    if (request->options & EXTRACT_TO_DESKTOP) {
        char desktop[MAX_PATH];
        if (!SHGetSpecialFolderPathA(owner, desktop, CSIDL_DESKTOPDIRECTORY, FALSE)) return 0;
        return copy_text(destination, size, desktop) && append_text(destination, size, "\\");
    }
    if (request->options & EXTRACT_BESIDE_ARCHIVE) return folder_of(owner, request->archive_path, destination, size);
    if (request->given_folder[0] != '\0') return copy_text(destination, size, request->given_folder);
    return copy_text(destination, size, program_folder()) && destination[0] != '\0';
}

// -c: the archive's name without its extension becomes a folder in the destination (an existing one is
// reused). 0 when the longer destination would not fit its buffer; nothing is created then.
int add_subfolder(const char *archive_path, char *destination, size_t size)
{
    char name[PATH_SIZE];
    char joined[PATH_SIZE];
    if (!strip_extension(nullptr, archive_path, name, countof(name), 0)) return 0;
    if (!copy_text(joined, countof(joined), destination) || !append_text(joined, countof(joined), name) ||
        !append_text(joined, countof(joined), "\\") || !copy_text(destination, size, joined))
        return 0;
    CreateDirectoryA(destination, nullptr);
    return 1;
}

// Library entry points are looked up by name and called through the pointer type of their form.
template <typename call_type> call_type entry_as(FARPROC entry)
{
    return reinterpret_cast<call_type>(reinterpret_cast<void (*)()>(entry));
}

template <typename call_type> call_type find_entry(HMODULE module, const char *name)
{
    return entry_as<call_type>(GetProcAddress(module, name));
}

void report_unsupported(HWND owner, const archiver_library *library)
{
    show_owned_message(owner, library->unsupported_text, "ERROR", MB_ICONWARNING);
}

// The command line of a command-line archiver; 0 when it would not fit its buffer.
int build_command_line(const archiver_library *library, const char *archive, const char *destination,
                       char *command_line, size_t size)
{
    return copy_text(command_line, size, library->before_archive) && append_text(command_line, size, archive) &&
           append_text(command_line, size, library->between) && append_text(command_line, size, destination) &&
           append_text(command_line, size, library->after_destination);
}

// ISH takes short (8.3) forms; a path without one is used as it is.
void shorten_path(const char *path, char *out, size_t size)
{
    DWORD length = GetShortPathNameA(path, out, static_cast<DWORD>(size));
    if (length == 0 || length >= size) copy_text(out, size, path);
}

int call_command_line_archiver(HWND owner, archiver_command_call call, const archiver_library *library,
                               char *archive_path, const char *destination)
{
    char command_line[PATH_SIZE];
    char short_destination[PATH_SIZE];
    if (library->kind == ARCHIVE_ISH) {
        char short_archive[PATH_SIZE];
        shorten_path(archive_path, short_archive, countof(short_archive));
        copy_text(archive_path, PATH_SIZE, short_archive);
        shorten_path(destination, short_destination, countof(short_destination));
        destination = short_destination;
    }
    // A command line that would be cut would name another file or folder: it is not passed at all.
    if (!build_command_line(library, archive_path, destination, command_line, countof(command_line)))
        return EXTRACTION_REFUSED;
    // The archiver's own result is not examined; it reports its errors itself.
    call(owner, command_line, nullptr, 0);
    return EXTRACTION_HANDLED;
}

const int LIBRARY_NOT_LOADED = -1;

// What is done with an archiver library's entry point once it is found and the subfolder is made.
typedef int (*archiver_work)(HWND owner, FARPROC entry, const archiver_library *library, char *archive_path,
                             char *destination);

// The one load-call-release of an archiver: loads the library by name, finds its entry, makes the subfolder
// when asked, lets work call it, and releases the library. LIBRARY_NOT_LOADED when it does not load.
int run_archiver(HWND owner, const archiver_library *library, int options, char *archive_path, char *destination,
                 archiver_work work)
{
    HMODULE module = LoadLibraryA(library->extract_name);
    if (module == nullptr) return LIBRARY_NOT_LOADED;
    FARPROC entry = GetProcAddress(module, library->entry);
    int result = EXTRACTION_REFUSED;
    if (entry == nullptr) {
        report_unsupported(owner, library);
    } else if (!(options & EXTRACT_MAKE_SUBFOLDER) || add_subfolder(archive_path, destination, PATH_SIZE)) {
        result = work(owner, entry, library, archive_path, destination);
    }
    FreeLibrary(module);
    return result;
}

int refused_when_not_loaded(int result)
{
    return result == LIBRARY_NOT_LOADED ? EXTRACTION_REFUSED : result;
}

int work_command_line(HWND owner, FARPROC entry, const archiver_library *library, char *archive_path,
                      char *destination)
{
    return call_command_line_archiver(owner, entry_as<archiver_command_call>(entry), library, archive_path,
                                      destination);
}

int work_chromakey(HWND owner, FARPROC entry, const archiver_library *, char *archive_path, char *destination)
{
    // Only this library's answer counts: 0 sends the file on to identification.
    chromakey_extract_call call = entry_as<chromakey_extract_call>(entry);
    return call(owner, archive_path, destination, 1) != 0 ? EXTRACTION_HANDLED : EXTRACTION_REFUSED;
}

int work_ace(HWND, FARPROC entry, const archiver_library *, char *archive_path, char *destination)
{
    char empty_text[1] = "";
    ace_extract_record record;
    std::memset(&record, 0, sizeof record);
    record.source_folder = empty_text;
    record.file_list = empty_text;
    record.exclude_list = empty_text;
    record.destination_folder = destination;
    record.password = empty_text;
    entry_as<ace_extract_call>(entry)(archive_path, &record);
    return EXTRACTION_HANDLED;
}

int extract_by_command_line(HWND owner, int kind, int options, char *archive_path, char *destination)
{
    return refused_when_not_loaded(
        run_archiver(owner, find_archiver_library(kind), options, archive_path, destination, work_command_line));
}

int extract_chromakey(HWND owner, int options, char *archive_path, char *destination)
{
    return refused_when_not_loaded(run_archiver(owner, find_archiver_library(ARCHIVE_CHROMAKEY), options,
                                                archive_path, destination, work_chromakey));
}

int extract_ace(HWND owner, int options, char *archive_path, char *destination)
{
    return refused_when_not_loaded(
        run_archiver(owner, find_archiver_library(ARCHIVE_ACE), options, archive_path, destination, work_ace));
}

// The RAR library's three calls: open for extraction, one process call, close.
int extract_with_unrar_library(HWND owner, HMODULE module, const archiver_library *library, char *archive_path,
                               char *destination)
{
    rar_open_call open_archive = find_entry<rar_open_call>(module, "RAROpenArchive");
    rar_process_call process_file = find_entry<rar_process_call>(module, "RARProcessFile");
    rar_close_call close_archive = find_entry<rar_close_call>(module, "RARCloseArchive");
    if (open_archive == nullptr || process_file == nullptr || close_archive == nullptr) {
        report_unsupported(owner, library);
        return EXTRACTION_REFUSED;
    }
    rar_open_record record;
    std::memset(&record, 0, sizeof record);
    record.archive_name = archive_path;
    record.open_mode = RAR_OPEN_FOR_EXTRACT;
    HANDLE archive = open_archive(&record);
    // Without a handle there is nothing to process, whatever the result field says.
    if (record.open_result != 0 || archive == nullptr) {
        show_owned_message(owner, "ハンドルが取得できません。(Unrar.dll)", "ERROR", MB_ICONWARNING);
    } else {
        process_file(archive, RAR_OPERATION_EXTRACT, destination, nullptr);
    }
    if (archive != nullptr) close_archive(archive);
    return EXTRACTION_HANDLED;
}

// RAR: the subfolder is made first; Unrar32.dll does the work where it loads, else Unrar.dll.
int extract_rar(HWND owner, int options, char *archive_path, char *destination)
{
    const archiver_library *library = find_archiver_library(ARCHIVE_RAR);
    if ((options & EXTRACT_MAKE_SUBFOLDER) && !add_subfolder(archive_path, destination, PATH_SIZE))
        return EXTRACTION_REFUSED;
    // The subfolder is already made.
    int result = run_archiver(owner, library, 0, archive_path, destination, work_command_line);
    if (result != LIBRARY_NOT_LOADED) return result;
    HMODULE module = LoadLibraryA("Unrar.dll");
    // Neither library loads now: nothing is extracted, yet the file counts as handled.
    if (module == nullptr) return EXTRACTION_HANDLED;
    result = extract_with_unrar_library(owner, module, library, archive_path, destination);
    FreeLibrary(module);
    return result;
}

int extract_by_kind(HWND owner, int kind, int options, char *archive_path, char *destination)
{
    switch (kind) {
    case ARCHIVE_CHROMAKEY: return extract_chromakey(owner, options, archive_path, destination);
    case ARCHIVE_ACE: return extract_ace(owner, options, archive_path, destination);
    case ARCHIVE_RAR: return extract_rar(owner, options, archive_path, destination);
    default: return extract_by_command_line(owner, kind, options, archive_path, destination);
    }
}

}  // namespace

int extract_archive(HWND owner, const char *request)
{
    // Longer requests are refused at once: they cannot have come whole through a 260-byte buffer.
    if (request == nullptr || strnlen(request, REQUEST_TEXT_MAX + 1) > static_cast<size_t>(REQUEST_TEXT_MAX))
        return 0;
    extraction_request parsed;
    parse_request(request, &parsed);
    int kind = detect_archive_kind(owner, parsed.archive_path);
    if (kind == ARCHIVE_NONE) return 0;
    if (check_archiver_library(owner, kind) == 0) return 0;
    char destination[PATH_SIZE];
    if (!choose_destination(owner, &parsed, destination, countof(destination))) return 0;
    if (extract_by_kind(owner, kind, parsed.options, parsed.archive_path, destination) != EXTRACTION_HANDLED)
        return 0;
    if (parsed.options & EXTRACT_OPEN_FOLDER)
        ShellExecuteA(owner, nullptr, destination, nullptr, nullptr, SW_SHOWNORMAL);
    return 1;
}
