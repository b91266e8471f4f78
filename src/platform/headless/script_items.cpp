// The script runner's read-outs and preparations: print and record items,
// set, pixel, snapshot, picture and movie.
#include <fstream>
#include <ostream>

#include "sim/main_form.h"
#include "app/measure_items.h"
#include "app/movie_recorder.h"
#include "common/csv.h"
#include "grid/png.h"
#include "platform/headless/script_words.h"

namespace antraid {

using namespace script;  // the words every script line is read with

// ---- Read-outs -----------------------------------------------------------------

namespace {
// A patch of one of the three layers, as a script names it.
struct Cell {
  std::string grid;
  int64_t x = 0, y = 0;
  std::string label() const { return grid + "(" + FormatInt(x) + "," + FormatInt(y) + ")"; }
};

// Throws when the patch is not on the layer.
template <typename T>
void CheckCell(const Cell& c, const Layer<T>& layer) {
  if (!layer.exists()) Throw(c.label() + ": the layer does not exist yet (the world is built by Start)");
  if (!layer.Contains(c.x, c.y))
    Throw(c.label() + " lies off the layer (" + FormatInt(layer.width()) + " x " + FormatInt(layer.height()) + ")");
}

void WriteCell(MainForm& f, const Cell& c, std::string_view value) {
  if (c.grid == "pherGrid") {
    CheckCell(c, f.run.pherGrid);
    f.run.pherGrid.Set(c.x, c.y, static_cast<int32_t>(Whole(value, INT32_MIN, INT32_MAX)));
  } else if (c.grid == "antCountGrid") {
    CheckCell(c, f.run.antCountGrid);
    f.run.antCountGrid.Set(c.x, c.y, static_cast<int32_t>(Whole(value, INT32_MIN, INT32_MAX)));
  } else {
    CheckCell(c, f.run.foodGrid);
    const auto units = static_cast<int16_t>(Whole(value, INT16_MIN, INT16_MAX));
    f.readouts.foodOnGround += units - f.run.foodGrid.Get(c.x, c.y);  // the count follows the layer
    f.run.foodGrid.Set(c.x, c.y, units);
  }
}

bool IsGrid(std::string_view w) { return w == "pherGrid" || w == "antCountGrid" || w == "foodGrid"; }
}  // namespace

ScriptRunner::Probe ScriptRunner::ItemProbe(const MeasureItem& item, Tokens& args) {
  std::vector<int64_t> values;
  for (const ItemArgument& a : item.arguments)
    values.push_back(Whole(args.Need(std::string(item.name) + " " + std::string(a.name)), a.min, a.max));
  Probe p;
  p.label = ItemLabel(item, values);
  p.column = std::string(item.name);
  for (int64_t v : values) p.column += "_" + FormatInt(v);
  const MainForm& f = *form_;
  const EffortCounter* effort = effort_.get();
  p.read = [&f, effort, &item, values] {
    try {
      return item.read(f, effort, values);
    } catch (const ItemError& e) {
      Throw(e.what());
    }
  };
  return p;
}

namespace {
AntRecord& AntAt(MainForm& f, int64_t n) {
  const int64_t count = static_cast<int64_t>(f.run.ants.size()) - 1;
  if (n < 1 || n > count)
    Throw("ant " + FormatInt(n) + " does not exist (" + (count > 0 ? "ants 1 to " + FormatInt(count) : "no ants yet") + ")");
  return f.run.ants[static_cast<size_t>(n)];
}
}  // namespace

ScriptRunner::Probe ScriptRunner::AntProbe(Tokens& args) {
  const int64_t n = Whole(args.Need("ant number"), INT32_MIN, INT32_MAX);
  Probe p;
  p.label = "ant " + FormatInt(n);
  p.wholeLine = true;
  MainForm& f = *form_;
  p.read = [&f, n] {
    const AntRecord& a = AntAt(f, n);
    return "ant " + FormatInt(n) + ": state=" + FormatInt(static_cast<int16_t>(a.state)) + " xPos=" + FormatSingle(a.xPos) +
           " yPos=" + FormatSingle(a.yPos) + " leaveTime=" + FormatInt(a.leaveTime) +
           " hasFood=" + FormatBool(a.hasFood) + " justLeft=" + FormatBool(a.justLeft);
  };
  return p;
}

ScriptRunner::Probe ScriptRunner::NamedProbe(std::string_view item) {
  Probe p;
  p.label = std::string(item);
  MainForm& f = *form_;
  const size_t dot = item.find('.');
  const std::string_view name = item.substr(0, dot);
  const std::string_view prop = dot == std::string_view::npos ? std::string_view{} : item.substr(dot + 1);

  if (name == "pctWorld") {
    if (dot == std::string_view::npos) Throw("pctWorld needs a property (pctWorld.ScaleLeft, ...)");
    const Canvas& c = f.pctWorld;
    if (prop == "ScaleLeft") p.read = [&c] { return FormatSingle(c.ScaleLeft()); };
    else if (prop == "ScaleTop") p.read = [&c] { return FormatSingle(c.ScaleTop()); };
    else if (prop == "ScaleWidth") p.read = [&c] { return FormatSingle(c.ScaleWidth()); };
    else if (prop == "ScaleHeight") p.read = [&c] { return FormatSingle(c.ScaleHeight()); };
    else if (prop == "DrawWidth") p.read = [&c] { return FormatInt(c.DrawWidth()); };
    else if (prop == "DrawMode") p.read = [&c] { return FormatInt(c.DrawMode()); };
    else Throw("unknown property " + Shown(prop) + " of pctWorld");
    return p;
  }

  if (Control* c = f.panel.Find(name)) {
    auto* text = dynamic_cast<TextControl*>(c);
    auto* box = dynamic_cast<TextBox*>(c);
    auto* check = dynamic_cast<CheckBox*>(c);
    auto* bar = dynamic_cast<ScrollBar*>(c);
    if (dot == std::string_view::npos) {
      if (text) p.read = [text] { return text->text(); };
      else if (check) p.read = [check] { return FormatInt(check->value()); };
      else if (bar) p.read = [bar] { return FormatInt(bar->value()); };
      return p;
    }
    if (prop == "enabled") p.read = [c] { return std::string(FormatBool(c->enabled())); };
    else if (prop == "text" && box) p.read = [box] { return box->text(); };
    else if (prop == "caption" && text && !box) p.read = [text] { return text->text(); };
    else if (prop == "caption" && check) p.read = [check] { return check->caption(); };
    else if (prop == "value" && check) p.read = [check] { return FormatInt(check->value()); };
    else if (prop == "value" && bar) p.read = [bar] { return FormatInt(bar->value()); };
    else if (prop == "min" && bar) p.read = [bar] { return FormatInt(bar->min()); };
    else if (prop == "max" && bar) p.read = [bar] { return FormatInt(bar->max()); };
    else if (prop == "backColor" && box) p.read = [box] { return FormatInt(box->backColor()); };
    else Throw("unknown property " + Shown(prop) + " of " + std::string(name) + " (" + KindOf(c) + ")");
    return p;
  }

  if (dot == std::string_view::npos && f.FieldText(name)) {
    const std::string field(name);
    p.read = [&f, field] { return f.FieldText(field).value_or(""); };
    return p;
  }
  Throw("unknown control or field " + Shown(item));
}

std::vector<ScriptRunner::Probe> ScriptRunner::ReadProbes(Tokens& args, bool forRecord) {
  std::vector<Probe> probes;
  while (auto w = args.Next()) {
    if (const MeasureItem* item = FindMeasureItem(*w)) {
      probes.push_back(ItemProbe(*item, args));
    } else if (*w == "ant") {
      if (forRecord) Throw("record cannot take ant N (a whole line); record single values");
      probes.push_back(AntProbe(args));
    } else {
      probes.push_back(NamedProbe(*w));
    }
  }
  return probes;
}

void ScriptRunner::DoPrint(Tokens& args) {
  std::vector<Probe> probes = ReadProbes(args, false);
  if (probes.empty()) Throw("print needs at least one item");
  std::string text;
  for (const Probe& p : probes) {
    text += p.wholeLine ? p.read() : p.label + "=" + p.read();
    text += '\n';
  }
  out_ << text;
  out_.flush();
}

void ScriptRunner::DoSet(Tokens& args) {
  MainForm& f = *form_;
  const std::string_view what = args.Need("pherGrid, antCountGrid, foodGrid or ant");
  if (IsGrid(what)) {
    Cell cell;
    cell.grid = std::string(what);
    cell.x = Whole(args.Need(cell.grid + " x"), INT32_MIN, INT32_MAX);
    cell.y = Whole(args.Need(cell.grid + " y"), INT32_MIN, INT32_MAX);
    const std::string_view value = args.Need("value");
    args.End();
    WriteCell(f, cell, value);
    return;
  }
  if (what != "ant") Throw("set needs pherGrid, antCountGrid, foodGrid or ant, not " + Shown(what));
  const int64_t n = Whole(args.Need("ant number"), INT32_MIN, INT32_MAX);
  AntRecord& ant = AntAt(f, n);
  const std::string_view field = args.Need("ant field");
  const std::string_view v = args.Need("value");
  args.End();
  if (field == "state") {
    const int64_t s = Whole(v, INT16_MIN, INT16_MAX);
    const auto state = static_cast<AntState>(s);
    if (state != AntState::kAtHome && state != AntState::kOutbound && state != AntState::kReturning &&
        state != AntState::kStopped)
      Throw("ant state " + Shown(v) + " is none of 0, 1, 3, 9");
    ant.state = state;
  } else if (field == "xPos") {
    ant.xPos = Single(v);
  } else if (field == "yPos") {
    ant.yPos = Single(v);
  } else if (field == "leaveTime") {
    ant.leaveTime = static_cast<int32_t>(Whole(v, INT32_MIN, INT32_MAX));
  } else if (field == "hasFood") {
    ant.hasFood = Boolean(v);
  } else if (field == "justLeft") {
    ant.justLeft = Boolean(v);
  } else if (field == "movesThisStep") {
    ant.movesThisStep = Boolean(v);
  } else {
    Throw("unknown ant field " + Shown(field) +
          " (state, xPos, yPos, leaveTime, hasFood, justLeft, movesThisStep)");
  }
}

void ScriptRunner::DoPixel(Tokens& args) {
  const Canvas& c = form_->pctWorld;
  const int64_t px = Whole(args.Need("pixel x"), INT32_MIN, INT32_MAX);
  const int64_t py = Whole(args.Need("pixel y"), INT32_MIN, INT32_MAX);
  args.End();
  if (px < 0 || py < 0 || px >= c.width() || py >= c.height())
    Throw("pixel (" + FormatInt(px) + "," + FormatInt(py) + ") lies outside the raster (0 to " +
          FormatInt(c.width() - 1) + ")");
  const uint32_t rgb = c.Pixel(static_cast<int>(px), static_cast<int>(py));
  Print("pixel(" + FormatInt(px) + "," + FormatInt(py) + ")=" + FormatInt(rgb & 0xFF) + "," +
        FormatInt((rgb >> 8) & 0xFF) + "," + FormatInt((rgb >> 16) & 0xFF));
}

void ScriptRunner::DoSnapshot(Tokens& args) {
  // The file name is the rest of the line; it may hold blanks.
  const std::string file(args.Rest());
  if (file.empty()) Throw("missing file name");
  if (!form_->pctWorld.SavePicture(InFileFolder(file))) Throw("cannot write " + Shown(file));
}

void ScriptRunner::DoPicture(Tokens& args) {
  const std::string_view layer = args.Need("ants or trails");
  if (layer != "ants" && layer != "trails") Throw("picture needs ants or trails, not " + Shown(layer));
  const std::string file(args.Rest());
  if (file.empty()) Throw("missing file name");
  const bool written = layer == "ants" ? WritePng(InFileFolder(file), form_->pctWorld.width(),
                                                  form_->pctWorld.height(), form_->pctWorld.pixels())
                                       : [&] {
                                           const Canvas trails = form_->TrailsPicture();
                                           return WritePng(InFileFolder(file), trails.width(), trails.height(),
                                                           trails.pixels());
                                         }();
  if (!written) Throw("cannot write " + Shown(file));
}

std::string ScriptRunner::InFileFolder(std::string name) const {
  if (options_.fileFolder.empty() || (!name.empty() && name[0] == '/')) return name;
  return options_.fileFolder + "/" + name;
}

void ScriptRunner::DoMovie(Tokens& args) {
  const std::string_view first = args.Need("file name or stop");
  if (first == "stop") {
    args.End();
    StopMovie();
    return;
  }
  const std::string file(first);
  const int64_t every = Whole(args.Need("number of steps"), 1, 1000000);
  args.End();
  if (!movie_) {
    movie_ = std::make_unique<MovieRecorder>(*form_, nullptr, [this](const std::string& why) { Print(why); });
  }
  if (!movie_->Start(InFileFolder(file), every)) Throw("cannot record a movie: " + movie_->error());
}

void ScriptRunner::StopMovie() {
  if (movie_ && !movie_->Stop()) {
    err_ << "antraid-script: movie " << movie_->path() << " not finished: " << movie_->error() << '\n';
    failed_ = true;
  }
}

void ScriptRunner::DoRecord(int line, Tokens& args) {
  auto rec = std::make_unique<Recording>();
  rec->line = line;
  rec->every = Whole(args.Need("number of steps"), 1, INT64_C(1000000000000000));
  rec->file = std::string(args.Need("file name"));
  rec->probes = ReadProbes(args, true);
  // A new recording into the same file replaces the old one.
  for (auto it = recordings_.begin(); it != recordings_.end(); ++it) {
    if ((*it)->file == rec->file) {
      (*it)->stream.close();
      recordings_.erase(it);
      break;
    }
  }
  rec->stream.open(InFileFolder(rec->file), std::ios::out | std::ios::trunc | std::ios::binary);
  if (!rec->stream) Throw("cannot write " + Shown(rec->file));
  rec->stream << "modelTime";
  for (const Probe& p : rec->probes) rec->stream << ',' << CsvCell(p.column.empty() ? p.label : p.column);
  rec->stream << '\n';
  if (!rec->stream) Throw("cannot write " + Shown(rec->file));
  recordings_.push_back(std::move(rec));
}

void ScriptRunner::StepDone() {
  ++stepsSinceStart_;
  if (stopped_) return;
  for (auto& r : recordings_) {
    if (++r->steps % r->every != 0) continue;
    try {
      std::string row = form_->FieldText("modelTime").value_or("");
      for (const Probe& p : r->probes) {
        row += ',';
        row += CsvCell(p.read());
      }
      row += '\n';
      r->stream << row;
      if (!r->stream) Throw("cannot write " + Shown(r->file));
    } catch (const ScriptError& e) {
      Fail(r->line, "record: " + e.message);
      return;
    }
  }
  if (until_ && !until_->done) {
    try {
      until_->done = UntilHolds() || ++until_->steps >= until_->max;
    } catch (const ScriptError& e) {
      Fail(until_->line, e.message);
    }
  }
}

}  // namespace antraid
