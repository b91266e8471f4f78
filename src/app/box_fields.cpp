#include "experiments/panel_bindings.h"

namespace antraid::experiments {

namespace {
constexpr Binding kBindings[] = {
    {"txtNumAnts", "numAnts", Stores::Int32, false},
    {"txtLeaveInterval", "leaveInterval", Stores::Int16, false},
    {"txtAntsPerPatch", "antsPerPatch", Stores::Int16, false},
    {"txtEmptyNodeWeightOut", "emptyNodeWeightOut", Stores::Int16, false},
    {"txtEmptyNodeWeightIn", "emptyNodeWeightIn", Stores::Int16, true},
    {"txtPherToDropOut", "pherToDropOut", Stores::Int16, false},
    {"txtPherToDropIn", "pherToDropIn", Stores::Text, false},
    {"txtFiftyPercProb", "fiftyPercProb", Stores::Int16, false},
    {"txtMaxPherValue", "", Stores::GraphRedrawn, false},
    {"txtModelTimeStep", "modelTimeStep", Stores::Single, false},
    {"txtMaxVel", "maxVel", Stores::SingleTimesStep, false},
    {"txtMinVel", "minVel", Stores::DoubleTimesStep, false},
    {"txtMaxPherToSat", "maxPherToSat", Stores::Int16, false},
    {"txtWorldXinM", "worldXinM", Stores::Int32, false},
    {"txtWorldYinM", "worldYinM", Stores::Int32, false},
    {"txtAntNumber", "antNumber", Stores::Int16, false},
    {"txtPercentFood", "percentFood", Stores::Single, false},
    {"txtFoodQuality", "foodQuality", Stores::Int16, false},
    {"txtSaveTime", "saveInterval", Stores::DoublePerStep, false},
    {"txtSaveFilePath", "saveFilePath", Stores::Text, false},
    {"txtImageName", "imageName", Stores::Text, false},
};
}  // namespace

const Binding* FindBinding(std::string_view control) {
  for (const Binding& b : kBindings)
    if (b.control == control) return &b;
  return nullptr;
}

}  // namespace antraid::experiments
