// The identification's one view of its target.
#include "target_view.h"
#include <cstring>

namespace {

// Reads up to count bytes at position through the handle; the number read.
int read_through_handle(HANDLE file, long long position, unsigned char *buffer, int count)
{
    LARGE_INTEGER to;
    to.QuadPart = position;
    if (!SetFilePointerEx(file, to, nullptr, FILE_BEGIN)) return 0;
    int total = 0;
    while (total < count) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + total, static_cast<DWORD>(count - total), &got, nullptr) || got == 0) break;
        total += static_cast<int>(got);
    }
    return total;
}

// Takes the size and the first bytes from the first handle that opened.
void take_head(target_view *view, HANDLE file)
{
    LARGE_INTEGER size = {};
    view->size = GetFileSizeEx(file, &size) ? size.QuadPart : 0;
    view->head_length = read_through_handle(file, 0, view->head, TARGET_BLOCK_SIZE);
}

HANDLE open_for_reading(const char *path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                       nullptr);
}

HANDLE open_for_shared_reading(const char *path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The handle reads go through; a view whose handles were closed for a judge library opens the file again
// the way it was opened first. INVALID_HANDLE_VALUE when that fails.
HANDLE any_open_handle(target_view *view)
{
    if (view->state == 2) {
        view->file = open_for_reading(view->path);
        if (view->file == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
        view->state = 1;
        if (view->shared_state == 2) {
            view->shared_file = view->file;
            view->shared_state = 1;
        }
    } else if (view->state != 1 && view->shared_state == 2) {
        view->shared_file = open_for_shared_reading(view->path);
        if (view->shared_file == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
        view->shared_state = 1;
    }
    return view->state == 1 ? view->file : view->shared_file;
}

}  // namespace

void start_target_view(target_view *view, const char *path)
{
    view->path = path;
    view->state = 0;
    view->file = INVALID_HANDLE_VALUE;
    view->shared_state = 0;
    view->shared_file = INVALID_HANDLE_VALUE;
    view->size = 0;
    view->head_length = 0;
    view->block_start = 0;
    view->block_length = 0;
}

void end_target_view(target_view *view)
{
    if (view->shared_file != INVALID_HANDLE_VALUE && view->shared_file != view->file) CloseHandle(view->shared_file);
    if (view->file != INVALID_HANDLE_VALUE) CloseHandle(view->file);
    start_target_view(view, view->path);
}

int target_view_open_outcome(const target_view *view)
{
    if (view->state == 1 || view->state == 2 || view->shared_state == 1 || view->shared_state == 2) return 1;
    return view->shared_state == -1 ? 0 : -1;
}

void close_target_handles(target_view *view)
{
    if (view->shared_file != INVALID_HANDLE_VALUE && view->shared_file != view->file) CloseHandle(view->shared_file);
    if (view->file != INVALID_HANDLE_VALUE) CloseHandle(view->file);
    view->file = INVALID_HANDLE_VALUE;
    view->shared_file = INVALID_HANDLE_VALUE;
    if (view->state == 1) view->state = 2;
    if (view->shared_state == 1) view->shared_state = 2;
}

int target_view_readable(target_view *view)
{
    if (view->state == 0) {
        if (view->path != nullptr) view->file = open_for_reading(view->path);
        view->state = view->file == INVALID_HANDLE_VALUE ? -1 : 1;
        if (view->state == 1 && view->shared_state != 1 && view->shared_state != 2) take_head(view, view->file);
    }
    return view->state == 1 || view->state == 2;
}

int target_view_shared_readable(target_view *view)
{
    if (view->shared_state == 0) {
        // Opened for reading with others reading, it is open for the C runtime's sharing as well.
        if (target_view_readable(view)) {
            view->shared_file = view->file;
            view->shared_state = view->state;
        } else {
            if (view->path != nullptr) view->shared_file = open_for_shared_reading(view->path);
            if (view->shared_file != INVALID_HANDLE_VALUE) take_head(view, view->shared_file);
            view->shared_state = view->shared_file == INVALID_HANDLE_VALUE ? -1 : 1;
        }
    }
    return view->shared_state == 1 || view->shared_state == 2;
}

int read_target_at(target_view *view, long long position, unsigned char *buffer, int count)
{
    if (view->state != 1 && view->state != 2 && view->shared_state != 1 && view->shared_state != 2) return 0;
    if (position < 0 || count <= 0 || position >= view->size) return 0;
    long long left = view->size - position;
    int wanted = left < count ? static_cast<int>(left) : count;
    if (position + wanted <= view->head_length) {
        std::memcpy(buffer, view->head + position, static_cast<size_t>(wanted));
        return wanted;
    }
    if (view->block_length > 0 && position >= view->block_start &&
        position + wanted <= view->block_start + view->block_length) {
        std::memcpy(buffer, view->block + (position - view->block_start), static_cast<size_t>(wanted));
        return wanted;
    }
    HANDLE file = any_open_handle(view);
    if (file == INVALID_HANDLE_VALUE) return 0;
    if (wanted > TARGET_BLOCK_SIZE / 2) return read_through_handle(file, position, buffer, wanted);
    // A short read: the block around it is read and kept, for the probes that look near the same place.
    long long start = position - position % (TARGET_BLOCK_SIZE / 2);
    view->block_length = read_through_handle(file, start, view->block, TARGET_BLOCK_SIZE);
    view->block_start = start;
    int available = static_cast<int>(view->block_start + view->block_length - position);
    if (available <= 0) return 0;
    int got = available < wanted ? available : wanted;
    std::memcpy(buffer, view->block + (position - view->block_start), static_cast<size_t>(got));
    return got;
}
