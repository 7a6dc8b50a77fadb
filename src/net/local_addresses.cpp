#include "net/local_addresses.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstring>

std::vector<PeerAddress> LocalAddresses(uint16_t port) {
  std::vector<PeerAddress> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) {
    return addresses;
  }
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET ||
        (entry->ifa_flags & IFF_UP) == 0 || (entry->ifa_flags & IFF_LOOPBACK) != 0) {
      continue;
    }
    sockaddr_in ipv4;
    std::memcpy(&ipv4, entry->ifa_addr, sizeof ipv4);
    PeerAddress address;
    std::memcpy(address.ip.data(), &ipv4.sin_addr.s_addr, address.ip.size());
    address.port = port;
    if (std::find(addresses.begin(), addresses.end(), address) == addresses.end() &&
        addresses.size() < MaxLocalAddresses) {
      addresses.push_back(address);
    }
  }
  freeifaddrs(list);
  return addresses;
}
