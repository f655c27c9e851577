// The network session over a pretend network: the host with scripted
// joiners that send exactly what each test makes them send, on a clock the
// test moves. A joiner may send only what the rules let it, readings only so
// far ahead, and one that holds the match up is played on by a bot.
#include <algorithm>
#include <memory>
#include <tuple>

#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "idle_inputs.h"
#include "map/map_file.h"
#include "match/cgame.h"
#include "net/net_session.h"
#include "net/peer_limits.h"
#include "netplay/match_cycle.h"
#include "netplay/waiting_note.h"

namespace {

using clock_type = net_transport::clock;
const auto one_tick = std::chrono::milliseconds(10);

// Hands the session whatever the test queues, keeps whatever it sends.
class pretend_network : public net_transport {
public:
    struct packet {
        int peer;
        net_message message;
    };

    void send(int peer, const std::string& data, bool) override
    {
        sent_bytes += data.size();
        bytes_to[peer] += data.size();
        raw_sent.push_back({peer, data});
        net_message message;
        std::string error;
        if (decode(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), message, error))
            sent.push_back({peer, message});
    }
    void poll(std::vector<net_event>& events, int) override
    {
        events.swap(waiting);
        waiting.clear();
    }
    void disconnect(int peer) override { let_go.push_back(peer); }
    void close() override {}
    std::uint64_t bytes_sent() const override { return sent_bytes; }
    clock_type::time_point now() const override { return time; }
    void set_listing(const game_listing& now_listed) override { listing = now_listed; }

    void connect(int peer) { waiting.push_back({net_event::connected, peer, {}}); }
    void deliver(int peer, const std::string& data) { waiting.push_back({net_event::received, peer, data}); }

    std::vector<net_event> waiting;
    std::vector<packet> sent;
    std::vector<std::pair<int, std::string>> raw_sent;
    std::vector<int> let_go;
    std::uint64_t sent_bytes = 0;
    std::uint64_t bytes_to[net_transport::most_joiners + 1] = {};
    clock_type::time_point time = clock_type::time_point(std::chrono::hours(1));
    game_listing listing;
};

// The host's offer: `bots` at `skill` under `rules`, on the map it names.
lobby_offer offer_of(int bots, match_rules rules = {}, int skill = 1)
{
    lobby_offer offer;
    offer.bots = bots;
    offer.skill = skill;
    offer.rules = rules;
    return offer;
}

std::string inputs_of(int slot, std::uint32_t first_tick, std::size_t count,
                      std::uint32_t have_until_all = 0)
{
    net_inputs inputs = idle_inputs(slot, first_tick, count);
    for (std::uint32_t& have : inputs.have_until)
        have = have_until_all;
    return encode(inputs);
}

class NetSession : public testing::Test {
protected:
    void SetUp() override
    {
        kept = options.get_kept();
        ASSERT_TRUE(read_map_text("zkm/tower.zkm", map_text));
        auto owned = std::make_unique<pretend_network>();
        network = owned.get();
        session.open(std::move(owned), own_role::host);
    }
    void TearDown() override
    {
        session.leave();
        game.deinit();
        options.restore(kept);
    }

    // Joiners 1..count say hello and take slots 1..count.
    void gather(int count)
    {
        for (int peer = 1; peer <= count; peer++) {
            network->connect(peer);
            net_hello hello;
            hello.look.name = "JOINER " + std::to_string(peer);
            network->deliver(peer, encode(hello));
        }
        session.poll();
    }
    void start(int joiners)
    {
        gather(joiners);
        std::string error;
        ASSERT_TRUE(session.start_match("tower.zkm", map_text, 7, error)) << error;
        for (int peer = 1; peer <= joiners; peer++)
            sent_until[peer] = rollback_match::fewest_delay;
    }
    // One tick of the host, its clock moved on; the joiners in `honest`
    // send their next reading first, as they would.
    void tick(std::initializer_list<int> honest)
    {
        for (int peer : honest)
            network->deliver(peer, inputs_of(peer, sent_until[peer]++, 1));
        network->time += one_tick;
        session.poll();
        session.tick(control_reading{});
    }
    std::uint64_t refused_after(int peer, const std::string& packet)
    {
        const std::uint64_t before = session.get_counts().refused;
        network->deliver(peer, packet);
        session.poll();
        return session.get_counts().refused - before;
    }

    kept_settings kept;
    std::string map_text;
    pretend_network* network = nullptr;
    net_session session;
    std::uint32_t sent_until[net_transport::most_joiners + 1] = {};
};

