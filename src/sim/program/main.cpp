// morvane8-sim: virtual Morvane-8 modules on MIDI ports of their own, for trying the editor and
// other tools without hardware. Messages arrive on the MIDI driver's thread and are queued; the
// main thread feeds them to the modules and sends their replies.

#include <pthread.h>
#include <rtmidi/RtMidi.h>
#include <signal.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/midi/sysex_format.h"
#include "sim/midi_stream_framer.h"
#include "sim/program/sim_options.h"
#include "sim/virtual_module.h"
#include "sim/wire_pacer.h"

namespace morvane {
namespace {

// Messages from the driver's thread to the main thread, and the request to stop.
class MessageQueue {
 public:
  void Push(std::vector<std::uint8_t> message) {
    {
      std::lock_guard lock(mutex_);
      messages_.push_back(std::move(message));
    }
    changed_.notify_one();
  }

  void RequestStop() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_one();
  }

  // Waits for messages; nothing once a stop was requested.
  std::deque<std::vector<std::uint8_t>> Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stop_ || !messages_.empty(); });
    if (stop_) return {};
    return std::exchange(messages_, {});
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<std::uint8_t>> messages_;
  bool stop_ = false;
};

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::ostringstream text;
  for (std::uint8_t byte : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X ", byte);
    text << digits;
  }
  return text.str();
}

void OnMidiIn(double /*delta_seconds*/, std::vector<unsigned char>* message, void* queue) {
  if (message != nullptr && !message->empty()) {
    static_cast<MessageQueue*>(queue)->Push({message->begin(), message->end()});
  }
}

// Once the ports are open, failures of the MIDI layer (a full output buffer, say) go to stderr;
// nothing is thrown from the driver's thread.
void OnMidiError(RtMidiError::Type /*type*/, const std::string& text, void* /*unused*/) {
  std::cerr << "morvane8-sim: " << text << '\n';
}

struct Ports {
  RtMidi::Api api = RtMidi::UNSPECIFIED;
  std::unique_ptr<RtMidiIn> in;
  std::unique_ptr<RtMidiOut> out;
};

// Opens both virtual ports on the first MIDI layer that works: the ALSA sequencer, then JACK.
Ports OpenPorts(const SimOptions& options, MessageQueue& queue) {
  std::string failures;
  for (const RtMidi::Api api : {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK}) {
    try {
      Ports ports;
      ports.api = api;
      ports.in = std::make_unique<RtMidiIn>(api, options.client);
      ports.out = std::make_unique<RtMidiOut>(api, options.client);
      ports.in->ignoreTypes(false, false, false);
      ports.in->setCallback(OnMidiIn, &queue);
      ports.in->openVirtualPort(options.input_port);
      ports.out->openVirtualPort(options.output_port);
      // Only now: with an error callback set, the MIDI layer reports failures instead of
      // throwing them, and a failed open would pass unnoticed.
      ports.in->setErrorCallback(OnMidiError);
      ports.out->setErrorCallback(OnMidiError);
      return ports;
    } catch (const RtMidiError& error) {
      failures += "\n  " + RtMidi::getApiName(api) + ": " + error.getMessage();
    }
  }
  throw std::runtime_error("no MIDI layer could open virtual ports:" + failures);
}

// The full name under which other clients see one of our ports (JACK and ALSA put the client
// name in front); the bare name when the layer does not list it.
std::string SeenName(RtMidi& lister, const std::string& port) {
  try {
    const unsigned int count = lister.getPortCount();
    for (unsigned int i = 0; i < count; ++i) {
      const std::string name = lister.getPortName(i);
      if (name.find(port) != std::string::npos) return name;
    }
  } catch (const RtMidiError&) {
  }
  return port;
}

std::vector<VirtualModule> MakeModules(const SimOptions& options) {
  std::vector<VirtualModule> modules;
  FirmwareIdentity firmware;
  firmware.revision = static_cast<std::uint8_t>(options.firmware_revision);
  for (int i = 0; i < options.modules; ++i) {
    ModuleConfiguration configuration;
    configuration.channel_index = (options.channel - 1 + i) % 16;
    configuration.flags = options.handshake ? kFlagHandshake : 0;
    modules.emplace_back(configuration, firmware);
  }
  return modules;
}

int Run(const SimOptions& options) {
  // SIGINT and SIGTERM are taken by one thread with sigwait; every other thread, those of the
  // MIDI layer included, inherits the blocked mask.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  MessageQueue queue;
  std::thread signal_waiter([&] {
    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    queue.RequestStop();
  });

  int status = 0;
  try {
    std::vector<VirtualModule> modules = MakeModules(options);
    Ports ports = OpenPorts(options, queue);
    std::cout << "ready api=" << RtMidi::getApiName(ports.api) << " in=\""
              << SeenName(*ports.out, options.input_port) << "\" out=\""
              << SeenName(*ports.in, options.output_port) << '"' << std::endl;

    // The MIDI layer may join pieces of the stream into one message: the modules read it as
    // the byte stream it is.
    MidiStreamFramer framer;
    WirePacer to_modules(options.baud);
    WirePacer to_editor(options.baud);
    for (auto messages = queue.Wait(); !messages.empty(); messages = queue.Wait()) {
      for (const auto& bytes : messages) {
        if (options.verbose) std::cerr << "in:  " << Hex(bytes) << '\n';
        std::this_thread::sleep_until(to_modules.Pass(bytes.size(), WirePacer::Clock::now()));
        framer.Feed(bytes, [&](std::span<const std::uint8_t> message) {
          for (VirtualModule& module : modules) {
            for (const ModuleReply& reply : module.Receive(message)) {
              if (options.verbose) std::cerr << "out: " << Hex(reply) << '\n';
              std::this_thread::sleep_until(to_editor.Pass(reply.size(), WirePacer::Clock::now()));
              ports.out->sendMessage(reply.data(), reply.size());
            }
          }
        });
      }
    }
    ports.in->closePort();
    ports.out->closePort();
    // RtMidi's JACK output frees its buffer before its client stops: give a cycle that began
    // before the close time to end before the object goes.
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  } catch (const std::exception& error) {
    std::cerr << "morvane8-sim: " << error.what() << '\n';
    status = 1;
    // Wake the signal thread so that it can be joined.
    pthread_kill(signal_waiter.native_handle(), SIGTERM);
  }
  signal_waiter.join();
  return status;
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  const std::string program = argc > 0 ? argv[0] : "morvane8-sim";
  std::string error;
  const auto options = morvane::ParseSimOptions(
      std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)),
      error);
  if (!options) {
    std::cerr << "morvane8-sim: " << error << "\n" << morvane::SimUsage(program);
    return 2;
  }
  if (options->help) {
    std::cout << morvane::SimUsage(program);
    return 0;
  }
  return morvane::Run(*options);
}
