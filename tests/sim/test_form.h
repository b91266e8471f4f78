// A loaded main form on a headless host, a scripted session, the form's whole
// state as text, a random user of the window, a listener of the user's
// actions, a temporary folder that removes itself, a shell command's output,
// CSV cells and a movie's stream: the common ground of the form-level tests.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/main_form.h"
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

// Sets the canvas's scale: left, top, width and height in world units.
inline void SetScale(Canvas& c, const std::array<float, 4>& scale) {
  c.SetScaleLeft(scale[0]);
  c.SetScaleTop(scale[1]);
  c.SetScaleWidth(scale[2]);
  c.SetScaleHeight(scale[3]);
}

// How many pixels of the canvas show `colour`.
inline int CountPixels(const Canvas& c, uint32_t colour) {
  int n = 0;
  for (int py = 0; py < c.height(); ++py)
    for (int px = 0; px < c.width(); ++px) n += c.Pixel(px, py) == colour;
  return n;
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
      : ScriptSession(script, [&] {
          ScriptOptions options;
          options.seed = seed;
          options.appPath = std::move(appPath);
          return options;
        }()) {}
  ScriptSession(std::string_view script, const ScriptOptions& options)
      : runner(out, err, options), rc(runner.Run(script)) {}
  MainForm& form() { return *runner.form(); }
};

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The cells of a CSV line without quoted commas (a trailing comma is an
// empty last cell).
inline std::vector<std::string> CsvCells(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  for (std::string c; std::getline(in, c, ',');) cells.push_back(c);
  if (!line.empty() && line.back() == ',') cells.emplace_back();
  return cells;
}

// A random user of the window: edits from pools of usable and refused
// values, clicks, scroll bar moves, thumb drags and releases, clicks and ALT
// rectangles on the canvas, seeds. Start and a new number of ants, which
// open run loops, only when `mayRun`; Pause or Go always.
struct RandomUser {
  std::mt19937 gen;
  explicit RandomUser(unsigned seed) : gen(seed) {}
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(gen); }
  float Between(float lo, float width) { return lo + std::uniform_real_distribution<float>(0, 1)(gen) * width; }

  void Act(MainForm& f, bool mayRun) {
    struct Pool {
      TextBox& box;
      std::vector<const char*> texts;
    };
    Panel& p = f.panel;
    UserActions& a = f.actions;
    const Canvas& c = f.pctWorld;
    const Pool pools[] = {
        {p.txtWorldXinM, {"7", "3", "5", "0", "abc", "-1", ""}},
        {p.txtWorldYinM, {"7", "3", "5", "9", "0", "abc", "400", ""}},
        {p.txtNumAnts, {"90", "50", "120", "0", "abc", "40000", ""}},
        {p.txtAntNumber, {"50", "10", "300", "0", "abc", "-2", ""}},
        {p.txtLeaveInterval, {"1", "2", "0", "abc", "70000"}},
        {p.txtAntsPerPatch, {"5", "1", "0", "abc"}},
        {p.txtEmptyNodeWeightOut, {"5", "2", "abc"}},
        {p.txtPherToDropOut, {"1", "4", "abc"}},
        {p.txtPherToDropIn, {"10", "5.5", "abc", ""}},
        {p.txtFiftyPercProb, {"100", "30", "0", "abc"}},
        {p.txtMaxPherValue, {"500", "200", "0", "abc"}},
        {p.txtModelTimeStep, {"0.5", "1", "0.25", "0", "abc"}},
        {p.txtMaxVel, {"7", "3.5", "abc"}},
        {p.txtMinVel, {"1.2", "0.5", "abc"}},
        {p.txtMaxPherToSat, {"300", "100", "40000", "abc"}},
        {p.txtPercentFood, {"1", "2.5", "0", "150", "abc"}},
        {p.txtFoodQuality, {"1", "3", "-1", "abc"}},
        {p.txtSaveTime, {"1", "2", "0", "-1", "abc"}},
        {p.txtImageName, {"TrackAnts", "run", "", " a b "}},
    };
    ScrollBar* bars[] = {&p.scrColonyYPos, &p.scrColWidth, &p.scrPathColorOut, &p.scrPathColorIn};
    CheckBox* checks[] = {&p.chkRemovePher, &p.chkUseVel, &p.chkUsePm, &p.chkTrackAnt, &p.chkShowAnts, &p.chkPlotFood};
    ScrollBar& bar = *bars[Pick(std::size(bars))];
    const float x = Between(c.ScaleLeft(), c.ScaleWidth()), y = Between(c.ScaleTop(), c.ScaleHeight());
    switch (Pick(12)) {
      case 0:
      case 1:
      case 2: {
        const Pool& pool = pools[Pick(std::size(pools))];
        if (mayRun || &pool.box != &p.txtNumAnts) a.Type(pool.box, pool.texts[Pick(pool.texts.size())]);
        break;
      }
      case 3: {
        const int v = bar.min() - 5 + static_cast<int>(Pick(static_cast<size_t>(bar.max() - bar.min() + 11)));
        Pick(2) ? a.Scroll(bar, v) : a.Drag(bar, v);
        break;
      }
      case 4:
        a.Release(bar);
        break;
      case 5:
        a.Click(*checks[Pick(std::size(checks))]);
        break;
      case 6:
        a.Click(p.cmdPause);  // Pause, or Go
        break;
      case 7:
        if (mayRun) a.Click(p.cmdStartProgram);
        break;
      case 8:
        a.MouseDown(1, static_cast<int>(Pick(3)), x, y);  // a zoom in or out, or a shift click
        break;
      case 9:  // a zoom rectangle dragged with ALT
        a.MouseDown(1, 4, x, y);
        a.MouseMove(1, 4, x + Between(0, c.ScaleWidth() / 2), y + Between(0, c.ScaleHeight() / 2));
        a.MouseUp(1, 4, x + Between(0, c.ScaleWidth() / 2), y);
        break;
      case 10:
        a.Click(Pick(2) ? p.cmdPlotPher : p.cmdClearScreen);
        break;
      default:
        Pick(2) ? a.Seed(gen()) : a.ClickForm();
        break;
    }
  }
};

