// The finder over the loopback: a real host's link answers it with the
// listing the host set, and it lists the game once however often it asks.
// It is aimed at 127.0.0.1 only; the give-up limit only keeps a broken
// finder from hanging the suite.
#include <chrono>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "net/game_finder.h"
#include "net/local_networks.h"
#include "net/net_link.h"
#include "net/net_messages.h"

namespace {

using clock_type = std::chrono::steady_clock;

// Until `found` games are listed, or the give-up time.
void find(net_link& host, game_finder& finder, std::size_t found)
{
    const auto give_up = clock_type::now() + std::chrono::seconds(20);
    std::vector<net_event> events;
    while (finder.games().size() < found && clock_type::now() < give_up) {
        host.poll(events, 5);
        finder.poll(clock_type::now());
    }
}

TEST(GameFinder, FindsAHostOverTheLoopback)
{
    net_link host;
    std::string error;
    std::uint16_t port = 0;
    const int first = 41000 + getpid() % 1000;
    for (int tried = first; tried < first + 200 && port == 0; tried++)
        if (host.listen(static_cast<std::uint16_t>(tried), error))
            port = static_cast<std::uint16_t>(tried);
    ASSERT_NE(port, 0) << error;
    game_listing listing;
    listing.name = "Anna_2";
    listing.map = "foundry.zkm";
    listing.players = 4;
    host.set_listing(listing);

    game_finder finder;
    finder.aim_at({"127.0.0.1"}, static_cast<std::uint16_t>(port - 1), static_cast<std::uint16_t>(port + 1));
    ASSERT_TRUE(finder.open(error)) << error;
    find(host, finder, 1);
    ASSERT_EQ(finder.games().size(), 1u);
    const found_game& game = finder.games()[0];
    EXPECT_EQ(game.address, "127.0.0.1");
    EXPECT_EQ(game.port, port);
    EXPECT_EQ(game.name, "Anna_2");
    EXPECT_EQ(game.map, "foundry.zkm");
    EXPECT_EQ(game.players, 4);
    EXPECT_FALSE(game.playing);
    EXPECT_EQ(game.version, net_protocol_version);
    EXPECT_GE(game.ping_ms, 0);

    // The match begins: the next round's answer says so, in the same entry.
    listing.playing = true;
    host.set_listing(listing);
    const auto give_up = clock_type::now() + std::chrono::seconds(20);
    std::vector<net_event> events;
    while (!finder.games().empty() && !finder.games()[0].playing && clock_type::now() < give_up) {
        host.poll(events, 5);
        finder.poll(clock_type::now());
    }
    ASSERT_EQ(finder.games().size(), 1u);
    EXPECT_TRUE(finder.games()[0].playing);
    EXPECT_TRUE(events.empty()) << "a query reached the host's session as a packet";

    // A host gone quiet is forgotten 6 s after it was last heard.
    host.close();
    finder.poll(clock_type::now() + game_finder::forget_after + std::chrono::seconds(1));
    EXPECT_TRUE(finder.games().empty());
}

}  // namespace

TEST(LocalNetworks, TheWaysInAreThisComputersOtherAddressesWithThePort)
{
    const std::vector<std::string> ways = ways_in(27961);
    std::size_t others = 0;
    for (const local_network& network : local_networks())
        others += !network.loopback;
    EXPECT_EQ(ways.size(), others);
    for (const std::string& way : ways) {
        EXPECT_NE(way.rfind("127.", 0), 0u) << way;
        EXPECT_EQ(way.substr(way.size() - 6), ":27961") << way;
    }
}
