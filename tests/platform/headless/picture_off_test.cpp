// A run with the world picture switched off computes exactly what a run with
// it on computes: only the raster stays blank.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/headless/script_runner.h"

namespace antraid {
namespace {

// Everything a run leaves behind except the pixels.
struct RunState {
  std::string output;  // what the script printed
  std::vector<int32_t> pher, counts;
  std::vector<int16_t> food;
  std::vector<std::string> ants, controls;
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
      "click cmdPause\nwait 2\nclick cmdPlotPher\nwait 1\n"
      "print modelTime antsOut colonyFood totalFood maxDistTraveled swarmWidth drawWidth curVel\n"
      "print pctWorld.ScaleLeft pctWorld.ScaleTop pctWorld.ScaleWidth pctWorld.ScaleHeight\n"
      "print pctWorld.DrawWidth pctWorld.DrawMode txtDebugMsg lblDistTraveled zoomFactor\n";
  std::ostringstream out, err;
  ScriptOptions options;
  options.seed = 5;
  options.picture = picture;
  ScriptRunner runner(out, err, options);
  EXPECT_EQ(runner.Run(script), 0) << err.str();
  const MainForm& f = *runner.form();
  RunState s;
  s.output = out.str();
  s.pher = f.pherGrid.cells();
  s.counts = f.antCountGrid.cells();
  s.food = f.foodGrid.cells();
  for (const AntRecord& a : f.ants)
    s.ants.push_back(FormatSingle(a.xPos) + " " + FormatSingle(a.yPos) + " " + FormatInt(static_cast<int>(a.state)) + " " +
                     FormatInt(a.leaveTime) + " " + FormatBool(a.hasFood));
  for (const Control* c : f.panel.all()) {
    std::string v = c->name();
    if (auto* t = dynamic_cast<const TextControl*>(c)) v += "=" + t->text();
    if (auto* k = dynamic_cast<const CheckBox*>(c)) v += "=" + FormatInt(k->value());
    if (auto* b = dynamic_cast<const ScrollBar*>(c)) v += "=" + FormatInt(b->value()) + "/" + FormatInt(b->max());
    s.controls.push_back(v + (c->enabled() ? "" : " disabled"));
  }
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
