// Pattern and attribute scoring: the text test, the probe window, the verdict bytes, the single-precision
// attribute score and the size rule with its 32-bit arithmetic.
#include "engine_fixtures.h"
#include "scoring.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cmath>
#include <cstring>

namespace {

struct text_case {
    const char *name;
    std::string bytes;
    int count;
    int text;
};

// The formulas' single-precision steps, for the expected values.
float half_of(float a, float b)
{
    volatile float sum = a + b;
    volatile float half = sum * 0.5f;
    return half;
}

float attribute_score(float e, float t, float s)
{
    volatile float sum = e + t;
    sum = sum + s;
    volatile float product = sum * 0.33333334f;
    return product;
}

pattern_table one_entry_table(uint16_t key, uint8_t base, uint8_t probe, const char *signature, uint8_t found)
{
    pattern_table table;
    std::memset(&table, 0, sizeof table);
    table.count = 1;
    table.key_id[0] = key;
    table.base_score[0] = base;
    table.probe[0] = probe;
    std::memcpy(table.signature[0], signature, strnlen(signature, 4));
    table.found_score[0] = found;
    return table;
}

score_settings neutral_settings()
{
    score_settings settings;
    std::memset(&settings, 0, sizeof settings);
    settings.enabled = 1;
    settings.pattern_score = 50.0f;
    return settings;
}

}  // namespace

TEST(LooksLikeText, CountsAlignedPairs)
{
    const text_case cases[] = {
        {"empty", "", 0, 0},
        {"ascii", "abc", 3, 3},
        {"control byte 01 counts", std::string("a\x01", 2), 2, 2},
        {"zero byte", std::string("a\0", 2), 2, 1},
        {"double-byte character", "\x82\xA0", 2, 2},
        {"0x8140 itself is not double-byte", "\x81\x40", 2, 0},
        {"0x9FFC itself is not double-byte", "\x9F\xFC", 2, 0},
        {"0xE041 is double-byte", "\xE0\x41", 2, 2},
        {"double-byte at an odd offset", "a\x82\xA0", 3, 1},
        {"ascii mixed with katakana", "a\xB1", 2, 1},
        {"katakana pair", "\xB1\xB2", 2, 2},
        {"odd last katakana", "ab\xB1", 3, 3},
        {"odd last stray byte", "ab\xFF", 3, 2},
        {"DEL", "\x7F\x7F", 2, 0},
        // Each range at both ends and one past.
        {"7E pair", "\x7E\x7E", 2, 2},
        {"ascii then DEL", "a\x7F", 2, 1},
        {"A1 pair is no kana", "\xA1\xA1", 2, 0},
        {"A2 and DE kana", "\xA2\xDE", 2, 2},
        {"kana then DF", "\xA2\xDF", 2, 1},
        {"DF pair is no kana", "\xDF\xDF", 2, 0},
        {"0x8141 is double-byte", "\x81\x41", 2, 2},
        {"0x9FFB is double-byte", "\x9F\xFB", 2, 2},
        {"0xE040 itself is not double-byte", "\xE0\x40", 2, 0},
        {"0xFCFB is double-byte", "\xFC\xFB", 2, 2},
        {"0xFCFC itself is not double-byte", "\xFC\xFC", 2, 0},
        {"odd last 01", "ab\x01", 3, 3},
        {"odd last 7E", "ab\x7E", 3, 3},
        {"odd last 7F", "ab\x7F", 3, 2},
        {"odd last A1", "ab\xA1", 3, 2},
        {"odd last A2", "ab\xA2", 3, 3},
        {"odd last DE", "ab\xDE", 3, 3},
        {"odd last DF", "ab\xDF", 3, 2},
    };
    for (const text_case &c : cases) {
        SCOPED_TRACE(c.name);
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(c.bytes.data());
        EXPECT_EQ(c.text, count_text_bytes(bytes, c.count));
        EXPECT_EQ(c.text == c.count ? 1 : 0, looks_like_text(bytes, c.count));
    }
}