TEST_F(NetSession, EachMessageIsTakenOnlyFromTheSideAndInThePhaseItBelongsTo)
{
    net_lobby lobby;
    lobby.humans.resize(2);
    lobby.your_slot = 1;
    lobby.map_name = "tower.zkm";
    net_start start_message;
    start_message.humans.resize(2);
    start_message.map_name = "tower.zkm";
    start_message.map_text = map_text;
    net_leave leave;
    net_hash hash;
    hash.tick = 100;
    const struct {
        const char* what;
        bool playing;
        int peer;
        std::string packet;
        std::uint64_t refused;
    } rows[] = {
        {"inputs in the lobby, as after a match: passed over", false, 1, inputs_of(1, 2, 1), 0},
        {"a hash in the lobby", false, 1, encode(hash), 1},
        {"a lobby from a joiner", false, 1, encode(lobby), 1},
        {"a start from a joiner", false, 1, encode(start_message), 1},
        {"a leave from a joiner", false, 1, encode(leave), 1},
        {"a second hello", false, 1, encode(net_hello{}), 1},
        {"junk", false, 1, "ZK\x01\x04junk", 1},
        {"a lobby in the match", true, 1, encode(lobby), 1},
        {"a start in the match", true, 1, encode(start_message), 1},
        {"a leave in the match", true, 1, encode(leave), 1},
        {"a hello from a player", true, 1, encode(net_hello{}), 1},
        {"controls for another slot", true, 1, inputs_of(2, 2, 1), 1},
        {"controls of its own", true, 1, inputs_of(1, 2, 1), 0},
        {"a hash where none is taken", true, 1, [] { net_hash odd; odd.tick = 150; return encode(odd); }(), 1},
        {"a hash far ahead", true, 1, [] { net_hash far; far.tick = 100000; return encode(far); }(), 1},
        {"a hash of its own", true, 1, encode(hash), 0},
        {"the same hash again", true, 1, encode(hash), 1},
    };
    gather(2);
    for (const auto& row : rows) {
        if (row.playing && session.get_phase() != net_session::phase::playing) {
            std::string error;
            ASSERT_TRUE(session.start_match("tower.zkm", map_text, 7, error)) << error;
        }
        EXPECT_EQ(refused_after(row.peer, row.packet), row.refused) << row.what;
        EXPECT_EQ(session.get_roster().humans().size(), 3u) << row.what;
    }
    EXPECT_EQ(session.get_phase(), net_session::phase::playing);
    EXPECT_EQ(session.get_match().left_at(1), rollback_match::never);

    // A connection that never says hello is let go after three seconds.
    network->connect(3);
    session.poll();
    network->time += std::chrono::seconds(2);
    session.poll();
    EXPECT_TRUE(network->let_go.empty());
    network->time += std::chrono::seconds(2);
    session.poll();
    EXPECT_EQ(network->let_go, std::vector<int>{3});
}

TEST_F(NetSession, AJoinerWhoseControlsStopIsPlayedOnByABotFromTheTickTheHostLacks)
{
    start(2);
    for (int t = 0; t < 100; t++)
        tick({1, 2});
    const std::uint32_t lacking_from = sent_until[2];
    // Joiner 2 still sends packets, just no controls.
    int waited = 0;
    while (session.get_match().left_at(2) == rollback_match::never && waited < 1000) {
        network->deliver(2, inputs_of(2, 0, 1));
        tick({1});
        waited++;
        if (waited == 20) {
            EXPECT_TRUE(session.waiting_for().empty()) << "shown before half a second of waiting";
        }
        if (waited == 300) {
            EXPECT_EQ(session.waiting_for(), std::vector<int>{2});
            EXPECT_EQ(waiting_line(session.waiting_for(), session.get_roster().humans()), "WAITING FOR JOINER 2");
        }
    }
    // Guessed for the ticks the match may guess, then three seconds of waiting.
    EXPECT_GE(waited, 300);
    EXPECT_LE(waited, 300 + static_cast<int>(rollback_match::most_ahead) + 5);
    EXPECT_EQ(session.get_match().left_at(2), lacking_from);
    bool told_the_other = false, told_it = false;
    for (const auto& packet : network->sent) {
        if (packet.message.kind == net_kind::leave && packet.peer == 1)
            told_the_other = packet.message.leave.slot == 2 && packet.message.leave.tick == lacking_from;
        if (packet.message.kind == net_kind::bye && packet.peer == 2)
            told_it = packet.message.bye.why.find("stopped arriving") != std::string::npos;
    }
    EXPECT_TRUE(told_the_other);
    EXPECT_TRUE(told_it);
    EXPECT_EQ(network->let_go, std::vector<int>{2});
    // The match goes on without it.
    const std::uint32_t at = session.get_match().get_tick();
    for (int t = 0; t < 50; t++)
        tick({1});
    EXPECT_EQ(session.get_match().get_tick(), at + 50);
    EXPECT_TRUE(session.waiting_for().empty());
}

// A match that ends by its time stays on every screen for ten seconds;
// then the host takes those still there back to its lobby for the next.
TEST_F(NetSession, AfterTheEndTheHostTakesThoseStillThereBackToItsLobby)
{
    session.offer(offer_of(0, {0, 1}));
    start(2);
    match_result result;
    std::uint32_t ended_at = 0;
    while (!session.match_over(result, ended_at) && session.get_match().get_tick() < 7000)
        tick({1, 2});
    ASSERT_TRUE(session.match_over(result, ended_at));
    EXPECT_EQ(ended_at, ticks_of_minutes(1));
    EXPECT_EQ(result.winner, -1) << "nobody killed anyone: a draw";
    network->waiting.push_back({net_event::disconnected, 2, {}});
    for (int t = 0; t < 999; t++)
        tick({1});
    EXPECT_EQ(session.get_match().get_tick(), ended_at) << "no step beyond the end";
    EXPECT_EQ(session.get_phase(), net_session::phase::playing);
    tick({1});
    ASSERT_EQ(session.get_phase(), net_session::phase::lobby);
    ASSERT_EQ(session.get_roster().humans().size(), 2u) << "the one who left is gone";
    const net_message& told = network->sent.back().message;
    ASSERT_EQ(told.kind, net_kind::lobby);
    EXPECT_EQ(told.lobby.your_slot, 1);
    EXPECT_EQ(told.lobby.rules, (match_rules{0, 1}));
    EXPECT_EQ(recording_of(session).ticks, ended_at) << "the replay runs to the end";
    std::string error;
    EXPECT_TRUE(session.start_match("tower.zkm", map_text, 8, error)) << error;
    EXPECT_EQ(session.get_match().get_tick(), 0u);
}

