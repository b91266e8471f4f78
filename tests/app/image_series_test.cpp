// The numbered bitmap series written while a run goes on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/test_form.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;
using testing::LoadedForm;
using testing::TempFolder;

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Runs from a first start until the clock has shown `clock` at the top of the
// loop; Pause then adds its two further steps.
void RunUntil(LoadedForm& t, float clock) {
  bool clicked = false;
  t.host.onDoEvents = [&t, &clicked, clock] {
    if (t.host.passes > 1000) t.form.Form_Unload();  // a test gone wrong ends
    if (!clicked && t.form.modelTime == clock) {
      clicked = true;
      t.p.cmdPause.Click();
    }
  };
  t.p.cmdStartProgram.Click();
  t.host.onDoEvents = nullptr;
}

TEST(ImageSeries, FramesAreNumberedFromZeroInTheResultsFolderAndShowTheCanvas) {
  TempFolder dir;
  LoadedForm t(dir.str());
  t.p.chkSaveImages.Click();
  EXPECT_TRUE(t.form.saveImages);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "");
  EXPECT_TRUE(fs::is_directory(dir.path() / "results"));  // made by the click

  RunUntil(t, 7.0f);  // steps end at 1.5 ... 8.0; the rounded clock is even on eleven of them
  ASSERT_EQ(t.form.modelTime, 8.0f);
  for (int n = 0; n <= 10; ++n)
    EXPECT_TRUE(fs::exists(dir.path() / "results" / ("TrackAnts" + std::to_string(n) + ".bmp"))) << n;
  EXPECT_FALSE(fs::exists(dir.path() / "results" / "TrackAnts11.bmp"));
  EXPECT_EQ(t.form.frameNumber, 11);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "8");  // the clock of the last frame

  // The last frame is the canvas as it stands (its pixels: see the canvas tests).
  ASSERT_TRUE(t.form.pctWorld.SavePicture((dir.path() / "now.bmp").string()));
  EXPECT_EQ(Bytes(dir.path() / "results" / "TrackAnts10.bmp"), Bytes(dir.path() / "now.bmp"));

  // A confirmed new start counts from 0 again; unchecking stops the series.
  fs::remove_all(dir.path() / "results");
  fs::create_directories(dir.path() / "results");
  t.host.answers = {true};
  t.PauseOnPass(1);
  t.p.cmdStartProgram.Click();
  EXPECT_TRUE(fs::exists(dir.path() / "results" / "TrackAnts0.bmp"));
  EXPECT_TRUE(fs::exists(dir.path() / "results" / "TrackAnts1.bmp"));
  EXPECT_EQ(t.form.frameNumber, 2);
  t.p.chkSaveImages.Click();
  EXPECT_FALSE(t.form.saveImages);
  t.PauseOnPass(1);
  t.p.cmdPause.Click();
  EXPECT_EQ(t.form.frameNumber, 2);
}

TEST(ImageSeries, APathWithoutATrailingSeparatorGivesNamesBesideTheFolder) {
  TempFolder dir;
  LoadedForm t(dir.str());
  t.p.txtSaveFilePath.SetText("\\frames");
  t.p.txtImageName.SetText("run");
  t.form.SetVariables();
  t.p.chkSaveImages.Click();
  EXPECT_TRUE(fs::is_directory(dir.path() / "frames"));
  RunUntil(t, 1.0f);
  EXPECT_TRUE(fs::exists(dir.str() + "/framesrun0.bmp"));
  EXPECT_TRUE(fs::exists(dir.str() + "/framesrun1.bmp"));
  EXPECT_TRUE(fs::is_empty(dir.path() / "frames"));
}

TEST(ImageSeries, AnEmptyFolderOrNameIsRefusedWithABeep) {
  TempFolder dir;
  LoadedForm t(dir.str());
  t.p.txtImageName.SetText("");  // its rule keeps the previous name
  EXPECT_EQ(t.form.imageName, "TrackAnts");
  t.p.txtSaveFilePath.SetText("");
  t.p.chkSaveImages.Click();
  EXPECT_EQ(t.host.beeps, 1);  // message and box: see tests/scenarios/frames.script
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(ImageSeries, EmptyingThePathWhileSavingWritesNothingOutsideAFolder) {
  TempFolder dir;
  LoadedForm t(dir.str());
  t.p.chkSaveImages.Click();
  // During a run the path is emptied, then the box unchecked: the click is
  // refused for the empty path, but the box reads unchecked and no frame follows.
  t.host.onDoEvents = [&] {
    if (t.host.passes == 1) {
      t.p.txtSaveFilePath.SetText("");
      t.p.chkSaveImages.Click();
    }
    if (t.host.passes == 6) t.p.cmdPause.Click();
  };
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(t.host.beeps, 1);
  EXPECT_FALSE(t.p.chkSaveImages.checked());
  EXPECT_FALSE(t.form.saveImages);
  EXPECT_EQ(t.form.frameNumber, 0);

  // A new run saves into the program's folder; emptying the path while it
  // saves stops the series at the next frame instead of writing beside the
  // working folder.
  t.host.answers = {true};
  t.host.onDoEvents = [&] {
    if (t.host.passes == 7) {
      t.p.chkSaveImages.Click();
      EXPECT_TRUE(t.form.saveImages);
      t.p.txtSaveFilePath.SetText("");
    }
    if (t.host.passes == 12) t.p.cmdPause.Click();
  };
  t.p.cmdStartProgram.Click();
  EXPECT_FALSE(t.form.saveImages);
  EXPECT_FALSE(t.p.chkSaveImages.checked());
  EXPECT_EQ(t.form.frameNumber, 0);
  EXPECT_FALSE(fs::exists("TrackAnts0.bmp"));
}

TEST(ImageSeries, AFrameThatCannotBeWrittenSwitchesSavingOffAndTheRunGoesOn) {
  TempFolder dir;
  LoadedForm t(dir.str());
  t.p.chkSaveImages.Click();
  fs::remove_all(dir.path() / "results");  // the folder is gone before the first frame
  std::vector<std::string> messages;
  int passes = 0;
  t.host.onDoEvents = [&] {
    messages.push_back(t.p.txtDebugMsg.text());
    if (++passes == 6) t.p.cmdPause.Click();
  };
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(t.form.modelTime, 1.0f + 7 * 0.5f);
  EXPECT_FALSE(t.form.saveImages);
  EXPECT_FALSE(t.p.chkSaveImages.checked());
  ASSERT_GE(messages.size(), 2u);
  const std::string expected = "Image saving switched off: the file could not be written (" + dir.str() +
                               "\\results\\TrackAnts0.bmp)";
  EXPECT_EQ(messages[1], expected);
  EXPECT_EQ(t.form.frameNumber, 0);
  EXPECT_FALSE(fs::exists(dir.path() / "results"));
}

}  // namespace
}  // namespace antraid
