// The network link over the loopback, a host and its joiners in one
// process: connecting, packets both ways, leaving, the numbering of joiners,
// and the loss and delay a link can put on its own sends. Time is only ever
// bounded from below; the give-up limit only keeps a broken link from
// hanging the suite.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "net/net_link.h"

namespace {

using clock_type = std::chrono::steady_clock;
const auto give_up = std::chrono::seconds(20);

// One end of the network and every event it has heard.
struct station {
    net_link link;
    std::vector<net_event> heard;

    int count(net_event::kind what, int peer, const std::string& data = "") const
    {
        int found = 0;
        for (const net_event& event : heard)
            found += event.what == what && event.peer == peer &&
                     (what != net_event::received || event.data == data);
        return found;
    }
    std::vector<std::string> received_from(int peer) const
    {
        std::vector<std::string> packets;
        for (const net_event& event : heard)
            if (event.what == net_event::received && event.peer == peer)
                packets.push_back(event.data);
        return packets;
    }
};

// Polls every end until `done`; false if it never is.
bool poll_until(const std::vector<station*>& ends, const std::function<bool()>& done)
{
    const clock_type::time_point stop = clock_type::now() + give_up;
    while (!done()) {
        if (clock_type::now() > stop)
            return false;
        for (station* each : ends)
            each->link.poll(each->heard, 1);
    }
    return true;
}

// A port of its own, tried from one that differs between test processes.
std::uint16_t listen_somewhere(net_link& host)
{
    std::string error;
    const int first = 40000 + getpid() % 1000;
    for (int port = first; port < first + 200; port++)
        if (host.listen(static_cast<std::uint16_t>(port), error))
            return static_cast<std::uint16_t>(port);
    ADD_FAILURE() << "no free port: " << error;
    return 0;
}

// A host and one joiner, connected.
struct pair_of_ends {
    station host;
    station joiner;
    std::uint16_t port = 0;

