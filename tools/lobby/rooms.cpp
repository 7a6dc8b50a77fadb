// The rooms' life: connections asking, rooms opened and joined, refusals, expiry and the end.
// What a matched room does next (a path chosen, the relay) is in room_paths.cpp.
#include "rooms.h"

#include <algorithm>
#include <iterator>

#include "net/room_code.h"

namespace {

bool IsUsableLocalAddress(const PeerAddress& address) {
  const auto& ip = address.ip;
  const bool any = ip == std::array<uint8_t, 4>{0, 0, 0, 0};
  const bool broadcast = ip == std::array<uint8_t, 4>{255, 255, 255, 255};
  const bool multicast = (ip[0] & 0xF0) == 0xE0;
  return address.port != 0 && !any && !broadcast && !multicast;
}

std::vector<PeerAddress> UsableLocalAddresses(const std::vector<PeerAddress>& given) {
  std::vector<PeerAddress> usable;
  std::copy_if(given.begin(), given.end(), std::back_inserter(usable), IsUsableLocalAddress);
  return usable;
}

}  // namespace

MemberId Rooms::Connect(const PeerAddress& address, TimePoint now) {
  const MemberId id = ++lastId_;
  Member& member = members_[id];
  member.address = address;
  AskBy(id, member, now + RequestWait);
  return id;
}

void Rooms::Receive(MemberId id, LobbyMessage message, TimePoint now, RoomEffects& out) {
  auto found = members_.find(id);
  const bool isRelay = std::holds_alternative<RelayMessage>(message);
  if (found == members_.end() || found->second.stage == Stage::Leaving) {
    counts_.relayStray += isRelay ? 1 : 0;
    return;
  }
  Member& member = found->second;
  const bool asking = member.stage == Stage::Asking;
  if (isRelay) {
    Relay(member, std::get<RelayMessage>(message), now, out);
  } else if (const auto* open = std::get_if<OpenRoomMessage>(&message); open && asking) {
    Open(id, member, *open, now, out);
  } else if (const auto* join = std::get_if<JoinRoomMessage>(&message); join && asking) {
    Join(id, member, *join, now, out);
  } else if (const auto* ask = std::get_if<AskRelayMessage>(&message); ask && !asking) {
    AskRelay(id, member, *ask, now, out);
  } else if (const auto* chosen = std::get_if<PathChosenMessage>(&message); chosen && !asking) {
    ChoosePath(id, member, *chosen, now, out);
  } else {
    RefuseBadRequest(id, member, now, out);
  }
}

void Rooms::Unreadable(MemberId id, TimePoint now, RoomEffects& out) {
  auto found = members_.find(id);
  if (found != members_.end() && found->second.stage != Stage::Leaving) {
    RefuseBadRequest(id, found->second, now, out);
  }
}

void Rooms::Disconnected(MemberId id, bool silent, TimePoint now, RoomEffects& out) {
  auto found = members_.find(id);
  if (found == members_.end()) {
    return;
  }
  const Member member = std::move(found->second);
  members_.erase(found);
  if (member.stage == Stage::Asking) {
    StopAsking(id, member);
  } else if (member.stage == Stage::Host || member.stage == Stage::Guest) {
    const std::string who = member.stage == Stage::Host ? "host" : "guest";
    Close(member.code, who + (silent ? " silent" : " left"),
          PeerGoneMessage{silent ? PeerGoneReason::Silent : PeerGoneReason::Left}, id, now, out);
  }
}

void Rooms::Expire(TimePoint now, RoomEffects& out) {
  while (!asksDue_.empty() && asksDue_.begin()->first <= now) {
    const MemberId id = asksDue_.begin()->second;
    ++counts_.silentConnections;
    Leave(id, members_.at(id), out);
  }
  while (!roomsDue_.empty() && roomsDue_.begin()->first <= now) {
    const std::string code = roomsDue_.begin()->second;
    const bool matched = rooms_.at(code).stage == RoomStage::Matched;
    Close(code, matched ? "no path chosen" : "expired", PeerGoneMessage{PeerGoneReason::Expired}, 0,
          now, out);
  }
}

void Rooms::Open(MemberId id, Member& member, const OpenRoomMessage& open, TimePoint now,
                 RoomEffects& out) {
  const std::string from = AddressText(member.address);
  if (open.versions.lobbyVersion != LobbyProtocolVersion) {
    ++counts_.openRefused;
    Refuse(id, member, LobbyRefuseReason::LobbyVersion, LobbyOwnVersions, true, now, out);
    return;
  }
  const LimitVerdict verdict = limits_.Take(AddressAct::OpenRoom, member.address.ip, now);
  if (verdict != LimitVerdict::Allowed) {
    ++counts_.openRefused;
    if (verdict == LimitVerdict::SlowDown) {
      out.log.push_back("open refused from " + from + ": slow down");
    }
    Refuse(id, member, LobbyRefuseReason::SlowDown, LobbyOwnVersions, false, now, out);
    return;
  }
  if (rooms_.size() >= static_cast<size_t>(rules_.maxRooms)) {
    ++counts_.openRefused;
    out.log.push_back("open refused from " + from + ": lobby full");
    Refuse(id, member, LobbyRefuseReason::LobbyFull, LobbyOwnVersions, false, now, out);
    return;
  }
  const std::string code = NewCode();
  Room& room = rooms_[code];
  room.host = id;
  room.versions = open.versions;
  room.opened = now;
  StopAsking(id, member);
  member.stage = Stage::Host;
  member.code = code;
  member.local = UsableLocalAddresses(open.local);
  Reschedule(code, room, now + std::chrono::minutes(rules_.roomMinutes));
  ++counts_.opened;
  out.messages.push_back(
      {id, RoomOpenedMessage{code, static_cast<uint16_t>(rules_.roomMinutes * 60)}});
  out.log.push_back("room " + code + " opened by " + from);
}

