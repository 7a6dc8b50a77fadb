// A load on a lobby running on 127.0.0.1 (scripts/lobby-bench.sh starts it): ROOMS hosts open
// rooms and as many guests join them, each pair a client socket of its own that meets as the game
// does (the cookie, the room, the match, the path chosen); then MATCHES relayed matches in which
// both peers send a match message each frame (40 a second) for SECONDS. It prints what it did and
// how long it took, and the lobby's CPU time and memory, read from /proc for its pid.
//
//   astorine-lobby-load-bench PORT LOBBY_PID [ROOMS [MATCHES [SECONDS]]]    (2500, 300, 30)
#include <enet/enet.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "net/enet_wire.h"
#include "net/lobby_protocol.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double FramePeriod = 0.025;
// Guests joining at once at most, so that the lobby's connections stay under ENet's limit.
constexpr int JoinWindow = 1000;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The lobby's CPU seconds (user and system) and its resident memory now and at its peak, in KiB.
struct LobbyUse {
  double cpu = 0;
  long rssKiB = 0;
  long peakKiB = 0;
};

LobbyUse ReadLobbyUse(int pid) {
  LobbyUse use;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string field;
  unsigned long user = 0, system = 0;
  for (int i = 1; i <= 15 && stat >> field; ++i) {
    if (i == 14) {
      user = std::stoul(field);
    } else if (i == 15) {
      system = std::stoul(field);
    }
  }
  use.cpu = static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      use.rssKiB = std::atol(line.c_str() + 6);
    } else if (line.rfind("VmHWM:", 0) == 0) {
      use.peakKiB = std::atol(line.c_str() + 6);
    }
  }
  return use;
}

enum class Step { Connecting, Asked, InRoom, Matched, Relaying, Done, Failed };

// One client: its own socket (an ENet host), the lobby's peer, where it stands.
struct Client {
  ENetHost* host = nullptr;
  ENetPeer* lobby = nullptr;
  Step step = Step::Connecting;
  bool hosting = true;
  std::string code;
  SessionToken token{};
  uint32_t cookie = 0;
  uint64_t relayedIn = 0;
  // A goodbye, so that the lobby frees its connection at once rather than at its timeout.
  ~Client() {
    if (lobby != nullptr && lobby->state == ENET_PEER_STATE_CONNECTED) {
      enet_peer_disconnect_now(lobby, GoodbyeCode);
    }
    if (host != nullptr) {
      enet_host_destroy(host);
    }
  }
};

void Send(Client& client, const LobbyMessage& message) {
  std::vector<uint8_t> bytes = EncodeLobbyMessage(message);
  bool reliable = IsReliable(message);
  ENetPacket* packet =
      enet_packet_create(bytes.data(), bytes.size(),
                         reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED);
  enet_peer_send(client.lobby, reliable ? 0 : 1, packet);
}

// The client whose host is being serviced, for the datagram hook that takes the cookie.
thread_local Client* Serviced = nullptr;

int TakeCookie(ENetHost* host, ENetEvent*) {
  PathDatagram datagram;
  std::string error;
  if (Serviced != nullptr &&
      DecodePathDatagram(host->receivedData, host->receivedDataLength, datagram, error)) {
    if (datagram.kind == DatagramKind::Cookie) {
      Serviced->cookie = datagram.cookie;
    }
    return 1;
  }
  return 0;
}

std::unique_ptr<Client> Connect(const ENetAddress& lobby, bool hosting) {
  auto client = std::make_unique<Client>();
  client->hosting = hosting;
  client->host = enet_host_create(nullptr, 1, 2, 0, 0);
  if (client->host == nullptr) {
    std::fprintf(stderr, "lobby load: no socket (raise the open files limit)\n");
    std::exit(1);
  }
  client->host->intercept = TakeCookie;
  client->lobby = enet_host_connect(client->host, &lobby, 2, 0);
  return client;
}

