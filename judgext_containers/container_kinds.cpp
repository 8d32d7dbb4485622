// Container kinds from the containers' own directories. A file is read only where its own structures point,
// every offset and length is checked against the file's size first, and every walk has a bound, so a
// truncated or hostile file ends in KIND_UNKNOWN (or the plain container kind), never in a bad read.
#include "container_kinds.h"
#include "byte_order.h"
#include <cstring>
#include <vector>

namespace {

const uint32_t ZIP_TAIL_LIMIT = 65535 + 22;        // the end record and the longest comment
const uint32_t ZIP_DIRECTORY_LIMIT = 16u << 20;     // central directories larger than this are not read
const uint32_t OLE_FAT_SECTOR_LIMIT = 109;          // the header's own list of FAT sectors
const uint32_t OLE_DIRECTORY_SECTOR_LIMIT = 4096;
const uint32_t ASF_OBJECT_LIMIT = 1024;
const uint32_t PE_HEADER_OFFSET_LIMIT = 1u << 24;

struct target_file {
    HANDLE handle;
    uint64_t size;
};

// Exactly length bytes at offset; 0 when they are not all in the file.
int read_at(const target_file &file, uint64_t offset, void *buffer, uint32_t length)
{
    if (offset > file.size || length > file.size - offset) return 0;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.handle, position, nullptr, FILE_BEGIN)) return 0;
    DWORD got = 0;
    return ReadFile(file.handle, buffer, length, &got, nullptr) && got == length;
}

int starts_with(const char *text, size_t length, const char *prefix)
{
    size_t n = std::strlen(prefix);
    return length >= n && std::memcmp(text, prefix, n) == 0;
}

// --- ZIP

struct zip_members {
    int content_types, word, xl, ppt, android_manifest, java_manifest, class_file;
    int has_mimetype;
    uint32_t mimetype_offset, mimetype_size, mimetype_method;
};

void note_zip_member(zip_members *m, const char *name, size_t length, const unsigned char *entry)
{
    if (length == 19 && std::memcmp(name, "[Content_Types].xml", 19) == 0) m->content_types = 1;
    if (starts_with(name, length, "word/")) m->word = 1;
    if (starts_with(name, length, "xl/")) m->xl = 1;
    if (starts_with(name, length, "ppt/")) m->ppt = 1;
    if (length == 19 && std::memcmp(name, "AndroidManifest.xml", 19) == 0) m->android_manifest = 1;
    if (length == 20 && std::memcmp(name, "META-INF/MANIFEST.MF", 20) == 0) m->java_manifest = 1;
    if (length > 6 && std::memcmp(name + length - 6, ".class", 6) == 0) m->class_file = 1;
    if (length == 8 && std::memcmp(name, "mimetype", 8) == 0) {
        m->has_mimetype = 1;
        m->mimetype_method = read_le16(entry + 10);
        m->mimetype_size = read_le32(entry + 24);
        m->mimetype_offset = read_le32(entry + 42);
    }
}

// Reads the central directory that the end record points at into members; 0 when there is none to read.
int read_zip_members(const target_file &file, zip_members *members)
{
    uint32_t tail_size = file.size < ZIP_TAIL_LIMIT ? static_cast<uint32_t>(file.size) : ZIP_TAIL_LIMIT;
    std::vector<unsigned char> tail(tail_size);
    if (tail_size < 22 || !read_at(file, file.size - tail_size, tail.data(), tail_size)) return 0;
    int end = -1;
    for (int i = static_cast<int>(tail_size) - 22; i >= 0 && end < 0; i--)
        if (std::memcmp(tail.data() + i, "PK\x05\x06", 4) == 0) end = i;
    if (end < 0) return 0;
    uint32_t directory_size = read_le32(tail.data() + end + 12), directory_offset = read_le32(tail.data() + end + 16);
    if (directory_size > ZIP_DIRECTORY_LIMIT) return 0;
    std::vector<unsigned char> directory(directory_size);
    if (!read_at(file, directory_offset, directory.data(), directory_size)) return 0;
    for (uint32_t at = 0; at + 46 <= directory_size;) {
        const unsigned char *entry = directory.data() + at;
        if (std::memcmp(entry, "PK\x01\x02", 4) != 0) break;
        uint32_t name_length = read_le16(entry + 28), skip = 46 + name_length + read_le16(entry + 30) + read_le16(entry + 32);
        if (at + 46 + name_length > directory_size) break;
        note_zip_member(members, reinterpret_cast<const char *>(entry + 46), name_length, entry);
        at += skip;
    }
    return 1;
}

