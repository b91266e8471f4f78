#include "sim/main_form.h"

#include <cmath>

namespace antraid {

MainForm::MainForm(Host& h) : host(h) {
  // Each control runs the procedure its row of the panel's table names.
#define ANTRAID_WIRE_None(name)
#define ANTRAID_WIRE_Click(name) panel.name.onClick = [this] { name##_Click(); };
#define ANTRAID_WIRE_Change(name) panel.name.onChange = [this] { name##_Change(); };
#define ANTRAID_WIRE_ChangeScroll(name) \
  ANTRAID_WIRE_Change(name) panel.name.onScroll = [this] { name##_Change(); };
#define ANTRAID_WIRE(type, name, initial, captions, handler, ...) ANTRAID_WIRE_##handler(name)
  ANTRAID_PANEL_CONTROLS(ANTRAID_WIRE)
#undef ANTRAID_WIRE
#undef ANTRAID_WIRE_ChangeScroll
#undef ANTRAID_WIRE_Change
#undef ANTRAID_WIRE_Click
#undef ANTRAID_WIRE_None
  rng.ReseedFromClock();
}

void MainForm::Subscribe(FormObserver& observer) { observers_.push_back(&observer); }

void MainForm::Unsubscribe(FormObserver& observer) { std::erase(observers_, &observer); }

void MainForm::Message(std::string_view text) {
  panel.txtDebugMsg.SetText(text);
  for (FormObserver* o : observers_) o->MessageShown(text);
}

void MainForm::Note(std::string_view text) {
  for (FormObserver* o : observers_) o->MessageShown(text);
}

void MainForm::Form_Load() {
  run.programStarted = false;
  SetVariables();
}

void MainForm::Form_Click() { Message("30"); }

void MainForm::Form_Unload() {
  // Every loop tests this flag right after its event processing and returns
  // at once: no further step, no file written.
  unloaded = true;
  run.running = false;
  host.EndProgram();
}

// ---- Reading numbers from boxes ------------------------------------------------

namespace {
// A user's text in a message: quoted, and cut when it is long.
std::string Quoted(std::string_view text) {
  std::string q = "\"";
  if (text.size() > MainForm::kQuotedChars) {
    q.append(text.substr(0, MainForm::kQuotedChars));
    q += "...";
  } else {
    q.append(text);
  }
  q += "\"";
  return q;
}
}  // namespace

void MainForm::Refuse(const TextBox& box, std::string_view why) {
  std::string m(panel.CaptionOf(box));
  m += ": ";
  m += Quoted(box.text());
  m += " refused, ";
  m.append(why);
  Message(m);
}

std::optional<double> MainForm::ReadValue(const TextBox& box) {
  ParsedNumber n = ParseNumber(box.text());
  switch (n.status) {
    case ParseStatus::Ok:
      return n.value;
    case ParseStatus::Empty:
      return std::nullopt;
    case ParseStatus::NotANumber:
      Refuse(box, "not a number");
      return std::nullopt;
    case ParseStatus::OutOfRange:
      Refuse(box, "too large");
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<int16_t> MainForm::ReadInt16(const TextBox& box) {
  auto v = ReadValue(box);
  if (!v) return std::nullopt;
  auto i = ToInt16(*v);
  if (!i) Refuse(box, "outside -32768 to 32767");
  return i;
}

std::optional<int32_t> MainForm::ReadInt32(const TextBox& box) {
  auto v = ReadValue(box);
  if (!v) return std::nullopt;
  auto i = ToInt32(*v);
  if (!i) Refuse(box, "outside -2147483648 to 2147483647");
  return i;
}

std::optional<float> MainForm::ReadSingle(const TextBox& box) {
  auto v = ReadValue(box);
  if (!v) return std::nullopt;
  float f = static_cast<float>(*v);
  if (!std::isfinite(f)) {
    Refuse(box, "too large");
    return std::nullopt;
  }
  return f;
}

void MainForm::SetPherToDropIn(std::string_view text) {
  params.pherToDropIn.assign(text);
  ParsedNumber n = ParseNumber(text);
  pherToDropInIsNumber_ = n.ok();
  pherToDropInValue_ = n.ok() ? n.value : 0.0;
}

}  // namespace antraid
