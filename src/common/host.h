// Everything the form asks of its surroundings. The window and the headless
// script runner each implement it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace antraid {

class Host {
 public:
  virtual ~Host() = default;
  // Runs the pending user events now (one event-processing pass) and returns.
  virtual void DoEvents() = 0;
  // Modal Yes/No question titled with the application's title; true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
  virtual void Beep() = 0;
  // The program's folder, without a trailing separator.
  virtual std::string AppPath() = 0;
  // The folder below which frames are saved by default: AppPath(), or the
  // per-user data folder when AppPath() cannot be written (see
  // ChooseSaveFolder). The first time it passes over AppPath() it says so
  // with Note().
  virtual std::string SaveFolder();
  // A line for the program's log: standard error.
  virtual void Note(std::string_view line);
  // Creates every missing folder of the path; true when it exists afterwards.
  virtual bool MakeSureDirectoryPathExists(const std::string& path);
  // Bytes free for the program on the file system that holds path (a file
  // or folder; its nearest existing folder counts); nullopt when the system
  // cannot tell.
  virtual std::optional<uint64_t> FreeSpace(const std::string& path);
  // The main window closes: the program ends as soon as control returns.
  virtual void EndProgram() {}
  // Shows the help window (not modal), creating it and loading the document
  // at path first when load is true; otherwise only brings it to the front.
  virtual void ShowHelp(const std::string& /*path*/, bool /*load*/) {}

 private:
  std::string noted_;  // the last line SaveFolder() gave Note(), said once
};

// Turns a path of the panel into a path of this system: a backslash is a
// folder separator.
std::string NativePath(std::string_view path);

}  // namespace antraid
