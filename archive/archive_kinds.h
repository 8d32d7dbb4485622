// What the program knows of each archive kind: its archiver library, entry point, messages and command line.
#pragma once

struct archiver_library {
    int kind;
    const char *check_name;          // loaded by the availability check
    const char *extract_name;        // loaded for the extraction
    const char *entry;               // entry point looked up for the extraction
    const char *cannot_open_text;    // null: the check fails silently
    const char *unsupported_text;    // the entry point is missing
    // Command line: before_archive {A} between {D} after_destination (command-line archivers only).
    const char *before_archive;
    const char *between;
    const char *after_destination;
};

// The kind's library, or null for a code that is not one kind.
const archiver_library *find_archiver_library(int kind);
