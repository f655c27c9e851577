// The network session's parts as values, with no network: the roster of
// who is where, the relay of readings with its bounds, who may come in late,
// the host's watch on its joiners, and what the finders of games are told.
#include <chrono>
#include <functional>
#include <string>

#include "idle_inputs.h"
#include "net/late_entry.h"
#include "net/lobby_offer.h"
#include "net/net_roster.h"
#include "net/peer_limits.h"
#include "net/reading_relay.h"

namespace {

using clock_type = net_transport::clock;
const clock_type::time_point start_time = clock_type::time_point(std::chrono::hours(1));

net_hello hello_of(const char* name, bool watching)
{
    net_hello hello;
    hello.look.name = name;
    hello.watching = watching;
    return hello;
}

// Peers 1..6 as one character each: '-' absent, 'n' nameless, 'w' a
// watcher, 'c' coming in, 'x' waiting for the next match, a digit a
// player's slot.
std::string peers_of(const net_roster& roster)
{
    std::string seen;
    for (int peer = 1; peer <= 6; peer++) {
        switch (roster.role(peer)) {
        case peer_role::absent: seen += '-'; break;
        case peer_role::nameless: seen += 'n'; break;
        case peer_role::watcher: seen += 'w'; break;
        case peer_role::coming_in: seen += 'c'; break;
        case peer_role::waiting_for_next: seen += 'x'; break;
        case peer_role::host: seen += 'h'; break;
        case peer_role::player: seen += static_cast<char>('0' + roster.slot(peer)); break;
        }
    }
    return seen;
}

std::string humans_of(const net_roster& roster)
{
    std::string names;
    for (const net_player& human : roster.humans())
        names += (names.empty() ? "" : " ") + human.name;
    return names;
}

// The greeted peers as the host's loops go over them.
std::string greeted_of(const net_roster& roster)
{
    std::string peers;
    for (int peer : roster.peers_in(roles::greeted))
        peers += static_cast<char>('0' + peer);
    return peers;
}

}  // namespace

