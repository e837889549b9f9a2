#include "sim/virtual_midi_line.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

#include "core/midi/sysex_wave_block.h"
#include "sim/midi_stream_framer.h"
#include "sim/wire_pacer.h"

namespace morvane {

namespace {

using LineClock = std::chrono::steady_clock;

class VirtualInputConnection;

struct PendingReply {
  std::vector<std::uint8_t> bytes;
  LineClock::time_point due;
};

// A message from the editor and the time its last byte reaches the modules.
struct PendingMessage {
  std::vector<std::uint8_t> bytes;
  LineClock::time_point arrival;
};

}  // namespace

// The line's state, shared by the driver object and its connections. Two locks: mutex_ guards the
// modules, queues and plug state; sink_mutex_ guards the input connections and is held while
// their sinks are called, so that detaching an input waits for a call in progress. The line never
// holds both at once, so a sink may even send.
class VirtualMidiLine::Line {
 public:
  explicit Line(const Options& options)
      : options_(options), to_modules_(options.baud), to_editor_(options.baud) {
    thread_ = std::thread([this] { Run(); });
  }
  ~Line() { Shutdown(); }

  void Shutdown() {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      stopping_ = true;
      plugged_ = false;
      ++generation_;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    DetachAllInputs();
    idle_.notify_all();
  }

  int AddModule(const ModuleConfiguration& configuration, const FirmwareIdentity& firmware) {
    std::lock_guard lock(mutex_);
    modules_.emplace_back(configuration, firmware);
    return static_cast<int>(modules_.size()) - 1;
  }

  int ModuleCount() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(modules_.size());
  }

  void WithModule(int index, const std::function<void(VirtualModule&)>& action) {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(modules_.size())) {
      throw std::out_of_range("no module with this index on the line");
    }
    action(modules_[static_cast<std::size_t>(index)]);
  }

  void InjectFault(FaultKind kind, int nth_reply, int param) {
    std::lock_guard lock(mutex_);
    faults_.AddForNth(kind, nth_reply, param);
  }

  void InjectFault(FaultKind kind, ReplyPredicate predicate, int param) {
    std::lock_guard lock(mutex_);
    faults_.AddForMatching(kind, std::move(predicate), param);
  }

  void ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.Clear();
  }

  void EmitToInput(std::vector<std::uint8_t> message) {
    {
      std::lock_guard lock(mutex_);
      if (!plugged_) return;
      Schedule(std::move(message), LineClock::now());
    }
    wake_.notify_all();
  }

  void Unplug() {
    {
      std::lock_guard lock(mutex_);
      plugged_ = false;
      ++generation_;
      incoming_.clear();
      outgoing_.clear();
      framer_ = {};
      to_modules_.Reset();
      to_editor_.Reset();
      last_due_ = {};
    }
    wake_.notify_all();
    DetachAllInputs();
    idle_.notify_all();
  }

  void Replug() {
    std::lock_guard lock(mutex_);
    if (!stopping_) plugged_ = true;
  }

  bool WaitUntilIdle(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, bound, [this] {
      return stopping_ || (incoming_.empty() && outgoing_.empty() && !busy_);
    });
  }

  std::uint64_t RepliesProduced() {
    std::lock_guard lock(mutex_);
    return replies_produced_;
  }

  bool Plugged() {
    std::lock_guard lock(mutex_);
    return plugged_;
  }

  // The generation a new connection belongs to; throws when the device is absent.
  std::uint64_t OpenGeneration(int index) {
    std::lock_guard lock(mutex_);
    if (!plugged_) throw MidiDriverError(std::string(kVirtualDeviceName) + " is not connected");
    if (index != 0) throw MidiDriverError("Invalid device ID");
    return generation_;
  }

  void Send(std::uint64_t generation, std::vector<std::uint8_t> message) {
    {
      std::lock_guard lock(mutex_);
      if (!plugged_ || generation != generation_) {
        throw MidiDriverError(std::string(kVirtualDeviceName) + " is not connected");
      }
      if (message.empty()) return;
      const auto arrival = to_modules_.Pass(message.size(), LineClock::now());
      incoming_.push_back({std::move(message), arrival});
    }
    wake_.notify_all();
  }

  // An input opened just before an unplug stays detached, and so dead.
  void AttachInput(VirtualInputConnection* input, std::uint64_t generation) {
    std::lock_guard lock(sink_mutex_);
    if (generation == generation_.load()) inputs_.push_back(input);
  }

  void DetachInput(VirtualInputConnection* input) {
    std::lock_guard lock(sink_mutex_);
    std::erase(inputs_, input);
  }

  // Start and stop of an input; false when the connection is no longer attached.
  bool SetInputStarted(VirtualInputConnection* input, bool started);

 private:
  void Run();
  void Feed(const std::vector<std::uint8_t>& message, LineClock::time_point now);
  void Schedule(std::vector<std::uint8_t> reply, LineClock::time_point due);
  void Deliver(const std::vector<PendingReply>& replies);

  void DetachAllInputs() {
    std::lock_guard lock(sink_mutex_);
    inputs_.clear();
  }

  const Options options_;

  std::mutex mutex_;
  std::condition_variable wake_;  // work for the line's thread
  std::condition_variable idle_;  // the line went idle
  std::vector<VirtualModule> modules_;
  // The modules read the line as one byte stream, as their inputs do.
  MidiStreamFramer framer_;
  ReplyFaultPlan faults_;
  std::deque<PendingMessage> incoming_;  // in order of arrival
  WirePacer to_modules_;
  WirePacer to_editor_;
  std::deque<PendingReply> outgoing_;  // in order of delivery
  LineClock::time_point last_due_{};
  std::uint64_t replies_produced_ = 0;
  // Bumped by every unplug, under mutex_: older connections are dead. Atomic because inputs
  // read it under sink_mutex_ only.
  std::atomic<std::uint64_t> generation_ = 0;
  bool plugged_ = true;
  bool stopping_ = false;
  bool busy_ = false;

  std::mutex sink_mutex_;
  std::vector<VirtualInputConnection*> inputs_;

  std::thread thread_;
};

