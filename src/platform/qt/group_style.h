// The look of the panel's group boxes: a bold heading over the rows and a
// thin line that parts the group from the next, as set by the group's
// properties. "Messages:" stands beside its box rather than over it.
#pragma once

#include <QProxyStyle>

namespace antraid {

class GroupStyle : public QProxyStyle {
 public:
  static constexpr int kRowHeight = 18;    // px, a caption, box or check box
  static constexpr int kTitleHeight = 18;  // px, a heading and the gap under it
  static constexpr int kLineGap = 6;       // px, between a group's last row and the line under it

  // Properties of the panel's widgets.
  static constexpr const char* kBackground = "panelBackground";  // a click here is the form's
  static constexpr const char* kLineAbove = "lineAbove";          // px from a line above to the rows
  static constexpr const char* kLineBelow = "lineBelow";          // px from the rows to a line under them
  static constexpr const char* kTitleBeside = "titleBeside";      // px of heading left of the rows

  // The one style of all group boxes of the panel.
  static GroupStyle* Instance();

  QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                       const QWidget* w) const override;
  // A group is as large as its rows and heading: no frame around them.
  QSize sizeFromContents(ContentsType ct, const QStyleOption* opt, const QSize& size,
                         const QWidget* w) const override;
  void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                          const QWidget* w) const override;
};

}  // namespace antraid
