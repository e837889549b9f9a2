#include "platform/midi/event_fd_notifier.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace morvane {

EventFdNotifier::EventFdNotifier() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

EventFdNotifier::~EventFdNotifier() { close(fd_); }

void EventFdNotifier::Wake() noexcept {
  const std::uint64_t one = 1;
  // Fails only when the counter would overflow, and then the window thread is awake anyway.
  [[maybe_unused]] const ssize_t written = write(fd_, &one, sizeof one);
}

std::uint64_t EventFdNotifier::Drain() noexcept {
  std::uint64_t count = 0;
  if (read(fd_, &count, sizeof count) != static_cast<ssize_t>(sizeof count)) return 0;
  return count;
}

}  // namespace morvane
