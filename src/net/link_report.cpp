#include "net/link_report.h"

#include <cstdio>

std::string DescribeLink(const LinkCounters& link, const InboxCounts& inbox) {
  char line[512];
  std::snprintf(line, sizeof line,
                "packets: %llu sent, %llu received; dropped: %llu malformed, %llu oversized, "
                "%llu from another peer, %llu masks out of window, %llu contradicting; "
                "%llu guests refused; ENet: %llu resent, %.1f %% loss, %u ms round trip",
                static_cast<unsigned long long>(link.sent),
                static_cast<unsigned long long>(link.received),
                static_cast<unsigned long long>(link.malformed),
                static_cast<unsigned long long>(link.oversized),
                static_cast<unsigned long long>(link.foreign),
                static_cast<unsigned long long>(inbox.outOfWindow),
                static_cast<unsigned long long>(inbox.contradictions),
                static_cast<unsigned long long>(link.refusedPeers),
                static_cast<unsigned long long>(link.resent), link.packetLossPercent,
                static_cast<unsigned>(link.roundTripMs));
  return line;
}
