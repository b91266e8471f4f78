#include "platform/qt/status_line.h"

#include <QLabel>
#include <QStatusBar>
#include <cmath>

#include "common/numbers.h"
#include "platform/qt/pacer.h"
#include "platform/qt/qt_text.h"

namespace antraid {

namespace {
// A part of the bar, wide enough for its usual texts so that the others
// stand still while it changes.
QLabel* Part(QStatusBar& bar, const char* name, int stretch, const char* widest = "") {
  auto* l = new QLabel(&bar);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QString::fromUtf8(widest)));
  bar.addWidget(l, stretch);
  return l;
}

void Set(QLabel* label, const QString& text) {
  if (label->text() != text) label->setText(text);
  label->setVisible(!text.isEmpty());
}
}  // namespace

StatusLine::StatusLine(QStatusBar& bar)
    : time_(Part(bar, "statusTime", 0, "Model time 99999.99 s")),
      achieved_(Part(bar, "statusAchieved", 0, "99999 steps/s achieved")),
      speed_(Part(bar, "statusSpeed", 0, "Speed 1000 steps/s")), seed_(Part(bar, "statusSeed", 0)),
      frames_(Part(bar, "statusFrames", 1)) {}

void StatusLine::Show(const StatusFacts& f) {
  Set(time_, "Model time " + QtText(FormatSingle(f.modelTime)) + " s");
  Set(achieved_, f.achieved ? QString::number(std::lround(*f.achieved)) + " steps/s achieved" : QString());
  Set(speed_, "Speed " + QtText(SpeedWords(f.speed)));
  QString seed;
  if (f.seed) seed = "Seed " + QString::number(*f.seed) + (f.seedPending ? " from the next Start" : "");
  Set(seed_, seed);
  Set(frames_, f.frames ? "Saving frames to " + QtText(*f.frames) : QString());
}

}  // namespace antraid