// The host's choices, not the options screen's, make the match: the start
// tells them, the bots fight at the skill told, the replay keeps the start as
// it went out, and the player's own options are as they were throughout.
TEST_F(NetSession, TheMatchIsTheHostsChoiceAndLeavesTheOptionsAsTheyWere)
{
    options.set_bots(7);
    options.set_skill(0);
    const kept_settings own = options.get_kept();
    session.offer(offer_of(2, {}, 2));
    start(2);
    ASSERT_EQ(network->sent.back().message.kind, net_kind::start);
    const net_start told = network->sent.back().message.start;
    EXPECT_EQ(told.bots, 2);
    EXPECT_EQ(told.skill, 2);
    EXPECT_EQ(game.get_lineup().skill, 2);
    EXPECT_EQ(game.get_lineup().bots, 2);
    for (int t = 0; t < 300; t++)
        tick({1, 2});
    EXPECT_TRUE(options.get_kept() == own) << "while it plays";
    EXPECT_TRUE(recording_of(session).setup == told);
    session.return_to_lobby();
    EXPECT_TRUE(options.get_kept() == own);
}

// `joiner` over a pretend network, told the host's lobby of two with slot 1
// its own; the lobby is heard at its next poll.
pretend_network* join_the_lobby(net_session& joiner)
{
    auto owned = std::make_unique<pretend_network>();
    pretend_network* host = owned.get();
    joiner.open(std::move(owned), own_role::player);
    host->connect(0);
    net_lobby lobby;
    lobby.humans.resize(2);
    lobby.your_slot = 1;
    lobby.map_name = "tower.zkm";
    host->deliver(0, encode(lobby));
    return host;
}

// The way from the lobby to a match and back that the window, the server
// and the headless peer go through: each turn is told once, on the tick it
// happens, to the host as to a joiner.
TEST_F(NetSession, TheCycleTellsEachTurnFromTheLobbyToAMatchAndBackOnce)
{
    using news = match_cycle::news;
    enum class act { ticks, start, back, leave };
    match_cycle cycle(session);
    session.offer(offer_of(0, {0, 1}));
    gather(2);
    const struct {
        const char* what;
        act step;
        int ticks;
        std::vector<news> told;
        bool in_lobby, in_match;
    } turns[] = {
        {"ticks in the lobby", act::ticks, 50, {}, true, false},
        {"the host starts", act::start, 0, {}, false, true},
        {"the match runs past its minute", act::ticks, 6100, {news::over}, false, true},
        {"the end shows, then the lobby", act::ticks, 1000, {news::back_in_lobby}, true, false},
        {"the next match", act::start, 0, {}, false, true},
        {"a while of it", act::ticks, 100, {}, false, true},
        {"the host ends it early", act::back, 0, {news::back_in_lobby}, true, false},
        {"the host leaves", act::leave, 0, {news::ended}, false, false},
    };
    for (const auto& turn : turns) {
        SCOPED_TRACE(turn.what);
        std::vector<news> told;
        const auto keep = [&told](news said) {
            if (said != news::none)
                told.push_back(said);
        };
        std::string error;
        switch (turn.step) {
        case act::ticks:
            for (int t = 0; t < turn.ticks; t++) {
                for (int peer : {1, 2})
                    network->deliver(peer, inputs_of(peer, sent_until[peer]++, 1));
                network->time += one_tick;
                keep(cycle.tick(control_reading{}));
            }
            break;
        case act::start:
            ASSERT_TRUE(cycle.start("tower.zkm", map_text, 7, error)) << error;
            for (int peer : {1, 2})
                sent_until[peer] = rollback_match::fewest_delay;
            break;
        case act::back: keep(cycle.back_to_lobby()); break;
        case act::leave: keep(cycle.leave()); break;
        }
        EXPECT_EQ(told, turn.told);
        EXPECT_EQ(cycle.in_lobby(), turn.in_lobby);
        EXPECT_EQ(cycle.in_match(), turn.in_match);
    }
    EXPECT_EQ(cycle.get_ended_at(), ticks_of_minutes(1));

    net_session joiner;
    pretend_network* host = join_the_lobby(joiner);
    match_cycle joined(joiner);
    EXPECT_EQ(joined.hear(), news::none);
    EXPECT_TRUE(joined.in_lobby());
    net_start start;
    start.humans.resize(2);
    start.map_name = "tower.zkm";
    start.map_text = map_text;
    host->deliver(0, encode(start));
    EXPECT_EQ(joined.hear(), news::began);
    EXPECT_TRUE(joined.in_match());
    host->deliver(0, encode(net_bye{"gone"}));
    EXPECT_EQ(joined.tick(control_reading{}), news::ended);
}

