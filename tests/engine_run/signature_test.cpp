// Signature computation: every method, the fold and sum accumulators, the character classes, the term
// expression rules, and the failures that must leave a zero signature with everything released.
#include "engine_fixtures.h"
#include "signature.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {

option_record options_for(uint8_t mode, uint8_t source)
{
    option_record options;
    std::memset(&options, 0, sizeof options);
    options.definition_id = 321;
    options.option_mode = mode;
    options.option_source = source;
    return options;
}

// Run of bytes: count bytes, accumulator (0 fold, 1 sum), class.
option_record run_options(int32_t count, int32_t accumulator, int32_t character_class)
{
    option_record options = options_for(SIGNATURE_MODE_REGION, SIGNATURE_SOURCE_BYTES);
    options.params[0] = count;
    options.params[2] = accumulator;
    options.params[4] = character_class;
    return options;
}

// Region of lines, summed, class 0, without stripping.
option_record region_options(uint8_t source, int16_t start_line, int16_t start_column, int16_t end_line,
                             int16_t end_column)
{
    option_record options = options_for(SIGNATURE_MODE_REGION, source);
    options.start_line = start_line;
    options.start_column = start_column;
    options.end_line = end_line;
    options.end_column = end_column;
    options.params[0] = 1;
    return options;
}

option_record term_options(const char *expression, int32_t bytes, int32_t retry, int32_t holds, int32_t fails)
{
    option_record options = options_for(SIGNATURE_MODE_TERMS, 0);
    std::memcpy(options.terms[0], expression, strnlen(expression, 20));
    options.params[0] = bytes;
    options.params[1] = retry;
    options.params[2] = holds;
    options.params[3] = fails;
    std::strcpy(options.terms[2], "foo");   // a
    std::strcpy(options.terms[3], "bar");   // b
    std::strcpy(options.terms[4], "baz");   // c
    return options;
}

struct signature_outcome {
    int ok;
    uint32_t a;
    uint32_t b;
    uint16_t id;
};

signature_outcome compute(const std::string &target, const option_record &options)
{
    judgement_record result;
    std::memset(&result, 0xCC, sizeof result);
    signature_outcome outcome;
    outcome.ok = compute_signature(nullptr, target.c_str(), "", options, &result, 1);
    outcome.a = result.result_a;
    outcome.b = result.result_b;
    outcome.id = result.definition_id;
    EXPECT_EQ(0u, result.reserved);
    if (!outcome.ok) {
        EXPECT_EQ(0u, result.result_a);
        EXPECT_EQ(0u, result.result_b);
        EXPECT_EQ(0, result.definition_id);
    }
    return outcome;
}

uint32_t sum_of(const std::vector<unsigned char> &bytes, size_t first, size_t count)
{
    uint32_t sum = 0;
    for (size_t i = first; i < first + count; i++) sum += bytes[i];
    return sum;
}

class SignatureTest : public ::testing::Test {
protected:
    void SetUp() override { folder = make_test_folder("signature"); }
    void TearDown() override { remove_folder_tree(folder); }
    std::string target(const std::vector<unsigned char> &bytes)
    {
        std::string path = folder + "target" + std::to_string(serial++) + ".bin";
        EXPECT_EQ(1, write_file_bytes(path, bytes));
        return path;
    }
    std::string folder;
    int serial = 0;
};

}  // namespace

