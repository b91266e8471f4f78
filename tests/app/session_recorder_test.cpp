// Session recording: a headless stand-in for the window performs actions at
// chosen passes of the event processing, the recorder writes the session, and
// the script runner's replay must show the same form at every pass.
#include "app/session_recorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/main_form.h"
#include "app/script_line.h"
#include "sim/test_form.h"
#include "common/version.h"
#include "platform/headless/script_runner.h"

namespace antraid {
namespace {

static_assert(SessionRecorder::kMaxReplayDepth == ScriptRunner::kMaxDepth);

using testing::FormState;
using testing::ScriptSession;
using testing::Snapshot;
using testing::TempFolder;

// The picture is hashed on every fifth pass (and at the end): enough to catch
// a wrong step, cheap under the sanitizers.
bool HashPixelsOnPass(size_t pass) { return pass % 5 == 0; }

// The replay's trace is the window's from pass `from` on; gtest shows the
// lines of the first pass that differs.
void ExpectSameTrace(const std::vector<std::string>& window, const std::vector<std::string>& replay, size_t from = 0) {
  EXPECT_EQ(window.size(), replay.size()) << "passes";
  for (size_t i = from; i < window.size() && i < replay.size(); ++i)
    if (window[i] != replay[i]) {
      EXPECT_EQ(window[i], replay[i]) << "pass " << i + 1;
      return;
    }
}

// The window's host as far as the recorder sees it: every pass is reported,
// and so is every answer to a Yes/No box.
struct WindowHost : HeadlessHost {
  SessionRecorder* recorder = nullptr;
  MainForm* form = nullptr;
  std::function<void()> atPass;  // before the user's actions of the pass
  void DoEvents() override {
    recorder->PassBegins();
    if (atPass) atPass();
    HeadlessHost::DoEvents();
    recorder->PassEnds();
  }
  bool AskYesNo(std::string_view text) override {
    const bool yes = HeadlessHost::AskYesNo(text);
    form->actions.Answered(yes);
    return yes;
  }
};

// A window session: the form, its recorder, and the state at the start of
// every pass.
struct WindowSession {
  WindowHost host;
  MainForm form{host};
  std::optional<SessionRecorder> recorder;
  std::vector<std::string> trace;
  Panel& p = form.panel;
  UserActions& a = form.actions;
  std::map<int, std::function<void()>> plan;  // actions by pass number