// A watcher stays one when the host takes everyone back to its lobby: it is
// told the lobby and sent the next match, as before the first.
TEST_F(NetSession, AWatcherWatchesTheNextMatchToo)
{
    const int watcher_peer = 3;
    network->connect(watcher_peer);
    net_hello watcher;
    watcher.watching = true;
    network->deliver(watcher_peer, encode(watcher));
    start(2);
    session.return_to_lobby();
    EXPECT_EQ(session.get_roster().count(peer_role::watcher), 1);
    ASSERT_EQ(network->sent.back().peer, watcher_peer);
    ASSERT_EQ(network->sent.back().message.kind, net_kind::lobby);
    EXPECT_EQ(network->sent.back().message.lobby.your_slot, net_no_slot);
    std::string error;
    ASSERT_TRUE(session.start_match("tower.zkm", map_text, 8, error)) << error;
    EXPECT_EQ(network->sent.back().peer, watcher_peer);
    EXPECT_EQ(network->sent.back().message.kind, net_kind::start);
}

// A server has no fighter: its joiners take the slots from 0. Eight
// watchers may join beside them; they are sent the whole match, may send no
// controls, and the match never waits for them.
TEST_F(NetSession, AServersWatchersSeeEverySlotAndAreNeverWaitedFor)
{
    auto owned = std::make_unique<pretend_network>();
    network = owned.get();
    session.open(std::move(owned), own_role::server);
    session.offer(offer_of(1));
    gather(2);
    net_hello watcher;
    watcher.watching = true;
    const int first_watcher = 3, turned_away = first_watcher + net_session::most_watchers;
    for (int peer = first_watcher; peer <= turned_away; peer++) {
        network->connect(peer);
        network->deliver(peer, encode(watcher));
    }
    session.poll();
    ASSERT_EQ(session.get_roster().humans().size(), 2u);
    EXPECT_EQ(session.get_roster().humans()[0].name, "JOINER 1") << "the first joiner plays slot 0";
    EXPECT_EQ(session.get_roster().count(peer_role::watcher), net_session::most_watchers);
    EXPECT_EQ(network->let_go, std::vector<int>{turned_away});
    net_lobby told;
    for (const auto& packet : network->sent)
        if (packet.peer == first_watcher && packet.message.kind == net_kind::lobby)
            told = packet.message.lobby;
    EXPECT_EQ(told.your_slot, net_no_slot);
    EXPECT_FALSE(told.host_plays);

    std::string error;
    ASSERT_TRUE(session.start_match("tower.zkm", map_text, 7, error)) << error;
    std::uint32_t next = rollback_match::fewest_delay;
    for (int t = 0; t < 100; t++, next++) {
        for (int peer = 1; peer <= 2; peer++)
            network->deliver(peer, inputs_of(peer - 1, next, 1));
        network->time += one_tick;
        session.poll();
        session.tick(control_reading{});
    }
    EXPECT_EQ(session.get_match().get_tick(), 100u) << "silent watchers hold nothing up";
    bool slots_seen[2] = {};
    for (const auto& packet : network->sent)
        if (packet.peer == first_watcher && packet.message.kind == net_kind::inputs)
            for (const net_slot_inputs& run : packet.message.inputs.slots)
                slots_seen[run.slot] = true;
    EXPECT_TRUE(slots_seen[0] && slots_seen[1]) << "a watcher is sent every player's controls";
    EXPECT_EQ(refused_after(first_watcher, inputs_of(0, next, 1)), 1u) << "a watcher has no controls to send";

    // Into the match: a player and a watcher are both sent the match so far.
    network->waiting.push_back({net_event::disconnected, first_watcher, {}});
    const int late_player = 12, late_watcher = 13, too_late = 14;
    net_hello late;
    late.look.name = "LATE";
    network->connect(late_player);
    network->deliver(late_player, encode(late));
    network->connect(late_watcher);
    network->deliver(late_watcher, encode(watcher));
    const std::size_t sent_before = network->sent.size();
    session.poll();
    int caught_up = 0;
    for (std::size_t i = sent_before; i < network->sent.size(); i++)
        if (network->sent[i].message.kind == net_kind::catch_up) {
            replay_data past;
            ASSERT_TRUE(unpack_replay(network->sent[i].message.catch_up.replay, past, error)) << error;
            EXPECT_EQ(past.humans.size(), 2u);
            EXPECT_EQ(past.ticks, 100u) << "up to the last tick every control of is known";
            caught_up |= 1 << (network->sent[i].peer - late_player);
        }
    EXPECT_EQ(caught_up, 3);

    // Caught up, the player takes over the bot, on a tick ahead of the host's.
    const std::size_t ready_at = network->sent.size();
    network->deliver(late_player, encode_ready());
    session.poll();
    std::vector<net_enter> entries;
    for (std::size_t i = ready_at; i < network->sent.size(); i++)
        if (network->sent[i].message.kind == net_kind::enter) {
            entries.push_back(network->sent[i].message.enter);
            EXPECT_EQ(entries.back().yours, network->sent[i].peer == late_player);
        }
    ASSERT_EQ(entries.size(), 11u) << "every player and watcher";
    EXPECT_EQ(entries[0].slot, 2);
    EXPECT_EQ(entries[0].tick, 100u + net_session::entry_lead);
    EXPECT_EQ(entries[0].look.name, "LATE");
    EXPECT_EQ(session.get_start().humans.size(), 3u);
    EXPECT_EQ(refused_after(late_player, encode_ready()), 1u) << "only once";
    // No bot is left to take over: with eight watching, no room at all;
    // with room to watch, it watches and plays in the next match.
    network->connect(too_late);
    network->deliver(too_late, encode(late));
    session.poll();
    EXPECT_EQ(network->let_go.back(), too_late);
    const int waiting = 15;
    network->waiting.push_back({net_event::disconnected, first_watcher + 1, {}});
    network->connect(waiting);
    network->deliver(waiting, encode(late));
    network->time += std::chrono::seconds(1);  // the catch-ups' rate
    const std::size_t waited_at = network->sent.size();
    session.poll();
    EXPECT_EQ(network->let_go.back(), too_late);
    const auto sent_to_waiting = [&](net_kind kind) {
        std::vector<net_message> found;
        for (std::size_t i = waited_at; i < network->sent.size(); i++)
            if (network->sent[i].peer == waiting && network->sent[i].message.kind == kind)
                found.push_back(network->sent[i].message);
        return found;
    };
    ASSERT_EQ(sent_to_waiting(net_kind::chat).size(), 1u);
    EXPECT_EQ(sent_to_waiting(net_kind::chat)[0].chat.text, net_session::no_fighter_note);
    EXPECT_EQ(sent_to_waiting(net_kind::catch_up).size(), 1u);
    session.return_to_lobby();
    const std::vector<net_message> lobbies = sent_to_waiting(net_kind::lobby);
    ASSERT_FALSE(lobbies.empty());
    EXPECT_EQ(lobbies.back().lobby.your_slot, 3) << "after the two who began and the one who came in";
}

