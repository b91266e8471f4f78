// The numbered bitmap series written while a run goes on, and frame saving
// against a hostile file system: a frame that cannot be written switches
// saving off with a message naming the file, the run goes on, and nothing is
// written outside the chosen folder. The first frames of a run and an empty
// folder are printed by tests/scenarios/frames.script.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/test_form.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;
using testing::LoadedForm;
using testing::ReadFile;
using testing::TempFolder;

// Every regular file below root, relative to it.
std::vector<std::string> FilesBelow(const fs::path& root) {
  std::vector<std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) files.push_back(fs::relative(e.path(), root).string());
  std::sort(files.begin(), files.end());
  return files;
}

// The program lives in <temp>/app; frames are asked for in a folder typed
// into the panel, which a start puts below the program's folder.
class ImageSeries : public ::testing::Test {
 protected:
  ImageSeries() {
    fs::create_directories(app());
    t.host.appPath = app().string();
    t.p.txtNumAnts.SetText("30");
  }
  fs::path app() const { return root.path() / "app"; }

  // Types the folder and base name, reads the panel as a start does, checks
  // "Save Images" and runs (or resumes) for `passes` event-processing passes;
  // `during` runs at each of them.
  void Run(const std::string& folder, const std::string& name, int passes,
           const std::function<void(int)>& during = nullptr) {
    t.p.txtSaveFilePath.SetText(folder);
    t.p.txtImageName.SetText(name);
    t.form.SetVariables();
    t.p.chkSaveImages.Click();
    ASSERT_TRUE(t.form.params.saveImages) << t.p.txtDebugMsg.text();
    steps = offAtStep = 0;
    message.clear();
    int pass = 0;
    t.host.onDoEvents = [&] {
      ++pass;
      if (during) during(pass);
      if (pass == passes) t.p.cmdPause.Click();
    };
    t.p.cmdStartProgram.Click();  // a first start, or No to the question: it resumes
    t.host.onDoEvents = nullptr;
  }

  // Saving ended with a short message, and the run kept stepping after it.
  void ExpectSwitchedOff() {
    EXPECT_FALSE(t.form.params.saveImages);
    EXPECT_FALSE(t.p.chkSaveImages.checked());
    EXPECT_EQ(message.rfind("Image saving switched off: ", 0), 0u) << message;
    EXPECT_LE(message.size(), 300u) << "the message stays readable";
    EXPECT_GT(offAtStep, 0);
    EXPECT_GE(steps - offAtStep, 2) << "the run went on";
  }

  TempFolder root;
  LoadedForm t;
  int steps = 0, offAtStep = 0;
  std::string message;  // txtDebugMsg when saving was switched off
  StepListener stepWatch{t.form, [this] {
                           ++steps;
                           if (!t.form.params.saveImages && offAtStep == 0) {
                             offAtStep = steps;
                             message = t.p.txtDebugMsg.text();  // the next step writes its own
                           }
                         }};
};

TEST_F(ImageSeries, FramesAreNumberedFromZeroAndShowTheCanvas) {
  bool paused = false;
  Run("\\results\\", "TrackAnts", -1, [&](int) {
    if (!paused && t.form.run.modelTime == 7.0f) {
      paused = true;
      t.p.cmdPause.Click();
    }
  });
  ASSERT_EQ(t.form.run.modelTime, 8.0f);  // steps end at 1.5 ... 8.0; the rounded clock is even on eleven
  ASSERT_EQ(t.form.run.frameNumber, 11);
  ASSERT_EQ(FilesBelow(app()).size(), 11u);
  for (int n = 0; n <= 10; ++n) EXPECT_TRUE(fs::exists(app() / "results" / ("TrackAnts" + std::to_string(n) + ".bmp")));
  EXPECT_EQ(t.p.txtDebugMsg.text(), "8");  // the clock of the last frame
  // The last frame is the canvas as it stands (its pixels: see the canvas tests).
  ASSERT_TRUE(t.form.pctWorld.SavePicture((root.path() / "now.bmp").string()));
  EXPECT_TRUE(ReadFile(app() / "results" / "TrackAnts10.bmp") == ReadFile(root.path() / "now.bmp"));

  // A confirmed new start counts from 0 again; unchecking stops the series.
  fs::remove_all(app() / "results");
  fs::create_directories(app() / "results");
  t.host.answers = {true};
  t.PauseOnPass(1);
  t.p.cmdStartProgram.Click();
  EXPECT_EQ(FilesBelow(app()), (std::vector<std::string>{"results/TrackAnts0.bmp", "results/TrackAnts1.bmp"}));
  t.p.chkSaveImages.Click();
  EXPECT_FALSE(t.form.params.saveImages);
  t.PauseOnPass(1);
  t.p.cmdPause.Click();
  EXPECT_EQ(t.form.run.frameNumber, 2);
}

