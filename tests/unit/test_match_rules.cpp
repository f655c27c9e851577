// The end of a match by its limits: when it comes, who wins, and what the
// screen says of it.
#include <gtest/gtest.h>

#include "match/match_rules.h"
#include "match/rules_shown.h"

namespace {

struct end_case {
    const char* what;
    match_rules rules;
    std::uint32_t ticks;
    std::vector<fighter_score> fighters;  // kills, deaths by slot
    bool over;
    int winner;
    const char* title;
};

const end_case end_cases[] = {
    {"no limits: never over", {0, 0}, 1000000, {{99, 0}, {0, 9}}, false, -1, ""},
    {"short of the score", {10, 0}, 500, {{9, 0}, {3, 2}}, false, -1, ""},
    {"the score reached", {10, 0}, 500, {{3, 1}, {10, 4}, {2, 0}}, true, 1, "BEN WINS"},
    {"a bot reaches it", {1, 0}, 5, {{0, 1}, {0, 0}, {1, 0}}, true, 2, "BOT 1 WINS"},
    {"time up, most kills", {0, 5}, 30000, {{4, 9}, {2, 0}}, true, 0, "ANNA WINS"},
    {"a second short of the time", {0, 5}, 29999, {{4, 9}, {2, 0}}, false, -1, ""},
    {"equal kills: fewer deaths win", {0, 5}, 30000, {{4, 3}, {4, 2}}, true, 1, "BEN WINS"},
    {"still equal: a draw", {0, 5}, 30000, {{4, 2}, {1, 0}, {4, 2}}, true, -1, "DRAW"},
    {"nobody killed anyone", {20, 5}, 30000, {{0, 0}, {0, 0}}, true, -1, "DRAW"},
};

TEST(MatchRules, EndAtTheScoreOrTheTimeWithTheBestOrADraw)
{
    for (const end_case& test : end_cases) {
        const match_result result = result_of(test.rules, test.ticks, test.fighters);
        EXPECT_EQ(result.over, test.over) << test.what;
        EXPECT_EQ(result.winner, test.winner) << test.what;
        if (result.over) {
            EXPECT_EQ(match_end_title(result, {"ANNA", "BEN"}), test.title) << test.what;
        }
    }
}

TEST(MatchRules, TheClockShowsWholeSecondsLeft)
{
    const match_rules five_minutes{0, 5};
    EXPECT_EQ(time_left_text(five_minutes, 0), "5:00");
    EXPECT_EQ(time_left_text(five_minutes, 1), "5:00") << "a second begun counts whole";
    EXPECT_EQ(time_left_text(five_minutes, 100), "4:59");
    EXPECT_EQ(time_left_text(five_minutes, 29901), "0:01");
    EXPECT_EQ(time_left_text(five_minutes, 30000), "0:00");
    EXPECT_EQ(time_left_text(five_minutes, 40000), "0:00");
    EXPECT_EQ(time_left_text({10, 0}, 100), "") << "no clock without a time limit";
}

}  // namespace