  WindowSession(std::optional<uint64_t> seed, const std::string& appPath) {
    host.appPath = appPath;
    if (seed) form.rng.SetFixedSeed(*seed);
    recorder.emplace(form, seed);
    host.recorder = &*recorder;
    host.form = &form;
    host.atPass = [this] { trace.push_back(FormState(form, HashPixelsOnPass(trace.size() + 1))); };
    host.onDoEvents = [this] {
      if (auto it = plan.find(host.passes); it != plan.end()) it->second();
    };
    form.Form_Load();
  }
  // The script as saved when the window has closed.
  std::string Body() const {
    const std::string s = recorder->Script();
    size_t at = 0;
    for (int i = 0; i < SessionRecorder::kHeaderLines; ++i) at = s.find('\n', at) + 1;
    return s.substr(at);
  }
};

// The script runner's replay, with the state at the start of every pass.
class Replay : public ScriptRunner {
 public:
  using ScriptRunner::ScriptRunner;
  std::vector<std::string> trace;
  void DoEvents() override {
    trace.push_back(FormState(*form(), HashPixelsOnPass(trace.size() + 1)));
    ScriptRunner::DoEvents();
  }
};

// The replay of a closed session shows the window's form at every pass and
// at the end, pixel for pixel.
void ExpectExactReplay(WindowSession& s, uint64_t seed, const std::string& appPath) {
  ASSERT_TRUE(s.form.unloaded);
  const std::string script = s.recorder->Script();
  ScriptSession<Replay> r(script, seed, appPath);
  SCOPED_TRACE(script);
  EXPECT_EQ(r.err.str(), "");
  ExpectSameTrace(s.trace, r.runner.trace);
  EXPECT_EQ(FormState(r.form(), true), FormState(s.form, true));
  EXPECT_TRUE(Snapshot(r.form().pctWorld) == Snapshot(s.form.pctWorld));
}

TEST(SessionRecorder, TypingStartZoomPauseGoAndPauseAgainReplayExactly) {
  TempFolder dir;
  WindowSession s(42, dir.str());
  // Start's loop: passes 1 to 5; Pause on pass 5 makes a pass of its own (6).
  // Go's loop: passes 7 and 8; Pause on 8 makes pass 9.
  s.plan[3] = [&] { s.a.MouseDown(1, 0, 350, 347.5f); };
  s.plan[5] = [&] { s.a.Click(s.p.cmdPause); };
  s.plan[8] = [&] { s.a.Click(s.p.cmdPause); };
  s.a.Type(s.p.txtNumAnts, "100");
  s.a.Click(s.p.cmdStartProgram);
  s.a.Click(s.p.cmdPause);
  s.a.Close();
  EXPECT_EQ(s.Body(),
            "type txtNumAnts 100\nclick cmdStartProgram\nwait 2\nmouse down 1 0 350 347.5\nwait 2\nclick cmdPause\n"
            "wait 2\n"  // Pause's own pass, then the rest of pass 5
            "click cmdPause\nwait 1\nclick cmdPause\nwait 2\nclose\n");
  EXPECT_EQ(s.recorder->Script().substr(0, s.recorder->Script().find("type")),
            "# antraid " + std::string(kVersion) + " session, recorded by the window\n"
            "# Seed 42, fixed at start-up: replay with antraid-script --seed 42 FILE\n"
            "# Program folder " + dir.str() + " (antraid-script --app-path gives the same file paths)\n"
            "# The replay is exact from line 5 on\n");
  ExpectExactReplay(s, 42, dir.str());
}

// The header line that says how exact the replay is.
std::string ReplayLine(const SessionRecorder& r) {
  return std::string(SplitLines(r.Script())[SessionRecorder::kHeaderLines - 1]);
}

TEST(SessionRecorder, TheHeaderSaysFromWhichLineTheReplayIsExact) {
  TempFolder dir;
  {  // No run: the clock never mattered.
    WindowSession s(std::nullopt, dir.str());
    s.a.Type(s.p.txtNumAnts, "50");
    EXPECT_EQ(ReplayLine(*s.recorder), "# The replay is exact from line 5 on");
    EXPECT_EQ(s.Body(), "type txtNumAnts 50\nclose\n");
    s.plan[2] = [&] { s.a.Click(s.p.cmdPause); };
    s.a.Click(s.p.cmdStartProgram);  // the clock seeds this run
    EXPECT_EQ(ReplayLine(*s.recorder),
              "# The replay is not exact: runs were built while the clock seeded the random source");
  }
  {  // A line break cannot be part of a script line.
    WindowSession s(3, dir.str());
    s.a.Type(s.p.txtImageName, "a\r\nb\nc");
    s.a.MouseDown(1, 0, NAN, 3);
    EXPECT_EQ(ReplayLine(*s.recorder),
              "# The replay is not exact from line 5 on: that line typed a text with a line break, written here "
              "with a blank");
    const std::string body = s.Body();
    EXPECT_EQ(body.substr(0, body.find('\n')), "type txtImageName a b c");
    EXPECT_EQ(body.find("\n# mouse down 1 0 "), body.find('\n'));
  }
  {  // A seed fixed in the middle of a session: exact from the run it builds.
    WindowSession s(std::nullopt, dir.str());
    s.host.answers = {true};
    s.plan[3] = [&] { s.a.Click(s.p.cmdPause); };
    s.plan[9] = [&] { s.a.Click(s.p.cmdPause); };
    s.a.Type(s.p.txtNumAnts, "60");
    s.a.Click(s.p.cmdStartProgram);  // passes 1 to 4 with the clock's seed
    s.a.Seed(5);
    s.a.Click(s.p.cmdStartProgram);  // restart: passes 5 to 10 from seed 5
    s.a.Close();
    EXPECT_EQ(ReplayLine(*s.recorder), "# The replay is exact from line 12 on");
    const std::string script = s.recorder->Script();
    EXPECT_EQ(SplitLines(script)[11], "click cmdStartProgram");
    ScriptSession<Replay> r(script, 99, dir.str());
    EXPECT_EQ(r.err.str(), "");
    // From the pass after the restart on the same run; only the read-outs
    // it has not rewritten yet (the last moved ant, the swarm widths) may
    // still show the clock's run.
    auto rewritten = [](std::vector<std::string> trace) {
      for (std::string& state : trace) {
        std::string kept;
        for (std::string_view line : SplitLines(state))
          if (!line.starts_with("antXPos=") && !line.starts_with("antYPos=") && !line.starts_with("lastSwarmWidth=") &&
              !line.starts_with("txtSwarmWidth "))
            kept.append(line).append("\n");
        state = kept;
      }
      return trace;
    };
    ExpectSameTrace(rewritten(s.trace), rewritten(r.runner.trace), 5);
  }
}

// A random user of the window acting at random passes of the runs, at every
// depth (several actions in one pass, in the pass Pause makes, right after
// a restart returns), at top level between runs, and closing the window
// wherever the session's budget of passes runs out. The session is also
// saved once in the middle.
struct WindowUser : testing::RandomUser {
  WindowSession& s;
  int budget;
  int nextPass = 1;
  int saveAt;
  int depth = 0;  // passes in progress
  std::string midScript;
  size_t midPasses = 0;

