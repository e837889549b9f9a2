#include "platform/midi/rtmidi_input_connection.h"

#include <chrono>
#include <span>

#include "core/midi/midi_input.h"

namespace morvane {
namespace {

// Large enough for the input port's longest system-exclusive message where the API sizes its
// buffers.
constexpr unsigned int kInputBufferSize = MidiInput::kDefaultSysexBufferSize + 256;
constexpr unsigned int kInputBufferCount = MidiInput::kDefaultSysexBufferCount;

std::int64_t SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

RtMidiInputConnection::RtMidiInputConnection(RtMidi::Api api, const std::string& client_name,
                                             const std::string& device_name, MidiInputSink& sink)
    : sink_(sink), midi_(MakeRtMidiIn(api, client_name, trap_)) {
  try {
    midi_->setBufferSize(kInputBufferSize, kInputBufferCount);
    midi_->ignoreTypes(false, false, false);  // the port filters clock and sensing itself
    midi_->setCallback(&RtMidiInputConnection::OnMessage, this);
  } catch (const RtMidiError& error) {
    throw MidiDriverError(error.getMessage());
  }
  OpenRtMidiPortByName(*midi_, api, trap_, device_name, "input");
}

RtMidiInputConnection::~RtMidiInputConnection() {
  running_.store(false, std::memory_order_release);
  try {
    midi_->closePort();
  } catch (const RtMidiError&) {
    // Closing a port that failed is no error worth stopping for.
  }
  midi_.reset();  // closes the client: no callback runs after this
}

void RtMidiInputConnection::Start() {
  start_ns_.store(SteadyNanoseconds(), std::memory_order_relaxed);
  restarted_.store(true, std::memory_order_release);
  running_.store(true, std::memory_order_release);
}

void RtMidiInputConnection::Stop() { running_.store(false, std::memory_order_release); }

void RtMidiInputConnection::OnMessage(double delta_seconds, std::vector<unsigned char>* message,
                                      void* connection) {
  if (message == nullptr) return;
  static_cast<RtMidiInputConnection*>(connection)->Deliver(delta_seconds, *message);
}

void RtMidiInputConnection::Deliver(double delta_seconds,
                                    const std::vector<unsigned char>& message) noexcept {
  driver_seconds_ += delta_seconds;
  if (!running_.load(std::memory_order_acquire)) return;
  if (restarted_.exchange(false, std::memory_order_acq_rel)) {
    const std::int64_t since_start =
        SteadyNanoseconds() - start_ns_.load(std::memory_order_relaxed);
    anchor_ms_ = static_cast<double>(since_start) / 1e6;
    anchor_seconds_ = driver_seconds_;
  }
  const double ms = anchor_ms_ + (driver_seconds_ - anchor_seconds_) * 1000.0;
  const auto timestamp = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms < 0 ? 0 : ms));

  DeliverMidiMessage(sink_, timestamp, message);
}

}  // namespace morvane
