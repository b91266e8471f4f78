#include "platform/qt/control_widgets.h"

#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "app/box_fields.h"
#include "app/script_line.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/start_picture.h"

namespace antraid {

namespace {

// A caption for a button or check box: '&' would mark a shortcut key.
QString Literal(const std::string& s) { return QtText(s).replace('&', "&&"); }

// The tint of a box whose text is not the value in effect: a light amber,
// the usual colour of a warning. It lies over the widget only; the box's own
// background colour stays what the program set.
const QColor kNotInEffect(255, 214, 110);
constexpr const char* kInEffectProperty = "valueInEffect";

void ShowBase(QLineEdit& edit, const TextBox& box) {
  const QColor back = edit.property(kInEffectProperty).isValid() ? kNotInEffect : ColorOf(box.backColor());
  if (edit.palette().color(QPalette::Base) != back) {
    QPalette pal = edit.palette();
    pal.setColor(QPalette::Base, back);
    edit.setPalette(pal);
  }
}

void CopyTextBox(Control& c, QObject& w) {
  auto& box = static_cast<TextBox&>(c);
  auto& edit = static_cast<QLineEdit&>(w);
  const QString t = QtText(box.text());
  if (edit.text() != t) {
    edit.setText(t);
    // A read-out shows the beginning of a long text, and all of it as its
    // tool tip; a box being typed into keeps its cursor.
    if (edit.isReadOnly()) {
      edit.setCursorPosition(0);
      edit.setToolTip(t);
    }
  }
  edit.setEnabled(box.enabled());
  ShowBase(edit, box);
}

void CopyLabel(Control& c, QObject& w) {
  auto& label = static_cast<Label&>(c);
  auto& ql = static_cast<QLabel&>(w);
  const QString t = QtText(label.caption());
  if (ql.text() != t) ql.setText(t);
  ql.setEnabled(label.enabled());
}

void CopyButton(Control& c, QObject& w) {
  auto& button = static_cast<Button&>(c);
  auto& qb = static_cast<QPushButton&>(w);
  const QString t = Literal(button.caption());
  if (qb.text() != t) qb.setText(t);
  qb.setEnabled(button.enabled());
}

void CopyCheckBox(Control& c, QObject& w) {
  auto& box = static_cast<CheckBox&>(c);
  auto& qc = static_cast<QCheckBox&>(w);
  const QString t = Literal(box.caption());
  if (qc.text() != t) qc.setText(t);
  qc.setChecked(box.checked());
  qc.setEnabled(box.enabled());
}

void CopyScrollBar(Control& c, QObject& w) {
  auto& bar = static_cast<ScrollBar&>(c);
  auto& qs = static_cast<QScrollBar&>(w);
  qs.setRange(bar.min(), bar.max());
  qs.setValue(bar.value());
  qs.setEnabled(bar.enabled());
}

void CopyEnabledToAction(Control& c, QObject& a) { static_cast<QAction&>(a).setEnabled(c.enabled()); }

}  // namespace

ControlWidgets::ControlWidgets(MainForm& form, RunHandler run, QWidget* parent)
    : form_(form), run_(std::move(run)) {
  for (Control* c : form_.panel.all()) Make(*c, parent);
}

QWidget* ControlWidgets::Find(std::string_view name) const {
  for (const Binding& b : bindings_)
    if (b.control->name() == name && b.target->isWidgetType()) return static_cast<QWidget*>(b.target);
  return nullptr;
}

void ControlWidgets::BindAction(Button& button, QAction& action) {
  QObject::connect(&action, &QAction::triggered, &action,
                   [this, &button] { run_([this, &button] { form_.actions.Click(button); }); });
  bindings_.push_back({&button, &action, CopyEnabledToAction});
}

QWidget* ControlWidgets::Make(Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  void (*copy)(Control&, QObject&) = nullptr;
  if (auto* box = dynamic_cast<TextBox*>(&control)) {
    auto* edit = new QLineEdit(parent);
    // A box without a change rule is a read-out of the program: it takes no
    // typing and no focus.
    if (!box->onChange) {
      edit->setReadOnly(true);
      edit->setFocusPolicy(Qt::NoFocus);
    }
    // A pasted line break becomes a blank: a box holds one line, as a
    // script line does.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this, box](const QString& t) {
      const std::string text = OneLine(t.toStdString());
      run_([this, box, &text] { form_.actions.Type(*box, text); });
    });
    widget = edit;
    copy = CopyTextBox;
  } else if (dynamic_cast<Label*>(&control)) {
    auto* ql = new QLabel(parent);
    ql->setTextFormat(Qt::PlainText);
    // Opaque: a new caption repaints the label alone, not the window under it.
    ql->setAutoFillBackground(true);
    widget = ql;
    copy = CopyLabel;
  } else if (auto* button = dynamic_cast<Button*>(&control)) {
    auto* qb = new QPushButton(parent);
    qb->setAutoDefault(false);
    if (button == &form_.panel.cmdStartProgram) {
      qb->setIcon(StartIcon());
      qb->setIconSize(QSize(kStartPictureWidth, kStartPictureHeight));
      qb->setToolTip("Start");
    }
    QObject::connect(qb, &QPushButton::clicked, qb,
                     [this, button] { run_([this, button] { form_.actions.Click(*button); }); });
    widget = qb;
    copy = CopyButton;
  } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
    auto* qc = new QCheckBox(parent);
    // Qt has toggled the box already; Click toggles the control to match and
    // runs the handler, and the mirror then shows what the handler left.
    QObject::connect(qc, &QCheckBox::clicked, qc,
                     [this, check] { run_([this, check] { form_.actions.Click(*check); }); });
    widget = qc;
    copy = CopyCheckBox;
  } else if (auto* bar = dynamic_cast<ScrollBar*>(&control)) {
    auto* qs = new QScrollBar(Qt::Horizontal, parent);
    // Right and up raise the value, as the arrows show.
    qs->setInvertedControls(false);
    qs->setSingleStep(1);
    qs->setPageStep(std::max(1, (bar->max() - bar->min()) / 10));
    // A scroll bar of the panel is an input: the keyboard reaches it too.
    qs->setFocusPolicy(Qt::StrongFocus);
    // Signals are blocked while mirroring: every value change here is the user's.
    QObject::connect(qs, &QAbstractSlider::valueChanged, qs, [this, bar, qs](int v) {
      if (qs->isSliderDown())
        run_([this, bar, v] { form_.actions.Drag(*bar, v); });
      else
        run_([this, bar, v] { form_.actions.Scroll(*bar, v); });
    });
    // Letting go of the thumb is a change of the value when it moved.
    QObject::connect(qs, &QAbstractSlider::sliderReleased, qs,
                     [this, bar] { run_([this, bar] { form_.actions.Release(*bar); }); });
    widget = qs;
    copy = CopyScrollBar;
  }
  widget->setObjectName(QtText(control.name()));
  bindings_.push_back({&control, widget, copy});
  return widget;
}

void ControlWidgets::Sync() {
  for (Binding& b : bindings_) {
    const uint64_t v = b.control->version();
    if (v == b.shown) continue;
    const QSignalBlocker block(b.target);
    b.copy(*b.control, *b.target);
    b.shown = v;
  }
  ShowValuesInEffect();
}

void ControlWidgets::ShowValuesInEffect() {
  for (const Binding& b : bindings_) {
    auto* box = dynamic_cast<TextBox*>(b.control);
    if (!box || !box->onChange || !b.target->isWidgetType()) continue;
    auto& edit = static_cast<QLineEdit&>(*b.target);
    const std::optional<std::string> held = ValueInEffect(form_, *box);
    const QVariant now = held ? QVariant(QtText(*held)) : QVariant();
    if (edit.property(kInEffectProperty) == now) continue;
    edit.setProperty(kInEffectProperty, now);
    edit.setToolTip(held ? "In effect: " + QtText(*held) + " (the text in the box was not taken)" : QString());
    ShowBase(edit, *box);
  }
}

}  // namespace antraid
