// One Qt widget per control of the panel (objectName = the control's name),
// and the mirror that copies each control into its widget. The widgets only
// mirror the form's controls: a user's action in a widget goes through the
// form's user actions, which run the form's handler. Menu items that stand
// for a button are mirrored too (enabled exactly when the button is).
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "sim/main_form.h"

class QAction;

namespace antraid {

class ControlWidgets {
 public:
  // Runs a form handler on behalf of the user, then mirrors what it changed.
  using RunHandler = std::function<void(const std::function<void()>&)>;

  // Makes the widgets as children of parent; the layout places them.
  ControlWidgets(MainForm& form, RunHandler run, QWidget* parent);

  // The widget of a control; nullptr for a name the panel does not have.
  QWidget* Find(std::string_view name) const;
  template <typename W>
  W* Get(std::string_view name) const {
    return static_cast<W*>(Find(name));
  }

  // A menu item that clicks a button through the form's user actions.
  void BindAction(Button& button, QAction& action);

  // Copies every control whose version changed into its widget, with the
  // widget's signals blocked: mirroring never runs a handler. Then marks the
  // boxes whose text is not the value in effect (ShowValuesInEffect).
  void Sync();
  // A text box whose text does not stand for what its field holds (a refused
  // or out-of-range value) is tinted and its tool tip says the value in
  // effect; the box's own background colour is not changed.
  void ShowValuesInEffect();

 private:
  struct Binding {
    Control* control;
    QObject* target;
    void (*copy)(Control&, QObject&);
    uint64_t shown = UINT64_MAX;  // version last copied into the target
  };

  QWidget* Make(Control& control, QWidget* parent);

  MainForm& form_;
  RunHandler run_;
  std::vector<Binding> bindings_;
};

}  // namespace antraid
