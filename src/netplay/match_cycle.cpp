#include "netplay/match_cycle.h"

bool match_cycle::start(const std::string& map_name, const std::string& map_text, std::uint32_t seed,
                        std::string& error)
{
    if (!session.start_match(map_name, map_text, seed, error))
        return false;
    notice();
    return true;
}

match_cycle::news match_cycle::tick(const control_reading& local)
{
    session.poll();
    session.tick(local);
    return notice();
}

match_cycle::news match_cycle::hear(int wait_ms)
{
    session.poll(wait_ms);
    return notice();
}

match_cycle::news match_cycle::back_to_lobby()
{
    session.return_to_lobby();
    return notice();
}

match_cycle::news match_cycle::leave()
{
    session.leave();
    return notice();
}

// The phase's change first: a match's end shows a while before the host
// takes everyone back, so the two never come on one tick.
match_cycle::news match_cycle::notice()
{
    const net_session::phase was = seen;
    seen = session.get_phase();
    if (seen != was) {
        if (seen == net_session::phase::playing) {
            over_told = false;
            return news::began;
        }
        if (seen == net_session::phase::ended)
            return news::ended;
        return was == net_session::phase::playing ? news::back_in_lobby : news::none;
    }
    if (seen == net_session::phase::playing && !over_told && session.match_over(result, ended_at)) {
        over_told = true;
        return news::over;
    }
    return news::none;
}
