#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/midi/transfer_port.h"

namespace morvane::testing {

// A MIDI line for transfers in virtual time. Whatever is sent goes to `responder`, whose replies
// reach the input `latency_ms` later (one after another, as on a serial line). Waits only move the
// clock. LogError resets the ports as the module control window does: the log gets the text and an
// empty line, and every reply already queued on the input is gone; replies still on the line
// arrive later.
class VirtualTransferPort final : public TransferPort, public MidiOut, public TransferLog {
 public:
  using Message = std::vector<std::uint8_t>;
  using Responder = std::function<std::vector<Message>(std::span<const std::uint8_t> sent)>;

  explicit VirtualTransferPort(Responder responder = {}, int latency_ms = 2)
      : responder_(std::move(responder)), latency_ms_(latency_ms) {}

  // A reply that another device put on the input at the current time (a stray Note On, say).
  void Inject(Message message) { Schedule(std::move(message), now_ms); }

  // Extra time, in ms, that a reply of the responder spends on the line (a slow module).
  std::function<int(const Message& reply)> extra_delay_ms;

  // MidiOut
  void PutShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
    Message message{status, data1};
    if ((status & 0xF0) != 0xC0 && (status & 0xF0) != 0xD0) message.push_back(data2);
    Sent(std::move(message));
  }
  void PutLong(std::span<const std::uint8_t> bytes) override { Sent({bytes.begin(), bytes.end()}); }

  // TransferPort
  MidiOut& Out() override { return *this; }
  int GetEventCount() override {
    int count = 0;
    for (const Pending& reply : line_) count += reply.due_ms <= now_ms ? 1 : 0;
    return count;
  }
  std::unique_ptr<MidiEvent> GetMidiEvent() override {
    if (GetEventCount() == 0) return nullptr;
    Message message = std::move(line_.front().bytes);
    line_.pop_front();
    auto event = std::make_unique<MidiEvent>();
    if (!message.empty() && message.front() == 0xF0) {
      event->midi_message = 0xF0;
      event->sysex_length = static_cast<std::uint16_t>(message.size());
      event->sysex = std::move(message);
    } else {
      event->midi_message = message.empty() ? 0 : message[0];
      event->data1 = message.size() > 1 ? message[1] : 0;
      event->data2 = message.size() > 2 ? message[2] : 0;
    }
    return event;
  }
  void WaitMs(int ms) override {
    waits.push_back(ms);
    if (ms >= 0) now_ms += static_cast<std::uint64_t>(ms) + 1;
  }
  void WaitForEvent(int ms) override {
    if (ms < 0) return;
    std::uint64_t end = now_ms + static_cast<std::uint64_t>(ms) + 1;
    // The line keeps its replies in order of arrival: the first one ends the wait.
    if (!line_.empty()) end = std::min(end, std::max(now_ms, line_.front().due_ms));
    now_ms = end;
  }

  // TransferLog
  void AddLine(const std::string& line) override { log.push_back(line); }
  void LogError(const std::string& text) override {
    log.push_back(text);
    log.push_back("");
    ++port_resets;
    while (!line_.empty() && line_.front().due_ms <= now_ms) line_.pop_front();
  }

  std::uint64_t now_ms = 0;
  std::vector<Message> sent;
  std::vector<std::string> log;
  std::vector<int> waits;
  int port_resets = 0;

 private:
  struct Pending {
    Message bytes;
    std::uint64_t due_ms;
  };

  void Sent(Message message) {
    sent.push_back(message);
    if (!responder_) return;
    for (Message& reply : responder_(message)) {
      const int extra = extra_delay_ms ? extra_delay_ms(reply) : 0;
      Schedule(std::move(reply), now_ms + static_cast<std::uint64_t>(latency_ms_ + extra));
    }
  }
  void Schedule(Message message, std::uint64_t due_ms) {
    if (!line_.empty()) due_ms = std::max(due_ms, line_.back().due_ms);
    line_.push_back({std::move(message), due_ms});
  }

  Responder responder_;
  int latency_ms_;
  std::deque<Pending> line_;
};

}  // namespace morvane::testing
