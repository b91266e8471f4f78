#include "common/host.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "common/program_folders.h"

namespace antraid {

std::string NativePath(std::string_view path) {
  std::string p(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

std::string Host::SaveFolder() {
  SaveFolderChoice choice = ChooseSaveFolder(AppPath(), [](const char* name) { return std::getenv(name); });
  if (!choice.note.empty() && choice.note != noted_) {
    noted_ = choice.note;
    Note(choice.note);
  }
  return std::move(choice.folder);
}

void Host::Note(std::string_view line) { std::cerr << line << std::endl; }

bool Host::MakeSureDirectoryPathExists(const std::string& path) {
  namespace fs = std::filesystem;
  std::string p = NativePath(path);
  // Only the folder part counts: everything up to the last separator.
  size_t cut = p.find_last_of('/');
  if (cut == std::string::npos) return false;
  p.resize(cut + 1);
  std::error_code ec;
  fs::create_directories(fs::path(p), ec);
  return fs::is_directory(fs::path(p), ec);
}

std::optional<uint64_t> Host::FreeSpace(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p(path);
  while (!fs::exists(p, ec)) {
    if (p.empty() || p == p.parent_path()) return std::nullopt;
    p = p.parent_path();
  }
  const fs::space_info space = fs::space(p, ec);
  if (ec) return std::nullopt;
  return space.available;
}

}  // namespace antraid
