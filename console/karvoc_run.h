// The console identifier's run: its arguments, the files a folder argument stands for, one identification
// per file with the program's engine and dataset, and one result line per file.
#pragma once
#include "engine_records.h"
#include <string>
#include <vector>
#include <windows.h>

const int KARVOC_ALL_IDENTIFIED = 0;    // every file got a candidate
const int KARVOC_SOME_UNIDENTIFIED = 1; // some file got none
const int KARVOC_BAD_USAGE = 2;         // bad options, or an argument that cannot be read

struct karvoc_options {
    int tsv;                            // tab-separated lines
    int json;                           // one JSON object per line
    int recursive;                      // folder arguments include their subfolders
    int help;
    int threads;                        // threads that identify a folder's files; 0: one per processor, up to 4
    std::vector<std::string> targets;   // files and folders, UTF-8 (karvoc reads the wide command line)
};

// Reads the arguments after the program name; 0 on an unknown option or no target (help needs none).
int parse_karvoc_arguments(int argc, char **argv, karvoc_options *options);
// The usage text.
const char *karvoc_usage();

// One result line, ending in a line feed, for the result of the last identification. Plain form:
// "PATH: EXT1 (lpts) EXT2 (lpts) EXT3 (lpts) COMMENT"; tab-separated form: the same eight fields.
std::string format_result_line(const std::string &path, const identification_result &result, int tsv);

// One JSON object and a line feed, UTF-8: {"path":..,"candidates":[{"extension":..,"lpts":..} x 3],
// "comment":..}, the path as given (UTF-8); lpts with one decimal as in the other forms, null for no number.
std::string format_json_line(const std::string &path, const identification_result &result);

// The files of a folder in name order (its subfolders' files after its own when recursive), listed with the
// wide API: UTF-8 paths with every name as it is. 0 when the folder cannot be listed.
int collect_folder_files(const std::string &folder, int recursive, std::vector<std::string> *files);

// Sends whatever the engine and the loaders report (messages, diagnostics) to err as "karvoc: ..." lines,
// never into the result lines.
void install_karvoc_reporting(HANDLE err);

// The path to hand to identify_target. The engine takes the first "-o" in a target path as its option mark
// and cuts the path there, which would identify another file; such a path is replaced by its short form
// when that has no "-o". 0 when no usable form exists (or the path is too long for the engine).
int engine_path_for(const std::string &path, std::string *engine_path);

// Identifies every target with the dataset of g_app_config, writing lines to out and problems to err in the
// files' order (a folder's files are identified on several threads, each with its own dataset snapshot);
// returns the exit code. Each file reaches the engine by its ANSI path under the rule of system_names.h
// and its line shows its real name; a file refused by the rule or that cannot be opened is reported on err
// only, and makes the code KARVOC_BAD_USAGE.
int run_karvoc(const karvoc_options &options, HANDLE out, HANDLE err);
