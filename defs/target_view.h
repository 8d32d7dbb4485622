// The target file of one identification, opened once, when a definition first needs it: its size and first
// bytes kept, other bytes read through the same handle (the last block read is kept too). Every reader
// asks it for bytes at a position, so many probes and signatures cost one open.
#pragma once
#include <windows.h>

const int TARGET_BLOCK_SIZE = 4096;

struct target_view {
    const char *path;
    // The scorer's open (others may only read) and the signature's (others may also write); the second is
    // the first when that one succeeded. 0 not tried yet, 1 open, -1 cannot be opened, 2 opened before and
    // closed while a judge library had the file (opened again when bytes not kept are read).
    int state;
    HANDLE file;
    int shared_state;
    HANDLE shared_file;
    long long size;
    unsigned char head[TARGET_BLOCK_SIZE];   // the file's first bytes
    int head_length;
    unsigned char block[TARGET_BLOCK_SIZE];  // the last block read past the head
    long long block_start;
    int block_length;                        // 0 when no block is kept
};

// Starts a view of path (not opened yet; path must outlive the view).
void start_target_view(target_view *view, const char *path);
// Closes what the view opened.
void end_target_view(target_view *view);
// 1 when one of the view's opens succeeded, 0 when every open it tried failed and the open for shared
// reading was among them, -1 when it has not tried that far.
int target_view_open_outcome(const target_view *view);
// Closes the view's handles but keeps what it has read (the size, the first bytes, the last block), so a
// judge library can open the file as it likes and the readers after it need no new open for those bytes.
void close_target_handles(target_view *view);
// 1 when the target can be opened for reading while others only read (the scorer's open).
int target_view_readable(target_view *view);
// 1 when it can be opened for reading while others may also write (the C runtime's open).
int target_view_shared_readable(target_view *view);
// Reads up to count bytes at position (from an open view); the number read, 0 past the end.
int read_target_at(target_view *view, long long position, unsigned char *buffer, int count);
