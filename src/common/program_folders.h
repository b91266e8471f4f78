// Where the program finds its own files and where it saves by default, in
// the build folder and when installed (executables in PREFIX/bin, the help
// document and assets in PREFIX/share/antraid).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace antraid {

// The program's folder for an executable in `exeDir`: exeDir itself when the
// help document lies beside the executable (the build folder) or nowhere
// else, and the installed data folder exeDir/../share/antraid when it holds
// the help document. Without a trailing separator.
std::string FindProgramFolder(const std::string& exeDir);
// The folder of this process's executable (from /proc/self/exe); "." when
// the system cannot tell.
std::string ExecutableFolder();

// The per-user data folder: $XDG_DATA_HOME/antraid, or
// $HOME/.local/share/antraid when XDG_DATA_HOME is unset, empty or relative.
// Nothing when neither variable gives an absolute folder. `env` reads a
// variable (nullptr when unset).
using EnvLookup = std::function<const char*(const char*)>;
std::optional<std::string> UserDataFolder(const EnvLookup& env);

// True when `folder` exists but this process may not create files in it (by
// its effective user: root may write a folder whose mode forbids it, not one
// on a read-only mount).
bool FolderExistsUnwritable(const std::string& folder);

struct SaveFolderChoice {
  std::string folder;  // without a trailing separator
  std::string note;    // a line for the log when the program's folder was passed over
};
// The folder below which frames are saved by default: the program's folder,
// unless it exists and cannot be written (an installed program run by a
// normal user); then the per-user data folder, created here. The program's
// folder also when the per-user one cannot be had.
SaveFolderChoice ChooseSaveFolder(const std::string& programFolder, const EnvLookup& env);

}  // namespace antraid
