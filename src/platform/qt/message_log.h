// The message log: a dock that lists every message the form writes to its
// Messages box, with the model time, so that a refusal or a save error stays
// readable after the run has moved on. The texts rewritten on every step
// (frame counter, tracked ant) are not messages and are not listed. An empty
// message is not listed either, and a message that is a bare number or truth
// value is named after the control being acted on ("Ants per Patch: 5").
// Frames of the image series are listed as "Frame saved: FILE" under one
// filter, "Saved frames", off by default.
#pragma once

#include <QDockWidget>
#include <QString>
#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

#include "sim/form_observer.h"
#include "sim/user_actions.h"

class QCheckBox;
class QPlainTextEdit;

namespace antraid {

class MainForm;

class MessageLog : public QDockWidget, private FormObserver, private ActionListener {
 public:
  static constexpr int kMaxLines = 10000;  // of messages and of frames each; the oldest go first

  MessageLog(MainForm& form, QWidget* parent);
  ~MessageLog() override;

  QPlainTextEdit* view() const { return view_; }
  // The filter of saved frames' lines (unchecked: not shown).
  QCheckBox* framesFilter() const { return frames_; }
  // One line: "[model time s] message".
  void MessageShown(std::string_view text) override;
  void FrameSaved(std::string_view file) override;

 private:
  struct Line {
    uint64_t order;
    QString text;
  };
  void ActionStarting(const UserAction& action) override { acting_.push_back(action); }
  void ActionDone(const UserAction&) override {
    if (!acting_.empty()) acting_.pop_back();
  }
  void Add(std::deque<Line>& lines, const std::string& text, bool shown);
  void ShowLines();  // the view afresh, after the filter changed
  void ShowFramesCount();
  // What a bare message is about: the control of the action in progress.
  std::string Subject() const;

  MainForm& form_;
  QPlainTextEdit* view_;
  QCheckBox* frames_;
  std::deque<Line> messages_;
  std::deque<Line> frameLines_;
  uint64_t next_ = 0;
  uint64_t framesSaved_ = 0;
  bool frameTimePending_ = false;  // the next message is the saved frame's model time
  std::vector<UserAction> acting_;  // actions in progress, innermost last
};

}  // namespace antraid
