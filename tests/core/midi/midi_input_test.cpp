#include "core/midi/midi_input.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_midi_driver.h"

namespace morvane {
namespace {

using testing::FakeMidiDriver;

class CountingNotifier final : public MidiNotifier {
 public:
  void Wake() noexcept override { wakes.fetch_add(1, std::memory_order_relaxed); }
  std::atomic<int> wakes{0};
};

std::vector<std::uint8_t> SysexMessage(std::size_t length, std::uint8_t fill) {
  std::vector<std::uint8_t> bytes(length, fill);
  bytes.front() = 0xF0;
  bytes.back() = 0xF7;
  return bytes;
}

// A note-on whose data bytes carry the low 14 bits of n; the time carries all of n.
std::uint32_t NumberedNote(std::uint32_t n) {
  return 0x90 | ((n & 0x7F) << 8) | (((n >> 7) & 0x7F) << 16);
}

class MidiInputTest : public ::testing::Test {
 protected:
  void OpenWithCapacity(std::uint16_t capacity) {
    input_.SetCapacity(capacity);
    input_.Open();
    ASSERT_EQ(input_.State(), MidiInputState::kOpen);
  }
  // What the driver thread would deliver.
  void Short(std::uint32_t packed, std::uint32_t time = 0) {
    driver_.sink->OnShortMessage(time, packed);
  }
  void Sysex(const std::vector<std::uint8_t>& bytes, std::uint32_t time = 0) {
    driver_.sink->OnSysex(time, bytes);
  }

