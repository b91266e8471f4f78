#include "sim/main_form.h"

#include <cmath>

namespace antraid {

MainForm::MainForm(Host& h) : host(h) {
  Panel& p = panel;
  p.cmdStartProgram.onClick = [this] { cmdStartProgram_Click(); };
  p.cmdPause.onClick = [this] { cmdPause_Click(); };
  p.cmdClearScreen.onClick = [this] { cmdClearScreen_Click(); };
  p.cmdPlotPher.onClick = [this] { cmdPlotPher_Click(); };
  p.cmdViewHelp.onClick = [this] { cmdViewHelp_Click(); };
  p.chkShowAnts.onClick = [this] { chkShowAnts_Click(); };
  p.chkPlotFood.onClick = [this] { chkPlotFood_Click(); };
  p.chkSaveImages.onClick = [this] { chkSaveImages_Click(); };
  p.chkUseVel.onClick = [this] { chkUseVel_Click(); };
  p.chkRemovePher.onClick = [this] { chkRemovePher_Click(); };
  p.chkTrackAnt.onClick = [this] { chkTrackAnt_Click(); };
  p.chkUsePm.onClick = [this] { chkUsePm_Click(); };
  p.txtNumAnts.onChange = [this] { txtNumAnts_Change(); };
  p.txtLeaveInterval.onChange = [this] { txtLeaveInterval_Change(); };
  p.txtAntsPerPatch.onChange = [this] { txtAntsPerPatch_Change(); };
  p.txtEmptyNodeWeightOut.onChange = [this] { txtEmptyNodeWeightOut_Change(); };
  p.txtPherToDropOut.onChange = [this] { txtPherToDropOut_Change(); };
  p.txtPherToDropIn.onChange = [this] { txtPherToDropIn_Change(); };
  p.txtFiftyPercProb.onChange = [this] { txtFiftyPercProb_Change(); };
  p.txtMaxPherValue.onChange = [this] { txtMaxPherValue_Change(); };
  p.txtModelTimeStep.onChange = [this] { txtModelTimeStep_Change(); };
  p.txtMaxVel.onChange = [this] { txtMaxVel_Change(); };
  p.txtMinVel.onChange = [this] { txtMinVel_Change(); };
  p.txtMaxPherToSat.onChange = [this] { txtMaxPherToSat_Change(); };
  p.txtWorldXinM.onChange = [this] { txtWorldXinM_Change(); };
  p.txtWorldYinM.onChange = [this] { txtWorldYinM_Change(); };
  p.txtAntNumber.onChange = [this] { txtAntNumber_Change(); };
  p.txtPercentFood.onChange = [this] { txtPercentFood_Change(); };
  p.txtFoodQuality.onChange = [this] { txtFoodQuality_Change(); };
  p.txtSaveTime.onChange = [this] { txtSaveTime_Change(); };
  p.txtSaveFilePath.onChange = [this] { txtSaveFilePath_Change(); };
  p.txtImageName.onChange = [this] { txtImageName_Change(); };
  p.scrColonyYPos.onChange = [this] { scrColonyYPos_Change(); };
  p.scrColWidth.onChange = [this] { scrColWidth_Change(); };
  p.scrPathColorOut.onChange = [this] { scrPathColorOut_Change(); };
  p.scrPathColorOut.onScroll = [this] { scrPathColorOut_Change(); };
  p.scrPathColorIn.onChange = [this] { scrPathColorIn_Change(); };
  p.scrPathColorIn.onScroll = [this] { scrPathColorIn_Change(); };
  rng.ReseedFromClock();
}

void MainForm::Subscribe(FormObserver& observer) { observers_.push_back(&observer); }

void MainForm::Unsubscribe(FormObserver& observer) { std::erase(observers_, &observer); }

void MainForm::Message(std::string_view text) {
  panel.txtDebugMsg.SetText(text);
  for (FormObserver* o : observers_) o->MessageShown(text);
}

void MainForm::Note(std::string_view text) {
  for (FormObserver* o : observers_) o->MessageShown(text);
}

void MainForm::Form_Load() {
  programStarted = false;
  SetVariables();
}

void MainForm::Form_Click() { Message("30"); }

void MainForm::Form_Unload() {
  // Every loop tests this flag right after its event processing and returns
  // at once: no further step, no file written.
  unloaded = true;
  running = false;
  host.EndProgram();
}

// ---- Reading numbers from boxes ------------------------------------------------

namespace {
// A user's text in a message: quoted, and cut when it is long.
std::string Quoted(std::string_view text) {
  std::string q = "\"";
  if (text.size() > MainForm::kQuotedChars) {
    q.append(text.substr(0, MainForm::kQuotedChars));
    q += "...";
  } else {
    q.append(text);
  }
  q += "\"";
  return q;
}
}  // namespace

void MainForm::Refuse(const TextBox& box, std::string_view why) {
  std::string m(panel.CaptionOf(box));
  m += ": ";
  m += Quoted(box.text());
  m += " refused, ";
  m.append(why);
  Message(m);
}

std::optional<double> MainForm::ReadValue(const TextBox& box) {
  ParsedNumber n = ParseNumber(box.text());
  switch (n.status) {
    case ParseStatus::Ok:
      return n.value;
    case ParseStatus::Empty:
      return std::nullopt;
    case ParseStatus::NotANumber:
      Refuse(box, "not a number");
      return std::nullopt;
    case ParseStatus::OutOfRange:
      Refuse(box, "too large");
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<int16_t> MainForm::ReadInt16(const TextBox& box) {
  auto v = ReadValue(box);
  if (!v) return std::nullopt;
  auto i = ToInt16(*v);
  if (!i) Refuse(box, "outside -32768 to 32767");
  return i;
}

std::optional<int32_t> MainForm::ReadInt32(const TextBox& box) {
  auto v = ReadValue(box);
  if (!v) return std::nullopt;
  auto i = ToInt32(*v);
  if (!i) Refuse(box, "outside -2147483648 to 2147483647");
  return i;
}

std::optional<float> MainForm::ReadSingle(const TextBox& box) {
  auto v = ReadValue(box);
  if (!v) return std::nullopt;
  float f = static_cast<float>(*v);
  if (!std::isfinite(f)) {
    Refuse(box, "too large");
    return std::nullopt;
  }
  return f;
}

void MainForm::SetPherToDropIn(std::string_view text) {
  pherToDropIn.assign(text);
  ParsedNumber n = ParseNumber(text);
  pherToDropInIsNumber_ = n.ok();
  pherToDropInValue_ = n.ok() ? n.value : 0.0;
}

}  // namespace antraid
