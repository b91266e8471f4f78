#include "platform/qt/panel_layout.h"

#include <QBoxLayout>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "sim/panel.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/group_style.h"
#include "platform/qt/panel_area.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/response_graph.h"
#include "platform/qt/world_view.h"

namespace antraid {

namespace {

// ---- Measures of the panel, px ---------------------------------------------------

constexpr int kRowHeight = GroupStyle::kRowHeight;
constexpr int kLineGap = GroupStyle::kLineGap;
constexpr int kColumnWidth = 190;  // a column of groups
constexpr int kColumnGap = 10;     // between the two columns
constexpr int kBarHeight = 16;     // a scroll bar, a caption over a box
constexpr int kRowGap = 4;         // between two rows of a group
constexpr int kBoxRightGap = 8;    // a column's boxes end this far from its right
constexpr int kGroupGap = 3;       // between a group's line and the next heading

// ---- Pieces ------------------------------------------------------------------------

QLabel* Text(std::string_view text, int height = kRowHeight) {
  auto* l = new QLabel(QtText(text));
  l->setTextFormat(Qt::PlainText);
  l->setFixedHeight(height);
  return l;
}

// The rows of a group from the top, each after its gap.
class Rows {
 public:
  Rows() : v_(new QVBoxLayout) {
    v_->setSpacing(0);
    v_->setContentsMargins(0, 0, 0, 0);
  }
  Rows& Add(QLayout* row, int gap = kRowGap) {
    Gap(gap);
    v_->addLayout(row);
    return *this;
  }
  Rows& Add(QWidget* row, int gap = kRowGap) {
    Gap(gap);
    v_->addWidget(row);
    return *this;
  }
  QVBoxLayout* layout() const { return v_; }

 private:
  void Gap(int gap) {
    if (v_->count() > 0 && gap > 0) v_->addSpacing(gap);
  }
  QVBoxLayout* v_;
};

QGroupBox* Group(const char* title, Rows& rows) {
  auto* g = new QGroupBox(QString::fromUtf8(title));
  g->setStyle(GroupStyle::Instance());
  g->setProperty(GroupStyle::kBackground, true);
  g->setLayout(rows.layout());
  return g;
}

QGroupBox* LinedBelow(QGroupBox* g, int gap = kLineGap) {
  g->setProperty(GroupStyle::kLineBelow, gap);
  return g;
}

// One row of fixed pieces from the left: each with its width, the gap
// before it and its height (the row's when 0), centred in the row.
struct Cell {
  QWidget* widget;
  int width;
  int gap = 0;
  int height = 0;
};
QHBoxLayout* Row(std::initializer_list<Cell> cells, int height = kRowHeight) {
  auto* h = new QHBoxLayout;
  h->setSpacing(0);
  for (const Cell& c : cells) {
    if (c.gap) h->addSpacing(c.gap);
    c.widget->setFixedSize(c.width, c.height ? c.height : height);
    h->addWidget(c.widget, 0, Qt::AlignVCenter);
  }
  h->addStretch(1);
  return h;
}

class PanelBuilder {
 public:
  PanelBuilder(ControlWidgets& w, const QFont& font) : w_(w), font_(font) {}

  QWidget* Get(std::string_view name) { return w_.Find(name); }

  // The caption of a control, as the panel shows it.
  QLabel* CaptionOf(std::string_view name, int height = kRowHeight) {
    const ControlCaption* c = FindCaption(name);
    return Text(c ? c->shown : std::string_view(), height);
  }

  // "Caption:  [box]", the box at the column's right.
  QHBoxLayout* Field(std::string_view name, int boxWidth = 56) {
    auto* h = new QHBoxLayout;
    h->setSpacing(0);
    h->addWidget(CaptionOf(name), 1);
    QWidget* box = Get(name);
    box->setFixedSize(boxWidth, kRowHeight);
    h->addWidget(box);
    h->addSpacing(kBoxRightGap);
    return h;
  }

  QWidget* Check(std::string_view name, int width = 150) {
    QWidget* c = Get(name);
    c->setFixedSize(width, kRowHeight);
    return c;
  }

  QGroupBox* ProgramCommands() {
    auto* small = new QVBoxLayout;
    small->setSpacing(3);
    small->addLayout(Row({{Get("cmdPause"), 62}, {Get("cmdClearScreen"), 62, 4}}, 23));
    small->addLayout(Row({{Get("cmdPlotPher"), 62}, {Get("cmdViewHelp"), 62, 4}}, 23));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    QWidget* start = Get("cmdStartProgram");
    start->setFixedSize(56, 49);
    buttons->addWidget(start, 0, Qt::AlignTop);
    buttons->addLayout(small);
    Rows rows;
    rows.Add(buttons);
    return LinedBelow(Group("Program Commands:", rows), kLineGap - 1);
  }

