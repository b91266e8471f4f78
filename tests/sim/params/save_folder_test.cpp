// The frames' default folder at a parameter load when the program's folder
// cannot be written (/proc/1 stands for it, root included): the per-user
// data folder, said once on standard error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sim/test_form.h"

namespace antraid {
namespace {

namespace fs = std::filesystem;

TEST(SaveFolder, AStartWithAnUnwritableProgramFolderSavesBelowThePerUserFolderAndSaysSoOnce) {
  const fs::path dir = fs::temp_directory_path() / ("antraid-save-folder-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string kept = old ? old : "";
  ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  ::testing::internal::CaptureStderr();
  testing::LoadedForm t("/proc/1");  // opening the window loads the parameters once
  t.form.SetVariables();
  const std::string said = ::testing::internal::GetCapturedStderr();
  old ? ::setenv("XDG_DATA_HOME", kept.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(t.form.FieldText("saveFilePath"), (dir / "data" / "antraid").string() + "\\results\\");
  EXPECT_EQ(said, "The program's folder /proc/1 cannot be written: frames are saved below " +
                      (dir / "data" / "antraid").string() + " instead\n");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace antraid
