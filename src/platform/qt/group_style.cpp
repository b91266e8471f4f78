#include "platform/qt/group_style.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QVariant>
#include <QWidget>

namespace antraid {

namespace {
const QColor kLineColor(140, 140, 190);

int IntProperty(const QWidget* w, const char* name) { return w ? w->property(name).toInt() : 0; }
}  // namespace

GroupStyle* GroupStyle::Instance() {
  static GroupStyle* style = new GroupStyle;  // lives as long as the program
  return style;
}

QRect GroupStyle::subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                                 const QWidget* w) const {
  if (cc != CC_GroupBox) return QProxyStyle::subControlRect(cc, opt, sc, w);
  const QRect r = opt->rect;
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(opt);
  const bool titled = box && !box->text.isEmpty();
  const int top = IntProperty(w, kLineAbove);
  const int below = IntProperty(w, kLineBelow);
  const int bottom = below > 0 ? below + 1 : 0;
  const int beside = IntProperty(w, kTitleBeside);
  switch (sc) {
    case SC_GroupBoxLabel:
      return beside ? QRect(r.x(), r.y() + top, beside, kRowHeight) : QRect(r.x(), r.y(), r.width(), kTitleHeight - 2);
    case SC_GroupBoxContents:
      return r.adjusted(beside, top + (titled && !beside ? kTitleHeight : 0), 0, -bottom);
    case SC_GroupBoxCheckBox:
      return {};
    default:
      return r;
  }
}

QSize GroupStyle::sizeFromContents(ContentsType ct, const QStyleOption* opt, const QSize& size,
                                   const QWidget* w) const {
  return ct == CT_GroupBox ? size : QProxyStyle::sizeFromContents(ct, opt, size, w);
}

void GroupStyle::drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                                    const QWidget* w) const {
  if (cc != CC_GroupBox) return QProxyStyle::drawComplexControl(cc, opt, p, w);
  p->save();
  p->setPen(kLineColor);
  const QRect r = opt->rect;
  if (IntProperty(w, kLineAbove) > 0) p->drawLine(r.left(), r.top(), r.right(), r.top());
  if (IntProperty(w, kLineBelow) > 0) p->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(opt);
  if (box && !box->text.isEmpty()) {
    QFont bold = p->font();
    bold.setBold(true);
    p->setFont(bold);
    p->setPen(opt->palette.color(QPalette::WindowText));
    p->drawText(subControlRect(cc, opt, SC_GroupBoxLabel, w), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                box->text);
  }
  p->restore();
}

}  // namespace antraid
