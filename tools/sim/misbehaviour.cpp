#include "misbehaviour.h"

#include <cmath>
#include <limits>

#include "net/net_messages.h"
#include "net/net_session.h"
#include "net/rollback.h"

namespace {

// What a flood sends each tick: packets of a whole slot entry each.
const int flood_packets_a_tick = 8;
const std::uint32_t far_ahead = 1000000;

net_inputs inputs_of(int slot, std::uint32_t first_tick, const std::vector<control_reading>& readings)
{
    net_inputs inputs;
    net_slot_inputs run;
    run.slot = slot;
    run.first_tick = first_tick;
    pack_readings(run, control_reading{}, readings.data(), readings.size());
    inputs.slots.push_back(run);
    return inputs;
}

net_inputs inputs_of(int slot, std::uint32_t first_tick, std::size_t count, const control_reading& reading)
{
    return inputs_of(slot, first_tick, std::vector<control_reading>(count, reading));
}

}  // namespace

bool read_misbehaviour(const std::string& name, misbehaviour& out)
{
    const struct {
        const char* name;
        misbehaviour way;
    } ways[] = {{"idle", misbehaviour::idle},
                {"flood", misbehaviour::flood},
                {"lies", misbehaviour::lies},
                {"hash", misbehaviour::hash}};
    for (const auto& known : ways)
        if (name == known.name) {
            out = known.way;
            return true;
        }
    return false;
}

void misbehaving_peer::act(net_session& session)
{
    if (session.get_phase() != net_session::phase::playing)
        return;
    ticks++;
    switch (way) {
    case misbehaviour::none:
    case misbehaviour::idle: break;
    case misbehaviour::flood: flood(session); break;
    case misbehaviour::lies: lie(session); break;
    case misbehaviour::hash: lie_about_hashes(session); break;
    }
}

// Its own controls, on and on, far beyond any tick the match has reached.
void misbehaving_peer::flood(net_session& session)
{
    // A pointer that moves every tick: no two readings make one run, so a
    // message is as long as one gets.
    std::vector<control_reading> readings(net_max_readings);
    for (std::size_t tick = 0; tick < readings.size(); tick++) {
        readings[tick].keys = 1;
        readings[tick].pointer_x = static_cast<std::int32_t>(tick % 2);
    }
    for (int packet = 0; packet < flood_packets_a_tick; packet++) {
        session.send_raw(host_peer, encode(inputs_of(session.get_roster().own_slot(), flood_tick, readings)), false);
        flood_tick += net_max_readings;
    }
}

void misbehaving_peer::lie(net_session& session)
{
    const std::uint32_t tick = session.get_match().get_tick();
    const int own_slot = session.get_roster().own_slot();
    control_reading reading;
    std::string packet;
    switch (ticks % 9) {
    case 0:  // speaking for the host
        packet = encode(inputs_of(0, tick + session.get_match().get_input_delay(), 4, reading));
        break;
    case 1:  // its own controls for a tick far ahead
        packet = encode(inputs_of(own_slot, tick + far_ahead, 1, reading));
        break;
    case 2: {  // a scale that is not a number
        reading.scale_x = std::numeric_limits<float>::quiet_NaN();
        packet = encode(inputs_of(own_slot, tick, 1, reading));
        break;
    }
    case 3: {  // the honest joiner handed to a bot
        net_leave leave;
        leave.slot = 1;
        leave.tick = tick;
        packet = encode(leave);
        break;
    }
    case 4: {  // a lobby of its own making
        net_lobby lobby;
        lobby.humans.resize(2);
        lobby.your_slot = 1;
        lobby.map_name = "lies.zkm";
        packet = encode(lobby);
        break;
    }
    case 5: {  // a player come late of its own making, in the honest joiner's place
        net_enter entry;
        entry.slot = 1;
        entry.tick = tick;
        packet = encode(entry);
        break;
    }
    case 6:  // ready for a fighter, having one
        packet = encode_ready();
        break;
    case 7:  // junk
        packet = std::string("ZK\x01\x04 junk junk junk", 20);
        break;
    default: {  // a hash for a tick no hash is taken at
        net_hash hash;
        hash.tick = tick - tick % rollback_match::hash_every + 50;
        hash.hash = 42;
        packet = encode(hash);
        break;
    }
    }
    session.send_raw(host_peer, packet, ticks % 2 == 0);
}

// Half-way to each hash, a false one for it: the first a peer tells of a
// tick is the one that counts.
void misbehaving_peer::lie_about_hashes(net_session& session)
{
    const std::uint32_t every = rollback_match::hash_every;
    const std::uint32_t tick = session.get_match().get_tick();
    if (tick % every != every / 2)
        return;
    net_hash hash;
    hash.tick = tick + every / 2;
    hash.hash = 0x5eed;
    session.send_raw(host_peer, encode(hash), true);
}