TEST(EvaluatePatterns, EntryAndVerdicts)
{
    std::string folder = make_test_folder("patterns");
    std::string target = folder + "target.bin";
    ASSERT_EQ(1, write_file_text(target, "xxAByy"));
    float score = -1.0f;

    pattern_table table = one_entry_table(7, 255, 1, "AB", 200);
    EXPECT_EQ(1, evaluate_patterns(nullptr, target.c_str(), 8, &table, &score));
    EXPECT_EQ(50.0f, score) << "no entry for the key, whatever the others say";

    pattern_table empty;
    std::memset(&empty, 0, sizeof empty);
    EXPECT_EQ(1, evaluate_patterns(nullptr, target.c_str(), 8, &empty, &score));
    EXPECT_EQ(50.0f, score);

    // base 255 / 125 decide without opening the target
    table = one_entry_table(7, 255, 1, "AB", 200);
    EXPECT_EQ(1, evaluate_patterns(nullptr, (folder + "missing.bin").c_str(), 7, &table, &score));
    EXPECT_EQ(100.0f, score);
    table.base_score[0] = 125;
    EXPECT_EQ(1, evaluate_patterns(nullptr, target.c_str(), 7, &table, &score));
    EXPECT_EQ(0.0f, score);

    table = one_entry_table(7, 80, 0, "AB", 200);
    EXPECT_EQ(1, evaluate_patterns(nullptr, target.c_str(), 7, &table, &score));
    EXPECT_EQ(65.0f, score) << "no probe: (B + 50) / 2";

    table = one_entry_table(7, 80, 1, "AB", 200);
    EXPECT_EQ(1, evaluate_patterns(nullptr, target.c_str(), 7, &table, &score));
    EXPECT_EQ(140.0f, score) << "found 200 and base 80 give 140, not capped";
    table.found_score[0] = 255;
    evaluate_patterns(nullptr, target.c_str(), 7, &table, &score);
    EXPECT_EQ(100.0f, score);
    table.found_score[0] = 125;
    evaluate_patterns(nullptr, target.c_str(), 7, &table, &score);
    EXPECT_EQ(0.0f, score);

    table = one_entry_table(7, 80, 1, "ZZ", 200);
    evaluate_patterns(nullptr, target.c_str(), 7, &table, &score);
    EXPECT_EQ(65.0f, score) << "not found";
    table = one_entry_table(7, 80, 1, "", 200);
    evaluate_patterns(nullptr, target.c_str(), 7, &table, &score);
    EXPECT_EQ(65.0f, score) << "empty signature";
    table = one_entry_table(7, 80, 1, "AB", 200);
    evaluate_patterns(nullptr, (folder + "missing.bin").c_str(), 7, &table, &score);
    EXPECT_EQ(65.0f, score) << "unreadable target";
    evaluate_patterns(nullptr, folder.c_str(), 7, &table, &score);
    EXPECT_EQ(65.0f, score) << "a folder as target";
    remove_folder_tree(folder);
}

TEST(EvaluatePatterns, FirstEntryForTheKeyWins)
{
    std::string folder = make_test_folder("patterns_first");
    std::string target = folder + "t.bin";
    ASSERT_EQ(1, write_file_text(target, "AB"));
    pattern_table table = one_entry_table(3, 90, 0, "", 0);
    table.count = 2;
    table.key_id[1] = 3;
    table.base_score[1] = 255;
    float score = 0.0f;
    evaluate_patterns(nullptr, target.c_str(), 3, &table, &score);
    EXPECT_EQ(70.0f, score);
    remove_folder_tree(folder);
}

TEST(EvaluatePatterns, ProbeWindowStartsZeroTo49MinusLength)
{
    std::string folder = make_test_folder("patterns_window");
    std::string target = folder + "t.bin";
    struct window_case {
        const char *signature;
        int position;
        int found;
    } cases[] = {
        {"AB", 0, 1}, {"AB", 47, 1}, {"AB", 48, 0}, {"ABCD", 45, 1}, {"ABCD", 46, 0}, {"A", 48, 1}, {"A", 49, 0},
    };
    for (const window_case &c : cases) {
        SCOPED_TRACE(std::string(c.signature) + " at " + std::to_string(c.position));
        std::string bytes(60, '.');
        bytes.replace(static_cast<size_t>(c.position), std::strlen(c.signature), c.signature);
        ASSERT_EQ(1, write_file_text(target, bytes));
        pattern_table table = one_entry_table(1, 80, 1, c.signature, 200);
        float score = 0.0f;
        evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
        EXPECT_EQ(c.found ? 140.0f : 65.0f, score);
    }
    remove_folder_tree(folder);
}

