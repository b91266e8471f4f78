// A run with the world picture switched off computes exactly what a run with
// it on computes: only the raster stays blank.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/test_form.h"

namespace antraid {
namespace {

// Everything a run leaves behind except the pixels.
struct RunState {
  std::string output, form;  // what the script printed; every field and control
  std::vector<int32_t> pher, counts;
  std::vector<int16_t> food;
  std::vector<std::string> ants;
  bool operator==(const RunState&) const = default;
};

RunState RunSession(bool picture, uint32_t& cornerPixel) {
  // Tracking, food and pheromone drawing, a zoom box and zoom clicks: every
  // drawing path, and the pen and scale changes the model reads back.
  const std::string script =
      "click chkTrackAnt\nclick chkPlotFood\ntype txtAntNumber 7\nclick chkRemovePher\n"
      "click cmdStartProgram\nwait 150\n"
      "mouse down 1 4 300 500\nmouse move 1 4 400 650\nmouse up 1 4 400 650\nwait 40\n"
      "mouse down 1 0 350 600\nwait 30\nmouse down 2 0 350 600\nwait 30\n"
      "click cmdPause\nwait 2\nclick cmdPlotPher\nwait 1\nprint pctWorld.DrawWidth pctWorld.DrawMode\n";
  ScriptOptions options;
  options.seed = 5;
  options.picture = picture;
  testing::ScriptSession<> session(script, options);
  EXPECT_EQ(session.rc, 0) << session.err.str();
  const MainForm& f = session.form();
  RunState s{session.out.str(),          testing::FormState(f, false), f.run.pherGrid.cells(),
             f.run.antCountGrid.cells(), f.run.foodGrid.cells(),       {}};
  for (const AntRecord& a : f.run.ants)
    s.ants.push_back(FormatSingle(a.xPos) + " " + FormatSingle(a.yPos) + " " + FormatInt(static_cast<int>(a.state)) + " " +
                     FormatInt(a.leaveTime) + " " + FormatBool(a.hasFood));
  cornerPixel = f.pctWorld.Pixel(250, 450);
  return s;
}

TEST(PictureOff, AWholeRunGivesTheSameFieldsLayersAntsAndCaptions) {
  uint32_t shown = 0, blank = 0;
  const RunState on = RunSession(true, shown);
  const RunState off = RunSession(false, blank);
  EXPECT_EQ(on, off);
  EXPECT_GT(on.ants.size(), 800u);
  // The plot was drawn with the picture on and not with it off.
  EXPECT_NE(shown, blank);
  EXPECT_EQ(blank, RGB(238, 236, 162));
}

}  // namespace
}  // namespace antraid
