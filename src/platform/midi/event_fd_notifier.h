#pragma once

#include <cstdint>

#include "core/midi/midi_notifier.h"

namespace morvane {

// Wakes the window thread through a Linux eventfd: the driver thread adds to its counter, the
// window thread watches the descriptor (a QSocketNotifier) and drains it before dispatching.
class EventFdNotifier final : public MidiNotifier {
 public:
  // Throws std::system_error when the descriptor cannot be made.
  EventFdNotifier();
  ~EventFdNotifier() override;
  EventFdNotifier(const EventFdNotifier&) = delete;
  EventFdNotifier& operator=(const EventFdNotifier&) = delete;

  // Never blocks or allocates.
  void Wake() noexcept override;
  int fd() const noexcept { return fd_; }
  // Number of wakes since the last drain (0 when none); makes the descriptor unreadable again.
  std::uint64_t Drain() noexcept;

 private:
  int fd_;
};

}  // namespace morvane