namespace {

class VirtualInputConnection : public MidiInputConnection {
 public:
  VirtualInputConnection(std::shared_ptr<VirtualMidiLine::Line> line, MidiInputSink& sink,
                         std::uint64_t generation)
      : line_(std::move(line)), sink_(sink) {
    line_->AttachInput(this, generation);
  }
  ~VirtualInputConnection() override { line_->DetachInput(this); }

  void Start() override {
    if (!line_->SetInputStarted(this, true)) {
      throw MidiDriverError(std::string(VirtualMidiLine::kVirtualDeviceName) + " is not connected");
    }
  }
  void Stop() override { line_->SetInputStarted(this, false); }

  // Called by the line's thread with the line's sink lock held.
  void Deliver(const std::vector<std::uint8_t>& message, LineClock::time_point now) {
    if (!started_) return;
    const auto timestamp = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now - start_time_).count());
    DeliverMidiMessage(sink_, timestamp, message);
  }

  // Guarded by the line's sink lock.
  bool started_ = false;
  LineClock::time_point start_time_{};

 private:
  std::shared_ptr<VirtualMidiLine::Line> line_;
  MidiInputSink& sink_;
};

class VirtualOutputConnection : public MidiOutputConnection {
 public:
  VirtualOutputConnection(std::shared_ptr<VirtualMidiLine::Line> line, std::uint64_t generation)
      : line_(std::move(line)), generation_(generation) {}

  void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
    const ShortMessageBytes message(status, data1, data2);
    line_->Send(generation_,
                std::vector<std::uint8_t>(message.View().begin(), message.View().end()));
  }
  void SendLong(std::span<const std::uint8_t> bytes) override {
    line_->Send(generation_, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  }

 private:
  std::shared_ptr<VirtualMidiLine::Line> line_;
  std::uint64_t generation_;
};

}  // namespace

bool VirtualMidiLine::Line::SetInputStarted(VirtualInputConnection* input, bool started) {
  std::lock_guard lock(sink_mutex_);
  if (std::find(inputs_.begin(), inputs_.end(), input) == inputs_.end()) return false;
  if (started && !input->started_) input->start_time_ = LineClock::now();
  input->started_ = started;
  return true;
}

