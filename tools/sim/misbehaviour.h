// A joiner that does not play fair, for the tests of a host that must not
// care: it speaks the packet format but sends what an honest peer never
// would.
//   idle   stays connected and sends no controls at all
//   flood  plays, and sends its controls far ahead, many packets a tick
//   lies   plays, and each tick adds one lie: controls for another slot or
//          far ahead, a NaN scale, a message only a host may send, a ready
//          for a fighter it has, junk
//   hash   plays, and tells the host a wrong hash before each true one
#pragma once

#include <cstdint>
#include <string>

class net_session;

enum class misbehaviour { none, idle, flood, lies, hash };

// False for a name that is none of the above.
bool read_misbehaviour(const std::string& name, misbehaviour& out);

class misbehaving_peer {
public:
    explicit misbehaving_peer(misbehaviour chosen) : way(chosen) {}
    // Whether it steps its match on its controls, as an honest peer does.
    bool plays() const { return way != misbehaviour::idle; }
    // One tick's misbehaviour, after the session's own tick.
    void act(net_session& session);

private:
    void flood(net_session& session);
    void lie(net_session& session);
    void lie_about_hashes(net_session& session);

    misbehaviour way;
    std::uint32_t ticks = 0;
    std::uint32_t flood_tick = 1000;
};
