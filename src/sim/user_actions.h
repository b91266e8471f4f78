// What a user does to the main form, as one set of entry points. The
// window's widgets, the script runner's lines and parameter files all act
// through here, so that every listener (the session recorder) hears each
// action, as the script line that repeats it, before it runs and again when
// it returns. An action on a disabled control does nothing and is not heard,
// as a disabled widget takes no input.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/controls.h"

namespace antraid {

class MainForm;

struct UserAction {
  enum class Kind {
    kType,       // the whole text of a box replaced: one change
    kClick,      // a button or a check box
    kClickForm,  // the bare window background
    kScroll,     // a scroll bar moved by its arrows, its track or a key
    kDrag,       // a scroll bar's thumb dragged to a value
    kRelease,    // a scroll bar's thumb let go
    kMouseDown,  // mouse events on the world picture, in world units
    kMouseMove,
    kMouseUp,
    kClose,      // the main window closed
    kSeed,       // the random source fixed from the next run on
    kStep,       // one model step of a paused run
    kHalt,       // the run stopped where it stands, paused
  };
  Kind kind = Kind::kClose;
  const Control* control = nullptr;  // the control acted on, if any
  std::string text{};                // kType: the new text
  int64_t value = 0;                 // kScroll, kDrag: the value; kSeed: the seed; mouse: the button
  int shift = 0;                     // mouse: modifier mask (1 Shift, 2 Ctrl, 4 Alt)
  float x = 0, y = 0;                // mouse: world coordinates

  // The script line that performs this action again ("type txtNumAnts 900",
  // "mouse down 1 0 350 347.5"). Mouse coordinates are written so that the
  // script runner reads back the same 32-bit floats.
  std::string ScriptLine() const;
};

class ActionListener {
 public:
  virtual void ActionStarting(const UserAction& action) = 0;
  // The action has returned; a Start may have run a whole run loop inside it.
  virtual void ActionDone(const UserAction& /*action*/) {}
  // The user answered a Yes/No box that the action in progress opened.
  virtual void Answered(bool /*yes*/) {}

 protected:
  ~ActionListener() = default;
};

class UserActions {
 public:
  explicit UserActions(MainForm& form) : form_(form) {}
  UserActions(const UserActions&) = delete;
  UserActions& operator=(const UserActions&) = delete;

  void Type(TextBox& box, std::string_view text);
  void Click(Button& button);
  // The box toggles, then its click rule runs.
  void Click(CheckBox& box);
  void ClickForm();
  void Scroll(ScrollBar& bar, int value);
  // Dragging the thumb runs the bar's scroll rule for each new position;
  // letting go runs its change rule once when the value differs from where
  // the drag began.
  void Drag(ScrollBar& bar, int value);
  void Release(ScrollBar& bar);
  void MouseDown(int button, int shift, float x, float y);
  void MouseMove(int button, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);
  void Close();
  void Seed(uint64_t seed);
  // One model step while a run is paused (MainForm::CanStep); otherwise
  // nothing happens and nothing is heard.
  void Step();
  // MainForm::Halt; nothing before the first start.
  void Halt();
  // Hosts report here the answer the user gave to a Yes/No box.
  void Answered(bool yes);

  // A listener must not subscribe or unsubscribe from inside a notification.
  void Subscribe(ActionListener& listener) { listeners_.push_back(&listener); }
  void Unsubscribe(ActionListener& listener);

 private:
  template <typename Run>
  void Perform(const UserAction& action, Run&& run);

  MainForm& form_;
  std::vector<ActionListener*> listeners_;
  std::map<const ScrollBar*, int> dragStart_;  // value of each bar whose thumb is held
};

// Text of a 32-bit float that ParseNumber reads back to the same float.
std::string RoundTripSingle(float v);

}  // namespace antraid