  WindowUser(unsigned seed, WindowSession& session) : RandomUser(seed), s(session) {
    budget = 30 + static_cast<int>(Pick(120));
    saveAt = 1 + static_cast<int>(Pick(static_cast<size_t>(budget)));
    s.host.onAsk = [this](std::string_view) { return Pick(3) != 0; };
    s.host.onDoEvents = [this] { OnPass(); };
  }

  void OnPass() {
    if (s.form.unloaded) return;
    const int pass = s.host.passes;
    if (pass == saveAt) {
      midScript = s.recorder->Script();
      midPasses = s.trace.size();
    }
    if (pass >= budget) {
      s.a.Close();
      return;
    }
    if (pass < nextPass) return;
    ++depth;
    const size_t n = Pick(5) == 0 ? 2 + Pick(2) : 1;
    for (size_t i = 0; i < n && !s.form.unloaded; ++i) Act(s.form, depth < 4);
    --depth;
    nextPass = s.host.passes + 1 + static_cast<int>(Pick(6));
  }

  // Between runs: a few actions, then Start or Go, until the budget is spent.
  void Play() {
    const char* counts[] = {"60", "100", "150"};
    s.a.Type(s.p.txtNumAnts, counts[Pick(3)]);
    while (!s.form.unloaded) {
      if (s.host.passes >= budget) {
        s.a.Close();
        break;
      }
      for (size_t k = Pick(3); k > 0 && !s.form.unloaded; --k) Act(s.form, true);
      if (s.form.unloaded) break;
      if (Pick(2) && s.p.cmdPause.enabled())
        s.a.Click(s.p.cmdPause);
      else
        s.a.Click(s.p.cmdStartProgram);
    }
  }
};

TEST(SessionRecorder, RandomWindowSessionsReplayExactlyAtEveryPassAndWhenSavedHalfway) {
  TempFolder dir;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    // Every third session fixes its seed with a seed action before the first
    // run instead of at start-up.
    const bool atStartUp = seed % 3 != 0;
    WindowSession s(atStartUp ? std::optional<uint64_t>(seed) : std::nullopt, dir.str());
    if (!atStartUp) s.a.Seed(1000 + seed);
    WindowUser user(seed, s);
    user.Play();
    EXPECT_EQ(ReplayLine(*s.recorder), "# The replay is exact from line 5 on");
    ExpectExactReplay(s, seed, dir.str());
    if (!user.midScript.empty()) {
      ScriptSession<Replay> r(user.midScript, seed, dir.str());
      EXPECT_EQ(r.err.str(), "");
      ExpectSameTrace({s.trace.begin(), s.trace.begin() + user.midPasses}, r.runner.trace);
    }
  }
}

}  // namespace
}  // namespace antraid