// The kinds a "mimetype" member names: OpenDocument, its OpenOffice.org 1 forerunner, the KOffice store,
// OpenRaster and EPUB all put it first, stored, so that its text can be read without unpacking.
const struct {
    const char *mime;
    uint32_t kind;
} MIMETYPE_KINDS[] = {
    {"application/vnd.oasis.opendocument.text", KIND_ODT},
    {"application/vnd.oasis.opendocument.spreadsheet", KIND_ODS},
    {"application/vnd.oasis.opendocument.presentation", KIND_ODP},
    {"application/vnd.oasis.opendocument.graphics", KIND_ODG},
    {"application/vnd.oasis.opendocument.formula", KIND_ODF},
    {"application/vnd.oasis.opendocument.text-template", KIND_OTT},
    {"application/vnd.oasis.opendocument.text-web", KIND_OTH},
    {"application/vnd.oasis.opendocument.text-master", KIND_ODM},
    {"application/vnd.oasis.opendocument.graphics-template", KIND_OTG},
    {"application/vnd.oasis.opendocument.presentation-template", KIND_OTP},
    {"application/vnd.oasis.opendocument.spreadsheet-template", KIND_OTS},
    {"application/vnd.oasis.opendocument.chart", KIND_ODC},
    {"application/vnd.oasis.opendocument.chart-template", KIND_OTC},
    {"application/vnd.oasis.opendocument.formula-template", KIND_OTF},
    {"application/vnd.oasis.opendocument.base", KIND_ODB},
    {"application/vnd.oasis.opendocument.image", KIND_ODI},
    {"application/vnd.sun.xml.writer", KIND_SXW},
    {"application/vnd.sun.xml.writer.template", KIND_STW},
    {"application/vnd.sun.xml.writer.global", KIND_SXG},
    {"application/vnd.sun.xml.calc", KIND_SXC},
    {"application/vnd.sun.xml.calc.template", KIND_STC},
    {"application/vnd.sun.xml.draw", KIND_SXD},
    {"application/vnd.sun.xml.draw.template", KIND_STD},
    {"application/vnd.sun.xml.impress", KIND_SXI},
    {"application/vnd.sun.xml.impress.template", KIND_STI},
    {"application/vnd.sun.xml.math", KIND_SXM},
    {"application/x-kword", KIND_KWD},
    {"application/x-kspread", KIND_KSP},
    {"application/x-kpresenter", KIND_KPR},
    {"application/x-kchart", KIND_CHRT},
    {"application/x-kformula", KIND_KFO},
    {"application/x-kivio", KIND_FLW},
    {"application/x-kontour", KIND_KON},
    {"application/x-krita", KIND_KRA},
    {"image/openraster", KIND_ORA},
    {"application/epub+zip", KIND_EPUB},
};

// The kind a stored "mimetype" member names, from its local header at offset; 0 for another text, a
// compressed member or another name. size is the directory's size, or 0 to take the local header's.
uint32_t kind_of_mimetype_at(const target_file &file, uint32_t offset, uint32_t size)
{
    unsigned char local[38];
    char mime[96] = {};
    if (!read_at(file, offset, local, sizeof local) || std::memcmp(local, "PK\x03\x04", 4) != 0) return 0;
    if (read_le16(local + 8) != 0 || read_le16(local + 26) != 8 || std::memcmp(local + 30, "mimetype", 8) != 0) return 0;
    if (size == 0) size = read_le32(local + 22);
    if (size == 0 || size >= sizeof mime) return 0;
    uint64_t data = static_cast<uint64_t>(offset) + 30 + 8 + read_le16(local + 28);
    if (!read_at(file, data, mime, size)) return 0;
    for (const auto &k : MIMETYPE_KINDS)
        if (std::strlen(k.mime) == size && std::memcmp(mime, k.mime, size) == 0) return k.kind;
    return 0;
}

