#include "platform/qt/speed_control.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <utility>

#include "platform/qt/pacer.h"
#include "platform/qt/qt_text.h"

namespace antraid {

SpeedControl::SpeedControl(std::function<void(int)> chosen, QWidget* parent)
    : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this)), words_(new QLabel(this)),
      chosen_(std::move(chosen)) {
  setObjectName("speedControl");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 0, 4, 0);
  auto* caption = new QLabel("Speed:", this);
  row->addWidget(caption);
  slider_->setObjectName("speedSlider");
  slider_->setRange(0, static_cast<int>(SpeedStops().size()) - 1);
  slider_->setPageStep(1);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setFixedWidth(180);
  slider_->setToolTip("Model steps a second (Ctrl++ faster, Ctrl+- slower)");
  caption->setBuddy(slider_);
  row->addWidget(slider_);
  words_->setObjectName("speedSetting");
  // Room for the longest setting, so that the bar does not move.
  words_->setMinimumWidth(words_->fontMetrics().horizontalAdvance("100000 steps/s"));
  row->addWidget(words_);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(slider_, &QSlider::valueChanged, this, [this](int i) { chosen_(SpeedStops()[i]); });
}

void SpeedControl::Show(int speed) {
  const QSignalBlocker block(slider_);
  slider_->setValue(StopIndexOf(speed));
  words_->setText(QtText(SpeedWords(speed)));
}

}  // namespace antraid
