// The finder over a plain UDP socket: broadcasts to every IPv4 network's
// broadcast address and a query to the loopback, non-blocking reads.
#include "net/game_finder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/game_query.h"
#include "net/local_networks.h"

namespace {

// Big enough to see that a datagram is bigger than any answer.
const std::size_t datagram_room = 2 * game_query_size;

}  // namespace

game_finder::~game_finder()
{
    close();
}

bool game_finder::open(std::string& error)
{
    close();
    socket_fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (socket_fd < 0 || setsockopt(socket_fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
        error = std::string("cannot look for games: ") + std::strerror(errno);
        close();
        return false;
    }
    // Nonces that start anywhere, so that another finder's answers are not ours.
    next_nonce = std::random_device()();
    next_ask = clock::time_point::min();
    return true;
}

void game_finder::close()
{
    if (socket_fd >= 0)
        ::close(socket_fd);
    socket_fd = -1;
    queries.clear();
    heard.clear();
    found.clear();
}

void game_finder::aim_at(const std::vector<std::string>& addresses, std::uint16_t first, std::uint16_t last)
{
    aimed = addresses;
    ports_from = first;
    ports_to = last;
}

void game_finder::poll(clock::time_point now)
{
    if (socket_fd < 0)
        return;
    if (now >= next_ask) {
        ask(now);
        next_ask = now + ask_every;
    }
    take_answers(now);
    heard.erase(std::remove_if(heard.begin(), heard.end(),
                               [now](const heard_game& game) { return now - game.heard > forget_after; }),
                heard.end());
    found.clear();
    for (const heard_game& game : heard)
        found.push_back(game.game);
}

std::vector<std::uint32_t> game_finder::addresses_to_ask()
{
    std::vector<std::uint32_t> to_ask;
    own_addresses.clear();
    if (!aimed.empty()) {
        for (const std::string& address : aimed) {
            in_addr in = {};
            if (inet_pton(AF_INET, address.c_str(), &in) == 1)
                to_ask.push_back(in.s_addr);
        }
        return to_ask;
    }
    to_ask.push_back(htonl(INADDR_LOOPBACK));
    for (const local_network& network : local_networks()) {
        own_addresses.push_back(network.address);
        if (network.broadcast != 0 &&
            std::find(to_ask.begin(), to_ask.end(), network.broadcast) == to_ask.end())
            to_ask.push_back(network.broadcast);
    }
    return to_ask;
}

void game_finder::ask(clock::time_point now)
{
    const asked query{next_nonce++, now};
    // An answer to a query older than a game is kept for is not worth having.
    queries.erase(std::remove_if(queries.begin(), queries.end(),
                                 [now](const asked& old) { return now - old.at > forget_after; }),
                  queries.end());
    queries.push_back(query);
    const std::string packet = encode_query(query.nonce);
    for (const std::uint32_t address : addresses_to_ask()) {
        for (int port = ports_from; port <= ports_to; port++) {
            sockaddr_in to = {};
            to.sin_family = AF_INET;
            to.sin_addr.s_addr = address;
            to.sin_port = htons(static_cast<std::uint16_t>(port));
            // A network that cannot be reached now may be there at the next round.
            sendto(socket_fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        }
    }
}

void game_finder::take_answers(clock::time_point now)
{
    char datagram[datagram_room];
    for (;;) {
        sockaddr_in from = {};
        socklen_t from_size = sizeof from;
        const ssize_t size =
            recvfrom(socket_fd, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from), &from_size);
        if (size < 0)
            return;  // nothing more for now, or the socket's fault: both wait for the next poll
        const bool ours = std::find(own_addresses.begin(), own_addresses.end(), from.sin_addr.s_addr) !=
                          own_addresses.end();
        // A game on this computer answers the broadcast and the loopback: one entry.
        const std::string address = ours ? "127.0.0.1" : dotted(from.sin_addr.s_addr);
        take(address, ntohs(from.sin_port), std::string(datagram, static_cast<std::size_t>(size)), now);
    }
}

void game_finder::take(const std::string& address, std::uint16_t port, const std::string& datagram,
                       clock::time_point now)
{
    game_answer answer;
    std::string error;
    if (!decode_answer(reinterpret_cast<const std::uint8_t*>(datagram.data()), datagram.size(), answer, error))
        return;
    const auto query = std::find_if(queries.begin(), queries.end(),
                                    [&answer](const asked& sent) { return sent.nonce == answer.nonce; });
    if (query == queries.end())
        return;
    found_game game;
    game.address = address;
    game.port = port;
    game.name = answer.listing.name;
    game.map = answer.listing.map;
    game.players = answer.listing.players;
    game.playing = answer.listing.playing;
    game.version = answer.version;
    game.ping_ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now - query->at).count());
    const auto same = std::find_if(heard.begin(), heard.end(), [&game](const heard_game& known) {
        return known.game.address == game.address && known.game.port == game.port;
    });
    if (same == heard.end())
        heard.push_back({game, now});
    else
        *same = {game, now};
}
