// Every control of the panel, declared once. The panel's fields and control
// list, the caption table, the handler wiring, the parameter file's order,
// the window's rows and tab order and the sweep's bindings are all derived
// from ANTRAID_PANEL_CONTROLS; edit rules and model procedures name the
// controls they read.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace antraid {

enum class ControlType { Button, TextBox, ScrollBar, CheckBox, Label };

// The form's procedure a control runs: none, `NAME_Click` on a click,
// `NAME_Change` on a change, or `NAME_Change` on a change and on a scroll.
enum class HandlerKind { None, Click, Change, ChangeScroll };

// The panel's groups, in reading order: down the middle column, down the
// right one, then the Messages row and the read-outs under the world.
enum class PanelGroup { Commands, Food, Pheromone, Movement, Ants, TrackAnts, Images, Messages, ReadOuts };

// The kind of row a control begins in its group. Some rows hold the next
// controls of the group too (a bar and its box, both world sizes).
enum class RowShape {
  Field,         // "Caption:  [box]", the box at the column's right
  Check,         // a check box
  WideCheck,     // a check box with a longer caption
  InGraph,       // drawn inside the response graph, which stands after it
  WorldSize,     // the width and height boxes side by side, under a heading
  VelocityMax,   // "Velocity (cm/s):  Max: [box]"
  VelocityMin,   // "Min: [box]" under it
  EmptyWeights,  // a heading, then "Out: [box]  In: [box]"
  WideLabel,     // a read-out label across the column
  WideBar,       // a scroll bar across the column
  BarWithBox,    // "Caption: [bar] [box]"
  Minutes,       // "Caption: [box] min(s)"
  PathColors,    // a heading, then two rows "(Out) [bar] [colour]"
  SaveEvery,     // the box in the blank of its caption
  CaptionAbove,  // the caption over a box across the column
  Own,           // laid out by its group's own code
};

// How a box's text becomes the value of the field it feeds.
enum class Stores {
  None,             // feeds no field a sweep checks
  Int16,            // rounded half to even
  Int32,
  Single,           // a 32-bit real
  Text,             // the text as typed
  SingleTimesStep,  // value x modelTimeStep, as a 32-bit real (a speed per step)
  DoubleTimesStep,  // value x modelTimeStep
  DoublePerStep,    // value / modelTimeStep (a period in steps)
  GraphRedrawn,     // no field: the rule redraws the response graph
};

struct PanelPlace {
  PanelGroup group;
  int order;       // reading order over the whole panel
  RowShape shape;
  int gap;         // px above the row
  bool tabStop;    // the focus stops here
};

struct FieldBinding {
  std::string_view field;  // the form's field the box feeds; empty when none
  Stores stores;
  bool readAtStart;  // no edit rule: only Start's parameter load reads the box
  // What the box takes, in words, for the listing of the controls a study
  // may set; empty for the controls whose listing says it from their kind.
  std::string_view takes;
};

struct ControlSpec {
  std::string_view name;
  ControlType type;
  // The caption beside the control as the window shows it ("Total #:") and
  // the name the form's messages give the box ("Total #"); either may be
  // empty: some boxes stand under a caption of their group, and read-outs
  // are never named in a message.
  std::string_view shown;
  std::string_view named;
  HandlerKind handler;
  PanelPlace place;
  int fileOrder;  // position in a parameter file, 0 when not written there
  FieldBinding binding;
};

// Every control, in the panel's order.
std::span<const ControlSpec> PanelControls();
// The control of that name; nullptr when there is none.
const ControlSpec* FindControl(std::string_view name);

inline constexpr int kRowGapPx = 4;  // the usual gap between two rows of a group

