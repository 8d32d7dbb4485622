// A judge library of the build loaded by its export names, as the program loads it, and called with a header
// of a given identity and switch; shared by the judge libraries' tests.
#pragma once
#include "judge_interface.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <string>

class judge_library_test : public ::testing::Test {
protected:
    judge_library_test(const char *library_name, uint16_t identity, const char *folder_tag)
        : library_name(library_name), own_identity(identity), folder_tag(folder_tag)
    {
    }
    void SetUp() override
    {
        std::string path = test_program_folder() + library_name;
        library = LoadLibraryA(path.c_str());
        ASSERT_NE(library, nullptr) << path;
        entry = reinterpret_cast<judge_entry_function>(
            reinterpret_cast<void *>(GetProcAddress(library, JUDGE_ENTRY_EXPORT)));
        calculate = reinterpret_cast<judge_calculate_function>(
            reinterpret_cast<void *>(GetProcAddress(library, JUDGE_CALCULATE_EXPORT)));
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(calculate, nullptr);
        folder = make_test_folder(folder_tag);
    }
    void TearDown() override
    {
        if (library != nullptr) FreeLibrary(library);
        remove_folder_tree(folder);
    }

    // The judge's call with a header of the given identity and switch; the record's result_b, or the call's
    // own result (0 or 1) in *returned.
    uint32_t judge(const std::string &target, uint16_t identity, uint8_t mode, int32_t *returned)
    {
        plugin_header header = {};
        header.flags = DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED;
        header.judge_library_id = identity;
        header.option_mode = mode;
        uint32_t w[JUDGE_HEADER_WORDS];
        split_header_words(header, w);
        judgement_record record = {};
        int32_t result = calculate(nullptr, "", w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9], w[10],
                                   w[11], w[12], w[13], w[14], w[15], w[16], w[17], w[18], w[19], w[20], w[21],
                                   target.c_str(), &record, 0, 0);
        if (returned != nullptr) *returned = result;
        EXPECT_EQ(record.result_a, 0u);
        return record.result_b;
    }
    // The same with this library's own identity, switched on.
    uint32_t judge(const std::string &target) { return judge(target, own_identity, 1, nullptr); }

    const char *library_name;
    uint16_t own_identity;
    const char *folder_tag;
    HMODULE library = nullptr;
    judge_entry_function entry = nullptr;
    judge_calculate_function calculate = nullptr;
    std::string folder;
};
