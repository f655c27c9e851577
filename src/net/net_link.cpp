// The link over ENet: channel 0 carries the reliable packets, channel 1 the
// unreliable ones; the delay queue and the loss draw sit in front of ENet.
#include "net/net_link.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include <enet/enet.h>

#include "net/net_messages.h"

namespace {

const std::size_t channel_count = 2;
const std::uint8_t reliable_channel = 0;
const std::uint8_t unreliable_channel = 1;
const int host_number = 0;
// A peer not heard from this long counts as gone. A live one is heard at
// least twice a second: it answers the pings ENet sends while all is quiet.
const enet_uint32 silence_ms = 3000;
// How long closing waits for the peers to hear it; a peer that is already
// gone would keep it waiting to the end.
const auto closing_time = std::chrono::milliseconds(1000);
const enet_uint32 closing_slice_ms = 10;

// ENet would take up to 32 MB a packet and 32 MB waiting from each peer;
// nothing of ours comes near a tenth of that, and a peer that sends more
// must not cost us more.
const std::size_t most_waiting_per_peer = 2 * net_max_packet;

// ENet is set up with the first open link and taken down with the last.
int enet_users = 0;

bool use_enet()
{
    if (enet_users == 0 && enet_initialize() != 0)
        return false;
    enet_users++;
    return true;
}

void leave_enet()
{
    if (--enet_users == 0)
        enet_deinitialize();
}

// On ENet's clock, which wraps after 49 days.
int milliseconds_between(enet_uint32 earlier, enet_uint32 later)
{
    return static_cast<std::int32_t>(later - earlier);
}

int milliseconds_until(std::chrono::steady_clock::time_point when)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(when - std::chrono::steady_clock::now());
    return std::max(0, static_cast<int>(left.count()));
}

// The hosts' answerers by ENet host, for the intercept, which ENet calls
// with nothing but the host.
std::map<const ENetHost*, game_answerer*> answerers;

// A finder's query is answered here and goes no further; every other
// datagram is ENet's.
int ENET_CALLBACK answer_queries(ENetHost* host, ENetEvent*)
{
    if (!looks_like_query(host->receivedData, host->receivedDataLength))
        return 0;
    const auto found = answerers.find(host);
    if (found == answerers.end())
        return 1;
    std::string answer = found->second->answer(host->receivedData, host->receivedDataLength,
                                               std::chrono::steady_clock::now());
    if (!answer.empty()) {
        ENetBuffer buffer;
        buffer.data = &answer[0];
        buffer.dataLength = answer.size();
        enet_socket_send(host->socket, &host->receivedAddress, &buffer, 1);
    }
    return 1;
}

}  // namespace

net_link::~net_link()
{
    close();
}

bool net_link::open(const char* verb, std::string& error)
{
    if (host) {
        error = std::string("cannot ") + verb + ": this end of the network is already open";
        return false;
    }
    if (!use_enet()) {
        error = std::string("cannot ") + verb + ": the network library does not start";
        return false;
    }
    return true;
}

bool net_link::listen(std::uint16_t port, std::string& error)
{
    if (!open("listen", error))
        return false;
    ENetAddress address = {};
    address.host = ENET_HOST_ANY;
    address.port = port;
    errno = 0;
    host = enet_host_create(&address, most_joiners, channel_count, 0, 0);
    if (!host) {
        const int cause = errno;
        error = "cannot listen on port " + std::to_string(port) +
                (cause ? std::string(": ") + std::strerror(cause) : "");
        leave_enet();
        return false;
    }
    limit_what_peers_may_cost();
    answerers[host] = &answerer;
    host->intercept = answer_queries;
    hosting = true;
    joiners_numbered = 0;
    return true;
}

bool net_link::connect(const std::string& address, std::uint16_t port, std::string& error)
{
    if (!open("connect", error))
        return false;
    ENetAddress where = {};
    if (enet_address_set_host(&where, address.c_str()) != 0) {
        error = "cannot find the address \"" + address + "\"";
        leave_enet();
        return false;
    }
    where.port = port;
    host = enet_host_create(nullptr, 1, channel_count, 0, 0);
    ENetPeer* server = host ? enet_host_connect(host, &where, channel_count, 0) : nullptr;
    if (!server) {
        error = "cannot connect to " + address + ": no network here";
        if (host)
            enet_host_destroy(host);
        host = nullptr;
        leave_enet();
        return false;
    }
    enet_peer_timeout(server, 0, silence_ms, silence_ms);
    limit_what_peers_may_cost();
    hosting = false;
    peers[host_number] = server;
    return true;
}

