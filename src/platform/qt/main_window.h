// The main window: one Qt widget per panel control (objectName = the
// control's name), the world canvas, the read-outs and the response graph,
// at fixed positions. The widgets only mirror the form's controls; a user's
// action in a widget writes the control, which runs the form's handler.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/main_form.h"
#include "platform/qt/qt_host.h"

class QPaintEvent;
class QMouseEvent;
class QCloseEvent;

namespace antraid {

class WorldView;

class MainWindow : public QWidget {
 public:
  static constexpr double kTwipsPerPixel = 15.0;
  static constexpr int kWidth = 910;   // px, inner size of the window
  static constexpr int kHeight = 602;  // px

  explicit MainWindow(MainForm& form, QWidget* parent = nullptr);
  ~MainWindow() override;

  MainForm& form() { return form_; }
  WorldView* worldView() const { return world_; }

  // Copies every control whose version changed into its widget, with the
  // widget's signals blocked: mirroring never runs a handler.
  void SyncControls();
  // SyncControls, plus a repaint of the canvas and of the response graph
  // when they changed.
  void SyncAll();
  // Runs a handler of the form on behalf of the user, then mirrors what it
  // changed.
  void RunHandler(const std::function<void()>& handler);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Binding {
    Control* control;
    QWidget* widget;
    void (*copy)(Control&, QWidget&);
    uint64_t shown = UINT64_MAX;  // version last copied into the widget
  };

  void BuildControls();
  void BuildCaptions();
  void BuildGraphFrame();
  QWidget* MakeWidget(Control& control);
  QRect GraphRect() const;

  MainForm& form_;
  WorldView* world_ = nullptr;
  std::vector<Binding> bindings_;
  uint64_t shownSurface_ = UINT64_MAX;
  uint64_t shownCanvas_ = UINT64_MAX;
  bool backgroundPress_ = false;  // the last press landed on the bare window
};

// The whole desktop program: the host, the form and its window, wired.
struct WindowProgram {
  WindowProgram() { host.Attach(window); }
  QtHost host;
  MainForm form{host};
  MainWindow window{form};
};

}  // namespace antraid
