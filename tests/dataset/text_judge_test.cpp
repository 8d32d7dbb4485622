// judgext_text.dll, loaded by its export names as the program loads it: its identity, its kinds for the real
// samples, and its answers for texts written here, one per rule, with the texts it must leave alone.
#include "judge_library_fixture.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const uint16_t TEXT_JUDGE_ID = 40003;
const uint32_t UNKNOWN = 1;

class TextJudge : public judge_library_test {
protected:
    TextJudge() : judge_library_test("judgext_text.dll", TEXT_JUDGE_ID, "text_judge") {}

    uint32_t judge_text(const std::string &name, const std::string &bytes)
    {
        std::string path = folder + name;
        EXPECT_TRUE(write_file_bytes(path, std::vector<unsigned char>(bytes.begin(), bytes.end())));
        return judge(path);
    }

};

TEST_F(TextJudge, ReportsItsIdentity)
{
    judge_library_info info;
    std::memset(&info, 0xAB, sizeof info);
    ASSERT_EQ(entry(nullptr, &info), 1);
    EXPECT_EQ(info.library_id, TEXT_JUDGE_ID);
    EXPECT_EQ(info.zero, 0);
    EXPECT_EQ(info.zero_tail, 0);
    EXPECT_STREQ(info.description, "Text Judge for KRVFB");
}

TEST_F(TextJudge, DeclinesAHeaderOfAnotherLibraryAndKeepsOffWhenSwitchedOff)
{
    std::string path = folder + "script";
    std::string text = "#!/bin/sh\necho hello\n";
    ASSERT_TRUE(write_file_bytes(path, std::vector<unsigned char>(text.begin(), text.end())));
    int32_t returned = -1;
    EXPECT_EQ(judge(path, 40002, 1, &returned), 0u);
    EXPECT_EQ(returned, 0);
    EXPECT_EQ(judge(path, TEXT_JUDGE_ID, 0, &returned), 0u);
    EXPECT_EQ(returned, 1);
    EXPECT_EQ(judge(folder + "missing", TEXT_JUDGE_ID, 1, &returned), 0u);
    EXPECT_EQ(returned, 0);
    EXPECT_EQ(judge(path, TEXT_JUDGE_ID, 1, &returned), 0x5106u);
    EXPECT_EQ(returned, 1);
}

