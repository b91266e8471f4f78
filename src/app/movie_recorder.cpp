#include "app/movie_recorder.h"

#include <cmath>
#include <filesystem>
#include <utility>

#include "sim/main_form.h"

namespace antraid {

MovieRecorder::MovieRecorder(MainForm& form, std::function<const uint32_t*()> frames,
                             std::function<void(const std::string&)> stopped)
    : form_(form), frames_(std::move(frames)), stopped_(std::move(stopped)) {
  form_.Subscribe(*this);
}

MovieRecorder::~MovieRecorder() {
  form_.Unsubscribe(*this);
  Stop();
}

int64_t MovieRecorder::DefaultEvery(float modelTimeStep) {
  constexpr double kRaidSeconds = 30 * 60;  // model time of a default raid
  constexpr double kMovieFrames = 20.0 * MovieWriter::kFramesPerSecond;
  const double every = std::round(kRaidSeconds / kMovieFrames / modelTimeStep);
  return std::isfinite(every) && every >= 1 ? (every > 1e6 ? 1000000 : static_cast<int64_t>(every)) : 1;
}

bool MovieRecorder::Start(const std::string& path, int64_t every) {
  Stop();
  error_.clear();
  every_ = every < 1 ? 1 : every;
  steps_ = 0;
  return writer_.Open(path, form_.pctWorld.width(), form_.pctWorld.height());
}

bool MovieRecorder::Stop() {
  if (!writer_.isOpen()) return true;
  return writer_.Finish();
}

void MovieRecorder::StopWith(const std::string& why) {
  error_ = why;
  if (stopped_) stopped_(why);
}

void MovieRecorder::StepDone() {
  if (!writer_.isOpen() || ++steps_ % every_ != 0) return;
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(writer_.path(), ec).parent_path();
  const std::optional<uint64_t> free = form_.host.FreeSpace(folder.string());
  if (free && *free < kLeastFreeBytes) {
    const std::string file = writer_.path();
    writer_.Finish();
    StopWith("Movie stopped: less than 1 GiB free on " + folder.string() + " (" + file + " is complete up to here)");
    return;
  }
  if (!writer_.AddFrame(frames_ ? frames_() : form_.pctWorld.pixels())) StopWith("Movie stopped: " + writer_.error());
}

}  // namespace antraid