TEST(NetRoster, EveryRoleMovesThroughItsPhasesAndTheSlotsFollow)
{
    net_roster roster;
    roster.open(own_role::host, 0);
    roster.add_human(hello_of("HOST", false).look);
    std::string why_not;
    const auto joins = [&](int peer, const char* name, bool watching, int most_players) {
        roster.connected(peer, start_time);
        return static_cast<int>(roster.greet(peer, hello_of(name, watching), most_players, 8, why_not));
    };
    const auto comes_late = [&](int peer, const char* name, bool watching, bool now) {
        roster.connected(peer, start_time);
        roster.greet_late(peer, hello_of(name, watching), now);
        return 0;
    };
    // Each row acts, answers, and leaves every peer in a role.
    const struct {
        const char* what;
        std::function<int()> act;
        int answer;
        const char* peers;
        const char* humans;
    } rows[] = {
        {"a connection is nameless", [&] { roster.connected(1, start_time); return 0; }, 0, "n-----", "HOST"},
        {"its hello to play takes the next slot",
         [&] { return static_cast<int>(roster.greet(1, hello_of("ANN", false), 11, 8, why_not)); }, 1, "1-----",
         "HOST ANN"},
        {"a hello to watch takes no slot", [&] { return joins(2, "BOB", true, 11); }, 1, "1w----", "HOST ANN"},
        {"a second player", [&] { return joins(3, "CAT", false, 11); }, 1, "1w2---", "HOST ANN CAT"},
        {"no fourth where three may play", [&] { return joins(4, "DAN", false, 3); }, 0, "1w2n--", "HOST ANN CAT"},
        {"turned away, it had no slot", [&] { return roster.gone(4); }, -1, "1w2---", "HOST ANN CAT"},
        {"one leaving the lobby: the later ones move up",
         [&] {
             const int slot = roster.gone(1);
             roster.close_up(slot);
             return slot;
         },
         1, "-w1---", "HOST CAT"},
        {"come late to play, with a fighter free", [&] { return comes_late(4, "DAN", false, true); }, 0, "-w1c--",
         "HOST CAT"},
        {"room for one more beside it", [&] { return static_cast<int>(roster.room_to_come_in(2, 4, 11, why_not)); },
         1, "-w1c--", "HOST CAT"},
        {"no bot's fighter left for another",
         [&] { return static_cast<int>(roster.room_to_come_in(2, 3, 11, why_not)); }, 0, "-w1c--", "HOST CAT"},
        {"but there is for the one coming in",
         [&] { return static_cast<int>(roster.room_to_come_in(2, 3, 11, why_not, 4)); }, 1, "-w1c--", "HOST CAT"},
        {"come late to play, with none free", [&] { return comes_late(5, "EVE", false, false); }, 0, "-w1cx-",
         "HOST CAT"},
        {"and another", [&] { return comes_late(6, "FAY", false, false); }, 0, "-w1cxx", "HOST CAT"},
        {"those waiting count as watchers", [&] { return static_cast<int>(roster.room_to_watch(3)); }, 0,
         "-w1cxx", "HOST CAT"},
        {"the one coming in takes a bot's fighter",
         [&] {
             roster.seat(4, 2);
             roster.add_human(roster.look(4));
             return roster.players();
         },
         3, "-w12xx", "HOST CAT DAN"},
        {"a player leaving the match keeps its fighter there", [&] { return roster.gone(3); }, 1, "-w-2xx",
         "HOST CAT DAN"},
        {"back in the lobby, in joining order, as many as may play",
         [&] {
             const std::vector<int> no_room = roster.back_to_lobby(3);
             return no_room.size() == 1 ? no_room[0] : -1;
         },
         6, "-w-12n", "HOST DAN EVE"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.act(), row.answer) << row.what;
        EXPECT_EQ(peers_of(roster), row.peers) << row.what;
        EXPECT_EQ(humans_of(roster), row.humans) << row.what;
        std::string expected_greeted;
        for (int peer = 1; peer <= 6; peer++)
            if (row.peers[peer - 1] != '-' && row.peers[peer - 1] != 'n')
                expected_greeted += static_cast<char>('0' + peer);
        EXPECT_EQ(greeted_of(roster), expected_greeted) << row.what;
    }
    EXPECT_EQ(roster.who(2), "watcher 2");
    EXPECT_EQ(roster.who(4), "player 2");
    EXPECT_EQ(roster.who(6), "joiner 6");

    // A joiner's one peer is its host, whose controls it plays with.
    net_roster joiner;
    joiner.open(own_role::player, 0);
    joiner.connected(host_peer, start_time);
    EXPECT_EQ(joiner.role(host_peer), peer_role::host);
    EXPECT_TRUE(joiner.is(host_peer, roles::playing_with));
    EXPECT_TRUE(joiner.is(host_peer, roles::sharing_the_match));
    EXPECT_FALSE(joiner.is(host_peer, roles::greeted));
    EXPECT_EQ(joiner.who(host_peer), "the host");
}

// Three humans: the host in slot 0, peer 1 in slot 1, peer 2 in slot 2. Each
// slot starts with the idle readings every peer starts with.
TEST(ReadingRelay, TheHubTakesAJoinersOwnReadingsOnlyAndOnlySoFarAhead)
{
    const std::uint32_t first = rollback_match::fewest_delay;
    const struct {
        const char* what;
        bool hub;
        int slot;
        std::uint32_t first_tick;
        std::size_t count;
        std::size_t known_after;
        std::size_t refused;
    } rows[] = {
        {"its own readings", true, 1, first, 10, first + 10, 0},
        {"another slot's", true, 2, first, 10, first, 1},
        {"beyond one still lacking: passed over, they come again", true, 1, first + 1, 10, first, 0},
        {"as far as the hub takes, and no further", true, 1, first, 250, reading_relay::most_taken_ahead, 1},
        {"a joiner takes whatever the hub relays", false, 2, first, 250, first + 250, 0},
    };
    for (const auto& row : rows) {
        rollback_match match;
        match.start(3, row.hub ? 0 : 1);
        reading_relay relay(row.hub);
        std::vector<std::string> refused;
        relay.take(1, row.hub ? 1 : -1, idle_inputs(row.slot, row.first_tick, row.count), match, start_time,
                   refused);
        EXPECT_EQ(match.known(row.slot).size(), row.known_after) << row.what;
        EXPECT_EQ(refused.size(), row.refused) << row.what;
    }
}