void net_link::limit_what_peers_may_cost()
{
    host->maximumPacketSize = net_max_packet;
    host->maximumWaitingData = most_waiting_per_peer;
}

// ENet's packet throttle drops unreliable packets, down to every one, while
// the round trips of the reliable ones vary, as they do on a busy computer
// carrying chat lines. A peer that lacks some readings is sent them again
// in one large unreliable packet, which the throttle then never lets through,
// and the match stalls until the host lets that peer go. The readings' own
// repeats and resends already cover loss, so the throttle stays open.
void net_link::keep_every_unreliable_send(_ENetPeer* peer)
{
    enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
}

// A number of its own while there are new ones; after that, the number of
// one who has gone, so that ten comings and goings cannot shut the door.
int net_link::number_for_newcomer()
{
    if (joiners_numbered < most_joiners)
        return ++joiners_numbered;
    for (int number = 1; number <= most_joiners; number++)
        if (!peers[number])
            return number;
    return -1;
}

ENetPeer* net_link::peer_of(int peer) const
{
    return peer >= 0 && peer <= most_joiners ? peers[peer] : nullptr;
}

int net_link::number_of(const ENetPeer* peer) const
{
    for (int number = 0; number <= most_joiners; number++)
        if (peers[number] == peer)
            return number;
    return -1;
}

bool net_link::lost()
{
    if (lose_percent <= 0)
        return false;
    // xorshift32: the link's own numbers, so that a test's losses repeat.
    loss_state ^= loss_state << 13;
    loss_state ^= loss_state >> 17;
    loss_state ^= loss_state << 5;
    return static_cast<int>(loss_state % 100) < lose_percent;
}

void net_link::send(int peer, const std::string& packet, bool reliable)
{
    if (!host || (!reliable && lost()))
        return;
    if (delay.count() > 0)
        held.push_back({clock::now() + delay, peer, packet, reliable});
    else
        hand_over(peer, packet, reliable);
}

void net_link::hand_over(int peer, const std::string& packet, bool reliable)
{
    ENetPeer* to = peer_of(peer);
    if (!to || to->state != ENET_PEER_STATE_CONNECTED)
        return;
    // An unreliable packet longer than one datagram stays unreliable: ENet
    // would otherwise send its pieces reliably.
    const enet_uint32 flags = reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNRELIABLE_FRAGMENT;
    ENetPacket* enet_packet = enet_packet_create(packet.data(), packet.size(), flags);
    if (!enet_packet)
        return;
    if (enet_peer_send(to, reliable ? reliable_channel : unreliable_channel, enet_packet) != 0) {
        enet_packet_destroy(enet_packet);
        return;
    }
    sent += packet.size();
}

void net_link::send_held(bool every_one)
{
    const clock::time_point now = clock::now();
    while (!held.empty() && (every_one || held.front().due <= now)) {
        hand_over(held.front().peer, held.front().packet, held.front().reliable);
        held.pop_front();
    }
}

void net_link::poll(std::vector<net_event>& events, int wait_ms)
{
    if (!host)
        return;
    send_held(false);
    const clock::time_point deadline = clock::now() + std::chrono::milliseconds(std::max(0, wait_ms));
    ENetEvent event;
    // The wait is cut where a held send falls due, so that it goes on time.
    for (;;) {
        int slice = milliseconds_until(deadline);
        if (!held.empty())
            slice = std::min(slice, milliseconds_until(held.front().due));
        const int result = enet_host_service(host, &event, static_cast<enet_uint32>(slice));
        if (result > 0)
            take(event, events);
        send_held(false);
        if (result != 0 || clock::now() >= deadline)
            break;
    }
    while (enet_host_service(host, &event, 0) > 0)
        take(event, events);
    drop_the_silent(events);
    send_held(false);
    enet_host_flush(host);
}

