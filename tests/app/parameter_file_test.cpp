// Parameter files: the panel written as script lines and opened again.
#include "app/parameter_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/form_observer.h"
#include "app/script_line.h"
#include "sim/test_form.h"
#include "common/version.h"

namespace antraid {
namespace {

using testing::LoadedForm;
using testing::TempFolder;

constexpr const char* kDate = "2026-01-02 03:04";

// The messages a form's listeners hear (the window's log among them).
struct HeardMessages : FormObserver {
  explicit HeardMessages(MainForm& form) { form.Subscribe(*this); }
  void MessageShown(std::string_view text) override { said.emplace_back(text); }
  std::string Last() const { return said.empty() ? std::string() : said.back(); }
  std::vector<std::string> said;
};

// What a parameter file is to bring back: every text box the user edits,
// every scroll bar and every check box.
std::string Inputs(const Panel& p) {
  std::string s;
  for (const Control* c : p.all()) {
    if (auto* box = dynamic_cast<const TextBox*>(c); box && box->onChange) s += box->name() + "=" + box->text() + "\n";
    if (auto* bar = dynamic_cast<const ScrollBar*>(c)) s += bar->name() + "=" + FormatInt(bar->value()) + "\n";
    if (auto* check = dynamic_cast<const CheckBox*>(c)) s += check->name() + "=" + FormatInt(check->value()) + "\n";
  }
  return s;
}

TEST(ParameterFile, AFreshPanelIsWrittenInTheOrderItsRulesNeed) {
  LoadedForm t;
  EXPECT_EQ(ParameterText(t.form, kDate),
            "# antraid " + std::string(kVersion) + " parameters, saved 2026-01-02 03:04\n"
            "# Panel settings for a freshly opened window: File > Open parameters..., or antraid-script FILE\n"
            // the world, the nest and the colours
            "type txtWorldXinM 7\ntype txtWorldYinM 7\nscroll scrColonyYPos 695\nscroll scrColWidth 15\n"
            "scroll scrPathColorOut 200\nscroll scrPathColorIn 200\n"
            // the ants and their trails
            "type txtNumAnts 900\ntype txtAntNumber 50\ntype txtLeaveInterval 1\ntype txtAntsPerPatch 5\n"
            "type txtEmptyNodeWeightOut 5\ntype txtPherToDropOut 1\ntype txtPherToDropIn 10\n"
            "type txtFiftyPercProb 100\ntype txtMaxPherValue 500\n"
            // time and speed, food, frames
            "type txtModelTimeStep 0.5\ntype txtMaxVel 7\ntype txtMinVel 1.2\ntype txtMaxPherToSat 300\n"
            "type txtPercentFood 1\ntype txtFoodQuality 1\ntype txtSaveTime 1\ntype txtSaveFilePath \\results\\\n"
            "type txtImageName TrackAnts\n");
}

// Saves the form's panel, opens the file in a fresh window and saves again:
// the same panel and the same file, also through antraid-script.
void ExpectRoundTrip(const std::string& inputs, const std::string& text, const std::string& appPath) {
  LoadedForm fresh(appPath);
  EXPECT_TRUE(PerformParameters(fresh.form, text, "p.txt")) << fresh.p.txtDebugMsg.text() << "\n" << text;
  EXPECT_EQ(Inputs(fresh.p), inputs) << text;
  EXPECT_EQ(ParameterText(fresh.form, kDate), text);
  testing::ScriptSession<> script(text, 1, appPath);
  EXPECT_EQ(script.rc, 0) << script.err.str();
  EXPECT_EQ(Inputs(script.form().panel), inputs) << text;
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
      if (!t.form.run.running || ++seen < 4) return;
      if (saveInside) Save();
      t.form.actions.Click(t.p.cmdPause);
      seen = Pick(4);
    };
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
      user.saveInside = true;
      user.t.form.actions.Click(user.t.p.cmdStartProgram);
    }
    if (user.savedText.empty()) user.Save();  // between runs, or the run did not start
    ExpectRoundTrip(user.savedInputs, user.savedText, dir.str());
  }
}

