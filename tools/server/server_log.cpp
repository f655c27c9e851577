#include "server_log.h"

#include <cstdio>

#include "match/scoreboard.h"

void log_line(const std::string& text)
{
    std::printf("%s\n", stamped(std::time(nullptr), text).c_str());
    std::fflush(stdout);
}

std::string stamped(std::time_t when, const std::string& text)
{
    std::tm utc{};
    gmtime_r(&when, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return std::string(stamp) + " " + text;
}

const char* blow_name(int cause)
{
    static const char* const names[] = {"pistol", "machine gun", "shotgun", "minigun", "grenade", "fall"};
    return cause >= 0 && cause <= blow_fall ? names[cause] : "unknown";
}

std::string kill_text(const match_event& death, const std::vector<std::string>& human_names)
{
    std::string text = "kill ";
    if (death.killer >= 0)
        text += fighter_name(death.killer, human_names) + " ";
    return text + "[" + blow_name(death.cause) + "] " + fighter_name(death.slot, human_names);
}

std::string result_text(const match_result& result, const std::vector<std::string>& human_names)
{
    return result.winner < 0 ? "draw" : "winner " + fighter_name(result.winner, human_names);
}

std::string lineup_text(const std::vector<std::string>& human_names, int bots)
{
    std::string text;
    for (std::size_t i = 0; i < human_names.size(); i++)
        text += (i == 0 ? "" : ", ") + human_names[i];
    if (bots > 0)
        text += (text.empty() ? "" : " and ") + std::to_string(bots) + (bots == 1 ? " bot" : " bots");
    return text;
}