TEST(CharacterClasses, SelectedBytes)
{
    struct class_case {
        int character_class;
        unsigned char c;
        unsigned w;
        int selected;
    } cases[] = {
        {0, 0x00, 0x00, 1},   {0, 0xFF, 0x81FF, 1},
        {3, 'A', 'A', 1},     {3, 0x41, 0x8341, 0},  {3, 0x7F, 0x7F, 0},   {3, 0x01, 0x01, 1},
        {3, 0x40, 0x8140, 0}, {3, 0x40, 0x6140, 1},
        {5, 'Z', 'Z', 1},     {5, 'a', 'a', 0},      {6, 'z', 'z', 1},     {6, 0x61, 0x8361, 0},
        {4, 'A', 'A', 1},     {4, 'q', 'q', 1},      {4, '1', '1', 0},
        {7, 0x41, 0x8341, 1}, {7, 0x40, 0x8140, 0},  {7, 0xFC, 0x9FFC, 0}, {7, 0x41, 0xE041, 1},
        {7, 0xFC, 0xFCFC, 0}, {7, 'A', 'A', 0},
        {8, 0xB1, 0xB1, 1},   {8, 0xA1, 0xA1, 0},    {8, 0xDF, 0xDF, 0},   {8, 0xB1, 0x83B1, 0},
        {9, '5', '5', 1},     {9, 'x', 'x', 0},      {9, 0x35, 0x8235, 0},
        {2, 'a', 'a', 1},     {2, 0xB1, 0xB1, 1},    {2, 0x41, 0x8341, 0},
        {1, 0x41, 0x8341, 1}, {1, 'a', 'a', 1},      {1, 0xB1, 0xB1, 1},   {1, 0x80, 0x80, 0},
        {10, 'a', 'a', 0},    {-1, 'a', 'a', 0},
        // Each range at both ends and one past.
        {3, 0x00, 0x00, 0},   {3, 0x7E, 0x7E, 1},    {3, 0x3F, 0x813F, 1}, {3, 0x3F, 0xE03F, 1},
        {3, 0x40, 0xE040, 0}, {5, 0x40, 0x40, 0},    {5, 0x41, 0x41, 1},   {5, 0x5B, 0x5B, 0},
        {6, 0x60, 0x60, 0},   {6, 0x61, 0x61, 1},    {6, 0x7A, 0x7A, 1},   {6, 0x7B, 0x7B, 0},
        {8, 0xA2, 0xA2, 1},   {8, 0xDE, 0xDE, 1},    {9, 0x2F, 0x2F, 0},   {9, 0x30, 0x30, 1},
        {9, 0x39, 0x39, 1},   {9, 0x3A, 0x3A, 0},    {7, 0x41, 0x8141, 1}, {7, 0xFB, 0x9FFB, 1},
    };
    for (const class_case &c : cases) {
        SCOPED_TRACE("class " + std::to_string(c.character_class) + " byte " + std::to_string(c.c) + " w " +
                     std::to_string(c.w));
        EXPECT_EQ(c.selected, byte_in_class(c.character_class, c.c, c.w));
    }
}

TEST_F(SignatureTest, FoldAndSum)
{
    signature_outcome fold = compute(target({1, 2, 3, 4, 5, 6, 7, 8, 9}), run_options(9, 0, 0));
    ASSERT_EQ(1, fold.ok);
    EXPECT_EQ(0x0A020304u, fold.a) << "the ninth byte wraps to position 1";
    EXPECT_EQ(0x05060708u, fold.b);
    EXPECT_EQ(321, fold.id);

    signature_outcome many = compute(target(std::vector<unsigned char>(300, 0xFF)), run_options(300, 0, 0));
    ASSERT_EQ(1, many.ok);
    EXPECT_EQ(0xDADADADAu, many.a) << "38 x 0xFF modulo 256";
    EXPECT_EQ(0xDBDBDBDBu, many.b) << "37 x 0xFF modulo 256";

    signature_outcome sum = compute(target({0xFF, 0x01}), run_options(2, 1, 0));
    ASSERT_EQ(1, sum.ok);
    EXPECT_EQ(0u, sum.a);
    EXPECT_EQ(0x100u, sum.b);

    EXPECT_EQ(0, compute(target(std::vector<unsigned char>(16, 0x80)), run_options(16, 0, 0)).ok)
        << "a fold that ends at zero fails";
    EXPECT_EQ(0, compute(target(bytes_of("letters")), run_options(7, 1, 9)).ok) << "a sum of nothing fails";
    EXPECT_EQ(0, compute(target(bytes_of("letters")), run_options(7, 2, 0)).ok) << "no accumulator";
}