TEST(ParameterFile, AFileWithABadLineAnywhereChangesNothingAndNamesTheLine) {
  const std::pair<const char*, size_t> cases[] = {  // a file and its bad line (0: none)
      {"# a comment\n\n  \ntype txtPercentFood 2\r\nclick chkUsePm\n", 0},
      {"", 0},
      {"type txtPercentFood 2\nclick cmdStartProgram\ntype txtFoodQuality 4\n", 2},
      {"type txtPercentFood 2\nclick chkShowAnts\ntype txtFoodQuality 4\nwait 3", 4},
      {"type txtDebugMsg hello\n", 1},
      {"scroll scrColWidth 2.5\n", 1},
      {"scroll scrColWidth 20 30\n", 1},
      {"type\n", 1},
      {"type txtImageName \x01\x02 and a very long name that goes on and on\n", 0},
  };
  for (const auto& [text, line] : cases) {
    LoadedForm t;
    t.form.actions.Click(t.p.chkPlotFood);  // not as in a fresh window
    t.p.txtDebugMsg.SetText("before");
    const std::string before = testing::FormState(t.form, true);
    const float food = t.form.params.percentFood;
    HeardMessages heard(t.form);
    EXPECT_EQ(PerformParameters(t.form, text, "p.txt"), line == 0) << text;
    if (line == 0) {
      // Heard by the log; the Messages box keeps what the rules wrote.
      EXPECT_EQ(heard.Last(), "Parameters loaded from p.txt");
      EXPECT_NE(t.p.txtDebugMsg.text(), "Parameters loaded from p.txt");
      continue;
    }
    const std::string message = "Parameters not opened: line " + std::to_string(line) + " of p.txt: \"" +
                                std::string(SplitLines(text)[line - 1]) + "\" is not a panel setting";
    EXPECT_EQ(t.p.txtDebugMsg.text(), message);
    // Nothing before the bad line was performed, no check box went back.
    t.p.txtDebugMsg.SetText("before");
    EXPECT_EQ(testing::FormState(t.form, true), before);
    EXPECT_EQ(t.form.params.percentFood, food);
    EXPECT_EQ(t.p.chkPlotFood.value(), 1 - Panel().chkPlotFood.value());
    EXPECT_EQ(t.p.chkShowAnts.value(), Panel().chkShowAnts.value());
  }
}

// A file opened in a window whose panel was changed brings every control to
// what the file says, check boxes too; a file saved before check boxes were
// restored (every older file) opens the same way.
TEST(ParameterFile, OpeningAFileRestoresEveryControlWhateverThePanelShowed) {
  TempFolder dir;
  LoadedForm saved(dir.str());
  saved.form.actions.Click(saved.p.chkShowAnts);
  saved.form.actions.Type(saved.p.txtPercentFood, "3");
  const std::string text = ParameterText(saved.form, kDate);
  ASSERT_NE(text.find("\nclick chkShowAnts\n"), std::string::npos);

  LoadedForm other(dir.str());
  other.form.actions.Click(other.p.chkShowAnts);  // already as the file wants it
  other.form.actions.Click(other.p.chkPlotFood);  // the file does not name it: back to fresh
  other.form.actions.Click(other.p.chkUseVel);
  other.form.actions.Type(other.p.txtFoodQuality, "7");
  testing::HeardActions heard(other.form);
  HeardMessages messages(other.form);
  ASSERT_TRUE(PerformParameters(other.form, text, "p.script"));
  EXPECT_EQ(Inputs(other.p), Inputs(saved.p));
  EXPECT_EQ(other.form.params.percentFood, 3.0f);
  EXPECT_EQ(other.form.params.foodQuality, 1);
  // The check boxes went back before the file's lines; chkShowAnts was not
  // clicked (it showed what the file wants).
  ASSERT_GE(heard.lines.size(), 2u);
  EXPECT_EQ(heard.lines[0], "click chkUseVel");
  EXPECT_EQ(heard.lines[1], "click chkPlotFood");
  EXPECT_EQ(std::count(heard.lines.begin(), heard.lines.end(), "click chkShowAnts"), 0);
  EXPECT_EQ(messages.Last(), "Parameters loaded from p.script");
}