// The table. Each row: X(type, name, (initial value), (caption shown, named),
// handler, (group, order, row shape, gap px, tab stop), parameter-file order,
// (field fed, how, read at start only[, what the box takes])). The initial
// value is what the control's constructor takes after the name: text and
// background colour, caption (and check state), or range and value.
// The texts differ on purpose in places: a message names a box without its
// colon, and the boxes of a shared caption by what each holds.
#define ANTRAID_PANEL_CONTROLS(X)                                                                          \
  X(Button, cmdStartProgram, (""), ("", ""), Click, (Commands, 101, Own, 0, true), 0, ("", None, false))  \
  X(Button, cmdPause, ("Pause"), ("", ""), Click, (Commands, 102, Own, 0, true), 0, ("", None, false))    \
  X(Button, cmdClearScreen, ("Clr Screen"), ("", ""), Click, (Commands, 103, Own, 0, true), 0,            \
    ("", None, false))                                                                                     \
  X(Button, cmdPlotPher, ("Plot Pher."), ("", ""), Click, (Commands, 104, Own, 0, true), 0, ("", None, false)) \
  X(Button, cmdViewHelp, ("View help"), ("", ""), Click, (Commands, 105, Own, 0, true), 0, ("", None, false)) \
  X(TextBox, txtNumAnts, ("900", kWindowColor), ("Total #:", "Total #"), Change,                          \
    (Ants, 501, Field, 4, true), 7, ("numAnts", Int32, false,                                             \
    "a whole number of ants from 1 to 32767"))                                                            \
  X(TextBox, txtAntsPerPatch, ("5", kWindowColor), ("Ants / patch:", "Ants / patch"), Change,             \
    (Ants, 502, Field, 4, true), 10, ("antsPerPatch", Int16, false,                                       \
    "a number more than 0, rounded half to even to a whole number up to 32767"))                          \
  X(TextBox, txtEmptyNodeWeightOut, ("5", kWindowColor), ("Out:", "Empty Patch Weight (Out)"), Change,    \
    (Ants, 503, EmptyWeights, 4, true), 11, ("emptyNodeWeightOut", Int16, false,                          \
    "a number more than 0, rounded half to even to a whole number up to 32767"))                          \
  X(TextBox, txtEmptyNodeWeightIn, ("5", kWindowColor), ("In:", "Empty Patch Weight (In)"), None,         \
    (Ants, 504, Own, 0, false), 0, ("emptyNodeWeightIn", Int16, true,                                     \
    "a number, rounded half to even to a whole number from -32768 to 32767; read at Start"))              \
  X(ScrollBar, scrColonyYPos, (1, 695, 695), ("", ""), Change, (Ants, 506, WideBar, 2, true), 3,          \
    ("", None, false))                                                                                     \
  X(ScrollBar, scrColWidth, (1, 100, 15), ("Col. Width:", ""), Change, (Ants, 507, BarWithBox, 6, true), 4, \
    ("", None, false))                                                                                     \
  X(TextBox, txtColonyWidth, ("15", kWindowColor), ("", ""), None, (Ants, 508, Own, 0, false), 0,         \
    ("", None, false))                                                                                     \
  X(TextBox, txtLeaveInterval, ("1", kWindowColor), ("Stagger Leave times:", "Stagger Leave times"), Change, \
    (Ants, 509, Minutes, 4, true), 9, ("leaveInterval", Int16, false,                                     \
    "a number, rounded half to even to a whole number from -32768 to 32767"))                             \
  X(ScrollBar, scrPathColorOut, (0, 255, 200), ("(Out)", ""), ChangeScroll, (Ants, 511, PathColors, 3, true), \
    5, ("", None, false))                                                                                  \
  X(TextBox, txtPathColorOut, ("", RGB(200, 0, 0)), ("", ""), None, (Ants, 512, Own, 0, false), 0,        \
    ("", None, false))                                                                                     \
  X(ScrollBar, scrPathColorIn, (0, 255, 200), ("(In)", ""), ChangeScroll, (Ants, 513, Own, 0, true), 6,   \
    ("", None, false))                                                                                     \
  X(TextBox, txtPathColorIn, ("", RGB(0, 200, 0)), ("", ""), None, (Ants, 514, Own, 0, false), 0,         \
    ("", None, false))                                                                                     \
  X(TextBox, txtPherToDropOut, ("1", kWindowColor), ("Pher. to drop - Out:", "Pher. to drop - Out"),      \
    Change, (Pheromone, 301, Field, 4, true), 12, ("pherToDropOut", Int16, false,                         \
    "a number, rounded half to even to a whole number from -32768 to 32767"))                             \
  X(TextBox, txtPherToDropIn, ("10", kWindowColor), ("Pher. to drop - In:", "Pher. to drop - In"),        \
    Change, (Pheromone, 302, Field, 4, true), 13, ("pherToDropIn", Text, false,                           \
    "a number, kept as typed"))                                                                           \
  X(CheckBox, chkRemovePher, ("Remove Pheromone?", 0), ("", ""), Click,                                   \
    (Pheromone, 303, WideCheck, 4, true), 25, ("", None, false))                                           \
  X(TextBox, txtFiftyPercProb, ("100", kWindowColor), ("50% Probability:", "50% Probability"), Change,    \
    (Pheromone, 305, Field, 14, true), 14, ("fiftyPercProb", Int16, false,                                \
    "a number more than 0, rounded half to even to a whole number up to 32767"))                          \
  X(TextBox, txtMaxPherValue, ("500", kWindowColor), ("", "Max. pheromone shown"), Change,                \
    (Pheromone, 306, InGraph, 0, true), 15, ("", GraphRedrawn, false,                                     \
    "a number more than 0 (the top of the response graph)"))                                              \
  X(Label, Label1, ("0"), ("", ""), None, (Pheromone, 307, Own, 0, false), 0, ("", None, false))          \
  X(Label, lblP_mMax, ("1"), ("", ""), None, (Pheromone, 308, Own, 0, false), 0, ("", None, false))       \
  X(TextBox, txtModelTimeStep, ("0.5", kWindowColor), ("Timestep (in sec):", "Timestep"), Change,         \
    (Pheromone, 304, Field, 4, true), 16, ("modelTimeStep", Single, false,                                \
    "seconds per step: a number more than 0, at most 1000000000"))                                        \
  X(TextBox, txtWorldXinM, ("7", kWindowColor), ("Worldsize", "World width"), Change,                     \
    (Pheromone, 309, WorldSize, 2, true), 1, ("worldXinM", Int32, false,                                  \
    "whole metres, at least 1; width x height at most 40000 square metres"))                              \
  X(TextBox, txtWorldYinM, ("7", kWindowColor), ("", "World height"), Change, (Pheromone, 310, Own, 0, true), \
    2, ("worldYinM", Int32, false,                                                                        \
    "whole metres from 1 to 327; width x height at most 40000 square metres"))                            \
  X(CheckBox, chkUseVel, ("Use Velocity?", 1), ("", ""), Click, (Movement, 401, Check, 4, true), 26,      \
    ("", None, false))                                                                                     \
  X(TextBox, txtMaxVel, ("7", kWindowColor), ("Max:", "Max. velocity"), Change,                           \
    (Movement, 402, VelocityMax, 4, true), 17, ("maxVel", SingleTimesStep, false,                         \
    "a number, times the time step as a 32-bit real"))                                                    \
  X(TextBox, txtMinVel, ("1.2", kWindowColor), ("Min:", "Min. velocity"), Change,                         \
    (Movement, 403, VelocityMin, 4, true), 18, ("minVel", DoubleTimesStep, false,                         \
    "a number, times the time step"))                                                                     \
  X(TextBox, txtMaxPherToSat, ("300", kWindowColor), ("Ants to Saturation:", "Ants to Saturation"),       \
    Change, (Movement, 404, Field, 4, true), 19, ("maxPherToSat", Int16, false,                           \
    "a number up to 30000, rounded half to even to a whole number"))                                      \
  X(CheckBox, chkUsePm, ("Use P_m?", 0), ("", ""), Click, (Movement, 405, Check, 4, true), 27,            \
    ("", None, false))                                                                                     \
  X(CheckBox, chkTrackAnt, ("Track ant?", 0), ("", ""), Click, (TrackAnts, 601, Check, 4, true), 28,      \
    ("", None, false))                                                                                     \
  X(TextBox, txtAntNumber, ("50", kWindowColor), ("Ant to track:", "Ant to track"), Change,               \
    (TrackAnts, 602, Field, 4, true), 8, ("antNumber", Int16, false,                                      \
    "a number from 1 to the number of ants, rounded half to even"))                                       \
  X(CheckBox, chkShowAnts, ("Show Ants?", 1), ("", ""), Click, (TrackAnts, 603, Check, 4, true), 29,      \
    ("", None, false))                                                                                     \
  X(CheckBox, chkPlotFood, ("Show Food:", 0), ("", ""), Click, (Food, 201, Check, 4, true), 30,           \
    ("", None, false))                                                                                     \
  X(TextBox, txtPercentFood, ("1", kWindowColor), ("% Food:", "% Food"), Change, (Food, 202, Field, 4, true), \
    20, ("percentFood", Single, false,                                                                    \
    "a percentage of the patches from 0 to 100"))                                                         \
  X(TextBox, txtFoodQuality, ("1", kWindowColor), ("Food Quality:", "Food Quality"), Change,              \
    (Food, 203, Field, 4, true), 21, ("foodQuality", Int16, false,                                        \
    "a whole number of food units per item from 0 to 32767"))                                             \
  X(CheckBox, chkSaveImages, ("Save Images", 0), ("", ""), Click, (Images, 701, Check, 4, true), 31,      \
    ("", None, false))                                                                                     \
  /* The interval box stands in the gap of its caption. */                                               \
  X(TextBox, txtSaveTime, ("1", kWindowColor), ("Save every            seconds.", "Save every"), Change,  \
    (Images, 702, SaveEvery, 4, true), 22, ("saveInterval", DoublePerStep, false,                         \
    "seconds between saved frames: a number more than 0"))                                                \
  X(TextBox, txtSaveFilePath, ("\\results\\", kWindowColor), ("File Path", "File Path"), Change,          \
    (Images, 703, CaptionAbove, 4, true), 23, ("saveFilePath", Text, false,                               \
    "a folder, kept as typed"))                                                                           \
  X(TextBox, txtImageName, ("TrackAnts", kWindowColor), ("Base Filename", "Base Filename"), Change,       \
    (Images, 704, CaptionAbove, 4, true), 24, ("imageName", Text, false,                                  \
    "a file name, kept as typed (an empty box keeps the old name)"))                                      \
  X(TextBox, txtDebugMsg, ("", kWhite), ("", ""), None, (Messages, 801, Own, 0, false), 0, ("", None, false)) \
  X(TextBox, txtRunTimeMin, ("", kWindowColor), ("Run Time:", ""), None, (ReadOuts, 901, Own, 0, false), 0, \
    ("", None, false))                                                                                     \
  X(TextBox, txtAntsOut, ("Ants out:", kWindowColor), ("", ""), None, (ReadOuts, 902, Own, 0, false), 0,  \
    ("", None, false))                                                                                     \
  X(TextBox, txtSwarmWidth, ("", kWindowColor), ("Swarm Width:", ""), None, (ReadOuts, 903, Own, 0, false), \
    0, ("", None, false))                                                                                  \
  X(TextBox, txtlColonyFoodAmt, ("", kWindowColor), ("Food retrieved:", ""), None,                        \
    (ReadOuts, 904, Own, 0, false), 0, ("", None, false))                                                  \
  X(TextBox, txtDeadAntCount, ("0", kWindowColor), ("Dead Ants:", ""), None, (ReadOuts, 911, Own, 0, false), \
    0, ("", None, false))                                                                                  \
  X(Label, lblDistTraveled, ("Distance: "), ("", ""), None, (ReadOuts, 905, Own, 0, false), 0,            \
    ("", None, false))                                                                                     \
  X(Label, lblTravelVel, ("Travel Vel.:"), ("", ""), None, (ReadOuts, 906, Own, 0, false), 0,             \
    ("", None, false))                                                                                     \
  X(Label, lblTotalFood, (" Total Food:"), ("", ""), None, (ReadOuts, 907, Own, 0, false), 0,             \
    ("", None, false))                                                                                     \
  X(Label, lblTotalFoodItems, (" Food Items:"), ("", ""), None, (ReadOuts, 908, Own, 0, false), 0,        \
    ("", None, false))                                                                                     \
  X(Label, lblWorldSizeInCm, (""), ("", ""), None, (ReadOuts, 909, Own, 0, false), 0, ("", None, false))  \
  X(Label, lblWorldWidth, ("Window Width:"), ("", ""), None, (ReadOuts, 910, Own, 0, false), 0,           \
    ("", None, false))                                                                                     \
  X(Label, lblAntsPerStep, (""), ("", ""), None, (Ants, 510, WideLabel, 3, false), 0, ("", None, false))  \
  X(Label, lblHomeYPos, ("Home Y Pos.:"), ("", ""), None, (Ants, 505, WideLabel, 6, false), 0,            \
    ("", None, false))

// Unwraps a parenthesised column of the table.
#define ANTRAID_COLUMN(...) __VA_ARGS__

}  // namespace antraid
