// antraid-script [--seed N] [--app-path DIR] SCRIPT | --version
// Runs the program headless and performs SCRIPT's user actions (SCRIPT may be
// "-" for standard input). Exit status 0, or 2 after an error.
#include <charconv>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "common/version.h"
#include "platform/headless/script_runner.h"

namespace {

constexpr std::string_view kUsage =
    "usage: antraid-script [--seed N] [--app-path DIR] SCRIPT\n"
    "  SCRIPT     file of user actions, one per line; - reads standard input\n"
    "  --seed N   fixes the random source, so that a script gives the same output every time\n"
    "  --app-path DIR  the program's folder (default: the current directory)\n"
    "  --version  prints the program's version\n"
    "See docs/scripting.md for the actions.\n";

int UsageError(std::string_view message) {
  std::cerr << "antraid-script: " << message << '\n' << kUsage;
  return 2;
}

std::optional<std::string> ReadAll(std::istream& in) {
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  antraid::ScriptOptions options;
  std::optional<std::string> scriptName;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "-h" || a == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (a == "--version") {
      std::cout << "antraid-script " << antraid::kVersion << '\n';
      return 0;
    }
    if (a == "--seed" || a == "--app-path") {
      if (i + 1 >= argc) return UsageError(std::string(a) + " needs a value");
      const std::string_view v = argv[++i];
      if (a == "--seed") {
        uint64_t seed = 0;
        auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), seed);
        if (ec != std::errc() || end != v.data() + v.size())
          return UsageError("--seed needs a whole number from 0 to 18446744073709551615, not \"" + std::string(v) + "\"");
        options.seed = seed;
      } else {
        std::string dir(v);
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();  // no trailing separator
        if (dir.empty()) return UsageError("--app-path needs a folder");
        options.appPath = dir;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      return UsageError("unknown option " + std::string(a));
    } else if (scriptName) {
      return UsageError("only one SCRIPT may be given");
    } else {
      scriptName = std::string(a);
    }
  }
  if (!scriptName) return UsageError("no SCRIPT given");

  std::optional<std::string> script;
  if (*scriptName == "-") {
    script = ReadAll(std::cin);
  } else {
    std::ifstream file(*scriptName, std::ios::binary);
    if (file) script = ReadAll(file);
  }
  if (!script) {
    std::cerr << "antraid-script: cannot read " << *scriptName << '\n';
    return 2;
  }

  try {
    antraid::ScriptRunner runner(std::cout, std::cerr, options);
    return runner.Run(*script);
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "antraid-script: the session ended on an internal error: " << e.what() << '\n';
    return 2;
  }
}
