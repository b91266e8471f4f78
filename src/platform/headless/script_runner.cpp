#include "platform/headless/script_runner.h"

#include <cmath>
#include <ostream>
#include <utility>

#include "app/main_form.h"

namespace antraid {

namespace {

// A script error: reported with the line number, then the session stops.
struct ScriptError {
  std::string message;
};

[[noreturn]] void Throw(std::string message) { throw ScriptError{std::move(message)}; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A script's word as it may be shown in a message: quoted, control characters
// replaced, long words cut.
std::string Shown(std::string_view word) {
  constexpr size_t kMax = 40;
  std::string s = "\"";
  for (size_t i = 0; i < word.size() && i < kMax; ++i) {
    const unsigned char c = static_cast<unsigned char>(word[i]);
    s += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
  }
  if (word.size() > kMax) s += "...";
  s += '"';
  return s;
}

// A whole number within lo..hi.
int64_t Whole(std::string_view word, int64_t lo, int64_t hi) {
  ParsedNumber n = ParseNumber(word);
  if (!n.ok() || n.value != std::trunc(n.value)) Throw("malformed number " + Shown(word) + " (a whole number is needed)");
  if (n.value < static_cast<double>(lo) || n.value > static_cast<double>(hi))
    Throw("number " + Shown(word) + " out of range (" + FormatInt(lo) + " to " + FormatInt(hi) + ")");
  return static_cast<int64_t>(n.value);
}

// A real that fits a 32-bit float.
float Single(std::string_view word) {
  ParsedNumber n = ParseNumber(word);
  if (!n.ok()) Throw("malformed number " + Shown(word));
  const float f = static_cast<float>(n.value);
  if (!std::isfinite(f)) Throw("number " + Shown(word) + " out of range");
  return f;
}

bool Boolean(std::string_view word) {
  if (word == "True" || word == "1") return true;
  if (word == "False" || word == "0") return false;
  Throw("malformed truth value " + Shown(word) + " (True or False)");
}

// One CSV cell: quoted when it holds a comma, a quote or a line break.
std::string CsvCell(const std::string& v) {
  if (v.find_first_of(",\"\r\n") == std::string::npos) return v;
  std::string q = "\"";
  for (char c : v) {
    if (c == '"') q += '"';
    q += c;
  }
  q += '"';
  return q;
}

const char* KindOf(const Control* c) {
  if (dynamic_cast<const TextBox*>(c)) return "a text box";
  if (dynamic_cast<const Button*>(c)) return "a button";
  if (dynamic_cast<const Label*>(c)) return "a label";
  if (dynamic_cast<const CheckBox*>(c)) return "a check box";
  if (dynamic_cast<const ScrollBar*>(c)) return "a scroll bar";
  return "a control";
}

}  // namespace

// The words of one line after the action.
class ScriptRunner::Tokens {
 public:
  explicit Tokens(std::string_view rest) : rest_(rest) {}

  std::optional<std::string_view> Next() {
    size_t b = 0;
    while (b < rest_.size() && IsBlank(rest_[b])) ++b;
    if (b == rest_.size()) {
      rest_ = {};
      return std::nullopt;
    }
    size_t e = b;
    while (e < rest_.size() && !IsBlank(rest_[e])) ++e;
    std::string_view word = rest_.substr(b, e - b);
    rest_.remove_prefix(e);
    return word;
  }
  std::string_view Need(std::string_view what) {
    auto w = Next();
    if (!w) Throw("missing " + std::string(what));
    return *w;
  }
  // Everything after the single blank that follows the last word read.
  std::string_view RestOfLine() {
    std::string_view r = rest_.empty() ? rest_ : rest_.substr(1);
    rest_ = {};
    return r;
  }
  // Everything after the blanks that follow the last word read.
  std::string_view Rest() {
    size_t b = 0;
    while (b < rest_.size() && IsBlank(rest_[b])) ++b;
    std::string_view r = rest_.substr(b);
    rest_ = {};
    return r;
  }
  void End() {
    if (auto w = Next()) Throw("unexpected " + Shown(*w) + " at the end of the line");
  }

