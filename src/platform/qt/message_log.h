// The message log: a dock that lists every message the form writes to its
// Messages box, with the model time, so that a refusal or a save error stays
// readable after the run has moved on. The texts rewritten on every step
// (frame counter, tracked ant) are not messages and are not listed.
#pragma once

#include <QDockWidget>
#include <string_view>

#include "sim/form_observer.h"

class QPlainTextEdit;

namespace antraid {

class MainForm;

class MessageLog : public QDockWidget, private FormObserver {
 public:
  static constexpr int kMaxLines = 10000;  // the oldest go first

  MessageLog(MainForm& form, QWidget* parent);
  ~MessageLog() override;

  QPlainTextEdit* view() const { return view_; }
  // One line: "[model time s] message".
  void MessageShown(std::string_view text) override;

 private:
  MainForm& form_;
  QPlainTextEdit* view_;
};

}  // namespace antraid
