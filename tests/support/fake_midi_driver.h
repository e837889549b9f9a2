#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/midi/midi_driver.h"

namespace morvane::testing {

// A MIDI driver for tests: fixed device lists, a record of what was opened and sent, and the
// open input's sink, which a test calls as the driver thread would.
class FakeMidiDriver final : public MidiDriver {
 public:
  FakeMidiDriver(std::vector<std::string> inputs, std::vector<std::string> outputs)
      : inputs_(std::move(inputs)), outputs_(std::move(outputs)) {}

  // Whatever a hook sees while the input connection is being destroyed.
  std::function<void(MidiInputSink&)> on_input_closing;

  std::vector<std::string> inputs_;
  std::vector<std::string> outputs_;
  bool fail_listing = false;
  bool fail_open = false;
  std::string send_error;  // when set, every send throws MidiDriverError with it

  MidiInputSink* sink = nullptr;  // the open input's sink, null when closed
  std::vector<int> opened_inputs;
  std::vector<int> opened_outputs;
  int starts = 0;
  int stops = 0;
  bool output_open = false;
  std::vector<std::vector<std::uint8_t>> sent;  // each message as it left, short ones trimmed

  std::vector<std::string> InputNames() override {
    if (fail_listing) throw MidiDriverError("listing failed");
    return inputs_;
  }
  std::vector<std::string> OutputNames() override {
    if (fail_listing) throw MidiDriverError("listing failed");
    return outputs_;
  }

  std::unique_ptr<MidiInputConnection> OpenInput(int index, MidiInputSink& input_sink) override {
    if (fail_open || index < 0 || index >= static_cast<int>(inputs_.size())) {
      throw MidiDriverError("input open failed");
    }
    opened_inputs.push_back(index);
    sink = &input_sink;
    return std::make_unique<Input>(*this);
  }

  std::unique_ptr<MidiOutputConnection> OpenOutput(int index) override {
    if (fail_open || index < 0 || index >= static_cast<int>(outputs_.size())) {
      throw MidiDriverError("output open failed");
    }
    opened_outputs.push_back(index);
    output_open = true;
    return std::make_unique<Output>(*this);
  }

 private:
  class Input final : public MidiInputConnection {
   public:
    explicit Input(FakeMidiDriver& driver) : driver_(driver) {}
    ~Input() override {
      if (driver_.on_input_closing) driver_.on_input_closing(*driver_.sink);
      driver_.sink = nullptr;
    }
    void Start() override { ++driver_.starts; }
    void Stop() override { ++driver_.stops; }

   private:
    FakeMidiDriver& driver_;
  };

  class Output final : public MidiOutputConnection {
   public:
    explicit Output(FakeMidiDriver& driver) : driver_(driver) {}
    ~Output() override { driver_.output_open = false; }
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
      Send(ShortMessageBytes(status, data1, data2).View());
    }
    void SendLong(std::span<const std::uint8_t> bytes) override { Send(bytes); }

   private:
    void Send(std::span<const std::uint8_t> bytes) {
      if (!driver_.send_error.empty()) throw MidiDriverError(driver_.send_error);
      driver_.sent.emplace_back(bytes.begin(), bytes.end());
    }
    FakeMidiDriver& driver_;
  };
};

}  // namespace morvane::testing
