// A player's side of finding games on the local network: it asks every
// local network (and this computer) for games every 2 s, and lists each
// host that answered in the last 6 s, with its ping. The network screen
// polls it every frame; it never waits.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

struct found_game {
    std::string address;  // "a.b.c.d"; a game on this computer is "127.0.0.1"
    std::uint16_t port = 0;
    std::string name;
    std::string map;
    int players = 1;
    bool playing = false;
    int ping_ms = 0;
    int version = 0;  // the host's protocol version, which may not be ours
};

class game_finder {
public:
    using clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds ask_every{2};
    static constexpr std::chrono::seconds forget_after{6};
    // The ports games are looked for on.
    static const std::uint16_t first_port = 27960;
    static const std::uint16_t last_port = 27969;

    game_finder() = default;
    game_finder(const game_finder&) = delete;
    game_finder& operator=(const game_finder&) = delete;
    ~game_finder();

    // False, with a reason, when there is no socket to ask with.
    bool open(std::string& error);
    // Asks when it is time (at once after open), takes every answer that
    // came and forgets the games not heard for a while. A ping is measured
    // to the poll that read the answer.
    void poll(clock::time_point now);
    const std::vector<found_game>& games() const { return found; }
    void close();

    // For tests: asks only these addresses ("a.b.c.d"), on ports first..last,
    // instead of every local network's broadcast address and this computer.
    void aim_at(const std::vector<std::string>& addresses, std::uint16_t first, std::uint16_t last);

private:
    struct asked {
        std::uint32_t nonce = 0;
        clock::time_point at;
    };
    struct heard_game {
        found_game game;
        clock::time_point heard;
    };

    void ask(clock::time_point now);
    void take_answers(clock::time_point now);
    void take(const std::string& address, std::uint16_t port, const std::string& datagram, clock::time_point now);
    // Where the queries go this round, in network order, and this
    // computer's own addresses.
    std::vector<std::uint32_t> addresses_to_ask();

    int socket_fd = -1;
    std::vector<std::string> aimed;  // empty: the local networks
    std::uint16_t ports_from = first_port;
    std::uint16_t ports_to = last_port;
    std::vector<std::uint32_t> own_addresses;
    std::uint32_t next_nonce = 0;
    std::vector<asked> queries;  // those still worth an answer
    clock::time_point next_ask{};
    std::vector<heard_game> heard;
    std::vector<found_game> found;
};
