#include "sim/panel.h"

namespace antraid {

Panel::Panel() {
  all_ = {&cmdStartProgram, &cmdPause, &cmdClearScreen, &cmdPlotPher, &cmdViewHelp,
          &txtNumAnts, &txtAntsPerPatch, &txtEmptyNodeWeightOut, &txtEmptyNodeWeightIn,
          &scrColonyYPos, &scrColWidth, &txtColonyWidth, &txtLeaveInterval,
          &scrPathColorOut, &txtPathColorOut, &scrPathColorIn, &txtPathColorIn,
          &txtPherToDropOut, &txtPherToDropIn, &chkRemovePher, &txtFiftyPercProb, &txtMaxPherValue,
          &Label1, &lblP_mMax, &txtModelTimeStep, &txtWorldXinM, &txtWorldYinM,
          &chkUseVel, &txtMaxVel, &txtMinVel, &txtMaxPherToSat, &chkUsePm,
          &chkTrackAnt, &txtAntNumber, &chkShowAnts,
          &chkPlotFood, &txtPercentFood, &txtFoodQuality,
          &chkSaveImages, &txtSaveTime, &txtSaveFilePath, &txtImageName,
          &txtDebugMsg, &txtRunTimeMin, &txtAntsOut, &txtSwarmWidth, &txtlColonyFoodAmt,
          &txtDeadAntCount, &lblDistTraveled, &lblTravelVel, &lblTotalFood, &lblTotalFoodItems,
          &lblWorldSizeInCm, &lblWorldWidth, &lblAntsPerStep, &lblHomeYPos};
  for (Control* c : all_) byName_.emplace(c->name(), c);
  cmdPause.SetEnabled(false);
}

Control* Panel::Find(std::string_view name) {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}
TextBox* Panel::FindTextBox(std::string_view name) { return dynamic_cast<TextBox*>(Find(name)); }
ScrollBar* Panel::FindScrollBar(std::string_view name) { return dynamic_cast<ScrollBar*>(Find(name)); }
CheckBox* Panel::FindCheckBox(std::string_view name) { return dynamic_cast<CheckBox*>(Find(name)); }
Button* Panel::FindButton(std::string_view name) { return dynamic_cast<Button*>(Find(name)); }
Label* Panel::FindLabel(std::string_view name) { return dynamic_cast<Label*>(Find(name)); }

namespace {
// The texts differ on purpose in places: a message names a box without its
// colon, and the boxes of a shared caption by what each holds.
constexpr ControlCaption kCaptions[] = {
    {"txtNumAnts", "Total #:", "Total #"},
    {"txtAntsPerPatch", "Ants / patch:", "Ants / patch"},
    {"txtEmptyNodeWeightOut", "Out:", "Empty Patch Weight (Out)"},
    {"txtEmptyNodeWeightIn", "In:", "Empty Patch Weight (In)"},
    {"scrColWidth", "Col. Width:", ""},
    {"txtLeaveInterval", "Stagger Leave times:", "Stagger Leave times"},
    {"scrPathColorOut", "(Out)", ""},
    {"scrPathColorIn", "(In)", ""},
    {"txtPherToDropOut", "Pher. to drop - Out:", "Pher. to drop - Out"},
    {"txtPherToDropIn", "Pher. to drop - In:", "Pher. to drop - In"},
    {"txtFiftyPercProb", "50% Probability:", "50% Probability"},
    {"txtMaxPherValue", "", "Max. pheromone shown"},
    {"txtModelTimeStep", "Timestep (in sec):", "Timestep"},
    {"txtWorldXinM", "Worldsize", "World width"},
    {"txtWorldYinM", "", "World height"},
    {"txtMaxVel", "Max:", "Max. velocity"},
    {"txtMinVel", "Min:", "Min. velocity"},
    {"txtMaxPherToSat", "Ants to Saturation:", "Ants to Saturation"},
    {"txtAntNumber", "Ant to track:", "Ant to track"},
    {"txtPercentFood", "% Food:", "% Food"},
    {"txtFoodQuality", "Food Quality:", "Food Quality"},
    // The interval box stands in the gap of its caption.
    {"txtSaveTime", "Save every            seconds.", "Save every"},
    {"txtSaveFilePath", "File Path", "File Path"},
    {"txtImageName", "Base Filename", "Base Filename"},
    {"txtRunTimeMin", "Run Time:", ""},
    {"txtSwarmWidth", "Swarm Width:", ""},
    {"txtlColonyFoodAmt", "Food retrieved:", ""},
    {"txtDeadAntCount", "Dead Ants:", ""},
};
}  // namespace

std::span<const ControlCaption> ControlCaptions() { return kCaptions; }

const ControlCaption* FindCaption(std::string_view control) {
  for (const ControlCaption& c : kCaptions)
    if (c.control == control) return &c;
  return nullptr;
}

std::string_view Panel::CaptionOf(const TextBox& box) const {
  const ControlCaption* c = FindCaption(box.name());
  return c && !c->named.empty() ? c->named : std::string_view(box.name());
}

}  // namespace antraid
