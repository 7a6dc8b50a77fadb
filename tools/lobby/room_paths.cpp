// A matched room's next step: a direct path found by the peers, or the lobby's relay, whose
// packets it forwards within their pace, their bytes and their time.
#include "rooms.h"

void Rooms::AskRelay(MemberId id, Member& member, const AskRelayMessage& ask, TimePoint now,
                     RoomEffects& out) {
  Room& room = rooms_.at(member.code);
  if (room.stage == RoomStage::Waiting || ask.token != room.token) {
    RefuseBadRequest(id, member, now, out);
    return;
  }
  if (room.stage == RoomStage::Relayed) {
    return;  // the other peer asked first: both have RelayReady already
  }
  if (relays_ >= rules_.maxRelays) {
    Close(member.code, "relay refused",
          LobbyRefuseMessage{LobbyRefuseReason::LobbyFull, LobbyOwnVersions}, 0, now, out);
    return;
  }
  room.stage = RoomStage::Relayed;
  ++relays_;
  ++counts_.relayed;
  Reschedule(member.code, room, now + std::chrono::minutes(rules_.relayMinutes));
  for (MemberId each : {room.host, room.guest}) {
    members_.at(each).pace.emplace(rules_.relayPacketsPerSecond, 2.0 * rules_.relayPacketsPerSecond,
                                   now);
    out.messages.push_back({each, RelayReadyMessage{}});
  }
  out.log.push_back("room " + member.code + " relayed");
}

void Rooms::ChoosePath(MemberId id, Member& member, const PathChosenMessage& chosen, TimePoint now,
                       RoomEffects& out) {
  const Room& room = rooms_.at(member.code);
  if (room.stage != RoomStage::Matched || chosen.token != room.token) {
    RefuseBadRequest(id, member, now, out);
    return;
  }
  ++counts_.direct;
  out.log.push_back("room " + member.code + " direct (" +
                    (chosen.path == PathKind::Local ? "local" : "public") + ")");
  EndRoom(member.code, out);
}

void Rooms::Relay(Member& member, RelayMessage& relay, TimePoint now, RoomEffects& out) {
  auto found = member.stage == Stage::Host || member.stage == Stage::Guest
                   ? rooms_.find(member.code)
                   : rooms_.end();
  if (found == rooms_.end() || found->second.stage != RoomStage::Relayed ||
      relay.token != found->second.token) {
    ++counts_.relayStray;
    return;
  }
  Room& room = found->second;
  if (!member.pace->Take(now)) {
    ++counts_.relayThrottled;
    return;
  }
  const uint64_t limit = static_cast<uint64_t>(rules_.relayMegabytes) * 1024 * 1024;
  if (room.relayedBytes + relay.payload.size() > limit) {
    Close(member.code, "relay limit", PeerGoneMessage{PeerGoneReason::RelayLimit}, 0, now, out);
    return;
  }
  room.relayedBytes += relay.payload.size();
  ++counts_.relayPackets;
  counts_.relayBytes += relay.payload.size();
  const MemberId other = member.stage == Stage::Host ? room.guest : room.host;
  out.messages.push_back({other, RelayedMessage{relay.reliable, std::move(relay.payload)}});
}