TEST_F(NetSession, ReadingsFarAheadOfTheHostsTickAreNeitherKeptNorRelayed)
{
    start(2);
    for (int t = 0; t < 10; t++)
        tick({1, 2});
    // Joiner 2 sends 1000 ticks at once, in runs as long as a message holds.
    for (std::uint32_t first = sent_until[2]; first < sent_until[2] + 1000; first += net_max_readings)
        network->deliver(2, inputs_of(2, first, net_max_readings));
    tick({1});
    const std::uint32_t host_tick = session.get_match().get_tick();
    EXPECT_LE(session.get_match().known(2).size(), host_tick + net_session::most_taken_ahead);
    EXPECT_GT(session.get_counts().refused, 0u);
    for (const auto& packet : network->sent) {
        if (packet.message.kind != net_kind::inputs || packet.peer != 1)
            continue;
        for (const net_slot_inputs& run : packet.message.inputs.slots)
            EXPECT_LE(run.first_tick + run.ticks(), host_tick + net_session::most_taken_ahead);
    }
}

// However a joiner's readings come in, one a tick or several at once, the
// host relays each of them to the other joiner in exactly four packets, so
// that no loss of fewer than four packets in a row costs a resend.
TEST_F(NetSession, EachRelayedReadingGoesInFourPackets)
{
    // Joiner 2 sends its readings every this many ticks, all at once.
    const int every[] = {1, 2, 3, 1, 3};
    start(2);
    const std::size_t counted_from = network->sent.size();
    for (int phase : every)
        for (int t = 0; t < 120; t++) {
            if (t % phase == phase - 1) {
                network->deliver(2, inputs_of(2, sent_until[2], static_cast<std::size_t>(phase)));
                sent_until[2] += static_cast<std::uint32_t>(phase);
            }
            // Joiner 1 says it has them some ticks late, as across a network.
            const std::uint32_t has = std::max<std::uint32_t>(sent_until[2], 14) - 12;
            network->deliver(1, inputs_of(1, sent_until[1]++, 1, has));
            tick({});
        }
    std::vector<int> sends(sent_until[2], 0);
    for (std::size_t i = counted_from; i < network->sent.size(); i++) {
        const auto& packet = network->sent[i];
        if (packet.peer != 1 || packet.message.kind != net_kind::inputs)
            continue;
        for (const net_slot_inputs& entry : packet.message.inputs.slots)
            if (entry.slot == 2)
                for (std::uint32_t at = entry.first_tick; at < entry.first_tick + entry.ticks(); at++)
                    sends[at]++;
    }
    for (std::uint32_t at = 20; at < sent_until[2] - 12; at++)
        EXPECT_EQ(sends[at], 4) << "reading " << at;
}

// A joiner that never says it has anything gets what an honest joiner that
// lost every packet for a while would get: each new reading four times
// over, and all it lacks (128 readings at most) every 200 ms, no more.
TEST_F(NetSession, WhatAJoinerSaysItLacksCostsTheHostABoundedResend)
{
    start(3);
    for (int t = 0; t < 200; t++)
        tick({1, 2, 3});
    const std::size_t counted_from = network->sent.size();
    const int seconds = 5;
    for (int t = 0; t < seconds * 100; t++) {
        network->deliver(1, inputs_of(1, sent_until[1]++, 1, session.get_match().get_tick()));
        network->deliver(2, inputs_of(2, sent_until[2]++, 1, session.get_match().get_tick()));
        network->deliver(3, inputs_of(3, sent_until[3]++, 1, 0));
        tick({});
    }
    std::size_t readings_to[4] = {};
    for (std::size_t i = counted_from; i < network->sent.size(); i++) {
        const auto& packet = network->sent[i];
        if (packet.message.kind == net_kind::inputs)
            for (const net_slot_inputs& run : packet.message.inputs.slots)
                readings_to[packet.peer] += run.ticks();
    }
    const std::size_t lacked_slots = 3;
    const std::size_t most_a_second_a_slot = 100 * 5 + 5 * 128;
    EXPECT_LE(readings_to[3] / seconds / lacked_slots, most_a_second_a_slot);
    EXPECT_GT(readings_to[3], readings_to[1]);
    EXPECT_GT(readings_to[1], 0u);
}

