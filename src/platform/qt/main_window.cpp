#include "platform/qt/main_window.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QString>
#include <cmath>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "platform/qt/start_picture.h"
#include "platform/qt/world_view.h"

namespace antraid {

namespace {

// ---- Layout, in pixels of the window's inner area (15 twips each) ------------

constexpr int Tw(int twips) { return twips / 15; }

struct Place {
  const char* name;
  int x, y, w, h;
};

// Every visible control of the panel. The response graph's own items stand
// where the graph frame puts them, in twips.
constexpr Place kPlaces[] = {
    // Canvas read-outs
    {"txtRunTimeMin", 58, 512, 70, 18},
    {"txtAntsOut", 136, 512, 110, 18},
    {"txtSwarmWidth", 328, 512, 70, 18},
    {"txtlColonyFoodAmt", 86, 534, 60, 18},
    {"lblDistTraveled", 160, 534, 165, 18},
    {"lblTravelVel", 330, 534, 172, 18},
    {"lblTotalFood", 4, 556, 150, 18},
    {"lblTotalFoodItems", 160, 556, 165, 18},
    {"lblWorldSizeInCm", 330, 556, 172, 18},
    {"lblWorldWidth", 4, 578, 150, 18},
    {"txtDeadAntCount", 218, 578, 40, 18},
    // Program commands
    {"cmdStartProgram", 514, 22, 56, 49},
    {"cmdPause", 576, 22, 62, 23},
    {"cmdClearScreen", 642, 22, 62, 23},
    {"cmdPlotPher", 576, 48, 62, 23},
    {"cmdViewHelp", 642, 48, 62, 23},
    // Food
    {"chkPlotFood", 514, 98, 150, 18},
    {"txtPercentFood", 640, 120, 56, 18},
    {"txtFoodQuality", 640, 142, 56, 18},
    // Pheromone
    {"txtPherToDropOut", 640, 188, 56, 18},
    {"txtPherToDropIn", 640, 210, 56, 18},
    {"chkRemovePher", 514, 232, 170, 18},
    {"txtModelTimeStep", 640, 254, 56, 18},
    {"txtFiftyPercProb", 640, 286, 56, 18},
    {"lblP_mMax", Tw(8280), Tw(4860), 12, 14},
    {"Label1", Tw(8280), Tw(5640), 12, 14},
    {"txtMaxPherValue", Tw(10080), Tw(5790), Tw(375), Tw(210)},
    {"txtWorldXinM", 576, 420, 38, 18},
    {"txtWorldYinM", 618, 420, 38, 18},
    // Movement
    {"chkUseVel", 514, 466, 150, 18},
    {"txtMaxVel", 640, 488, 56, 18},
    {"txtMinVel", 640, 510, 56, 18},
    {"txtMaxPherToSat", 640, 532, 56, 18},
    {"chkUsePm", 514, 554, 150, 18},
    // Messages
    {"txtDebugMsg", 580, 580, 324, 18},
    // Ants
    {"txtNumAnts", 840, 22, 56, 18},
    {"txtAntsPerPatch", 840, 44, 56, 18},
    {"txtEmptyNodeWeightOut", 758, 86, 40, 18},
    {"txtEmptyNodeWeightIn", 834, 86, 40, 18},
    {"lblHomeYPos", 714, 110, 190, 16},
    {"scrColonyYPos", 714, 128, 184, 16},
    {"scrColWidth", 776, 151, 80, 16},
    {"txtColonyWidth", 862, 150, 34, 18},
    {"txtLeaveInterval", 826, 172, 32, 18},
    {"lblAntsPerStep", 714, 193, 190, 16},
    {"scrPathColorOut", 748, 231, 110, 16},
    {"txtPathColorOut", 862, 230, 34, 18},
    {"scrPathColorIn", 748, 253, 110, 16},
    {"txtPathColorIn", 862, 252, 34, 18},
    // Track ants
    {"chkTrackAnt", 714, 300, 150, 18},
    {"txtAntNumber", 840, 322, 56, 18},
    {"chkShowAnts", 714, 344, 150, 18},
    // Images
    {"chkSaveImages", 714, 390, 150, 18},
    {"txtSaveTime", 0, 0, 0, 18},  // placed in the gap of its caption
    {"txtSaveFilePath", 714, 450, 184, 18},
    {"txtImageName", 714, 488, 184, 18},
};

struct Caption {
  const char* text;
  int x, y, w, h;
  bool heading;
};

constexpr const char* kSaveEveryCaption = "Save every            seconds.";
constexpr int kSaveEveryX = 714, kSaveEveryY = 412;

constexpr Caption kCaptions[] = {
    // Canvas read-outs
    {"Run Time:", 4, 512, 52, 18, false},
    {"Swarm Width:", 256, 512, 70, 18, false},
    {"Food retrieved:", 4, 534, 80, 18, false},
    {"Dead Ants:", 160, 578, 56, 18, false},
    // Column of commands, food, pheromone, movement
    {"Program Commands:", 514, 4, 190, 16, true},
    {"Food:", 514, 80, 190, 16, true},
    {"% Food:", 514, 120, 120, 18, false},
    {"Food Quality:", 514, 142, 120, 18, false},
    {"Pheromone:", 514, 170, 190, 16, true},
    {"Pher. to drop - Out:", 514, 188, 124, 18, false},
    {"Pher. to drop - In:", 514, 210, 124, 18, false},
    {"Timestep (in sec):", 514, 254, 124, 18, false},
    {"50% Probability:", 514, 286, 124, 18, false},
    {"Width   Height", 576, 404, 100, 14, false},
    {"Worldsize", 514, 420, 60, 18, false},
    {"(meters)", 660, 420, 44, 18, false},
    {"Movement:", 514, 448, 190, 16, true},
    {"Velocity (cm/s):", 514, 488, 90, 18, false},
    {"Max:", 608, 488, 30, 18, false},
    {"Min:", 608, 510, 30, 18, false},
    {"Ants to Saturation:", 514, 532, 124, 18, false},
    {"Messages:", 514, 580, 64, 18, true},
    // Column of ants, tracking, images
    {"Ants:", 714, 4, 190, 16, true},
    {"Total #:", 714, 22, 120, 18, false},
    {"Ants / patch:", 714, 44, 120, 18, false},
    {"Empty Patch Weight:", 714, 66, 190, 18, false},
    {"Out:", 732, 86, 26, 18, false},
    {"In:", 814, 86, 20, 18, false},
    {"Col. Width:", 714, 150, 60, 18, false},
    {"Stagger Leave times:", 714, 172, 110, 18, false},
    {"min(s)", 862, 172, 40, 18, false},
    {"Path color:", 714, 212, 190, 16, false},
    {"(Out)", 714, 230, 34, 18, false},
    {"(In)", 714, 252, 34, 18, false},
    {"Track Ants:", 714, 282, 190, 16, true},
    {"Ant to track:", 714, 322, 120, 18, false},
    {"Images:", 714, 372, 190, 16, true},
    {kSaveEveryCaption, kSaveEveryX, kSaveEveryY, 190, 18, false},
    {"File Path", 714, 434, 190, 16, false},
    {"Base Filename", 714, 472, 190, 16, false},
};

// Thin lines between the groups of the panel.
struct Divider {
  int x1, x2, y;
};
constexpr Divider kDividers[] = {
    {514, 704, 76}, {514, 704, 166}, {514, 704, 444}, {514, 904, 574},
    {714, 904, 278}, {714, 904, 368}, {4, 506, 509},
};

// The response graph's frame, in twips.
struct Shape {
  const char* name;
  int left, top, width, height;
};
constexpr Shape kGraphShapes[] = {
    {"shpXAxis", 8520, 5760, 1815, 15},
    {"shpYAxis", 8520, 4920, 15, 855},
    {"Shape3", 8460, 4920, 75, 15},
};

const Place* PlaceOf(const std::string& name) {
  for (const Place& p : kPlaces)
    if (name == p.name) return &p;
  return nullptr;
}

QColor ColorOf(uint32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

QString QtText(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A caption for a button or check box: '&' would mark a shortcut key.
QString Literal(const std::string& s) { return QtText(s).replace('&', "&&"); }

// ---- Mirroring: one copy function per kind of control ------------------------

void CopyTextBox(Control& c, QWidget& w) {
  auto& box = static_cast<TextBox&>(c);
  auto& edit = static_cast<QLineEdit&>(w);
  const QString t = QtText(box.text());
  if (edit.text() != t) edit.setText(t);
  edit.setEnabled(box.enabled());
  const QColor back = ColorOf(box.backColor());
  if (edit.palette().color(QPalette::Base) != back) {
    QPalette pal = edit.palette();
    pal.setColor(QPalette::Base, back);
    edit.setPalette(pal);
  }
}

void CopyLabel(Control& c, QWidget& w) {
  auto& label = static_cast<Label&>(c);
  auto& ql = static_cast<QLabel&>(w);
  const QString t = QtText(label.caption());
  if (ql.text() != t) ql.setText(t);
  ql.setEnabled(label.enabled());
}

void CopyButton(Control& c, QWidget& w) {
  auto& button = static_cast<Button&>(c);
  auto& qb = static_cast<QPushButton&>(w);
  const QString t = Literal(button.caption());
  if (qb.text() != t) qb.setText(t);
  qb.setEnabled(button.enabled());
}

void CopyCheckBox(Control& c, QWidget& w) {
  auto& box = static_cast<CheckBox&>(c);
  auto& qc = static_cast<QCheckBox&>(w);
  const QString t = Literal(box.caption());
  if (qc.text() != t) qc.setText(t);
  qc.setChecked(box.checked());
  qc.setEnabled(box.enabled());
}

void CopyScrollBar(Control& c, QWidget& w) {
  auto& bar = static_cast<ScrollBar&>(c);
  auto& qs = static_cast<QScrollBar&>(w);
  qs.setRange(bar.min(), bar.max());
  qs.setValue(bar.value());
  qs.setEnabled(bar.enabled());
}

}  // namespace

// ---- Construction ----------------------------------------------------------------

MainWindow::MainWindow(MainForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName("MainForm");
  setWindowTitle(QtText(std::string(MainForm::TitleText())));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ColorOf(kWindowColor));
  // Disabled text stays legible on the blue-grey boxes.
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
    pal.setColor(QPalette::Disabled, role, QColor(100, 100, 110));
  setPalette(pal);
  setAutoFillBackground(true);
  QFont f("DejaVu Sans Condensed");
  f.setPixelSize(11);
  setFont(f);
  setFixedSize(kWidth, kHeight);

  world_ = new WorldView(form_, [this](const std::function<void()>& h) { RunHandler(h); }, this);
  const int side = form_.pctWorld.width() + 2 * WorldView::kBorder;
  world_->setGeometry(4, 4, side, side);

  BuildCaptions();
  BuildGraphFrame();
  BuildControls();
  SyncAll();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildCaptions() {
  QFont heading = font();
  heading.setBold(true);
  for (const Caption& c : kCaptions) {
    auto* l = new QLabel(QString::fromUtf8(c.text), this);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(c.x, c.y, c.w, c.h);
    if (c.heading) l->setFont(heading);
  }
}

void MainWindow::BuildGraphFrame() {
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(128, 128, 128));
  for (const Shape& s : kGraphShapes) {
    auto* w = new QWidget(this);
    w->setObjectName(s.name);
    w->setPalette(grey);
    w->setAutoFillBackground(true);
    w->setGeometry(Tw(s.left), Tw(s.top), std::max(1, Tw(s.width)), std::max(1, Tw(s.height)));
  }
}

void MainWindow::BuildControls() {
  for (Control* c : form_.panel.all()) {
    QWidget* w = MakeWidget(*c);
    if (const Place* p = PlaceOf(c->name())) {
      w->setGeometry(p->x, p->y, p->w, p->h);
    } else {
      w->hide();  // a control the layout does not know stays out of sight
    }
  }
  // The interval box sits in the blank of its caption "Save every ... seconds.".
  if (QWidget* w = findChild<QWidget*>("txtSaveTime")) {
    const QFontMetrics fm(font());
    const int x = kSaveEveryX + fm.horizontalAdvance("Save every ");
    const int gap = fm.horizontalAdvance("           ");  // all blanks but the last
    w->setGeometry(x, kSaveEveryY, std::max(gap, 24), 18);
    w->raise();
  }
  if (auto* max = findChild<QLineEdit*>("txtMaxPherValue")) {
    QFont small = font();
    small.setPixelSize(9);
    max->setFont(small);
    max->setTextMargins(0, 0, 0, 0);
  }
}

QWidget* MainWindow::MakeWidget(Control& control) {
  QWidget* widget = nullptr;
  void (*copy)(Control&, QWidget&) = nullptr;
  if (auto* box = dynamic_cast<TextBox*>(&control)) {
    auto* edit = new QLineEdit(this);
    // A box without a change rule is a read-out of the program.
    edit->setReadOnly(!box->onChange);
    QObject::connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& t) {
      const std::string text = t.toStdString();
      RunHandler([this, box, &text] { form_.actions.Type(*box, text); });
    });
    widget = edit;
    copy = CopyTextBox;
  } else if (dynamic_cast<Label*>(&control)) {
    auto* ql = new QLabel(this);
    ql->setTextFormat(Qt::PlainText);
    // Opaque: a new caption repaints the label alone, not the window under it.
    ql->setAutoFillBackground(true);
    widget = ql;
    copy = CopyLabel;
  } else if (auto* button = dynamic_cast<Button*>(&control)) {
    auto* qb = new QPushButton(this);
    qb->setAutoDefault(false);
    if (button == &form_.panel.cmdStartProgram) {
      qb->setIcon(StartIcon());
      qb->setIconSize(QSize(kStartPictureWidth, kStartPictureHeight));
      qb->setToolTip("Start");
    }
    QObject::connect(qb, &QPushButton::clicked, this,
                     [this, button] { RunHandler([this, button] { form_.actions.Click(*button); }); });
    widget = qb;
    copy = CopyButton;
  } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
    auto* qc = new QCheckBox(this);
    // Qt has toggled the box already; Click toggles the control to match and
    // runs the handler, and the mirror then shows what the handler left.
    QObject::connect(qc, &QCheckBox::clicked, this,
                     [this, check] { RunHandler([this, check] { form_.actions.Click(*check); }); });
    widget = qc;
    copy = CopyCheckBox;
  } else if (auto* bar = dynamic_cast<ScrollBar*>(&control)) {
    auto* qs = new QScrollBar(Qt::Horizontal, this);
    // Right and up raise the value, as the arrows show.
    qs->setInvertedControls(false);
    qs->setSingleStep(1);
    qs->setPageStep(std::max(1, (bar->max() - bar->min()) / 10));
    // Signals are blocked while mirroring: every value change here is the user's.
    QObject::connect(qs, &QAbstractSlider::valueChanged, this, [this, bar, qs](int v) {
      if (qs->isSliderDown())
        RunHandler([this, bar, v] { form_.actions.Drag(*bar, v); });
      else
        RunHandler([this, bar, v] { form_.actions.Scroll(*bar, v); });
    });
    // Letting go of the thumb is a change of the value when it moved.
    QObject::connect(qs, &QAbstractSlider::sliderReleased, this,
                     [this, bar] { RunHandler([this, bar] { form_.actions.Release(*bar); }); });
    widget = qs;
    copy = CopyScrollBar;
  }
  widget->setObjectName(QtText(control.name()));
  bindings_.push_back({&control, widget, copy});
  return widget;
}