    pair_of_ends()
    {
        port = listen_somewhere(host.link);
        std::string error;
        EXPECT_TRUE(joiner.link.connect("127.0.0.1", port, error)) << error;
        EXPECT_TRUE(poll_until({&host, &joiner}, [&] {
            return host.count(net_event::connected, 1) == 1 && joiner.count(net_event::connected, 0) == 1;
        }));
    }
    // Parting while both ends listen, so that neither waits out its closing.
    ~pair_of_ends()
    {
        if (joiner.count(net_event::disconnected, 0) > 0)
            return;
        joiner.link.disconnect(0);
        poll_until({&host, &joiner}, [&] {
            return host.count(net_event::disconnected, 1) > 0 && joiner.count(net_event::disconnected, 0) > 0;
        });
    }
};

TEST(NetLink, CarriesPacketsBothWaysAndHearsLeaving)
{
    pair_of_ends ends;
    station& host = ends.host;
    station& joiner = ends.joiner;
    struct direction {
        station& from;
        int to_peer;
        station& to;
        int from_peer;
    };
    const direction table[] = {{host, 1, joiner, 0}, {joiner, 0, host, 1}};
    // Longer than a datagram, so that it goes in unreliable pieces.
    const std::string loose = "loose" + std::string(3000, '.');
    for (const direction& row : table) {
        const std::vector<std::string> in_order = {"first", std::string(5000, 'b'), "third"};
        const std::uint64_t before = row.from.link.bytes_sent();
        for (const std::string& packet : in_order)
            row.from.link.send(row.to_peer, packet, true);
        EXPECT_EQ(row.from.link.bytes_sent() - before, 5010u);
        // Unreliable: sent again each round until one comes through.
        ASSERT_TRUE(poll_until({&host, &joiner}, [&] {
            row.from.link.send(row.to_peer, loose, false);
            return row.to.count(net_event::received, row.from_peer, loose) > 0 &&
                   row.to.count(net_event::received, row.from_peer, "third") > 0;
        }));
        std::vector<std::string> reliable;
        for (const std::string& packet : row.to.received_from(row.from_peer))
            if (packet != loose)
                reliable.push_back(packet);
        EXPECT_EQ(reliable, in_order) << "each reliable packet once, in order";
        EXPECT_GE(row.from.link.round_trip_ms(row.to_peer), 0);
    }
    EXPECT_EQ(host.link.round_trip_ms(2), -1);

    // The joiner leaves; the next one gets a number of its own.
    joiner.link.disconnect(0);
    ASSERT_TRUE(poll_until({&host, &joiner}, [&] {
        return host.count(net_event::disconnected, 1) == 1 && joiner.count(net_event::disconnected, 0) == 1;
    }));
    station second;
    std::string error;
    ASSERT_TRUE(second.link.connect("localhost", ends.port, error)) << error;
    ASSERT_TRUE(poll_until({&host, &second}, [&] { return host.count(net_event::connected, 2) == 1; }));
    EXPECT_EQ(host.count(net_event::connected, 1), 1);

    // The host drops it; it hears so.
    host.link.disconnect(2);
    EXPECT_TRUE(poll_until({&host, &second}, [&] { return second.count(net_event::disconnected, 0) == 1; }));

    // Once every number has been given, a newcomer takes the number of one
    // who has gone: ten comings and goings do not shut the door.
    for (int number = 3; number <= net_link::most_joiners + 1; number++) {
        station next;
        ASSERT_TRUE(next.link.connect("localhost", ends.port, error)) << error;
        const int expected = number <= net_link::most_joiners ? number : 1;
        ASSERT_TRUE(poll_until({&host, &next}, [&] {
            return host.count(net_event::connected, expected) == (number <= net_link::most_joiners ? 1 : 2);
        })) << "newcomer " << number;
        next.link.disconnect(0);
        ASSERT_TRUE(poll_until({&host, &next}, [&] { return next.count(net_event::disconnected, 0) == 1; }));
    }
}

TEST(NetLink, LosesOnlyItsOwnUnreliableSends)
{
    struct loss {
        int percent;
        int fewest_handed;  // of 200 unreliable sends
        int most_handed;
    };
    const loss table[] = {{0, 200, 200}, {100, 0, 0}, {50, 60, 140}};
    for (const loss& row : table) {
        pair_of_ends ends;
        ends.joiner.link.simulate(row.percent, 0, 1);
        const std::uint64_t before = ends.joiner.link.bytes_sent();
        for (int i = 0; i < 200; i++)
            ends.joiner.link.send(0, "u", false);
        const std::uint64_t handed = ends.joiner.link.bytes_sent() - before;
        EXPECT_GE(handed, static_cast<std::uint64_t>(row.fewest_handed)) << row.percent << "%";
        EXPECT_LE(handed, static_cast<std::uint64_t>(row.most_handed)) << row.percent << "%";
        for (int i = 0; i < 5; i++)
            ends.joiner.link.send(0, "r" + std::to_string(i), true);
        ASSERT_TRUE(poll_until({&ends.host, &ends.joiner},
                               [&] { return ends.host.count(net_event::received, 1, "r4") == 1; }))
            << row.percent << "%";
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(ends.host.count(net_event::received, 1, "r" + std::to_string(i)), 1)
                << row.percent << "%";
        if (row.percent == 100) {
            EXPECT_EQ(ends.host.count(net_event::received, 1, "u"), 0);
        }
    }
    // The same seed loses the same sends.
    pair_of_ends a, b;
    a.joiner.link.simulate(30, 0, 7);
    b.joiner.link.simulate(30, 0, 7);
    for (int i = 0; i < 100; i++) {
        a.joiner.link.send(0, std::string(1 + i, 'x'), false);
        b.joiner.link.send(0, std::string(1 + i, 'x'), false);
    }
    EXPECT_EQ(a.joiner.link.bytes_sent(), b.joiner.link.bytes_sent());
}

TEST(NetLink, DelayHoldsEverySendAtLeastItsTime)
{
    const bool kinds[] = {true, false};
    for (bool reliable : kinds) {
        pair_of_ends ends;
        ends.host.link.simulate(0, 50, 1);
        const clock_type::time_point sent_at = clock_type::now();
        const std::uint64_t before = ends.host.link.bytes_sent();
        ends.host.link.send(1, "late", reliable);
        EXPECT_EQ(ends.host.link.bytes_sent(), before) << "held, not yet handed over";
        ASSERT_TRUE(poll_until({&ends.host, &ends.joiner}, [&] {
            return ends.joiner.count(net_event::received, 0, "late") > 0;
        })) << (reliable ? "reliable" : "unreliable");
        EXPECT_GE(clock_type::now() - sent_at, std::chrono::milliseconds(50));
        EXPECT_EQ(ends.host.link.bytes_sent(), before + 4);
    }
}

// A host that stops answering is gone after 3 s of silence, counted from the
// last it was heard, which may be half a second before it went quiet.
TEST(NetLink, SilentHostCountsAsGone)
{
    pair_of_ends ends;
    const clock_type::time_point silent_from = clock_type::now();
    EXPECT_TRUE(
        poll_until({&ends.joiner}, [&] { return ends.joiner.count(net_event::disconnected, 0) == 1; }));
    EXPECT_GE(clock_type::now() - silent_from, std::chrono::milliseconds(2000));
}

}  // namespace
