#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/midi/midi_driver.h"

namespace morvane {

// A MIDI device for tests: one input and one output named `name`. What the program sends is
// recorded; the test plays the driver thread by calling the open input's sink itself.
class RecordingMidiDriver final : public MidiDriver {
 public:
  explicit RecordingMidiDriver(std::string name = "Recorder") : name_(std::move(name)) {}

  std::vector<std::vector<std::uint8_t>> sent;
  MidiInputSink* open_sink = nullptr;
  bool unplugged = false;

  std::vector<std::string> InputNames() override { return Names(); }
  std::vector<std::string> OutputNames() override { return Names(); }

  std::unique_ptr<MidiInputConnection> OpenInput(int index, MidiInputSink& sink) override {
    CheckIndex(index);
    open_sink = &sink;
    return std::make_unique<Input>(*this);
  }
  std::unique_ptr<MidiOutputConnection> OpenOutput(int index) override {
    CheckIndex(index);
    return std::make_unique<Output>(*this);
  }

 private:
  class Input final : public MidiInputConnection {
   public:
    explicit Input(RecordingMidiDriver& driver) : driver_(driver) {}
    ~Input() override { driver_.open_sink = nullptr; }
    void Start() override {}
    void Stop() override {}

   private:
    RecordingMidiDriver& driver_;
  };
  class Output final : public MidiOutputConnection {
   public:
    explicit Output(RecordingMidiDriver& driver) : driver_(driver) {}
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
      driver_.CheckPlugged();
      const std::uint8_t bytes[] = {status, data1, data2};
      driver_.sent.emplace_back(bytes, bytes + ShortMessageLength(status));
    }
    void SendLong(std::span<const std::uint8_t> bytes) override {
      driver_.CheckPlugged();
      driver_.sent.emplace_back(bytes.begin(), bytes.end());
    }

   private:
    RecordingMidiDriver& driver_;
  };

  std::vector<std::string> Names() const {
    return unplugged ? std::vector<std::string>{} : std::vector<std::string>{name_};
  }
  void CheckIndex(int index) const {
    if (unplugged || index != 0) throw MidiDriverError("no such device");
  }
  void CheckPlugged() const {
    if (unplugged) throw MidiDriverError("device " + name_ + " is gone");
  }

  std::string name_;
};

}  // namespace morvane