void Rooms::Join(MemberId id, Member& member, const JoinRoomMessage& join, TimePoint now,
                 RoomEffects& out) {
  const std::string refused = "join refused from " + AddressText(member.address) + ": ";
  if (join.versions.lobbyVersion != LobbyProtocolVersion) {
    ++counts_.joinRefused;
    Refuse(id, member, LobbyRefuseReason::LobbyVersion, LobbyOwnVersions, true, now, out);
    return;
  }
  // Before the code is looked up: a guesser learns nothing while it is held back.
  const LimitVerdict verdict = limits_.Take(AddressAct::JoinRoom, member.address.ip, now);
  if (verdict != LimitVerdict::Allowed) {
    ++counts_.joinRefused;
    if (verdict == LimitVerdict::SlowDown) {
      out.log.push_back(refused + "slow down");
    }
    Refuse(id, member, LobbyRefuseReason::SlowDown, LobbyOwnVersions, false, now, out);
    return;
  }
  auto found = rooms_.find(join.code);
  if (found == rooms_.end() || found->second.stage != RoomStage::Waiting) {
    ++counts_.joinRefused;
    const bool unknown = found == rooms_.end();
    out.log.push_back(refused + (unknown ? "unknown code" : "room full"));
    Refuse(id, member, unknown ? LobbyRefuseReason::UnknownCode : LobbyRefuseReason::RoomFull,
           LobbyOwnVersions, false, now, out);
    return;
  }
  Room& room = found->second;
  if (join.versions.protocolVersion != room.versions.protocolVersion ||
      join.versions.logicVersion != room.versions.logicVersion) {
    ++counts_.joinRefused;
    out.log.push_back(refused + "versions differ");
    Refuse(id, member, LobbyRefuseReason::GameVersions, room.versions, true, now, out);
    return;
  }
  StopAsking(id, member);
  member.stage = Stage::Guest;
  member.code = join.code;
  member.local = UsableLocalAddresses(join.local);
  room.stage = RoomStage::Matched;
  room.guest = id;
  random_(room.token);
  Reschedule(join.code, room, now + ChoiceWait);
  const Member& host = members_.at(room.host);
  out.messages.push_back(
      {room.host, MatchedMessage{room.token, PeerRole::Host, member.address, member.local}});
  out.messages.push_back(
      {id, MatchedMessage{room.token, PeerRole::Guest, host.address, host.local}});
  ++counts_.matched;
  out.log.push_back("room " + join.code + " joined by " + AddressText(member.address));
}

void Rooms::Refuse(MemberId id, Member& member, LobbyRefuseReason reason,
                   const GameVersions& versions, bool leave, TimePoint now, RoomEffects& out) {
  out.messages.push_back({id, LobbyRefuseMessage{reason, versions}});
  if (leave) {
    Leave(id, member, out);
  } else {
    StopAsking(id, member);
    AskBy(id, member, now + RequestWait);
  }
}

void Rooms::RefuseBadRequest(MemberId id, Member& member, TimePoint now, RoomEffects& out) {
  ++counts_.badRequests;
  out.messages.push_back({id, LobbyRefuseMessage{LobbyRefuseReason::BadRequest, LobbyOwnVersions}});
  if (member.stage == Stage::Asking) {
    Leave(id, member, out);
    return;
  }
  const std::string who = member.stage == Stage::Host ? "host" : "guest";
  Close(member.code, "bad request from " + who, PeerGoneMessage{PeerGoneReason::Left}, id, now,
        out);
}

void Rooms::Leave(MemberId id, Member& member, RoomEffects& out) {
  if (member.stage == Stage::Asking) {
    StopAsking(id, member);
  }
  member.stage = Stage::Leaving;
  out.disconnects.push_back(id);
}

void Rooms::AskBy(MemberId id, Member& member, TimePoint when) {
  member.askBy = when;
  asksDue_.emplace(when, id);
}

void Rooms::StopAsking(MemberId id, const Member& member) {
  asksDue_.erase({member.askBy, id});
}

void Rooms::Reschedule(const std::string& code, Room& room, TimePoint due) {
  roomsDue_.erase({room.due, code});
  room.due = due;
  roomsDue_.emplace(due, code);
}

void Rooms::Close(const std::string& code, const std::string& why,
                  const std::optional<LobbyMessage>& message, MemberId except, TimePoint now,
                  RoomEffects& out) {
  const Room& room = rooms_.at(code);
  for (MemberId id : {room.host, room.guest}) {
    if (message && id != except && members_.contains(id)) {
      out.messages.push_back({id, *message});
    }
  }
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - room.opened);
  out.log.push_back("room " + code + " closed: " + why + " after " +
                    std::to_string(seconds.count()) + " s, relayed " +
                    std::to_string(room.relayedBytes) + " bytes");
  EndRoom(code, out);
}

void Rooms::EndRoom(const std::string& code, RoomEffects& out) {
  auto found = rooms_.find(code);
  for (MemberId id : {found->second.host, found->second.guest}) {
    auto member = members_.find(id);
    if (member != members_.end() && member->second.stage != Stage::Leaving) {
      Leave(id, member->second, out);
    }
  }
  relays_ -= found->second.stage == RoomStage::Relayed ? 1 : 0;
  roomsDue_.erase({found->second.due, code});
  rooms_.erase(found);
}

std::string Rooms::NewCode() {
  for (;;) {
    uint32_t bits = 0;
    random_(std::span(reinterpret_cast<uint8_t*>(&bits), sizeof(bits)));
    std::string code = RoomCodeFromBits(bits);
    if (!rooms_.contains(code)) {
      return code;
    }
  }
}