// Packets made from honest ones with their bytes scrambled, cut short or
// run on: whatever the host makes of them, it steps every tick and the
// honest joiner plays on.
TEST_F(NetSession, ScrambledPacketsFromOneJoinerLeaveTheMatchAndTheOthersAlone)
{
    start(2);
    std::srand(11);
    net_hash hash;
    hash.tick = 100;
    net_leave leave;
    leave.slot = 1;
    const std::string honest[] = {inputs_of(2, 5, 3), encode(hash), encode(leave), encode(net_hello{}),
                                  encode(net_bye{})};
    const int ticks = 600;
    for (int t = 0; t < ticks; t++) {
        for (int packet = 0; packet < 5; packet++) {
            std::string bytes = honest[std::rand() % 5];
            for (int change = std::rand() % 4; change > 0; change--)
                bytes[static_cast<std::size_t>(std::rand()) % bytes.size()] = static_cast<char>(std::rand());
            if (std::rand() % 4 == 0)
                bytes.resize(static_cast<std::size_t>(std::rand()) % (bytes.size() + 8), '\x7f');
            network->deliver(2, bytes);
        }
        tick({1, 2});
    }
    EXPECT_EQ(session.get_match().get_tick(), static_cast<std::uint32_t>(ticks));
    EXPECT_EQ(session.get_match().left_at(1), rollback_match::never);
    EXPECT_GT(session.get_counts().refused, 0u);
}

// A packet of `message` as a game of the protocol version before ours writes it.
std::string as_older_version(const std::string& packet)
{
    std::string older = packet;
    older[2] = static_cast<char>(net_protocol_version - 1);
    return older;
}

TEST_F(NetSession, AJoinerOfAnotherVersionIsToldSoInItsOwnVersionAndTheHostSaysSo)
{
    network->connect(3);
    network->deliver(3, as_older_version(encode(net_hello{})));
    session.poll();
    EXPECT_EQ(session.get_notice(), "a player of another version of ZK3 tried to join");
    ASSERT_EQ(network->raw_sent.size(), 1u);
    net_bye told;
    told.why = "the host runs another version of ZK3";
    EXPECT_EQ(network->raw_sent[0].first, 3);
    EXPECT_EQ(network->raw_sent[0].second, as_older_version(encode(told)));
    EXPECT_EQ(network->let_go, std::vector<int>{3});
    EXPECT_EQ(session.get_roster().humans().size(), 1u);
}

TEST(NetSessionJoiner, AHostOfAnotherVersionEndsTheJoiningInWords)
{
    const std::string heard[] = {as_older_version(encode(net_bye{})), as_older_version(encode(net_hash{}))};
    for (const std::string& packet : heard) {
        auto owned = std::make_unique<pretend_network>();
        pretend_network* network = owned.get();
        net_session joiner;
        joiner.open(std::move(owned), own_role::player);
        network->connect(0);
        network->deliver(0, packet);
        joiner.poll();
        EXPECT_EQ(joiner.get_phase(), net_session::phase::ended);
        EXPECT_EQ(joiner.get_ended_why(), "the host runs another version of ZK3");
    }
}

TEST(PeerLimits, RefusalsOfAFloodMakeOneLineASecond)
{
    refusal_summary summary;
    const auto start = clock_type::time_point(std::chrono::hours(1));
    int lines = 0;
    std::string last;
    for (int packet = 0; packet < 100000; packet++) {
        const auto at = start + std::chrono::microseconds(packet * 30);  // 3 s of them
        summary.add(packet == 0 ? "junk" : "more junk", at);
        const std::string line = summary.line_due("player 2", at);
        if (!line.empty()) {
            lines++;
            last = line;
        }
    }
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(summary.line_due("player 2", start + std::chrono::seconds(3), true).empty(), false);
    EXPECT_NE(last.find("packets from player 2 dropped within a second, the first: more junk"), std::string::npos);
    EXPECT_EQ(summary.total(), 100000u);
}

