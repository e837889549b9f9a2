#pragma once

#include <string>

namespace morvane {

// Where transfers and the MIDI ports report their log lines.
class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void AddLine(const std::string& line) = 0;
};

}  // namespace morvane