  FakeMidiDriver driver_{{"Port A", "Port B", "Port B"}, {}};
  CountingNotifier notifier_;
  MidiInput input_{driver_, &notifier_};
  int input_calls_ = 0;
  int overflow_calls_ = 0;
};

TEST_F(MidiInputTest, StartsClosedOnDeviceZeroWithTheDefaults) {
  EXPECT_EQ(input_.State(), MidiInputState::kClosed);
  EXPECT_EQ(input_.ProductName(), "Port A");
  EXPECT_EQ(input_.DeviceID(), 0);
  EXPECT_EQ(input_.Capacity(), 1024);
  EXPECT_EQ(input_.SysexBufferSize(), 4096);
  EXPECT_EQ(input_.SysexBufferCount(), 16);
  EXPECT_FALSE(input_.SysexOnly());

  FakeMidiDriver no_devices({}, {});
  MidiInput nothing(no_devices);
  EXPECT_EQ(nothing.ProductName(), "");
  nothing.Open();
  EXPECT_EQ(nothing.State(), MidiInputState::kClosed);
}

TEST_F(MidiInputTest, SelectsDevicesByNameAndByIndex) {
  input_.SetProductName("Port B");
  EXPECT_EQ(input_.DeviceID(), 1);  // the first of that name
  input_.SetDeviceID(2);
  EXPECT_EQ(input_.ProductName(), "Port B");
  EXPECT_EQ(input_.DeviceID(), 2);
  input_.Open();
  input_.Start();
  input_.Stop();
  EXPECT_EQ(driver_.opened_inputs, std::vector<int>{2});
  EXPECT_EQ(driver_.starts, 1);
  EXPECT_EQ(driver_.stops, 1);
}

TEST_F(MidiInputTest, ReportsEveryRefusalWithItsOwnText) {
  const auto message_of = [](const std::function<void()>& call) -> std::string {
    try {
      call();
    } catch (const MidiInputError& error) {
      return error.what();
    }
    return "(no error)";
  };
  EXPECT_EQ(message_of([&] { input_.SetProductName("Port C"); }),
            "MIDI Input Device Port C not installed ");
  EXPECT_EQ(message_of([&] { input_.SetProductName(""); }), "MIDI Input Device  not installed ");
  EXPECT_EQ(message_of([&] { input_.SetDeviceID(3); }), "Invalid device ID");
  EXPECT_EQ(message_of([&] { input_.SetDeviceID(-1); }), "Invalid device ID");
  EXPECT_EQ(input_.DeviceID(), 0);  // a refused selection changes nothing
  EXPECT_EQ(input_.ProductName(), "Port A");

  input_.Open();
  EXPECT_EQ(message_of([&] { input_.SetDeviceID(1); }), "Change to DeviceID while device was open");
  EXPECT_EQ(message_of([&] { input_.SetProductName("Port B"); }),
            "Change to ProductName while device was open");
  EXPECT_EQ(message_of([&] { input_.SetSysexBufferSize(100); }),
            "Change to SysexBufferSize while device was open");
  EXPECT_EQ(message_of([&] { input_.SetSysexBufferCount(2); }),
            "Change to SysexBuffercount while device was open");
  EXPECT_EQ(input_.SysexBufferSize(), 4096);
  EXPECT_EQ(input_.SysexBufferCount(), 16);
}

TEST_F(MidiInputTest, AFailedOpenStaysClosedQuietlyAndClosedCallsDoNothing) {
  driver_.fail_open = true;
  EXPECT_NO_THROW(input_.Open());
  EXPECT_EQ(input_.State(), MidiInputState::kClosed);
  input_.Start();
  input_.Stop();
  EXPECT_EQ(driver_.starts + driver_.stops, 0);
  EXPECT_EQ(input_.GetEventCount(), 0);
  EXPECT_EQ(input_.GetMidiEvent(), nullptr);

  driver_.fail_open = false;
  input_.SetCapacity(0);  // a ring that cannot be made fails the opening the same way
  input_.Open();
  EXPECT_EQ(input_.State(), MidiInputState::kClosed);
  EXPECT_TRUE(driver_.opened_inputs.empty());
}

TEST_F(MidiInputTest, DestroyingAnOpenPortClosesItWhileDestroying) {
  auto input = std::make_unique<MidiInput>(driver_);
  input->Open();
  MidiInputState state_while_closing = MidiInputState::kOpen;
  driver_.on_input_closing = [&](MidiInputSink& sink) {
    state_while_closing = dynamic_cast<MidiInput&>(sink).State();
  };
  input.reset();
  EXPECT_EQ(state_while_closing, MidiInputState::kDestroying);
  EXPECT_EQ(driver_.sink, nullptr);
}

TEST_F(MidiInputTest, HandsOutShortAndSystemExclusiveEventsInOrder) {
  OpenWithCapacity(4096);
  const std::vector<std::uint8_t> sysex = SysexMessage(82, 0x11);
  Short(0x7F3C90, 5);
  Sysex(sysex, 9);
  Short(0x0000C5 | (0x12 << 8), 12);
  EXPECT_EQ(input_.GetEventCount(), 3);

  std::unique_ptr<MidiEvent> note = input_.GetMidiEvent();
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->midi_message, 0x90);
  EXPECT_EQ(note->data1, 0x3C);
  EXPECT_EQ(note->data2, 0x7F);
  EXPECT_EQ(note->time, 5u);
  EXPECT_TRUE(note->sysex.empty());
  EXPECT_EQ(note->sysex_length, 0);

  std::unique_ptr<MidiEvent> block = input_.GetMidiEvent();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->midi_message, 0xF0);
  EXPECT_EQ(block->data1, 0);
  EXPECT_EQ(block->data2, 0);
  EXPECT_EQ(block->time, 9u);
  EXPECT_EQ(block->sysex, sysex);
  EXPECT_EQ(block->sysex_length, 82);

  std::unique_ptr<MidiEvent> program = input_.GetMidiEvent();
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(program->midi_message, 0xC5);
  EXPECT_EQ(program->data1, 0x12);
  EXPECT_EQ(input_.GetMidiEvent(), nullptr);
  EXPECT_EQ(input_.GetEventCount(), 0);
}

TEST_F(MidiInputTest, TimingClockAndActiveSensingAreNeverQueued) {
  OpenWithCapacity(4096);
  Short(0xF8);
  Short(0xFE);
  EXPECT_EQ(input_.GetEventCount(), 0);
  EXPECT_EQ(notifier_.wakes, 0);
  Short(0xFA);  // start, stop and the rest of the real-time bytes do arrive
  Short(0xFC);
  EXPECT_EQ(input_.GetEventCount(), 2);
  EXPECT_EQ(notifier_.wakes, 2);
}