TEST_F(TextJudge, KindsOfTheRealSamples)
{
    const struct {
        const char *sample;
        uint32_t kind;
    } cases[] = {
        {"c_zlib_example", 0x5101},    {"cpp_source", 0x5102},       {"csharp_source", 0x5103},
        {"java_source", 0x5104},       {"python_module", 0x5105},    {"script_sh", 0x5106},
        {"perl_module", 0x5107},       {"script_ruby", 0x5108},      {"javascript_source", 0x510A},
        {"typescript_source", 0x510B}, {"go_source", 0x510C},       {"rust_source", 0x510D},
        {"lua_pandoc_writer", 0x510E}, {"sql_sqlite_dump", 0x510F},  {"awk_mawk_example", 0x5111},
        {"makefile_dpkg", 0x5201},     {"cmake_module", 0x5202},     {"rpm_spec", 0x5203},
        {"csv_sqlite", 0x5301},        {"tsv_sqlite", 0x5302},       {"json_object", 0x5303},
        {"yaml_pandoc_translation", 0x5304}, {"toml_config", 0x5305}, {"ini_configparser", 0x5306},
        {"ipynb_pandoc", 0x5307},      {"bibtex_pandoc", 0x5309},    {"xhtml_pandoc", 0x5401},
        {"opml_pandoc", 0x5404},       {"docbook_pandoc", 0x5405},   {"fictionbook_pandoc", 0x5406},
        {"ttx_fonttools", 0x540D},     {"markdown_pandoc", 0x5501},  {"rst_pandoc", 0x5502},
        {"latex_pandoc", 0x5503},      {"troff_man_pandoc", 0x5504}, {"po_msginit", 0x5601},
        {"pot_xgettext", 0x5602},      {"eml_received", 0x5701},     {"mbox_python", 0x5703},
        {"patch_diff", 0x5801},        {"log_python_logging", 0x5802}, {"uuencode_classic", 0x5803},
        {"glade_gtk3", 0x540E},        {"glade_libglade", 0x5901},   {"glade_libglade_gnome", 0x5901},   {"jnlp_applet", 0x5902},
        {"spx_hardware", 0x5903},      {"json_schema_gdal", 0x5904}, {"json_schema_2020", 0x5904},
        {"linguist_lupdate", 0x5905},  {"qml_window", 0x5906},       {"qml_component", 0x5906},
        {"txt2tags_package", 0x5907},  {"owl_xml_prefixed", 0x5908}, {"graphviz_dot_canon", 0x5909},
        {"graphviz_gvgen_tree", 0x5909}, {"graphviz_strict_graph", 0x5909}, {"sparql_roqet", 0x590A},
        {"sparql_titles", 0x590A},     {"sami_captions", 0x590B},    {"sami_lowercase", 0x590B},
        {"microdvd_frame_rate", 0x590C}, {"mpl2_lines", 0x590D},     {"mpsub_time", 0x590E},
        {"mpsub_frames", 0x590E},      {"subviewer_information", 0x590F}, {"subviewer_timings", 0x590F},
        {"mrml_properties", 0x5910},   {"nzb_with_head", 0x5911},    {"dia_shape_optics", 0x5912},
        {"cdrdao_toc_audio", 0x5913},  {"cdrdao_toc_cd_text", 0x5913}, {"pcf_group_auth", 0x5914},
        {"pcf_locked", 0x5914},        {"objc_program", 0x5915},     {"objc_view", 0x5915},
        {"matlab_function", 0x5916},   {"matlab_script", 0x5916},    {"modelica_model", 0x5917},
        {"modelica_package", 0x5917},
        // Plain text, HTML5, generic XML and binary files are left to the dataset's other readers; so are the
        // texts whose first bytes the dataset reads itself (LyX, registry files).
        {"lyx_article", UNKNOWN},      {"reg_version5_utf16", UNKNOWN}, {"eps_ghostscript", UNKNOWN},
        {"txt_ascii", UNKNOWN},        {"txt_utf8", UNKNOWN},        {"html5_pandoc", UNKNOWN},
        {"xml_catalog", UNKNOWN},      {"png_rgb", UNKNOWN},         {"zip_deflate", UNKNOWN},
    };
    for (const auto &c : cases) {
        std::string path = std::string(QUODRA_SOURCE_DIR) + "/tests/samples/" + c.sample;
        if (!file_exists(path)) continue;  // the sample set may lack one; the others still count
        EXPECT_EQ(judge(path), c.kind) << c.sample;
    }
}

