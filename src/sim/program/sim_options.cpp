#include "sim/program/sim_options.h"

#include <charconv>
#include <string_view>

namespace morvane {
namespace {

bool ParseInt(std::string_view text, int low, int high, int& value) {
  int parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace

std::optional<SimOptions> ParseSimOptions(std::span<const char* const> arguments,
                                          std::string& error) {
  SimOptions options;
  struct Number {
    std::string_view name;
    int low;
    int high;
    int* value;
  };
  const Number numbers[] = {
      {"--channel", 1, 16, &options.channel},
      {"--modules", 1, 8, &options.modules},
      {"--firmware-rev", 0, 255, &options.firmware_revision},
      {"--baud", 0, 1'000'000, &options.baud},
  };
  struct Text {
    std::string_view name;
    std::string* value;
  };
  const Text texts[] = {
      {"--client", &options.client},
      {"--in-port", &options.input_port},
      {"--out-port", &options.output_port},
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    if (argument == "--handshake") {
      options.handshake = true;
      continue;
    }
    if (argument == "--verbose") {
      options.verbose = true;
      continue;
    }
    const bool has_value = i + 1 < arguments.size();
    bool known = false;
    for (const Number& number : numbers) {
      if (argument != number.name) continue;
      known = true;
      if (!has_value || !ParseInt(arguments[++i], number.low, number.high, *number.value)) {
        error = std::string(argument) + " needs a whole number from " + std::to_string(number.low) +
                " to " + std::to_string(number.high);
        return std::nullopt;
      }
    }
    for (const Text& text : texts) {
      if (argument != text.name) continue;
      known = true;
      if (!has_value || std::string_view(arguments[i + 1]).empty()) {
        error = std::string(argument) + " needs a name";
        return std::nullopt;
      }
      *text.value = arguments[++i];
    }
    if (!known) {
      error = "unknown option " + std::string(argument);
      return std::nullopt;
    }
  }
  return options;
}

std::string SimUsage(const std::string& program) {
  return "Usage: " + program +
         " [options]\n"
         "A virtual Morvane-8 module on MIDI ports of its own (ALSA sequencer, else JACK).\n"
         "Send to its input port, listen on its output port.\n"
         "\n"
         "  --channel N        MIDI channel of the (first) module, 1 to 16 (default 1)\n"
         "  --modules N        number of modules, on consecutive channels, 1 to 8 (default 1)\n"
         "  --handshake        modules acknowledge every block from the start\n"
         "  --firmware-rev R   firmware revision reported, 0 to 255 (default 47)\n"
         "  --baud B           pace messages both ways as a cable of B baud, 10 bits a byte;\n"
         "                     31250 is the MIDI rate (default 0: no pacing)\n"
         "  --client NAME      MIDI client name (default morvane8-sim)\n"
         "  --in-port NAME     input port name (default \"Morvane-8 sim in\")\n"
         "  --out-port NAME    output port name (default \"Morvane-8 sim out\")\n"
         "  --verbose          print every message in and out on stderr\n"
         "  --help             this text\n"
         "\n"
         "Once the ports exist it prints one line on stdout:\n"
         "  ready api=<api> in=<input port> out=<output port>\n"
         "and runs until SIGTERM or SIGINT.\n";
}

}  // namespace morvane
