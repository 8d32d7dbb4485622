// The identification's one view of its target: probes, runs of bytes and term tests read what a fresh
// open would read, inside the kept head, inside the kept block, across their edges, past the end and
// through positions that a move cannot reach, with many reads sharing one view.
#include "scoring.h"
#include "signature.h"
#include "target_view.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int FILE_SIZE = 20000;

class TargetViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = make_test_folder("target_view");
        path = folder + "target.bin";
        // Pseudo-random bytes without a zero (signatures and terms are text).
        uint32_t seed = 12345;
        for (int i = 0; i < FILE_SIZE; i++) {
            seed = seed * 1103515245u + 12345u;
            bytes.push_back(static_cast<unsigned char>(1 + (seed >> 16) % 255));
        }
        ASSERT_EQ(1, write_file_bytes(path, bytes));
    }
    void TearDown() override { remove_folder_tree(folder); }
    std::string folder;
    std::string path;
    std::vector<unsigned char> bytes;
};

// Whether a probe from (origin, offset) finds the four bytes at `at`, read the way a fresh open reads.
int expected_found(const std::vector<unsigned char> &bytes, int origin, int32_t offset, int at)
{
    long long position = (origin == 2 ? static_cast<long long>(bytes.size()) : 0) + offset;
    if (origin > 2 || position < 0) position = 0;
    unsigned char window[50] = {};
    for (int i = 0; i < 50 && position + i < static_cast<long long>(bytes.size()); i++)
        window[i] = bytes[static_cast<size_t>(position + i)];
    if (position >= static_cast<long long>(bytes.size())) return 0;
    for (int start = 0; start <= 50 - 1 - 4; start++)
        if (std::memcmp(window + start, &bytes[static_cast<size_t>(at)], 4) == 0) return 1;
    return 0;
}

TEST_F(TargetViewTest, ProbesReadWhatAFreshOpenReads)
{
    struct probe_case {
        int origin;
        int32_t offset;
        int at;  // where the signature is taken from
    } cases[] = {
        {0, 0, 10},      {0, 4080, 4090},   {0, 4090, 4100},  {0, 4096, 4120},   {0, 6000, 6030},
        {0, 8180, 8200}, {0, 8190, 8230},   {1, 100, 130},    {0, -5, 10},       {1, -1, 20},
        {2, -50, 19960}, {2, -100, 19990},  {2, -30, 19980},  {2, 0, 19990},     {2, -20001, 10},
        {2, 5, 19990},   {0, 19990, 19996}, {0, 25000, 100},  {0, 6000, 7000},   {3, 6000, 6010},
        {0, 2040, 2060}, {0, 4050, 4095},   {0, 4050, 4096},  {0, 12000, 12040}, {0, 6100, 6140},
    };
    target_view shared;
    start_target_view(&shared, path.c_str());
    for (const probe_case &c : cases) {
        SCOPED_TRACE(std::to_string(c.origin) + " " + std::to_string(c.offset) + " " + std::to_string(c.at));
        pattern_table table;
        std::memset(&table, 0, sizeof table);
        table.count = 1;
        table.key_id[0] = 1;
        table.base_score[0] = 60;
        table.probe[0] = 1;
        std::memcpy(table.signature[0], &bytes[static_cast<size_t>(c.at)], 4);
        table.origin[0] = static_cast<uint8_t>(c.origin);
        table.offset[0] = c.offset;
        table.found_score[0] = 200;
        float want = expected_found(bytes, c.origin, c.offset, c.at) ? 130.0f : 55.0f;
        float alone = 0.0f, in_view = 0.0f;
        evaluate_patterns(nullptr, path.c_str(), 1, &table, &alone);
        evaluate_patterns_in(nullptr, &shared, 1, &table, &in_view);
        EXPECT_EQ(want, alone);
        EXPECT_EQ(want, in_view);
    }
    end_target_view(&shared);
}

