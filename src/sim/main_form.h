// The main window of the program, toolkit-free: it owns the panel's controls,
// the parameter set, the simulation state, the world canvas and the random
// source, and its methods are the program's procedures and event handlers.
// The procedures are implemented in the folder of their subsystem:
//   model/    world, food, ants, model step, movement rules, run loop
//   params/   parameter load, response curve, edit rules
//   display/  nest, food and pheromone drawing, redraw commands, zoom view
//   (here)    run control, image series, help window logic
// Event handlers run only between model steps: inside Host::DoEvents.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/form_observer.h"
#include "sim/panel.h"
#include "sim/user_actions.h"
#include "common/host.h"
#include "common/random.h"
#include "grid/canvas.h"
#include "grid/surface.h"
#include "grid/lattice.h"

namespace antraid {

// Where an ant is on its road; the numbers are the ones scripts and tests
// read and write.
enum class AntState : int16_t { kAtHome = 0, kOutbound = 1, kReturning = 3, kStopped = 9 };

struct AntRecord {
  int32_t antNum = 0;     // the ant's own index, 1..numAnts
  int32_t leaveTime = 0;  // s; released at the first step whose clock exceeds it
  float xPos = 0;         // cm
  float yPos = 0;         // cm
  AntState state = AntState::kAtHome;
  bool hasFood = false;
  bool justLeft = false;       // released, not yet counted in antsOut
  bool movesThisStep = false;  // move gate of the outbound rule
};

class MainForm {
 public:
  explicit MainForm(Host& host);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  Host& host;
  Panel panel;
  Canvas pctWorld;
  Surface formSurface;  // the window's own background (response graph)
  Random rng;
  // The user's actions on this form; the window and scripts act through it.
  UserActions actions{*this};

  // The form's fields, grouped as the procedures use them; a script reads
  // each by its own name (FieldText), whatever its group.

  // What the panel's boxes hold once read, and the world figures derived
  // from them when a run is built.
  struct Parameters {
    int32_t numAnts = 0;             // ants
    int16_t antsPerPatch = 0;        // ants; a candidate holding this many is closed
    int16_t emptyNodeWeightOut = 0;  // pheromone units added to each weight
    int16_t emptyNodeWeightIn = 0;   // pheromone units (shown only)
    int16_t colonyWidth = 0;         // cm
    int16_t leaveInterval = 0;       // min
    int16_t pathColorOut = 0;        // red 0..255
    int16_t pathColorIn = 0;         // green 0..255
    int16_t pherToDropOut = 0;       // pheromone units per outbound move
    std::string pherToDropIn;        // text; its numeric value is laid per homing move
    bool removePher = false;
    int16_t fiftyPercProb = 0;             // pheromone units at which the response is 1/2
    float modelTimeStep = 0;               // s per step
    int32_t worldXinM = 0, worldYinM = 0;  // m
    bool useVel = false;
    float maxVel = 0;          // cm per step
    double minVel = 0;         // cm per step
    int16_t maxPherToSat = 0;  // pheromone units
    bool usePm = false;
    bool trackAnt = false;
    int16_t antNumber = 0;  // index of the tracked ant
    bool showAnts = false;
    bool plotFood = false;
    float percentFood = 0;    // % of patches
    int16_t foodQuality = 0;  // food units per item
    bool saveImages = false;
    double saveInterval = 0;   // model steps between frames
    std::string saveFilePath;  // folder of the frames, as the panel writes it
    std::string imageName;     // base name of the frames

    // Derived when the run is built.
    int16_t cmPerM = 100;
    int32_t worldXinCm = 0, worldYinCm = 0;             // cm
    int32_t homeXPos = 0, homeYPos = 0;                 // cm, nest centre and nest row
    float velSlope = 0;                                 // cm per step per pheromone unit
    int16_t pherThresholdOut = 0, pherThresholdIn = 0;  // pheromone units
  };
  static constexpr int kSecondsPerMinute = 60;

