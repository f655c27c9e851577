#include "dedicated_server.h"

#include <cstdio>
#include <thread>

#include "match/cgame.h"
#include "match/match_shape.h"
#include "net/net_link.h"
#include "replay/replay_folder.h"
#include "server_log.h"
#include "stop_signals.h"

namespace {

// Held up (a busy machine), the loop runs the ticks it missed at once, as
// the players' clocks went on meanwhile; behind by more than this (a machine
// that slept), every player has given it up already, and it starts afresh.
const std::chrono::seconds most_behind(5);
const int replays_kept = 20;

std::string rules_text(const server_options& settings)
{
    if (settings.score_limit == 0 && settings.time_limit == 0)
        return "no limits: a match ends when every player has left";
    std::string text;
    if (settings.score_limit > 0)
        text = "score limit " + std::to_string(settings.score_limit);
    if (settings.time_limit > 0)
        text += (text.empty() ? "" : ", ") + std::string("time limit ") + std::to_string(settings.time_limit) +
                " min";
    return text;
}

// What the lobby offers for a match on `map`.
lobby_offer offer_of(const server_options& settings, const std::string& map)
{
    lobby_offer next;
    next.host_name = settings.name;
    next.map_name = map;
    next.bots = static_cast<int>(settings.bots);
    next.skill = static_cast<int>(settings.skill);
    next.most_players = static_cast<int>(settings.most_players);
    next.rules = rules_of(settings);
    return next;
}

}  // namespace

dedicated_server::dedicated_server(const server_options& chosen, map_rotation& rotation,
                                   const std::string& replay_folder)
    : settings(chosen),
      maps(rotation),
      replays(replay_folder),
      countdown(static_cast<int>(chosen.wait_for), std::chrono::seconds(chosen.lobby_seconds)),
      seeds(std::random_device()())
{
}

bool dedicated_server::open(std::string& error)
{
    std::unique_ptr<net_transport> link = link_for_host(static_cast<std::uint16_t>(settings.port), error);
    if (!link)
        return false;
    session.open(std::move(link), own_role::server);
    session.offer(offer_of(settings, maps.next().name));
    std::string names;
    for (std::size_t i = 0; i < maps.size(); i++, maps.advance())
        names += (i == 0 ? "" : ", ") + maps.next().name;
    log_line("serving \"" + settings.name + "\" on UDP port " + std::to_string(settings.port) + ": maps " +
             names + "; " + std::to_string(settings.bots) + " bots (" + skill_name(settings.skill) + "); " +
             rules_text(settings) + "; a match starts once " + std::to_string(settings.wait_for) + " of at most " +
             std::to_string(settings.most_players) + " humans have been in the lobby " +
             std::to_string(settings.lobby_seconds) + " s; replays in " + replays);
    return true;
}

int dedicated_server::run()
{
    auto next = std::chrono::steady_clock::now();
    while (stop_signal() == 0) {
        if (!tick()) {
            log_line("stopped: " + session.get_ended_why());
            return 1;
        }
        log.watch_watchers(session);
        next += tick_time;
        const auto now = std::chrono::steady_clock::now();
        if (now - next > most_behind)
            next = now;
        std::this_thread::sleep_until(next);
    }
    stop(stop_signal());
    return 0;
}

bool dedicated_server::tick()
{
    const bool playing = cycle.in_match();
    const match_cycle::news news = cycle.tick(control_reading{});
    if (news == match_cycle::news::ended)
        return false;
    if (playing)
        log.watch_match(session);
    if (news == match_cycle::news::back_in_lobby)
        after_match();
    if (cycle.in_lobby())
        in_lobby();
    else if (cycle.in_match() && log.everyone_left())
        end_early();
    return true;
}

// A match whose players have all left: nobody is there to see it end.
void dedicated_server::end_early()
{
    match_result result;
    std::uint32_t at = 0;
    if (!session.match_over(result, at))
        log_line("match " + std::to_string(log.match_number()) + " ended early: every player left");
    if (cycle.back_to_lobby() == match_cycle::news::back_in_lobby)
        after_match();
}

void dedicated_server::in_lobby()
{
    log.watch_lobby(session);
    if (countdown.due(static_cast<int>(session.get_roster().humans().size()), std::chrono::steady_clock::now()))
        start_next();
}

void dedicated_server::start_next()
{
    const rotation_map& played = maps.next();
    std::string error;
    const bool started = cycle.start(played.name, played.text, seeds(), error);
    maps.advance();
    session.offer(offer_of(settings, maps.next().name));
    if (!started) {
        log_line("no match on " + played.name + ": " + error);
        countdown.open();
        return;
    }
    log.match_started(session, log.match_number() + 1);
    began = std::chrono::steady_clock::now();
    figures_then = process_figures_now();
    sent_then = session.get_counts().bytes_sent;
}

void dedicated_server::after_match()
{
    keep_replay();
    // Per 10 ms tick of the loop from the start to the lobby, the end's
    // screen included.
    const process_figures now = process_figures_now();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    const double loop_ticks = seconds * 1000 / tick_time.count();
    std::fprintf(stderr,
                 "zk3-server: match %d ticks %u seconds %.1f cpu_us_per_tick %.0f sent_bytes_per_second %.0f "
                 "resident_kb %ld peak_kb %ld\n",
                 log.match_number(), session.get_match().get_tick(), seconds,
                 loop_ticks > 0 ? (now.cpu_ms - figures_then.cpu_ms) * 1000 / loop_ticks : 0.0,
                 seconds > 0 ? static_cast<double>(session.get_counts().bytes_sent - sent_then) / seconds : 0.0,
                 now.resident_kb, now.peak_kb);
    log.match_left();
    countdown.open();
}

void dedicated_server::keep_replay()
{
    const std::string match = "match " + std::to_string(log.match_number());
    if (session.get_match().get_tick() == 0)
        return;
    std::string path, error;
    if (save_replay(recording_of(session), replays, replays_kept, path, error))
        log_line(match + " replay " + path);
    else
        log_line(match + " replay not kept: " + error);
}

void dedicated_server::stop(int signal_number)
{
    log_line(std::string("stopping on ") + signal_name(signal_number));
    const bool playing = cycle.in_match();
    cycle.leave();
    if (playing) {
        log_line("match " + std::to_string(log.match_number()) + " stopped");
        after_match();
    }
    log_line("stopped: every peer told");
    game.deinit();
}
