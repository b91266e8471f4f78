// Start, Pause/Go, Step, Halt: the commands that build a run and drive the run loop.
#include "sim/main_form.h"

namespace antraid {

void MainForm::cmdStartProgram_Click() {
  if (unloaded) return;
  if (!programStarted) {  // first start
    if (!BuildRun()) {
      programStarted = false;  // nothing was built: the next Start is a first start again
      return;
    }
    panel.cmdPause.SetEnabled(true);
    running = true;
    panel.txtNumAnts.SetEnabled(false);
    panel.txtWorldXinM.SetEnabled(false);
    panel.txtWorldYinM.SetEnabled(false);
    TestForAntCreation();
    return;
  }
  const bool yes = host.AskYesNo("Reset program? (clicking 'No' will pause)");
  if (unloaded) return;
  if (yes) {
    if (!BuildRun()) return;
    running = true;
    TestForAntCreation();
  } else {
    cmdPause_Click();
  }
}

bool MainForm::BuildRun() {
  if (seedForNextRun_) {
    rng.SetFixedSeed(*seedForNextRun_);
    seedForNextRun_.reset();
  }
  programStarted = true;
  SetVariables();
  if (!CreateWorld()) return false;
  MakeFood();
  CreateAnts();
  if (unloaded) return false;
  for (FormObserver* o : observers_) o->RunBuilt();
  return true;
}

void MainForm::cmdPause_Click() {
  if (unloaded) return;
  if (running) {
    running = false;
    panel.cmdPause.SetCaption("Go");
  } else {
    running = true;
    panel.cmdPause.SetCaption("Pause");
  }
  panel.txtNumAnts.SetEnabled(true);
  TestForAntCreation();
}

void MainForm::Step() {
  if (!CanStep()) return;
  // With the run paused the loop makes exactly one iteration, the one Pause
  // itself makes: the same captions, removal and step as a running loop.
  TestForAntCreation();
}

void MainForm::Halt() {
  if (unloaded || !programStarted) return;
  // Loops opened later (a Go in the same pass) run as usual.
  haltDepth_ = runLoopDepth_;
  running = false;
  panel.cmdPause.SetCaption("Go");
  panel.txtNumAnts.SetEnabled(true);
}

}  // namespace antraid
