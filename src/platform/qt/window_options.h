// The window's command line: antraid [--seed N] [--speed STEPS|fastest]
// [--session FILE] [--open-run FILE], beside the options Qt takes for itself.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/qt/pacer.h"

namespace antraid {

struct WindowOptions {
  std::optional<uint64_t> seed;        // fixes the random source before the form loads
  int speed = kDefaultSpeed;           // steps/s, or kFastest
  std::optional<std::string> session;  // the session script, written when the window closes
  std::optional<std::string> openRun;  // a run's script performed at once, as File > Open run...
};

// A seed as --seed and Run > Fixed seed... take it: a whole number from 0 to
// 2^64 - 1, nothing around it.
std::optional<uint64_t> ParseSeed(std::string_view text);

// Qt takes its own options out of the command line when the application is
// created, and "-session"/"--session" is one of them (X11 session
// management): the window's options must leave the command line first.
// Splits argv into the window's options (with their values) and the rest,
// each list starting with the program's name.
struct SplitCommandLine {
  std::vector<char*> ours;
  std::vector<char*> rest;
};
SplitCommandLine SplitWindowOptions(int argc, char** argv);

// The options, or the exit status when the program ends at once: 0 after
// --help (usage on out), 2 after a mistake (the mistake and the usage on err).
std::variant<WindowOptions, int> ReadWindowOptions(int argc, const char* const* argv, std::ostream& out,
                                                   std::ostream& err);

}  // namespace antraid
