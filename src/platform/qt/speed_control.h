// The speed control of the tool bar: a slider over the speed stops, from one
// model step a second to "fastest", and its setting in words.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QSlider;

namespace antraid {

class SpeedControl : public QWidget {
 public:
  // chosen runs when the user moves the slider, with the stop's speed.
  SpeedControl(std::function<void(int)> chosen, QWidget* parent);

  // Shows a setting (any speed; the slider stands at the stop at or above it).
  void Show(int speed);
  QSlider* slider() const { return slider_; }
  QLabel* words() const { return words_; }

 private:
  QSlider* slider_;
  QLabel* words_;
  std::function<void(int)> chosen_;
};

}  // namespace antraid
