// A loaded main form on a headless host, a scripted session, the form's whole
// state as text, and a temporary folder that removes itself: the common
// ground of the form-level tests.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "common/numbers.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/script_runner.h"

namespace antraid::testing {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("antraid-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The pixels of a canvas, for comparing whole pictures.
inline std::vector<uint32_t> Snapshot(const Canvas& c) {
  return std::vector<uint32_t>(c.pixels(), c.pixels() + c.width() * c.height());
}

// Every field the program holds and every control as the window shows it
// (text, colour, check, range, value, enabled), then the canvas's scale; with
// `pixels`, a hash of the picture too.
inline std::string FormState(const MainForm& f, bool pixels) {
  std::string s;
  for (std::string_view name : MainForm::FieldNames()) s.append(name).append("=" + *f.FieldText(name) + "\n");
  for (const Control* c : const_cast<MainForm&>(f).panel.all()) {
    s += c->name() + (c->enabled() ? " " : " disabled ");
    if (auto* t = dynamic_cast<const TextControl*>(c)) s += "[" + t->text() + "]";
    if (auto* b = dynamic_cast<const TextBox*>(c)) s += " " + FormatInt(b->backColor());
    if (auto* k = dynamic_cast<const CheckBox*>(c)) s += FormatInt(k->value());
    if (auto* r = dynamic_cast<const ScrollBar*>(c))
      s += FormatInt(r->min()) + ".." + FormatInt(r->max()) + " " + FormatInt(r->value());
    s += "\n";
  }
  const Canvas& w = f.pctWorld;
  s += "scale " + FormatSingle(w.ScaleLeft()) + " " + FormatSingle(w.ScaleTop()) + " " +
       FormatSingle(w.ScaleWidth()) + " " + FormatSingle(w.ScaleHeight()) + "\n";
  if (pixels) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (int i = 0; i < w.width() * w.height(); ++i) h = (h ^ w.pixels()[i]) * 1099511628211ull;
    s += "pixels " + std::to_string(h) + "\n";
  }
  return s;
}

// An antraid-script session run in this process (Runner: ScriptRunner or a
// class derived from it); its form stays for a look after the script ended.
template <typename Runner = ScriptRunner>
struct ScriptSession {
  std::ostringstream out, err;
  Runner runner;
  int rc;
  ScriptSession(std::string_view script, std::optional<uint64_t> seed, std::string appPath = ".")
      : ScriptSession(script, Options(seed, std::move(appPath))) {}
  ScriptSession(std::string_view script, const ScriptOptions& options)
      : runner(out, err, options), rc(runner.Run(script)) {}
  MainForm& form() { return *runner.form(); }

 private:
  static ScriptOptions Options(std::optional<uint64_t> seed, std::string appPath) {
    ScriptOptions options;
    options.seed = seed;
    options.appPath = std::move(appPath);
    return options;
  }
};

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The window as it stands after opening: controls at their defaults and the
// parameters read once. `pauseAfter` passes of event processing after a run
// starts, the Pause button is clicked, so every run of a test ends.
struct LoadedForm {
  HeadlessHost host;
  MainForm form{host};
  Panel& p = form.panel;

  explicit LoadedForm(std::string appPath = ".", uint64_t seed = 11) {
    host.appPath = std::move(appPath);
    form.rng.SetFixedSeed(seed);
    form.Form_Load();
  }
  // Clicks Pause on the given event-processing pass (counted from now).
  void PauseOnPass(int pass) {
    const int at = host.passes + pass;
    host.onDoEvents = [this, at] {
      if (host.passes == at) p.cmdPause.Click();
    };
  }
  // First start that runs `steps` model steps in all before it pauses.
  void StartAndRun(int steps) {
    PauseOnPass(steps - 1);
    p.cmdStartProgram.Click();
  }
};

}  // namespace antraid::testing
