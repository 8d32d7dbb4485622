// What kind of text a file holds, from what its text says: program sources, build files, data texts, XML
// dialects, documentation texts, translation catalogs, messages, patches and logs, and the texts of particular
// programs (graphs, queries, subtitles, disc layouts, profiles). Reads at most the first TEXT_JUDGE_READ bytes;
// a file with a zero byte or many control bytes is not text.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

const size_t TEXT_JUDGE_READ = 32768;  // long licence and documentation comments come first

// result_b codes reported by the text judge (result_a is 0).
const uint32_t TEXT_UNKNOWN = 1;  // not text, or text of no kind told here (plain text, generic XML, HTML)
const uint32_t TEXT_C = 0x5101;
const uint32_t TEXT_CPP = 0x5102;
const uint32_t TEXT_CSHARP = 0x5103;
const uint32_t TEXT_JAVA = 0x5104;
const uint32_t TEXT_PYTHON = 0x5105;
const uint32_t TEXT_SHELL = 0x5106;
const uint32_t TEXT_PERL = 0x5107;
const uint32_t TEXT_RUBY = 0x5108;
const uint32_t TEXT_PHP = 0x5109;
const uint32_t TEXT_JAVASCRIPT = 0x510A;
const uint32_t TEXT_TYPESCRIPT = 0x510B;
const uint32_t TEXT_GO = 0x510C;
const uint32_t TEXT_RUST = 0x510D;
const uint32_t TEXT_LUA = 0x510E;
const uint32_t TEXT_SQL = 0x510F;
const uint32_t TEXT_ELISP = 0x5110;
const uint32_t TEXT_AWK = 0x5111;
const uint32_t TEXT_MAKEFILE = 0x5201;
const uint32_t TEXT_CMAKE = 0x5202;
const uint32_t TEXT_RPM_SPEC = 0x5203;
const uint32_t TEXT_CSV = 0x5301;
const uint32_t TEXT_TSV = 0x5302;
const uint32_t TEXT_JSON = 0x5303;
const uint32_t TEXT_YAML = 0x5304;
const uint32_t TEXT_TOML = 0x5305;
const uint32_t TEXT_INI = 0x5306;
const uint32_t TEXT_NOTEBOOK = 0x5307;
const uint32_t TEXT_LDIF = 0x5308;
const uint32_t TEXT_BIBTEX = 0x5309;
const uint32_t TEXT_XHTML = 0x5401;
const uint32_t TEXT_RSS = 0x5402;
const uint32_t TEXT_ATOM = 0x5403;
const uint32_t TEXT_OPML = 0x5404;
const uint32_t TEXT_DOCBOOK = 0x5405;
const uint32_t TEXT_FICTIONBOOK = 0x5406;
const uint32_t TEXT_XSLT = 0x5407;
const uint32_t TEXT_XSPF = 0x5408;
const uint32_t TEXT_XBEL = 0x5409;
const uint32_t TEXT_XLIFF = 0x540A;
const uint32_t TEXT_METALINK = 0x540B;
const uint32_t TEXT_SMIL = 0x540C;
const uint32_t TEXT_TTX = 0x540D;
const uint32_t TEXT_UI = 0x540E;
const uint32_t TEXT_MARKDOWN = 0x5501;
const uint32_t TEXT_RST = 0x5502;
const uint32_t TEXT_LATEX = 0x5503;
const uint32_t TEXT_TROFF = 0x5504;
const uint32_t TEXT_PO = 0x5601;
const uint32_t TEXT_POT = 0x5602;
const uint32_t TEXT_MAIL = 0x5701;
const uint32_t TEXT_NEWS = 0x5702;
const uint32_t TEXT_MBOX = 0x5703;
const uint32_t TEXT_PATCH = 0x5801;
const uint32_t TEXT_LOG = 0x5802;
const uint32_t TEXT_UUENCODE = 0x5803;
// Kinds scored on the dataset's second text reader (one reader scores at most 50 types): XML dialects of
// particular programs, texts of programs, subtitles and lists.
const uint32_t TEXT_GLADE = 0x5901;
const uint32_t TEXT_JNLP = 0x5902;
const uint32_t TEXT_SYSTEM_PROFILE = 0x5903;
const uint32_t TEXT_JSON_SCHEMA = 0x5904;
const uint32_t TEXT_LINGUIST = 0x5905;
const uint32_t TEXT_QML = 0x5906;
const uint32_t TEXT_TXT2TAGS = 0x5907;
const uint32_t TEXT_OWL = 0x5908;
const uint32_t TEXT_GRAPHVIZ = 0x5909;
const uint32_t TEXT_SPARQL = 0x590A;
const uint32_t TEXT_SAMI = 0x590B;
const uint32_t TEXT_MICRODVD = 0x590C;
const uint32_t TEXT_MPL2 = 0x590D;
const uint32_t TEXT_MPSUB = 0x590E;
const uint32_t TEXT_SUBVIEWER = 0x590F;
const uint32_t TEXT_MRML = 0x5910;
const uint32_t TEXT_NZB = 0x5911;
const uint32_t TEXT_DIA_SHAPE = 0x5912;
const uint32_t TEXT_CDRDAO_TOC = 0x5913;
const uint32_t TEXT_VPN_PROFILE = 0x5914;
const uint32_t TEXT_OBJC = 0x5915;
const uint32_t TEXT_MATLAB = 0x5916;
const uint32_t TEXT_MODELICA = 0x5917;

// The kind code of the first `size` bytes of a file (at most TEXT_JUDGE_READ are looked at).
uint32_t judge_text_bytes(const char *bytes, size_t size);

// The kind code of an open file.
uint32_t judge_text_kind(HANDLE file);
