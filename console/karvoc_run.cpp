// karvoc's run. Every file goes through identify_target with quiet 1, exactly as a file dropped
// on karvo does; the lines are written as they come, so a long run shows its progress.
#include "karvoc_run.h"
#include "app_config.h"
#include "console_text.h"
#include "dataset_snapshot.h"
#include "identification_run.h"
#include "owner_message.h"
#include "system_names.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

HANDLE g_report_handle = nullptr;
// While a file is identified, what the engine reports joins that file's outcome (UTF-8), written just before
// its line; outside an identification it is written at once.
thread_local std::string *t_file_reports = nullptr;

void report_line(const std::string &cp932_line)
{
    if (t_file_reports != nullptr) *t_file_reports += cp932_to_utf8(cp932_line);
    else write_console_text(g_report_handle, cp932_line);
}

// karvo shows a message without an owner window only when it must be seen (always); the others are silent
// there, and so here: a lookup that finds no option plug-ins is no problem.
int message_to_report_handle(HWND, const char *text, const char *caption, UINT, int always)
{
    if (!always) return 0;
    report_line(std::string("karvoc: ") + caption + ": " + text + "\n");
    return 0;
}

void diagnostic_to_report_handle(const char *text)
{
    report_line(std::string("karvoc: ") + text + "\n");
}

const report_sink KARVOC_REPORT_SINK = {message_to_report_handle, nullptr, diagnostic_to_report_handle};

}  // namespace

void install_karvoc_reporting(HANDLE err)
{
    g_report_handle = err;
    install_report_sink(&KARVOC_REPORT_SINK);
}