TEST(ReadingRelay, EachReadingGoesFourTimesAndAQuietPeerIsSentAgainABoundedShare)
{
    rollback_match match;
    match.start(3, 0);
    reading_relay relay(true);
    std::vector<std::string> refused;
    relay.take(2, 2, idle_inputs(2, rollback_match::fewest_delay, 198), match, start_time, refused);
    ASSERT_EQ(match.known(2).size(), 200u);
    ASSERT_TRUE(refused.empty());

    // At each row's time, what peer 1 says it has of slot 2 (0: it says
    // nothing), and what the next packet to it carries of slot 2.
    const std::uint32_t resent = reading_relay::most_resent;
    const struct {
        const char* what;
        int at_ms;
        std::uint32_t has;
        int first_tick;  // -1: nothing
        std::uint32_t ticks;
    } rows[] = {
        {"what it lacks", 0, 50, 50, 150},
        {"again", 10, 0, 50, 150},
        {"a third time", 20, 0, 50, 150},
        {"a fourth", 30, 0, 50, 150},
        {"then no more", 40, 0, -1, 0},
        {"nor while it is quiet a while", 150, 0, -1, 0},
        {"quiet too long: sent again, as much as an honest peer lacks", 251, 0, 50, resent},
        {"once", 261, 0, -1, 0},
        {"a peer that moves on", 300, 100, -1, 0},
        {"is not sent again before it is quiet too long", 450, 0, -1, 0},
        {"then only what it lacks", 501, 0, 100, 100},
    };
    for (const auto& row : rows) {
        const auto at = start_time + std::chrono::milliseconds(row.at_ms);
        if (row.has > 0) {
            net_inputs says;
            says.have_until[0] = rollback_match::fewest_delay;
            says.have_until[2] = row.has;
            relay.take(1, 1, says, match, at, refused);
        }
        const net_inputs sent = relay.next_for(1, 1, 0, match, at);
        int first_tick = -1;
        std::uint32_t ticks = 0;
        for (const net_slot_inputs& entry : sent.slots) {
            EXPECT_NE(entry.slot, 1) << row.what << ": its own readings go back to it";
            if (entry.slot == 2) {
                first_tick = static_cast<int>(entry.first_tick);
                ticks = entry.ticks();
            }
        }
        EXPECT_EQ(first_tick, row.first_tick) << row.what;
        EXPECT_EQ(ticks, row.ticks) << row.what;
        EXPECT_EQ(sent.have_until[1], rollback_match::fewest_delay) << row.what;
    }
    EXPECT_TRUE(refused.empty());
}

// A host playing slot 0 with one joiner in slot 1 and one watcher: whoever
// says hello to the match under way plays, watches, or is turned away, and
// no more than two matches so far are packed at once.
TEST(LateEntry, AHelloToAMatchUnderWayPlaysWatchesOrIsTurnedAway)
{
    net_roster roster;
    roster.open(own_role::host, 0);
    roster.add_human(hello_of("HOST", false).look);
    std::string why_not;
    roster.connected(1, start_time);
    ASSERT_TRUE(roster.greet(1, hello_of("ANN", false), 11, 8, why_not));
    roster.connected(2, start_time);
    ASSERT_TRUE(roster.greet(2, hello_of("BOB", true), 11, 8, why_not));
    const struct {
        const char* what;
        bool watching;
        late_entry::room has;  // in the match, fighters, most players, most watchers
        const char* why_not;
        bool plays;
    } rows[] = {
        {"a bot's fighter is free: it plays", false, {2, 4, 11, 8}, "", true},
        {"no bot's fighter free: it watches until the next match", false, {4, 4, 11, 8}, "", false},
        {"as many as may play already do: it watches", false, {2, 4, 2, 8}, "", false},
        {"a watcher watches", true, {2, 4, 11, 8}, "", false},
        {"no fighter and no room to watch", false, {4, 4, 11, 1},
         "no room to play: no bot's fighter is left to take over", false},
        {"the match full and no room to watch", false, {2, 4, 2, 1}, "no room to play: the match is full", false},
        {"no room to watch", true, {2, 4, 11, 1}, "no room to watch: 1 are watching", false},
    };
    for (const auto& row : rows) {
        late_entry late;
        bool plays = !row.plays;
        EXPECT_EQ(late.why_not(roster, hello_of("LATE", row.watching), row.has, start_time, plays), row.why_not)
            << row.what;
        EXPECT_EQ(plays, row.plays) << row.what;
    }
    late_entry late;
    bool plays = false;
    const late_entry::room has{2, 4, 11, 8};
    for (int ask = 0; ask < 2; ask++)
        EXPECT_EQ(late.why_not(roster, hello_of("LATE", false), has, start_time, plays), "") << ask;
    EXPECT_EQ(late.why_not(roster, hello_of("LATE", false), has, start_time, plays),
              "too many are joining the match under way; try again");
    EXPECT_EQ(late.why_not(roster, hello_of("LATE", false), has, start_time + std::chrono::milliseconds(500), plays),
              "");
}

