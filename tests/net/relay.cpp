// A bad network between two online peers on 127.0.0.1, for tests: every datagram between the
// guest and the host is held back 40 to 150 ms (so they also overtake each other), 5 % are
// lost and 2 % arrive twice, all drawn from a seed so that a run can be told again.
//
//   astorine-test-relay HOST_PORT [--seed S] [--seconds N] [--drop P] [--duplicate P]
//                       [--delay MIN-MAX] [--spare N]
//
// --spare N lets the first N datagrams each way through unharmed (held back all the same): a link
// that turns bad once the match is on, so that a heavy loss tests the match rather than ENet's
// handshake, which gives up after a few lost tries as it should.
// Listens on an ephemeral port of 127.0.0.1, prints "relay port N" on stdout, and forwards to
// 127.0.0.1:HOST_PORT; the guest joins the relay's port. Ends after N seconds (default 120) or
// on SIGTERM/SIGINT, printing what it did on stderr.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <queue>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t stopping = 0;
void Stop(int) {
  stopping = 1;
}

struct Settings {
  int hostPort = 0;
  uint32_t seed = 1;
  int seconds = 120;
  double drop = 0.05;
  double duplicate = 0.02;
  int delayMin = 40;
  int delayMax = 150;
  long spared = 0;  // datagrams each way that pass unharmed before the harm begins
};

struct Held {
  Clock::time_point due;
  bool towardHost = false;
  std::vector<uint8_t> bytes;
  bool operator>(const Held& other) const { return due > other.due; }
};

struct Counts {
  long forwarded = 0, dropped = 0, duplicated = 0;
};

[[noreturn]] void Usage(const char* why) {
  std::fprintf(stderr,
               "astorine-test-relay: %s\nusage: astorine-test-relay HOST_PORT [--seed S] "
               "[--seconds N] [--drop P] [--duplicate P] [--delay MIN-MAX] [--spare N]\n",
               why);
  std::exit(2);
}

Settings Parse(int argc, char** argv) {
  Settings settings;
  if (argc < 2) {
    Usage("the host's port is missing");
  }
  settings.hostPort = std::atoi(argv[1]);
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const char* value = argv[i + 1];
    if (option == "--seed") {
      settings.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
    } else if (option == "--seconds") {
      settings.seconds = std::atoi(value);
    } else if (option == "--drop") {
      settings.drop = std::atof(value);
    } else if (option == "--spare") {
      settings.spared = std::atol(value);
    } else if (option == "--duplicate") {
      settings.duplicate = std::atof(value);
    } else if (option == "--delay" &&
               std::sscanf(value, "%d-%d", &settings.delayMin, &settings.delayMax) == 2) {
    } else {
      Usage(("bad option " + option).c_str());
    }
  }
  if (settings.hostPort <= 0 || settings.hostPort > 65535 || settings.delayMin < 0 ||
      settings.delayMax < settings.delayMin) {
    Usage("bad port or delay");
  }
  return settings;
}

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

int BoundSocket(int port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(port);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    std::perror("astorine-test-relay: socket");
    std::exit(1);
  }
  return fd;
}

int PortOf(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

}  // namespace

int main(int argc, char** argv) {
  const Settings settings = Parse(argc, argv);
  signal(SIGTERM, Stop);
  signal(SIGINT, Stop);
  // guestSide faces the guest (its port is the one joined); hostSide sends to the host.
  const int guestSide = BoundSocket(0);
  const int hostSide = BoundSocket(0);
  const sockaddr_in host = Loopback(settings.hostPort);
  sockaddr_in guest{};
  bool guestKnown = false;
  std::printf("relay port %d\n", PortOf(guestSide));
  std::fflush(stdout);

  std::mt19937 random(settings.seed);
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  std::uniform_int_distribution<int> delay(settings.delayMin, settings.delayMax);
  std::priority_queue<Held, std::vector<Held>, std::greater<>> held;
  Counts counts;
  const Clock::time_point end = Clock::now() + std::chrono::seconds(settings.seconds);

  long seen[2] = {0, 0};  // datagrams toward the guest, toward the host
  auto hold = [&](std::vector<uint8_t> bytes, bool towardHost) {
    const bool harmed = ++seen[towardHost ? 1 : 0] > settings.spared;
    if (harmed && chance(random) < settings.drop) {
      ++counts.dropped;
      return;
    }
    const int copies = harmed && chance(random) < settings.duplicate ? 2 : 1;
    counts.duplicated += copies - 1;
    for (int copy = 0; copy < copies; ++copy) {
      held.push({Clock::now() + std::chrono::milliseconds(delay(random)), towardHost, bytes});
    }
  };

  std::vector<uint8_t> buffer(65536);
  while (!stopping && Clock::now() < end) {
    while (!held.empty() && held.top().due <= Clock::now()) {
      const Held& next = held.top();
      if (next.towardHost) {
        sendto(hostSide, next.bytes.data(), next.bytes.size(), 0,
               reinterpret_cast<const sockaddr*>(&host), sizeof host);
        ++counts.forwarded;
      } else if (guestKnown) {
        sendto(guestSide, next.bytes.data(), next.bytes.size(), 0,
               reinterpret_cast<const sockaddr*>(&guest), sizeof guest);
        ++counts.forwarded;
      }
      held.pop();
    }
    int wait = 50;
    if (!held.empty()) {
      const auto until =
          std::chrono::duration_cast<std::chrono::milliseconds>(held.top().due - Clock::now());
      wait = std::max(0, std::min(wait, static_cast<int>(until.count()) + 1));
    }
    pollfd fds[2] = {{guestSide, POLLIN, 0}, {hostSide, POLLIN, 0}};
    if (poll(fds, 2, wait) <= 0) {
      continue;
    }
    if (fds[0].revents & POLLIN) {
      sockaddr_in from{};
      socklen_t length = sizeof from;
      const ssize_t got = recvfrom(guestSide, buffer.data(), buffer.size(), 0,
                                   reinterpret_cast<sockaddr*>(&from), &length);
      if (got >= 0) {
        guest = from;
        guestKnown = true;
        hold({buffer.begin(), buffer.begin() + got}, true);
      }
    }
    if (fds[1].revents & POLLIN) {
      const ssize_t got = recv(hostSide, buffer.data(), buffer.size(), 0);
      if (got >= 0) {
        hold({buffer.begin(), buffer.begin() + got}, false);
      }
    }
  }
  std::fprintf(stderr, "astorine-test-relay: forwarded %ld, dropped %ld, duplicated %ld\n",
               counts.forwarded, counts.dropped, counts.duplicated);
  return 0;
}
