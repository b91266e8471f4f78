// User actions: what listeners hear, and the thumb of a scroll bar (the
// script lines drag and release: the replays of random sessions).
#include "sim/user_actions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "sim/test_form.h"

namespace antraid {
namespace {

using testing::LoadedForm;

// Notes every action as "<line>" when it starts and "/" when it returns.
struct Log : ActionListener {
  std::vector<std::string> heard;
  void ActionStarting(const UserAction& a) override { heard.push_back(a.ScriptLine()); }
  void ActionDone(const UserAction&) override { heard.push_back("/"); }
  void Answered(bool yes) override { heard.push_back(yes ? "answer Yes" : "answer No"); }
};

TEST(UserActions, ListenersHearEachActionAsItsScriptLineAroundItsRun) {
  LoadedForm t;
  Log log;
  t.form.actions.Subscribe(log);
  UserActions& a = t.form.actions;
  a.Type(t.p.txtPercentFood, "2.5");
  a.Click(t.p.chkUseVel);
  a.Scroll(t.p.scrColWidth, 20);
  a.MouseDown(1, 4, 350.25f, 0.1f);
  a.MouseUp(1, 4, 350.25f, 0.1f);
  a.ClickForm();
  a.Seed(18446744073709551615ull);
  a.Click(t.p.cmdPause);  // disabled before the first start: not heard
  EXPECT_EQ(log.heard, (std::vector<std::string>{
                           "type txtPercentFood 2.5", "/", "click chkUseVel", "/", "scroll scrColWidth 20", "/",
                           "mouse down 1 4 350.25 0.1", "/", "mouse up 1 4 350.25 0.1", "/", "click Form", "/",
                           "seed 18446744073709551615", "/"}));
  EXPECT_EQ(t.form.params.percentFood, 2.5f);
  EXPECT_FALSE(t.form.params.useVel);
  EXPECT_EQ(t.form.params.colonyWidth, 20);
  t.form.actions.Unsubscribe(log);
}

TEST(UserActions, ThumbRunsTheScrollRuleWhileHeldAndTheChangeRuleOnceWhenLetGoElsewhere) {
  LoadedForm t;
  // The colony position has a change rule only: nothing runs while the thumb
  // moves, the nest is redrawn once at the new place when it is let go.
  t.form.actions.Drag(t.p.scrColonyYPos, 400);
  EXPECT_EQ(t.p.scrColonyYPos.value(), 400);
  EXPECT_EQ(t.form.params.homeYPos, 695);
  t.form.actions.Release(t.p.scrColonyYPos);
  EXPECT_EQ(t.form.params.homeYPos, 400);
  // Dragged away and back: no change when let go.
  t.form.actions.Drag(t.p.scrColonyYPos, 300);
  t.form.actions.Drag(t.p.scrColonyYPos, 400);
  t.p.lblHomeYPos.SetCaption("");
  t.form.actions.Release(t.p.scrColonyYPos);
  EXPECT_EQ(t.p.lblHomeYPos.caption(), "");
  // The path colours run their rule for every position of the thumb.
  t.form.actions.Drag(t.p.scrPathColorOut, 17);
  EXPECT_EQ(t.form.params.pathColorOut, 17);
  EXPECT_EQ(t.p.txtDebugMsg.text(), "17");
}

TEST(UserActions, MouseCoordinatesReadBackToTheSameFloat) {
  std::mt19937 gen(7);
  std::uniform_int_distribution<uint32_t> bits;
  for (int i = 0; i < 100000; ++i) {
    uint32_t b = bits(gen);
    float f;
    std::memcpy(&f, &b, sizeof f);
    if (!std::isfinite(f)) continue;
    const std::string text = RoundTripSingle(f);
    const ParsedNumber back = ParseNumber(text);
    ASSERT_TRUE(back.ok()) << text;
    ASSERT_EQ(static_cast<float>(back.value), f) << text;
  }
}

// What a session printed that builds a run of 50 ants after `seed`.
std::string Session(int seed, std::optional<uint64_t> sessionSeed) {
  testing::ScriptSession<> s(
      "type txtNumAnts 50\nseed " + std::to_string(seed) +
          "\nclick cmdStartProgram\nwait 40\nprint colonyFood antsOut maxDistTraveled ant 7 ant 31\n",
      sessionSeed);
  return s.out.str() + s.err.str();
}

// Without --seed the clock seeds the session; a seed given before a Start
// makes the run built by that Start the same every time.
TEST(UserActions, SeedFixesTheRunsBuiltAfterIt) {
  const std::string first = Session(42, std::nullopt);
  EXPECT_EQ(first, Session(42, std::nullopt));
  EXPECT_EQ(first, Session(42, 99));
  EXPECT_NE(first, Session(43, std::nullopt));
}

}  // namespace
}  // namespace antraid