TEST_F(SignatureTest, SumWrapsAtFFFFFF00)
{
    // Bytes 0xFF in binary lines of 996 bytes and CR LF. The sum is reduced before each byte is added, so it
    // may end exactly on 0xFFFFFF00 (after 16,843,008 bytes) and starts again from the remainder 0 only
    // with the next byte.
    struct wrap_case {
        size_t total;
        uint32_t sum;
    };
    const wrap_case cases[] = {{16843007, 0xFFFFFE01u}, {16843008, 0xFFFFFF00u}, {16843010, 0x1FEu}};
    const size_t line_bytes = 996;
    for (const wrap_case &c : cases) {
        SCOPED_TRACE(c.total);
        std::vector<unsigned char> bytes;
        bytes.reserve(c.total + c.total / line_bytes * 2 + 2);
        size_t lines = 0;
        for (size_t left = c.total; left > 0; lines++) {
            size_t take = left < line_bytes ? left : line_bytes;
            bytes.insert(bytes.end(), take, 0xFF);
            bytes.push_back('\r');
            bytes.push_back('\n');
            left -= take;
        }
        option_record options =
            region_options(SIGNATURE_SOURCE_BINARY_LINES, 0, 0, static_cast<int16_t>(lines - 1), 9999);
        options.params[1] = 1;
        options.params[2] = '\r';
        options.params[3] = '\n';
        signature_outcome sum = compute(target(bytes), options);
        ASSERT_EQ(1, sum.ok);
        EXPECT_EQ(c.sum, sum.b);
    }
}

TEST_F(SignatureTest, RunOfBytes)
{
    std::vector<unsigned char> bytes(2000);
    for (size_t i = 0; i < bytes.size(); i++) bytes[i] = static_cast<unsigned char>(i % 251 + 1);
    std::string path = target(bytes);
    EXPECT_EQ(sum_of(bytes, 0, 500), compute(path, run_options(500, 1, 0)).b) << "count 500: bytes 0..499";
    EXPECT_EQ(sum_of(bytes, 1000, 500), compute(path, run_options(1500, 1, 0)).b) << "count 1500: 1000..1499";
    EXPECT_EQ(0, compute(path, run_options(1000, 1, 0)).ok) << "a multiple of 1000 takes nothing";
    EXPECT_EQ(sum_of(bytes, 1000, 999), compute(path, run_options(1999, 1, 0)).b);
    EXPECT_EQ(0, compute(path, run_options(2500, 1, 0)).ok) << "block 2 lies past the end";
    EXPECT_EQ(0, compute(path, run_options(0, 1, 0)).ok);
    EXPECT_EQ(0, compute(path, run_options(-5, 1, 0)).ok);
    EXPECT_EQ(0, compute(path, run_options(2000000000, 1, 0)).ok) << "past the end, read to the end only";

    option_record from_100 = run_options(5, 1, 0);
    from_100.seek_offset = 100;
    EXPECT_EQ(sum_of(bytes, 100, 5), compute(path, from_100).b);
    option_record from_end = run_options(5, 1, 0);
    from_end.seek_origin = 2;
    from_end.seek_offset = -5;
    EXPECT_EQ(sum_of(bytes, 1995, 5), compute(path, from_end).b);
    option_record distant = run_options(5, 1, 0);
    distant.seek_offset = 0x7FFFFFFF;
    EXPECT_EQ(0, compute(path, distant).ok) << "positioned far past the end: nothing read";
    option_record before = run_options(5, 1, 0);
    before.seek_offset = -1;
    EXPECT_EQ(0, compute(path, before).ok) << "a failing seek";
    option_record origin = run_options(5, 1, 0);
    origin.seek_origin = 3;
    EXPECT_EQ(0, compute(path, origin).ok) << "an unknown origin";

    // The first byte of a block has no previous byte: 0x41 after a lead byte at the end of block 0.
    std::vector<unsigned char> split(1002, 'x');
    split[999] = 0x83;
    split[1000] = 0x41;
    EXPECT_EQ(0x41u, compute(target(split), run_options(1001, 1, 5)).b);
    split[0] = 0x83;
    split[1] = 0x41;
    EXPECT_EQ(0u, compute(target(split), run_options(2, 1, 5)).b) << "inside a block it is a second byte";
}

