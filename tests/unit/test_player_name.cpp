// Players' names: the one rule, a login made to fit it, and the bots' names.
#include <string>

#include <gtest/gtest.h>

#include "match/player_name.h"

namespace {

TEST(PlayerName, TheRuleTakesLettersDigitsSpaceDashAndUnderscoreUpToFifteen)
{
    const struct {
        const char* name;
        bool taken;
    } cases[] = {
        {"A", true},           {"Ann-2_b c", true},         {"FIFTEEN_LETTERS", true},
        {"", false},           {"SIXTEEN_LETTERSX", false}, {"ann.b", false},
        {"tab\there", false},  {"caf\xc3\xa9", false},      {"a/b", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(is_player_name(c.name), c.taken) << c.name;
}

TEST(PlayerName, ALoginIsMadeToFit)
{
    const struct {
        const char* login;
        const char* fitted;
    } cases[] = {
        {"ann", "ann"},
        {"j.doe", "j_doe"},
        {"x@@y", "x_y"},
        {".hidden", "hidden"},
        {"averyveryverylonglogin", "averyveryverylo"},
        {"  ", "PLAYER"},
        {"\xc3\xa9\xc3\xa9", "PLAYER"},
        {"", "PLAYER"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitted_player_name(c.login), c.fitted) << c.login;
        EXPECT_TRUE(is_player_name(fitted_player_name(c.login))) << c.login;
    }
    EXPECT_TRUE(is_player_name(login_player_name()));
    EXPECT_EQ(bot_name(1), "BOT 1");
    EXPECT_EQ(bot_name(10), "BOT 10");
}

}  // namespace
