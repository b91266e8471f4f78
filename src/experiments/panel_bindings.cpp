#include "experiments/panel_bindings.h"

namespace antraid::experiments {

namespace {
constexpr Binding kBindings[] = {
    {"txtNumAnts", "numAnts", Stores::Int32, false, "a whole number of ants from 1 to 32767"},
    {"txtLeaveInterval", "leaveInterval", Stores::Int16, false, "a number, rounded half to even to a whole number from -32768 to 32767"},
    {"txtAntsPerPatch", "antsPerPatch", Stores::Int16, false, "a number more than 0, rounded half to even to a whole number up to 32767"},
    {"txtEmptyNodeWeightOut", "emptyNodeWeightOut", Stores::Int16, false, "a number more than 0, rounded half to even to a whole number up to 32767"},
    {"txtEmptyNodeWeightIn", "emptyNodeWeightIn", Stores::Int16, true, "a number, rounded half to even to a whole number from -32768 to 32767; read at Start"},
    {"txtPherToDropOut", "pherToDropOut", Stores::Int16, false, "a number, rounded half to even to a whole number from -32768 to 32767"},
    {"txtPherToDropIn", "pherToDropIn", Stores::Text, false, "a number, kept as typed"},
    {"txtFiftyPercProb", "fiftyPercProb", Stores::Int16, false, "a number more than 0, rounded half to even to a whole number up to 32767"},
    {"txtMaxPherValue", "", Stores::GraphRedrawn, false, "a number more than 0 (the top of the response graph)"},
    {"txtModelTimeStep", "modelTimeStep", Stores::Single, false, "seconds per step: a number more than 0, at most 1000000000"},
    {"txtMaxVel", "maxVel", Stores::SingleTimesStep, false, "a number, times the time step as a 32-bit real"},
    {"txtMinVel", "minVel", Stores::DoubleTimesStep, false, "a number, times the time step"},
    {"txtMaxPherToSat", "maxPherToSat", Stores::Int16, false, "a number up to 30000, rounded half to even to a whole number"},
    {"txtWorldXinM", "worldXinM", Stores::Int32, false, "whole metres, at least 1; width x height at most 40000 square metres"},
    {"txtWorldYinM", "worldYinM", Stores::Int32, false, "whole metres from 1 to 327; width x height at most 40000 square metres"},
    {"txtAntNumber", "antNumber", Stores::Int16, false, "a number from 1 to the number of ants, rounded half to even"},
    {"txtPercentFood", "percentFood", Stores::Single, false, "a percentage of the patches from 0 to 100"},
    {"txtFoodQuality", "foodQuality", Stores::Int16, false, "a whole number of food units per item from 0 to 32767"},
    {"txtSaveTime", "saveInterval", Stores::DoublePerStep, false, "seconds between saved frames: a number more than 0"},
    {"txtSaveFilePath", "saveFilePath", Stores::Text, false, "a folder, kept as typed"},
    {"txtImageName", "imageName", Stores::Text, false, "a file name, kept as typed (an empty box keeps the old name)"},
};
}  // namespace

const Binding* FindBinding(std::string_view control) {
  for (const Binding& b : kBindings)
    if (b.control == control) return &b;
  return nullptr;
}

}  // namespace antraid::experiments
