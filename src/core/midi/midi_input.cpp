#include "core/midi/midi_input.h"

#include <utility>
#include <vector>

#include "core/midi/sysex_format.h"

namespace morvane {

MidiInput::MidiInput(MidiDriver& driver, MidiNotifier* notifier)
    : driver_(driver), notifier_(notifier) {
  try {
    const std::vector<std::string> names = driver_.InputNames();
    if (!names.empty()) product_name_ = names.front();
  } catch (const MidiDriverError&) {
    // No device list: nothing selected; Open will fail quietly.
  }
  state_ = MidiInputState::kClosed;
}

MidiInput::~MidiInput() {
  state_ = MidiInputState::kDestroying;
  Close();
}

void MidiInput::RefuseWhileOpen(std::string_view property) const {
  if (state_ == MidiInputState::kOpen) {
    throw MidiInputError("Change to " + std::string(property) + " while device was open");
  }
}

void MidiInput::SetProductName(const std::string& name) {
  RefuseWhileOpen("ProductName");
  std::vector<std::string> names;
  try {
    names = driver_.InputNames();
  } catch (const MidiDriverError& error) {
    throw MidiInputError(error.what());
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) {
      device_id_ = static_cast<int>(i);
      product_name_ = name;
      return;
    }
  }
  throw MidiInputError("MIDI Input Device " + name + " not installed ");
}

void MidiInput::SetDeviceID(int device_id) {
  RefuseWhileOpen("DeviceID");
  std::vector<std::string> names;
  try {
    names = driver_.InputNames();
  } catch (const MidiDriverError& error) {
    throw MidiInputError(error.what());
  }
  if (device_id < 0 || static_cast<std::size_t>(device_id) >= names.size()) {
    throw MidiInputError("Invalid device ID");
  }
  device_id_ = device_id;
  product_name_ = names[static_cast<std::size_t>(device_id)];
}

void MidiInput::SetSysexBufferSize(std::uint16_t size) {
  RefuseWhileOpen("SysexBufferSize");
  sysex_buffer_size_ = size;
}

void MidiInput::SetSysexBufferCount(std::uint16_t count) {
  RefuseWhileOpen("SysexBuffercount");
  sysex_buffer_count_ = count;
}

void MidiInput::Open() {
  if (state_ == MidiInputState::kOpen) return;
  try {
    ring_ = std::make_unique<MidiInputRing>(capacity_);
    sysex_buffers_ = std::make_unique<SysexBufferPool>(sysex_buffer_count_, sysex_buffer_size_);
    pending_inputs_.store(0, std::memory_order_relaxed);
    pending_overflows_.store(0, std::memory_order_relaxed);
    overflowing_ = false;
    connection_ = driver_.OpenInput(device_id_, *this);
    state_ = MidiInputState::kOpen;
  } catch (const std::exception&) {
    connection_.reset();
    sysex_buffers_.reset();
    ring_.reset();
  }
}

void MidiInput::Start() {
  if (state_ != MidiInputState::kOpen) return;
  try {
    connection_->Start();
  } catch (const MidiDriverError& error) {
    throw MidiInputError(error.what());
  }
}

void MidiInput::Stop() {
  if (state_ != MidiInputState::kOpen) return;
  try {
    connection_->Stop();
  } catch (const MidiDriverError& error) {
    throw MidiInputError(error.what());
  }
}

void MidiInput::Close() noexcept {
  if (state_ == MidiInputState::kOpen) state_ = MidiInputState::kClosed;
  // Destroying the connection stops the callbacks; only then may the ring and buffers go.
  connection_.reset();
  sysex_buffers_.reset();
  ring_.reset();
  pending_inputs_.store(0, std::memory_order_relaxed);
  pending_overflows_.store(0, std::memory_order_relaxed);
  ++opening_;
}

int MidiInput::GetEventCount() const noexcept {
  return state_ == MidiInputState::kOpen ? ring_->Count() : 0;
}

std::unique_ptr<MidiEvent> MidiInput::GetMidiEvent() {
  if (state_ != MidiInputState::kOpen) return nullptr;
  const std::optional<MidiBufferItem> item = ring_->Read();
  if (!item) return nullptr;
  auto event = std::make_unique<MidiEvent>();
  event->time = item->timestamp;
  if (item->sysex != nullptr) {
    const SysexBuffer& buffer = *item->sysex;
    event->midi_message = 0xF0;
    event->sysex_length = buffer.length;
    event->sysex.assign(buffer.bytes, buffer.bytes + buffer.length);
    sysex_buffers_->Release(item->sysex);  // ready for the next message
  } else {
    event->midi_message = static_cast<std::uint8_t>(item->data & 0xFF);
    event->data1 = static_cast<std::uint8_t>((item->data >> 8) & 0xFF);
    event->data2 = static_cast<std::uint8_t>((item->data >> 16) & 0xFF);
  }
  ring_->Remove();
  return event;
}

void MidiInput::DispatchNotifications() {
  const std::uint32_t opening = opening_;
  const std::uint32_t inputs = pending_inputs_.exchange(0, std::memory_order_acq_rel);
  const std::uint32_t overflows = pending_overflows_.exchange(0, std::memory_order_acq_rel);
  // A handler may close or reopen the ports; what is left then belongs to the old opening.
  const auto still_open = [&] { return opening == opening_ && state_ == MidiInputState::kOpen; };
  for (std::uint32_t i = 0; i < inputs && still_open(); ++i) {
    if (GetEventCount() > 0 && on_midi_input_) on_midi_input_();
  }
  for (std::uint32_t i = 0; i < overflows && still_open(); ++i) {
    if (on_overflow_) on_overflow_();
  }
}

void MidiInput::OnShortMessage(std::uint32_t timestamp_ms, std::uint32_t packed) noexcept {
  if (packed == kMidiTimingClock || packed == kActiveSensing) return;
  if (sysex_only_.load(std::memory_order_relaxed)) return;
  Queue(MidiBufferItem{timestamp_ms, packed, nullptr});
}

void MidiInput::OnSysex(std::uint32_t timestamp_ms, std::span<const std::uint8_t> bytes) noexcept {
  if (!sysex_buffers_) return;
  SysexBuffer* buffer = sysex_buffers_->Fill(bytes);
  if (buffer == nullptr) return;  // no buffer free: lost, as with a driver out of buffers
  Queue(MidiBufferItem{timestamp_ms, 0, buffer});
}

void MidiInput::Queue(const MidiBufferItem& item) noexcept {
  if (!ring_) return;
  if (ring_->Put(item)) {
    overflowing_ = false;
    pending_inputs_.fetch_add(1, std::memory_order_release);
  } else {
    if (item.sysex != nullptr) sysex_buffers_->Release(item.sysex);
    if (overflowing_) return;  // already reported, and the window thread is awake for it
    overflowing_ = true;
    pending_overflows_.fetch_add(1, std::memory_order_release);
  }
  if (notifier_ != nullptr) notifier_->Wake();
}

}  // namespace morvane
