#include "platform/midi/rtmidi_output_handle.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "core/midi/midi_driver.h"

namespace morvane {
namespace {

using Clock = std::chrono::steady_clock;

// Far longer than any process cycle (5 ms at 48 kHz and 256 frames), preempted ones included.
constexpr auto kGracePeriod = std::chrono::milliseconds(250);

struct ClosingOutput {
  Clock::time_point closed_at;
  std::unique_ptr<RtMidiOutputHandle> handle;
};

struct ClosingOutputs {
  std::mutex mutex;
  std::vector<ClosingOutput> waiting;
  bool process_ending = false;
};

// Never destroyed, so that outputs retired while the process ends still find it.
ClosingOutputs& Closing() {
  static ClosingOutputs* const closing = new ClosingOutputs;
  return *closing;
}

// Takes out the outputs whose grace period is over (all of them when `all`); the caller
// destroys them outside the lock.
std::vector<ClosingOutput> TakeDue(ClosingOutputs& closing, bool all) {
  std::vector<ClosingOutput> due;
  const Clock::time_point now = Clock::now();
  auto& waiting = closing.waiting;
  for (auto it = waiting.begin(); it != waiting.end();) {
    if (all || now - it->closed_at >= kGracePeriod) {
      due.push_back(std::move(*it));
      it = waiting.erase(it);
    } else {
      ++it;
    }
  }
  return due;
}

// Waits out what is left of each grace period; the outputs go when `outputs` does.
void DestroyAfterGrace(std::vector<ClosingOutput> outputs) {
  for (const ClosingOutput& output : outputs) {
    std::this_thread::sleep_until(output.closed_at + kGracePeriod);
  }
}

// At the end of the process the outputs still waiting are destroyed properly, so that the JACK
// server sees their clients leave instead of finding them dead in the middle of a cycle.
struct EndOfProcess {
  ~EndOfProcess() {
    ClosingOutputs& closing = Closing();
    std::vector<ClosingOutput> rest;
    {
      const std::lock_guard lock(closing.mutex);
      closing.process_ending = true;
      rest = TakeDue(closing, true);
    }
    DestroyAfterGrace(std::move(rest));
  }
};

}  // namespace

std::unique_ptr<RtMidiOutputHandle> MakeRtMidiOutput(RtMidi::Api api,
                                                     const std::string& client_name) {
  auto handle = std::make_unique<RtMidiOutputHandle>();
  handle->api = api;
  handle->client_name = client_name;
  handle->midi = MakeRtMidiOut(api, client_name, handle->trap);
  return handle;
}

void RetireRtMidiOutput(std::unique_ptr<RtMidiOutputHandle> handle) noexcept {
  if (!handle) return;
  try {
    handle->midi->closePort();
  } catch (const RtMidiError&) {
    // A port that fails to close is closed as far as this program is concerned.
  }
  if (handle->api != RtMidi::UNIX_JACK) return;

  static EndOfProcess end_of_process;
  ClosingOutputs& closing = Closing();
  std::vector<ClosingOutput> due;
  try {
    const std::lock_guard lock(closing.mutex);
    closing.waiting.push_back({Clock::now(), std::move(handle)});
    due = TakeDue(closing, closing.process_ending);
  } catch (...) {
    (void)handle.release();  // nowhere to wait: leaking is safer than destroying now
  }
  DestroyAfterGrace(std::move(due));
}

}  // namespace morvane
