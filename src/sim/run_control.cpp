// Start, Pause/Go, Step, Halt: the commands that build a run and drive the run loop.
#include "sim/main_form.h"

namespace antraid {

void MainForm::cmdStartProgram_Click() {
  if (unloaded) return;
  if (!run.programStarted) {  // first start
    if (!BuildRun()) {
      run.programStarted = false;  // nothing was built: the next Start is a first start again
      return;
    }
    panel.cmdPause.SetEnabled(true);
    run.running = true;
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
    run.running = true;
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
  run.programStarted = true;
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
  if (run.running) {
    run.running = false;
    panel.cmdPause.SetCaption("Go");
  } else {
    run.running = true;
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
  if (unloaded || !run.programStarted) return;
  // Loops opened later (a Go in the same pass) run as usual.
  haltDepth_ = runLoopDepth_;
  run.running = false;
  panel.cmdPause.SetCaption("Go");
  panel.txtNumAnts.SetEnabled(true);
}

}  // namespace antraid