TEST(EvaluatePatterns, ShortFilesAndPositioning)
{
    std::string folder = make_test_folder("patterns_seek");
    std::string target = folder + "t.bin";
    ASSERT_EQ(1, write_file_text(target, "xAB"));
    pattern_table table = one_entry_table(1, 80, 1, "AB", 200);
    float score = 0.0f;
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(140.0f, score) << "a 3-byte file: found inside its bytes";
    table = one_entry_table(1, 80, 1, "Bx", 200);
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(65.0f, score) << "nothing lies after the 3 bytes";

    ASSERT_EQ(1, write_file_text(target, "AB" + std::string(100, '.') + "CD"));
    table = one_entry_table(1, 80, 1, "CD", 200);
    table.origin[0] = 2;
    table.offset[0] = -2;
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(140.0f, score) << "from the end";
    table.origin[0] = 0;
    table.offset[0] = 100;
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(140.0f, score) << "from the start";
    table.offset[0] = 1000000;
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(65.0f, score) << "past the end nothing is read";

    table = one_entry_table(1, 80, 1, "AB", 200);
    table.origin[0] = 0;
    table.offset[0] = -10;
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(140.0f, score) << "a failing move leaves the position at the start";
    table.origin[0] = 7;
    table.offset[0] = 100;
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(140.0f, score) << "an unknown origin fails like a failing move";

    ASSERT_EQ(1, write_file_bytes(target, {}));
    evaluate_patterns(nullptr, target.c_str(), 1, &table, &score);
    EXPECT_EQ(65.0f, score) << "an empty target";
    remove_folder_tree(folder);
}

TEST(ScoreAttributes, EnabledAndPatternScore)
{
    std::string folder = make_test_folder("attributes");
    std::string target = folder + "t.bin";
    ASSERT_EQ(1, write_file_text(target, "data"));
    score_settings settings = neutral_settings();
    float score = -1.0f;

    settings.enabled = 0;
    settings.pattern_check = 1;
    settings.pattern_score = 100.0f;
    EXPECT_EQ(1, score_attributes(nullptr, target.c_str(), "bin", &score, settings));
    EXPECT_EQ(50.0f, score) << "enabled 0 gives 50 even with a pattern score";

    settings.enabled = 1;
    settings.size_check = 1;
    settings.size_base_score = 0;
    EXPECT_EQ(1, score_attributes(nullptr, target.c_str(), "bin", &score, settings));
    EXPECT_EQ(100.0f, score) << "pattern score 100 carries through";
    settings.pattern_score = 0.0f;
    score_attributes(nullptr, target.c_str(), "bin", &score, settings);
    EXPECT_EQ(0.0f, score);

    settings = neutral_settings();
    score_attributes(nullptr, target.c_str(), "bin", &score, settings);
    EXPECT_EQ(half_of(attribute_score(50, 50, 50), 50), score);
    EXPECT_EQ(50.0f, score);
    settings.pattern_check = 1;
    settings.pattern_score = 80.0f;
    score_attributes(nullptr, target.c_str(), "bin", &score, settings);
    EXPECT_EQ(65.0f, score);
    remove_folder_tree(folder);
}

TEST(ScoreAttributes, SizeRule)
{
    std::string folder = make_test_folder("size");
    std::string big = folder + "big.bin";
    ASSERT_EQ(1, write_file_bytes(big, std::vector<unsigned char>(1000000, 'x')));
    std::string small = folder + "small.bin";
    ASSERT_EQ(1, write_file_bytes(small, std::vector<unsigned char>(10, 'x')));
    std::string empty = folder + "empty.bin";
    ASSERT_EQ(1, write_file_bytes(empty, {}));

    struct size_case {
        const char *name;
        const std::string *target;
        int32_t reference, step;
        uint8_t base;
        float penalty;
        float s;
    } cases[] = {
        {"q = 9 gives S = 10", &big, 100000, 100000, 100, 10.0f, 10.0f},
        {"negative step, larger file: base", &big, 100000, -100000, 100, 10.0f, 100.0f},
        {"negative step, smaller file", &small, 100000, -10000, 100, 10.0f, 10.0f},
        {"negative S becomes 0", &big, 100000, 100000, 100, 20.0f, 0.0f},
        {"step 0: base", &big, 0, 0, 70, 10.0f, 70.0f},
        // 10 - (-2147483640) wraps to -2147483646: a negative difference, so the negative step applies.
        {"the difference wraps in 32 bits", &small, -2147483640, -1000000000, 100, 10.0f, 80.0f},
        // 0 - INT_MIN is INT_MIN again; INT_MIN / -1 wraps to INT_MIN instead of faulting.
        {"most negative difference by -1", &empty, INT32_MIN, -1, 100, 1.0f, 2147483648.0f + 100.0f},
    };
    for (const size_case &c : cases) {
        SCOPED_TRACE(c.name);
        score_settings settings = size_only_settings(c.reference, c.step, c.base, c.penalty);
        float score = -1.0f;
        ASSERT_EQ(1, score_attributes(nullptr, c.target->c_str(), "", &score, settings));
        EXPECT_EQ(half_of(attribute_score(50, 50, c.s), 50), score);
    }
    EXPECT_FLOAT_EQ(43.333334f, half_of(attribute_score(50, 50, 10), 50));
    remove_folder_tree(folder);
}

