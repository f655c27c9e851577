// Peers of a network match in one process: each owns the game's match in
// turn (its state swapped in and out through snapshots), and a pretend
// network between them delays and loses readings. However late the others'
// controls arrive, every peer ends in the same state as one match stepped
// on all the real controls; a peer that leaves is played on by a bot; a
// peer whose state went astray is caught at the next hash.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "app/sound.h"
#include "fighters/cplayer.h"
#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/control.h"
#include "match/match_hash.h"
#include "match/match_snapshot.h"
#include "net/net_recording.h"
#include "net/rollback.h"
#include "replay/death_replay.h"
#include "replay/replay_player.h"
#include "test_fighter.h"

namespace {

// A hand of its own for every slot: walks, jumps, aims about, fires.
control_reading hand(int slot, std::uint32_t tick)
{
    const std::uint32_t phase = tick + 97u * static_cast<std::uint32_t>(slot);
    control_reading reading;
    if (phase % 300 < 120)
        reading.keys |= key_right;
    else if (phase % 300 > 200)
        reading.keys |= key_left;
    if (phase % 70 == 0)
        reading.keys |= key_jump;
    if (phase % 50 < 30)
        reading.buttons |= button_fire;
    reading.pointer_x = static_cast<int>(400 + (phase * 13) % 1100);
    reading.pointer_y = static_cast<int>(200 + (phase * 7) % 700);
    return reading;
}

// What had happened after `at` steps.
std::vector<match_event> happened_by(const match_events& events, std::uint32_t at)
{
    return {events.all().begin(), events.all().begin() + static_cast<std::ptrdiff_t>(events.count_by(at))};
}

struct peer {
    int slot = 0;
    rollback_match session;
    match_snapshot live;  // this peer's match while another one owns the game
    bool gone = false;
};

struct in_flight {
    int to;
    int slot;
    std::uint32_t tick;
    control_reading reading;
    int due;  // harness step it arrives on
};

class Rollback : public testing::Test {
protected:
    void SetUp() override
    {
        kept = options.get_kept();
        options.set_skill(1);
        std::ifstream file("zkm/tower.zkm");
        ASSERT_TRUE(map.read(file, "zkm/tower.zkm")) << map.get_error();
        device_slot = -1;
    }
    void TearDown() override
    {
        device_slot = 0;
        game.deinit();
        options.restore(kept);
    }

    // Every peer from the same start: `humans` humans and three bots.
    void start(int humans)
    {
        lineup.humans = humans;
        lineup.bots = 3;
        std::srand(77);
        game = cgame();
        game.start(lineup);
        first.save();
        peers.clear();
        for (int slot = 0; slot < humans; slot++) {
            auto joined = std::make_unique<peer>();
            joined->slot = slot;
            first.restore();
            joined->session.start(humans, slot);
            joined->live.save();
            peers.push_back(std::move(joined));
        }
    }

    // One tick of the wall clock on every peer: its own controls, what has
    // arrived, a step (or a wait), and its readings sent to the others from
    // where each of them is (as acknowledgements would tell), `delay` steps
    // late and each lost at `lose_percent`.
    void tick_all(int delay, int lose_percent)
    {
        for (auto& p : peers) {
            if (p->gone)
                continue;
            p->live.restore();
            for (const delay_change& change : delay_changes)
                if (change.slot == p->slot && change.at == now)
                    p->session.set_input_delay(change.ticks);
            p->session.add_local(hand(p->slot, p->session.get_tick() + p->session.get_input_delay()));
            for (auto message = wire.begin(); message != wire.end();) {
                if (message->to == p->slot && message->due <= now) {
                    p->session.add_remote(message->slot, message->tick, message->reading);
                    message = wire.erase(message);
                } else {
                    ++message;
                }
            }
            step_peer(*p);
            p->live.save();
            const auto& mine = p->session.known(p->slot);
            for (auto& other : peers) {
                if (other.get() == p.get() || other->gone)
                    continue;
                for (std::size_t at = other->session.known(p->slot).size(); at < mine.size(); at++) {
                    loss = loss * 1103515245u + 12345u;
                    if (static_cast<int>((loss >> 16) % 100) < lose_percent)
                        continue;
                    wire.push_back({other->slot, p->slot, static_cast<std::uint32_t>(at), mine[at], now + delay});
                }
            }
        }
        now++;
    }