TEST_F(MidiInputTest, SysexOnlyDropsShortMessages) {
  input_.SetSysexOnly(true);
  OpenWithCapacity(4096);
  Short(0x403C90);
  Sysex(SysexMessage(8, 0));
  ASSERT_EQ(input_.GetEventCount(), 1);
  EXPECT_EQ(input_.GetMidiEvent()->midi_message, 0xF0);
}

// A flood into a full ring is one overflow: reported once, until an event finds room again.
TEST_F(MidiInputTest, AFullRingDropsEventsAndReportsEachOverflowOnce) {
  OpenWithCapacity(4096);
  input_.SetOnOverflow([&] { ++overflow_calls_; });
  for (std::uint32_t i = 0; i < 4096; ++i) Short(0x90 | ((i & 0x7F) << 8), i);
  EXPECT_EQ(input_.GetEventCount(), 4096);
  Short(0x80, 5000);
  input_.DispatchNotifications();
  EXPECT_EQ(overflow_calls_, 1);
  for (std::uint32_t i = 0; i < 10000; ++i) Short(0x80, 5001 + i);
  input_.DispatchNotifications();
  EXPECT_EQ(overflow_calls_, 1) << "the same overflow goes on";
  EXPECT_EQ(input_.GetEventCount(), 4096);

  EXPECT_EQ(input_.GetMidiEvent()->time, 0u);  // the oldest, untouched by the drops
  Short(0xB0, 6000);                           // finds room: the overflow is over
  EXPECT_EQ(input_.GetEventCount(), 4096);
  input_.DispatchNotifications();
  EXPECT_EQ(overflow_calls_, 1);
  Short(0x80, 6001);
  Short(0x80, 6002);
  input_.DispatchNotifications();
  EXPECT_EQ(overflow_calls_, 2) << "a new overflow is reported again";
}

TEST_F(MidiInputTest, CallsTheInputHandlerOncePerEventWhileEventsWait) {
  OpenWithCapacity(64);
  std::vector<std::uint8_t> taken;
  input_.SetOnMidiInput([&] {
    ++input_calls_;
    taken.push_back(input_.GetMidiEvent()->data1);
  });
  Short(0x90 | (1 << 8));
  Short(0x90 | (2 << 8));
  Short(0x90 | (3 << 8));
  input_.DispatchNotifications();
  EXPECT_EQ(taken, (std::vector<std::uint8_t>{1, 2, 3}));

  // A transfer polling the ring took the events first: nothing left for the handler.
  Short(0x90);
  Short(0x90);
  while (input_.GetMidiEvent()) {
  }
  input_.DispatchNotifications();
  EXPECT_EQ(input_calls_, 3);
}

TEST_F(MidiInputTest, SysexBuffersComeBackOnlyWhenTheirEventIsTaken) {
  OpenWithCapacity(4096);
  for (int i = 0; i < 17; ++i) Sysex(SysexMessage(82, static_cast<std::uint8_t>(i)));
  input_.SetOnOverflow([&] { ++overflow_calls_; });
  input_.DispatchNotifications();
  EXPECT_EQ(input_.GetEventCount(), 16);  // the 17th found no buffer
  EXPECT_EQ(overflow_calls_, 0);          // and was lost without notice

  std::unique_ptr<MidiEvent> first = input_.GetMidiEvent();
  Sysex(SysexMessage(82, 0x55));  // fits in the buffer just given back
  EXPECT_EQ(input_.GetEventCount(), 16);
  Sysex(SysexMessage(82, 0x66));
  EXPECT_EQ(input_.GetEventCount(), 16);

  // The taken event owns its copy: reusing its buffer did not touch it.
  EXPECT_EQ(first->sysex, SysexMessage(82, 0));
  std::unique_ptr<MidiEvent> event;
  for (int i = 1; i < 16; ++i) {
    event = input_.GetMidiEvent();
    EXPECT_EQ(event->sysex, SysexMessage(82, static_cast<std::uint8_t>(i)));
  }
  EXPECT_EQ(input_.GetMidiEvent()->sysex, SysexMessage(82, 0x55));
}