TEST(ParameterFile, RestoringTheInitialParametersEditsThePanelBackThroughItsRules) {
  TempFolder dir;
  LoadedForm fresh(dir.str());
  const std::string initial = Inputs(fresh.p);
  EXPECT_EQ(InitialParameterText().substr(InitialParameterText().find('\n', 20)),
            ParameterText(fresh.form, kDate).substr(ParameterText(fresh.form, kDate).find('\n', 20)));

  LoadedForm t(dir.str());
  UserActions& a = t.form.actions;
  a.Type(t.p.txtWorldYinM, "4");
  a.Scroll(t.p.scrColonyYPos, 100);
  a.Type(t.p.txtNumAnts, "30");
  a.Type(t.p.txtModelTimeStep, "0.25");
  a.Type(t.p.txtMaxVel, "fast");  // refused: stands in its box
  a.Click(t.p.chkTrackAnt);
  a.Drag(t.p.scrPathColorOut, 10);
  ASSERT_NE(Inputs(t.p), initial);
  HeardMessages messages(t.form);
  ASSERT_TRUE(RestoreInitialParameters(t.form));
  EXPECT_EQ(Inputs(t.p), initial);
  EXPECT_EQ(t.form.params.numAnts, 900);
  EXPECT_EQ(t.form.params.worldYinM, 7);
  EXPECT_EQ(t.form.params.modelTimeStep, 0.5f);
  EXPECT_EQ(messages.Last(), "Initial parameters restored");
  // Restoring a fresh panel performs no rule at all.
  testing::HeardActions heard(fresh.form);
  fresh.p.txtDebugMsg.SetText("x");
  const std::string before = testing::FormState(fresh.form, true);
  ASSERT_TRUE(RestoreInitialParameters(fresh.form));
  EXPECT_TRUE(heard.lines.empty());
  fresh.p.txtDebugMsg.SetText("x");
  EXPECT_EQ(testing::FormState(fresh.form, true), before);
}

TEST(ParameterFile, ANameWithoutExtensionIsSavedAndOpenedAsAScriptAndFileTroublesAreReported) {
  EXPECT_EQ(WithScriptExtension("run"), "run.script");
  EXPECT_EQ(WithScriptExtension("a.b/run"), "a.b/run.script");
  EXPECT_EQ(WithScriptExtension("run.txt"), "run.txt");
  EXPECT_EQ(WithScriptExtension("a/run.script"), "a/run.script");
  TempFolder dir;
  LoadedForm t(dir.str());
  t.form.actions.Type(t.p.txtLeaveInterval, "4");
  ASSERT_TRUE(SaveParameters(t.form, dir / "mine"));
  EXPECT_FALSE(std::filesystem::exists(dir / "mine"));
  const std::string saved = testing::ReadFile(dir / "mine.script");
  EXPECT_EQ(saved.rfind("# antraid " + std::string(kVersion) + " parameters, saved 20", 0), 0u) << saved;
  LoadedForm other(dir.str());
  HeardMessages messages(other.form);
  ASSERT_TRUE(OpenParameters(other.form, dir / "mine"));
  EXPECT_EQ(other.form.params.leaveInterval, 4);
  EXPECT_EQ(messages.Last(), "Parameters loaded from mine.script");

  EXPECT_FALSE(OpenParameters(t.form, dir / "none.txt"));
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Parameters not opened: none.txt cannot be read");
  EXPECT_FALSE(OpenParameters(t.form, dir.str()));
  EXPECT_FALSE(SaveParameters(t.form, dir / "no/p.txt"));
  EXPECT_EQ(t.p.txtDebugMsg.text(), "Parameters not saved: p.txt cannot be written");
}

}  // namespace
}  // namespace antraid
