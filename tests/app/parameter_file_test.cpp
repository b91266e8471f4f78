// Parameter files: the panel written as script lines and opened again.
#include "app/parameter_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/script_line.h"
#include "sim/test_form.h"
#include "common/version.h"

namespace antraid {
namespace {

using testing::LoadedForm;
using testing::TempFolder;

constexpr const char* kDate = "2026-01-02 03:04";

// What a parameter file is to bring back: every text box the user edits,
// every scroll bar and every check box.
std::string Inputs(const Panel& p) {
  std::string s;
  for (const Control* c : p.all()) {
    if (auto* box = dynamic_cast<const TextBox*>(c); box && box->onChange)
      s += box->name() + "=" + box->text() + "\n";
    else if (auto* bar = dynamic_cast<const ScrollBar*>(c))
      s += bar->name() + "=" + FormatInt(bar->value()) + "\n";
    else if (auto* check = dynamic_cast<const CheckBox*>(c))
      s += check->name() + "=" + FormatInt(check->value()) + "\n";
  }
  return s;
}

// The panel of a freshly opened window after the file's lines, through
// antraid-script.
std::string InputsAfterScript(const std::string& file, const std::string& appPath) {
  testing::ScriptSession<> s(file, 1, appPath);
  EXPECT_EQ(s.rc, 0) << s.err.str();
  return Inputs(s.form().panel);
}

TEST(ParameterFile, AFreshPanelIsWrittenInTheOrderItsRulesNeed) {
  LoadedForm t;
  EXPECT_EQ(ParameterText(t.form, kDate), std::string("# antraid ") + std::string(kVersion) +
                                               " parameters, saved 2026-01-02 03:04\n"
                                               "# Panel settings for a freshly opened window: File > Open "
                                               "parameters..., or antraid-script FILE\n"
                                               // the world, the nest and the colours
                                               "type txtWorldXinM 7\ntype txtWorldYinM 7\n"
                                               "scroll scrColonyYPos 695\nscroll scrColWidth 15\n"
                                               "scroll scrPathColorOut 200\nscroll scrPathColorIn 200\n"
                                               // the ants and their trails
                                               "type txtNumAnts 900\ntype txtAntNumber 50\ntype txtLeaveInterval 1\n"
                                               "type txtAntsPerPatch 5\ntype txtEmptyNodeWeightOut 5\n"
                                               "type txtPherToDropOut 1\ntype txtPherToDropIn 10\n"
                                               "type txtFiftyPercProb 100\ntype txtMaxPherValue 500\n"
                                               // time and speed, food, frames
                                               "type txtModelTimeStep 0.5\ntype txtMaxVel 7\ntype txtMinVel 1.2\n"
                                               "type txtMaxPherToSat 300\ntype txtPercentFood 1\ntype txtFoodQuality 1\n"
                                               "type txtSaveTime 1\ntype txtSaveFilePath \\results\\\n"
                                               "type txtImageName TrackAnts\n");
}

// Saves the form's panel, opens the file in a fresh window and saves again:
// the same panel and the same file, also through antraid-script.
void ExpectRoundTrip(const std::string& inputs, const std::string& text, const std::string& appPath) {
  LoadedForm fresh(appPath);
  EXPECT_TRUE(PerformParameters(fresh.form, text, "p.txt")) << fresh.p.txtDebugMsg.text() << "\n" << text;
  EXPECT_EQ(Inputs(fresh.p), inputs) << text;
  EXPECT_EQ(ParameterText(fresh.form, kDate), text);
  EXPECT_EQ(InputsAfterScript(text, appPath), inputs) << text;
}

TEST(ParameterFile, RulesThatDependOnOtherBoxesRebuildTheStateInAFreshWindow) {
  TempFolder dir;
  LoadedForm t(dir.str());
  UserActions& a = t.form.actions;
  a.Type(t.p.txtAntNumber, "300");
  a.Type(t.p.txtNumAnts, "100");         // the tracked ant's number stands above it
  a.Type(t.p.txtWorldYinM, "12");
  a.Scroll(t.p.scrColonyYPos, 1000);
  a.Type(t.p.txtWorldYinM, "height");    // refused: 12 m stands behind it
  a.Type(t.p.txtWorldXinM, "3");
  a.Type(t.p.txtModelTimeStep, "0.25");  // after the velocities in time
  a.Type(t.p.txtMaxVel, "fast");
  a.Type(t.p.txtSaveFilePath, dir.str() + "/frames/");
  a.Type(t.p.txtImageName, " two words ");
  a.Click(t.p.chkSaveImages);
  a.Click(t.p.chkShowAnts);
  a.Drag(t.p.scrPathColorIn, 30);
  const std::string text = ParameterText(t.form, kDate);
  const auto at = [&text](const std::string& line) { return text.find("\n" + line + "\n"); };
  EXPECT_LT(at("type txtAntNumber 300"), at("type txtNumAnts 100"));
  EXPECT_LT(at("type txtWorldYinM 12"), at("type txtWorldYinM height"));
  EXPECT_LT(at("type txtWorldYinM height"), at("scroll scrColonyYPos 1000"));
  EXPECT_LT(at("type txtModelTimeStep 0.25"), at("type txtMaxVel fast"));
  EXPECT_LT(at("type txtImageName  two words "), at("click chkSaveImages"));
  EXPECT_NE(at("scroll scrPathColorIn 30"), std::string::npos);
  EXPECT_NE(at("click chkShowAnts"), std::string::npos);
  EXPECT_EQ(text.find("click chkUseVel"), std::string::npos);  // as in a fresh window
  ExpectRoundTrip(Inputs(t.p), text, dir.str());
}

// A random user of the window whose runs start, restart and pause
// (answering the boxes at random). The file may be saved in the middle of a
// run, with txtNumAnts disabled.
struct PanelUser : testing::RandomUser {
  LoadedForm t;
  std::string savedText, savedInputs;