TEST_F(MidiInputTest, SysexDroppedByAFullRingGivesItsBufferBack) {
  OpenWithCapacity(2);
  Short(0x90);
  Short(0x90);
  for (int i = 0; i < 20; ++i) Sysex(SysexMessage(10, 1));  // each one overflows
  input_.GetMidiEvent();
  input_.GetMidiEvent();
  Sysex(SysexMessage(10, 2));
  Sysex(SysexMessage(10, 3));
  ASSERT_EQ(input_.GetEventCount(), 2);
  EXPECT_EQ(input_.GetMidiEvent()->sysex, SysexMessage(10, 2));
}

TEST_F(MidiInputTest, SysexLongerThanItsBufferIsCut) {
  input_.SetSysexBufferSize(4096);
  OpenWithCapacity(16);
  const std::vector<std::uint8_t> long_message = SysexMessage(5000, 0x22);
  Sysex(long_message);
  Sysex({});
  std::unique_ptr<MidiEvent> cut = input_.GetMidiEvent();
  EXPECT_EQ(cut->sysex_length, 4096);
  EXPECT_EQ(cut->sysex,
            std::vector<std::uint8_t>(long_message.begin(), long_message.begin() + 4096));
  std::unique_ptr<MidiEvent> empty = input_.GetMidiEvent();
  EXPECT_EQ(empty->midi_message, 0xF0);
  EXPECT_EQ(empty->sysex_length, 0);
  EXPECT_TRUE(empty->sysex.empty());
}

TEST_F(MidiInputTest, ClosingDiscardsQueuedEventsAndPendingNotifications) {
  OpenWithCapacity(4);
  input_.SetOnMidiInput([&] { ++input_calls_; });
  input_.SetOnOverflow([&] { ++overflow_calls_; });
  for (int i = 0; i < 6; ++i) Short(0x90);
  for (int i = 0; i < 3; ++i) Sysex(SysexMessage(8, 0));
  input_.Close();
  EXPECT_EQ(input_.State(), MidiInputState::kClosed);
  EXPECT_EQ(driver_.sink, nullptr);
  EXPECT_EQ(input_.GetEventCount(), 0);
  EXPECT_EQ(input_.GetMidiEvent(), nullptr);

  input_.Open();
  EXPECT_EQ(input_.GetEventCount(), 0);
  input_.DispatchNotifications();
  EXPECT_EQ(input_calls_, 0);
  EXPECT_EQ(overflow_calls_, 0);
  // The new opening has its whole ring and every buffer.
  for (int i = 0; i < 4; ++i) Sysex(SysexMessage(8, 0));
  EXPECT_EQ(input_.GetEventCount(), 4);
}

TEST_F(MidiInputTest, AHandlerThatReopensThePortEndsTheOldNotifications) {
  OpenWithCapacity(16);
  input_.SetOnMidiInput([&] {
    ++input_calls_;
    input_.Close();
    input_.Open();
    Short(0x90);  // arrives on the new opening
  });
  Short(0x90);
  Short(0x90);
  Short(0x90);
  input_.DispatchNotifications();
  EXPECT_EQ(input_calls_, 1);
  EXPECT_EQ(input_.GetEventCount(), 1);
}

// The driver thread pushes while the window thread takes events one per notification, as the
// capture handler does. Every event that fit arrives once and in order; each run of events that
// did not fit was reported as one overflow.
TEST(MidiInputConcurrencyTest, AMillionShortMessagesArriveInOrderOrAreReportedDropped) {
  constexpr std::uint32_t kEvents = 1'000'000;
  FakeMidiDriver driver({"Port"}, {});
  CountingNotifier notifier;
  MidiInput input(driver, &notifier);
  input.SetCapacity(4096);
  input.Open();
  ASSERT_EQ(input.State(), MidiInputState::kOpen);

  std::uint32_t received = 0;
  std::uint32_t out_of_order = 0;
  std::int64_t last_time = -1;
  std::uint32_t overflows = 0;
  std::uint32_t gaps = 0;  // runs of numbers missing from what arrived
  input.SetOnMidiInput([&] {
    std::unique_ptr<MidiEvent> event = input.GetMidiEvent();
    const std::uint32_t packed = event->midi_message | (std::uint32_t{event->data1} << 8) |
                                 (std::uint32_t{event->data2} << 16);
    if (static_cast<std::int64_t>(event->time) <= last_time ||
        packed != NumberedNote(event->time)) {
      ++out_of_order;
    }
    if (static_cast<std::int64_t>(event->time) != last_time + 1) ++gaps;
    last_time = event->time;
    ++received;
  });
  input.SetOnOverflow([&] { ++overflows; });

  std::atomic<bool> done{false};
  MidiInputSink& sink = *driver.sink;
  std::thread producer([&] {
    for (std::uint32_t n = 0; n < kEvents; ++n) {
      // Once the ring has had time to fill, hold on until the reader has run at least once, so
      // that reading and writing really overlap even when the scheduler starves the reader.
      if (n == 2 * 4096) {
        while (input.GetEventCount() >= 4096) std::this_thread::yield();
      }
      sink.OnShortMessage(n, NumberedNote(n));
    }
    done.store(true, std::memory_order_release);
  });
  while (!done.load(std::memory_order_acquire)) input.DispatchNotifications();
  producer.join();
  input.DispatchNotifications();

  if (last_time != static_cast<std::int64_t>(kEvents) - 1) ++gaps;

  EXPECT_EQ(out_of_order, 0u);
  EXPECT_EQ(overflows, gaps);
  EXPECT_GT(received, 4096u);
  EXPECT_EQ(input.GetEventCount(), 0);
  EXPECT_EQ(notifier.wakes, static_cast<int>(received + overflows));
}

