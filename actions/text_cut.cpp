// Cutting Shift-JIS text at a byte count, whole characters only.
#include "text_cut.h"
#include "path_helpers.h"

void sjis_cut(const char *text, size_t max_bytes, char *out, size_t out_size)
{
    if (out_size == 0) return;
    if (max_bytes > out_size - 1) max_bytes = out_size - 1;
    sjis_scanner scanner;
    sjis_reset(&scanner);
    size_t kept = 0;  // bytes of whole characters so far
    size_t i = 0;
    for (; text[i] != '\0' && i < max_bytes; i++) {
        sjis_byte_stands_alone(&scanner, static_cast<unsigned char>(text[i]));
        out[i] = text[i];
        // Outside a pair after this byte: a whole character ends here.
        if (!scanner.in_double_byte) kept = i + 1;
    }
    out[kept] = '\0';
}
