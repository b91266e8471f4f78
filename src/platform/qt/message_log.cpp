#include "platform/qt/message_log.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>
#include <QVBoxLayout>
#include <string>

#include "common/numbers.h"
#include "sim/main_form.h"
#include "sim/panel.h"
#include "platform/qt/qt_text.h"

namespace antraid {

namespace {
// A message that says nothing without the box it is about: a number, or a
// truth value.
bool IsBare(std::string_view text) { return ParseNumber(text).ok() || text == "True" || text == "False"; }
}  // namespace

MessageLog::MessageLog(MainForm& form, QWidget* parent)
    : QDockWidget("Message log", parent), form_(form), view_(new QPlainTextEdit), frames_(new QCheckBox) {
  setObjectName("messageLog");
  view_->setObjectName("messageLogText");
  view_->setReadOnly(true);
  view_->setMaximumBlockCount(kMaxLines);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  frames_->setObjectName("messageLogFrames");
  ShowFramesCount();
  connect(frames_, &QCheckBox::toggled, this, [this] { ShowLines(); });
  auto* inside = new QWidget;
  auto* v = new QVBoxLayout(inside);
  v->setContentsMargins(2, 2, 2, 2);
  v->setSpacing(2);
  v->addWidget(frames_);
  v->addWidget(view_, 1);
  setWidget(inside);
  form_.Subscribe(*this);
  form_.actions.Subscribe(*this);
}

MessageLog::~MessageLog() {
  form_.actions.Unsubscribe(*this);
  form_.Unsubscribe(*this);
}

std::string MessageLog::Subject() const {
  if (acting_.empty()) return "Value";
  const UserAction& a = acting_.back();
  switch (a.kind) {
    case UserAction::Kind::kMouseDown:
    case UserAction::Kind::kMouseMove:
    case UserAction::Kind::kMouseUp:
      return "Picture";
    case UserAction::Kind::kClickForm:
      return "Window";
    default:
      break;
  }
  if (!a.control) return "Value";
  const ControlCaption* c = FindCaption(a.control->name());
  return c && !c->named.empty() ? std::string(c->named) : a.control->name();
}

void MessageLog::MessageShown(std::string_view text) {
  if (frameTimePending_) {  // the frame's model time: its line is written
    frameTimePending_ = false;
    return;
  }
  if (text.empty()) return;
  Add(messages_, IsBare(text) ? Subject() + ": " + std::string(text) : std::string(text), true);
}

void MessageLog::FrameSaved(std::string_view file) {
  ++framesSaved_;
  frameTimePending_ = true;
  Add(frameLines_, "Frame saved: " + std::string(file), frames_->isChecked());
  ShowFramesCount();
}

void MessageLog::Add(std::deque<Line>& lines, const std::string& text, bool shown) {
  std::string line(1, '[');
  line += FormatSingle(form_.run.modelTime);
  line += " s] ";
  line += text;
  // One message, one line.
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  lines.push_back({next_++, QtText(line)});
  if (lines.size() > kMaxLines) lines.pop_front();
  if (shown) view_->appendPlainText(lines.back().text);
}

void MessageLog::ShowLines() {
  // Both kinds in the order they came.
  const bool withFrames = frames_->isChecked();
  QStringList shown;
  auto m = messages_.begin();
  auto f = frameLines_.begin();
  while (m != messages_.end() || (withFrames && f != frameLines_.end())) {
    if (withFrames && f != frameLines_.end() && (m == messages_.end() || f->order < m->order))
      shown.append((f++)->text);
    else
      shown.append((m++)->text);
  }
  view_->setMaximumBlockCount(withFrames ? 2 * kMaxLines : kMaxLines);
  view_->setPlainText(shown.join('\n'));
  view_->moveCursor(QTextCursor::End);
}

void MessageLog::ShowFramesCount() {
  frames_->setText("Saved frames (" + QString::number(framesSaved_) + ")");
}

}  // namespace antraid
