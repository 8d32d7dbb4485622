// The text judge's reading: first the kinds whose text has a fixed shape (a shebang, an XML root element, a
// patch's hunk marks, a catalog's msgid, a message's header block, a table's separators, timestamps), then
// the program sources, build files and documentation texts by the words their lines start with. A kind is
// named only when its evidence is clearly ahead of every other kind's: a weak or mixed text stays unknown.
#include "text_kinds.h"
#include <cstring>

namespace {

const size_t MAX_LINES = 1000;

struct text_line {
    const char *start;
    size_t length;
};

struct text_view {
    const char *bytes;
    size_t size;
    text_line lines[MAX_LINES];
    size_t line_count;
};

bool is_space(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
bool is_letter(char c) { return is_upper(c) || is_lower(c); }
bool is_word(char c) { return is_letter(c) || is_digit(c) || c == '_'; }
char lower_of(char c) { return is_upper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// Text: no zero byte, and hardly any control bytes besides tab, line ends and form feed.
bool looks_like_text(const char *bytes, size_t size)
{
    if (size == 0) return false;
    size_t control = 0;
    for (size_t i = 0; i < size; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == 0) return false;
        if (c < 32 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0x1B) ++control;
    }
    return control * 100 <= size;
}

void split_lines(text_view *view)
{
    view->line_count = 0;
    size_t begin = 0;
    while (begin < view->size && view->line_count < MAX_LINES) {
        size_t end = begin;
        while (end < view->size && view->bytes[end] != '\n') ++end;
        size_t length = end - begin;
        if (length > 0 && view->bytes[begin + length - 1] == '\r') --length;
        // The last line of a full read buffer may be cut short: it is left out.
        if (end < view->size || view->size < TEXT_JUDGE_READ) {
            view->lines[view->line_count].start = view->bytes + begin;
            view->lines[view->line_count].length = length;
            ++view->line_count;
        }
        begin = end + 1;
    }
}

bool starts_with(const text_line &line, const char *prefix)
{
    // Most lines differ at the first byte: that is tested before the prefix is measured.
    if (line.length == 0 || line.start[0] != prefix[0]) return prefix[0] == '\0';
    size_t n = std::strlen(prefix);
    return line.length >= n && std::memcmp(line.start, prefix, n) == 0;
}

bool starts_with_nocase(const text_line &line, const char *prefix)
{
    size_t n = std::strlen(prefix);
    if (line.length < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (lower_of(line.start[i]) != lower_of(prefix[i])) return false;
    return true;
}

bool equals(const text_line &line, const char *text)
{
    return line.length == std::strlen(text) && std::memcmp(line.start, text, line.length) == 0;
}

bool equals_nocase(const char *text, const char *other)
{
    while (*text != '\0' && lower_of(*text) == lower_of(*other)) {
        ++text;
        ++other;
    }
    return *text == '\0' && *other == '\0';
}

// Every mark is looked for in every line: the search jumps from one occurrence of the part's first byte
// to the next.
bool buffer_contains(const char *bytes, size_t size, const char *part)
{
    size_t n = std::strlen(part);
    if (n == 0 || size < n) return false;
    const char *at = bytes;
    const char *last = bytes + (size - n);
    while (at <= last) {
        at = static_cast<const char *>(std::memchr(at, part[0], static_cast<size_t>(last - at) + 1));
        if (at == nullptr) return false;
        if (std::memcmp(at + 1, part + 1, n - 1) == 0) return true;
        ++at;
    }
    return false;
}

bool contains(const text_line &line, const char *part)
{
    return buffer_contains(line.start, line.length, part);
}

// The line without its leading blanks.
text_line trimmed(const text_line &line)
{
    text_line t = line;
    while (t.length > 0 && is_space(*t.start)) {
        ++t.start;
        --t.length;
    }
    while (t.length > 0 && is_space(t.start[t.length - 1])) --t.length;
    return t;
}

bool is_blank(const text_line &line) { return trimmed(line).length == 0; }

size_t first_content_line(const text_view &view)
{
    size_t i = 0;
    while (i < view.line_count && is_blank(view.lines[i])) ++i;
    return i;
}

// ---- Scripts by the interpreter their first line names.
uint32_t kind_of_shebang(const text_line &line)
{
    if (!starts_with(line, "#!")) return 0;
    // The interpreter's base name, after "/usr/bin/env " when env starts it.
    char name[32] = {};
    size_t i = 2;
    while (i < line.length && is_space(line.start[i])) ++i;
    size_t word_start = i;
    while (i < line.length && !is_space(line.start[i])) ++i;
    size_t word_end = i;
    for (size_t j = word_start; j < word_end; ++j)
        if (line.start[j] == '/') word_start = j + 1;
    if (word_end - word_start == 3 && std::memcmp(line.start + word_start, "env", 3) == 0) {
        while (i < line.length && is_space(line.start[i])) ++i;
        while (i < line.length && line.start[i] == '-') {  // env's own options
            while (i < line.length && !is_space(line.start[i])) ++i;
            while (i < line.length && is_space(line.start[i])) ++i;
        }
        word_start = i;
        while (i < line.length && !is_space(line.start[i])) ++i;
        word_end = i;
    }
    size_t n = word_end - word_start;
    if (n == 0 || n >= sizeof name) return 0;
    std::memcpy(name, line.start + word_start, n);
    // Version numbers after the name (python3.11, perl5) do not change the kind.
    while (n > 0 && (is_digit(name[n - 1]) || name[n - 1] == '.')) name[--n] = '\0';
    const struct {
        const char *name;
        uint32_t kind;
    } interpreters[] = {
        {"sh", TEXT_SHELL},     {"bash", TEXT_SHELL},   {"dash", TEXT_SHELL},      {"zsh", TEXT_SHELL},
        {"ksh", TEXT_SHELL},    {"ash", TEXT_SHELL},    {"python", TEXT_PYTHON},   {"perl", TEXT_PERL},
        {"ruby", TEXT_RUBY},    {"node", TEXT_JAVASCRIPT}, {"nodejs", TEXT_JAVASCRIPT}, {"lua", TEXT_LUA},
        {"php", TEXT_PHP},      {"awk", TEXT_AWK},      {"gawk", TEXT_AWK},        {"mawk", TEXT_AWK},
        {"make", TEXT_MAKEFILE}, {"deno", TEXT_TYPESCRIPT}, {"ts-node", TEXT_TYPESCRIPT}, {"qml", TEXT_QML},
        {"qmlscene", TEXT_QML},
    };
    for (const auto &entry : interpreters)
        if (std::strcmp(name, entry.name) == 0) return entry.kind;
    return 0;
}

// ---- XML dialects by their root element (and its namespace or the document type).
uint32_t kind_of_xml(const char *bytes, size_t size)
{
    size_t i = 0;
    char doctype[160] = {};
    bool xml_declaration = false;
    bool wpl = false;  // Windows Media playlists are SMIL documents under their own processing instruction
    for (;;) {
        while (i < size && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
        if (i >= size || bytes[i] != '<') return 0;
        if (i + 1 < size && (bytes[i + 1] == '?' || bytes[i + 1] == '!')) {
            bool comment = i + 3 < size && bytes[i + 1] == '!' && bytes[i + 2] == '-' && bytes[i + 3] == '-';
            bool is_doctype = i + 9 <= size && std::memcmp(bytes + i + 2, "DOCTYPE", 7) == 0;
            if (i + 5 <= size && std::memcmp(bytes + i, "<?xml", 5) == 0) xml_declaration = true;
            if (i + 5 <= size && std::memcmp(bytes + i, "<?wpl", 5) == 0) wpl = true;
            size_t end = i + 2;
            if (comment) {
                while (end + 2 < size && !(bytes[end] == '-' && bytes[end + 1] == '-' && bytes[end + 2] == '>')) ++end;
                end += 3;
            } else {
                int depth = 0;  // a DOCTYPE may hold an internal subset in brackets
                while (end < size && !(bytes[end] == '>' && depth == 0)) {
                    if (bytes[end] == '[') ++depth;
                    if (bytes[end] == ']' && depth > 0) --depth;
                    ++end;
                }
                ++end;
            }
            if (end > size) return 0;
            if (is_doctype) {
                size_t n = end - i < sizeof doctype - 1 ? end - i : sizeof doctype - 1;
                std::memcpy(doctype, bytes + i, n);
                doctype[n] = '\0';
            }
            i = end;
            continue;
        }
        break;
    }
    // The root element's name and its start tag.
    size_t name_start = i + 1;
    size_t name_end = name_start;
    while (name_end < size && bytes[name_end] != ' ' && bytes[name_end] != '>' && bytes[name_end] != '/' &&
           bytes[name_end] != '\t' && bytes[name_end] != '\r' && bytes[name_end] != '\n')
        ++name_end;
    size_t tag_end = name_end;
    while (tag_end < size && bytes[tag_end] != '>') ++tag_end;
    if (name_end == name_start || name_end - name_start > 40) return 0;
    char name[48] = {};
    std::memcpy(name, bytes + name_start, name_end - name_start);
    const char *tag = bytes + name_start;
    size_t tag_size = tag_end - name_start;
    const char *local = std::strchr(name, ':');
    local = local != nullptr ? local + 1 : name;
    auto tag_has = [&](const char *part) { return buffer_contains(tag, tag_size, part); };
    auto doctype_has = [&](const char *part) { return std::strstr(doctype, part) != nullptr; };

    // XHTML: the XHTML namespace in a document that says it is XML (a declaration or an XHTML document type);
    // HTML5 written in XML style stays HTML.
    if (std::strcmp(name, "html") == 0)
        return tag_has("http://www.w3.org/1999/xhtml") && (xml_declaration || doctype_has("XHTML")) ? TEXT_XHTML : 0;
    if (std::strcmp(name, "rss") == 0) return TEXT_RSS;
    if (std::strcmp(name, "rdf:RDF") == 0 && tag_has("purl.org/rss")) return TEXT_RSS;
    if (std::strcmp(name, "feed") == 0 && tag_has("http://www.w3.org/2005/Atom")) return TEXT_ATOM;
    if (std::strcmp(name, "opml") == 0) return TEXT_OPML;
    if (std::strcmp(name, "FictionBook") == 0) return TEXT_FICTIONBOOK;
    if ((std::strcmp(local, "stylesheet") == 0 || std::strcmp(local, "transform") == 0) &&
        tag_has("http://www.w3.org/1999/XSL/Transform"))
        return TEXT_XSLT;
    if (std::strcmp(name, "playlist") == 0 && tag_has("http://xspf.org/ns/0/")) return TEXT_XSPF;
    if (std::strcmp(name, "xbel") == 0) return TEXT_XBEL;
    if (std::strcmp(name, "xliff") == 0) return TEXT_XLIFF;
    if (std::strcmp(name, "metalink") == 0) return TEXT_METALINK;
    if (std::strcmp(name, "smil") == 0) return wpl ? 0 : TEXT_SMIL;
    if (std::strcmp(name, "ttFont") == 0) return TEXT_TTX;
    // libglade's interfaces have a root of their own; Glade's newer files are GtkBuilder interfaces, the same
    // bytes as a .ui file (its comment "Generated with glade" heads most .ui files too).
    if (std::strcmp(name, "glade-interface") == 0) return TEXT_GLADE;
    if (std::strcmp(name, "interface") == 0 || (std::strcmp(name, "ui") == 0 && tag_has("version="))) return TEXT_UI;
    if (std::strcmp(name, "jnlp") == 0) return TEXT_JNLP;
    // A system profiler report is a property list whose items name the profiler's command line.
    if (std::strcmp(name, "plist") == 0 && buffer_contains(bytes, size, "<key>_SPCommandLineArguments</key>"))
        return TEXT_SYSTEM_PROFILE;
    if (std::strcmp(name, "TS") == 0) return TEXT_LINGUIST;
    if (std::strcmp(local, "Ontology") == 0 && tag_has("http://www.w3.org/2002/07/owl#")) return TEXT_OWL;
    if (std::strcmp(name, "mrml") == 0) return TEXT_MRML;
    if (std::strcmp(name, "nzb") == 0) return TEXT_NZB;
    if (std::strcmp(local, "shape") == 0 && tag_has("dia-shape-ns")) return TEXT_DIA_SHAPE;
    // SAMI is HTML-like markup rather than XML: its element names come in either case.
    if (equals_nocase(name, "sami")) return TEXT_SAMI;
    const char *docbook_roots[] = {"article", "book", "chapter", "section", "refentry", "set", "part", "appendix"};
    for (const char *root : docbook_roots)
        if (std::strcmp(name, root) == 0 && (tag_has("http://docbook.org/ns/docbook") || doctype_has("DocBook")))
            return TEXT_DOCBOOK;
    return 0;
}

// ---- Kinds with a fixed shape.
bool is_header_line(const text_line &line)
{
    // "Name: value": a field name of letters, digits and hyphens, then a colon.
    size_t i = 0;
    while (i < line.length && (is_word(line.start[i]) || line.start[i] == '-')) ++i;
    return i > 0 && i < line.length && line.start[i] == ':' && is_letter(line.start[0]);
}

uint32_t kind_of_message(const text_view &view)
{
    size_t first = first_content_line(view);
    if (first >= view.line_count) return 0;
    bool mbox = starts_with(view.lines[first], "From ") && contains(view.lines[first], "@");
    size_t i = mbox ? first + 1 : first;
    int fields = 0, mail_fields = 0;
    bool news = false;
    const char *mail_names[] = {"From:", "To:", "Subject:", "Date:", "Received:", "Message-ID:", "Message-Id:",
                                "Return-Path:", "MIME-Version:", "Content-Type:", "Delivered-To:", "Reply-To:"};
    for (; i < view.line_count && !is_blank(view.lines[i]); ++i) {
        const text_line &line = view.lines[i];
        if (is_space(line.start[0])) continue;  // a folded field goes on
        if (!is_header_line(line)) return 0;
        ++fields;
        for (const char *name : mail_names)
            if (starts_with(line, name)) ++mail_fields;
        if (starts_with(line, "Newsgroups:")) news = true;
    }
    if (fields < 2 || i >= view.line_count) return 0;  // a header block ends with an empty line
    if (mbox && mail_fields >= 1) return TEXT_MBOX;
    if (news && mail_fields >= 1) return TEXT_NEWS;
    if (mail_fields >= 2) return TEXT_MAIL;
    return 0;
}

uint32_t kind_of_patch(const text_view &view)
{
    for (size_t i = 0; i + 2 < view.line_count; ++i) {
        if (starts_with(view.lines[i], "--- ") && starts_with(view.lines[i + 1], "+++ ") &&
            starts_with(view.lines[i + 2], "@@ -"))
            return TEXT_PATCH;
        if (starts_with(view.lines[i], "*** ") && starts_with(view.lines[i + 1], "--- ") &&
            starts_with(view.lines[i + 2], "***************"))
            return TEXT_PATCH;
    }
    return 0;
}

uint32_t kind_of_catalog(const text_view &view)
{
    int ids = 0, strs = 0;
    bool placeholder_charset = false;
    for (size_t i = 0; i < view.line_count; ++i) {
        const text_line &line = view.lines[i];
        if (starts_with(line, "msgid \"")) ++ids;
        if (starts_with(line, "msgstr \"") || starts_with(line, "msgstr[")) ++strs;
        if (contains(line, "charset=CHARSET")) placeholder_charset = true;
    }
    if (ids == 0 || strs == 0) return 0;
    // xgettext leaves the header's charset as a placeholder: the template before translation.
    return placeholder_charset ? TEXT_POT : TEXT_PO;
}

// Tables: every line has the same number (one or more) of separators outside quotes.
int separators(const text_line &line, char separator)
{
    int count = 0;
    bool quoted = false;
    for (size_t i = 0; i < line.length; ++i) {
        if (line.start[i] == '"') quoted = !quoted;
        else if (line.start[i] == separator && !quoted) ++count;
    }
    return quoted ? -1 : count;
}

uint32_t kind_of_table(const text_view &view)
{
    const struct {
        char separator;
        uint32_t kind;
    } tables[] = {{'\t', TEXT_TSV}, {',', TEXT_CSV}, {';', TEXT_CSV}};
    for (const auto &table : tables) {
        int columns = -1;
        size_t rows = 0;
        bool same = true;
        for (size_t i = 0; i < view.line_count && same; ++i) {
            if (view.lines[i].length == 0) continue;
            int n = separators(view.lines[i], table.separator);
            if (columns < 0) columns = n;
            same = n == columns && n >= 1;
            ++rows;
        }
        if (same && rows >= 3) return table.kind;
    }
    return 0;
}

// Logs: most lines start with a date and time.
bool starts_with_timestamp(const text_line &line)
{
    text_line t = line;
    if (t.length > 0 && t.start[0] == '[') {
        ++t.start;
        --t.length;
    }
    const char *s = t.start;
    auto digits = [&](size_t at, size_t n) {
        if (at + n > t.length) return false;
        for (size_t k = 0; k < n; ++k)
            if (!is_digit(s[at + k])) return false;
        return true;
    };
    // 2023-11-14 22:13:20 or 2023-11-14T22:13:20
    if (digits(0, 4) && t.length > 16 && s[4] == '-' && digits(5, 2) && s[7] == '-' && digits(8, 2) &&
        (s[10] == ' ' || s[10] == 'T') && digits(11, 2) && s[13] == ':')
        return true;
    // Nov 14 22:13:20 (syslog)
    if (t.length > 15 && is_upper(s[0]) && is_lower(s[1]) && is_lower(s[2]) && s[3] == ' ' &&
        (is_digit(s[4]) || s[4] == ' ') && is_digit(s[5]) && s[6] == ' ' && digits(7, 2) && s[9] == ':')
        return true;
    // 22:13:20
    if (digits(0, 2) && t.length > 8 && s[2] == ':' && digits(3, 2) && s[5] == ':' && digits(6, 2)) return true;
    return false;
}

uint32_t kind_of_log(const text_view &view)
{
    size_t lines = 0, stamped = 0;
    for (size_t i = 0; i < view.line_count; ++i) {
        if (is_blank(view.lines[i])) continue;
        ++lines;
        if (starts_with_timestamp(view.lines[i])) ++stamped;
    }
    return lines >= 3 && stamped * 10 >= lines * 7 ? TEXT_LOG : 0;
}

// CMake's bracket comments open with "#[", any number of "=", and "[" at the start of a line; no other
// language writes that, and CMake's own modules hold whole reStructuredText documents in them.
uint32_t kind_of_bracket_comment(const text_view &view)
{
    for (size_t i = 0; i < view.line_count; ++i) {
        const text_line &line = view.lines[i];
        if (!starts_with(line, "#[")) continue;
        size_t k = 2;
        while (k < line.length && line.start[k] == '=') ++k;
        if (k < line.length && line.start[k] == '[') return TEXT_CMAKE;
    }
    return 0;
}

uint32_t kind_of_records(const text_view &view)
{
    bool dn = false, object_class = false, uu_begin = false, name = false, version = false, description = false;
    int uu_lines = 0, bib_entries = 0;
    for (size_t i = 0; i < view.line_count; ++i) {
        const text_line &line = view.lines[i];
        if (starts_with(line, "dn: ") || starts_with(line, "dn:: ")) dn = true;
        if (starts_with_nocase(line, "objectClass:")) object_class = true;
        if (starts_with(line, "begin ") && line.length > 10 && is_digit(line.start[6]) && is_digit(line.start[7]) &&
            is_digit(line.start[8]))
            uu_begin = true;
        if (uu_begin && line.length == 61 && line.start[0] == 'M') ++uu_lines;
        // "@article{key," and the like: an entry type of BibTeX's own (a decorator such as "@cache(" is a
        // program's).
        if (line.length > 2 && line.start[0] == '@' && is_letter(line.start[1])) {
            size_t k = 1;
            while (k < line.length && is_letter(line.start[k])) ++k;
            if (k < line.length && (line.start[k] == '{' || line.start[k] == '(') && k - 1 < 16) {
                char type[16] = {};
                for (size_t c = 1; c < k; ++c) type[c - 1] = lower_of(line.start[c]);
                const char *entry_types[] = {"article", "book", "booklet", "inbook", "incollection", "inproceedings",
                                             "conference", "manual", "mastersthesis", "misc", "phdthesis",
                                             "proceedings", "techreport", "unpublished", "online", "string",
                                             "preamble", "comment", "software", "dataset", "report", "thesis"};
                for (const char *entry : entry_types)
                    if (std::strcmp(type, entry) == 0) ++bib_entries;
            }
        }
        if (starts_with(line, "Name:")) name = true;
        if (starts_with(line, "Version:")) version = true;
        if (starts_with(line, "%description")) description = true;
    }
    if (dn && object_class) return TEXT_LDIF;
    if (uu_begin && uu_lines >= 1) return TEXT_UUENCODE;
    if (bib_entries >= 1) return TEXT_BIBTEX;
    if (name && version && description) return TEXT_RPM_SPEC;
    return 0;
}

// ---- Texts of particular programs, subtitles and lists, by a shape of their own.

// The first line that is not empty and not a comment ("//", "#", or a "/* */" block).
size_t first_statement_line(const text_view &view)
{
    bool in_block = false;
    for (size_t i = 0; i < view.line_count; ++i) {
        text_line t = trimmed(view.lines[i]);
        if (in_block) {
            if (contains(t, "*/")) in_block = false;
            continue;
        }
        if (t.length == 0 || starts_with(t, "//") || starts_with(t, "#")) continue;
        if (starts_with(t, "/*")) {
            in_block = !contains(t, "*/");
            continue;
        }
        return i;
    }
    return view.line_count;
}

// A word at the start of the line followed by a blank, a brace or the line's end.
bool starts_with_word(const text_line &line, const char *word)
{
    size_t n = std::strlen(word);
    return starts_with(line, word) && (line.length == n || is_space(line.start[n]) || line.start[n] == '{');
}

// Graphviz: the first statement opens a graph ("strict"? "graph"|"digraph" ID? "{").
uint32_t kind_of_graph(const text_view &view)
{
    size_t i = first_statement_line(view);
    if (i >= view.line_count) return 0;
    text_line t = trimmed(view.lines[i]);
    if (starts_with_word(t, "strict")) {
        t.start += 6;
        t.length -= 6;
        t = trimmed(t);
    }
    size_t k = 0;
    if (starts_with_word(t, "digraph")) k = 7;
    else if (starts_with_word(t, "graph")) k = 5;
    else return 0;
    // The graph's name (a word or a quoted string), then its brace here or on the next line: "graph = {" in a
    // program is an assignment.
    while (k < t.length && is_space(t.start[k])) ++k;
    if (k < t.length && t.start[k] == '"') {
        ++k;
        while (k < t.length && t.start[k] != '"') ++k;
        if (k >= t.length) return 0;
        ++k;
    } else {
        while (k < t.length && is_word(t.start[k])) ++k;
    }
    while (k < t.length && is_space(t.start[k])) ++k;
    if (k < t.length) return t.start[k] == '{' ? TEXT_GRAPHVIZ : 0;
    return i + 1 < view.line_count && starts_with(trimmed(view.lines[i + 1]), "{") ? TEXT_GRAPHVIZ : 0;
}

// cdrdao's table of contents: the disc's mode (or its catalog number or text block) first, then tracks.
uint32_t kind_of_disc_toc(const text_view &view)
{
    size_t i = first_statement_line(view);
    if (i >= view.line_count) return 0;
    text_line t = trimmed(view.lines[i]);
    if (!equals(t, "CD_DA") && !equals(t, "CD_ROM") && !equals(t, "CD_ROM_XA") && !starts_with(t, "CATALOG \"") &&
        !starts_with_word(t, "CD_TEXT"))
        return 0;
    for (size_t k = i + 1; k < view.line_count; ++k)
        if (starts_with(trimmed(view.lines[k]), "TRACK ")) return TEXT_CDRDAO_TOC;
    return 0;
}

// Subtitles of one line each, timed in braces ({start}{end}text, frames) or brackets ([start][end]text,
// tenths of a second).
bool timed_in_pairs(const text_line &line, char open, char close)
{
    size_t k = 0;
    for (int pair = 0; pair < 2; ++pair) {
        if (k >= line.length || line.start[k] != open) return false;
        ++k;
        size_t digits = 0;
        while (k < line.length && is_digit(line.start[k])) {
            ++k;
            ++digits;
        }
        if (k >= line.length || line.start[k] != close || (pair == 0 && digits == 0)) return false;
        ++k;
    }
    return true;
}

// hh:mm:ss.cc,hh:mm:ss.cc (SubViewer's timing line).
bool subviewer_timing(const text_line &line)
{
    const char shape[] = "00:00:00.00,00:00:00.00";
    if (line.length != sizeof shape - 1) return false;
    for (size_t k = 0; k + 1 < sizeof shape; ++k) {
        if (is_digit(shape[k]) ? !is_digit(line.start[k]) : line.start[k] != shape[k]) return false;
    }
    return true;
}

// A number with an optional fraction.
bool scan_number(const text_line &line, size_t *at)
{
    size_t k = *at, digits = 0;
    while (k < line.length && is_digit(line.start[k])) {
        ++k;
        ++digits;
    }
    if (k < line.length && line.start[k] == '.') {
        ++k;
        while (k < line.length && is_digit(line.start[k])) {
            ++k;
            ++digits;
        }
    }
    *at = k;
    return digits > 0;
}

// MPSub's timing line: the pause before the subtitle and its duration.
bool mpsub_timing(const text_line &line)
{
    size_t k = 0;
    if (!scan_number(line, &k) || k >= line.length || line.start[k] != ' ') return false;
    ++k;
    return scan_number(line, &k) && k == line.length;
}

uint32_t kind_of_subtitles(const text_view &view)
{
    size_t first = first_content_line(view);
    if (first < view.line_count && equals(trimmed(view.lines[first]), "[INFORMATION]")) return TEXT_SUBVIEWER;
    size_t lines = 0, braces = 0, brackets = 0, subviewer = 0, mpsub = 0;
    bool format = false;
    for (size_t i = 0; i < view.line_count; ++i) {
        text_line t = trimmed(view.lines[i]);
        if (t.length == 0) continue;
        ++lines;
        if (timed_in_pairs(t, '{', '}')) ++braces;
        if (timed_in_pairs(t, '[', ']')) ++brackets;
        if (subviewer_timing(t)) ++subviewer;
        if (mpsub_timing(t)) ++mpsub;
        if (starts_with(t, "FORMAT=")) format = true;
    }
    // One timed line per subtitle: nearly every line is one.
    if (braces >= 2 && braces * 10 >= lines * 8) return TEXT_MICRODVD;
    if (brackets >= 2 && brackets * 10 >= lines * 8) return TEXT_MPL2;
    // A timing line, then the subtitle's lines, then an empty line.
    if (subviewer >= 2 && subviewer * 4 >= lines) return TEXT_SUBVIEWER;
    if (format && mpsub >= 2) return TEXT_MPSUB;
    return 0;
}

// A SPARQL query form: its keyword, then what it yields (variables, "*", a template or an IRI) or its pattern.
bool is_query_form(const text_line &t)
{
    const char *forms[] = {"SELECT", "CONSTRUCT", "ASK", "DESCRIBE", "select", "construct", "ask", "describe"};
    for (const char *form : forms) {
        if (!starts_with_word(t, form)) continue;
        text_line rest = {t.start + std::strlen(form), t.length - std::strlen(form)};
        rest = trimmed(rest);
        if (rest.length == 0) return false;
        char c = rest.start[0];
        return c == '?' || c == '*' || c == '{' || c == '<' || starts_with_nocase(rest, "DISTINCT ") ||
               starts_with_nocase(rest, "REDUCED ") || starts_with_nocase(rest, "WHERE");
    }
    return false;
}

// Other texts of programs: a VPN client's profile, txt2tags' settings, QML's imports and object blocks, and
// SPARQL's query forms.
uint32_t kind_of_program_text(const text_view &view)
{
    bool main_section = false, auth_type = false, host = false, qt_import = false, object_block = false;
    bool query_form = false, variable = false, brace = false, where = false;
    int settings = 0;
    const char *t2t_settings[] = {"target", "encoding", "options", "postproc", "preproc", "style", "includeconf",
                                  "nested", "guicolors", "csv"};
    for (size_t i = 0; i < view.line_count; ++i) {
        text_line t = trimmed(view.lines[i]);
        if (t.length == 0) continue;
        if (starts_with_nocase(t, "[main]")) main_section = true;
        // A profile's administrator locks a value with "!" before its name.
        text_line key = t;
        if (key.start[0] == '!') {
            ++key.start;
            --key.length;
        }
        if (starts_with_nocase(key, "AuthType=")) auth_type = true;
        if (starts_with_nocase(key, "Host=")) host = true;
        if (starts_with(view.lines[i], "%!")) {
            for (const char *name : t2t_settings) {
                text_line rest = {t.start + 2, t.length - 2};
                rest = trimmed(rest);
                size_t n = std::strlen(name);
                if (starts_with_nocase(rest, name) && rest.length > n && (rest.start[n] == ':' || rest.start[n] == '(' ||
                                                                         is_space(rest.start[n])))
                    ++settings;
            }
        }
        if (starts_with(t, "import Qt") || starts_with(t, "import Qml") || starts_with(t, "import \"")) qt_import = true;
        // "Rectangle {", "Controls.Button {": a type name with a capital, then the block.
        if (t.length >= 3 && is_upper(t.start[0]) && t.start[t.length - 1] == '{') {
            size_t k = 0;
            while (k < t.length && (is_word(t.start[k]) || t.start[k] == '.')) ++k;
            if (k + 2 == t.length && t.start[k] == ' ') object_block = true;
        }
        if (is_query_form(t)) query_form = true;
        for (size_t k = 0; k + 1 < t.length; ++k)
            if (t.start[k] == '?' && is_letter(t.start[k + 1]) && (k == 0 || is_space(t.start[k - 1])))
                variable = true;
        if (contains(t, "{")) brace = true;
        // The group pattern: "WHERE {" (the word may also close a line whose next line opens the brace).
        if (contains(t, "WHERE {") || contains(t, "where {") || contains(t, "WHERE{") ||
            ((equals(t, "WHERE") || equals(t, "where")) && i + 1 < view.line_count &&
             starts_with(trimmed(view.lines[i + 1]), "{")))
            where = true;
    }
    if (main_section && auth_type && host) return TEXT_VPN_PROFILE;
    if (settings >= 1) return TEXT_TXT2TAGS;
    if (qt_import && object_block) return TEXT_QML;
    // A query form with variables and a group pattern in braces; Turtle's PREFIX lines have no query form.
    if (query_form && variable && brace && where) return TEXT_SPARQL;
    return 0;
}

// ---- JSON: a value that parses to the end of the text read (a cut-off tail is forgiven).
struct json_reader {
    const char *s;
    size_t size;
    size_t at;
    bool cut;  // the buffer ended inside the value
};

void json_space(json_reader *r)
{
    while (r->at < r->size && (r->s[r->at] == ' ' || r->s[r->at] == '\t' || r->s[r->at] == '\r' || r->s[r->at] == '\n'))
        ++r->at;
}

bool json_value(json_reader *r, int depth);

bool json_string(json_reader *r)
{
    ++r->at;  // the opening quote
    while (r->at < r->size) {
        char c = r->s[r->at++];
        if (c == '"') return true;
        if (c == '\\') ++r->at;
        else if (static_cast<unsigned char>(c) < 32) return false;
    }
    r->cut = true;
    return true;
}

bool json_value(json_reader *r, int depth)
{
    if (depth > 64) return false;
    json_space(r);
    if (r->at >= r->size) {
        r->cut = true;
        return true;
    }
    char c = r->s[r->at];
    if (c == '"') return json_string(r);
    if (c == '{' || c == '[') {
        char close = c == '{' ? '}' : ']';
        ++r->at;
        json_space(r);
        if (r->at < r->size && r->s[r->at] == close) {
            ++r->at;
            return true;
        }
        for (;;) {
            if (c == '{') {
                json_space(r);
                if (r->at >= r->size) return r->cut = true;
                if (r->s[r->at] != '"' || !json_string(r)) return false;
                if (r->cut) return true;
                json_space(r);
                if (r->at >= r->size) return r->cut = true;
                if (r->s[r->at++] != ':') return false;
            }
            if (!json_value(r, depth + 1)) return false;
            if (r->cut) return true;
            json_space(r);
            if (r->at >= r->size) return r->cut = true;
            char next = r->s[r->at++];
            if (next == close) return true;
            if (next != ',') return false;
        }
    }
    // Numbers and the three words.
    size_t start = r->at;
    while (r->at < r->size && (is_word(r->s[r->at]) || r->s[r->at] == '-' || r->s[r->at] == '+' || r->s[r->at] == '.'))
        ++r->at;
    size_t n = r->at - start;
    if (n == 0) return false;
    const char *w = r->s + start;
    if ((n == 4 && std::memcmp(w, "true", 4) == 0) || (n == 5 && std::memcmp(w, "false", 5) == 0) ||
        (n == 4 && std::memcmp(w, "null", 4) == 0))
        return true;
    return is_digit(w[0]) || w[0] == '-';
}

// "$schema": "...json-schema.org/..." somewhere in the text.
bool json_names_meta_schema(const char *bytes, size_t size)
{
    const char key[] = "\"$schema\"";
    const size_t key_size = sizeof key - 1;
    for (size_t i = 0; i + key_size <= size; ++i) {
        if (std::memcmp(bytes + i, key, key_size) != 0) continue;
        size_t k = i + key_size;
        while (k < size && (bytes[k] == ' ' || bytes[k] == '\t' || bytes[k] == '\r' || bytes[k] == '\n')) ++k;
        if (k >= size || bytes[k] != ':') continue;
        ++k;
        while (k < size && (bytes[k] == ' ' || bytes[k] == '\t' || bytes[k] == '\r' || bytes[k] == '\n')) ++k;
        if (k >= size || bytes[k] != '"') continue;
        size_t end = k + 1;
        while (end < size && bytes[end] != '"') ++end;
        if (buffer_contains(bytes + k, end - k, "json-schema.org/")) return true;
    }
    return false;
}

uint32_t kind_of_json(const char *bytes, size_t size)
{
    json_reader r = {bytes, size, 0, false};
    json_space(&r);
    if (r.at >= size || (bytes[r.at] != '{' && bytes[r.at] != '[')) return 0;
    bool object = bytes[r.at] == '{';
    if (!json_value(&r, 0)) return 0;
    if (!r.cut) {
        json_space(&r);
        if (r.at != size) return 0;  // something after the value
    }
    if (buffer_contains(bytes, size, "\"nbformat\"") && buffer_contains(bytes, size, "\"cells\"")) return TEXT_NOTEBOOK;
    // A schema names the meta-schema it follows and describes values; a document that only points to its
    // schema (a configuration file's "$schema") describes nothing.
    if (object && json_names_meta_schema(bytes, size)) {
        const char *keywords[] = {"\"properties\"", "\"type\"", "\"$defs\"", "\"definitions\"", "\"items\"",
                                  "\"oneOf\"", "\"anyOf\"", "\"allOf\"", "\"enum\""};
        for (const char *keyword : keywords)
            if (buffer_contains(bytes, size, keyword)) return TEXT_JSON_SCHEMA;
    }
    return TEXT_JSON;
}

// ---- Program sources, build files and documentation texts by their lines.
enum scored_kind {
    S_C, S_CPP, S_CSHARP, S_JAVA, S_PYTHON, S_SHELL, S_PERL, S_RUBY, S_PHP, S_JS, S_TS, S_GO, S_RUST, S_LUA,
    S_SQL, S_ELISP, S_AWK, S_MAKE, S_CMAKE, S_YAML, S_TOML, S_INI, S_MARKDOWN, S_RST, S_LATEX, S_TROFF, S_OBJC,
    S_MATLAB, S_MODELICA, S_COUNT
};

const uint32_t SCORED_CODES[S_COUNT] = {
    TEXT_C,    TEXT_CPP,   TEXT_CSHARP, TEXT_JAVA,     TEXT_PYTHON, TEXT_SHELL, TEXT_PERL,  TEXT_RUBY,  TEXT_PHP,
    TEXT_JAVASCRIPT, TEXT_TYPESCRIPT, TEXT_GO, TEXT_RUST, TEXT_LUA, TEXT_SQL, TEXT_ELISP, TEXT_AWK, TEXT_MAKEFILE,
    TEXT_CMAKE, TEXT_YAML, TEXT_TOML,  TEXT_INI,    TEXT_MARKDOWN, TEXT_RST, TEXT_LATEX, TEXT_TROFF, TEXT_OBJC,
    TEXT_MATLAB, TEXT_MODELICA,
};

// A mark of a kind: where on the (trimmed) line it is looked for, and what it is worth.
enum mark_place { AT_START, ANYWHERE, WHOLE_LINE, AT_START_NOCASE };

struct kind_mark {
    scored_kind kind;
    mark_place place;
    const char *text;
    int points;
};

const kind_mark MARKS[] = {
    {S_C, AT_START, "#include <", 2},        {S_C, AT_START, "#include \"", 2},   {S_C, AT_START, "#define ", 2},
    {S_C, AT_START, "#ifndef ", 1},          {S_C, AT_START, "#endif", 1},        {S_C, ANYWHERE, "printf(", 1},
    {S_C, ANYWHERE, "malloc(", 2},           {S_C, ANYWHERE, "sizeof(", 1},       {S_C, AT_START, "typedef ", 2},
    {S_C, AT_START, "struct ", 1},           {S_C, ANYWHERE, "NULL", 1},          {S_C, ANYWHERE, "int main(", 2},
    {S_C, AT_START, "static int ", 2},       {S_C, AT_START, "static void ", 2},  {S_C, ANYWHERE, "unsigned ", 1},
    {S_C, AT_START, "void ", 1},             {S_C, AT_START, "int ", 1},          {S_C, ANYWHERE, "->", 1},
    {S_C, AT_START, "return 0;", 1},         {S_C, AT_START, "#if", 1},           {S_C, AT_START, "static ", 1},
    {S_C, AT_START, "const ", 1},            {S_C, AT_START, "#include", 1},      {S_C, ANYWHERE, "char *", 2},
    {S_C, AT_START, "/*", 1},
    {S_CPP, AT_START, "#include <iostream>", 5}, {S_CPP, ANYWHERE, "std::", 3},   {S_CPP, AT_START, "namespace ", 2},
    {S_CPP, AT_START, "template", 3},        {S_CPP, WHOLE_LINE, "public:", 3},   {S_CPP, WHOLE_LINE, "private:", 3},
    {S_CPP, ANYWHERE, "nullptr", 3},         {S_CPP, ANYWHERE, "cout <<", 3},     {S_CPP, AT_START, "using namespace ", 4},
    {S_CPP, AT_START, "#include <", 1},      {S_CPP, ANYWHERE, "::", 1},          {S_CPP, AT_START, "class ", 1},
    {S_CSHARP, AT_START, "using System", 5}, {S_CSHARP, ANYWHERE, "Console.Write", 4}, {S_CSHARP, ANYWHERE, "{ get;", 4},
    {S_CSHARP, ANYWHERE, "static void Main(", 4}, {S_CSHARP, AT_START, "namespace ", 1}, {S_CSHARP, ANYWHERE, "string[] args", 2},
    {S_CSHARP, AT_START, "public class ", 1}, {S_CSHARP, AT_START, "[assembly:", 4},
    {S_JAVA, AT_START, "import java.", 5},   {S_JAVA, AT_START, "import javax.", 5}, {S_JAVA, ANYWHERE, "System.out.print", 5},
    {S_JAVA, ANYWHERE, "public static void main(String", 5}, {S_JAVA, AT_START, "@Override", 3},
    {S_JAVA, AT_START, "public class ", 2},  {S_JAVA, AT_START, "package ", 1},   {S_JAVA, ANYWHERE, "String[] args", 1},
    {S_PYTHON, AT_START, "def ", 2},         {S_PYTHON, AT_START, "import ", 1},  {S_PYTHON, AT_START, "from ", 1},
    {S_PYTHON, ANYWHERE, "self.", 2},        {S_PYTHON, AT_START, "elif ", 3},    {S_PYTHON, ANYWHERE, "__name__", 3},
    {S_PYTHON, ANYWHERE, "__init__", 3},     {S_PYTHON, AT_START, "print(", 1},   {S_PYTHON, ANYWHERE, " None", 1},
    {S_PYTHON, AT_START, "return ", 0},      {S_PYTHON, AT_START, "\"\"\"", 2},   {S_PYTHON, AT_START, "try:", 2},
    {S_PYTHON, AT_START, "except ", 3},      {S_PYTHON, AT_START, "with ", 1},    {S_PYTHON, AT_START, "raise ", 1},
    {S_SHELL, AT_START, "if [", 3},          {S_SHELL, WHOLE_LINE, "fi", 3},      {S_SHELL, ANYWHERE, "; then", 3},
    {S_SHELL, WHOLE_LINE, "esac", 3},        {S_SHELL, ANYWHERE, "$(", 1},        {S_SHELL, AT_START, "echo ", 1},
    {S_SHELL, AT_START, "export ", 2},       {S_SHELL, WHOLE_LINE, "done", 2},    {S_SHELL, ANYWHERE, "; do", 2},
    {S_SHELL, AT_START, "set -e", 3},        {S_SHELL, AT_START, "local ", 1},    {S_SHELL, ANYWHERE, "\"$@\"", 3},
    {S_SHELL, ANYWHERE, "2>/dev/null", 2},   {S_SHELL, AT_START, "case ", 1},
    {S_PERL, AT_START, "use strict;", 5},    {S_PERL, AT_START, "use warnings;", 5}, {S_PERL, AT_START, "my $", 3},
    {S_PERL, AT_START, "my @", 3},           {S_PERL, AT_START, "my %", 3},       {S_PERL, AT_START, "my (", 3},
    {S_PERL, AT_START, "sub ", 2},           {S_PERL, ANYWHERE, "=~", 2},         {S_PERL, ANYWHERE, "$_", 1},
    {S_PERL, ANYWHERE, "@ARGV", 3},          {S_PERL, WHOLE_LINE, "1;", 2},       {S_PERL, AT_START, "use ", 1},
    {S_PERL, AT_START, "=head1 ", 3},        {S_PERL, WHOLE_LINE, "=cut", 3},     {S_PERL, AT_START, "=pod", 3},
    {S_RUBY, AT_START, "require '", 2},      {S_RUBY, AT_START, "require_relative", 4}, {S_RUBY, AT_START, "puts ", 3},
    {S_RUBY, ANYWHERE, ".each do", 4},       {S_RUBY, ANYWHERE, " do |", 4},      {S_RUBY, AT_START, "attr_", 3},
    {S_RUBY, AT_START, "elsif ", 4},         {S_RUBY, AT_START, "module ", 2},    {S_RUBY, AT_START, "def ", 1},
    {S_RUBY, WHOLE_LINE, "end", 1},          {S_RUBY, ANYWHERE, ".nil?", 4},      {S_RUBY, AT_START, "unless ", 3},
    {S_PHP, ANYWHERE, "<?php", 10},          {S_PHP, ANYWHERE, "$this->", 4},     {S_PHP, AT_START, "echo $", 2},
    {S_JS, AT_START, "const ", 2},           {S_JS, AT_START, "let ", 2},         {S_JS, AT_START, "var ", 1},
    {S_JS, ANYWHERE, "=>", 1},               {S_JS, ANYWHERE, "console.log(", 3}, {S_JS, ANYWHERE, "require(", 2},
    {S_JS, ANYWHERE, "module.exports", 4},   {S_JS, ANYWHERE, "function(", 1},    {S_JS, AT_START, "function ", 1},
    {S_JS, ANYWHERE, "document.", 3},        {S_JS, ANYWHERE, "window.", 2},      {S_JS, AT_START, "export default", 2},
    {S_JS, ANYWHERE, " === ", 2},            {S_JS, ANYWHERE, " !== ", 2},        {S_JS, ANYWHERE, "undefined", 2},
    {S_JS, AT_START, "'use strict'", 4},     {S_JS, AT_START, "\"use strict\"", 4},
    {S_TS, AT_START, "interface ", 3},       {S_TS, AT_START, "export interface ", 4}, {S_TS, ANYWHERE, ": string", 3},
    {S_TS, ANYWHERE, ": number", 3},         {S_TS, ANYWHERE, ": boolean", 3},    {S_TS, AT_START, "type ", 1},
    {S_TS, ANYWHERE, "readonly ", 2},        {S_TS, AT_START, "import type ", 4}, {S_TS, ANYWHERE, ": void", 2},
    {S_GO, AT_START, "package ", 2},         {S_GO, WHOLE_LINE, "import (", 4},   {S_GO, AT_START, "func ", 3},
    {S_GO, ANYWHERE, ":= ", 2},              {S_GO, ANYWHERE, "fmt.", 4},         {S_GO, ANYWHERE, "err != nil", 5},
    {S_GO, AT_START, "defer ", 3},           {S_GO, ANYWHERE, " struct {", 2},    {S_GO, ANYWHERE, "chan ", 2},
    {S_RUST, AT_START, "fn ", 3},            {S_RUST, AT_START, "pub fn ", 4},    {S_RUST, AT_START, "use std::", 5},
    {S_RUST, AT_START, "let mut ", 5},       {S_RUST, AT_START, "impl ", 4},      {S_RUST, ANYWHERE, "println!(", 5},
    {S_RUST, ANYWHERE, "&str", 3},           {S_RUST, ANYWHERE, ".unwrap()", 4},  {S_RUST, AT_START, "#[", 3},
    {S_RUST, AT_START, "mod ", 2},           {S_RUST, AT_START, "pub struct ", 3}, {S_RUST, AT_START, "let ", 1},
    {S_LUA, AT_START, "local ", 3},          {S_LUA, AT_START, "elseif ", 4},     {S_LUA, ANYWHERE, " ~= ", 3},
    {S_LUA, AT_START, "--", 1},              {S_LUA, ANYWHERE, " then", 1},       {S_LUA, ANYWHERE, "pairs(", 3},
    {S_LUA, WHOLE_LINE, "end", 1},           {S_LUA, AT_START, "function ", 1},   {S_LUA, ANYWHERE, " .. ", 2},
    {S_LUA, ANYWHERE, " nil", 1},
    {S_SQL, AT_START_NOCASE, "CREATE TABLE", 5}, {S_SQL, AT_START_NOCASE, "INSERT INTO", 5},
    {S_SQL, AT_START_NOCASE, "SELECT ", 2},  {S_SQL, AT_START_NOCASE, "CREATE INDEX", 4},
    {S_SQL, AT_START_NOCASE, "BEGIN TRANSACTION", 4}, {S_SQL, AT_START_NOCASE, "COMMIT;", 4},
    {S_SQL, AT_START_NOCASE, "DROP TABLE", 4}, {S_SQL, AT_START_NOCASE, "ALTER TABLE", 4},
    {S_SQL, AT_START_NOCASE, "PRAGMA ", 4},  {S_SQL, AT_START_NOCASE, "CREATE ", 2},
    {S_SQL, AT_START_NOCASE, "WHERE ", 1},   {S_SQL, AT_START_NOCASE, "FROM ", 1},
    {S_SQL, AT_START_NOCASE, "CREATE FUNCTION", 4}, {S_SQL, AT_START_NOCASE, "CREATE OR REPLACE", 4},
    {S_SQL, AT_START_NOCASE, "CREATE VIEW", 4}, {S_SQL, AT_START_NOCASE, "RETURNS ", 2},
    {S_SQL, AT_START_NOCASE, "LANGUAGE ", 2}, {S_SQL, AT_START_NOCASE, "GRANT ", 3},
    {S_SQL, AT_START_NOCASE, "REVOKE ", 3}, {S_SQL, AT_START_NOCASE, "ALTER ", 2},
    {S_SQL, AT_START_NOCASE, "DROP ", 2},    {S_SQL, AT_START_NOCASE, "UPDATE ", 2},
    {S_SQL, AT_START_NOCASE, "DELETE FROM", 4}, {S_SQL, ANYWHERE, " VARCHAR", 3}, {S_SQL, ANYWHERE, " INTEGER", 1},
    {S_SQL, AT_START, "--", 1},
    {S_ELISP, AT_START, "(defun ", 5},       {S_ELISP, AT_START, "(setq ", 4},    {S_ELISP, AT_START, ";;;", 3},
    {S_ELISP, AT_START, "(require '", 5},    {S_ELISP, AT_START, "(provide '", 5}, {S_ELISP, AT_START, "(defvar ", 4},
    {S_ELISP, AT_START, "(defcustom ", 5},
    {S_AWK, AT_START, "BEGIN {", 4},         {S_AWK, AT_START, "END {", 4},       {S_AWK, ANYWHERE, "$0", 2},
    {S_AWK, AT_START, "BEGIN{", 4},          {S_AWK, ANYWHERE, "NR ", 1},
    {S_MAKE, AT_START, ".PHONY", 5},         {S_MAKE, AT_START, "ifeq ", 3},      {S_MAKE, AT_START, "ifneq ", 3},
    {S_MAKE, WHOLE_LINE, "endif", 2},        {S_MAKE, ANYWHERE, "$(", 1},         {S_MAKE, AT_START, "include ", 1},
    {S_MAKE, ANYWHERE, " := ", 2},           {S_MAKE, ANYWHERE, " ?= ", 3},       {S_MAKE, ANYWHERE, " += ", 1},
    {S_MAKE, ANYWHERE, "$@", 2},             {S_MAKE, ANYWHERE, "$<", 2},         {S_MAKE, AT_START, "override ", 3},
    {S_MAKE, ANYWHERE, "$(filter ", 3},      {S_MAKE, ANYWHERE, "$(patsubst ", 3}, {S_MAKE, ANYWHERE, "$(call ", 3},
    {S_MAKE, ANYWHERE, "$(shell ", 3},       {S_MAKE, ANYWHERE, "$(wildcard ", 3}, {S_MAKE, ANYWHERE, "$(foreach ", 3},
    {S_MAKE, AT_START, "include $(", 3},     {S_MAKE, ANYWHERE, "$(eval ", 3},
    {S_CMAKE, AT_START_NOCASE, "cmake_minimum_required(", 6}, {S_CMAKE, AT_START_NOCASE, "project(", 3},
    {S_CMAKE, AT_START_NOCASE, "add_executable(", 5}, {S_CMAKE, AT_START_NOCASE, "add_library(", 5},
    {S_CMAKE, AT_START_NOCASE, "target_link_libraries(", 5}, {S_CMAKE, AT_START_NOCASE, "set(", 2},
    {S_CMAKE, AT_START_NOCASE, "endif(", 3}, {S_CMAKE, AT_START_NOCASE, "foreach(", 2},
    {S_CMAKE, AT_START_NOCASE, "endforeach(", 4}, {S_CMAKE, AT_START_NOCASE, "include(", 2},
    {S_CMAKE, AT_START_NOCASE, "message(", 3}, {S_CMAKE, AT_START_NOCASE, "endfunction(", 4},
    {S_CMAKE, AT_START_NOCASE, "endmacro(", 4}, {S_CMAKE, AT_START_NOCASE, "find_package(", 5},
    {S_CMAKE, AT_START_NOCASE, "list(", 2},  {S_CMAKE, AT_START_NOCASE, "elseif(", 3},
    {S_CMAKE, AT_START_NOCASE, "else()", 3}, {S_CMAKE, AT_START_NOCASE, "string(", 2},
    {S_CMAKE, AT_START_NOCASE, "if(", 1},    {S_CMAKE, AT_START_NOCASE, "unset(", 3},
    {S_CMAKE, AT_START_NOCASE, "get_filename_component(", 5}, {S_CMAKE, AT_START_NOCASE, "function(", 2},
    {S_CMAKE, AT_START_NOCASE, "macro(", 2}, {S_CMAKE, AT_START, "#[[", 3},        {S_CMAKE, AT_START, "#[=", 8},
    {S_CMAKE, AT_START, "#]=", 8},
    {S_YAML, WHOLE_LINE, "---", 2},          {S_YAML, AT_START, "- ", 1},
    {S_TOML, AT_START, "[[", 3},
    {S_INI, AT_START, ";", 1},
    {S_MARKDOWN, AT_START, "# ", 1},         {S_MARKDOWN, AT_START, "## ", 2},    {S_MARKDOWN, AT_START, "### ", 3},
    {S_MARKDOWN, AT_START, "```", 4},        {S_MARKDOWN, ANYWHERE, "](", 3},     {S_MARKDOWN, ANYWHERE, "**", 1},
    {S_MARKDOWN, AT_START, "* ", 1},         {S_MARKDOWN, AT_START, "- ", 1},     {S_MARKDOWN, AT_START, "> ", 1},
    {S_MARKDOWN, AT_START, "1. ", 1},        {S_MARKDOWN, ANYWHERE, "<!--", 0},
    {S_RST, AT_START, ".. ", 3},             {S_RST, ANYWHERE, "``", 2},          {S_RST, ANYWHERE, ":ref:`", 4},
    {S_RST, AT_START, ":param ", 3},         {S_RST, ANYWHERE, "`_", 3},          {S_RST, AT_START, ".. code-block::", 4},
    {S_LATEX, AT_START, "\\documentclass", 8}, {S_LATEX, AT_START, "\\begin{", 3}, {S_LATEX, AT_START, "\\end{", 3},
    {S_LATEX, AT_START, "\\section{", 4},    {S_LATEX, AT_START, "\\usepackage", 5}, {S_LATEX, AT_START, "\\subsection{", 4},
    {S_LATEX, AT_START, "\\item ", 2},       {S_LATEX, AT_START, "\\label{", 2},  {S_LATEX, AT_START, "\\chapter{", 4},
    {S_LATEX, AT_START, "\\newcommand", 4},
    {S_TROFF, AT_START, ".TH ", 6},          {S_TROFF, AT_START, ".SH ", 4},      {S_TROFF, WHOLE_LINE, ".PP", 3},
    {S_TROFF, WHOLE_LINE, ".TP", 3},         {S_TROFF, AT_START, ".B ", 2},       {S_TROFF, AT_START, ".I ", 2},
    {S_TROFF, AT_START, ".\\\"", 3},         {S_TROFF, AT_START, "'\\\"", 3},     {S_TROFF, WHOLE_LINE, ".nf", 3},
    {S_TROFF, WHOLE_LINE, ".fi", 3},         {S_TROFF, WHOLE_LINE, ".LP", 3},     {S_TROFF, AT_START, ".IP", 2},
    {S_TROFF, AT_START, ".de ", 3},          {S_TROFF, AT_START, ".ft ", 2},      {S_TROFF, AT_START, ".SS ", 3},
    {S_OBJC, AT_START, "#import <", 4},      {S_OBJC, AT_START, "#import \"", 4}, {S_OBJC, AT_START, "@interface ", 5},
    {S_OBJC, AT_START, "@implementation ", 5}, {S_OBJC, WHOLE_LINE, "@end", 4},   {S_OBJC, AT_START, "@property", 4},
    {S_OBJC, AT_START, "@synthesize ", 4},   {S_OBJC, ANYWHERE, "[super ", 3},    {S_OBJC, ANYWHERE, "[self ", 3},
    {S_OBJC, ANYWHERE, "alloc] init", 4},    {S_OBJC, AT_START, "- (", 3},        {S_OBJC, AT_START, "+ (", 3},
    {S_OBJC, ANYWHERE, "NSString", 2},       {S_OBJC, AT_START, "@autoreleasepool", 5}, {S_OBJC, ANYWHERE, "@selector(", 4},
    {S_OBJC, ANYWHERE, "NSLog(@\"", 4},     {S_OBJC, ANYWHERE, " = [NS", 4},    {S_OBJC, ANYWHERE, "[[NS", 4},
    {S_MATLAB, AT_START, "% ", 2},           {S_MATLAB, AT_START, "%% ", 1},       {S_MATLAB, AT_START, "function [", 4},
    {S_MATLAB, ANYWHERE, "zeros(", 2},       {S_MATLAB, ANYWHERE, "disp(", 3},    {S_MATLAB, ANYWHERE, "numel(", 3},
    {S_MATLAB, ANYWHERE, "nargin", 4},       {S_MATLAB, ANYWHERE, "linspace(", 2}, {S_MATLAB, ANYWHERE, " = 1:", 3},
    {S_MATLAB, WHOLE_LINE, "endfunction", 2}, {S_MATLAB, WHOLE_LINE, "clc", 3},   {S_MATLAB, AT_START, "clear all", 3},
    {S_MATLAB, AT_START, "close all", 3},    {S_MATLAB, ANYWHERE, ".^", 3},       {S_MATLAB, ANYWHERE, ".*", 1},
    {S_MATLAB, ANYWHERE, "isempty(", 2},     {S_MATLAB, ANYWHERE, "plot(", 2},    {S_MATLAB, WHOLE_LINE, "end", 1},
    {S_MATLAB, ANYWHERE, "fprintf(", 1},     {S_MATLAB, ANYWHERE, "ones(", 1},
    {S_MODELICA, AT_START, "model ", 4},     {S_MODELICA, AT_START, "within ", 4}, {S_MODELICA, WHOLE_LINE, "equation", 5},
    {S_MODELICA, WHOLE_LINE, "initial equation", 5}, {S_MODELICA, AT_START, "parameter Real ", 5},
    {S_MODELICA, AT_START, "parameter ", 2}, {S_MODELICA, AT_START, "Real ", 3},   {S_MODELICA, ANYWHERE, " der(", 4},
    {S_MODELICA, AT_START, "connector ", 4}, {S_MODELICA, ANYWHERE, "Modelica.", 4}, {S_MODELICA, AT_START, "annotation", 2},
    {S_MODELICA, WHOLE_LINE, "algorithm", 3}, {S_MODELICA, AT_START, "block ", 2}, {S_MODELICA, AT_START, "record ", 2},
    {S_MODELICA, AT_START, "input Real", 4}, {S_MODELICA, AT_START, "output Real", 4}, {S_MODELICA, AT_START, "end ", 1},
    {S_MODELICA, AT_START, "import Modelica", 5}, {S_MODELICA, AT_START, "der(", 4},
};

// Modelica's classes close with their own name: "model Tank" ... "end Tank;".
bool modelica_class_closed(const text_view &view, size_t from)
{
    const char *prefixes[] = {"partial ", "encapsulated ", "replaceable ", "expandable ", "operator "};
    const char *classes[] = {"model ", "package ", "block ", "connector ", "record ", "function ", "class ", "type "};
    for (size_t i = from; i < view.line_count; ++i) {
        text_line t = trimmed(view.lines[i]);
        for (const char *prefix : prefixes)
            if (starts_with(t, prefix)) {
                t.start += std::strlen(prefix);
                t.length -= std::strlen(prefix);
            }
        size_t k = 0;
        for (const char *word : classes)
            if (starts_with(t, word)) k = std::strlen(word);
        if (k == 0) continue;
        size_t name_start = k;
        while (k < t.length && (is_word(t.start[k]) || t.start[k] == '.')) ++k;
        size_t n = k - name_start;
        if (n == 0 || n > 60) continue;
        char closing[72] = "end ";
        std::memcpy(closing + 4, t.start + name_start, n);
        closing[4 + n] = ';';
        closing[5 + n] = '\0';
        for (size_t j = i + 1; j < view.line_count; ++j)
            if (equals(trimmed(view.lines[j]), closing)) return true;
    }
    return false;
}

const unsigned char MARK_REPEATS = 3;

// The bytes a line holds, as a set: a mark whose first byte the line lacks is not looked for in it (the
// judge reads every line against every mark, so this is where its time goes).
struct byte_set {
    uint32_t bits[8];
};

void collect_bytes(const text_line &line, byte_set *set)
{
    std::memset(set->bits, 0, sizeof set->bits);
    for (size_t i = 0; i < line.length; ++i) {
        unsigned char c = static_cast<unsigned char>(line.start[i]);
        set->bits[c >> 5] |= 1u << (c & 31);
    }
}

bool has_byte(const byte_set &set, char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return (set.bits[u >> 5] & (1u << (u & 31))) != 0;
}

const size_t MARK_COUNT = sizeof MARKS / sizeof MARKS[0];

// The marks listed by their first byte, in three lists: those looked for at the start of a line (or as the
// whole line), those looked for there in either case (by the lower-case byte), and those looked for anywhere.
// The marks of list L with first byte B are order[L][begin[L][B]] up to order[L][begin[L][B + 1]].
enum mark_list_kind { LIST_AT_START, LIST_NOCASE_START, LIST_ANYWHERE, LIST_COUNT };

struct mark_buckets {
    uint16_t lengths[MARK_COUNT];
    uint16_t begin[LIST_COUNT][257];
    uint16_t order[LIST_COUNT][MARK_COUNT];
    unsigned char anywhere_bytes[256];  // the first bytes of the marks looked for anywhere
    int anywhere_byte_count;
};

void mark_list_of(const kind_mark &mark, int *list, unsigned char *first)
{
    *first = static_cast<unsigned char>(mark.text[0]);
    switch (mark.place) {
    case AT_START:
    case WHOLE_LINE: *list = LIST_AT_START; break;
    case AT_START_NOCASE:
        *list = LIST_NOCASE_START;
        *first = static_cast<unsigned char>(lower_of(mark.text[0]));
        break;
    case ANYWHERE: *list = LIST_ANYWHERE; break;
    }
}

void make_mark_buckets(mark_buckets *b)
{
    std::memset(b, 0, sizeof *b);
    int list = 0;
    unsigned char first = 0;
    // Count the marks of each first byte, turn the counts into starts, then place the marks.
    for (size_t m = 0; m < MARK_COUNT; ++m) {
        b->lengths[m] = static_cast<uint16_t>(std::strlen(MARKS[m].text));
        mark_list_of(MARKS[m], &list, &first);
        ++b->begin[list][first + 1];
    }
    for (int l = 0; l < LIST_COUNT; ++l)
        for (int c = 0; c < 256; ++c) b->begin[l][c + 1] = static_cast<uint16_t>(b->begin[l][c + 1] + b->begin[l][c]);
    uint16_t next[LIST_COUNT][256];
    for (int l = 0; l < LIST_COUNT; ++l) std::memcpy(next[l], b->begin[l], sizeof next[l]);
    for (size_t m = 0; m < MARK_COUNT; ++m) {
        mark_list_of(MARKS[m], &list, &first);
        b->order[list][next[list][first]++] = static_cast<uint16_t>(m);
    }
    for (int c = 0; c < 256; ++c)
        if (b->begin[LIST_ANYWHERE][c + 1] > b->begin[LIST_ANYWHERE][c])
            b->anywhere_bytes[b->anywhere_byte_count++] = static_cast<unsigned char>(c);
}

// `length` is the mark's text length.
bool mark_found(const text_line &line, const byte_set &bytes, const kind_mark &mark, size_t length)
{
    if (length == 0 || length > line.length) return false;
    const char first = mark.text[0];
    switch (mark.place) {
    case AT_START: return line.start[0] == first && std::memcmp(line.start, mark.text, length) == 0;
    case AT_START_NOCASE: return lower_of(line.start[0]) == lower_of(first) && starts_with_nocase(line, mark.text);
    case WHOLE_LINE: return line.length == length && std::memcmp(line.start, mark.text, length) == 0;
    case ANYWHERE:
        if (!has_byte(bytes, first)) return false;
        for (size_t i = 0; i + length <= line.length; ++i)
            if (line.start[i] == first && std::memcmp(line.start + i, mark.text, length) == 0) return true;
        return false;
    }
    return false;
}

// "key: value" (YAML), "key = value" (TOML, INI) and "[section]" lines; a Makefile's rules with their
// tab-indented recipes; a reStructuredText title's underline.
void score_line_shapes(const text_view &view, size_t from, int *points)
{
    int quoted_values = 0, plain_values = 0, neutral_values = 0, sections = 0, headings = 0;
    int rules = 0, underlines = 0, fields = 0;  // each counted at most three times, like the marks
    int yaml_lines = 0, content_lines = 0, list_items = 0;
    for (size_t i = from; i < view.line_count; ++i) {
        const text_line &raw = view.lines[i];
        text_line line = trimmed(raw);
        if (line.length == 0) continue;
        if (line.start[0] != '#') ++content_lines;
        if (starts_with(line, "- ")) ++list_items;
        // [section]
        if (line.start[0] == '[' && line.start[line.length - 1] == ']' && line.length > 2 && line.start[1] != '[') {
            size_t k = 1;
            while (k + 1 < line.length && (is_word(line.start[k]) || line.start[k] == '.' || line.start[k] == '-' ||
                                           line.start[k] == ' ' || line.start[k] == '"'))
                ++k;
            if (k + 1 == line.length) ++sections;
        }
        // key = value / key: value
        size_t k = 0;
        while (k < line.length && (is_word(line.start[k]) || line.start[k] == '.' || line.start[k] == '-')) ++k;
        if (k > 0 && is_letter(line.start[0])) {
            size_t after = k;
            while (after < line.length && line.start[after] == ' ') ++after;
            if (after < line.length && line.start[after] == '=' && (after + 1 >= line.length || line.start[after + 1] != '=')) {
                size_t v = after + 1;
                while (v < line.length && line.start[v] == ' ') ++v;
                char c = v < line.length ? line.start[v] : '\0';
                bool typed = c == '"' || c == '\'' || c == '[' || c == '{' ||
                             (line.length - v == 4 && std::memcmp(line.start + v, "true", 4) == 0) ||
                             (line.length - v == 5 && std::memcmp(line.start + v, "false", 5) == 0);
                // Numbers and dates read alike in both; quoted strings and arrays are TOML's, bare words INI's.
                if (typed) ++quoted_values;
                else if (is_digit(c) || c == '-') ++neutral_values;
                else ++plain_values;
            }
            if (k == after && after < line.length && line.start[after] == ':' && raw.start[0] != '\t' &&
                (after + 1 == line.length || line.start[after + 1] == ' '))
                ++yaml_lines;
        }
        // Makefile rule: "target: prerequisites" followed by a tab-indented recipe line.
        if (raw.length > 0 && raw.start[0] == '\t' && i > 0) {
            const text_line &previous = view.lines[i - 1];
            if (contains(previous, ":") && !contains(previous, "=") && previous.length > 0 &&
                !is_space(previous.start[0]) && rules < 3) {
                points[S_MAKE] += 5;
                ++rules;
            }
        }
        // reStructuredText: an underline of one repeated mark as long as the title above it.
        if (i > 0 && line.length >= 3 && (line.start[0] == '=' || line.start[0] == '-' || line.start[0] == '~' ||
                                          line.start[0] == '^' || line.start[0] == '*')) {
            bool same = true;
            for (size_t m = 1; m < line.length; ++m) same = same && line.start[m] == line.start[0];
            text_line title = trimmed(view.lines[i - 1]);
            // The underline spans the title's columns: between its character count and its byte count (a
            // wide character takes two columns and two or three bytes).
            size_t characters = 0;
            for (size_t m = 0; m < title.length; ++m)
                if ((static_cast<unsigned char>(title.start[m]) & 0xC0) != 0x80) ++characters;
            bool title_like = title.length > 0 && (is_letter(title.start[0]) || static_cast<unsigned char>(title.start[0]) >= 0x80);
            if (same && title_like && line.length >= characters && line.length <= title.length && underlines < 3) {
                points[S_RST] += 3;
                ++underlines;
            }
        }
        // Markdown headings stand alone between empty lines (a comment line sits among code lines).
        if (line.length > 2 && line.start[0] == '#' && headings < 3) {
            size_t m = 0;
            while (m < line.length && line.start[m] == '#') ++m;
            bool blank_before = i == from || is_blank(view.lines[i - 1]);
            bool blank_after = i + 1 >= view.line_count || is_blank(view.lines[i + 1]);
            if (m <= 6 && m < line.length && line.start[m] == ' ' && blank_before && blank_after) {
                points[S_MARKDOWN] += 3;
                ++headings;
            }
        }
        // reStructuredText field lists: ":Name: value".
        if (line.length > 3 && line.start[0] == ':' && is_letter(line.start[1])) {
            size_t m = 1;
            while (m < line.length && (is_word(line.start[m]) || line.start[m] == ' ')) ++m;
            if (m < line.length && line.start[m] == ':' && (m + 1 == line.length || line.start[m + 1] == ' ') &&
                fields < 3) {
                points[S_RST] += 2;
                ++fields;
            }
        }
    }
    // YAML: most lines are "key: value" or list items (prose and programs have such lines here and there).
    if ((yaml_lines + list_items) * 3 >= content_lines * 2) points[S_YAML] += 2 * (yaml_lines < 10 ? yaml_lines : 10);
    points[S_YAML] -= sections * 3;
    // TOML and INI are sections of "key = value" lines; without a section, such lines are a program's.
    if (sections > 0 && quoted_values + plain_values + neutral_values >= 2) {
        points[S_TOML] += sections * 2 + quoted_values * 2 + neutral_values - plain_values * 2;
        points[S_INI] += sections * 2 + plain_values * 2 + neutral_values - quoted_values * 2;
    }
}

uint32_t kind_by_marks(const text_view &view)
{
    int points[S_COUNT] = {};
    // A mark counts at most MARK_REPEATS times: a long run of one kind of line (comments) is one piece of
    // evidence, not many.
    const size_t mark_count = sizeof MARKS / sizeof MARKS[0];
    unsigned char seen[mark_count] = {};
    // Made on the first judgement; like the text buffers, the lists are the library's own (it judges one
    // file at a time).
    static mark_buckets buckets;
    static bool buckets_made = false;
    if (!buckets_made) {
        make_mark_buckets(&buckets);
        buckets_made = true;
    }
    // A block of YAML front matter ("---" lines around it) heads many Markdown texts: the text after it
    // decides. A YAML text of several documents is still YAML after its first one.
    size_t from = 0;
    if (view.line_count > 0 && equals(view.lines[0], "---")) {
        size_t end = 1;
        while (end < view.line_count && !equals(view.lines[end], "---") && !equals(view.lines[end], "...")) ++end;
        size_t after = end + 1;
        while (after < view.line_count && is_blank(view.lines[after])) ++after;
        if (end < view.line_count && after < view.line_count) from = end + 1;
    }
    // A Python module often opens with a docstring written in reStructuredText or Markdown: the code after
    // it decides, and the docstring itself is Python's evidence.
    size_t docstring = first_content_line(view);
    if (from == 0 && docstring < view.line_count) {
        text_line t = trimmed(view.lines[docstring]);
        size_t skip = 0;
        while (skip < t.length && skip < 2 && (t.start[skip] == 'r' || t.start[skip] == 'u' || t.start[skip] == 'b'))
            ++skip;
        const char *quote = nullptr;
        if (t.length >= skip + 3 && std::memcmp(t.start + skip, "\"\"\"", 3) == 0) quote = "\"\"\"";
        if (t.length >= skip + 3 && std::memcmp(t.start + skip, "'''", 3) == 0) quote = "'''";
        if (quote != nullptr) {
            text_line rest = {t.start + skip + 3, t.length - skip - 3};
            size_t end = docstring;
            if (!contains(rest, quote)) {
                end = docstring + 1;
                while (end < view.line_count && !contains(view.lines[end], quote)) ++end;
            }
            size_t after = end + 1;
            while (after < view.line_count && is_blank(view.lines[after])) ++after;
            if (end < view.line_count && after < view.line_count) {
                from = after;
                points[S_PYTHON] += 2;
            }
        }
    }
    // Kinds that share most of their words with others count only with a sign of their own: MATLAB's named
    // outputs or its "%" comments among statements, Objective-C's class blocks or imports, Modelica's closed
    // classes.
    bool matlab_own = false, objc_own = false;
    int matlab_comments = 0, statements = 0;
    for (size_t i = from; i < view.line_count; ++i) {
        text_line line = trimmed(view.lines[i]);
        if (line.length == 0) continue;
        byte_set bytes;
        collect_bytes(line, &bytes);
        // The marks that can start the line, then those whose first byte the line holds somewhere.
        unsigned char first = static_cast<unsigned char>(line.start[0]);
        unsigned char first_lower = static_cast<unsigned char>(lower_of(line.start[0]));
        auto look_for = [&](int list, int byte) {
            for (uint16_t k = buckets.begin[list][byte]; k < buckets.begin[list][byte + 1]; ++k) {
                size_t m = buckets.order[list][k];
                if (seen[m] >= MARK_REPEATS || !mark_found(line, bytes, MARKS[m], buckets.lengths[m])) continue;
                ++seen[m];
                points[MARKS[m].kind] += MARKS[m].points;
            }
        };
        look_for(LIST_AT_START, first);
        look_for(LIST_NOCASE_START, first_lower);
        for (int k = 0; k < buckets.anywhere_byte_count; ++k)
            if (has_byte(bytes, static_cast<char>(buckets.anywhere_bytes[k]))) look_for(LIST_ANYWHERE, buckets.anywhere_bytes[k]);
        // MATLAB's functions name their outputs: "function y = f(x)".
        if (starts_with(line, "function ")) {
            size_t k = 9;
            while (k < line.length && line.start[k] != '(' && line.start[k] != '=') ++k;
            if (k < line.length && line.start[k] == '=') {
                points[S_MATLAB] += 4;
                matlab_own = true;
            }
        }
        // MATLAB's statements end with ";" so as not to print their values.
        if (line.start[0] == '%') ++matlab_comments;
        if (line.start[line.length - 1] == ';') ++statements;
        if (starts_with(line, "@interface") || starts_with(line, "@implementation") || starts_with(line, "#import") ||
            equals(line, "@end") || contains(line, "= [NS") || contains(line, "[[NS"))
            objc_own = true;
        // Python's block openers: a keyword at the start and a colon at the end.
        const char *openers[] = {"if ", "for ", "while ", "else:", "elif ", "try:", "except", "def ", "class ", "with "};
        if (line.start[line.length - 1] == ':')
            for (const char *opener : openers)
                if (starts_with(line, opener)) points[S_PYTHON] += 1;
    }
    score_line_shapes(view, from, points);
    if (!matlab_own && (matlab_comments == 0 || statements < 2)) points[S_MATLAB] = 0;
    if (!objc_own) points[S_OBJC] = 0;
    if (points[S_MODELICA] > 0) {
        if (modelica_class_closed(view, from)) points[S_MODELICA] += 6;
        else points[S_MODELICA] = 0;
    }
    // A licence tag in a "#" comment heads scripts and sources, never a Markdown text (which would hide it
    // in an HTML comment): its "#" lines are comments, not headings.
    for (size_t i = from; i < view.line_count && i < from + 5; ++i)
        if (starts_with(trimmed(view.lines[i]), "# SPDX-License-Identifier:")) points[S_MARKDOWN] = 0;
    // TypeScript is JavaScript with types: it needs its own marks on top of JavaScript's.
    if (points[S_TS] >= 6 && points[S_JS] >= 4) points[S_TS] += points[S_JS];
    else points[S_TS] = 0;
    // C++ shares C's marks; its own ones decide.
    if (points[S_CPP] >= 6) points[S_CPP] += points[S_C] / 2;
    // So does Objective-C, whose own marks are its messages and its "@" words.
    if (points[S_OBJC] >= 8) points[S_OBJC] += points[S_C] / 2;

    int best = -1, second = -1;
    for (int k = 0; k < S_COUNT; ++k) {
        if (best < 0 || points[k] > points[best]) {
            second = best;
            best = k;
        } else if (second < 0 || points[k] > points[second]) {
            second = k;
        }
    }
    // Clearly ahead: enough evidence, and half as much again as the runner-up.
    if (points[best] < 8) return TEXT_UNKNOWN;
    if (second >= 0 && points[best] * 2 < points[second] * 3) return TEXT_UNKNOWN;
    return SCORED_CODES[best];
}

}  // namespace

uint32_t judge_text_bytes(const char *bytes, size_t size)
{
    if (bytes == nullptr) return TEXT_UNKNOWN;
    if (size > TEXT_JUDGE_READ) size = TEXT_JUDGE_READ;
    // A UTF-8 byte order mark is not part of the text.
    if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) {
        bytes += 3;
        size -= 3;
    }
    if (!looks_like_text(bytes, size)) return TEXT_UNKNOWN;
    static text_view view;  // 16 KB of line records: kept off the caller's stack
    view.bytes = bytes;
    view.size = size;
    split_lines(&view);
    if (view.line_count == 0) {  // one line longer than the read: only JSON has a shape that shows in it
        uint32_t json = kind_of_json(bytes, size);
        return json != 0 ? json : TEXT_UNKNOWN;
    }

    size_t first = first_content_line(view);
    if (first < view.line_count) {
        uint32_t kind = kind_of_shebang(view.lines[first]);
        if (kind != 0) return kind;
        text_line t = trimmed(view.lines[first]);
        if (t.length > 0 && t.start[0] == '<') {
            if (starts_with(t, "<?php")) return TEXT_PHP;
            kind = kind_of_xml(bytes, size);
            return kind != 0 ? kind : TEXT_UNKNOWN;  // other XML and HTML: the dataset's own readers
        }
    }
    uint32_t kind = kind_of_json(bytes, size);
    if (kind == 0) kind = kind_of_message(view);
    if (kind == 0) kind = kind_of_patch(view);
    if (kind == 0) kind = kind_of_catalog(view);
    if (kind == 0) kind = kind_of_records(view);
    if (kind == 0) kind = kind_of_bracket_comment(view);
    if (kind == 0) kind = kind_of_graph(view);
    if (kind == 0) kind = kind_of_disc_toc(view);
    if (kind == 0) kind = kind_of_subtitles(view);
    if (kind == 0) kind = kind_of_program_text(view);
    if (kind == 0) kind = kind_of_log(view);
    if (kind == 0) kind = kind_by_marks(view);
    // A table only when the words say nothing clear: an SQL dump's INSERT lines also have equal commas.
    if (kind == TEXT_UNKNOWN) {
        uint32_t table = kind_of_table(view);
        if (table != 0) kind = table;
    }
    return kind;
}

uint32_t judge_text_kind(HANDLE file)
{
    static char buffer[TEXT_JUDGE_READ];
    // The dataset asks twice for every text (its types fill two definitions): the answer is a function of
    // the bytes read alone, so the same bytes as last time get the last answer without a second reading.
    static char last_bytes[TEXT_JUDGE_READ];
    static DWORD last_size = 0;
    static uint32_t last_kind = 0;
    DWORD got = 0;
    if (!ReadFile(file, buffer, static_cast<DWORD>(sizeof buffer), &got, nullptr)) return TEXT_UNKNOWN;
    if (last_kind != 0 && got == last_size && std::memcmp(buffer, last_bytes, got) == 0) return last_kind;
    uint32_t kind = judge_text_bytes(buffer, got);
    std::memcpy(last_bytes, buffer, got);
    last_size = got;
    last_kind = kind;
    return kind;
}
