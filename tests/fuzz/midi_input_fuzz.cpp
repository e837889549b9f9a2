// The MIDI input from the bytes a driver delivers to the events the window thread takes out.
// The first bytes choose the ring capacity (0 included, which cannot open), the number and size
// of the system-exclusive buffers and "sysex only"; the rest is a script: driver messages of any
// bytes (short messages, stray data bytes, real-time bytes alone, system exclusive of any length,
// with or without F7, real-time bytes inside), reads of events, notification rounds and reopening.
// Properties: every event is the message delivered, in order, with its time stamp, a system
// exclusive cut at the buffer size and never read or written past its buffer; clock and active
// sensing never arrive; a full ring drops the message and reports one overflow; a message that
// finds every buffer taken is lost; nothing arrives while the input is closed.

#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "core/midi/midi_input.h"
#include "core/midi/sysex_format.h"
#include "fuzz/fuzz_support.h"
#include "support/fake_midi_driver.h"

namespace morvane {
namespace {

struct ExpectedEvent {
  std::uint32_t time = 0;
  bool sysex = false;
  std::uint32_t packed = 0;
  std::vector<std::uint8_t> bytes;  // system exclusive as kept, cut at the buffer size
};

// What the input must hold, worked out from the messages alone.
class Model {
 public:
  Model(std::uint16_t capacity, std::uint16_t buffer_count, std::uint16_t buffer_size,
        bool sysex_only)
      : capacity_(capacity),
        buffer_count_(buffer_count),
        buffer_size_(buffer_size),
        sysex_only_(sysex_only) {}

  void Deliver(std::uint32_t time, std::span<const std::uint8_t> message) {
    if (message.empty()) return;
    ExpectedEvent event;
    event.time = time;
    if (message[0] == kSysexStart) {
      if (sysex_queued_ == buffer_count_) return;  // no free buffer: lost
      event.sysex = true;
      event.bytes.assign(message.begin(),
                         message.begin() + std::min<std::size_t>(message.size(), buffer_size_));
    } else if (message[0] >= 0x80) {
      event.packed = message[0];
      if (message.size() > 1) event.packed |= std::uint32_t{message[1]} << 8;
      if (message.size() > 2) event.packed |= std::uint32_t{message[2]} << 16;
      if (event.packed == kMidiTimingClock || event.packed == kActiveSensing) return;
      if (sysex_only_) return;
    } else {
      return;  // a data byte without its status
    }
    if (queue_.size() == capacity_) {
      ++pending_overflows_;
      return;
    }
    if (event.sysex) ++sysex_queued_;
    queue_.push_back(std::move(event));
    ++pending_inputs_;
  }

  bool Empty() const { return queue_.empty(); }
  std::size_t Count() const { return queue_.size(); }

  ExpectedEvent Take() {
    ExpectedEvent event = std::move(queue_.front());
    queue_.pop_front();
    if (event.sysex) --sysex_queued_;
    return event;
  }

  std::uint32_t TakePendingInputs() { return std::exchange(pending_inputs_, 0); }
  std::uint32_t TakePendingOverflows() { return std::exchange(pending_overflows_, 0); }

  void Clear() {
    queue_.clear();
    sysex_queued_ = 0;
    pending_inputs_ = 0;
    pending_overflows_ = 0;
  }

 private:
  std::size_t capacity_;
  std::size_t buffer_count_;
  std::size_t buffer_size_;
  bool sysex_only_;
  std::deque<ExpectedEvent> queue_;
  std::size_t sysex_queued_ = 0;
  std::uint32_t pending_inputs_ = 0;
  std::uint32_t pending_overflows_ = 0;
};

void CheckEvent(const MidiEvent& event, const ExpectedEvent& expected) {
  FUZZ_CHECK(event.time == expected.time);
  if (expected.sysex) {
    FUZZ_CHECK(event.midi_message == kSysexStart);
    FUZZ_CHECK(event.sysex_length == expected.bytes.size());
    FUZZ_CHECK(event.sysex == expected.bytes);
  } else {
    FUZZ_CHECK(event.midi_message == (expected.packed & 0xFF));
    FUZZ_CHECK(event.data1 == ((expected.packed >> 8) & 0xFF));
    FUZZ_CHECK(event.data2 == ((expected.packed >> 16) & 0xFF));
    FUZZ_CHECK(event.sysex.empty() && event.sysex_length == 0);
  }
}

class Run {
 public:
  Run(std::uint16_t capacity, std::uint16_t buffer_count, std::uint16_t buffer_size,
      bool sysex_only)
      : driver_({"fuzz in"}, {}),
        input_(driver_),
        model_(capacity, buffer_count, buffer_size, sysex_only) {
    input_.SetCapacity(capacity);
    input_.SetSysexBufferCount(buffer_count);
    input_.SetSysexBufferSize(buffer_size);
    input_.SetSysexOnly(sysex_only);
    input_.SetOnMidiInput([this] { TakeOne(); });
    input_.SetOnOverflow([this] { ++overflows_told_; });
    Open();
    // A ring of no items cannot exist: the input stays closed.
    FUZZ_CHECK(open_ == (capacity > 0));
  }