// Sums of runs of bytes and term tests at places inside and past the head, each read twice in one view.
TEST_F(TargetViewTest, RunsOfBytesAndTermsReadWhatAFreshOpenReads)
{
    struct run_case {
        int origin;
        int32_t offset;
        int32_t count;
    } cases[] = {
        {0, 0, 500},  {0, 0, 4500}, {0, 3000, 1500}, {0, 0, 9999}, {0, 15000, 6500},
        {2, -700, 300}, {2, -3000, 2999}, {0, 30000, 10}, {1, 4095, 2}, {0, 0, 19999},
    };
    target_view shared;
    start_target_view(&shared, path.c_str());
    for (const run_case &c : cases) {
        SCOPED_TRACE(std::to_string(c.origin) + " " + std::to_string(c.offset) + " " + std::to_string(c.count));
        long long start = (c.origin == 2 ? FILE_SIZE : 0) + c.offset + (c.count / 1000) * 1000;
        uint32_t want = 0;
        for (long long i = start; i < start + c.count % 1000 && i < FILE_SIZE; i++)
            want = want % 0xFFFFFF00u + bytes[static_cast<size_t>(i)];
        option_record options;
        std::memset(&options, 0, sizeof options);
        options.option_source = 2;
        options.seek_origin = static_cast<uint8_t>(c.origin);
        options.seek_offset = c.offset;
        options.params[0] = c.count;
        options.params[2] = 1;
        for (int pass = 0; pass < 2; pass++) {
            judgement_record result;
            int computed = compute_signature_in(nullptr, &shared, "", options, &result, 1);
            EXPECT_EQ(want != 0, computed != 0);
            EXPECT_EQ(want, result.result_b);
        }
    }
    // A term at the end of a 19,000-byte read (its six bytes occur nowhere before): found only when the read
    // reaches it.
    option_record terms;
    std::memset(&terms, 0, sizeof terms);
    terms.option_mode = 1;
    std::strcpy(terms.terms[0], "a");
    std::memcpy(terms.terms[2], &bytes[18990], 6);
    terms.params[2] = 5;
    terms.params[3] = 6;
    const int32_t reads[] = {18995, 18996, 19000, 16};
    const uint32_t answers[] = {6, 5, 5, 6};
    for (int i = 0; i < 4; i++) {
        terms.params[0] = reads[i];
        judgement_record result;
        ASSERT_EQ(1, compute_signature_in(nullptr, &shared, "", terms, &result, 1));
        EXPECT_EQ(answers[i], result.result_b) << reads[i];
        ASSERT_EQ(1, compute_signature(nullptr, path.c_str(), "", terms, &result, 1));
        EXPECT_EQ(answers[i], result.result_b) << reads[i];
    }
    end_target_view(&shared);
}

// A view of a file that cannot be opened reads nothing and says so; one ended can be used again.
TEST_F(TargetViewTest, UnopenableAndReopened)
{
    target_view view;
    std::string missing = folder + "missing.bin";
    start_target_view(&view, missing.c_str());
    EXPECT_EQ(0, target_view_readable(&view));
    EXPECT_EQ(0, target_view_shared_readable(&view));
    unsigned char buffer[8];
    EXPECT_EQ(0, read_target_at(&view, 0, buffer, 8));
    end_target_view(&view);
    start_target_view(&view, path.c_str());
    ASSERT_EQ(1, target_view_readable(&view));
    EXPECT_EQ(FILE_SIZE, view.size);
    end_target_view(&view);
    ASSERT_EQ(1, target_view_shared_readable(&view));
    EXPECT_EQ(8, read_target_at(&view, FILE_SIZE - 8, buffer, 8));
    EXPECT_EQ(0, std::memcmp(buffer, &bytes[FILE_SIZE - 8], 8));
    EXPECT_EQ(0, read_target_at(&view, FILE_SIZE, buffer, 8));
    end_target_view(&view);
}

// Handles closed while a judge library has the file: the bytes kept are read without the file, bytes past
// them open it again (the other engine may hold it meanwhile), and a file gone by then reads as nothing
// while what was kept still reads.
TEST_F(TargetViewTest, HandlesClosedForAJudgeKeepWhatWasRead)
{
    for (int shared = 0; shared <= 1; shared++) {
        SCOPED_TRACE(shared ? "shared open" : "scorer's open");
        target_view view;
        start_target_view(&view, path.c_str());
        ASSERT_EQ(1, shared ? target_view_shared_readable(&view) : target_view_readable(&view));
        close_target_handles(&view);
        // Nobody holds the file now: it can be opened without sharing.
        HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, exclusive);
        unsigned char buffer[8];
        EXPECT_EQ(1, target_view_readable(&view));
        EXPECT_EQ(1, target_view_shared_readable(&view));
        EXPECT_EQ(8, read_target_at(&view, TARGET_BLOCK_SIZE - 8, buffer, 8));
        EXPECT_EQ(0, std::memcmp(buffer, &bytes[TARGET_BLOCK_SIZE - 8], 8));
        // Past the head while the exclusive handle is open: no bytes.
        EXPECT_EQ(0, read_target_at(&view, TARGET_BLOCK_SIZE, buffer, 8));
        CloseHandle(exclusive);
        EXPECT_EQ(8, read_target_at(&view, TARGET_BLOCK_SIZE, buffer, 8));
        EXPECT_EQ(0, std::memcmp(buffer, &bytes[TARGET_BLOCK_SIZE], 8));
        // Gone after another close: the kept block and head still read, other bytes do not.
        close_target_handles(&view);
        ASSERT_TRUE(DeleteFileA(path.c_str()));
        EXPECT_EQ(8, read_target_at(&view, TARGET_BLOCK_SIZE, buffer, 8));
        EXPECT_EQ(8, read_target_at(&view, 0, buffer, 8));
        EXPECT_EQ(0, read_target_at(&view, FILE_SIZE - 8, buffer, 8));
        end_target_view(&view);
        ASSERT_EQ(1, write_file_bytes(path, bytes));
    }
}

}  // namespace
