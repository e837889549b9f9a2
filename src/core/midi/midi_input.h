#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/midi/midi_driver.h"
#include "core/midi/midi_event.h"
#include "core/midi/midi_input_ring.h"
#include "core/midi/midi_notifier.h"
#include "core/midi/sysex_buffer_pool.h"

namespace morvane {

class MidiInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class MidiInputState { kOpen, kClosed, kCreating, kDestroying };

// The MIDI input port. The driver thread only queues items into the ring and wakes the window
// thread; the window thread takes events out with GetMidiEvent and runs the handlers from
// DispatchNotifications. Every other call belongs to the window thread.
class MidiInput final : public MidiInputSink {
 public:
  static constexpr std::uint16_t kDefaultCapacity = 1024;
  static constexpr std::uint16_t kDefaultSysexBufferSize = 4096;
  static constexpr std::uint16_t kDefaultSysexBufferCount = 16;

  // Selects device 0 when the driver lists any. `notifier` may be null when the owner calls
  // DispatchNotifications on its own schedule.
  explicit MidiInput(MidiDriver& driver, MidiNotifier* notifier = nullptr);
  ~MidiInput() override;
  MidiInput(const MidiInput&) = delete;
  MidiInput& operator=(const MidiInput&) = delete;

  MidiInputState State() const noexcept { return state_; }

  const std::string& ProductName() const noexcept { return product_name_; }
  // Selects the first input device of that name.
  void SetProductName(const std::string& name);
  int DeviceID() const noexcept { return device_id_; }
  void SetDeviceID(int device_id);

  // Ring size and system-exclusive buffers take effect at the next Open.
  std::uint16_t Capacity() const noexcept { return capacity_; }
  void SetCapacity(std::uint16_t capacity) noexcept { capacity_ = capacity; }
  std::uint16_t SysexBufferSize() const noexcept { return sysex_buffer_size_; }
  void SetSysexBufferSize(std::uint16_t size);
  std::uint16_t SysexBufferCount() const noexcept { return sysex_buffer_count_; }
  void SetSysexBufferCount(std::uint16_t count);
  bool SysexOnly() const noexcept { return sysex_only_.load(std::memory_order_relaxed); }
  void SetSysexOnly(bool sysex_only) noexcept {
    sysex_only_.store(sysex_only, std::memory_order_relaxed);
  }

  // Called from DispatchNotifications: once per queued event while the port is open and holds
  // events, and once per overflow: the first event dropped because the ring was full, until an
  // event finds room again (a flood into a full ring reports once, not once per lost event).
  void SetOnMidiInput(std::function<void()> handler) { on_midi_input_ = std::move(handler); }
  void SetOnOverflow(std::function<void()> handler) { on_overflow_ = std::move(handler); }

  // Opens the selected device. Any failure leaves the port closed, silently: the callers then
  // find no events and their waits end by time-out.
  void Open();
  void Start();
  void Stop();
  // Closes the device and discards every queued event and every pending notification.
  void Close() noexcept;

  int GetEventCount() const noexcept;
  // The oldest queued event, taken out of the ring; null when the port is closed or empty.
  std::unique_ptr<MidiEvent> GetMidiEvent();

  // Window thread: runs the handlers for the notifications queued since the last call.
  void DispatchNotifications();

  // Driver thread.
  void OnShortMessage(std::uint32_t timestamp_ms, std::uint32_t packed) noexcept override;
  void OnSysex(std::uint32_t timestamp_ms, std::span<const std::uint8_t> bytes) noexcept override;

 private:
  void RefuseWhileOpen(std::string_view property) const;
  void Queue(const MidiBufferItem& item) noexcept;

  MidiDriver& driver_;
  MidiNotifier* notifier_;
  MidiInputState state_ = MidiInputState::kCreating;
  std::string product_name_;
  int device_id_ = 0;
  std::uint16_t capacity_ = kDefaultCapacity;
  std::uint16_t sysex_buffer_size_ = kDefaultSysexBufferSize;
  std::uint16_t sysex_buffer_count_ = kDefaultSysexBufferCount;
  std::atomic<bool> sysex_only_{false};
  std::function<void()> on_midi_input_;
  std::function<void()> on_overflow_;

  // Exist only while open; the driver thread uses them until the connection is destroyed.
  std::unique_ptr<MidiInputRing> ring_;
  std::unique_ptr<SysexBufferPool> sysex_buffers_;
  std::unique_ptr<MidiInputConnection> connection_;

  // Notifications raised by the driver thread, consumed by DispatchNotifications.
  std::atomic<std::uint32_t> pending_inputs_{0};
  std::atomic<std::uint32_t> pending_overflows_{0};
  // Driver thread: the ring has dropped an event and none has found room since.
  bool overflowing_ = false;
  // Counts openings, so notifications of an earlier opening never reach a later one.
  std::uint32_t opening_ = 0;
};

}  // namespace morvane
