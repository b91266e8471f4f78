#include "platform/headless/script_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "sim/test_form.h"
#include "platform/headless/invariants.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempFolder;

using testing::CommandResult;

CommandResult RunScript(const std::string& script) { return testing::ScriptOutput(script); }

// A run stopped and back outside any run loop, clock at 3.
constexpr const char* kStartedAndPaused = "click cmdStartProgram\nwait 2\nclick cmdPause\nwait 2\n";

TEST(ScriptRunner, SessionsThatEndWellPrintWhatTheyAskFor) {
  const std::pair<std::string, std::string> kCases[] = {
      // A wait outside a run loop finds nothing to wait for.
      {"wait 5\nprint modelTime running\n", "modelTime=1\nrunning=False\n"},
      // The end of the script closes the window inside a run.
      {"click cmdStartProgram\nwait 3\n", ""},
      {"# a comment\n\n   \t\r\n  # indented comment\r\nprint modelTime\r\nprint numAnts", "modelTime=1\nnumAnts=900\n"},
      // Typed text is the rest of the line after one blank.
      {"type txtImageName two  words \nprint txtImageName\ntype txtImageName  lead\nprint txtImageName\n",
       "txtImageName=two  words \ntxtImageName= lead\n"},
      {"print modelTime\nclose\nno such action\n", "modelTime=1\n"},  // nothing after close is read
      {"print scrColonyYPos.max chkShowAnts.caption lblHomeYPos\n" + std::string(kStartedAndPaused) +
           "set ant 7 state 3\nset ant 7 xPos 100.25\nset ant 7 yPos 200\nset ant 7 leaveTime -4\n"
           "set ant 7 hasFood True\nset ant 7 justLeft 0\nprint ant 7\n"
           "set foodGrid 699 699 12\nset antCountGrid 1 700 -3\nprint foodGrid 699 699 antCountGrid 1 700\n",
       "scrColonyYPos.max=695\nchkShowAnts.caption=Show Ants?\nlblHomeYPos=Home Y Position = 695\n"
       "ant 7: state=3 xPos=100.25 yPos=200 leaveTime=-4 hasFood=True justLeft=False\n"
       "foodGrid(699,699)=12\nantCountGrid(1,700)=-3\n"},
  };
  for (const auto& [script, out] : kCases) {
    CommandResult s = RunScript(script);
    EXPECT_EQ(s.status, 0) << script;
    EXPECT_EQ(s.out, out) << script;
    EXPECT_EQ(s.err, "") << script;
  }
}

// Setting a patch of the food layer keeps the food on the ground its sum.
TEST(ScriptRunner, SetPatchesKeepTheFoodOnTheGroundRight) {
  testing::ScriptSession<> s(std::string(kStartedAndPaused) + "set foodGrid 700 700 12\nset foodGrid 5 5 0\n", 1);
  EXPECT_EQ(s.rc, 0) << s.err.str();
  EXPECT_EQ(CheckInvariants(s.form()), "");
}