TEST_F(ImageSeries, APathWithoutATrailingSeparatorGivesNamesBesideTheFolder) {
  Run("\\frames", "run", 6);
  EXPECT_TRUE(fs::exists(app() / "framesrun0.bmp"));
  EXPECT_TRUE(fs::exists(app() / "framesrun1.bmp"));
  EXPECT_TRUE(fs::is_empty(app() / "frames"));
}

// Emptying the path while frames are saved stops the series at the next frame
// instead of writing beside the working folder.
TEST_F(ImageSeries, AFolderEmptiedMidRun) {
  Run("\\frames\\", "run", 12, [&](int pass) {
    if (pass == 4) t.p.txtSaveFilePath.SetText("");
  });
  ExpectSwitchedOff();
  EXPECT_NE(message.find("the file path is empty"), std::string::npos) << message;
  for (const std::string& f : FilesBelow(root.path())) EXPECT_EQ(f.rfind("app/frames/run", 0), 0u) << f;
  EXPECT_FALSE(fs::exists("run" + FormatSingle(t.form.run.frameNumber) + ".bmp"));
}

// Folders and base names no frame can be written to or under ("plain.txt"
// is a file, so no user can write below it).
TEST_F(ImageSeries, FoldersAndNamesThatCannotBeWritten) {
  std::ofstream(app() / "plain.txt") << "not a folder";
  fs::create_directories(app() / "frames");
  const std::pair<std::string, std::string> kCases[] = {
      {"\\plain.txt\\frames\\", "run"},
      {"\\" + std::string(3998, 'f') + "\\", "run"},  // a 4000-character path
      {"\\frames\\", "..\\..\\escaped"},              // names leading into another folder
      {"\\frames\\", "../escaped"},
      {"\\frames\\", "sub\\run"},
      {"\\frames\\", std::string("nul\0x", 5)},
      {"\\frames\\", std::string(300, 'n')}};  // longer than a file name may be
  for (const auto& [folder, name] : kCases) {
    SCOPED_TRACE(folder.substr(0, 20) + " " + name.substr(0, 20));
    Run(folder, name, 8);
    EXPECT_EQ(t.form.run.frameNumber, 0);
    ExpectSwitchedOff();
  }
  EXPECT_EQ(FilesBelow(root.path()), std::vector<std::string>{"app/plain.txt"});
}

// The first frame after the folder went away switches saving off, naming
// its file; checking the box again makes the folder and the series goes on.
TEST_F(ImageSeries, AFolderThatVanishesMidRunAndComesBack) {
  const fs::path frames = app() / "frames";
  Run("\\frames\\", "run", 12, [&](int pass) {
    if (pass == 3) fs::remove_all(frames);
  });
  EXPECT_GE(t.form.run.frameNumber, 1);
  ExpectSwitchedOff();
  EXPECT_EQ(message, "Image saving switched off: the file could not be written (" + app().string() + "\\frames\\run" +
                         FormatSingle(t.form.run.frameNumber) + ".bmp)");
  EXPECT_TRUE(FilesBelow(root.path()).empty());
  t.p.chkSaveImages.Click();
  EXPECT_TRUE(fs::is_directory(frames));
  const float numberBefore = t.form.run.frameNumber;
  t.PauseOnPass(8);
  t.p.cmdPause.Click();
  EXPECT_TRUE(t.form.params.saveImages);
  EXPECT_GT(t.form.run.frameNumber, numberBefore);
  for (const std::string& f : FilesBelow(root.path())) EXPECT_EQ(f.rfind("app/frames/run", 0), 0u) << f;
}

// Before each frame the free space of the frames' file system is asked
// for: below 1 GiB saving is switched off as for a frame that cannot be
// written, before anything is written.
TEST_F(ImageSeries, SavingStopsBeforeTheDiskFills) {
  constexpr uint64_t kGiB = uint64_t{1} << 30;
  t.host.freeSpace = kGiB - 1;
  Run("\\frames\\", "run", 8);
  ExpectSwitchedOff();
  EXPECT_EQ(message, "Image saving switched off: less than 1 GiB free on " + app().string() +
                         "/frames/ (" + app().string() + "\\frames\\run0.bmp)");
  EXPECT_TRUE(FilesBelow(root.path()).empty());

  t.host.freeSpace = kGiB;
  Run("\\frames\\", "run", 8);
  EXPECT_TRUE(t.form.params.saveImages);
  EXPECT_EQ(FilesBelow(app() / "frames").size(), static_cast<size_t>(t.form.run.frameNumber));
  EXPECT_GT(t.form.run.frameNumber, 0);
}

TEST(Host, FreeSpaceIsThatOfTheNearestFolderThatExists) {
  TempFolder dir;
  HeadlessHost host;
  EXPECT_GT(host.FreeSpace(dir.str()).value_or(0), 0u);
  EXPECT_TRUE(host.FreeSpace((dir.path() / "not" / "yet" / "frame0.bmp").string()).has_value());
}

}  // namespace
}  // namespace antraid