    // Ticks every peer until each knows its hash after `at` ticks.
    void run_until_hashed(std::uint32_t at, int delay, int lose_percent)
    {
        std::uint64_t hash;
        for (int guard = 0; guard < 20000; guard++) {
            bool all = true;
            for (auto& p : peers)
                all = all && (p->gone || p->session.final_hash(at, hash));
            if (all)
                return;
            tick_all(delay, lose_percent);
        }
        FAIL() << "the peers never agreed up to tick " << at;
    }

    std::uint64_t hash_of(const peer& p, std::uint32_t at)
    {
        std::uint64_t hash = 0;
        EXPECT_TRUE(p.session.final_hash(at, hash));
        return hash;
    }

    // The same match stepped once on the real controls the first peer knows;
    // what happened in it in `events`.
    std::uint64_t truth(std::uint32_t at)
    {
        first.restore();
        events.clear();
        const rollback_match& known = peers[0]->session;
        for (std::uint32_t step = 0; step < at; step++) {
            for (int slot = 0; slot < known.human_count(); slot++) {
                if (step < known.entered_at(slot))
                    continue;
                if (step == known.entered_at(slot) && step > 0) {
                    players[slot].become_human(late_look);
                    events.entry(slot);
                }
                if (step == known.left_at(slot)) {
                    players[slot].become_bot();
                    events.leave(slot);
                }
                if (step < known.left_at(slot))
                    controls[slot] = known.known(slot)[step];
            }
            game.step(&events);
        }
        return match_hash();
    }

    // What had happened in a peer's match after `at` ticks is what happened
    // in the true match, however often the peer went back and stepped again.
    void expect_events_as_truth(const peer& p, std::uint32_t at, int wanted_entries, int wanted_leaves,
                                bool with_deaths = false)
    {
        EXPECT_EQ(happened_by(p.session.get_events(), at), events.all()) << "peer " << p.slot;
        int deaths = 0, entries = 0, leaves = 0;
        for (const match_event& happened : events.all()) {
            deaths += happened.what == match_event::kind::death;
            entries += happened.what == match_event::kind::entry;
            leaves += happened.what == match_event::kind::leave;
        }
        EXPECT_EQ(deaths > 0, with_deaths);
        EXPECT_EQ(entries, wanted_entries);
        EXPECT_EQ(leaves, wanted_leaves);
    }

    // The start every peer was told, with those who came in late.
    net_start start_of_match() const
    {
        net_start start;
        start.seed = 77;
        start.skill = 1;
        start.bots = lineup.bots;
        for (int human = 0; human < peers[0]->session.human_count(); human++) {
            net_player look;
            for (int i = 0; i < 3; i++)
                look.colors[i] = human < lineup.humans ? lineup.colors[human][i] : late_look[i];
            start.humans.push_back(look);
        }
        std::ifstream file("zkm/tower.zkm");
        std::ostringstream text;
        text << file.rdbuf();
        start.map_name = "tower.zkm";
        start.map_text = text.str();
        return start;
    }

    // The replay plays through every checkpoint to the first peer's state
    // after `at` ticks.
    void expect_replay_ends_in(const replay_data& replay, std::uint32_t at)
    {
        replay_player player;
        std::string error;
        ASSERT_TRUE(player.start(replay, error)) << error;
        while (player.step()) {
        }
        EXPECT_EQ(player.get_mismatch(), -1);
        EXPECT_EQ(player.get_tick(), at);
        EXPECT_EQ(match_hash(), hash_of(*peers[0], at));
        // Seeking back and playing on again tells what happened only once.
        player.seek(at / 2);
        while (player.step()) {
        }
        player.stop();
        EXPECT_EQ(player.get_events().all(), happened_by(peers[0]->session.get_events(), at));
        device_slot = -1;
    }

