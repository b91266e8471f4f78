// Whether the panel took every setting of a run. The panel's rules refuse a
// value in several ways: with a message in the Messages box ("... refused,
// ..."), by putting another value back into the box, by a scroll bar that
// stops at its end, or silently (an empty box, a value that must be more
// than 0), and Start's parameter load refuses a few values of its own. The
// check looks at all of these after each setting and after Start:
// - a message that says "refused", written while the action ran;
// - the control no longer holding the value;
// - the parameter field the box feeds not holding what the box says;
// - Start that built no run.
// A setting that leaves the control as it was (the value it held already)
// does nothing and is taken.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/form_observer.h"
#include "experiments/experiment.h"
#include "app/box_fields.h"
#include "experiments/run_script.h"

namespace antraid {
class MainForm;
}

namespace antraid::experiments {

// Watches one session of a run script. It must outlive the session's form
// (it listens to it and never unsubscribes).
class SettingCheck : private FormObserver {
 public:
  SettingCheck(const std::vector<Setting>& settings, const RunScript& script);

  // Called before each line of the script is read; false when a setting was
  // refused, which ends the session.
  bool BeforeLine(MainForm& form, int line);
  // Why the run failed ("txtNumAnts = \"0\" refused: ..."), or empty.
  const std::string& failure() const { return failure_; }

 private:
  void MessageShown(std::string_view text) override { messages_.emplace_back(text); }
  void RunBuilt() override { runBuilt_ = true; }

  void Snapshot(MainForm& form, const Setting& s);
  // Why the panel did not take the setting just performed, or empty.
  std::string Refusal(MainForm& form, const Setting& s) const;
  // Why the field a box feeds does not hold what the box says, or empty.
  static std::string FieldRefusal(const MainForm& form, const Setting& s, const Binding& b);
  std::string CheckStart(MainForm& form) const;
  std::string RefusedMessage() const;  // the last message that says "refused"

  const std::vector<Setting>& settings_;
  const RunScript& script_;
  bool subscribed_ = false;
  bool runBuilt_ = false;
  std::vector<std::string> messages_;  // heard since the action began
  int pending_ = -1;                   // the setting whose action the next line follows
  std::string controlBefore_;          // the control's text or value before that action
  uint64_t graphBefore_ = 0;           // version of the response graph before it
  std::string failure_;
};

}  // namespace antraid::experiments
