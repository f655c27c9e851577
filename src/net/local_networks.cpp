#include "net/local_networks.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

std::vector<local_network> local_networks()
{
    std::vector<local_network> networks;
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0)
        return networks;
    for (const ifaddrs* each = interfaces; each; each = each->ifa_next) {
        if (!each->ifa_addr || each->ifa_addr->sa_family != AF_INET || !(each->ifa_flags & IFF_UP))
            continue;
        local_network network;
        network.address = reinterpret_cast<const sockaddr_in*>(each->ifa_addr)->sin_addr.s_addr;
        if ((each->ifa_flags & IFF_BROADCAST) && each->ifa_broadaddr)
            network.broadcast = reinterpret_cast<const sockaddr_in*>(each->ifa_broadaddr)->sin_addr.s_addr;
        network.loopback = (each->ifa_flags & IFF_LOOPBACK) != 0;
        networks.push_back(network);
    }
    freeifaddrs(interfaces);
    return networks;
}

std::string dotted(std::uint32_t address)
{
    char text[INET_ADDRSTRLEN] = "";
    in_addr in = {};
    in.s_addr = address;
    inet_ntop(AF_INET, &in, text, sizeof text);
    return text;
}

std::vector<std::string> ways_in(std::uint16_t port)
{
    std::vector<std::string> ways;
    for (const local_network& network : local_networks())
        if (!network.loopback)
            ways.push_back(dotted(network.address) + ":" + std::to_string(port));
    return ways;
}
