// Bounded copies into fixed text buffers.
#include "bounded_text.h"

int copy_text(char *dst, size_t size, const char *src)
{
    if (dst == nullptr || size == 0) return 0;
    dst[0] = '\0';
    return append_text(dst, size, src);
}

int append_text(char *dst, size_t size, const char *src)
{
    if (dst == nullptr || size == 0) return 0;
    size_t used = 0;
    while (used < size && dst[used] != '\0') used++;
    if (used == size) {  // not terminated: terminate at the end and refuse
        dst[size - 1] = '\0';
        return 0;
    }
    if (src == nullptr) return 1;
    while (*src != '\0') {
        if (used + 1 >= size) {
            dst[used] = '\0';
            return 0;
        }
        dst[used++] = *src++;
    }
    dst[used] = '\0';
    return 1;
}
