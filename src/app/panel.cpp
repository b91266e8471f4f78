#include "app/panel.h"

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

std::string_view Panel::CaptionOf(const TextBox& box) const {
  static const std::map<std::string, std::string, std::less<>> captions = {
      {"txtNumAnts", "Total #"},
      {"txtAntsPerPatch", "Ants / patch"},
      {"txtEmptyNodeWeightOut", "Empty Patch Weight (Out)"},
      {"txtEmptyNodeWeightIn", "Empty Patch Weight (In)"},
      {"txtLeaveInterval", "Stagger Leave times"},
      {"txtPherToDropOut", "Pher. to drop - Out"},
      {"txtPherToDropIn", "Pher. to drop - In"},
      {"txtFiftyPercProb", "50% Probability"},
      {"txtMaxPherValue", "Max. pheromone shown"},
      {"txtModelTimeStep", "Timestep"},
      {"txtWorldXinM", "World width"},
      {"txtWorldYinM", "World height"},
      {"txtMaxVel", "Max. velocity"},
      {"txtMinVel", "Min. velocity"},
      {"txtMaxPherToSat", "Ants to Saturation"},
      {"txtAntNumber", "Ant to track"},
      {"txtPercentFood", "% Food"},
      {"txtFoodQuality", "Food Quality"},
      {"txtSaveTime", "Save every"},
      {"txtSaveFilePath", "File Path"},
      {"txtImageName", "Base Filename"},
  };
  auto it = captions.find(box.name());
  return it == captions.end() ? std::string_view(box.name()) : std::string_view(it->second);
}

}  // namespace antraid