// ---- Mirroring -----------------------------------------------------------------

void MainWindow::SyncControls() {
  for (Binding& b : bindings_) {
    const uint64_t v = b.control->version();
    if (v == b.shown) continue;
    const QSignalBlocker block(b.widget);
    b.copy(*b.control, *b.widget);
    b.shown = v;
  }
}

QRect MainWindow::GraphRect() const {
  const Shape& x = kGraphShapes[0];
  const Shape& y = kGraphShapes[1];
  return QRect(QPoint(Tw(x.left) - 2, Tw(y.top) - 2), QPoint(Tw(x.left + x.width) + 2, Tw(x.top) + 2));
}

void MainWindow::SyncAll() {
  SyncControls();
  if (form_.formSurface.version() != shownSurface_) {
    shownSurface_ = form_.formSurface.version();
    update(GraphRect());
  }
  if (form_.pctWorld.version() != shownCanvas_) {
    shownCanvas_ = form_.pctWorld.version();
    world_->update();
  }
}

void MainWindow::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    // The form's handlers do not throw; if one ever does, the window lives on.
    form_.panel.txtDebugMsg.SetText(std::string("Error: ") + e.what());
  } catch (...) {
    form_.panel.txtDebugMsg.SetText("Error");
  }
  SyncAll();
}

