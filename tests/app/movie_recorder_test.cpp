// Movies of a run: frames counted and sized by FFmpeg's own reader
// (ffprobe), every ending of a movie leaving a complete file, and the lines
// of a script that records one.
#include "app/movie_recorder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sim/test_form.h"

namespace antraid {
namespace {

using testing::ScriptSession;
using testing::TempFolder;

// The movie's stream, probed in its own folder.
std::string Probe(const std::string& file) {
  return testing::MovieProbe(file, std::filesystem::path(file).parent_path());
}

TEST(Movie, AFrameAfterEveryNthStepUntilTheScriptStopsOrEnds) {
  TempFolder dir;
  const std::string every = dir / "every.mp4", seventh = dir / "seventh.mp4", stopped = dir / "stopped.mp4";
  // Start, then 300 passes each followed by a step; the close comes in the
  // 301st pass, before a step.
  ScriptSession<> s("type txtNumAnts 50\nmovie " + every + " 1\nclick cmdStartProgram\nwait 300\nclose\n", 1);
  ASSERT_EQ(s.rc, 0) << s.err.str();
  EXPECT_EQ(Probe(every), "h264,500,500,300");

  const std::string script = "movie " + seventh + " 7\nclick cmdStartProgram\nwait 100\nmovie stop\nmovie " + stopped;
  ScriptSession<> t(script + " 2\nwait 60\n", 1);  // the end of the script finishes the second movie
  ASSERT_EQ(t.rc, 0) << t.err.str();
  EXPECT_EQ(Probe(seventh), "h264,500,500,14");  // steps 7, 14, ... 98
  EXPECT_EQ(Probe(stopped), "h264,500,500,30");
}

TEST(Movie, WebMFilesTooAndMistakesAreScriptErrors) {
  TempFolder dir;
  ScriptSession<> s("movie " + (dir / "raid.webm") + " 1\nclick cmdStartProgram\nwait 12\nclose\n", 1);
  ASSERT_EQ(s.rc, 0) << s.err.str();
  EXPECT_EQ(Probe(dir / "raid.webm"), "vp9,500,500,12");

  const std::pair<std::string, std::string> mistakes[] = {
      {"movie " + (dir / "raid.avi") + " 1", "cannot record a movie: a movie is an .mp4 or a .webm file: " + (dir / "raid.avi")},
      {"movie " + (dir / "raid.mp4") + " 0", "number \"0\" out of range (1 to 1000000)"},
      {"movie " + (dir / "raid.mp4"), "missing number of steps"},
      {"movie", "missing file name or stop"},
      {"movie stop now", "unexpected \"now\" at the end of the line"},
  };
  for (const auto& [line, message] : mistakes) {
    ScriptSession<> m(line + "\n", 1);
    EXPECT_EQ(m.rc, 2) << line;
    EXPECT_EQ(m.err.str(), "antraid-script: line 1: " + message + "\n") << line;
  }
  ScriptSession<> nowhere("movie " + (dir / "no/such/folder.mp4") + " 1\n", 1);
  EXPECT_EQ(nowhere.rc, 2);
  EXPECT_NE(nowhere.err.str().find("line 1: cannot record a movie: cannot write "), std::string::npos) << nowhere.err.str();
}

TEST(Movie, StopsWhenTheDiskIsNearlyFullAndKeepsWhatItWrote) {
  TempFolder dir;
  const std::string file = dir / "full.mp4";
  std::ostringstream out, err;
  ScriptOptions options;
  options.seed = 1;
  ScriptRunner* self = nullptr;
  // From line 4 on (read in the 11th pass, after 10 steps from 1 s) the disk is all but full.
  options.beforeLine = [&self](int line) {
    if (line == 4) self->freeSpace = MovieRecorder::kLeastFreeBytes - 1;
    return true;
  };
  ScriptRunner runner(out, err, options);
  self = &runner;
  ASSERT_EQ(runner.Run("movie " + file + " 1\nclick cmdStartProgram\nwait 10\nprint modelTime\nwait 10\n"), 0);
  EXPECT_EQ(out.str(), "modelTime=6\nMovie stopped: less than 1 GiB free on " + dir.str() + " (" + file +
                           " is complete up to here)\n");
  EXPECT_EQ(Probe(file), "h264,500,500,10");
}

TEST(Movie, DefaultSpacingMakesAHalfHourRaidTwentySecondsLong) {
  EXPECT_EQ(MovieRecorder::DefaultEvery(0.5f), 6);  // 3600 steps, 600 frames
  EXPECT_EQ(MovieRecorder::DefaultEvery(1.0f), 3);
  EXPECT_EQ(MovieRecorder::DefaultEvery(10.0f), 1);
  EXPECT_EQ(MovieRecorder::DefaultEvery(0.001f), 3000);
  EXPECT_EQ(MovieRecorder::DefaultEvery(0.0f), 1);  // a time step the panel refuses
}

}  // namespace
}  // namespace antraid
