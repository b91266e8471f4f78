#include <gtest/gtest.h>

#include "app/main_form.h"
#include "platform/headless/headless_host.h"

namespace antraid {
namespace {

TEST(FormSmoke, DefaultLoadGivesTheDocumentedParameters) {
  HeadlessHost host;
  MainForm form(host);
  form.Form_Load();
  EXPECT_EQ(form.worldXinCm, 700);
  EXPECT_EQ(form.homeXPos, 350);
  EXPECT_EQ(form.homeYPos, 695);
  EXPECT_DOUBLE_EQ(form.minVel, 0.6);
  EXPECT_EQ(form.maxVel, 3.5f);
  EXPECT_EQ(form.velSlope, static_cast<float>(2.9 / 300));
  EXPECT_EQ(form.saveInterval, 2.0);
  EXPECT_EQ(form.panel.lblAntsPerStep.caption(), "(15 ants/sec)");
  EXPECT_EQ(form.panel.lblWorldSizeInCm.caption(), "(700 cm x 700 cm)");
  EXPECT_EQ(form.panel.lblWorldWidth.caption(), "Window Width: 700cm");
  EXPECT_EQ(form.panel.lblHomeYPos.caption(), "Home Y Position = 695");
  EXPECT_EQ(form.panel.scrColonyYPos.max(), 695);
}

TEST(FormSmoke, AFixedSeedRunBringsFoodHome) {
  HeadlessHost host;
  MainForm form(host);
  form.rng.SetFixedSeed(7);
  form.Form_Load();
  host.onDoEvents = [&] {
    if (host.passes == 4000) form.panel.cmdPause.Click();
  };
  form.panel.cmdStartProgram.Click();
  EXPECT_FALSE(form.running);
  EXPECT_GT(form.colonyFood, 0);
  EXPECT_GT(form.maxDistTraveled, 100.0f);
}

}  // namespace
}  // namespace antraid