 private:
  std::string_view rest_;
};

// A value the script can print or record. read() throws a ScriptError when
// the value cannot be had (an ant or patch that no longer exists).
struct ScriptRunner::Probe {
  std::string label;
  std::function<std::string()> read;
  bool wholeLine = false;  // read() gives the whole printed line (`ant N`)
};

struct ScriptRunner::Recording {
  int line = 0;
  int64_t every = 1;
  int64_t steps = 0;
  std::string file;
  std::ofstream stream;
  std::vector<Probe> probes;
};

ScriptRunner::ScriptRunner(std::ostream& out, std::ostream& err, ScriptOptions options)
    : out_(out), err_(err), options_(std::move(options)) {
  appPath = options_.appPath;
}

ScriptRunner::~ScriptRunner() = default;

int ScriptRunner::Run(std::string_view script) {
  for (size_t b = 0; b < script.size();) {
    size_t e = script.find('\n', b);
    if (e == std::string_view::npos) e = script.size();
    std::string_view line = script.substr(b, e - b);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(line);
    b = e + 1;
  }
  form_ = std::make_unique<MainForm>(*this);
  if (options_.seed) form_->rng.SetFixedSeed(*options_.seed);
  form_->onStepDone = [this] { OnStepDone(); };
  form_->Form_Load();
  Pass(false);
  for (auto& r : recordings_) r->stream.close();
  out_.flush();
  return failed_ ? 2 : 0;
}

void ScriptRunner::DoEvents() {
  ++passes;
  if (stopped_ || !form_) return;
  if (pendingWait_ > 0) {
    --pendingWait_;
    return;
  }
  if (depth_ >= kMaxDepth) {
    Fail(CurrentLine(), "run loops nested more than " + FormatInt(kMaxDepth) +
                            " deep (each click that resumes or restarts a run inside a run nests one)");
    return;
  }
  ++depth_;
  Pass(true);
  --depth_;
}

void ScriptRunner::Pass(bool inRunLoop) {
  while (!stopped_) {
    if (next_ >= lines_.size()) {
      Close();
      return;
    }
    const int number = static_cast<int>(next_) + 1;
    const std::string_view text = lines_[next_++];
    lastLine_ = number;
    Tokens words(text);
    const auto action = words.Next();
    if (!action || action->front() == '#') continue;

    if (*action == "wait") {
      int64_t n = 0;
      try {
        n = Whole(words.Need("number of passes"), 0, INT64_C(1000000000000000));
        words.End();
      } catch (const ScriptError& e) {
        Fail(number, e.message);
        return;
      }
      if (!inRunLoop || n == 0) continue;  // no run loop: no pass will go by
      pendingWait_ = n - 1;
      return;  // this pass is the first of the n
    }

    performing_.push_back(number);
    Perform(number, *action, words);
    performing_.pop_back();
    if (stopped_) return;
    if (!inRunLoop) {
      pendingWait_ = 0;  // the run that was to go on has stopped
    } else if (pendingWait_ > 0) {
      --pendingWait_;  // the action's return ends this pass
      return;
    }
  }
}

void ScriptRunner::Perform(int line, std::string_view action, Tokens& args) {
  try {
    if (action == "type") DoType(args);
    else if (action == "keys") DoKeys(args);
    else if (action == "click") DoClick(args);
    else if (action == "scroll") DoScroll(args);
    else if (action == "mouse") DoMouse(args);
    else if (action == "answer") DoAnswer(args);
    else if (action == "print") DoPrint(args);
    else if (action == "set") DoSet(args);
    else if (action == "pixel") DoPixel(args);
    else if (action == "snapshot") DoSnapshot(args);
    else if (action == "record") DoRecord(line, args);
    else if (action == "close") {
      args.End();
      Close();
    } else {
      Throw("unknown action " + Shown(action));
    }
  } catch (const ScriptError& e) {
    Fail(line, e.message);
  }
}

void ScriptRunner::Fail(int line, std::string_view message) {
  if (stopped_) return;  // the session has ended: nothing more to report
  out_.flush();
  err_ << "antraid-script: line " << line << ": " << message << '\n';
  err_.flush();
  failed_ = true;
  Close();
}

void ScriptRunner::Close() {
  if (stopped_) return;
  stopped_ = true;
  // Every run loop returns at once; nothing more is read.
  if (form_ && !form_->unloaded) form_->Form_Unload();
}

void ScriptRunner::Print(std::string_view line) {
  out_ << line << '\n';
  out_.flush();
}

bool ScriptRunner::AskYesNo(std::string_view text) {
  ++questions;
  lastQuestion.assign(text);
  if (stopped_) return false;
  Print("msgbox: " + std::string(text));
  if (answers.empty()) {
    Fail(CurrentLine(), "a Yes/No box opened with no answer queued (add `answer Yes` or `answer No` before the action)");
    return false;
  }
  const bool a = answers.front();
  answers.pop_front();
  return a;
}

void ScriptRunner::Beep() {
  ++beeps;
  if (!stopped_) Print("beep");
}

// ---- User actions --------------------------------------------------------------

TextBox* ScriptRunner::NeedTextBox(Tokens& args) {
  const std::string_view name = args.Need("text box name");
  TextBox* box = form_->panel.FindTextBox(name);
  if (!box) {
    if (Control* c = form_->panel.Find(name)) Throw(std::string(name) + " is " + KindOf(c) + ", not a text box");
    Throw("unknown control " + Shown(name));
  }
  return box;
}

void ScriptRunner::DoType(Tokens& args) {
  TextBox* box = NeedTextBox(args);
  const std::string text(args.RestOfLine());
  if (box->enabled()) box->SetText(text);  // a disabled box takes no typing
}

void ScriptRunner::DoKeys(Tokens& args) {
  TextBox* box = NeedTextBox(args);
  const std::string text(args.RestOfLine());
  if (text.size() > kMaxKeys)
    Throw("keys types at most " + FormatInt(static_cast<long long>(kMaxKeys)) + " characters; use type for longer texts");
  // The first key replaces the selected text; each later key adds one. A key
  // may open a box or start a run, which reads the lines that follow.
  for (size_t n = 1; n <= text.size() && !stopped_; ++n) {
    if (!box->enabled()) break;
    box->SetText(std::string_view(text).substr(0, n));
  }
}

void ScriptRunner::DoClick(Tokens& args) {
  const std::string_view name = args.Need("control name");
  args.End();
  if (name == "Form") {
    form_->Form_Click();
    return;
  }
  Control* c = form_->panel.Find(name);
  if (!c) Throw("unknown control " + Shown(name));
  if (auto* b = dynamic_cast<Button*>(c)) {
    b->Click();
  } else if (auto* k = dynamic_cast<CheckBox*>(c)) {
    k->Click();
  } else {
    Throw(std::string(name) + " is " + KindOf(c) + "; click needs a button, a check box or Form");
  }
}

void ScriptRunner::DoScroll(Tokens& args) {
  const std::string_view name = args.Need("scroll bar name");
  ScrollBar* bar = form_->panel.FindScrollBar(name);
  if (!bar) {
    if (Control* c = form_->panel.Find(name)) Throw(std::string(name) + " is " + KindOf(c) + ", not a scroll bar");
    Throw("unknown control " + Shown(name));
  }
  const int64_t v = Whole(args.Need("value"), INT32_MIN, INT32_MAX);
  args.End();
  if (bar->enabled()) bar->SetValue(static_cast<int>(v));  // the bar stops at its ends
}

void ScriptRunner::DoMouse(Tokens& args) {
  const std::string_view kind = args.Need("down, move or up");
  if (kind != "down" && kind != "move" && kind != "up") Throw("mouse needs down, move or up, not " + Shown(kind));
  const int button = static_cast<int>(Whole(args.Need("button"), INT16_MIN, INT16_MAX));
  const int shift = static_cast<int>(Whole(args.Need("shift mask"), INT16_MIN, INT16_MAX));
  const float x = Single(args.Need("x"));
  const float y = Single(args.Need("y"));
  args.End();
  if (kind == "down")
    form_->pctWorld_MouseDown(button, shift, x, y);
  else if (kind == "move")
    form_->pctWorld_MouseMove(button, shift, x, y);
  else
    form_->pctWorld_MouseUp(button, shift, x, y);
}

void ScriptRunner::DoAnswer(Tokens& args) {
  const std::string_view a = args.Need("Yes or No");
  args.End();
  if (a == "Yes")
    answers.push_back(true);
  else if (a == "No")
    answers.push_back(false);
  else
    Throw("answer needs Yes or No, not " + Shown(a));
}

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

std::string ReadCell(MainForm& f, const Cell& c) {
  if (c.grid == "pherGrid") {
    CheckCell(c, f.pherGrid);
    return FormatInt(f.pherGrid.Get(c.x, c.y));
  }
  if (c.grid == "antCountGrid") {
    CheckCell(c, f.antCountGrid);
    return FormatInt(f.antCountGrid.Get(c.x, c.y));
  }
  CheckCell(c, f.foodGrid);
  return FormatInt(f.foodGrid.Get(c.x, c.y));
}

void WriteCell(MainForm& f, const Cell& c, std::string_view value) {
  if (c.grid == "pherGrid") {
    CheckCell(c, f.pherGrid);
    f.pherGrid.Set(c.x, c.y, static_cast<int32_t>(Whole(value, INT32_MIN, INT32_MAX)));
  } else if (c.grid == "antCountGrid") {
    CheckCell(c, f.antCountGrid);
    f.antCountGrid.Set(c.x, c.y, static_cast<int32_t>(Whole(value, INT32_MIN, INT32_MAX)));
  } else {
    CheckCell(c, f.foodGrid);
    f.foodGrid.Set(c.x, c.y, static_cast<int16_t>(Whole(value, INT16_MIN, INT16_MAX)));
  }
}

bool IsGrid(std::string_view w) { return w == "pherGrid" || w == "antCountGrid" || w == "foodGrid"; }
}  // namespace

ScriptRunner::Probe ScriptRunner::GridProbe(std::string_view grid, Tokens& args) {
  Cell cell;
  cell.grid = std::string(grid);
  cell.x = Whole(args.Need(cell.grid + " x"), INT32_MIN, INT32_MAX);
  cell.y = Whole(args.Need(cell.grid + " y"), INT32_MIN, INT32_MAX);
  Probe p;
  p.label = cell.label();
  MainForm& f = *form_;
  p.read = [&f, cell] { return ReadCell(f, cell); };
  return p;
}

namespace {
AntRecord& AntAt(MainForm& f, int64_t n) {
  const int64_t count = static_cast<int64_t>(f.ants.size()) - 1;
  if (n < 1 || n > count)
    Throw("ant " + FormatInt(n) + " does not exist (" + (count > 0 ? "ants 1 to " + FormatInt(count) : "no ants yet") + ")");
  return f.ants[static_cast<size_t>(n)];
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
    return "ant " + FormatInt(n) + ": state=" + FormatInt(a.state) + " xPos=" + FormatSingle(a.xPos) +
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
    if (IsGrid(*w)) {
      probes.push_back(GridProbe(*w, args));
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
    if (s != kAtHome && s != kOutbound && s != kReturning && s != kStopped)
      Throw("ant state " + Shown(v) + " is none of 0, 1, 3, 9");
    ant.state = static_cast<int16_t>(s);
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
  if (!form_->pctWorld.SavePicture(file)) Throw("cannot write " + Shown(file));
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
  rec->stream.open(rec->file, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!rec->stream) Throw("cannot write " + Shown(rec->file));
  rec->stream << "modelTime";
  for (const Probe& p : rec->probes) rec->stream << ',' << CsvCell(p.label);
  rec->stream << '\n';
  if (!rec->stream) Throw("cannot write " + Shown(rec->file));
  recordings_.push_back(std::move(rec));
}

void ScriptRunner::OnStepDone() {
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
}

}  // namespace antraid