TEST(ScriptRunner, EachErrorNamesItsLineAndStopsTheSession) {
  std::string nested = "click cmdStartProgram\n";
  for (int i = 0; i < 3 * ScriptRunner::kMaxDepth; ++i) nested += "click cmdPause\n";
  const std::string started = kStartedAndPaused;  // four lines
  const std::pair<std::string, std::string> cases[] = {
      {"jump txtNumAnts", "line 1: unknown action \"jump\""},
      {"print modelTimes", "line 1: unknown control or field \"modelTimes\""},
      {"print txtNumAnts.caption", "line 1: unknown property \"caption\" of txtNumAnts (a text box)"},
      {"print scrColWidth.backColor", "line 1: unknown property \"backColor\" of scrColWidth (a scroll bar)"},
      {"wait two", "line 1: malformed number \"two\" (a whole number is needed)"},
      {"wait -1", "line 1: number \"-1\" out of range"},
      {"mouse down 1 0 1e99 4", "line 1: number \"1e99\" out of range"},
      {"mouse press 1 0 1 1", "line 1: mouse needs down, move or up"},
      {"mouse down 1 0 1", "line 1: missing y"},
      {"answer maybe", "line 1: answer needs Yes or No"},
      {"click cmdPause now", "line 1: unexpected \"now\" at the end of the line"},
      {"click txtNumAnts", "line 1: txtNumAnts is a text box; click needs a button, a check box or Form"},
      {"type scrColWidth 4", "line 1: scrColWidth is a scroll bar, not a text box"},
      {"print", "line 1: print needs at least one item"},
      {"print ant 1", "line 1: ant 1 does not exist (no ants yet)"},
      {"print foodGrid 1 1", "line 1: foodGrid(1,1): the layer does not exist yet"},
      {"set ant 1 state 1", "line 1: ant 1 does not exist"},
      {"pixel 0 500", "line 1: pixel (0,500) lies outside the raster (0 to 499)"},
      {"record 0 x.csv modelTime", "line 1: number \"0\" out of range"},
      {"record 1 /no/such/folder/x.csv antsOut", "line 1: cannot write"},
      {"snapshot", "line 1: missing file name"},
      {"picture", "line 1: missing ants or trails"},
      {"picture map x.png", "line 1: picture needs ants or trails, not \"map\""},
      {"picture ants", "line 1: missing file name"},
      {"picture trails /no/such/folder/x.png", "line 1: cannot write \"/no/such/folder/x.png\""},
      {"seed", "line 1: missing seed"},
      {"seed -1", "line 1: malformed seed \"-1\" (a whole number from 0 to 18446744073709551615)"},
      {"seed 18446744073709551616", "line 1: malformed seed \"18446744073709551616\""},
      {"seed 12x", "line 1: malformed seed \"12x\""},
      {"seed 1.5", "line 1: malformed seed \"1.5\""},
      {"seed 7 8", "line 1: unexpected \"8\" at the end of the line"},
      {"print \x01\x02", "line 1: unknown control or field \"??\""},
      {nested, "line " + std::to_string(ScriptRunner::kMaxDepth + 1) + ": run loops nested more than"},
      {started + "print ant 901", "line 5: ant 901 does not exist (ants 1 to 900)"},
      {started + "set foodGrid 5 5 40000", "line 5: number \"40000\" out of range (-32768 to 32767)"},
      {started + "set ant 3 state 2", "line 5: ant state \"2\" is none of 0, 1, 3, 9"},
      {started + "set ant 3 speed 2", "line 5: unknown ant field \"speed\""},
  };
  for (const auto& [script, message] : cases) {
    const std::string what = script.substr(script.rfind('\n', script.size() - 2) + 1);  // its last line
    CommandResult s = RunScript(script + "\nprint modelTime\n");
    EXPECT_EQ(s.status, 2) << what;
    EXPECT_EQ(s.out, "") << what;
    EXPECT_EQ(s.err.rfind("antraid-script: " + message, 0), 0u) << what << "\n" << s.err;
    EXPECT_EQ(std::count(s.err.begin(), s.err.end(), '\n'), 1) << s.err;
  }
}

TEST(ScriptRunner, RecordAndSnapshotWriteTheirFiles) {
  TempFolder dir;
  const std::string csv = dir / "series.csv";
  CommandResult s = RunScript("type txtImageName a,\"b\"\nrecord 2 " + csv +
                        " running txtImageName pherGrid 1 1\nclick cmdStartProgram\nwait 5\nclick cmdPause\nwait 2\n"
                        "snapshot " + (dir / "world now.bmp") + "\nprint modelTime\n");
  ASSERT_EQ(s.status, 0) << s.err;
  // Seven steps: rows after the 2nd, 4th and 6th; the 6th is the pause
  // handler's own step, after running was cleared.
  EXPECT_EQ(s.out, "modelTime=4.5\n");
  EXPECT_EQ(ReadFile(csv),
            "modelTime,running,txtImageName,pherGrid_1_1\n"
            "2,True,\"a,\"\"b\"\"\",0\n3,True,\"a,\"\"b\"\"\",0\n4,False,\"a,\"\"b\"\"\",0\n");
  EXPECT_EQ(ReadFile(dir / "world now.bmp").substr(0, 2), "BM");

  // An item that cannot be read at a step stops the session at the record line.
  s = RunScript("print modelTime\nrecord 1 " + (dir / "x.csv") + " foodGrid 900 1\nclick cmdStartProgram\nwait 5\n");
  EXPECT_EQ(s.status, 2);
  EXPECT_EQ(s.err, "antraid-script: line 2: record: foodGrid(900,1) lies off the layer (700 x 700)\n");
}