// Hears the user's actions as script lines.
struct HeardActions : ActionListener {
  explicit HeardActions(MainForm& form) : form(form) { form.actions.Subscribe(*this); }
  ~HeardActions() { form.actions.Unsubscribe(*this); }
  void ActionStarting(const UserAction& a) override {
    lines.push_back(a.ScriptLine());
    actions.push_back(a);
  }
  MainForm& form;
  std::vector<std::string> lines;
  std::vector<UserAction> actions;
};

// What a command printed and its exit status (-1 when it did not exit).
struct CommandResult {
  int status = -1;
  std::string out, err;
};

// What a script session with seed 1 printed, and its exit status.
inline CommandResult ScriptOutput(std::string_view script) {
  ScriptSession<> s(script, 1);
  return {s.rc, s.out.str(), s.err.str()};
}

// Runs a shell command line in `dir`, which keeps what it printed.
inline CommandResult RunCommand(const std::string& command, const std::filesystem::path& dir) {
  const std::filesystem::path out = dir / "cmd.out", err = dir / "cmd.err";
  const int raw = std::system(
      ("cd '" + dir.string() + "' && " + command + " >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out), ReadFile(err)};
}

// "codec,width,height,frames" of a movie's video stream as ffprobe reads it,
// run in `dir` (ffprobe's own output files are per folder).
inline std::string MovieProbe(const std::filesystem::path& file, const std::filesystem::path& dir) {
  const CommandResult r = RunCommand(
      "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
      "stream=codec_name,width,height,nb_read_frames -of csv=p=0 '" + file.string() + "'",
      dir);
  std::string out = r.out;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return r.status == 0 ? out : "ffprobe failed: " + r.err;
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
