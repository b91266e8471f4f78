// A loaded main form on a headless host, and a temporary folder that removes
// itself: the common ground of the form-level tests.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/headless/headless_host.h"

namespace antraid::testing {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("antraid-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The pixels of a canvas, for comparing whole pictures.
inline std::vector<uint32_t> Snapshot(const Canvas& c) {
  return std::vector<uint32_t>(c.pixels(), c.pixels() + c.width() * c.height());
}

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The window as it stands after opening: controls at their defaults and the
// parameters read once. `pauseAfter` passes of event processing after a run
// starts, the Pause button is clicked, so every run of a test ends.
struct LoadedForm {
  HeadlessHost host;
  MainForm form{host};
  Panel& p = form.panel;

  explicit LoadedForm(std::string appPath = ".", uint64_t seed = 11) {
    host.appPath = std::move(appPath);
    form.rng.SetFixedSeed(seed);
    form.Form_Load();
  }
  // Clicks Pause on the given event-processing pass (counted from now).
  void PauseOnPass(int pass) {
    const int at = host.passes + pass;
    host.onDoEvents = [this, at] {
      if (host.passes == at) p.cmdPause.Click();
    };
  }
  // First start that runs `steps` model steps in all before it pauses.
  void StartAndRun(int steps) {
    PauseOnPass(steps - 1);
    p.cmdStartProgram.Click();
  }
};

}  // namespace antraid::testing
