// File > Open run...: a run's script performed in the window.
#include <QCoreApplication>
#include <QFileDialog>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <charconv>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "sim/main_form.h"
#include "app/script_line.h"
#include "app/session_recorder.h"
#include "platform/headless/script_runner.h"
#include "platform/qt/main_window.h"
#include "platform/qt/message_log.h"
#include "platform/qt/pacer.h"
#include "platform/qt/raid_controls.h"

namespace antraid {

namespace {

// An output stream whose every line goes to a function (the message log).
class LineStream : public std::ostream {
 public:
  explicit LineStream(std::function<void(const std::string&)> line) : std::ostream(&buffer_), buffer_(std::move(line)) {}

 private:
  struct Buffer : std::streambuf {
    explicit Buffer(std::function<void(const std::string&)> l) : line(std::move(l)) {}
    int overflow(int c) override {
      if (c == '\n') {
        line(text);
        text.clear();
      } else if (c != EOF) {
        text += static_cast<char>(c);
      }
      return c;
    }
    std::function<void(const std::string&)> line;
    std::string text;
  } buffer_;
};

}  // namespace

std::optional<uint64_t> RaidControls::HeaderSeed(const std::string& script) {
  // A sweep's run says "# replay: antraid-script --seed N runs/...", a
  // recorded session "# Seed N, fixed ...: replay with antraid-script --seed N FILE".
  for (std::string_view line : SplitLines(script)) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty()) continue;
    if (line.front() != '#') break;  // the header ends at the first action
    const size_t at = line.find("--seed ");
    if (at == std::string_view::npos) continue;
    std::string_view word = line.substr(at + 7);
    word = word.substr(0, word.find(' '));
    uint64_t seed = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), seed);
    if (ec == std::errc() && end == word.data() + word.size()) return seed;
  }
  return std::nullopt;
}

void RaidControls::OpenRunLater(const QString& file) {
  QTimer::singleShot(0, this, [this, file] { OpenRun(file); });
}

void RaidControls::OpenRun(const QString& path) {
  MainForm& form = window_.form();
  const std::string file = path.toStdString();
  if (script_) {
    Say("Run not opened: the window is performing a run already");
    return;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    Say("Run not opened: cannot read " + file);
    return;
  }
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  // A script starts from a window as it opens: a window used already hands
  // the run to a new one.
  if (form.run.programStarted || window_.recorder().HasActions()) {
    const int speed = window_.host().speed();
    const QStringList args{"--speed", speed == kFastest ? QString("fastest") : QString::number(speed), "--open-run",
                           path};
    if (QProcess::startDetached(QCoreApplication::applicationFilePath(), args))
      Say("Opening " + file + " in a new window");
    else
      Say("Run not opened: cannot start a new window");
    return;
  }
  const std::optional<uint64_t> seed = HeaderSeed(text);
  if (seed)
    window_.RunHandler([&form, &seed] { form.actions.Seed(*seed); });
  else
    Say("Performing " + file + " without a seed (its header names none): the run differs from the one recorded");

  auto log = [this](const std::string& line) { window_.messageLog()->MessageShown(line); };
  LineStream out(log);
  LineStream err([this](const std::string& line) { Say(line); });
  script_ = std::make_unique<ScriptRunner>(out, err);
  window_.host().SetScript(script_.get());
  window_.messageLog()->show();
  Say("Performing " + file + (seed ? ", seed " + std::to_string(*seed) : std::string()));
  bool halted = false;
  window_.RunHandler([&] {
    script_->Perform(form, text, [&form, &halted] {
      halted = true;
      form.actions.Halt();
    });
  });
  window_.host().SetScript(nullptr);
  script_.reset();
  if (!form.unloaded) {
    window_.SyncAll();
    window_.statusBar()->showMessage(QString::fromStdString("End of " + file + ": the run is paused here"));
  }
  (void)halted;
}

}  // namespace antraid
