#pragma once

#include <string>
#include <vector>

#include "core/midi/log_sink.h"

namespace morvane {

// The MIDI log as a list of lines: appended to, never trimmed, cleared as a whole.
class LogLines final : public LogSink {
 public:
  void AddLine(const std::string& line) override { lines_.push_back(line); }
  void Clear() { lines_.clear(); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

}  // namespace morvane