  void Deliver(std::span<const std::uint8_t> message) {
    ++time_;
    if (!open_) {
      FUZZ_CHECK(driver_.sink == nullptr);
      return;
    }
    DeliverMidiMessage(*driver_.sink, time_, message);
    model_.Deliver(time_, message);
    FUZZ_CHECK(input_.GetEventCount() == static_cast<int>(model_.Count()));
  }

  void TakeOne() {
    std::unique_ptr<MidiEvent> event = input_.GetMidiEvent();
    if (model_.Empty()) {
      FUZZ_CHECK(event == nullptr);
      return;
    }
    FUZZ_CHECK(event != nullptr);
    CheckEvent(*event, model_.Take());
  }

  void Dispatch() {
    // Each queued event is told once, to a handler that takes one event, while events remain.
    const std::uint32_t inputs = model_.TakePendingInputs();
    const std::uint32_t overflows = model_.TakePendingOverflows();
    overflows_told_ = 0;
    const std::size_t before = model_.Count();
    input_.DispatchNotifications();
    FUZZ_CHECK(model_.Count() == before - std::min<std::size_t>(before, inputs));
    FUZZ_CHECK(overflows_told_ == (open_ ? overflows : 0));
  }

  void Reopen() {
    input_.Close();
    model_.Clear();
    FUZZ_CHECK(input_.GetEventCount() == 0 && input_.GetMidiEvent() == nullptr);
    Open();
  }

  void Finish() {
    while (!model_.Empty()) TakeOne();
    FUZZ_CHECK(input_.GetMidiEvent() == nullptr);
  }

 private:
  void Open() {
    input_.Open();
    open_ = input_.State() == MidiInputState::kOpen;
    if (open_) input_.Start();
  }

  testing::FakeMidiDriver driver_;
  MidiInput input_;
  Model model_;
  bool open_ = false;
  std::uint32_t time_ = 0;
  std::uint32_t overflows_told_ = 0;
};

}  // namespace
}  // namespace morvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  fuzz::FuzzInput input(data, size);
  const auto capacity = static_cast<std::uint16_t>(input.Byte() % 17);
  const auto buffer_count = static_cast<std::uint16_t>(input.Byte() % 9);
  const auto buffer_size = static_cast<std::uint16_t>(input.Word() % 600);
  const bool sysex_only = (input.Byte() & 1) != 0;
  Run run(capacity, buffer_count, buffer_size, sysex_only);

  std::vector<std::uint8_t> message;
  while (!input.Empty()) {
    const std::uint8_t op = input.Byte();
    const int arg = op >> 2;
    switch (op & 3) {
      case 0: {  // any 0 to 3 bytes as a driver hands them over
        const auto bytes = input.Bytes(static_cast<std::size_t>(arg % 4));
        run.Deliver(bytes);
        break;
      }
      case 1: {  // system exclusive of any length, F7 or not, whatever bytes inside
        const auto body = input.Bytes(input.Word());
        message.assign(1, kSysexStart);
        message.insert(message.end(), body.begin(), body.end());
        if ((arg & 1) != 0) message.push_back(kSysexEnd);
        run.Deliver(message);
        break;
      }
      case 2: {  // a real-time byte alone
        const std::uint8_t byte = static_cast<std::uint8_t>(0xF8 + (arg & 7));
        run.Deliver({&byte, 1});
        break;
      }
      default:
        if (arg == 63) {
          run.Reopen();
        } else if ((arg & 1) != 0) {
          run.Dispatch();
        } else {
          for (int n = 0; n < (arg >> 1); ++n) run.TakeOne();
        }
    }
  }
  run.Finish();
  return 0;
}
