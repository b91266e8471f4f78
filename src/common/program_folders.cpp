#include "common/program_folders.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace antraid {

namespace fs = std::filesystem;

namespace {
bool IsFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}
}  // namespace

std::string FindProgramFolder(const std::string& exeDir) {
  if (IsFile(fs::path(exeDir) / "help.rtf")) return exeDir;
  const fs::path installed = fs::path(exeDir).parent_path() / "share" / "antraid";
  if (IsFile(installed / "help.rtf")) return installed.lexically_normal().string();
  return exeDir;
}

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec || !exe.has_parent_path() ? std::string(".") : exe.parent_path().string();
}

std::optional<std::string> UserDataFolder(const EnvLookup& env) {
  const char* xdg = env("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return (fs::path(xdg) / "antraid").lexically_normal().string();
  const char* home = env("HOME");
  if (home && home[0] == '/') return (fs::path(home) / ".local" / "share" / "antraid").lexically_normal().string();
  return std::nullopt;
}

bool FolderExistsUnwritable(const std::string& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS);
}

SaveFolderChoice ChooseSaveFolder(const std::string& programFolder, const EnvLookup& env) {
  if (!FolderExistsUnwritable(programFolder)) return {programFolder, {}};
  const std::optional<std::string> user = UserDataFolder(env);
  std::error_code ec;
  if (!user || (fs::create_directories(*user, ec), !fs::is_directory(*user, ec)) || FolderExistsUnwritable(*user))
    return {programFolder, "The program's folder " + programFolder +
                               " cannot be written, nor a per-user folder (set HOME or XDG_DATA_HOME): frames are "
                               "saved below it all the same"};
  return {*user, "The program's folder " + programFolder + " cannot be written: frames are saved below " + *user +
                     " instead"};
}

}  // namespace antraid