// A connection must say hello within 3 s, and one come late to play must
// catch up within 2 minutes; players and watchers are not watched so.
TEST(PeerGuards, ThoseWhoNeverSayHelloOrNeverCatchUpAreLetGo)
{
    const struct {
        const char* what;
        peer_role role;
        std::chrono::milliseconds after;
        const char* why;  // "" stays
    } rows[] = {
        {"nameless a while", peer_role::nameless, std::chrono::milliseconds(3000), ""},
        {"nameless too long", peer_role::nameless, std::chrono::milliseconds(3001), "no hello within 3 s"},
        {"coming in a while", peer_role::coming_in, std::chrono::minutes(2), ""},
        {"coming in too long", peer_role::coming_in, std::chrono::minutes(2) + std::chrono::milliseconds(1),
         "not caught up on the match within 2 minutes"},
        {"a watcher for ever", peer_role::watcher, std::chrono::hours(9), ""},
        {"a player for ever", peer_role::player, std::chrono::hours(9), ""},
        {"waiting for the next match for ever", peer_role::waiting_for_next, std::chrono::hours(9), ""},
    };
    for (const auto& row : rows) {
        net_roster roster;
        roster.open(own_role::server, -1);
        roster.connected(3, start_time);
        roster.set_role(3, row.role);
        const peer_guards::let_go_list out = peer_guards::overstayed(roster, start_time + row.after);
        if (*row.why == '\0') {
            EXPECT_TRUE(out.empty()) << row.what;
        } else {
            ASSERT_EQ(out.size(), 1u) << row.what;
            EXPECT_EQ(out[0], std::make_pair(3, std::string(row.why))) << row.what;
        }
    }
}

// The finders hear the host's chosen name, else its own player's, else the
// game's; the map offered in the lobby and the one played in the match.
TEST(LobbyOffer, TheFindersAreToldTheNameAndTheMapThatHold)
{
    const struct {
        const char* offered_name;
        const char* own_name;
        bool playing;
        const char* name;
        const char* map;
    } rows[] = {
        {"ANNA", "BOB", false, "ANNA", "foundry.zkm"},
        {"AN.NA", "BOB", false, "BOB", "foundry.zkm"},
        {"", "", true, fallback_player_name, "tower.zkm"},
        {"ANNA", "", true, "ANNA", "tower.zkm"},
    };
    for (const auto& row : rows) {
        lobby_offer offer;
        offer.host_name = row.offered_name;
        offer.map_name = "foundry.zkm";
        net_player own;
        own.name = row.own_name;
        const game_listing listing = listing_of(offer, own, 3, row.playing, "tower.zkm");
        EXPECT_EQ(listing.name, row.name) << row.offered_name << "/" << row.own_name;
        EXPECT_EQ(listing.map, row.map) << row.offered_name << "/" << row.own_name;
        EXPECT_EQ(listing.players, 3);
        EXPECT_EQ(listing.playing, row.playing);
    }
}