// A transfer polls the ring without any notification: the ring and the buffer pool alone must
// hand system-exclusive bytes over intact and in order, and the buffers must keep coming back.
TEST(MidiInputConcurrencyTest, PolledSysexAndShortMessagesArriveIntactAndInOrder) {
  constexpr std::uint32_t kEvents = 200'000;
  FakeMidiDriver driver({"Port"}, {});
  MidiInput input(driver);
  input.SetCapacity(4096);
  input.Open();
  ASSERT_EQ(input.State(), MidiInputState::kOpen);

  std::atomic<bool> done{false};
  MidiInputSink& sink = *driver.sink;
  std::thread producer([&] {
    std::vector<std::vector<std::uint8_t>> messages;
    for (std::uint32_t fill = 0; fill < 128; ++fill) {
      messages.push_back(SysexMessage(82, static_cast<std::uint8_t>(fill)));
    }
    for (std::uint32_t n = 0; n < kEvents; ++n) {
      // Paced like a line that the reader keeps up with, whatever the scheduler does with the
      // reading thread on a loaded machine: nothing is dropped, so every event must arrive.
      while (input.GetEventCount() >= 8) std::this_thread::yield();
      if (n % 4 == 0) {
        sink.OnSysex(n, messages[n & 0x7F]);
      } else {
        sink.OnShortMessage(n, NumberedNote(n));
      }
    }
    done.store(true, std::memory_order_release);
  });

  std::uint32_t received_sysex = 0;
  std::uint32_t received_short = 0;
  std::uint32_t damaged = 0;
  std::int64_t last_time = -1;
  while (!done.load(std::memory_order_acquire) || input.GetEventCount() > 0) {
    const std::unique_ptr<MidiEvent> event = input.GetMidiEvent();
    if (!event) continue;
    if (static_cast<std::int64_t>(event->time) <= last_time) ++damaged;
    last_time = event->time;
    if (event->midi_message == 0xF0) {
      ++received_sysex;
      if (event->sysex != SysexMessage(82, static_cast<std::uint8_t>(event->time & 0x7F)) ||
          event->sysex_length != 82 || event->time % 4 != 0) {
        ++damaged;
      }
    } else {
      ++received_short;
      const std::uint32_t packed = event->midi_message | (std::uint32_t{event->data1} << 8) |
                                   (std::uint32_t{event->data2} << 16);
      if (packed != NumberedNote(event->time) || event->time % 4 == 0) ++damaged;
    }
  }
  producer.join();

  EXPECT_EQ(damaged, 0u);
  EXPECT_EQ(received_sysex, kEvents / 4);
  EXPECT_EQ(received_short, kEvents - kEvents / 4);
  EXPECT_EQ(input.GetEventCount(), 0);
  // Every event has been taken, so every buffer is free again.
  for (int i = 0; i < 16; ++i) sink.OnSysex(0, SysexMessage(82, 1));
  EXPECT_EQ(input.GetEventCount(), 16);
}

}  // namespace
}  // namespace morvane
