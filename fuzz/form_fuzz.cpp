// Fuzz target for the main form: each input is a sequence of user actions
// (see form_actions.h) played on a headless form. Besides crashes and
// sanitizer findings it aborts on the first broken invariant of the form.
//
// Frames and folders the actions ask for are written under a private
// working folder, emptied after every input; the process works there only
// while an input plays, so crash artifacts need an absolute -artifact_prefix.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "form_actions.h"

namespace {

namespace fs = std::filesystem;

struct Totals {
  long long inputs = 0, actions = 0, steps = 0;
};
Totals totals;
fs::path workFolder;  // current only while one input plays, emptied after it

void PrintTotals() {
  std::fprintf(stderr, "form_fuzz: %lld inputs, %lld actions, %lld model steps\n", totals.inputs, totals.actions,
               totals.steps);
  std::error_code ec;
  if (!workFolder.empty()) fs::remove_all(workFolder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  workFolder = fs::temp_directory_path() / ("antraid-form-fuzz-" + std::to_string(::getpid()));
  fs::create_directories(workFolder);
  std::atexit(PrintTotals);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string failure;
  {
    antraid::fuzzing::InFolder here(workFolder);
    antraid::fuzzing::ActionPlayer player(std::string_view(reinterpret_cast<const char*>(data), size));
    failure = player.Play();
    ++totals.inputs;
    totals.actions += player.actions();
    totals.steps += player.steps();
  }
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(workFolder, ec)) fs::remove_all(entry.path(), ec);
  if (!failure.empty()) {
    std::fprintf(stderr, "form_fuzz: broken invariant %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