namespace {

const char OPTION_MARK[] = "-o";

// Paths in karvoc are UTF-8 and reach the system through the wide API; only the engine gets an ANSI path.
int is_folder(const std::string &path)
{
    DWORD attributes = GetFileAttributesW(utf8_to_wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int can_read_file(const std::string &path)
{
    HANDLE file = CreateFileW(utf8_to_wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    CloseHandle(file);
    return 1;
}

// The engine opens the file by this ANSI path; one it cannot open would give a line for a file never read.
int engine_can_read(const std::string &engine_path)
{
    HANDLE file = CreateFileA(engine_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    CloseHandle(file);
    return 1;
}

// The folder's own separator (the last one it holds; a backslash when it holds none) joins it to the name,
// so "photos/2024" lists "photos/2024/name". The folder is UTF-8, where no byte of a longer character is
// a separator.
std::string join_folder(const std::string &folder, const std::string &name)
{
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
    size_t last = folder.find_last_of("\\/");
    char separator = last != std::string::npos ? folder[last] : '\\';
    return folder + separator + name;
}

void write_problem(HANDLE err, const std::string &path, const char *what)
{
    write_console_utf8(err, "karvoc: " + path + ": " + what + "\n");
}

// One file's identification, made on any thread and written by the run in the files' order.
struct file_outcome {
    std::string line;      // the result line (UTF-8), empty when the file was not identified
    std::string reports;   // lines for standard error (UTF-8), written before the line
    int code;              // 1 a candidate, 0 none, -1 not identified at all
    LONG done;             // set (interlocked) once the rest is filled
};

void note_problem(file_outcome *outcome, const std::string &path, const char *what)
{
    outcome->reports += "karvoc: " + path + ": " + what + "\n";
    outcome->code = -1;
}

// Identifies one file into its outcome: the line and code, or the problem that kept it from a line.
void identify_one(const karvoc_options &options, dataset_snapshot *snapshot, const std::string &path,
                  file_outcome *outcome)
{
    t_file_reports = &outcome->reports;
    outcome->code = -1;
    // The file's ANSI path by the rule: its own name when exact, else its short form; the line still shows
    // its real name.
    char system_path[PATH_SIZE];
    std::string engine_path;
    identification_result result;
    std::memset(&result, 0, sizeof result);
    if (!system_path_from_wide(utf8_to_wide(path).c_str(), system_path, sizeof system_path)) {
        note_problem(outcome, path, "has no name in the ANSI code page and no short name, so it cannot be identified");
    } else if (!engine_path_for(system_path, &engine_path)) {
        note_problem(outcome, path, "this path cannot be handed to the identification engine");
    } else if (!identify_target_in(snapshot, engine_path.c_str(), 1, &result)) {
        note_problem(outcome, path, "the path is too long");
    } else if (result.target_opened == 0 || (result.target_opened < 0 && !engine_can_read(engine_path))) {
        // The run tells whether it got the file open; only a run that never needed its bytes leaves it to
        // an open of our own.
        note_problem(outcome, path, "cannot be read");
    } else {
        if (options.json) outcome->line = format_json_line(path, result);
        else outcome->line = path + cp932_to_utf8(format_result_line("", result, options.tsv));
        outcome->code = std::strcmp(result.first_extension, "???") != 0;
    }
    t_file_reports = nullptr;
}

// The files of one argument, shared by the threads that identify them: each takes the next file not taken.
struct file_queue {
    const karvoc_options *options;
    const std::vector<std::string> *files;
    file_outcome *outcomes;
    volatile LONG next;
    HANDLE progress;              // set after every file
    dataset_snapshot *snapshot;   // the run's snapshot, for the first thread
};

struct queue_worker {
    file_queue *queue;
    int first;                    // uses the run's snapshot; the others take their own
};

void identify_from_queue(file_queue *queue, dataset_snapshot *snapshot)
{
    const LONG count = static_cast<LONG>(queue->files->size());
    for (LONG i = InterlockedIncrement(&queue->next) - 1; i < count; i = InterlockedIncrement(&queue->next) - 1) {
        identify_one(*queue->options, snapshot, (*queue->files)[i], &queue->outcomes[i]);
        InterlockedExchange(&queue->outcomes[i].done, 1);
        if (queue->progress != nullptr) SetEvent(queue->progress);
    }
}

DWORD WINAPI identify_queued_files(LPVOID parameter)
{
    const queue_worker *worker = static_cast<const queue_worker *>(parameter);
    file_queue *queue = worker->queue;
    if (worker->first) {
        identify_from_queue(queue, queue->snapshot);
        return 0;
    }
    // Each thread keeps its own snapshot (its loaded definitions are its own); one that cannot be had, or a
    // run without one, leaves the files to the first thread.
    if (queue->snapshot == nullptr) return 0;
    dataset_snapshot *own = take_dataset_snapshot(g_app_config);
    if (own == nullptr) return 0;
    identify_from_queue(queue, own);
    release_dataset_snapshot(own);
    return 0;
}

// How many threads identify a folder's files: one per processor the process may run on, at most four,
// never more than files.
int thread_count_for(const karvoc_options &options, size_t files)
{
    int count = options.threads;
    if (count <= 0) {
        DWORD_PTR mine = 0, system = 0;
        count = 0;
        if (GetProcessAffinityMask(GetCurrentProcess(), &mine, &system))
            for (; mine != 0; mine &= mine - 1) count++;
        count = std::min(std::max(count, 1), 4);
    }
    if (static_cast<size_t>(count) > files) count = static_cast<int>(files);
    return std::max(count, 1);
}

void write_outcome(const file_outcome &outcome, output_stream *out, HANDLE err)
{
    if (!outcome.reports.empty()) write_console_utf8(err, outcome.reports);
    if (!outcome.line.empty()) write_output_utf8(out, outcome.line);
}

// Identifies the files, on several threads when there are several files and processors, and writes each
// file's reports and line in the files' order as soon as the files before it are written. Adds the
// outcomes to the run's flags.
void identify_files(const karvoc_options &options, dataset_snapshot *snapshot, const std::vector<std::string> &files,
                    output_stream *out, HANDLE err, int *bad_argument, int *unidentified)
{
    if (files.empty()) return;
    std::vector<file_outcome> outcomes(files.size());
    file_queue queue = {&options, &files, outcomes.data(), 0, nullptr, snapshot};
    int threads = thread_count_for(options, files.size());
    std::vector<HANDLE> started;
    std::vector<queue_worker> workers(static_cast<size_t>(threads));
    if (threads > 1) queue.progress = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    for (int t = 0; t < threads && queue.progress != nullptr; t++) {
        workers[t] = queue_worker{&queue, t == 0};
        HANDLE thread = CreateThread(nullptr, 0, identify_queued_files, &workers[t], 0, nullptr);
        if (thread == nullptr) break;
        started.push_back(thread);
    }
    // Without threads (one file, one processor, or none could be started) this thread does the work.
    if (started.empty()) identify_from_queue(&queue, snapshot);
    for (size_t i = 0; i < files.size(); i++) {
        // Every file is filled: the first thread ends only when none is left to take.
        while (InterlockedCompareExchange(&outcomes[i].done, 0, 0) == 0) WaitForSingleObject(queue.progress, INFINITE);
        write_outcome(outcomes[i], out, err);
        if (outcomes[i].code < 0) *bad_argument = 1;
        if (outcomes[i].code == 0) *unidentified = 1;
    }
    for (HANDLE thread : started) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (queue.progress != nullptr) CloseHandle(queue.progress);
}

}  // namespace

const char *karvoc_usage()
{
    return "usage: karvoc [--tsv | --json] [-r] FILE|FOLDER...\n"
           "  Identifies each file's real type with the dataset beside karvoc and prints one line per file:\n"
           "  the path, the three candidates with their scores (lpts) and the first candidate's comment.\n"
           "  A folder stands for its files; with -r for the files of its subfolders too.\n"
           "  --tsv  tab-separated: path, ext1, lpts1, ext2, lpts2, ext3, lpts3, comment\n"
           "  --json one JSON object per line: path, candidates (extension, lpts) and comment\n"
           "  Exit code: 0 every file got a candidate, 1 some got none, 2 bad usage or unreadable arguments.\n";
}

int parse_karvoc_arguments(int argc, char **argv, karvoc_options *options)
{
    *options = karvoc_options{};
    int only_targets = 0;
    for (int i = 1; i < argc; i++) {
        std::string word = argv[i];
        if (only_targets || word.empty() || word[0] != '-') options->targets.push_back(word);
        else if (word == "--") only_targets = 1;
        else if (word == "--tsv") options->tsv = 1;
        else if (word == "--json") options->json = 1;
        else if (word == "-r" || word == "--recursive") options->recursive = 1;
        else if (word == "-h" || word == "--help") options->help = 1;
        else return 0;
    }
    if (options->tsv && options->json) return 0;
    return options->help || !options->targets.empty();
}

namespace {

// A text as a JSON string: quotes, backslashes and control characters escaped (the text is UTF-8).
std::string json_string(const std::string &utf8)
{
    std::string quoted = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

}  // namespace

std::string format_json_line(const std::string &path, const identification_result &result)
{
    const char *extensions[3] = {result.first_extension, result.second_extension, result.third_extension};
    const float scores[3] = {result.first_score, result.second_score, result.third_score};
    std::string line = "{\"path\":" + json_string(path) + ",\"candidates\":[";
    for (int i = 0; i < 3; i++) {
        // A definition's float fields can make a score that is no number; JSON has null for it.
        char lpts[32] = "null";
        if (std::isfinite(scores[i])) std::snprintf(lpts, sizeof lpts, "%.1f", static_cast<double>(scores[i]));
        line += std::string(i ? "," : "") + "{\"extension\":" + json_string(cp932_to_utf8(extensions[i])) +
                ",\"lpts\":" + lpts + "}";
    }
    return line + "],\"comment\":" + json_string(cp932_to_utf8(result.first_comment)) + "}\n";
}

std::string format_result_line(const std::string &path, const identification_result &result, int tsv)
{
    char scores[3][32];
    std::snprintf(scores[0], sizeof scores[0], "%.1f", static_cast<double>(result.first_score));
    std::snprintf(scores[1], sizeof scores[1], "%.1f", static_cast<double>(result.second_score));
    std::snprintf(scores[2], sizeof scores[2], "%.1f", static_cast<double>(result.third_score));
    const char *extensions[3] = {result.first_extension, result.second_extension, result.third_extension};
    std::string line = path + (tsv ? "\t" : ":");
    for (int i = 0; i < 3; i++) {
        if (tsv) line += std::string(extensions[i]) + "\t" + scores[i] + "\t";
        else line += std::string(" ") + extensions[i] + " (" + scores[i] + ")";
    }
    line += tsv ? "" : " ";
    return line + result.first_comment + "\n";
}

int collect_folder_files(const std::string &folder, int recursive, std::vector<std::string> *files)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(utf8_to_wide(join_folder(folder, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    std::vector<std::string> names, folders;
    do {
        std::string name = wide_to_utf8(found.cFileName);
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back(name);
        else names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    std::sort(folders.begin(), folders.end());
    for (const std::string &name : names) files->push_back(join_folder(folder, name));
    if (!recursive) return 1;
    int all_listed = 1;
    for (const std::string &name : folders) all_listed &= collect_folder_files(join_folder(folder, name), 1, files);
    return all_listed;
}

int engine_path_for(const std::string &path, std::string *engine_path)
{
    *engine_path = path;
    if (path.size() >= static_cast<size_t>(PATH_SIZE)) return 0;
    if (path.find(OPTION_MARK) == std::string::npos) return 1;
    char short_path[PATH_SIZE];
    DWORD length = GetShortPathNameA(path.c_str(), short_path, sizeof short_path);
    if (length == 0 || length >= sizeof short_path) return 0;
    if (std::strstr(short_path, OPTION_MARK) != nullptr) return 0;
    *engine_path = short_path;
    return 1;
}

int run_karvoc(const karvoc_options &options, HANDLE out_handle, HANDLE err)
{
    install_karvoc_reporting(err);
    // Worked out here, before any thread of the run asks for it.
    program_folder();
    // One snapshot of the dataset for the whole run, and one buffered stream for its lines.
    dataset_snapshot *snapshot = take_dataset_snapshot(g_app_config);
    if (snapshot == nullptr) write_console_text(err, "karvoc: the dataset cannot be held in memory\n");
    output_stream out_stream;
    open_output_stream(&out_stream, out_handle);
    output_stream *out = &out_stream;
    int bad_argument = 0, unidentified = 0;
    for (const std::string &target : options.targets) {
        std::vector<std::string> files;
        if (is_folder(target)) {
            if (!collect_folder_files(target, options.recursive, &files)) {
                write_problem(err, target, "the folder cannot be listed");
                bad_argument = 1;
            }
        } else if (can_read_file(target)) {
            files.push_back(target);
        } else {
            write_problem(err, target, "cannot be read");
            bad_argument = 1;
        }
        identify_files(options, snapshot, files, out, err, &bad_argument, &unidentified);
    }
    flush_output_stream(out);
    release_dataset_snapshot(snapshot);
    if (bad_argument) return KARVOC_BAD_USAGE;
    return unidentified ? KARVOC_SOME_UNIDENTIFIED : KARVOC_ALL_IDENTIFIED;
}
