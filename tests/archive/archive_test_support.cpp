// Test helpers for archive extraction.
#include "archive_test_support.h"
#include "archive_extract.h"
#include "box_answerer.h"
#include "test_files.h"
#include <shlobj.h>
#include <cctype>
#include <cstring>

std::vector<unsigned char> sample_of_kind(int kind)
{
    std::vector<unsigned char> bytes(kind == ARCHIVE_CHROMAKEY ? 800 : 64, 0);
    auto put = [&bytes](size_t offset, const char *text, size_t length) {
        std::memcpy(bytes.data() + offset, text, length);
    };
    switch (kind) {
    case ARCHIVE_CHROMAKEY: put(766, "96", 2); break;
    case ARCHIVE_LHA: put(0, "\x24\x5A-lh5-", 7); break;
    case ARCHIVE_ZIP: put(0, "PK\x03\x04", 4); break;
    case ARCHIVE_CAB: put(0, "MSCF", 4); break;
    case ARCHIVE_GCA: put(0, "GCA0", 4); break;
    case ARCHIVE_ISH:
        put(0, "<<< sample.bin for ish >>>\r\n", 28);
        put(59, "---\r\n", 5);
        break;
    case ARCHIVE_ACE: put(7, "**ACE**", 7); break;
    case ARCHIVE_RAR: put(0, "Rar!\x1A\x07\x00", 7); break;
    case ARCHIVE_YZ1: put(0, "yz01", 4); break;
    case ARCHIVE_GZIP: put(0, "\x1F\x8B\x08\x00", 4); break;
    default: break;
    }
    return bytes;
}

int install_library(const std::string &folder, const char *built_name, const char *as_name)
{
    std::string source = test_program_folder() + "archive_standins\\" + built_name;
    std::string target = folder + (as_name != nullptr ? as_name : built_name);
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

namespace {

std::string lower_library_field(const std::string &line)
{
    std::string result = line;
    for (size_t i = 0; i < result.size() && result[i] != '|'; i++)
        result[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[i])));
    return result;
}

}  // namespace

std::vector<std::string> read_log_lines(const std::string &log_path)
{
    std::vector<unsigned char> bytes = read_file_bytes(log_path);
    std::vector<std::string> lines;
    std::string line;
    for (unsigned char byte : bytes) {
        if (byte == '\n') {
            lines.push_back(lower_library_field(line));
            line.clear();
        } else {
            line += static_cast<char>(byte);
        }
    }
    if (!line.empty()) lines.push_back(lower_library_field(line));
    return lines;
}

std::string log_line(const char *library, const char *entry, const std::string &details)
{
    return lower_library_field(std::string(library) + "|" + entry + "|" + details);
}

std::string owner_text(HWND owner)
{
    return "owner=" + std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(owner)));
}

namespace {

template <typename call_type> call_outcome answering_boxes(call_type call)
{
    box_answerer answerer;
    start_answering_boxes(&answerer, "ERROR", IDOK);
    int result = call();
    stop_answering_boxes(&answerer);
    return {result, answerer.answered, answerer.last_text};
}

}  // namespace

call_outcome run_extraction(HWND owner, const std::string &request)
{
    return answering_boxes([&] { return extract_archive(owner, request.c_str()); });
}

call_outcome run_detection(HWND owner, const std::string &path)
{
    return answering_boxes([&] { return detect_archive_kind(owner, path.c_str()); });
}

call_outcome run_library_check(HWND owner, int kind)
{
    return answering_boxes([&] { return check_archiver_library(owner, kind); });
}

namespace {

struct window_search {
    const char *title;
    HWND found;
};

BOOL CALLBACK match_folder_window(HWND window, LPARAM data)
{
    window_search *search = reinterpret_cast<window_search *>(data);
    char class_name[64] = "";
    char title[MAX_PATH] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(class_name, "ExplorerWClass") == 0 && std::strcmp(title, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int close_shell_folder_window(const std::string &title, int wait_ms)
{
    window_search search = {title.c_str(), nullptr};
    for (int waited = 0; waited <= wait_ms && search.found == nullptr; waited += 100) {
        EnumWindows(match_folder_window, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(100);
    }
    if (search.found == nullptr) return 0;
    DWORD process_id = 0;
    GetWindowThreadProcessId(search.found, &process_id);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process_id);
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (process != nullptr) {
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 0);
        CloseHandle(process);
    }
    return 1;
}

std::string desktop_folder()
{
    char desktop[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
    return std::string(desktop) + "\\";
}

std::string short_form(const std::string &path)
{
    char shortened[MAX_PATH] = "";
    DWORD length = GetShortPathNameA(path.c_str(), shortened, sizeof shortened);
    return length == 0 || length >= sizeof shortened ? path : std::string(shortened);
}

void ArchiveTest::SetUp()
{
    root = make_test_folder("archive");
    libraries = root + "libraries\\";
    in = root + "in\\";
    out = root + "out dir\\";
    CreateDirectoryA(libraries.c_str(), nullptr);
    CreateDirectoryA(in.c_str(), nullptr);
    CreateDirectoryA(out.c_str(), nullptr);
    log_path = root + "standin.log";
    // The archiver libraries are looked up by name: the program's folder holds none, so this folder decides.
    SetDllDirectoryA(libraries.c_str());
    SetEnvironmentVariableA("QUODRA_STANDIN_LOG", log_path.c_str());
    SetEnvironmentVariableA("QUODRA_STANDIN_CHROMAKEY_ANSWER", nullptr);
    SetEnvironmentVariableA("QUODRA_STANDIN_RAR_OPEN_RESULT", nullptr);
    SetEnvironmentVariableA("QUODRA_STANDIN_RAR_HANDLE_ON_FAILURE", nullptr);
    owner = CreateWindowExA(0, "STATIC", "archive tests", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
}

void ArchiveTest::TearDown()
{
    if (owner != nullptr) DestroyWindow(owner);
    SetDllDirectoryA(nullptr);
    SetEnvironmentVariableA("QUODRA_STANDIN_LOG", nullptr);
    remove_folder_tree(root);
}

void ArchiveTest::install(const std::vector<const char *> &names)
{
    for (const char *name : names) ASSERT_TRUE(install_library(libraries, name)) << name;
}

std::string ArchiveTest::write_sample(const std::string &name, int kind)
{
    std::string path = in + name;
    EXPECT_TRUE(write_file_bytes(path, sample_of_kind(kind))) << path;
    return path;
}
