// The picture on the Start button: an ant seen from above and the word
// START, 50 x 43 px. assets/start_button.svg is the same drawing.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace antraid {

inline constexpr int kStartPictureWidth = 50;   // px
inline constexpr int kStartPictureHeight = 43;  // px

// The picture for a screen of the given device pixel ratio.
QPixmap StartPicture(qreal devicePixelRatio);
// The picture at 1x and 2x, for the button.
QIcon StartIcon();

}  // namespace antraid
