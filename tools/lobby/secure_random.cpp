#include "secure_random.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void FillSecureRandom(std::span<uint8_t> out) {
  size_t filled = 0;
  while (filled < out.size()) {
    ssize_t got = getrandom(out.data() + filled, out.size() - filled, 0);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      std::fprintf(stderr, "astorine-lobby: cannot read random bytes: %s\n", std::strerror(errno));
      std::abort();
    }
    filled += static_cast<size_t>(got);
  }
}
