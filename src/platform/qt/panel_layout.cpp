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

  QWidget* Get(const char* name) { return w_.Find(name); }

  // The caption of a control, as the panel shows it.
  QLabel* CaptionOf(const char* name, int height = kRowHeight) {
    const ControlCaption* c = FindCaption(name);
    return Text(c ? c->shown : std::string_view(), height);
  }

  // "Caption:  [box]", the box at the column's right.
  QHBoxLayout* Field(const char* name, int boxWidth = 56) {
    auto* h = new QHBoxLayout;
    h->setSpacing(0);
    h->addWidget(CaptionOf(name), 1);
    QWidget* box = Get(name);
    box->setFixedSize(boxWidth, kRowHeight);
    h->addWidget(box);
    h->addSpacing(kBoxRightGap);
    return h;
  }

  QWidget* Check(const char* name, int width = 150) {
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

  QGroupBox* Food() {
    Rows rows;
    rows.Add(Check("chkPlotFood")).Add(Field("txtPercentFood")).Add(Field("txtFoodQuality"));
    return LinedBelow(Group("Food:", rows));
  }

  QGroupBox* Pheromone(ResponseGraph* graph) {
    Rows rows;
    rows.Add(Field("txtPherToDropOut")).Add(Field("txtPherToDropIn")).Add(Check("chkRemovePher", 170));
    rows.Add(Field("txtModelTimeStep")).Add(Field("txtFiftyPercProb"), 14).Add(graph, 0);
    rows.Add(Row({{Text("Width   Height", 14), 100, 62}}, 14), 0);
    rows.Add(Row({{CaptionOf("txtWorldXinM"), 60},
                  {Get("txtWorldXinM"), 38, 2},
                  {Get("txtWorldYinM"), 38, 4},
                  {Text("(meters)"), 44, 4}}),
             2);
    return LinedBelow(Group("Pheromone:", rows));
  }

  QGroupBox* Movement() {
    Rows rows;
    rows.Add(Check("chkUseVel"));
    rows.Add(Row({{Text("Velocity (cm/s):"), 90}, {CaptionOf("txtMaxVel"), 30, 4}, {Get("txtMaxVel"), 56, 2}}));
    rows.Add(Row({{CaptionOf("txtMinVel"), 30, 94}, {Get("txtMinVel"), 56, 2}}));
    rows.Add(Field("txtMaxPherToSat")).Add(Check("chkUsePm"));
    return Group("Movement:", rows);
  }

  QGroupBox* Ants() {
    Rows rows;
    rows.Add(Field("txtNumAnts")).Add(Field("txtAntsPerPatch")).Add(Text("Empty Patch Weight:"));
    rows.Add(Row({{CaptionOf("txtEmptyNodeWeightOut"), 26, 18},
                  {Get("txtEmptyNodeWeightOut"), 40},
                  {CaptionOf("txtEmptyNodeWeightIn"), 20, 16},
                  {Get("txtEmptyNodeWeightIn"), 40}}),
             2);
    rows.Add(Row({{Get("lblHomeYPos"), 190}}, kBarHeight), 6);
    rows.Add(Row({{Get("scrColonyYPos"), 184}}, kBarHeight), 2);
    rows.Add(Row({{CaptionOf("scrColWidth"), 60},
                  {Get("scrColWidth"), 80, 2, kBarHeight},
                  {Get("txtColonyWidth"), 34, 6}}),
             6);
    rows.Add(Row({{CaptionOf("txtLeaveInterval"), 110}, {Get("txtLeaveInterval"), 32, 2}, {Text("min(s)"), 40, 4}}));
    rows.Add(Row({{Get("lblAntsPerStep"), 190}}, kBarHeight), 3);
    rows.Add(Text("Path color:", kBarHeight), 3);
    rows.Add(PathColor("scrPathColorOut", "txtPathColorOut"), 2).Add(PathColor("scrPathColorIn", "txtPathColorIn"));
    return LinedBelow(Group("Ants:", rows), kLineGap + 2);
  }

  // "(Out) [bar] [colour]"
  QHBoxLayout* PathColor(const char* bar, const char* preview) {
    return Row({{CaptionOf(bar), 34}, {Get(bar), 110, 0, kBarHeight}, {Get(preview), 34, 4}});
  }

  QGroupBox* TrackAnts() {
    Rows rows;
    rows.Add(Check("chkTrackAnt")).Add(Field("txtAntNumber")).Add(Check("chkShowAnts"));
    return LinedBelow(Group("Track Ants:", rows));
  }

  QGroupBox* Images() {
    Rows rows;
    rows.Add(Check("chkSaveImages")).Add(SaveEvery());
    rows.Add(CaptionOf("txtSaveFilePath", kBarHeight)).Add(Row({{Get("txtSaveFilePath"), 184}}), 0);
    rows.Add(CaptionOf("txtImageName", kBarHeight)).Add(Row({{Get("txtImageName"), 184}}), 0);
    return Group("Images:", rows);
  }

  // "Save every            seconds." with the interval box in its blank.
  QWidget* SaveEvery() {
    QLabel* caption = CaptionOf("txtSaveTime");
    caption->setFixedWidth(kColumnWidth);
    QWidget* box = Get("txtSaveTime");
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
    static constexpr const char* kOrder[] = {
        "cmdStartProgram", "cmdPause", "cmdClearScreen", "cmdPlotPher", "cmdViewHelp",
        "chkPlotFood", "txtPercentFood", "txtFoodQuality",
        "txtPherToDropOut", "txtPherToDropIn", "chkRemovePher", "txtModelTimeStep", "txtFiftyPercProb",
        "txtMaxPherValue", "txtWorldXinM", "txtWorldYinM",
        "chkUseVel", "txtMaxVel", "txtMinVel", "txtMaxPherToSat", "chkUsePm",
        "txtNumAnts", "txtAntsPerPatch", "txtEmptyNodeWeightOut",
        "scrColonyYPos", "scrColWidth", "txtLeaveInterval", "scrPathColorOut", "scrPathColorIn",
        "chkTrackAnt", "txtAntNumber", "chkShowAnts",
        "chkSaveImages", "txtSaveTime", "txtSaveFilePath", "txtImageName",
    };
    QWidget* last = nullptr;
    for (const char* name : kOrder) {
      QWidget* w = Get(name);
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