    // A peer's own input delay changes on a harness step.
    struct delay_change {
        int slot;
        int at;
        std::uint32_t ticks;
    };
    std::vector<delay_change> delay_changes;
    // A peer's step of its match, as its screen takes it.
    std::function<void(peer&)> step_peer = [](peer& p) { p.session.advance(); };
    const int late_look[3] = {1, 4, 2};
    kept_settings kept;
    match_lineup lineup;
    match_snapshot first;
    match_events events;  // the true match's
    std::vector<std::unique_ptr<peer>> peers;
    std::deque<in_flight> wire;
    int now = 0;
    std::uint32_t loss = 5;
};

TEST_F(Rollback, LateAndLostControlsStillLeaveEveryPeerInTheTrueState)
{
    const struct {
        int humans, delay, lose_percent;
    } cases[] = {{2, 0, 0}, {2, 5, 0}, {3, 5, 20}, {3, 15, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.humans << " humans, " << c.delay << " ticks late, "
                                        << c.lose_percent << "% lost");
        start(c.humans);
        run_until_hashed(600, c.delay, c.lose_percent);
        const std::uint64_t first_peer = hash_of(*peers[0], 600);
        for (auto& p : peers)
            EXPECT_EQ(hash_of(*p, 600), first_peer) << "peer " << p->slot;
        EXPECT_EQ(truth(600), first_peer);
        for (auto& p : peers)
            expect_events_as_truth(*p, 600, 0, 0);
        if (c.delay > static_cast<int>(rollback_match::fewest_delay)) {
            EXPECT_GT(peers[0]->session.get_ticks_redone(), 0u) << "late controls were made good";
        }
    }
}

// Each peer lengthens and shortens its own delay as it likes; the others
// still see one reading a tick and every peer ends in the true state.
TEST_F(Rollback, DelaysThatChangeMidMatchLeaveEveryPeerInTheTrueState)
{
    delay_changes = {{0, 100, 6}, {1, 120, 4}, {2, 150, 3}, {0, 250, 3}, {1, 260, 6},
                     {1, 300, 2}, {2, 301, 6}, {0, 400, 2}, {2, 402, 5}};
    start(3);
    run_until_hashed(600, 8, 10);
    for (auto& p : peers)
        EXPECT_EQ(hash_of(*p, 600), hash_of(*peers[0], 600)) << "peer " << p->slot;
    EXPECT_EQ(truth(600), hash_of(*peers[0], 600));
    // Its own readings run the delay ahead of its tick (one more while it waits).
    for (auto& p : peers) {
        const rollback_match& match = p->session;
        const std::size_t ahead = match.known(p->slot).size() - match.get_tick();
        EXPECT_TRUE(ahead == match.get_input_delay() || ahead == match.get_input_delay() + 1) << "peer " << p->slot;
    }
    delay_changes.clear();
}

// Lengthened, a tick's reading is read twice; shortened, a tick reads none:
// which tick read each reading, for keeping peers in time.
TEST_F(Rollback, EachOwnReadingKnowsTheTickItWasReadOn)
{
    start(1);
    rollback_match& alone = peers[0]->session;
    const std::uint32_t changes[][2] = {{10, 5}, {20, 3}};  // on tick, to ticks
    for (std::uint32_t tick = 0; tick < 30; tick++) {
        for (const auto& change : changes)
            if (change[0] == tick)
                alone.set_input_delay(change[1]);
        alone.add_local(hand(0, tick));
        alone.advance();
    }
    const struct {
        std::uint32_t reading;
        std::int64_t read_on;
    } table[] = {{0, -2}, {1, -1}, {2, 0}, {11, 9}, {12, 10}, {13, 10}, {14, 10}, {15, 10}, {16, 11},
                 {24, 19}, {25, 22}, {26, 23}, {32, 29}};
    for (const auto& row : table)
        EXPECT_EQ(alone.read_on(row.reading), row.read_on) << "reading " << row.reading;
    EXPECT_EQ(alone.known(0).size(), 33u);
    EXPECT_TRUE(alone.known(0)[13] == alone.known(0)[12] && alone.known(0)[14] == alone.known(0)[12])
        << "the reading of tick 10 stands for three ticks";
}

TEST_F(Rollback, APeerThatLeavesIsPlayedOnByABotOnEveryPeer)
{
    start(3);
    run_until_hashed(300, 4, 5);
    // The host names the first tick it lacks; the others hear it late.
    peers[2]->gone = true;
    const auto at = static_cast<std::uint32_t>(peers[0]->session.known(2).size());
    for (auto& p : peers) {
        if (p->gone)
            continue;
        p->live.restore();
        p->session.leave(2, at);
        p->live.save();
    }
    run_until_hashed(800, 4, 5);
    EXPECT_EQ(hash_of(*peers[1], 800), hash_of(*peers[0], 800));
    EXPECT_EQ(truth(800), hash_of(*peers[0], 800));
    EXPECT_TRUE(players[2].get_bot());
    expect_events_as_truth(*peers[0], 800, 0, 1);
    expect_events_as_truth(*peers[1], 800, 0, 1);

    // Its replay holds all three humans and plays back to the same hash.
    const net_start start = start_of_match();
    const replay_data replay = record_network_match(peers[0]->session, start, {});
    ASSERT_EQ(replay.humans.size(), 3u);
    EXPECT_EQ(replay.humans[2].tick_count(), at) << "its controls end where it left";
    expect_replay_ends_in(replay, 800);
}

// A player come late steps the match so far on what the others confirmed,
// then takes over the first bot at a tick the host names ahead of its own;
// peers that hear of it late, or already stepped past it, go back.
TEST_F(Rollback, APlayerComeLateTakesOverABotOnEveryPeerAlike)
{
    start(2);
    run_until_hashed(3000, 4, 5);
    auto late = std::make_unique<peer>();
    late->slot = 2;
    first.restore();
    late->session.start(2, -1);
    for (int slot = 0; slot < 2; slot++) {
        const std::vector<control_reading>& known = peers[0]->session.known(slot);
        for (std::uint32_t at = late->session.known(slot).size(); at < peers[0]->session.confirmed(); at++)
            late->session.add_remote(slot, at, known[at]);
    }
    while (late->session.advance_known(1000) > 0) {
    }
    late->live.save();
    // Peer 1 hears of it only after it has stepped past the entry.
    const std::uint32_t entry = peers[0]->session.get_tick() + 5;
    for (int t = 0; t < 12; t++)
        tick_all(4, 5);
    ASSERT_GT(peers[1]->session.get_tick(), entry);
    ASSERT_TRUE(late->session.enter(2, entry, late_look, true));
    for (auto& p : peers) {
        p->live.restore();
        ASSERT_TRUE(p->session.enter(2, entry, late_look, false));
        p->live.save();
    }
    peers.push_back(std::move(late));
    run_until_hashed(4000, 4, 5);
    for (const auto& p : peers)
        EXPECT_EQ(hash_of(*p, 4000), hash_of(*peers[0], 4000)) << "peer " << p->slot;
    EXPECT_EQ(truth(4000), hash_of(*peers[0], 4000));
    EXPECT_FALSE(players[2].get_bot());
    for (const auto& p : peers)
        expect_events_as_truth(*p, 4000, 1, 0, true);
    EXPECT_GT(peers[1]->session.get_ticks_redone(), 0u);

    // Its replay holds the late player from its entry and plays to the same hash.
    const replay_data replay = record_network_match(peers[0]->session, start_of_match(), {});
    ASSERT_EQ(replay.humans.size(), 3u);
    EXPECT_EQ(replay.humans[2].first_tick, entry);
    expect_replay_ends_in(replay, 4000);

    // Further back than a peer keeps its states, an entry is refused.
    rollback_match far;
    far.start(3, 0);
    EXPECT_FALSE(far.enter(2, 5, late_look, false)) << "not the next slot";
}

TEST_F(Rollback, APeerWhoseMatchWentAstrayShowsAtTheNextHash)
{
    // Controls on time, so nothing is stepped again from an earlier state.
    start(2);
    run_until_hashed(200, 0, 0);
    peers[1]->live.restore();
    players[4].set_health(players[4].get_health() - 0.5f);
    peers[1]->live.save();
    run_until_hashed(300, 0, 0);
    EXPECT_EQ(hash_of(*peers[1], 200), hash_of(*peers[0], 200));
    EXPECT_NE(hash_of(*peers[1], 300), hash_of(*peers[0], 300));
}

TEST_F(Rollback, TheDeathReplayPlaysOnACopyAndLeavesTheLiveMatchAlone)
{
    // F soon after the death, and late, when the states kept every 100
    // ticks have moved on past the three seconds.
    for (const int steps_after : {10, 350}) {
        SCOPED_TRACE(testing::Message() << steps_after << " steps after the death");
        start(1);
        peer& alone = *peers[0];
        alone.live.restore();
        death_replay death;
        death.reset();
        auto step = [&] {
            alone.session.add_local(hand(0, alone.session.get_tick() + alone.session.get_input_delay()));
            alone.session.advance();
            death.watch(alone.session, alone.session.get_events());
        };
        int alive_for = 0;
        while (alone.session.get_tick() < 700 || alive_for < 400) {
            step();
            alive_for = players[0].get_health() > 0 ? alive_for + 1 : 0;
        }
        shoot_dead(players[0], 1);
        for (int i = 0; i < steps_after; i++)
            step();
        ASSERT_LE(players[0].get_health(), 0);
        ASSERT_TRUE(death.available());

        death.begin(alone.session);
        int timer_ticks = 0;
        bool shown_alive = false;
        while (death.running() && timer_ticks < 10000) {
            const std::uint64_t live = match_hash();
            death.update(alone.session);
            death.draw([&] { shown_alive = shown_alive || players[0].get_health() > 0; });
            ASSERT_EQ(match_hash(), live) << "the live match is left as it was";
            timer_ticks++;
        }
        EXPECT_TRUE(shown_alive) << "the copy starts before the death";
        EXPECT_GE(timer_ticks, 4 * 300);
        EXPECT_LE(timer_ticks, 4 * (300 + std::min(steps_after, 50) + 10));
    }
}

// Which of the first peer's matches makes the sounds heard.
enum heard_from { live_before, live_during, the_copy, another_peer };
int heard[4] = {};
heard_from stepping = another_peer;

void count_sound(const sound_event&)
{
    heard[stepping]++;
}

// As the network match steps: the live match under a mute while the death
// replay shows, the replay's copy heard. Going back for the other peer's
// late controls, the live match makes no sound until the replay ends.
TEST_F(Rollback, WhileTheDeathReplayShowsOnlyItsCopyIsHeard)
{
    start(2);
    death_replay death;
    death.reset();
    bool shown = false;
    std::uint64_t redone_before = 0;
    step_peer = [&](peer& p) {
        const bool showing = p.slot == 0 && death.running();
        stepping = p.slot != 0 ? another_peer : showing ? live_during : live_before;
        {
            const muted_sounds under_replay(showing);
            p.session.advance();
        }
        if (p.slot != 0)
            return;
        death.watch(p.session, p.session.get_events());
        if (death.available() && !shown) {
            redone_before = p.session.get_ticks_redone();
            death.begin(p.session);
            shown = true;
        }
        stepping = the_copy;
        death.update(p.session);
    };
    set_sound_listener(count_sound);
    for (int guard = 0; guard < 20000 && (!shown || death.running()); guard++)
        tick_all(8, 0);
    set_sound_listener(nullptr);
    ASSERT_TRUE(shown && !death.running()) << "the first peer's fighter died and its death was shown";
    EXPECT_GT(peers[0]->session.get_ticks_redone(), redone_before) << "it went back while the replay showed";
    EXPECT_GT(heard[live_before], 0);
    EXPECT_EQ(heard[live_during], 0);
    EXPECT_GT(heard[the_copy], 0);
}

}  // namespace
