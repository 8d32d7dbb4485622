// A test that runs one karvo.exe in a folder of its own and reads its quodra.ini.
#pragma once
#include "gui_driver.h"
#include "test_files.h"
#include <gtest/gtest.h>

class karvo_test : public ::testing::Test {
protected:
    void start(const std::string &tag, const std::string &ini)
    {
        ASSERT_TRUE(start_karvo(&run, tag, ini)) << "karvo.exe did not show its window";
    }
    void TearDown() override
    {
        if (run.process != nullptr) {
            EXPECT_EQ(0, stop_karvo(&run));
        }
        remove_folder_tree(run.fixture.folder);
    }
    std::string ini() const { return ini_path_of(run); }
    std::string value(const char *section, const char *key) const
    {
        char text[1024] = "";
        GetPrivateProfileStringA(section, key, "(missing)", text, sizeof text, ini().c_str());
        return text;
    }
    karvo_run run;
};