TEST(ScoreAttributes, ExtensionCheck)
{
    std::string folder = make_test_folder("ext");
    score_settings settings = neutral_settings();
    settings.ext_check = 1;
    settings.ext_score = 200;
    struct ext_case {
        const char *path;
        const char *candidate;
        int match;
    } cases[] = {
        {"C:\\x\\file.BIN", "bin", 1},       // lower-cased
        {"C:\\x\\file.bin", "BIN", 1},       // upper-cased
        {"C:\\x\\file.Bin", "Bin", 1},       // unchanged
        {"C:\\x\\file.bIN", "Bin", 0},
        {"D:\\a.b\\file", "b\\file", 1},    // a dot in a folder name marks the extension
        {".abc", "abc", 0},                 // a dot in the first character does not count
        {"C:\\x\\file.", "", 1},             // an empty extension matches an empty candidate
        {"C:\\x\\file", "", 0},              // no dot: no extension
        {"C:\\x\\file.txt", "", 0},
        {"C:\\x\\file.\x83\x61", "\x83\x41", 0},  // a second byte is no letter to convert
        {"C:\\x\\file.\x83\x41", "\x83\x41", 1},
    };
    for (const ext_case &c : cases) {
        SCOPED_TRACE(c.path);
        float score = -1.0f;
        ASSERT_EQ(1, score_attributes(nullptr, c.path, c.candidate, &score, settings));
        EXPECT_EQ(half_of(attribute_score(c.match ? 200.0f : 50.0f, 50, 50), 50), score);
    }
    float score = -1.0f;
    settings.ext_score = 255;
    EXPECT_EQ(1, score_attributes(nullptr, "C:\\missing\\file.bin", "bin", &score, settings));
    EXPECT_EQ(100.0f, score);
    settings.ext_score = 125;
    EXPECT_EQ(1, score_attributes(nullptr, "C:\\missing\\file.bin", "bin", &score, settings));
    EXPECT_EQ(0.0f, score);

    std::string long_path = "C:\\" + std::string(260, 'a') + ".bin";
    EXPECT_EQ(0, score_attributes(nullptr, long_path.c_str(), "bin", &score, settings));
    EXPECT_EQ(0.0f, score);
    remove_folder_tree(folder);
}

TEST(ScoreAttributes, TextCheck)
{
    std::string folder = make_test_folder("text");
    std::string text = folder + "text.txt";
    ASSERT_EQ(1, write_file_text(text, "plain text\r\n"));
    std::string binary = folder + "binary.bin";
    ASSERT_EQ(1, write_file_bytes(binary, {0x00, 0x01, 0x02, 0xFF}));
    std::string empty = folder + "empty.bin";
    ASSERT_EQ(1, write_file_bytes(empty, {}));
    std::string text_late = folder + "late.bin";
    ASSERT_EQ(1, write_file_text(text_late, std::string(50, 'a') + std::string("\0\0", 2)));
    score_settings settings = neutral_settings();
    settings.text_check = 1;
    settings.text_score = 90;
    float score = -1.0f;
    ASSERT_EQ(1, score_attributes(nullptr, text.c_str(), "", &score, settings));
    EXPECT_EQ(half_of(attribute_score(50, 90, 50), 50), score);
    ASSERT_EQ(1, score_attributes(nullptr, binary.c_str(), "", &score, settings));
    EXPECT_EQ(50.0f, score);
    ASSERT_EQ(1, score_attributes(nullptr, text_late.c_str(), "", &score, settings));
    EXPECT_EQ(half_of(attribute_score(50, 90, 50), 50), score) << "only the first 50 bytes are looked at";
    settings.text_score = 255;
    ASSERT_EQ(1, score_attributes(nullptr, empty.c_str(), "", &score, settings));
    EXPECT_EQ(100.0f, score) << "an empty target counts as text";
    settings.text_score = 125;
    ASSERT_EQ(1, score_attributes(nullptr, text.c_str(), "", &score, settings));
    EXPECT_EQ(0.0f, score);
    remove_folder_tree(folder);
}