void VirtualMidiLine::Line::Run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    const auto now = LineClock::now();
    if (!incoming_.empty() && incoming_.front().arrival <= now) {
      busy_ = true;
      while (!incoming_.empty() && incoming_.front().arrival <= now) {
        const PendingMessage message = std::move(incoming_.front());
        incoming_.pop_front();
        Feed(message.bytes, message.arrival);
      }
      continue;
    }
    if (!outgoing_.empty() && outgoing_.front().due <= now) {
      busy_ = true;
      std::vector<PendingReply> due;
      while (!outgoing_.empty() && outgoing_.front().due <= now) {
        due.push_back(std::move(outgoing_.front()));
        outgoing_.pop_front();
      }
      lock.unlock();
      Deliver(due);
      lock.lock();
      continue;
    }
    if (busy_) {
      busy_ = false;
      idle_.notify_all();
    }
    if (outgoing_.empty() && incoming_.empty()) {
      wake_.wait(lock);
    } else {
      auto next = LineClock::time_point::max();
      if (!outgoing_.empty()) next = outgoing_.front().due;
      if (!incoming_.empty()) next = std::min(next, incoming_.front().arrival);
      wake_.wait_until(lock, next);
    }
  }
}

void VirtualMidiLine::Line::Feed(const std::vector<std::uint8_t>& bytes,
                                 LineClock::time_point now) {
  framer_.Feed(bytes, [&](std::span<const std::uint8_t> message) {
    for (VirtualModule& module : modules_) {
      for (ModuleReply& reply : module.Receive(message)) {
        ++replies_produced_;
        const auto delay = faults_.Apply(reply);
        if (!delay) continue;
        Schedule(std::move(reply), now + options_.latency + *delay);
      }
    }
  });
}

void VirtualMidiLine::Line::Schedule(std::vector<std::uint8_t> reply, LineClock::time_point due) {
  // One serial line: nothing overtakes a late reply, and at a set rate each reply takes its
  // time on the cable after the one before.
  last_due_ = to_editor_.Pass(reply.size(), std::max(due, last_due_));
  outgoing_.push_back({std::move(reply), last_due_});
}

void VirtualMidiLine::Line::Deliver(const std::vector<PendingReply>& replies) {
  std::lock_guard lock(sink_mutex_);
  const auto now = LineClock::now();
  for (const PendingReply& reply : replies) {
    for (VirtualInputConnection* input : inputs_) input->Deliver(reply.bytes, now);
  }
}

VirtualMidiLine::VirtualMidiLine() : VirtualMidiLine(Options{}) {}

VirtualMidiLine::VirtualMidiLine(const Options& options) : line_(std::make_shared<Line>(options)) {}

VirtualMidiLine::~VirtualMidiLine() { line_->Shutdown(); }

int VirtualMidiLine::AddModule(const ModuleConfiguration& configuration,
                               const FirmwareIdentity& firmware) {
  return line_->AddModule(configuration, firmware);
}

int VirtualMidiLine::ModuleCount() const { return line_->ModuleCount(); }

void VirtualMidiLine::WithModule(int index, const std::function<void(VirtualModule&)>& action) {
  line_->WithModule(index, action);
}

void VirtualMidiLine::InjectFault(FaultKind kind, int nth_reply, int param) {
  line_->InjectFault(kind, nth_reply, param);
}

void VirtualMidiLine::InjectFault(FaultKind kind, ReplyPredicate predicate, int param) {
  line_->InjectFault(kind, std::move(predicate), param);
}

void VirtualMidiLine::ClearFaults() { line_->ClearFaults(); }

void VirtualMidiLine::EmitToInput(std::vector<std::uint8_t> message) {
  line_->EmitToInput(std::move(message));
}

void VirtualMidiLine::Unplug() { line_->Unplug(); }

void VirtualMidiLine::Replug() { line_->Replug(); }

bool VirtualMidiLine::WaitUntilIdle(std::chrono::milliseconds bound) {
  return line_->WaitUntilIdle(bound);
}

std::uint64_t VirtualMidiLine::RepliesProduced() const { return line_->RepliesProduced(); }

std::vector<std::string> VirtualMidiLine::InputNames() {
  if (!line_->Plugged()) return {};
  return {kVirtualDeviceName};
}

std::vector<std::string> VirtualMidiLine::OutputNames() { return InputNames(); }

std::unique_ptr<MidiInputConnection> VirtualMidiLine::OpenInput(int index, MidiInputSink& sink) {
  return std::make_unique<VirtualInputConnection>(line_, sink, line_->OpenGeneration(index));
}

std::unique_ptr<MidiOutputConnection> VirtualMidiLine::OpenOutput(int index) {
  return std::make_unique<VirtualOutputConnection>(line_, line_->OpenGeneration(index));
}

}  // namespace morvane