void net_link::take(ENetEvent& event, std::vector<net_event>& events)
{
    switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
        keep_every_unreliable_send(event.peer);
        if (!hosting) {
            if (event.peer == peers[host_number]) {
                heard_at[host_number] = enet_time_get();
                events.push_back({net_event::connected, host_number, {}});
            }
        } else if (const int number = number_for_newcomer(); number > 0) {
            peers[number] = event.peer;
            heard_at[number] = enet_time_get();
            enet_peer_timeout(event.peer, 0, silence_ms, silence_ms);
            events.push_back({net_event::connected, number, {}});
        } else {
            enet_peer_disconnect_now(event.peer, 0);
        }
        break;
    case ENET_EVENT_TYPE_RECEIVE: {
        const int number = number_of(event.peer);
        if (number >= 0) {
            heard_at[number] = enet_time_get();
            events.push_back(
                {net_event::received, number,
                 std::string(reinterpret_cast<const char*>(event.packet->data), event.packet->dataLength)});
        }
        enet_packet_destroy(event.packet);
        break;
    }
    case ENET_EVENT_TYPE_DISCONNECT: {
        const int number = number_of(event.peer);
        if (number >= 0) {
            peers[number] = nullptr;
            events.push_back({net_event::disconnected, number, {}});
        }
        break;
    }
    case ENET_EVENT_TYPE_NONE: break;
    }
}

// ENet's own timeout checks only when it resends, at doubling intervals, and
// so may wait twice the limit: the silence is measured here instead, from
// the later of the last packet and the last acknowledgement.
void net_link::drop_the_silent(std::vector<net_event>& events)
{
    const enet_uint32 now = enet_time_get();
    for (int number = 0; number <= most_joiners; number++) {
        ENetPeer* peer = peers[number];
        if (!peer || peer->state != ENET_PEER_STATE_CONNECTED)
            continue;
        const int quiet = std::min(milliseconds_between(heard_at[number], now),
                                   milliseconds_between(peer->lastReceiveTime, now));
        if (quiet > static_cast<int>(silence_ms)) {
            // It may yet hear that it was dropped.
            enet_peer_disconnect_now(peer, 0);
            peers[number] = nullptr;
            events.push_back({net_event::disconnected, number, {}});
        }
    }
}

void net_link::disconnect(int peer)
{
    ENetPeer* leaving = peer_of(peer);
    if (!leaving)
        return;
    // What the delay holds for it goes first, so that it hears a goodbye.
    std::deque<held_send> others;
    for (held_send& send : held) {
        if (send.peer == peer)
            hand_over(send.peer, send.packet, send.reliable);
        else
            others.push_back(std::move(send));
    }
    held.swap(others);
    // Later: after every packet queued for it has gone.
    enet_peer_disconnect_later(leaving, 0);
}

void net_link::close()
{
    if (!host)
        return;
    send_held(true);
    for (ENetPeer* peer : peers)
        if (peer)
            enet_peer_disconnect_later(peer, 0);
    const clock::time_point give_up = clock::now() + closing_time;
    auto anyone_left = [this] {
        for (ENetPeer* peer : peers)
            if (peer && peer->state != ENET_PEER_STATE_DISCONNECTED)
                return true;
        return false;
    };
    ENetEvent event;
    while (anyone_left() && clock::now() < give_up) {
        if (enet_host_service(host, &event, closing_slice_ms) > 0 && event.type == ENET_EVENT_TYPE_RECEIVE)
            enet_packet_destroy(event.packet);
    }
    for (ENetPeer*& peer : peers) {
        if (peer)
            enet_peer_reset(peer);
        peer = nullptr;
    }
    answerers.erase(host);
    enet_host_destroy(host);
    host = nullptr;
    held.clear();
    leave_enet();
}

void net_link::simulate(int lose_percent_wanted, int delay_ms, std::uint32_t seed)
{
    lose_percent = std::clamp(lose_percent_wanted, 0, 100);
    delay = std::chrono::milliseconds(std::max(0, delay_ms));
    // Scrambled so that nearby seeds differ at once; xorshift never leaves 0.
    loss_state = (seed ^ 0x9e3779b9u) * 2654435761u;
    if (loss_state == 0)
        loss_state = 1;
}

int net_link::round_trip_ms(int peer) const
{
    const ENetPeer* to = peer_of(peer);
    return to ? static_cast<int>(to->roundTripTime) : -1;
}

std::unique_ptr<net_transport> link_for_host(std::uint16_t port, std::string& error)
{
    auto link = std::make_unique<net_link>();
    if (!link->listen(port, error))
        return nullptr;
    return link;
}

std::unique_ptr<net_transport> link_to_host(const std::string& address, std::uint16_t port, std::string& error)
{
    auto link = std::make_unique<net_link>();
    if (!link->connect(address, port, error))
        return nullptr;
    return link;
}