GameVersions Versions() {
  return GameVersions{LobbyProtocolVersion, OnlineProtocolVersion, 1};
}

// Services one client without waiting, and moves it along the meeting.
void Service(Client& client, const ENetAddress& lobby, bool relay) {
  ENetEvent event;
  Serviced = &client;
  while (enet_host_service(client.host, &event, 0) > 0) {
    if (event.type == ENET_EVENT_TYPE_CONNECT) {
      SendEveryPacket(client.lobby);  // as the game does
      if (client.hosting) {
        Send(client, OpenRoomMessage{Versions(), {}});
      } else {
        Send(client, JoinRoomMessage{Versions(), client.code, {}});
      }
      client.step = Step::Asked;
    } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
      if (client.step != Step::Done) {
        client.step = Step::Failed;
      }
    } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
      LobbyMessage message;
      std::string error;
      if (DecodeLobbyMessage(event.packet->data, event.packet->dataLength, message, error)) {
        if (const auto* opened = std::get_if<RoomOpenedMessage>(&message)) {
          client.code = opened->code;
          client.step = Step::InRoom;
        } else if (const auto* matched = std::get_if<MatchedMessage>(&message)) {
          client.token = matched->token;
          client.step = Step::Matched;
          if (!client.hosting) {
            Send(client, relay ? LobbyMessage{AskRelayMessage{client.token}}
                               : LobbyMessage{PathChosenMessage{client.token, PathKind::Public}});
          }
          if (!relay) {
            client.step = Step::Done;
          }
        } else if (std::holds_alternative<RelayReadyMessage>(message)) {
          client.step = Step::Relaying;
        } else if (std::holds_alternative<RelayedMessage>(message)) {
          ++client.relayedIn;
        } else if (std::holds_alternative<LobbyRefuseMessage>(message)) {
          client.step = Step::Failed;
        }
      }
      enet_packet_destroy(event.packet);
    }
  }
  Serviced = nullptr;
  if (client.cookie != 0 && client.step == Step::Connecting) {
    enet_peer_reset(client.lobby);
    client.lobby = enet_host_connect(client.host, &lobby, 2, client.cookie);
    client.cookie = 0;
  }
}

bool Settled(const Client& client, Step wanted) {
  return client.step == wanted || client.step == Step::Done || client.step == Step::Failed;
}

int Count(const std::vector<std::unique_ptr<Client>>& clients, Step step) {
  int count = 0;
  for (const auto& client : clients) {
    count += client->step == step ? 1 : 0;
  }
  return count;
}

