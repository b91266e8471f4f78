#include "platform/qt/message_log.h"

#include <QPlainTextEdit>
#include <string>

#include "sim/main_form.h"
#include "platform/qt/qt_text.h"

namespace antraid {

MessageLog::MessageLog(MainForm& form, QWidget* parent)
    : QDockWidget("Message log", parent), form_(form), view_(new QPlainTextEdit(this)) {
  setObjectName("messageLog");
  view_->setObjectName("messageLogText");
  view_->setReadOnly(true);
  view_->setMaximumBlockCount(kMaxLines);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  setWidget(view_);
  form_.Subscribe(*this);
}

MessageLog::~MessageLog() { form_.Unsubscribe(*this); }

void MessageLog::MessageShown(std::string_view text) {
  std::string line(1, '[');
  line += FormatSingle(form_.modelTime);
  line += " s] ";
  line += text;
  // One message, one line.
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  view_->appendPlainText(QtText(line));
}

}  // namespace antraid
