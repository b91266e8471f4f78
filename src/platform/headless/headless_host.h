// A host without a window: events come from a queue of scripted actions (or
// nothing at all), answers to Yes/No boxes from a queue of answers.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "common/host.h"

namespace antraid {

class HeadlessHost : public Host {
 public:
  // Called for every event-processing pass; tests and the script runner hook
  // their actions in here.
  std::function<void()> onDoEvents;
  // Answers for the next Yes/No boxes; an empty queue answers No.
  std::deque<bool> answers;
  std::function<bool(std::string_view)> onAsk;  // replaces the queue when set

  std::string appPath = ".";
  // The free space every file system reports; nullopt: the real figure.
  std::optional<uint64_t> freeSpace;
  int passes = 0;      // DoEvents calls so far
  int beeps = 0;
  int questions = 0;
  std::string lastQuestion;
  bool ended = false;
  std::string helpShown;  // path of the last help document loaded
  int helpShows = 0;

  void DoEvents() override {
    ++passes;
    if (onDoEvents) onDoEvents();
  }
  bool AskYesNo(std::string_view text) override {
    ++questions;
    lastQuestion.assign(text);
    if (onAsk) return onAsk(text);
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }
  std::string AppPath() override { return appPath; }
  std::optional<uint64_t> FreeSpace(const std::string& path) override {
    return freeSpace ? freeSpace : Host::FreeSpace(path);
  }
  void EndProgram() override { ended = true; }
  void ShowHelp(const std::string& path, bool load) override {
    ++helpShows;
    if (load) helpShown = path;
  }
};

}  // namespace antraid