  // The world, the ants and the run's clock and flags.
  struct RunState {
    Layer<int32_t> pherGrid;      // pheromone units per patch
    Layer<int32_t> antCountGrid;  // ants per patch
    Layer<int16_t> foodGrid;      // food units per patch
    std::vector<AntRecord> ants;  // ants[0] unused: ants are numbered from 1

    bool running = false;
    bool programStarted = false;
    bool antsCreated = false;
    bool foodMade = false;
    float modelTime = 0;         // s
    float videoFrameNumber = 0;  // modelTime x 30
    float frameNumber = 0;       // number of the next saved frame
    float curVel = 0;            // cm, step length of the moving ant; kept from step to step

    // Values one procedure hands to the next within a step.
    // The ant whose turn the ant pass is taking: the pass's loop counter,
    // kept on the form (a script reads it as antNum).
    int16_t antInTurn = 0;
    // Where the last moved ant stood before its move (cm): set by the
    // outbound and homing moves, read by the tracked ant's mark, which
    // erases the old mark there (a script reads them as antXPos, antYPos).
    float lastMoveFromX = 0, lastMoveFromY = 0;
  };

  // The figures the read-outs show, kept as the rules count them.
  struct ReadOutState {
    int32_t antsOut = 0;
    int32_t colonyFood = 0;  // food units delivered
    int32_t totalFood = 0;   // food units left, as the food rules count them
    int32_t numFoodItems = 0;
    int64_t foodOnGround = 0;   // food units lying in foodGrid
    float maxDistTraveled = 0;  // cm
    bool swarmPass = false;
    double swarmMinX = 0, swarmMaxX = 0;  // cm
    float swarmWidth = 0;                 // cm
    float lastSwarmWidth = 0;             // cm, width of the last measuring step
  };

  // How the world is drawn: pen, zoom and the zoom rectangle.
  struct DrawingState {
    int16_t drawWidth = 1;  // pixels
    bool zoomEnabled = false;
    float zoomFactor = 0;
    bool zoomSelecting = false;
    float worldAspect = 0;  // height / width of the whole view
    float boxStartX = 0, boxStartY = 0, boxEndX = 0, boxEndY = 0;
    int16_t savedDrawMode = kDrawCopyPen;
  };

  // The help window.
  struct HelpWindowState {
    bool helpOpen = false;  // the help window exists
    int helpLoads = 0;      // times the document was loaded
    std::string helpPath;   // the document shown
  };

  Parameters params;
  RunState run;
  ReadOutState readouts;
  DrawingState drawing;
  HelpWindowState help;

  // Characters of a user's text quoted in a message; a longer text is cut.
  static constexpr size_t kQuotedChars = 24;

  // True once the main window has been closed: every loop returns at once.
  bool unloaded = false;

  // Run loops open inside one another (each restart during a run opens one
  // inside the event processing of the last) at most this deep.
  static constexpr int kMaxRunLoopDepth = 256;

  // Listeners hear the form's events until they unsubscribe; a listener
  // must not subscribe or unsubscribe from inside a notification.
  void Subscribe(FormObserver& observer);
  void Unsubscribe(FormObserver& observer);

  // The random source restarts from this seed when the next run is built
  // (and stays fixed from then on, as with a seed given at start-up).
  void SetSeedForNextRun(uint64_t seed) { seedForNextRun_ = seed; }
  const std::optional<uint64_t>& seedForNextRun() const { return seedForNextRun_; }