  bool saveInside = false;  // the next run is saved before it pauses
  size_t seen = 0;          // passes of the run in progress

  // Every run pauses after a few passes: Start, a confirmed restart, Go and
  // a confirmed change of the number of ants alike.
  PanelUser(unsigned seed, const std::string& appPath) : RandomUser(seed), t(appPath) {
    t.host.onAsk = [this](std::string_view) { return Pick(2) == 0; };
    t.host.onDoEvents = [this] {
      if (!t.form.running || ++seen < 4) return;
      if (saveInside) Save();
      t.form.actions.Click(t.p.cmdPause);
      seen = Pick(4);
    };
  }

  void Run(bool inside) {
    saveInside = inside;
    t.form.actions.Click(t.p.cmdStartProgram);
    saveInside = false;
  }

  void Save() {
    savedText = ParameterText(t.form, kDate);
    savedInputs = Inputs(t.p);
  }
};

TEST(ParameterFile, RandomPanelStatesComeBackInAFreshWindowAndSaveToTheSameFile) {
  TempFolder dir;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    PanelUser user(seed, dir.str());
    const size_t actions = user.Pick(40);
    for (size_t i = 0; i < actions; ++i) user.Act(user.t.form, true);
    if (seed % 4 == 0) {
      user.Run(true);
      if (user.savedText.empty()) user.Save();  // the run did not start
    } else {
      user.Save();
    }
    ExpectRoundTrip(user.savedInputs, user.savedText, dir.str());
  }
}

TEST(ParameterFile, OpeningStopsAtTheFirstLineThatIsNotAPanelSettingAndNamesIt) {
  const std::pair<const char*, size_t> cases[] = {  // a file and the line that stops it (0: none)
      {"# a comment\n\n  \ntype txtPercentFood 2\r\nclick chkUsePm\n", 0},
      {"", 0},
      {"type txtPercentFood 2\nclick cmdStartProgram\ntype txtFoodQuality 4\n", 2},
      {"type txtDebugMsg hello\n", 1},
      {"scroll scrColWidth 2.5\n", 1},
      {"scroll scrColWidth 20 30\n", 1},
      {"type\n", 1},
      {"wait 3\n", 1},
      {"type txtImageName \x01\x02 and a very long name that goes on and on\n", 0},
  };
  for (const auto& [text, line] : cases) {
    LoadedForm t;
    EXPECT_EQ(PerformParameters(t.form, text, "p.txt"), line == 0) << text;
    if (line == 0) continue;  // the rules' own messages stand after a file that opened
    EXPECT_EQ(t.p.txtDebugMsg.text(), "Open parameters stopped at line " + std::to_string(line) + " of p.txt: \"" +
                                          std::string(SplitLines(text)[line - 1]) + "\" is not a panel setting");
    // The lines before the one that stopped the file were performed.
    if (line == 2) {
      EXPECT_EQ(t.form.percentFood, 2.0f);
      EXPECT_EQ(t.p.txtFoodQuality.text(), "1");
      EXPECT_FALSE(t.form.programStarted);
    }
  }
}

TEST(ParameterFile, FilesThatCannotBeReadOrWrittenAreReportedInTheMessagesBox) {
  TempFolder dir;
  LoadedForm t(dir.str());
  EXPECT_FALSE(OpenParameters(t.form, (dir.path() / "none.txt").string()));
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Parameters not opened: none.txt cannot be read");
  EXPECT_FALSE(OpenParameters(t.form, dir.str()));
  EXPECT_FALSE(SaveParameters(t.form, (dir.path() / "no" / "p.txt").string()));
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Parameters not saved: p.txt cannot be written");

  const std::string file = (dir.path() / "p.txt").string();
  t.form.actions.Type(t.p.txtLeaveInterval, "3");
  ASSERT_TRUE(SaveParameters(t.form, file));
  LoadedForm fresh(dir.str());
  EXPECT_TRUE(OpenParameters(fresh.form, file));
  EXPECT_EQ(fresh.form.leaveInterval, 3);
  EXPECT_EQ(testing::ReadFile(file).rfind("# antraid " + std::string(kVersion) + " parameters, saved 20", 0), 0u);
}

}  // namespace
}  // namespace antraid
