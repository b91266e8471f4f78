// The question of a picture's size in pixels: width and height, each from
// kLeast to kMost, the offered size filled in.
#pragma once

#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace antraid {

inline constexpr int kLeastPicturePx = 16;
inline constexpr int kMostPicturePx = 8192;

// nullopt when the user cancels.
std::optional<QSize> AskPictureSize(QWidget* parent, const QString& title, QSize offered);

}  // namespace antraid
