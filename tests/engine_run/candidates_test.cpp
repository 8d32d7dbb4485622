// Ranking of candidates into the first, second and third places, with the marks for empty places and
// key ids that the key file does not carry.
#include "candidates.h"
#include "engine_fixtures.h"
#include "test_files.h"
#include <gtest/gtest.h>

namespace {

struct ranking_case {
    const char *name;
    std::vector<float> scores;      // candidate i has key_id i + 1
    const char *extensions[3];
    float ranked[3];
};

}  // namespace

TEST(RankCandidates, Places)
{
    dataset_fixture fixture = make_dataset_fixture("rank");
    write_keys(fixture, {{1, "one", "first key"}, {2, "two", "second key"}, {3, "three", "third key"},
                         {4, "four", "fourth key"}});
    const ranking_case cases[] = {
        {"50 40 30 10", {50, 40, 30, 10}, {"one", "two", "three"}, {50, 40, 30}},
        {"10 50 5", {10, 50, 5}, {"two", "one", "three"}, {50, 10, 5}},
        {"70 70: the later ranks higher", {70, 70}, {"two", "one", "???"}, {70, 70, 0}},
        {"one candidate", {42}, {"one", "???", "???"}, {42, 0, 0}},
        {"10 20 30 40", {10, 20, 30, 40}, {"four", "three", "two"}, {40, 30, 20}},
        {"ties everywhere", {5, 5, 5, 5}, {"four", "three", "two"}, {5, 5, 5}},
        {"second tie", {90, 50, 50}, {"one", "three", "two"}, {90, 50, 50}},
        {"third tie", {90, 80, 10, 10}, {"one", "two", "four"}, {90, 80, 10}},
    };
    for (const ranking_case &c : cases) {
        SCOPED_TRACE(c.name);
        candidate_list list;
        clear_candidates(&list);
        for (size_t i = 0; i < c.scores.size(); i++) add_candidate(&list, static_cast<uint16_t>(i + 1), c.scores[i]);
        clear_identification_state();
        rank_candidates(&list, fixture.key_path.c_str(), &g_identification_result);
        EXPECT_STREQ(c.extensions[0], g_identification_result.first_extension);
        EXPECT_STREQ(c.extensions[1], g_identification_result.second_extension);
        EXPECT_STREQ(c.extensions[2], g_identification_result.third_extension);
        EXPECT_EQ(c.ranked[0], g_identification_result.first_score);
        EXPECT_EQ(c.ranked[1], g_identification_result.second_score);
        EXPECT_EQ(c.ranked[2], g_identification_result.third_score);
    }
    remove_folder_tree(fixture.folder);
}

TEST(RankCandidates, MarksAndComment)
{
    dataset_fixture fixture = make_dataset_fixture("rank_marks");
    write_keys(fixture, {{1, "one", "the first comment"}});
    candidate_list list;
    clear_candidates(&list);
    clear_identification_state();
    rank_candidates(&list, fixture.key_path.c_str(), &g_identification_result);
    EXPECT_STREQ("???", g_identification_result.first_extension);
    EXPECT_STREQ("None", g_identification_result.first_comment);
    EXPECT_EQ(0.0f, g_identification_result.first_score);
    EXPECT_STREQ("???", g_identification_result.second_extension);
    EXPECT_STREQ("???", g_identification_result.third_extension);

    add_candidate(&list, 1, 60.0f);
    rank_candidates(&list, fixture.key_path.c_str(), &g_identification_result);
    EXPECT_STREQ("one", g_identification_result.first_extension);
    EXPECT_STREQ("the first comment", g_identification_result.first_comment);

    clear_candidates(&list);
    add_candidate(&list, 1, 20.0f);
    add_candidate(&list, 99, 60.0f);
    add_candidate(&list, 98, 10.0f);
    rank_candidates(&list, fixture.key_path.c_str(), &g_identification_result);
    EXPECT_STREQ("---", g_identification_result.first_extension) << "key 99 is not in the key file";
    EXPECT_STREQ("read error", g_identification_result.first_comment);
    EXPECT_EQ(60.0f, g_identification_result.first_score) << "the score is kept";
    EXPECT_STREQ("one", g_identification_result.second_extension);
    EXPECT_STREQ("---", g_identification_result.third_extension);
    EXPECT_EQ(10.0f, g_identification_result.third_score);

    rank_candidates(&list, (fixture.folder + "none.key").c_str(), &g_identification_result);
    EXPECT_STREQ("---", g_identification_result.first_extension) << "no key file";
    remove_folder_tree(fixture.folder);
}

TEST(RankCandidates, ListHoldsOneHundred)
{
    candidate_list list;
    clear_candidates(&list);
    for (int i = 0; i < CANDIDATE_MAX; i++) EXPECT_EQ(1, add_candidate(&list, 1, 1.0f));
    EXPECT_EQ(0, add_candidate(&list, 1, 1.0f));
    EXPECT_EQ(CANDIDATE_MAX, list.count);
}