  // The rows of a group, built from the panel's table: each control in
  // reading order begins the row its shape says, some rows taking the
  // controls that follow too. Headings and unit words belong to the layout.
  Rows GroupRows(PanelGroup group, ResponseGraph* graph = nullptr) {
    std::vector<const ControlSpec*> controls;
    for (const ControlSpec& c : PanelControls())
      if (c.place.group == group) controls.push_back(&c);
    std::ranges::sort(controls, {}, [](const ControlSpec* c) { return c->place.order; });
    Rows rows;
    for (size_t i = 0; i < controls.size(); ++i) {
      const std::string_view name = controls[i]->name;
      auto next = [&](size_t k) { return controls.at(i + k)->name; };
      const int gap = controls[i]->place.gap;
      switch (controls[i]->place.shape) {
        case RowShape::Field:
          rows.Add(Field(name), gap);
          break;
        case RowShape::Check:
          rows.Add(Check(name), gap);
          break;
        case RowShape::WideCheck:
          rows.Add(Check(name, 170), gap);
          break;
        case RowShape::InGraph:
          rows.Add(graph, gap);
          break;
        case RowShape::WorldSize:
          rows.Add(Row({{Text("Width   Height", 14), 100, 62}}, 14), 0);
          rows.Add(Row({{CaptionOf(name), 60}, {Get(name), 38, 2}, {Get(next(1)), 38, 4}, {Text("(meters)"), 44, 4}}),
                   gap);
          break;
        case RowShape::VelocityMax:
          rows.Add(Row({{Text("Velocity (cm/s):"), 90}, {CaptionOf(name), 30, 4}, {Get(name), 56, 2}}), gap);
          break;
        case RowShape::VelocityMin:
          rows.Add(Row({{CaptionOf(name), 30, 94}, {Get(name), 56, 2}}), gap);
          break;
        case RowShape::EmptyWeights:
          rows.Add(Text("Empty Patch Weight:"), gap);
          rows.Add(Row({{CaptionOf(name), 26, 18}, {Get(name), 40}, {CaptionOf(next(1)), 20, 16}, {Get(next(1)), 40}}),
                   2);
          break;
        case RowShape::WideLabel:
          rows.Add(Row({{Get(name), 190}}, kBarHeight), gap);
          break;
        case RowShape::WideBar:
          rows.Add(Row({{Get(name), 184}}, kBarHeight), gap);
          break;
        case RowShape::BarWithBox:
          rows.Add(Row({{CaptionOf(name), 60}, {Get(name), 80, 2, kBarHeight}, {Get(next(1)), 34, 6}}), gap);
          break;
        case RowShape::Minutes:
          rows.Add(Row({{CaptionOf(name), 110}, {Get(name), 32, 2}, {Text("min(s)"), 40, 4}}), gap);
          break;
        case RowShape::PathColors:
          rows.Add(Text("Path color:", kBarHeight), gap);
          rows.Add(PathColor(name, next(1)), 2).Add(PathColor(next(2), next(3)));
          break;
        case RowShape::SaveEvery:
          rows.Add(SaveEvery(name), gap);
          break;
        case RowShape::CaptionAbove:
          rows.Add(CaptionOf(name, kBarHeight), gap).Add(Row({{Get(name), 184}}), 0);
          break;
        case RowShape::Own:
          break;
      }
    }
    return rows;
  }

  QGroupBox* Food() {
    Rows rows = GroupRows(PanelGroup::Food);
    return LinedBelow(Group("Food:", rows));
  }

  QGroupBox* Pheromone(ResponseGraph* graph) {
    Rows rows = GroupRows(PanelGroup::Pheromone, graph);
    return LinedBelow(Group("Pheromone:", rows));
  }

  QGroupBox* Movement() {
    Rows rows = GroupRows(PanelGroup::Movement);
    return Group("Movement:", rows);
  }

  QGroupBox* Ants() {
    Rows rows = GroupRows(PanelGroup::Ants);
    return LinedBelow(Group("Ants:", rows), kLineGap + 2);
  }

  // "(Out) [bar] [colour]"
  QHBoxLayout* PathColor(std::string_view bar, std::string_view preview) {
    return Row({{CaptionOf(bar), 34}, {Get(bar), 110, 0, kBarHeight}, {Get(preview), 34, 4}});
  }

  QGroupBox* TrackAnts() {
    Rows rows = GroupRows(PanelGroup::TrackAnts);
    return LinedBelow(Group("Track Ants:", rows));
  }

  QGroupBox* Images() {
    Rows rows = GroupRows(PanelGroup::Images);
    return Group("Images:", rows);
  }

