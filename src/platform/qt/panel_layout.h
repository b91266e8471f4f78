// The panel's arrangement: the world picture with its read-outs on the
// left, then two columns of group boxes (Program Commands, Food, Pheromone,
// Movement; Ants, Track Ants, Images) and the Messages row. At its first
// size the panel shows the world at one raster pixel per pixel; given more
// room, the picture grows as a square, the read-outs stay right under it and
// the columns right beside it (PanelArea).
#pragma once

class QFont;
class QWidget;

namespace antraid {

class ControlWidgets;
class ResponseGraph;
class WorldView;

// True for the panel's bare background (the panel itself and its group
// boxes): a click there is a click on the form.
bool IsPanelBackground(const QWidget* widget);

// The panel in its font, laid out, with the tab order of its visual order.
QWidget* BuildPanel(ControlWidgets& widgets, WorldView* world, ResponseGraph* graph, const QFont& font);

}  // namespace antraid