TEST_F(SignatureTest, RegionOfLines)
{
    std::string text = target(bytes_of("abcdefg\nhij\n"));
    option_record columns = region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 2, 0, 4);
    EXPECT_EQ(uint32_t('c' + 'd' + 'e'), compute(text, columns).b) << "columns 2, 3 and 4";

    option_record two_lines = region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 5, 1, 1);
    EXPECT_EQ(uint32_t('f' + 'g' + '\n' + 'h' + 'i'), compute(text, two_lines).b);

    std::string skipping = target(bytes_of("w1\nw2\nxyzzy\n"));
    EXPECT_EQ(uint32_t('x' + 'y'), compute(skipping, region_options(SIGNATURE_SOURCE_TEXT_LINES, 2, 0, 2, 1)).b);
    std::string binary_skipping = target(bytes_of("w1\r\nw2\r\nxyzzy\r\n"));
    EXPECT_EQ(uint32_t('x' + 'y'),
              compute(binary_skipping, region_options(SIGNATURE_SOURCE_BINARY_LINES, 2, 0, 2, 1)).b);

    EXPECT_EQ(0, compute(text, region_options(SIGNATURE_SOURCE_TEXT_LINES, 1, 0, 0, 5)).ok) << "end line first";
    EXPECT_EQ(0, compute(text, region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 3, 0, 2)).ok) << "end column first";
    EXPECT_EQ(uint32_t('d'), compute(text, region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 3, 0, 3)).b);

    option_record negative = region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, -5, 0, 1);
    EXPECT_EQ(uint32_t('a' + 'b'), compute(text, negative).b) << "nothing lies before a line";

    // A skipped line's word of any length is passed over without being kept anywhere.
    std::string long_word = target(bytes_of(std::string(5000, 'w') + "\nxy\n"));
    EXPECT_EQ(uint32_t('x' + 'y'), compute(long_word, region_options(SIGNATURE_SOURCE_TEXT_LINES, 1, 0, 1, 1)).b);

    std::string zeros = target({0, 0, 0, '\n', 0, 0, '\n'});
    EXPECT_EQ(0, compute(zeros, region_options(SIGNATURE_SOURCE_BINARY_LINES, 0, 0, 1, 99)).ok);
    option_record past = region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 0, 3, 99);
    past.seek_offset = 100000;
    EXPECT_EQ(0, compute(text, past).ok) << "lines past the end are empty";
}

TEST_F(SignatureTest, LineEnds)
{
    std::string lf = target(bytes_of("abc\n"));
    option_record strip = region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 0, 0, 99);
    strip.params[1] = 1;
    strip.params[2] = 10;
    strip.params[3] = 13;
    EXPECT_EQ(uint32_t('a' + 'b' + 'c'), compute(lf, strip).b);
    option_record keep = strip;
    keep.params[1] = 0;
    EXPECT_EQ(uint32_t('a' + 'b' + 'c' + '\n'), compute(lf, keep).b);

    std::string crlf = target(bytes_of("abc\r\n"));
    EXPECT_EQ(uint32_t('a' + 'b' + 'c'), compute(crlf, strip).b) << "text mode drops the carriage return";
    option_record binary = strip;
    binary.option_source = SIGNATURE_SOURCE_BINARY_LINES;
    binary.params[2] = 13;
    binary.params[3] = 10;
    EXPECT_EQ(uint32_t('a' + 'b' + 'c'), compute(crlf, binary).b);
    binary.params[2] = 10;
    binary.params[3] = 13;
    EXPECT_EQ(uint32_t('a' + 'b' + 'c' + 13 + 10), compute(crlf, binary).b) << "the pair in its order only";

    std::string katakana_end = target({'a', 0xB1, '\n'});
    option_record signed_end = region_options(SIGNATURE_SOURCE_BINARY_LINES, 0, 0, 0, 99);
    signed_end.params[1] = 1;
    signed_end.params[2] = static_cast<signed char>(0xB1);
    signed_end.params[3] = '\n';
    EXPECT_EQ(uint32_t('a'), compute(katakana_end, signed_end).b) << "compared as signed characters";
}

TEST_F(SignatureTest, LongLinesContinue)
{
    std::string long_line = target(bytes_of(std::string(1500, 'a') + "\n"));
    EXPECT_EQ(998u * 'a', compute(long_line, region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 0, 0, 9999)).b);
    EXPECT_EQ(1500u * 'a' + '\n', compute(long_line, region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 0, 1, 9999)).b);
}

TEST_F(SignatureTest, ClassesInLines)
{
    // a, then the double-byte character 0x83 0x41, then 1
    std::string mixed = target({'a', 0x83, 0x41, '1', '\n'});
    option_record options = region_options(SIGNATURE_SOURCE_BINARY_LINES, 0, 0, 0, 99);
    options.params[4] = 3;
    EXPECT_EQ(uint32_t('a' + '1' + '\n'), compute(mixed, options).b);
    options.params[4] = 7;
    EXPECT_EQ(0x41u, compute(mixed, options).b);
    options.params[4] = 9;
    EXPECT_EQ(uint32_t('1'), compute(mixed, options).b);
    options.start_column = 2;
    options.params[4] = 4;
    EXPECT_EQ(0u, compute(mixed, options).b) << "the previous byte of column 2 is column 1";
}