TEST(PeerLimits, OnlyAJoinerWhoHoldsTheMatchUpForThreeSecondsIsLetGo)
{
    // Of every ten ticks, how many the match waits for the joiner.
    const struct {
        const char* what;
        int waits_of_ten;
        bool let_go_within_a_minute;
    } rows[] = {
        {"silent", 10, true},
        {"a trickle of controls", 9, true},
        {"one wait in twenty", 0, false},
        {"a bad link", 1, false},
    };
    for (const auto& row : rows) {
        hold_up_meter meter;
        auto at = clock_type::time_point(std::chrono::hours(1));
        meter.reset(at);
        int ticks = 0;
        bool let_go = false;
        for (; ticks < 6000 && !let_go; ticks++) {
            at += one_tick;
            const bool waits = row.waits_of_ten > 0 ? ticks % 10 < row.waits_of_ten : ticks % 20 == 0;
            let_go = meter.look(waits, at);
        }
        EXPECT_EQ(let_go, row.let_go_within_a_minute) << row.what;
        if (row.waits_of_ten == 10) {
            EXPECT_NEAR(ticks, 300, 1) << row.what;
        }
    }
    intake_allowance allowance;
    const auto at = clock_type::time_point(std::chrono::hours(1));
    allowance.reset(at);
    EXPECT_TRUE(allowance.take(60 * 1024, at));
    EXPECT_FALSE(allowance.take(8 * 1024, at));
    EXPECT_TRUE(allowance.take(8 * 1024, at + std::chrono::milliseconds(200)));
    // Beyond it again and again for two seconds is a flood; a second's rest is not.
    auto later = at + std::chrono::seconds(10);
    for (int packet = 0; packet <= 40 && !allowance.flooding(); packet++)
        allowance.take(200 * 1024, later + std::chrono::milliseconds(50 * packet));
    EXPECT_TRUE(allowance.flooding());
    allowance.reset(later);
    allowance.take(200 * 1024, later + std::chrono::seconds(1));
    allowance.take(200 * 1024, later + std::chrono::milliseconds(2100));
    allowance.take(200 * 1024, later + std::chrono::milliseconds(3200));
    EXPECT_FALSE(allowance.flooding());
}

}  // namespace

TEST_F(NetSession, HostKeepsTheFindersListingCurrent)
{
    game_listing expected;
    session.poll();
    expected.map = "unknown.zkm";
    EXPECT_EQ(network->listing, expected) << "the host's own name until told, and no map";
    lobby_offer offer;
    offer.host_name = "AN.NA";
    offer.map_name = "foundry.zkm";
    session.offer(offer);
    session.poll();
    expected.map = "foundry.zkm";
    EXPECT_EQ(network->listing, expected) << "a name out of the rule is not taken";
    offer.host_name = "ANNA";
    session.offer(offer);
    session.poll();
    expected.name = "ANNA";
    EXPECT_EQ(network->listing, expected);

    gather(2);
    expected.players = 3;
    EXPECT_EQ(network->listing, expected);
    network->waiting.push_back({net_event::disconnected, 2, {}});
    session.poll();
    expected.players = 2;
    EXPECT_EQ(network->listing, expected);

    std::string error;
    ASSERT_TRUE(session.start_match("tower.zkm", map_text, 7, error)) << error;
    session.poll();
    expected.map = "tower.zkm";
    expected.playing = true;
    EXPECT_EQ(network->listing, expected);
}

namespace {

std::string chat_packet(const std::string& text)
{
    net_chat line;
    line.slot = 7;       // the host goes by the sender's slot...
    line.tick = 123456;  // ...and its own tick
    line.text = text;
    return encode(line);
}

// The chat packets sent since `from`: to whom, of which slot, with what text.
std::vector<std::tuple<int, int, std::string>> chat_sent(const pretend_network& network, std::size_t from)
{
    std::vector<std::tuple<int, int, std::string>> lines;
    for (std::size_t i = from; i < network.sent.size(); i++)
        if (network.sent[i].message.kind == net_kind::chat)
            lines.emplace_back(network.sent[i].peer, network.sent[i].message.chat.slot,
                               network.sent[i].message.chat.text);
    return lines;
}

}  // namespace

// Each player may say two lines a second, the host too; a line beyond
// that, or out of the text's rule, is refused and counted, and only its
// speaker hears why. Every line taken goes to every joiner.
TEST_F(NetSession, ChatLinesAreRelayedToAllAndTwoASecondAtMostFromEach)
{
    const int host = 0;
    const int all = -1;
    const struct {
        const char* what;
        int ms;  // since the first line
        int from;
        std::string text;
        int heard_by;  // all, or the speaker's peer alone for a note (the host's own: none sent)
        std::uint64_t refused;
    } rows[] = {
        {"a joiner's first line", 0, 1, "hello", all, 0},
        {"its second at once", 10, 1, "again", all, 0},
        {"its third before half a second", 400, 1, "and again", 1, 1},
        {"another's line meanwhile", 400, 2, "hi", all, 0},
        {"half a second after its first", 500, 1, "now", all, 0},
        {"a line out of the rule", 2500, 2, "tab\there", 2, 1},
        {"the host's own", 3000, host, "one", all, 0},
        {"the host's second", 3000, host, "two", all, 0},
        {"the host's third", 3499, host, "three", host, 0},
        {"the host's third again", 3500, host, "three", all, 0},
    };
    gather(2);
    const auto first = network->time;
    for (const auto& row : rows) {
        network->time = first + std::chrono::milliseconds(row.ms);
        const std::size_t sent_before = network->sent.size();
        const std::uint64_t heard_before = session.get_chat().count();
        if (row.from == host)
            session.say(row.text);
        else
            EXPECT_EQ(refused_after(row.from, chat_packet(row.text)), row.refused) << row.what;
        const auto sent = chat_sent(*network, sent_before);
        if (row.heard_by == all) {
            const int slot = row.from;  // the joiners took slots 1 and 2
            using line = std::tuple<int, int, std::string>;
            EXPECT_EQ(sent, (std::vector<line>{{1, slot, row.text}, {2, slot, row.text}})) << row.what;
            ASSERT_EQ(session.get_chat().count(), heard_before + 1) << row.what;
            EXPECT_EQ(session.get_chat().lines().back(), (net_chat{slot, 0, row.text})) << row.what;
        } else if (row.heard_by == host) {
            EXPECT_TRUE(sent.empty()) << row.what;
            EXPECT_EQ(session.get_chat().lines().back(), (net_chat{net_chat_note_slot, 0, net_session::too_fast_note}));
        } else {
            ASSERT_EQ(sent.size(), 1u) << row.what;
            EXPECT_EQ(std::get<0>(sent[0]), row.heard_by) << row.what;
            EXPECT_EQ(std::get<1>(sent[0]), net_chat_note_slot) << row.what;
            EXPECT_EQ(session.get_chat().count(), heard_before) << row.what << ": the host hears no one's note";
        }
    }
}

