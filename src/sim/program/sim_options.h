#pragma once

#include <optional>
#include <span>
#include <string>

namespace morvane {

// Command line of the stand-alone virtual module.
struct SimOptions {
  int channel = 1;         // MIDI channel of the first module, 1..16
  int modules = 1;         // modules on consecutive channels, 1..8
  bool handshake = false;  // modules start with handshake on
  int firmware_revision = 47;
  int baud = 0;  // cable rate to pace the messages at, 10 bits a byte; 0: no pacing
  std::string client = "morvane8-sim";
  std::string input_port = "Morvane-8 sim in";
  std::string output_port = "Morvane-8 sim out";
  bool verbose = false;  // every message in and out on stderr
  bool help = false;
};

// Reads the arguments after the program name. On a mistake returns nothing and puts the reason
// in `error`.
std::optional<SimOptions> ParseSimOptions(std::span<const char* const> arguments,
                                          std::string& error);

// The text --help prints.
std::string SimUsage(const std::string& program);

}  // namespace morvane