TEST_F(SignatureTest, TermExpression)
{
    struct term_case {
        const char *name;
        const char *expression;
        const char *data;
        int holds;
    } cases[] = {
        {"a&b|c: a and b", "a&b|c", "foo bar", 1},
        {"a&b|c: a alone", "a&b|c", "foo", 0},
        {"a&b|c: c", "a&b|c", "baz", 1},
        {"a&b|c: b and c", "a&b|c", "bar baz", 1},
        {"ab: only a is tested", "ab", "foo", 1},
        {"ab: b alone", "ab", "bar", 0},
        {"a&X: X stands for a", "a&X", "foo", 1},
        {"empty alternative", "|b", "bar", 1},
        {"k is no term letter", "k", "foo", 0},
        {"upper case is no term letter", "A", "foo", 0},
        {"empty term", "d", "foo", 0},
        {"invalid letter after a found alternative", "b|X&a", "bar", 1},
        {"a&b&c", "a&b&c", "foobarbaz", 1},
        {"a&b&c missing c", "a&b&c", "foobar", 0},
        {"not found before the invalid letter", "a&b&X&c", "bar", 0},
    };
    for (const term_case &c : cases) {
        SCOPED_TRACE(c.name);
        signature_outcome outcome = compute(target(bytes_of(c.data)), term_options(c.expression, 50, 0, 77, 66));
        ASSERT_EQ(1, outcome.ok);
        EXPECT_EQ(0u, outcome.a);
        EXPECT_EQ(c.holds ? 77u : 66u, outcome.b);
    }
}

TEST_F(SignatureTest, TermExpressionFailures)
{
    std::string data = target(bytes_of("foo bar"));
    const char *invalid[] = {"X&a", "&a", "a&&b", "c|Q&b"};
    for (const char *expression : invalid) {
        SCOPED_TRACE(expression);
        EXPECT_EQ(0, compute(data, term_options(expression, 50, 0, 77, 66)).ok);
    }
    EXPECT_EQ(0, compute(data, term_options("a", 50, 0, 0, 66)).ok) << "holding with a value of 0";
    signature_outcome zero = compute(data, term_options("c", 50, 0, 77, 0));
    EXPECT_EQ(1, zero.ok) << "not holding with 0 is allowed";
    EXPECT_EQ(0u, zero.b);
    EXPECT_EQ(0, compute(data, term_options("a", 50, 0, 77, 77)).ok) << "equal values";
    EXPECT_EQ(0, compute(data, term_options("a", 0, 0, 77, 66)).ok) << "no bytes to read";
    EXPECT_EQ(0, compute(data, term_options("a", 2000000000, 0, 77, 66)).ok) << "buffer refused";
    EXPECT_EQ(0, compute(data, term_options("a", 0x7FFFFFFF, 0, 77, 66)).ok) << "buffer refused";
    EXPECT_EQ(1, compute(data, term_options("a", SIGNATURE_TERM_BUFFER_LIMIT, 0, 77, 66)).ok);
}

TEST_F(SignatureTest, TermSearchBuffer)
{
    EXPECT_EQ(66u, compute(target(bytes_of("xxxfoo")), term_options("a", 3, 0, 77, 66)).b) << "only 3 bytes read";
    EXPECT_EQ(77u, compute(target(bytes_of("xxxfoo")), term_options("a", 6, 0, 77, 66)).b);
    std::string zero_first = target({0, 'f', 'o', 'o'});
    EXPECT_EQ(66u, compute(zero_first, term_options("a", 50, 1, 77, 66)).b) << "a zero first byte hides all";
    EXPECT_EQ(66u, compute(target({'f', 0, 'o', 'o'}), term_options("a", 50, 0, 77, 66)).b);

    std::string upper = target(bytes_of("FOO"));
    EXPECT_EQ(66u, compute(upper, term_options("a", 50, 0, 77, 66)).b);
    EXPECT_EQ(77u, compute(upper, term_options("a", 50, 1, 77, 66)).b) << "case retry";
    EXPECT_EQ(77u, compute(upper, term_options("a&a", 50, 1, 77, 66)).b) << "the swapped form is tried both ways";
    EXPECT_EQ(77u, compute(target(bytes_of("fOO")), [] {
                  option_record options = term_options("a", 50, 1, 77, 66);
                  std::strcpy(options.terms[2], "Foo");
                  return options;
              }()).b);

    // The retry swaps single-byte letters only: the second byte of 0x83 0x41 is no letter "A".
    option_record double_byte = term_options("a", 50, 1, 77, 66);
    std::strcpy(double_byte.terms[2], "\x83\x41");
    EXPECT_EQ(66u, compute(target({0x83, 0x61}), double_byte).b);
    EXPECT_EQ(77u, compute(target({'x', 0x83, 0x41}), double_byte).b);

    option_record positioned = term_options("a", 3, 0, 77, 66);
    positioned.seek_offset = 3;
    EXPECT_EQ(77u, compute(target(bytes_of("xxxfoo")), positioned).b);
}

