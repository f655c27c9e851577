// This computer's IPv4 networks, as the system lists them: what the finder
// asks and the host's lobby shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct local_network {
    std::uint32_t address = 0;    // this computer's, in network byte order
    std::uint32_t broadcast = 0;  // the network's broadcast address; 0 for none
    bool loopback = false;
};

// The networks that are up; empty when the system will not say.
std::vector<local_network> local_networks();
// "a.b.c.d" for an address in network byte order.
std::string dotted(std::uint32_t address);
// How others reach a host on `port`: "a.b.c.d:port" for each network but the
// loopback, newest first as the system lists them.
std::vector<std::string> ways_in(std::uint16_t port);