  // ---- Procedures ------------------------------------------------------------
  // params/
  void SetVariables();
  void PlotResponseCurve();
  static double ResponseP(double n, double f);
  // model/
  bool CreateWorld();
  void MakeFood();
  void CreateAnts();
  void TestForAntCreation();
  void RemovePheromone();
  void RunAnts();
  // The outbound ant's turn: the program's own name for the step of an ant
  // without food, which is DeneubourghMove.
  void GoingOutAnt(int16_t antNum);
  void MarkTrackedAnt(int16_t antNum);
  void DeneubourghMove(int16_t antNum);
  void DropPherOut(int16_t antNum);
  void ShowError(std::string_view msg);
  void LookForFood(int16_t antNum, float myAntXPos, float myAntYPos);
  void ReturningAnt(int16_t antNum);
  void MoveDownLeft(int16_t antNum) { MoveDownBy(antNum, -1); }
  void MoveDown(int16_t antNum) { MoveDownBy(antNum, 0); }
  void MoveDownRight(int16_t antNum) { MoveDownBy(antNum, 1); }
  void DropPherIn(int16_t antNum);
  // sim/display/
  void PlotHome();
  void PlotFood();
  void PlotPheromone();
  // The food's dots (on a cleared canvas) and the pheromone plot's dots of
  // the layer, drawn into `target`.
  void PaintFood(Canvas& target) const;
  void PaintPheromone(Canvas& target) const;
  // What the window shows after Clear Screen and Plot Pheromone (the food
  // when it is plotted, then the pheromone layer in shades of red), made on
  // a copy of the world canvas (its scale and pen width) without touching
  // the run or its canvas: the background alone before the first run.
  Canvas TrailsPicture() const;
  void ZoomIn(float X, float Y);
  void ZoomOut(float X, float Y);
  static void KeepAspectRatio(float aspect, float& dx, float& dy);
  // the run and its files (sim/)
  // Reads the parameters and builds world, food and ants for a new run, as
  // Start does before it enters the run loop. False when no run was built:
  // the world did not fit, or the window closed meanwhile.
  bool BuildRun();
  // The image series' folder: MakeFolder is the program's name for the
  // Save Images rule's call, EnsurePathExists the one procedure behind it
  // (every missing folder on the path is created; false when one cannot be).
  bool MakeFolder(const std::string& pathToCreate);
  bool EnsurePathExists(const std::string& path);
  // A message in the Messages box; listeners hear it.
  void Message(std::string_view text);
  // A message for the listeners alone (the window's message log): the
  // Messages box keeps its text, as a recorded session's replay will.
  void Note(std::string_view text);

  // ---- Event handlers ----------------------------------------------------------
  void Form_Load();
  void Form_Click();
  void Form_Unload();
  void cmdStartProgram_Click();
  void cmdPause_Click();
  // One iteration of the run loop (event processing, run captions, removal
  // when due, one model step) while a built run is paused; nothing otherwise.
  bool CanStep() const { return run.programStarted && run.antsCreated && !run.running && !unloaded; }
  void Step();
  // Stops the run where it stands: every run loop open now returns right
  // after its event processing, with no further step, and the run is paused
  // (the Pause button reads Go). Where a script performed in the window ends.
  void Halt();
  void cmdClearScreen_Click();
  void cmdPlotPher_Click();
  void cmdViewHelp_Click();
  void frmHelpScreen_Closed();
  void chkShowAnts_Click();
  void chkPlotFood_Click();
  void chkSaveImages_Click();
  void chkUseVel_Click();
  void chkRemovePher_Click();
  void chkTrackAnt_Click();
  void chkUsePm_Click();
  void txtNumAnts_Change();
  void txtLeaveInterval_Change();
  void txtAntsPerPatch_Change();
  void txtEmptyNodeWeightOut_Change();
  void txtPherToDropOut_Change();
  void txtPherToDropIn_Change();
  void txtFiftyPercProb_Change();
  void txtMaxPherValue_Change();
  void txtModelTimeStep_Change();
  void txtMaxVel_Change();
  void txtMinVel_Change();
  void txtMaxPherToSat_Change();
  void txtWorldXinM_Change();
  void txtWorldYinM_Change();
  void txtAntNumber_Change();
  void txtPercentFood_Change();
  void txtFoodQuality_Change();
  void txtSaveTime_Change();
  void txtSaveFilePath_Change();
  void txtImageName_Change();
  void scrColonyYPos_Change();
  void scrColWidth_Change();
  void scrPathColorOut_Change();
  void scrPathColorIn_Change();
  void pctWorld_MouseDown(int Button, int Shift, float X, float Y);
  void pctWorld_MouseMove(int Button, int Shift, float X, float Y);
  void pctWorld_MouseUp(int Button, int Shift, float X, float Y);

