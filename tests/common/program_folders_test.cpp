// Where the program looks for its own files (the build folder and the
// installed layout) and where frames go when its folder cannot be written.
// /proc/1 stands for a folder nobody may write, root included.
#include "common/program_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "sim/test_form.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;

class ProgramFolders : public ::testing::Test {
 protected:
  void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "{\\rtf1 }";
  }
  static EnvLookup Env(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> const char* {
      auto it = vars.find(name);
      return it == vars.end() ? nullptr : it->second.c_str();
    };
  }
  testing::TempFolder folder_;
  const fs::path dir_ = folder_.path();
};

TEST_F(ProgramFolders, TheProgramFolderIsBesideTheExecutableUnlessTheInstalledDataFolderHoldsTheHelp) {
  const std::string bin = (dir_ / "usr" / "bin").string();
  fs::create_directories(bin);
  EXPECT_EQ(FindProgramFolder(bin), bin);  // no help anywhere: as in the build folder
  Touch(dir_ / "usr" / "share" / "antraid" / "help.rtf");
  EXPECT_EQ(FindProgramFolder(bin), (dir_ / "usr" / "share" / "antraid").string());
  Touch(dir_ / "usr" / "bin" / "help.rtf");  // the build folder's layout wins
  EXPECT_EQ(FindProgramFolder(bin), bin);
}

TEST_F(ProgramFolders, ThePerUserFolderFollowsXdgDataHomeThenHome) {
  EXPECT_EQ(UserDataFolder(Env({{"XDG_DATA_HOME", "/x/data/"}, {"HOME", "/home/u"}})), "/x/data/antraid");
  EXPECT_EQ(UserDataFolder(Env({{"XDG_DATA_HOME", "relative"}, {"HOME", "/home/u"}})),
            "/home/u/.local/share/antraid");
  EXPECT_EQ(UserDataFolder(Env({{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}})), "/home/u/.local/share/antraid");
  EXPECT_EQ(UserDataFolder(Env({{"HOME", "home"}})), std::nullopt);
  EXPECT_EQ(UserDataFolder(Env({})), std::nullopt);
}

TEST_F(ProgramFolders, FramesGoToThePerUserFolderOnlyWhenTheProgramFolderExistsAndCannotBeWritten) {
  const auto env = Env({{"XDG_DATA_HOME", (dir_ / "data").string()}});
  const std::string writable = dir_.string(), missing = (dir_ / "missing").string();
  for (const std::string& folder : {writable, missing}) {
    const SaveFolderChoice kept = ChooseSaveFolder(folder, env);
    EXPECT_EQ(kept.folder, folder);
    EXPECT_EQ(kept.note, "");
  }
  EXPECT_FALSE(fs::exists(dir_ / "data"));
  ASSERT_TRUE(FolderExistsUnwritable("/proc/1"));
  const SaveFolderChoice moved = ChooseSaveFolder("/proc/1", env);
  EXPECT_EQ(moved.folder, (dir_ / "data" / "antraid").string());
  EXPECT_EQ(moved.note, "The program's folder /proc/1 cannot be written: frames are saved below " + moved.folder +
                            " instead");
  EXPECT_TRUE(fs::is_directory(moved.folder));
  const SaveFolderChoice nowhere = ChooseSaveFolder("/proc/1", Env({}));
  EXPECT_EQ(nowhere.folder, "/proc/1");
  EXPECT_EQ(nowhere.note,
            "The program's folder /proc/1 cannot be written, nor a per-user folder (set HOME or XDG_DATA_HOME): "
            "frames are saved below it all the same");
}

}  // namespace
}  // namespace antraid