// In the match a line carries the host's tick and goes into the replay;
// the lobby's lines do not.
TEST_F(NetSession, TheMatchsLinesAreKeptForTheReplayAtTheHostsTick)
{
    gather(2);
    session.say("in the lobby");
    std::string error;
    ASSERT_TRUE(session.start_match("tower.zkm", map_text, 7, error)) << error;
    for (int peer = 1; peer <= 2; peer++)
        sent_until[peer] = rollback_match::fewest_delay;
    for (int t = 0; t < 250; t++) {
        if (t == 120)
            network->deliver(2, chat_packet("at 120"));
        if (t == 230)
            session.say("at 230");
        tick({1, 2});
    }
    EXPECT_EQ(session.get_chat().lines().back(), (net_chat{0, 230, "at 230"}));
    const replay_data replay = recording_of(session);
    ASSERT_EQ(replay.ticks, 200u) << "up to the last hashed tick all controls are known for";
    EXPECT_EQ(replay.chat, (std::vector<recorded_chat>{{120, 2, "at 120"}, {200, 0, "at 230"}}))
        << "a line after the last tick kept shows at it";
}

// A joiner that floods the host with lines costs it two relayed lines and
// two notes a second, and its screens keep only the last few lines heard.
TEST_F(NetSession, AFloodOfLinesCostsTheHostNoMoreThanTheRateAllows)
{
    gather(2);
    const std::size_t sent_before = network->sent.size();
    const int seconds = 10;
    for (int ms = 0; ms < seconds * 1000; ms++) {
        network->time += std::chrono::milliseconds(1);
        network->deliver(1, chat_packet("spam " + std::to_string(ms)));
        network->deliver(1, chat_packet(std::string(1, '\x01')));
        session.poll();
    }
    const auto sent = chat_sent(*network, sent_before);
    const auto notes = std::count_if(sent.begin(), sent.end(),
                                     [](const auto& line) { return std::get<1>(line) == net_chat_note_slot; });
    // Two at once, then two a second.
    const int most = line_rate::per_second * (seconds + 1);
    const int lines = static_cast<int>(session.get_chat().count());
    EXPECT_GE(lines, most - 2);
    EXPECT_LE(lines, most);
    EXPECT_EQ(static_cast<int>(sent.size()) - notes, 2 * lines) << "each line to each of two joiners";
    EXPECT_LE(notes, most);
    EXPECT_EQ(session.get_chat().lines().size(), chat_log::most_kept);
    EXPECT_EQ(session.get_counts().refused, 2u * 1000 * seconds - static_cast<unsigned>(lines));
}

// A joiner sends its line to the host and shows what the host relays; a
// line out of the rule is not sent, and says why.
TEST(NetSessionJoiner, ALineGoesToTheHostAndComesBackFromIt)
{
    net_session joiner;
    pretend_network* network = join_the_lobby(joiner);
    joiner.poll();
    const std::size_t sent_before = network->sent.size();
    joiner.say("hi all");
    joiner.say("new\nline");
    EXPECT_EQ(chat_sent(*network, sent_before), (std::vector<std::tuple<int, int, std::string>>{{0, 0, "hi all"}}));
    EXPECT_EQ(joiner.get_chat().lines().back(), (net_chat{net_chat_note_slot, 0, net_session::bad_line_note}));
    network->deliver(0, encode(net_chat{1, 0, "hi all"}));
    joiner.poll();
    EXPECT_EQ(joiner.get_chat().lines().back(), (net_chat{1, 0, "hi all"}));
    EXPECT_EQ(joiner.get_chat().count(), 2u);
    joiner.leave();
}

TEST(PeerLimits, TwoLinesASecondAndTwoAtOnce)
{
    line_rate rate;
    const auto at = clock_type::time_point(std::chrono::hours(1));
    const struct {
        int ms;
        bool taken;
    } rows[] = {{0, true},    {10, true},   {400, false},  {499, false},  {500, true},  {999, false},
                {1000, true}, {5000, true}, {5000, true},  {5000, false}, {5499, false}, {5500, true}};
    for (const auto& row : rows)
        EXPECT_EQ(rate.take(at + std::chrono::milliseconds(row.ms)), row.taken) << row.ms << " ms";
}
