// What the window tests share: a loaded program with its window on screen
// and a clock for the pacing (with the form-level tests' helpers).
#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTest>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/session_recorder.h"
#include "platform/qt/main_window.h"
#include "platform/qt/pacer.h"
#include "platform/qt/world_view.h"
#include "sim/test_form.h"

namespace antraid::testing {

inline QColor Rgb(int r, int g, int b) { return QColor(r, g, b); }

// A freshly loaded program with its window on screen, its random source
// fixed, running as fast as it can unless a test sets a speed.
struct Session : WindowProgram {
  // Runs go on until a test pauses or closes them: unless a test asks for
  // it, the raid-over pause is off in this window only (the remembered
  // setting, in Qt's test-mode settings, is left as it is).
  explicit Session(uint64_t seed = 11, bool pauseAtRaidEnd = false) {
    QStandardPaths::setTestModeEnabled(true);
    if (auto* pause = window.findChild<QAction*>("actionPauseWhenRaidOver"); pause && !pauseAtRaidEnd) {
      const QSignalBlocker quiet(pause);
      pause->setChecked(false);
    }
    window.SetSpeed(kFastest);
    window.FixSeedAtStart(seed);
    form.Form_Load();
    window.SyncAll();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qWarning("window not exposed");
  }
  template <typename W>
  W* Widget(const char* name) {
    return window.findChild<W*>(name);
  }
  QString Text(const char* name) {
    if (auto* e = Widget<QLineEdit>(name)) return e->text();
    if (auto* l = Widget<QLabel>(name)) return l->text();
    if (auto* b = Widget<QPushButton>(name)) return b->text();
    return {};
  }
  // The canvas as shown, one image pixel per raster pixel.
  QImage Canvas() {
    QImage shown = window.worldView()->grab().toImage();
    const qreal dpr = shown.devicePixelRatio();
    const QRect r = window.worldView()->rasterRect();
    return shown.copy(QRect(r.topLeft() * dpr, r.size() * dpr))
        .scaled(form.pctWorld.width(), form.pctWorld.height());
  }
  // A widget position over the raster pixel (px, py).
  QPoint OverPixel(int px, int py) {
    const QRect r = window.worldView()->rasterRect();
    return {r.x() + px * r.width() / form.pctWorld.width(), r.y() + py * r.height() / form.pctWorld.height()};
  }
  void Click(const char* name, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(Widget<QWidget>(name), Qt::LeftButton, mods);
  }
  QAction* Action(const char* name) { return window.findChild<QAction*>(name); }
  void Trigger(const char* name) { Action(name)->trigger(); }
  // Clicks Pause in the n-th pass of the run loop from now on (1: the next).
  void PauseOnPass(int n) {
    host.afterEvents = [this, n, passes = 0]() mutable {
      if (++passes == n) Click("cmdPause");
    };
  }
  // Types into a text box as a user does: focus, select all, keys.
  void TypeKeys(const char* box, const char* text) {
    auto* edit = Widget<QLineEdit>(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

// Replays `script` (by default the window's session so far) with
// antraid-script and compares every field, control and raster pixel with the
// window's.
inline void ExpectExactReplay(Session& s, uint64_t seed, const std::optional<std::string>& script = {}) {
  ScriptSession replay(script ? *script : s.window.recorder().Script(), seed, s.host.AppPath());
  QCOMPARE(replay.rc, 0);
  QCOMPARE(QString::fromStdString(replay.err.str()), QString());
  QCOMPARE(QString::fromStdString(FormState(replay.form(), true)), QString::fromStdString(FormState(s.form, true)));
}

// A clock for the pacing that moves only when the host waits: each wait
// handles the pending events and then lets the time it asked for go by.
struct FakeClock {
  int64_t now = 0;  // ns
  std::function<void()> duringWait;
  PaceClock Clock() {
    return {[this] { return now; },
            [this](int64_t ns) {
              QCoreApplication::processEvents();
              if (duringWait) duringWait();
              now += ns;
            }};
  }
};

}  // namespace antraid::testing