TEST(ScoreAttributes, UnreadableTargets)
{
    std::string folder = make_test_folder("unreadable");
    std::string locked = folder + "locked.bin";
    ASSERT_EQ(1, write_file_text(locked, "abc"));
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    const std::string targets[] = {folder + "missing.bin", folder, locked};
    for (const std::string &target : targets) {
        SCOPED_TRACE(target);
        float score = -1.0f;
        score_settings settings = neutral_settings();
        settings.text_check = 1;
        EXPECT_EQ(0, score_attributes(nullptr, target.c_str(), "", &score, settings));
        EXPECT_EQ(0.0f, score);
        settings = size_only_settings(0, 1, 50, 1.0f);
        EXPECT_EQ(0, score_attributes(nullptr, target.c_str(), "", &score, settings));
        settings = neutral_settings();
        settings.ext_check = 1;
        EXPECT_EQ(1, score_attributes(nullptr, target.c_str(), "", &score, settings)) << "no check reads the file";
        EXPECT_EQ(50.0f, score);
    }
    CloseHandle(lock);
    remove_folder_tree(folder);
}

TEST(EvaluateDefinitions, PluginAndDictionaryRecord)
{
    std::string folder = make_test_folder("evaluate_plugin");
    std::string target = folder + "t.bin";
    ASSERT_EQ(1, write_file_text(target, "RIFF...."));
    plugin_definition definition = plain_plugin(5, 0);
    definition.settings = neutral_settings();
    definition.settings.pattern_check = 1;
    definition.patterns = one_entry_table(11, 80, 1, "RIFF", 200);
    write_plugin(folder + "a.plg", definition);
    score_settings settings;
    ASSERT_EQ(1, evaluate_plugin(nullptr, (folder + "a.plg").c_str(), target.c_str(), 11, &settings, 0, 0));
    EXPECT_EQ(1, settings.enabled);
    EXPECT_EQ(140.0f, settings.pattern_score);
    ASSERT_EQ(1, evaluate_plugin(nullptr, (folder + "a.plg").c_str(), target.c_str(), 12, &settings, 0, 0));
    EXPECT_EQ(50.0f, settings.pattern_score) << "no entry for key 12";

    plugin_definition unchecked = definition;
    unchecked.settings.pattern_check = 0;
    write_dictionary(folder + "d.dic", {plain_plugin(6, 0), unchecked, definition});
    ASSERT_EQ(1, evaluate_plugin(nullptr, (folder + "d.dic").c_str(), target.c_str(), 11, &settings, 2, 1));
    EXPECT_EQ(50.0f, settings.pattern_score) << "pattern_check 0 leaves 50";
    ASSERT_EQ(1, evaluate_plugin(nullptr, (folder + "d.dic").c_str(), target.c_str(), 11, &settings, 3, 1));
    EXPECT_EQ(140.0f, settings.pattern_score);

    settings.enabled = 9;
    EXPECT_EQ(0, evaluate_plugin(nullptr, (folder + "missing.plg").c_str(), target.c_str(), 11, &settings, 0, 0));
    EXPECT_EQ(0, settings.enabled) << "settings that cannot be read stay zero: enabled 0 scores 50";
    remove_folder_tree(folder);
}

TEST(EvaluateDefinitions, OptionPlugin)
{
    std::string folder = make_test_folder("evaluate_option");
    std::string target = folder + "t.bin";
    ASSERT_EQ(1, write_file_text(target, "xxMZ"));
    option_plugin_definition definition = constant_option_plugin(9, 1, 2);
    definition.with_score_settings = 1;
    definition.settings = neutral_settings();
    definition.settings.pattern_check = 1;
    definition.with_pattern_table = 1;
    definition.patterns = one_entry_table(4, 100, 1, "MZ", 250);
    write_option_plugin(folder + "o.opg", definition);
    score_settings settings;
    ASSERT_EQ(1, evaluate_option_plugin(nullptr, (folder + "o.opg").c_str(), target.c_str(), 4, &settings));
    EXPECT_EQ(175.0f, settings.pattern_score);
    float score = 0.0f;
    ASSERT_EQ(1, score_attributes(nullptr, target.c_str(), "", &score, settings));
    EXPECT_EQ(half_of(175.0f, attribute_score(50, 50, 50)), score);

    option_plugin_definition bare = constant_option_plugin(9, 1, 2);
    write_option_plugin(folder + "bare.opg", bare);
    EXPECT_EQ(0, evaluate_option_plugin(nullptr, (folder + "bare.opg").c_str(), target.c_str(), 4, &settings));
    EXPECT_EQ(0, settings.enabled);
    remove_folder_tree(folder);
}