  // ---- Inspection (scripts, tests) ----------------------------------------------
  // Text of a field by its name in the program's number rules; nullopt when no
  // field has that name.
  std::optional<std::string> FieldText(std::string_view name) const;
  // Every name FieldText knows, in alphabetical order.
  static std::vector<std::string_view> FieldNames();
  // Ants in the returning state. A count over the whole population: read it
  // once per sample or read-out, never from inside the ant pass.
  int32_t AntsReturning() const;
  // The window's title and the caption of every message box.
  static constexpr std::string_view kTitle = "788.348";
  static std::string_view TitleText() { return kTitle; }

  // Patch of a position: each coordinate rounded half to even.
  static int64_t PatchOf(double v) { return static_cast<int64_t>(RoundHalfEven(Clamp(v))); }

 private:
  int runLoopDepth_ = 0;  // run loops in progress
  int haltDepth_ = 0;     // run loops 1..haltDepth_ (outermost first) return after their event processing
  std::vector<FormObserver*> observers_;
  std::optional<uint64_t> seedForNextRun_;
  // A position is held within this many cm of 0 before its patch is taken,
  // far beyond the largest world, so the patch fits 64 bits and lies off the
  // layer (reads 0, writes dropped); a position that is not a number takes
  // the low end.
  static constexpr double kPositionLimitCm = 4e9;
  static double Clamp(double v) {
    return v > kPositionLimitCm ? kPositionLimitCm
                                : (v < -kPositionLimitCm ? -kPositionLimitCm : (v == v ? v : -kPositionLimitCm));
  }
  void MoveDownBy(int16_t antNum, int dx);
  void AtHomeTurn(AntRecord& ant);
  void SaveFrame();
  void DrawNestDot();  // the nest at (homeXPos, homeYPos), over what the canvas shows
  // Where the nest goes in a world of the given size: centred across (halves
  // to even) and kNestRowAboveBottom above the bottom edge.
  static constexpr int32_t kNestRowAboveBottom = 5;  // cm
  static int32_t NestXOf(int32_t xInCm) { return static_cast<int32_t>(RoundHalfEven(xInCm / 2.0)); }
  static int32_t NestRowOf(int32_t yInCm) { return yInCm - kNestRowAboveBottom; }
  std::optional<int32_t> ReadWorldSide(const TextBox& box, bool width);
  void WriteAntsPerSecondCaption();
  void WriteFoodTotals();
  void WriteWorldSizeCaption();
  void WriteWindowWidthCaption();
  // The texts rewritten on every step go to the Messages box unheard.
  void StepStatus(std::string_view text) { panel.txtDebugMsg.SetText(text); }
  void NotifyStepDone() {
    for (FormObserver* o : observers_) o->StepDone();
  }
  void NotifyFrameSaved(std::string_view file) {
    for (FormObserver* o : observers_) o->FrameSaved(file);
  }

  // Reading a number from a box. Empty -> nullopt silently; a text that is not
  // a number or is out of range -> nullopt with a message naming the box.
  std::optional<double> ReadValue(const TextBox& box);
  std::optional<int16_t> ReadInt16(const TextBox& box);
  std::optional<int32_t> ReadInt32(const TextBox& box);
  std::optional<float> ReadSingle(const TextBox& box);
  void Refuse(const TextBox& box, std::string_view why);

  double pherToDropInValue_ = 0;  // numeric value of pherToDropIn
  bool pherToDropInIsNumber_ = false;
  void SetPherToDropIn(std::string_view text);
};

// Runs a function at the end of every model step for as long as it lives
// (tools and tests that count or sample steps).
class StepListener final : public FormObserver {
 public:
  StepListener(MainForm& form, std::function<void()> onStep) : form_(form), onStep_(std::move(onStep)) {
    form_.Subscribe(*this);
  }
  ~StepListener() { form_.Unsubscribe(*this); }
  StepListener(const StepListener&) = delete;
  StepListener& operator=(const StepListener&) = delete;
  void StepDone() override { onStep_(); }

 private:
  MainForm& form_;
  std::function<void()> onStep_;
};

}  // namespace antraid
