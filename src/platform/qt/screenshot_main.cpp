// antraid-screenshot OUTPUT.png [STEPS [SPEED]]: opens the window, clicks
// Start, clicks Pause after STEPS run-loop passes (400 by default) at SPEED
// (steps a second or "fastest"; the window's default when not given), writes
// the window's picture to OUTPUT.png and closes the window, which must end
// the program. The random source has a fixed seed so the picture is
// repeatable. The view shows the trails; the user's remembered window
// settings are neither read nor changed (Qt's test-mode settings).
#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <QString>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/qt/main_window.h"
#include "platform/qt/pacer.h"
#include "platform/qt/plot_dock.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: antraid-screenshot OUTPUT.png [STEPS [SPEED]]\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const int steps = argc > 2 ? std::atoi(argv[2]) : 400;
  const std::optional<int> speed = antraid::ParseSpeed(argc > 3 ? argv[3] : "30");
  if (!speed) {
    std::fprintf(stderr, "antraid-screenshot: SPEED is a number of steps a second or \"fastest\"\n");
    return 2;
  }

  QStandardPaths::setTestModeEnabled(true);
  antraid::WindowProgram program;
  program.form.rng.SetFixedSeed(1);
  program.window.SetSpeed(*speed);
  program.form.Form_Load();
  program.window.SyncAll();
  program.window.show();
  if (auto* trails = program.window.findChild<QAction*>("actionTrails"); trails && !trails->isChecked()) {
    trails->trigger();
  }

  auto* start = program.window.findChild<QPushButton*>("cmdStartProgram");
  auto* pause = program.window.findChild<QPushButton*>("cmdPause");
  int passes = 0;
  program.host.afterEvents = [&] {
    if (++passes == steps) pause->click();
  };
  bool saved = false;
  QTimer::singleShot(0, &program.window, [&] {
    start->click();  // returns when the run has paused
    program.window.SyncAll();
    program.window.plotDock()->Refresh();
    saved = program.window.grab().save(output);
    if (!saved) std::fprintf(stderr, "cannot write %s\n", argv[1]);
    program.window.close();
  });
  const int rc = QApplication::exec();
  if (!program.host.ended()) return 3;
  return saved ? rc : 1;
}
