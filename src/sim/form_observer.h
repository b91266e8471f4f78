// Listeners of the main form. Several may listen at once (the window's plots
// and message log, the session recorder, a script's recordings); with none
// subscribed a notification costs one test of an empty list.
#pragma once

#include <string_view>

namespace antraid {

class FormObserver {
 public:
  // World, food and ants have just been built for a new run: the first
  // Start, a confirmed restart or a confirmed change of the number of ants.
  // The run loop has not stepped yet.
  virtual void RunBuilt() {}
  // The very end of a model step, after its saved frame.
  virtual void StepDone() {}
  // A message written to the Messages box, except the texts rewritten on
  // every step (the frame counter and the tracked ant's position).
  virtual void MessageShown(std::string_view /*text*/) {}
  // A frame of the image series was written to `file` (a path of this
  // system). The message that follows at once, the model time, is the
  // frame's own.
  virtual void FrameSaved(std::string_view /*file*/) {}

 protected:
  ~FormObserver() = default;
};

}  // namespace antraid