// ---- Window events ------------------------------------------------------------------

void MainWindow::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.setPen(QColor(140, 140, 190));
  for (const Divider& d : kDividers) p.drawLine(d.x1, d.y, d.x2, d.y);

  // The window's own drawing surface: the response curve, points in twips.
  // Most repaints are read-outs elsewhere in the window: skip the points then.
  if (!event->rect().intersects(GraphRect())) return;
  QPen pen;
  pen.setWidthF(1.0);
  std::vector<QPointF> run;  // consecutive points of one colour
  uint32_t current = UINT32_MAX;
  auto flush = [&] {
    if (run.empty()) return;
    pen.setColor(ColorOf(current));
    p.setPen(pen);
    p.drawPoints(run.data(), static_cast<int>(run.size()));
    run.clear();
  };
  for (const SurfacePoint& sp : form_.formSurface.points()) {
    if (!std::isfinite(sp.x) || !std::isfinite(sp.y)) continue;
    if (sp.color != current) {
      flush();
      current = sp.color;
    }
    run.emplace_back(sp.x / kTwipsPerPixel, sp.y / kTwipsPerPixel);
  }
  flush();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  backgroundPress_ = childAt(event->position().toPoint()) == nullptr;
  event->accept();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (backgroundPress_ && rect().contains(pos) && childAt(pos) == nullptr)
    RunHandler([this] { form_.actions.ClickForm(); });
  backgroundPress_ = false;
  event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  form_.actions.Close();
}

}  // namespace antraid