// One text per rule that decides a kind before the words are counted.
TEST_F(TextJudge, KindsWithAFixedShape)
{
    const struct {
        const char *name;
        std::string text;
        uint32_t kind;
    } cases[] = {
        {"env_python", "#!/usr/bin/env python3\nprint('x')\n", 0x5105},
        {"env_with_option", "#!/usr/bin/env -S node --harmony\nx\n", 0x510A},
        {"versioned_perl", "#!/usr/bin/perl5.36\n", 0x5107},
        {"unknown_interpreter", "#!/usr/bin/frobnicate\nhello world\n", UNKNOWN},
        {"bom_shell", "\xEF\xBB\xBF#!/bin/bash\necho hi\n"s, 0x5106},
        {"php", "<?php\necho 'x';\n", 0x5109},
        {"rss", "<?xml version=\"1.0\"?>\n<!-- feed -->\n<rss version=\"2.0\"><channel/></rss>\n", 0x5402},
        {"atom", "<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>x</title></feed>", 0x5403},
        {"atom_without_namespace", "<feed><title>x</title></feed>", UNKNOWN},
        {"xslt", "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"/>", 0x5407},
        {"xspf", "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\"><trackList/></playlist>", 0x5408},
        {"docbook_by_doctype",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE article PUBLIC \"-//OASIS//DTD DocBook XML V4.5//EN\" \"x.dtd\" [\n"
         "<!ENTITY a \"b\">\n]>\n<article><title>x</title></article>\n",
         0x5405},
        {"html5_in_xml_style", "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"><body/></html>", UNKNOWN},
        {"smil", "<smil xmlns=\"http://www.w3.org/ns/SMIL\"><body/></smil>", 0x540C},
        {"windows_media_playlist", "<?wpl version=\"1.0\"?>\n<smil><body/></smil>", UNKNOWN},
        {"gtk_builder", "<?xml version=\"1.0\"?>\n<interface>\n<object class=\"GtkWindow\"/>\n</interface>\n", 0x540E},
        {"unterminated_comment", "<!-- never closed", UNKNOWN},
        {"json_cut_off", "{\"a\": [1, 2, {\"b\": \"c" + std::string(9000, 'x'), 0x5303},
        {"json_with_tail", "{\"a\": 1} trailing words\n", UNKNOWN},
        {"notebook", "{\"cells\": [], \"nbformat\": 4, \"metadata\": {}}\n", 0x5307},
        {"mail", "From: a@example.com\nTo: b@example.com\nSubject: hi\n\nbody\n", 0x5701},
        {"news", "From: a@example.com\nNewsgroups: comp.lang.c\nSubject: hi\n\nbody\n", 0x5702},
        {"mbox", "From a@example.com Tue Nov 14 22:13:20 2023\nFrom: a@example.com\nSubject: x\n\nbody\n", 0x5703},
        {"header_without_body", "From: a@example.com\nSubject: hi\n", UNKNOWN},
        {"context_diff", "*** a.txt\n--- b.txt\n***************\n*** 1 ****\n", 0x5801},
        {"ldif", "version: 1\n\ndn: cn=x,dc=example,dc=com\nobjectClass: person\ncn: x\n", 0x5308},
        {"syslog", "Nov 14 22:13:20 host cron[1]: start\nNov 14 22:13:21 host cron[1]: stop\n"
                   "Nov 14 22:13:22 host kernel: x\n",
         0x5802},
        {"cmake_bracket_comment", "#[=======================================================================[.rst:\n"
                                  "Module\n------\n\nText of the module.\n#]=======================================================================]\n",
         0x5202},
        {"bibtex_entry", "@Article{knuth84,\n  author = {Donald Knuth},\n  year = 1984\n}\n", 0x5309},
        {"python_decorators_are_not_bibtex",
         "import functools\n\n@functools.cache\ndef f(x):\n    return x\n\n@cache(maxsize=None)\ndef g(x):\n    return x\n\n"
         "if __name__ == \"__main__\":\n    print(f(1))\n",
         0x5105},
        {"semicolon_table", "a;b;c\n1;2;3\n4;5;6\n", 0x5301},
        // XML dialects of particular programs.
        {"libglade", "<?xml version=\"1.0\"?>\n<glade-interface>\n<widget class=\"GtkWindow\"/>\n</glade-interface>\n",
         0x5901},
        {"builder_made_by_glade", "<?xml version=\"1.0\"?>\n<!-- Generated with glade 3.38.2 -->\n<interface/>\n", 0x540E},
        {"jnlp", "<jnlp spec=\"1.0+\"><information/></jnlp>", 0x5902},
        {"profiler_plist", "<plist version=\"1.0\"><array><dict><key>_SPCommandLineArguments</key>"
                           "<array/></dict></array></plist>",
         0x5903},
        {"other_plist", "<plist version=\"1.0\"><dict><key>Name</key><string>x</string></dict></plist>", UNKNOWN},
        {"linguist", "<?xml version=\"1.0\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\"><context/></TS>\n", 0x5905},
        {"owl", "<Ontology xmlns=\"http://www.w3.org/2002/07/owl#\" ontologyIRI=\"x\"/>", 0x5908},
        {"ontology_of_another_language", "<Ontology xmlns=\"http://example.com/other\"/>", UNKNOWN},
        {"mrml", "<mrml session-id=\"1\"><get-collections/></mrml>", 0x5910},
        {"nzb", "<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\"><file/></nzb>", 0x5911},
        {"dia_shape", "<shape xmlns=\"http://www.daa.com.au/~james/dia-shape-ns\"><name>x</name></shape>", 0x5912},
        {"shape_of_another_language", "<shape><name>x</name></shape>", UNKNOWN},
        {"sami_mixed_case", "<Sami>\n<Body><Sync Start=0><P>x\n</Body>\n</Sami>\n", 0x590B},
        // JSON schemas against documents that only point to their schema.
        {"json_schema", "{\"$schema\": \"http://json-schema.org/draft-07/schema#\", \"type\": \"object\"}", 0x5904},
        {"json_pointing_to_schema", "{\"$schema\": \"https://json.schemastore.org/tsconfig\", \"type\": 1}", 0x5303},
        {"json_array_of_schemas", "[{\"$schema\": \"http://json-schema.org/schema\", \"type\": \"x\"}]", 0x5303},
        // Graphs, discs, subtitles and the texts of programs.
        {"graph_after_comments", "// made by hand\n/* two\n lines */\n# one more\ndigraph G {\n a -> b;\n}\n", 0x5909},
        {"graph_brace_on_next_line", "strict graph\n{\n a -- b\n}\n", 0x5909},
        {"graph_with_quoted_name", "digraph \"build steps\" {\n a -> b\n}\n", 0x5909},
        {"graph_assigned_in_a_program", "# the nodes\ngraph = {\n    'a': ['b'],\n}\n", UNKNOWN},
        {"timings_in_a_table", "00:00:01.00,00:00:02.00,ok\nx\n00:00:03.00,00:00:04.00,ok\ny\n", UNKNOWN},
        {"graph_in_prose", "graph theory is the study of graphs.\nIt has many uses.\nThe end.\n", UNKNOWN},
        {"disc_toc", "// made by hand\nCD_ROM\n\nTRACK MODE1\nDATAFILE \"data.iso\"\n", 0x5913},
        {"disc_mode_without_tracks", "CD_DA\nsome words\nmore words\n", UNKNOWN},
        {"microdvd", "{0}{25}one\n{30}{}two\n", 0x590C},
        {"microdvd_one_line", "{0}{25}one\nplain words\n", UNKNOWN},
        // Nearly every line timed: four of five lines is enough, three of four is not; one line is too little.
        {"microdvd_four_of_five", "{0}{25}one\n{30}{40}two\n{50}{60}three\n{70}{80}four\nby hand\n", 0x590C},
        {"microdvd_three_of_four", "{0}{25}one\n{30}{40}two\n{50}{60}three\nby hand\n", UNKNOWN},
        {"microdvd_single_line", "{0}{25}one\n", UNKNOWN},
        {"mpl2_four_of_five", "[0][25]one\n[30][40]two\n[50][60]three\n[70][80]four\nby hand\n", 0x590D},
        {"mpl2_three_of_four", "[0][25]one\n[30][40]two\n[50][60]three\nby hand\n", UNKNOWN},
        {"mpl2", "[0][25]one\n[30][50]two\n", 0x590D},
        {"mpl2_without_start", "[][25]one\n[][50]two\n", UNKNOWN},
        {"subviewer", "[INFORMATION]\n[TITLE]x\n[END INFORMATION]\n", 0x590F},
        {"subviewer_timing_lines", "00:00:01.00,00:00:02.00\none\n\n00:00:03.00,00:00:04.00\ntwo\n", 0x590F},
        // SubViewer: a timing line for every four lines at least (timing, two lines of text, empty line).
        {"subviewer_one_in_four", "00:00:01.00,00:00:02.00\na\nb\nc\n00:00:03.00,00:00:04.00\nd\ne\nf\n", 0x590F},
        {"subviewer_one_in_five", "00:00:01.00,00:00:02.00\na\nb\nc\nd\n00:00:03.00,00:00:04.00\ne\nf\ng\nh\n",
         UNKNOWN},
        {"mpsub_single_timing", "FORMAT=TIME\n\n0 1.5\none\n", UNKNOWN},
        {"mpsub", "FORMAT=TIME\n\n0 1.5\none\n\n1 2\ntwo\n", 0x590E},
        {"numbers_without_format", "0 1.5\none\n\n1 2\ntwo\n", UNKNOWN},
        {"vpn_profile", "[main]\r\nHost=vpn.example.com\r\nAuthType=1\r\nGroupName=x\r\n", 0x5914},
        {"ini_with_main_section", "[main]\nhost = example.com\nuser = admin\nport = 8080\n; comment\n", 0x5306},
        {"txt2tags_setting", "Title\nAuthor\n\n%!encoding: utf-8\n= Part =\n", 0x5907},
        {"qml", "import QtQuick 2.0\n\nItem {\n    width: 10\n}\n", 0x5906},
        {"qml_shebang", "#!/usr/bin/env qml\nimport QtQuick 2.0\n", 0x5906},
        {"qt_import_without_object", "import QtQuick 2.0\nwidth: 10\n", UNKNOWN},
        {"sparql", "SELECT ?s WHERE { ?s ?p ?o }\n", 0x590A},
        {"turtle_with_prefix", "PREFIX ex: <http://example.com/>\nex:a ex:b ex:c .\nex:d ex:e ex:f .\n", UNKNOWN},
        {"prose_asking", "ask DB not to stop\nwhere {it} goes\nwhat ?x means\n", UNKNOWN},
        {"uneven_table", "a,b,c\n1,2\n4,5,6\n", UNKNOWN},
    };
    for (const auto &c : cases) EXPECT_EQ(judge_text(c.name, c.text), c.kind) << c.name;
}

// Kinds found by the words their lines start with, and texts too weak or too mixed to name.
TEST_F(TextJudge, KindsByTheirWords)
{
    const struct {
        const char *name;
        std::string text;
        uint32_t kind;
    } cases[] = {
        {"markdown_after_front_matter",
         "---\ntitle: x\n---\n\n# Title\n\nText with a [link](http://example.com).\n\n## Part\n\n```\ncode\n```\n", 0x5501},
        {"yaml_documents", "---\nname: one\nsize: 1\n---\nname: two\nsize: 2\nowner: x\ncolor: red\n", 0x5304},
        // A module docstring in reStructuredText, then the code: the code decides.
        {"python_after_its_docstring",
         "\"\"\"\nLinear algebra\n==============\n\nFunctions\n---------\n\n.. autosummary::\n   :toctree: generated/\n\n"
         "   norm\n   solve\n\n\"\"\"\nfrom . import linalg\nfrom .linalg import *\n\n__all__ = linalg.__all__.copy()\n\n"
         "def test(label='fast'):\n    import numpy\n    if label is None:\n        return None\n    return numpy.test(label)\n",
         0x5105},
        {"rst_without_a_docstring",
         "Linear algebra\n==============\n\nFunctions\n---------\n\n.. autosummary::\n   :toctree: generated/\n\n"
         "   norm\n   solve\n",
         0x5502},
        {"comments_are_not_headings", "# comment\n# another comment\n# a third one\nx = 1\ny = 2\n", UNKNOWN},
        // Comments between blank lines look like headings, but a licence tag says they are comments.
        {"licence_tagged_comments_are_not_headings",
         "# SPDX-License-Identifier: GPL-2.0-or-later\n\n# Copyright 2011, Someone\n\n# Slots\nslots = {}\n"
         "overrides = set()\n",
         UNKNOWN},
        {"toml_against_ini", "[server]\nhost = \"example.com\"\nports = [80, 443]\nenabled = true\n", 0x5305},
        {"ini_against_toml", "[server]\nhost = example.com\nuser = admin\nport = 8080\n; comment\n", 0x5306},
        {"sql_before_table", "INSERT INTO t VALUES(1,'a');\nINSERT INTO t VALUES(2,'b');\nINSERT INTO t VALUES(3,'c');\n"
                             "CREATE TABLE u(a INTEGER, b VARCHAR(10));\n",
         0x510F},
        {"typescript_needs_javascript", "interface A { x: string; y: number; }\n", UNKNOWN},
        {"objective_c_messages",
         "#include <Foundation/Foundation.h>\n\nint main(void)\n{\n  id pool = [NSAutoreleasePool new];\n"
         "  NSString *s = [NSString stringWithUTF8String: \"x\"];\n  [pool release];\n  return 0;\n}\n",
         0x5915},
        {"objective_c", "#import <Foundation/Foundation.h>\n\n@interface A : NSObject\n- (void)run;\n@end\n", 0x5915},
        {"matlab", "function y = twice(x)\n% TWICE  Doubles x.\nif nargin < 1, x = 1; end\ny = 2 * x;\nend\n", 0x5916},
        {"modelica", "model Tank\n  parameter Real area = 1;\n  Real level;\nequation\n  der(level) = 1 / area;\nend Tank;\n",
         0x5917},
        {"python_properties_are_not_objective_c",
         "class A:\n    @property\n    def x(self):\n        return self._x\n\n    @property\n    def y(self):\n"
         "        return self._y\n",
         0x5105},
        {"percent_lines_without_statements", "% substitute /a/b/\n% delete\n% yank a\nendfunction\nend\n", UNKNOWN},
        {"modelica_words_without_a_closed_class",
         "model Tank\n  parameter Real area = 1;\n  Real level;\nequation\n  der(level) = 1 / area;\nend Other;\n", UNKNOWN},
        {"postscript_comments", "%!PS-Adobe-3.0\n%%Title: x\n%%Pages: 1\n%%EndComments\nshowpage\n", UNKNOWN},
        {"one_line", "hello\n", UNKNOWN},
        {"prose", "This is a letter.\nIt has a few lines of words,\nand nothing else.\n", UNKNOWN},
    };
    for (const auto &c : cases) EXPECT_EQ(judge_text(c.name, c.text), c.kind) << c.name;
}

// Binary, empty, huge and hostile files end in a plain answer, never in a crash or a read past the buffer.
TEST_F(TextJudge, BinaryEmptyAndHostileFiles)
{
    std::string nested(20000, '[');
    std::string long_line(50000, 'a');
    std::string many_lines;
    for (int i = 0; i < 3000; ++i) many_lines += "x\n";
    // Every line opens a Modelica class that none closes: each is looked for in the lines after it.
    std::string unclosed_classes;
    for (int i = 0; i < 3000; ++i) unclosed_classes += "model m" + std::to_string(i) + "\n  Real x;\n";
    std::string long_class_name = "model " + std::string(300, 'n') + "\nequation\nend " + std::string(300, 'n') + ";\n";
    std::string controls = "text" + std::string(40, '\x01') + "more text\n";
    const struct {
        const char *name;
        std::string bytes;
        uint32_t kind;
    } cases[] = {
        {"empty", "", UNKNOWN},
        {"zero_byte", "#!/bin/sh\n\0echo\n"s, UNKNOWN},
        {"control_bytes", controls, UNKNOWN},
        {"deeply_nested_json", nested, UNKNOWN},
        {"one_long_line", long_line, UNKNOWN},
        {"many_short_lines", many_lines, UNKNOWN},
        {"shebang_only", "#!", UNKNOWN},
        {"unclosed_classes", unclosed_classes, UNKNOWN},
        {"long_class_name", long_class_name, UNKNOWN},
        {"quoted_graph_name_never_closed", "digraph \"never closed {\n", UNKNOWN},
        {"schema_key_cut_off", "{\"$schema\"", 0x5303},  // a JSON text cut short, naming no meta-schema
        {"open_tag_only", "<", UNKNOWN},
    };
    for (const auto &c : cases) EXPECT_EQ(judge_text(c.name, c.bytes), c.kind) << c.name;
}

}  // namespace

namespace {

// The library remembers its last answer for the same bytes: a text rewritten in place to the same size with
// other words, or cut one byte short, or a second file of the first one's bytes, each gets its own answer.
TEST_F(TextJudge, TheLastAnswerOnlyForTheSameBytes)
{
    const std::string python = "import os\n\ndef main():\n    print(os.getcwd())\n\nif __name__ == '__main__':\n    main()\n";
    std::string shell = "#!/bin/sh\n" + std::string(python.size() - 10, '#');
    ASSERT_EQ(python.size(), shell.size());
    const uint32_t python_kind = judge_text("same_place", python);
    EXPECT_EQ(0x5105u, python_kind);
    EXPECT_EQ(0x5106u, judge_text("same_place", shell));
    EXPECT_EQ(python_kind, judge_text("same_place", python));
    EXPECT_EQ(python_kind, judge_text("other_place", python));
    EXPECT_EQ(UNKNOWN, judge_text("same_place", python.substr(0, 1)));
    EXPECT_EQ(UNKNOWN, judge_text("same_place", ""));
}

}  // namespace

namespace {

// Sets the file's last write time to age_seconds before now.
bool make_older(const std::string &path, double age_seconds)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER when;
    when.LowPart = now.dwLowDateTime;
    when.HighPart = now.dwHighDateTime;
    when.QuadPart -= static_cast<ULONGLONG>(age_seconds * 1e7);
    FILETIME written = {when.LowPart, when.HighPart};
    bool set = SetFileTime(file, nullptr, nullptr, &written) != 0;
    CloseHandle(file);
    return set;
}

// A dataset asks the library twice in one identification; the second call for a file written at least four
// seconds before, coming within a second of the first, gets the first answer without opening the file. A
// younger file could be written again within its clock's tick, so it is always read. A file held by another
// opener between the calls shows which calls opened it.
TEST_F(TextJudge, ARepeatedCallForASettledFileIsAnsweredWithoutOpeningIt)
{
    const std::string python = "import os\n\ndef main():\n    print(os.getcwd())\n\nif __name__ == '__main__':\n    main()\n";
    struct {
        double age_seconds;
        DWORD wait_ms;
        bool answered;
    } cases[] = {{3.5, 0, false}, {4.5, 0, true}, {3600, 0, true}, {3600, 1100, false}};
    int n = 0;
    for (const auto &c : cases) {
        std::string path = folder + "settled" + std::to_string(n++) + ".txt";
        ASSERT_TRUE(write_file_text(path, python));
        ASSERT_TRUE(make_older(path, c.age_seconds));
        EXPECT_EQ(0x5105u, judge(path)) << path;
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        Sleep(c.wait_ms);
        int32_t returned = -1;
        uint32_t kind = judge(path, TEXT_JUDGE_ID, 1, &returned);
        CloseHandle(held);
        EXPECT_EQ(c.answered ? 1 : 0, returned) << path;
        EXPECT_EQ(c.answered ? 0x5105u : 0u, kind) << path;
    }
    // A settled file written again at the same size is read again, whatever the window.
    std::string path = folder + "rewritten.txt";
    ASSERT_TRUE(write_file_text(path, python));
    ASSERT_TRUE(make_older(path, 3600));
    EXPECT_EQ(0x5105u, judge(path));
    ASSERT_TRUE(write_file_text(path, "#!/bin/sh\n" + std::string(python.size() - 10, '#')));
    EXPECT_EQ(0x5106u, judge(path));
}

}  // namespace
