#pragma once

#include <poll.h>

namespace morvane::testing {

// Whether the descriptor would be read at once, without waiting.
inline bool Readable(int fd) {
  pollfd watched{fd, POLLIN, 0};
  return poll(&watched, 1, 0) == 1 && (watched.revents & POLLIN) != 0;
}

}  // namespace morvane::testing