// Hosts open rooms, guests join them in a sliding window; returns the pairs that met.
int MeetPairs(const ENetAddress& lobby, int pairs, bool relay,
              std::vector<std::unique_ptr<Client>>& hosts,
              std::vector<std::unique_ptr<Client>>& guests) {
  for (int i = 0; i < pairs; ++i) {
    hosts.push_back(Connect(lobby, true));
  }
  auto deadline = Clock::now() + std::chrono::seconds(60);
  bool allInRooms = false;
  while (!allInRooms && Clock::now() < deadline) {
    allInRooms = true;
    for (auto& host : hosts) {
      Service(*host, lobby, relay);
      allInRooms = allInRooms && Settled(*host, Step::InRoom);
    }
  }
  size_t next = 0;
  const Step met = relay ? Step::Relaying : Step::Done;
  while (Clock::now() < deadline) {
    int inFlight = 0;
    for (auto& guest : guests) {
      Service(*guest, lobby, relay);
      inFlight += Settled(*guest, met) ? 0 : 1;
    }
    for (auto& host : hosts) {
      Service(*host, lobby, relay);
    }
    while (inFlight < JoinWindow && next < hosts.size()) {
      if (hosts[next]->step == Step::InRoom) {
        guests.push_back(Connect(lobby, false));
        guests.back()->code = hosts[next]->code;
        ++inFlight;
      }
      ++next;
    }
    if (next == hosts.size() && inFlight == 0) {
      break;
    }
  }
  int count = 0;
  for (const auto& guest : guests) {
    count += guest->step == met ? 1 : 0;
  }
  return count;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fputs("usage: astorine-lobby-load-bench PORT LOBBY_PID [ROOMS [MATCHES [SECONDS]]]\n",
               stderr);
    return 2;
  }
  const int pid = std::atoi(argv[2]);
  const int rooms = argc > 3 ? std::atoi(argv[3]) : 2500;
  const int matches = argc > 4 ? std::atoi(argv[4]) : 300;
  const double seconds = argc > 5 ? std::atof(argv[5]) : 30;
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);
  if (enet_initialize() != 0) {
    return 1;
  }
  ENetAddress lobby{};
  enet_address_set_host(&lobby, "127.0.0.1");
  lobby.port = static_cast<enet_uint16>(std::atoi(argv[1]));

  LobbyUse before = ReadLobbyUse(pid);
  auto start = Clock::now();
  std::vector<std::unique_ptr<Client>> hosts, guests;
  int met = MeetPairs(lobby, rooms, false, hosts, guests);
  double took = SecondsSince(start);
  LobbyUse after = ReadLobbyUse(pid);
  std::printf(
      "rooms: %d clients, %d rooms opened, %d joined, %d refused or lost, in %.1f s (%.0f "
      "joins a second)\n",
      2 * rooms, rooms - Count(hosts, Step::Failed), met, Count(guests, Step::Failed), took,
      met / took);
  std::printf(
      "rooms: the lobby took %.2f s of CPU (%.1f %% of a core); memory %ld KiB, peak %ld KiB\n",
      after.cpu - before.cpu, 100 * (after.cpu - before.cpu) / took, after.rssKiB, after.peakKiB);
  hosts.clear();
  guests.clear();

  std::vector<std::unique_ptr<Client>> relayHosts, relayGuests;
  int relayed = MeetPairs(lobby, matches, true, relayHosts, relayGuests);
  std::vector<Client*> peers;
  for (auto& client : relayHosts) {
    if (client->step == Step::Relaying) {
      peers.push_back(client.get());
    }
  }
  for (auto& client : relayGuests) {
    if (client->step == Step::Relaying) {
      peers.push_back(client.get());
    }
  }
  // One Inputs message a frame from each peer, as a match sends them.
  InputsMessage inputs;
  inputs.masks.assign(8, 0);
  std::vector<uint8_t> match = EncodeMessage(inputs);
  before = ReadLobbyUse(pid);
  start = Clock::now();
  uint64_t sent = 0;
  double nextFrame = 0;
  while (SecondsSince(start) < seconds) {
    if (SecondsSince(start) >= nextFrame) {
      for (Client* peer : peers) {
        Send(*peer, RelayMessage{peer->token, false, match});
        ++sent;
      }
      nextFrame += FramePeriod;
    }
    for (Client* peer : peers) {
      Service(*peer, lobby, true);
    }
  }
  took = SecondsSince(start);
  after = ReadLobbyUse(pid);
  uint64_t delivered = 0;
  for (Client* peer : peers) {
    delivered += peer->relayedIn;
  }
  std::printf(
      "relay: %d matches relayed of %d, %zu peers sent %llu messages in %.1f s (%.0f a "
      "second), %llu delivered (%.2f %% lost)\n",
      relayed, matches, peers.size(), static_cast<unsigned long long>(sent), took, sent / took,
      static_cast<unsigned long long>(delivered),
      sent > 0 ? 100.0 * static_cast<double>(sent - delivered) / static_cast<double>(sent) : 0.0);
  std::printf(
      "relay: the lobby took %.2f s of CPU (%.1f %% of a core); memory %ld KiB, peak %ld KiB\n",
      after.cpu - before.cpu, 100 * (after.cpu - before.cpu) / took, after.rssKiB, after.peakKiB);
  enet_deinitialize();
  return met == rooms && relayed == matches ? 0 : 1;
}