TEST_F(SignatureTest, ConstantAndUnknownMethods)
{
    option_record constant = options_for(SIGNATURE_MODE_CONSTANT, 0);
    constant.params[0] = 7;
    constant.params[1] = 9;
    signature_outcome outcome = compute(folder + "no such file", constant);
    ASSERT_EQ(1, outcome.ok) << "the constant does not open the target";
    EXPECT_EQ(7u, outcome.a);
    EXPECT_EQ(9u, outcome.b);
    EXPECT_EQ(321, outcome.id);
    constant.params[0] = 0;
    EXPECT_EQ(0, compute(folder, constant).ok);
    constant.params[0] = 7;
    constant.params[1] = 0;
    EXPECT_EQ(0, compute(folder, constant).ok);
    constant.params[1] = 9;
    constant.option_source = 1;
    EXPECT_EQ(0, compute(folder, constant).ok);

    std::string data = target(bytes_of("foo"));
    const uint8_t unknown[][2] = {{0, 3}, {1, 1}, {2, 0}, {98, 0}, {255, 255}};
    for (const auto &pair : unknown) {
        option_record options = run_options(3, 1, 0);
        options.option_mode = pair[0];
        options.option_source = pair[1];
        EXPECT_EQ(0, compute(data, options).ok);
    }
}

TEST_F(SignatureTest, UnreadableTargets)
{
    std::string locked = target(bytes_of("foo bar"));
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    std::string empty = target({});
    const std::string targets[] = {folder + "missing.bin", folder, locked, empty, ""};
    for (const std::string &path : targets) {
        SCOPED_TRACE(path);
        EXPECT_EQ(0, compute(path, run_options(3, 1, 0)).ok);
        EXPECT_EQ(0, compute(path, region_options(SIGNATURE_SOURCE_TEXT_LINES, 0, 0, 0, 9)).ok);
        EXPECT_EQ(0, compute(path, region_options(SIGNATURE_SOURCE_BINARY_LINES, 0, 0, 0, 9)).ok);
        signature_outcome terms = compute(path, term_options("a", 10, 0, 77, 66));
        if (path == empty) {
            EXPECT_EQ(1, terms.ok) << "an empty file holds no term";
            EXPECT_EQ(66u, terms.b);
        } else {
            EXPECT_EQ(0, terms.ok);
        }
    }
    CloseHandle(lock);
}

TEST_F(SignatureTest, OptionsReadFromTheDefinition)
{
    option_plugin_definition definition = constant_option_plugin(44, 5, 6);
    std::string path = folder + "c.opg";
    write_option_plugin(path, definition);
    std::string data = target(bytes_of("x"));
    option_record ignored = options_for(1, 1);
    judgement_record result;
    ASSERT_EQ(1, compute_signature(nullptr, data.c_str(), path.c_str(), ignored, &result, 0));
    EXPECT_EQ(5u, result.result_a);
    EXPECT_EQ(6u, result.result_b);
    EXPECT_EQ(44, result.definition_id);
    EXPECT_EQ(0, compute_signature(nullptr, data.c_str(), "", ignored, &result, 0));
    EXPECT_EQ(0, compute_signature(nullptr, "", path.c_str(), ignored, &result, 0));
    EXPECT_EQ(0, compute_signature(nullptr, data.c_str(), (folder + "none.opg").c_str(), ignored, &result, 0));
    EXPECT_EQ(0, compute_signature(nullptr, data.c_str(), data.c_str(), ignored, &result, 0));
}