// Lines of the script's own words with wild arguments: each session ends
// with 0 or a reported error, never a crash.
TEST(ScriptRunner, WildArgumentsEndCleanly) {
  std::mt19937 gen(12345);
  const char* actions[] = {"type", "keys", "click", "scroll", "mouse", "answer", "wait", "print", "set", "pixel", "record"};
  const char* words[] = {"cmdStartProgram", "cmdPause", "cmdPlotPher", "cmdClearScreen", "chkShowAnts", "chkPlotFood",
                         "chkTrackAnt", "chkUsePm", "txtNumAnts", "txtWorldXinM", "txtModelTimeStep", "txtSaveTime",
                         "txtAntNumber", "txtPercentFood", "scrColonyYPos", "scrColWidth", "pherGrid", "foodGrid",
                         "ant", "Yes", "No", "down", "up", "move", "Form", "modelTime", "state", "xPos", "-1", "0",
                         "1", "2", "3", "4", "9", "350", "700", "2.5", "1e9", "-1e30", "abc", "", "4.x", ".", "True"};
  TempFolder dir;
  auto pick = [&](const auto& list) { return std::string(list[gen() % std::size(list)]); };
  int errors = 0;
  for (int n = 0; n < 150; ++n) {
    std::string script;
    for (int l = 0; l < 25; ++l) {
      std::string line = pick(actions);
      if (line == "record") line.append(" 1 ").append(dir / "fuzz.csv");
      for (int a = static_cast<int>(gen() % 6); a > 0; --a) line.append(" ").append(pick(words));
      script.append(line).append("\n");
    }
    CommandResult s = RunScript(script);
    ASSERT_TRUE(s.status == 0 || s.status == 2) << script;
    errors += s.status == 2;
    EXPECT_TRUE(s.status == 0 || s.err.rfind("antraid-script: line ", 0) == 0) << s.err;
  }
  EXPECT_GT(errors, 0);
}

// ---- The command line ------------------------------------------------------------

CommandResult RunExe(const std::string& args, const std::string& input = "") {
  TempFolder dir;
  std::ofstream(dir / "in.txt") << input;
  return testing::RunCommand(std::string(ANTRAID_SCRIPT_EXE) + " " + args + " <in.txt", dir.path());
}

TEST(ScriptCommandLine, ArgumentsAreCheckedBeforeAnythingRuns) {
  EXPECT_EQ(RunExe("--help").status, 0);
  CommandResult s = RunExe("");
  EXPECT_EQ(s.status, 2);
  EXPECT_EQ(s.err.rfind("antraid-script: no SCRIPT given\nusage:", 0), 0u);
  for (const char* args : {"--seed x -", "--seed", "--colour red -", "- -"}) EXPECT_EQ(RunExe(args).status, 2) << args;
  s = RunExe("/no/such/script.txt");
  EXPECT_EQ(s.status, 2);
  EXPECT_EQ(s.err, "antraid-script: cannot read /no/such/script.txt\n");
}

TEST(ScriptCommandLine, StandardInputAndAppPath) {
  TempFolder dir;
  // The folder is given with a trailing separator; App.Path has none.
  CommandResult s = RunExe("--seed 3 --app-path " + dir.str() + "/ -",
                     "print saveFilePath\nclick chkSaveImages\nclick cmdStartProgram\nwait 2\n");
  EXPECT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(s.out, "saveFilePath=" + dir.str() + "\\results\\\n");
  EXPECT_TRUE(fs::exists(dir / "results/TrackAnts0.bmp"));
}

}  // namespace
}  // namespace antraid
