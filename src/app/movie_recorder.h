// A movie of a run: one frame of the world picture after every `every`-th
// model step, written by a MovieWriter. The window, antraid-script's `movie`
// line and a sweep's runs all record through this. The frames come from the
// canvas, or from a source the caller gives (the window's view with the
// trails).
//
// The movie stops, with a sentence for the user, when the file cannot be
// written or when less than kLeastFreeBytes remain on its disk (checked
// before each frame, as the frame series does); the file is then finished as
// far as it got and stays playable.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "sim/form_observer.h"
#include "app/movie_writer.h"

namespace antraid {

class MainForm;

class MovieRecorder final : private FormObserver {
 public:
  static constexpr uint64_t kLeastFreeBytes = uint64_t{1} << 30;  // 1 GiB, as for the frame series

  // frames: the picture to write (canvas-sized 0xFFRRGGBB), the canvas when
  // empty. stopped: hears why the movie stopped by itself (a full disk, a
  // failed write).
  MovieRecorder(MainForm& form, std::function<const uint32_t*()> frames = {},
                std::function<void(const std::string&)> stopped = {});
  ~MovieRecorder();  // finishes a movie in progress
  MovieRecorder(const MovieRecorder&) = delete;
  MovieRecorder& operator=(const MovieRecorder&) = delete;

  // Starts a movie; a movie in progress is finished first. False with error()
  // set when the file cannot be made.
  bool Start(const std::string& path, int64_t every);
  // Finishes the movie in progress: the file is complete and playable.
  // False with error() set when the last write failed.
  bool Stop();

  bool recording() const { return writer_.isOpen(); }
  int frames() const { return writer_.frames(); }
  int64_t every() const { return every_; }
  const std::string& path() const { return writer_.path(); }
  const std::string& error() const { return writer_.error().empty() ? error_ : writer_.error(); }

  // Steps between two frames such that a raid of about half an hour of model
  // time lasts about 20 s at 30 frames a second (6 with the default 0.5 s).
  static int64_t DefaultEvery(float modelTimeStep);

 private:
  void StepDone() override;
  void StopWith(const std::string& why);

  MainForm& form_;
  std::function<const uint32_t*()> frames_;
  std::function<void(const std::string&)> stopped_;
  MovieWriter writer_;
  int64_t every_ = 1;
  int64_t steps_ = 0;  // model steps since the movie started
  std::string error_;
};

}  // namespace antraid
