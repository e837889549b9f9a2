#pragma once

#include <cstdint>

#include "core/midi/ports_transfer_port.h"
#include "platform/midi/event_fd_notifier.h"

namespace morvane {

// A reply wait woken by the input's eventfd the moment the driver queues an event, so a transfer
// never sleeps past a reply. It counts its time on the steady clock: replies come in real time
// whatever clock the rest of the transfer runs on. While it waits it takes the wakes meant for the
// window thread; when it goes (at the end of the transfer) it wakes the window thread once, so that
// what the input still has to tell is dispatched then.
class NotifiedEventWait final : public EventWait {
 public:
  explicit NotifiedEventWait(EventFdNotifier& notifier) : notifier_(notifier) {}
  ~NotifiedEventWait() override;
  NotifiedEventWait(const NotifiedEventWait&) = delete;
  NotifiedEventWait& operator=(const NotifiedEventWait&) = delete;

  void WaitForEvent(int ms, const std::function<bool()>& queued) override;

 private:
  EventFdNotifier& notifier_;
  std::uint64_t wakes_taken_ = 0;
};

}  // namespace morvane
