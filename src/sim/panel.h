// Every visible control of the main window, named as in the window, with its
// default value and caption. The window builds its widgets from these.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/controls.h"

namespace antraid {

inline constexpr uint32_t kWindowColor = RGB(188, 188, 231);
inline constexpr uint32_t kWhite = RGB(255, 255, 255);

// The caption beside a control, as the window shows it ("Total #:"), and
// the name the form's messages give a box ("Total #"). Either may be empty:
// some boxes stand under a caption of their group, and read-outs are never
// named in a message.
struct ControlCaption {
  std::string_view control;
  std::string_view shown;
  std::string_view named;
};
// Every caption of the panel that belongs to one control.
std::span<const ControlCaption> ControlCaptions();
// The caption of a control; nullptr when it has none.
const ControlCaption* FindCaption(std::string_view control);

struct Panel {
  Panel();
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  // Program commands
  Button cmdStartProgram{"cmdStartProgram", ""};
  Button cmdPause{"cmdPause", "Pause"};
  Button cmdClearScreen{"cmdClearScreen", "Clr Screen"};
  Button cmdPlotPher{"cmdPlotPher", "Plot Pher."};
  Button cmdViewHelp{"cmdViewHelp", "View help"};

  // Ants
  TextBox txtNumAnts{"txtNumAnts", "900", kWindowColor};
  TextBox txtAntsPerPatch{"txtAntsPerPatch", "5", kWindowColor};
  TextBox txtEmptyNodeWeightOut{"txtEmptyNodeWeightOut", "5", kWindowColor};
  TextBox txtEmptyNodeWeightIn{"txtEmptyNodeWeightIn", "5", kWindowColor};
  ScrollBar scrColonyYPos{"scrColonyYPos", 1, 695, 695};
  ScrollBar scrColWidth{"scrColWidth", 1, 100, 15};
  TextBox txtColonyWidth{"txtColonyWidth", "15", kWindowColor};
  TextBox txtLeaveInterval{"txtLeaveInterval", "1", kWindowColor};
  ScrollBar scrPathColorOut{"scrPathColorOut", 0, 255, 200};
  TextBox txtPathColorOut{"txtPathColorOut", "", RGB(200, 0, 0)};
  ScrollBar scrPathColorIn{"scrPathColorIn", 0, 255, 200};
  TextBox txtPathColorIn{"txtPathColorIn", "", RGB(0, 200, 0)};

  // Pheromone
  TextBox txtPherToDropOut{"txtPherToDropOut", "1", kWindowColor};
  TextBox txtPherToDropIn{"txtPherToDropIn", "10", kWindowColor};
  CheckBox chkRemovePher{"chkRemovePher", "Remove Pheromone?", 0};
  TextBox txtFiftyPercProb{"txtFiftyPercProb", "100", kWindowColor};
  TextBox txtMaxPherValue{"txtMaxPherValue", "500", kWindowColor};
  Label Label1{"Label1", "0"};
  Label lblP_mMax{"lblP_mMax", "1"};
  TextBox txtModelTimeStep{"txtModelTimeStep", "0.5", kWindowColor};
  TextBox txtWorldXinM{"txtWorldXinM", "7", kWindowColor};
  TextBox txtWorldYinM{"txtWorldYinM", "7", kWindowColor};

  // Movement
  CheckBox chkUseVel{"chkUseVel", "Use Velocity?", 1};
  TextBox txtMaxVel{"txtMaxVel", "7", kWindowColor};
  TextBox txtMinVel{"txtMinVel", "1.2", kWindowColor};
  TextBox txtMaxPherToSat{"txtMaxPherToSat", "300", kWindowColor};
  CheckBox chkUsePm{"chkUsePm", "Use P_m?", 0};

  // Track ants
  CheckBox chkTrackAnt{"chkTrackAnt", "Track ant?", 0};
  TextBox txtAntNumber{"txtAntNumber", "50", kWindowColor};
  CheckBox chkShowAnts{"chkShowAnts", "Show Ants?", 1};

  // Food
  CheckBox chkPlotFood{"chkPlotFood", "Show Food:", 0};
  TextBox txtPercentFood{"txtPercentFood", "1", kWindowColor};
  TextBox txtFoodQuality{"txtFoodQuality", "1", kWindowColor};

  // Images
  CheckBox chkSaveImages{"chkSaveImages", "Save Images", 0};
  TextBox txtSaveTime{"txtSaveTime", "1", kWindowColor};
  TextBox txtSaveFilePath{"txtSaveFilePath", "\\results\\", kWindowColor};
  TextBox txtImageName{"txtImageName", "TrackAnts", kWindowColor};

  // Messages and read-outs
  TextBox txtDebugMsg{"txtDebugMsg", "", kWhite};
  TextBox txtRunTimeMin{"txtRunTimeMin", "", kWindowColor};
  TextBox txtAntsOut{"txtAntsOut", "Ants out:", kWindowColor};
  TextBox txtSwarmWidth{"txtSwarmWidth", "", kWindowColor};
  TextBox txtlColonyFoodAmt{"txtlColonyFoodAmt", "", kWindowColor};
  TextBox txtDeadAntCount{"txtDeadAntCount", "0", kWindowColor};
  Label lblDistTraveled{"lblDistTraveled", "Distance: "};
  Label lblTravelVel{"lblTravelVel", "Travel Vel.:"};
  Label lblTotalFood{"lblTotalFood", " Total Food:"};
  Label lblTotalFoodItems{"lblTotalFoodItems", " Food Items:"};
  Label lblWorldSizeInCm{"lblWorldSizeInCm", ""};
  Label lblWorldWidth{"lblWorldWidth", "Window Width:"};
  Label lblAntsPerStep{"lblAntsPerStep", ""};
  Label lblHomeYPos{"lblHomeYPos", "Home Y Pos.:"};

  // Lookup by name; nullptr when there is no such control.
  Control* Find(std::string_view name);
  TextBox* FindTextBox(std::string_view name);
  ScrollBar* FindScrollBar(std::string_view name);
  CheckBox* FindCheckBox(std::string_view name);
  Button* FindButton(std::string_view name);
  Label* FindLabel(std::string_view name);
  const std::vector<Control*>& all() const { return all_; }

  // The name of an input box in messages: its caption's, else its own.
  std::string_view CaptionOf(const TextBox& box) const;

 private:
  std::vector<Control*> all_;
  std::map<std::string, Control*, std::less<>> byName_;
};

}  // namespace antraid