  // "Save every            seconds." with the interval box in its blank.
  QWidget* SaveEvery(std::string_view name) {
    QLabel* caption = CaptionOf(name);
    caption->setFixedWidth(kColumnWidth);
    QWidget* box = Get(name);
    box->setParent(caption);
    const QFontMetrics fm(font_);
    const int x = fm.horizontalAdvance("Save every ");
    const int gap = fm.horizontalAdvance("           ");  // all blanks but the last
    box->setGeometry(x, 0, std::max(gap, 24), kRowHeight);
    return caption;
  }

  QGroupBox* Messages() {
    Rows rows;
    rows.Add(Row({{Get("txtDebugMsg"), 2 * kColumnWidth + kColumnGap - 66}}));
    QGroupBox* g = Group("Messages:", rows);
    g->setProperty(GroupStyle::kLineAbove, 6);
    g->setProperty(GroupStyle::kTitleBeside, 66);
    return g;
  }

  QGroupBox* ReadOuts() {
    Rows rows;
    rows.Add(Row({{CaptionOf("txtRunTimeMin"), 52},
                  {Get("txtRunTimeMin"), 70, 2},
                  {Get("txtAntsOut"), 110, 8},
                  {CaptionOf("txtSwarmWidth"), 70, 10},
                  {Get("txtSwarmWidth"), 70, 2}}));
    rows.Add(Row({{CaptionOf("txtlColonyFoodAmt"), 80},
                  {Get("txtlColonyFoodAmt"), 60, 2},
                  {Get("lblDistTraveled"), 165, 14},
                  {Get("lblTravelVel"), 172, 5}}));
    rows.Add(Row({{Get("lblTotalFood"), 150}, {Get("lblTotalFoodItems"), 165, 6}, {Get("lblWorldSizeInCm"), 172, 5}}));
    rows.Add(Row({{Get("lblWorldWidth"), 150}, {CaptionOf("txtDeadAntCount"), 56, 6}, {Get("txtDeadAntCount"), 40, 2}}));
    rows.layout()->addSpacing(2);
    QGroupBox* g = Group("", rows);
    g->setObjectName("readOuts");
    g->setProperty(GroupStyle::kLineAbove, 3);
    return g;
  }

  // The focus moves through the inputs in the order they are read: down the
  // middle column, then down the right one.
  void TabOrder() {
    std::vector<const ControlSpec*> stops;
    for (const ControlSpec& c : PanelControls())
      if (c.place.tabStop) stops.push_back(&c);
    std::ranges::sort(stops, {}, [](const ControlSpec* c) { return c->place.order; });
    QWidget* last = nullptr;
    for (const ControlSpec* c : stops) {
      QWidget* w = Get(c->name);
      if (last) QWidget::setTabOrder(last, w);
      last = w;
    }
  }

 private:
  ControlWidgets& w_;
  const QFont& font_;
};

QVBoxLayout* Column(std::initializer_list<QGroupBox*> groups) {
  auto* v = new QVBoxLayout;
  v->setSpacing(kGroupGap);
  v->setContentsMargins(0, 0, 0, 0);
  for (QGroupBox* g : groups) {
    g->setFixedWidth(kColumnWidth);
    v->addWidget(g);
  }
  v->addStretch(1);
  return v;
}

}  // namespace

bool IsPanelBackground(const QWidget* widget) { return widget && widget->property(GroupStyle::kBackground).toBool(); }

QWidget* BuildPanel(ControlWidgets& widgets, WorldView* world, ResponseGraph* graph, const QFont& font) {
  PanelBuilder b(widgets, font);
  QGroupBox* readOuts = b.ReadOuts();
  readOuts->setFixedWidth(world->sizeHint().width());

  auto* columns = new QHBoxLayout;
  columns->setSpacing(kColumnGap);
  columns->addLayout(Column({b.ProgramCommands(), b.Food(), b.Pheromone(graph), b.Movement()}));
  columns->addLayout(Column({b.Ants(), b.TrackAnts(), b.Images()}));
  auto* controls = new QWidget;
  controls->setProperty(GroupStyle::kBackground, true);
  auto* right = new QVBoxLayout(controls);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(2);
  right->addLayout(columns, 1);
  QGroupBox* messages = b.Messages();
  messages->setFixedWidth(2 * kColumnWidth + kColumnGap);
  right->addWidget(messages);

  auto* panel = new PanelArea(world, readOuts, controls);
  panel->setObjectName("panel");
  panel->setProperty(GroupStyle::kBackground, true);
  panel->setFont(font);
  panel->setAutoFillBackground(true);
  b.TabOrder();
  return panel;
}

}  // namespace antraid