// The directory's "mimetype" member when it is stored; else the first member of the file, which writers put
// there stored even when a repacked directory lists a compressed copy further on. Such a writer may leave
// placeholders for the sizes in that local header, so the directory's unpacked size counts first.
uint32_t kind_of_mimetype(const target_file &file, const zip_members &m)
{
    uint32_t kind = 0;
    if (m.has_mimetype && m.mimetype_method == 0) kind = kind_of_mimetype_at(file, m.mimetype_offset, m.mimetype_size);
    return kind != 0 ? kind : kind_of_mimetype_at(file, 0, m.has_mimetype ? m.mimetype_size : 0);
}

uint32_t judge_zip(const target_file &file)
{
    zip_members m = {};
    if (!read_zip_members(file, &m)) return KIND_ZIP;
    if (m.android_manifest) return KIND_APK;
    uint32_t kind = kind_of_mimetype(file, m);
    if (kind != 0) return kind;
    if (m.content_types && m.word) return KIND_DOCX;
    if (m.content_types && m.xl) return KIND_XLSX;
    if (m.content_types && m.ppt) return KIND_PPTX;
    if (m.java_manifest || m.class_file) return KIND_JAR;
    return KIND_ZIP;
}

// --- OLE2 compound files

struct ole_names {
    int msi, msg, ppt, doc, xls, hwp_header, hwp_body;
};

int name_is(const unsigned char *entry, uint32_t name_bytes, const char *ascii)
{
    size_t n = std::strlen(ascii);
    if (name_bytes != (n + 1) * 2) return 0;
    for (size_t i = 0; i < n; i++)
        if (entry[2 * i] != static_cast<unsigned char>(ascii[i]) || entry[2 * i + 1] != 0) return 0;
    return 1;
}

int name_starts(const unsigned char *entry, uint32_t name_bytes, const char *ascii)
{
    size_t n = std::strlen(ascii);
    if (name_bytes < (n + 1) * 2) return 0;
    for (size_t i = 0; i < n; i++)
        if (entry[2 * i] != static_cast<unsigned char>(ascii[i]) || entry[2 * i + 1] != 0) return 0;
    return 1;
}

