// judgext: the video codec judge. Tells the program which video codec an AVI file's first stream uses, from
// the stream's type and handler codes and, for the DivX family, the bitmap format's compression code.
#include "judge_shell.h"
#include <cstring>

namespace {

const uint16_t JUDGEXT_LIBRARY_ID = 40001;
const uint32_t CODEC_UNKNOWN = 1;
const LONG STREAM_CODES_OFFSET = 108;    // stream type "vids" + handler code of the first stream
const LONG COMPRESSION_OFFSET = 188;     // compression code of the first stream's bitmap format
const DWORD STREAM_CODES_LENGTH = 8;
const DWORD COMPRESSION_LENGTH = 4;

// One row of the codec table: the two forms of the stream codes, and for the DivX rows the two forms of the
// compression code that must follow.
struct codec_row {
    const char *stream_lower;
    const char *stream_upper;
    const char *compression_upper;  // null: no further test
    const char *compression_lower;
    uint32_t code;
};

// Tested in this order; the first row that matches gives the code.
const codec_row CODEC_TABLE[] = {
    {"vidscvid", "vidsCVID", nullptr, nullptr, 0x9211},
    {"vidsmsvc", "vidsMSVC", nullptr, nullptr, 0x9212},
    {"vidsiv32", "vidsIV32", nullptr, nullptr, 0x9213},
    {"vidsiv41", "vidsIV41", nullptr, nullptr, 0x9214},
    {"vidsiv50", "vidsIV50", nullptr, nullptr, 0x9215},
    {"vidsmpg4", "vidsMPG4", nullptr, nullptr, 0x9216},
    {"vidsmp42", "vidsMP42", nullptr, nullptr, 0x9217},
    {"vidsmp43", "vidsMP43", nullptr, nullptr, 0x9218},
    {"vidsdiv3", "vidsDIV3", nullptr, nullptr, 0x9219},
    {"vidsdiv4", "vidsDIV4", nullptr, nullptr, 0x9220},
    {"vidsdivx", "vidsDIVX", "DIVX", "divx", 0x9221},
    {"vidsdivx", "vidsDIVX", "DX50", "dx50", 0x9222},
    {"vidsxvid", "vidsXVID", nullptr, nullptr, 0x9223},
    {"vidsmjpg", "vidsMJPG", nullptr, nullptr, 0x9224},
    {"vidsi263", "vidsI263", nullptr, nullptr, 0x9225},
    {"vidsi420", "vidsI420", nullptr, nullptr, 0x9226},
    {"vidsap41", "vidsAP41", nullptr, nullptr, 0x9227},
    {"vidsasv1", "vidsASV1", nullptr, nullptr, 0x9228},
    {"vidsy41p", "vidsY41P", nullptr, nullptr, 0x9229},
    {"vidsbt20", "vidsBT20", nullptr, nullptr, 0x922A},
};

// Reads length bytes at offset from the start into buffer (length + 1 bytes) and terminates them. The buffer is
// cleared first, so bytes past the end of a short file read as zero, never as an earlier file's bytes.
void read_codes_at(HANDLE file, LONG offset, DWORD length, char *buffer)
{
    std::memset(buffer, 0, length + 1);
    DWORD got = 0;
    if (SetFilePointer(file, offset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return;
    if (!ReadFile(file, buffer, length, &got, nullptr)) got = 0;
    buffer[length] = '\0';
}

// Case-sensitive comparison with one of a row's two forms.
int codes_match(const char *codes, const char *form_a, const char *form_b, DWORD length)
{
    return std::memcmp(codes, form_a, length) == 0 || std::memcmp(codes, form_b, length) == 0;
}

// Walks the codec table with the stream codes read once and the compression code read when a row first
// asks for it: the file does not change while it is judged, so one reading answers every row.
uint32_t judge_video_codec(HANDLE file)
{
    char stream[STREAM_CODES_LENGTH + 1];
    char compression[COMPRESSION_LENGTH + 1];
    int compression_read = 0;
    read_codes_at(file, STREAM_CODES_OFFSET, STREAM_CODES_LENGTH, stream);
    for (const codec_row &row : CODEC_TABLE) {
        if (!codes_match(stream, row.stream_lower, row.stream_upper, STREAM_CODES_LENGTH)) continue;
        if (row.compression_upper == nullptr) return row.code;
        if (!compression_read) read_codes_at(file, COMPRESSION_OFFSET, COMPRESSION_LENGTH, compression);
        compression_read = 1;
        if (codes_match(compression, row.compression_upper, row.compression_lower, COMPRESSION_LENGTH))
            return row.code;
    }
    return CODEC_UNKNOWN;
}

}  // namespace

const judge_identity JUDGE_IDENTITY = {JUDGEXT_LIBRARY_ID, "SP Judge for KRVFB (1)", "Velmar", 1.0f, "β", 1, 1,
                                      FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, 0};

uint32_t judge_opened_target(HANDLE file)
{
    return judge_video_codec(file);
}
