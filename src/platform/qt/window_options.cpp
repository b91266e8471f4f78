#include "platform/qt/window_options.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <string>

#include "common/program_folders.h"
#include "common/version.h"

namespace antraid {

std::optional<uint64_t> ParseSeed(std::string_view text) {
  uint64_t seed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return seed;
}

SplitCommandLine SplitWindowOptions(int argc, char** argv) {
  SplitCommandLine split;
  if (argc < 1) return split;
  split.ours.push_back(argv[0]);
  split.rest.push_back(argv[0]);
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const std::string_view name = a.substr(0, a.find('='));
    const bool takesValue = name == "--seed" || name == "--speed" || name == "--session" || name == "--open-run";
    if (!takesValue && a != "--help" && a != "-h" && a != "--version") {
      split.rest.push_back(argv[i]);
      continue;
    }
    split.ours.push_back(argv[i]);
    if (takesValue && name.size() == a.size() && i + 1 < argc) split.ours.push_back(argv[++i]);
  }
  return split;
}

std::variant<WindowOptions, int> ReadWindowOptions(int argc, const char* const* argv, std::ostream& out,
                                                   std::ostream& err) {
  CLI::App app("An interactive simulation of an ant colony's foraging raid on a lattice.", "antraid");
  std::string seed, speed, session, openRun;
  app.add_option("--seed", seed, "fixes the random source, as antraid-script --seed does")
      ->type_name("N")
      ->check([](const std::string& s) {
        return ParseSeed(s) ? std::string() : "a whole number from 0 to 18446744073709551615";
      });
  app.add_option("--speed", speed, "model steps a second, or fastest (default 30)")
      ->type_name("STEPS|fastest")
      ->check([](const std::string& s) {
        return ParseSpeed(s) ? std::string() : "a whole number of steps a second from 1 to 100000, or fastest";
      });
  app.add_option("--session", session, "writes the session as an antraid-script script when the window closes")
      ->type_name("FILE");
  app.add_option("--open-run", openRun, "performs a run's script (runs/NNNNN.script of a sweep, or a recorded session) in the window, as File > Open run... does")
      ->type_name("FILE");
  // The version, and where the help window looks for its document: beside
  // the program in the build folder, in the data folder when installed.
  const std::string help = FindProgramFolder(ExecutableFolder()) + "/help.rtf";
  std::error_code ec;
  app.set_version_flag("--version",
                       "antraid " + std::string(kVersion) + "\nhelp document: " + help +
                           (std::filesystem::is_regular_file(help, ec) ? "" : " (missing)"),
                       "prints the program's version and where its help document is, and exits");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << '\n';
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "antraid: " << e.what() << '\n' << app.help();
    return 2;
  }
  WindowOptions options;
  if (app.count("--seed")) options.seed = ParseSeed(seed);
  if (app.count("--speed")) options.speed = ParseSpeed(speed).value_or(kDefaultSpeed);
  if (app.count("--session")) options.session = session;
  if (app.count("--open-run")) options.openRun = openRun;
  return options;
}

}  // namespace antraid
