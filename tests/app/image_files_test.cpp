// Frame saving against a hostile file system: whatever the folder or the
// base name, a frame that cannot be written switches saving off with a
// message naming the file, the run goes on, and nothing is written outside
// the chosen folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/test_form.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;
using testing::LoadedForm;
using testing::TempFolder;

// Every regular file below root, relative to it.
std::vector<std::string> FilesBelow(const fs::path& root) {
  std::vector<std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) files.push_back(fs::relative(e.path(), root).string());
  return files;
}

// The program lives in <temp>/app; frames are asked for in a folder typed
// into the panel, which a start puts below the program's folder.
class ImageFiles : public ::testing::Test {
 protected:
  ImageFiles() {
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
    ASSERT_TRUE(t.form.saveImages) << t.p.txtDebugMsg.text();
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

  // Saving ended with a short message (shown until the next step writes its
// frame number), and the run kept stepping after it.
  void ExpectSwitchedOff() {
    EXPECT_FALSE(t.form.saveImages);
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
    if (!t.form.saveImages && offAtStep == 0) {
      offAtStep = steps;
      message = t.p.txtDebugMsg.text();  // the next step writes its own
    }
  }};
};

TEST_F(ImageFiles, AFolderThatVanishesMidRun) {
  const fs::path frames = app() / "frames";
  Run("\\frames\\", "run", 20, [&](int pass) {
    if (pass == 5) fs::remove_all(frames);
  });
  // Frames of the first steps were written; the first one after the folder
  // went away switched saving off.
  EXPECT_GE(t.form.frameNumber, 2);
  EXPECT_LT(t.form.frameNumber, 6);
  ExpectSwitchedOff();
  EXPECT_NE(message.find("could not be written"), std::string::npos) << message;
  EXPECT_TRUE(FilesBelow(root.path()).empty());
}

TEST_F(ImageFiles, AFolderThatCannotBeWrittenTo) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  fs::create_directories(app() / "locked");
  fs::permissions(app() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  Run("\\locked\\", "run", 10);
  fs::permissions(app() / "locked", fs::perms::owner_all);
  EXPECT_EQ(t.form.frameNumber, 0);
  ExpectSwitchedOff();
  EXPECT_TRUE(FilesBelow(root.path()).empty());
}

// Folders and base names no frame can be written to or under; "plain.txt"
// is a file, so that case fails for the superuser as well.
TEST_F(ImageFiles, FoldersAndNamesThatCannotBeWritten) {
  std::ofstream(app() / "plain.txt") << "not a folder";
  fs::create_directories(app() / "frames");
  const std::pair<std::string, std::string> kCases[] = {
      {"\\plain.txt\\frames\\", "run"},
      {"\\" + std::string(3998, 'f') + "\\", "run"},  // a 4000-character path
      {"\\frames\\", "..\\..\\escaped"},             // names leading into another folder
      {"\\frames\\", "../escaped"},
      {"\\frames\\", "sub\\run"},
      {"\\frames\\", std::string("nul\0x", 5)},
      {"\\frames\\", std::string(300, 'n')}};  // longer than a file name may be
  for (const auto& [folder, name] : kCases) {
    SCOPED_TRACE(folder.substr(0, 20) + " " + name.substr(0, 20));
    Run(folder, name, 8);
    EXPECT_EQ(t.form.frameNumber, 0);
    ExpectSwitchedOff();
  }
  EXPECT_EQ(FilesBelow(root.path()), std::vector<std::string>{"app/plain.txt"});
}

TEST_F(ImageFiles, SavingSwitchedOnAgainWritesIntoAFolderThatIsBack) {
  const fs::path frames = app() / "frames";
  Run("\\frames\\", "run", 12, [&](int pass) {
    if (pass == 3) fs::remove_all(frames);
  });
  ExpectSwitchedOff();
  // The user makes the folder again by checking the box; the series goes on.
  t.p.chkSaveImages.Click();
  EXPECT_TRUE(fs::is_directory(frames));
  const float numberBefore = t.form.frameNumber;
  t.PauseOnPass(8);
  t.p.cmdPause.Click();
  EXPECT_TRUE(t.form.saveImages);
  EXPECT_GT(t.form.frameNumber, numberBefore);
  for (const std::string& f : FilesBelow(root.path())) EXPECT_EQ(f.rfind("app/frames/run", 0), 0u) << f;
}

}  // namespace
}  // namespace antraid