void note_ole_entry(ole_names *names, const unsigned char *entry, int is_first)
{
    static const unsigned char installer_class[16] = {0x84, 0x10, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    uint32_t name_bytes = read_le16(entry + 64);
    if (name_bytes > 64) return;
    if (is_first && std::memcmp(entry + 80, installer_class, 16) == 0) names->msi = 1;
    // Windows Installer tables are streams whose names are packed into characters from U+3800 up.
    if (name_bytes >= 4 && entry[1] >= 0x38 && entry[1] <= 0x48) names->msi = 1;
    if (name_starts(entry, name_bytes, "__substg1.0_") || name_is(entry, name_bytes, "__properties_version1.0"))
        names->msg = 1;
    if (name_is(entry, name_bytes, "PowerPoint Document")) names->ppt = 1;
    if (name_is(entry, name_bytes, "WordDocument")) names->doc = 1;
    if (name_is(entry, name_bytes, "Workbook") || name_is(entry, name_bytes, "Book")) names->xls = 1;
    // Hangul 5 keeps its signature in "FileHeader" and the text in the "BodyText" storage.
    if (name_is(entry, name_bytes, "FileHeader")) names->hwp_header = 1;
    if (name_is(entry, name_bytes, "BodyText")) names->hwp_body = 1;
}

// The FAT from the sectors the header lists (the first 109, enough for files up to several megabytes).
int read_ole_fat(const target_file &file, const unsigned char *header, uint32_t sector_size,
                 std::vector<uint32_t> *fat)
{
    uint32_t fat_sectors = read_le32(header + 0x2C);
    if (fat_sectors > OLE_FAT_SECTOR_LIMIT) fat_sectors = OLE_FAT_SECTOR_LIMIT;
    std::vector<unsigned char> sector(sector_size);
    for (uint32_t i = 0; i < fat_sectors; i++) {
        uint32_t number = read_le32(header + 0x4C + 4 * i);
        if (!read_at(file, (static_cast<uint64_t>(number) + 1) * sector_size, sector.data(), sector_size)) return 0;
        for (uint32_t j = 0; j < sector_size; j += 4) fat->push_back(read_le32(sector.data() + j));
    }
    return 1;
}

uint32_t judge_ole(const target_file &file)
{
    unsigned char header[512];
    if (!read_at(file, 0, header, sizeof header)) return KIND_OLE;
    uint32_t shift = read_le16(header + 0x1E);
    if (shift != 9 && shift != 12) return KIND_OLE;
    uint32_t sector_size = 1u << shift;
    std::vector<uint32_t> fat;
    if (!read_ole_fat(file, header, sector_size, &fat)) return KIND_OLE;
    ole_names names = {};
    std::vector<unsigned char> sector(sector_size);
    uint32_t number = read_le32(header + 0x30);
    for (uint32_t walked = 0; walked < OLE_DIRECTORY_SECTOR_LIMIT && number < fat.size(); walked++) {
        if (!read_at(file, (static_cast<uint64_t>(number) + 1) * sector_size, sector.data(), sector_size)) break;
        for (uint32_t at = 0; at + 128 <= sector_size; at += 128) note_ole_entry(&names, sector.data() + at, walked == 0 && at == 0);
        number = fat[number];
    }
    if (names.msi) return KIND_MSI;
    if (names.msg) return KIND_MSG;
    if (names.hwp_header && names.hwp_body) return KIND_HWP;
    if (names.ppt) return KIND_PPT;
    if (names.doc) return KIND_DOC;
    if (names.xls) return KIND_XLS;
    return KIND_OLE;
}

// --- ASF (Windows Media)

uint32_t judge_asf(const target_file &file)
{
    static const unsigned char stream_properties[16] = {0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11,
                                                        0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    static const unsigned char video[4] = {0xC0, 0xEF, 0x19, 0xBC};
    static const unsigned char audio[4] = {0x40, 0x9E, 0x69, 0xF8};
    unsigned char object[30];
    if (!read_at(file, 0, object, 30)) return KIND_UNKNOWN;
    uint32_t count = read_le32(object + 24);
    uint64_t at = 30;
    int has_video = 0, has_audio = 0;
    for (uint32_t i = 0; i < count && i < ASF_OBJECT_LIMIT; i++) {
        unsigned char head[40];
        if (!read_at(file, at, head, 24)) break;
        uint64_t size = read_le32(head + 16) | static_cast<uint64_t>(read_le32(head + 20)) << 32;
        if (size < 24 || size > file.size) break;
        if (std::memcmp(head, stream_properties, 16) == 0 && read_at(file, at + 24, head + 24, 16)) {
            has_video |= std::memcmp(head + 24, video, 4) == 0;
            has_audio |= std::memcmp(head + 24, audio, 4) == 0;
        }
        at += size;
    }
    if (has_video) return KIND_WMV;
    return has_audio ? KIND_WMA : KIND_UNKNOWN;
}

// --- PE programs

uint32_t judge_pe(const target_file &file)
{
    unsigned char dos[64], pe[24];
    if (!read_at(file, 0, dos, sizeof dos)) return KIND_UNKNOWN;
    uint32_t offset = read_le32(dos + 0x3C);
    if (offset > PE_HEADER_OFFSET_LIMIT || !read_at(file, offset, pe, sizeof pe)) return KIND_UNKNOWN;
    if (std::memcmp(pe, "PE\0\0", 4) != 0) return KIND_UNKNOWN;
    return (read_le16(pe + 22) & 0x2000) ? KIND_DLL : KIND_EXE;
}

}  // namespace

uint32_t judge_container_kind(HANDLE handle)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle, &size)) return KIND_UNKNOWN;
    target_file file{handle, static_cast<uint64_t>(size.QuadPart)};
    static const unsigned char ole[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    static const unsigned char asf[8] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11};
    unsigned char magic[8];
    if (!read_at(file, 0, magic, sizeof magic)) return KIND_UNKNOWN;
    if (std::memcmp(magic, "PK\x03\x04", 4) == 0 || std::memcmp(magic, "PK\x05\x06", 4) == 0) return judge_zip(file);
    if (std::memcmp(magic, ole, 8) == 0) return judge_ole(file);
    if (std::memcmp(magic, asf, 8) == 0) return judge_asf(file);
    if (magic[0] == 'M' && magic[1] == 'Z') return judge_pe(file);
    return KIND_UNKNOWN;
}
