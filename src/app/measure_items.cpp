// The table of measure items and the effort counter.
#include "app/measure_items.h"

#include <array>
#include <cstdint>

#include "sim/main_form.h"
#include "app/raid_shape.h"
#include "common/numbers.h"

namespace antraid {

// ---- Effort ------------------------------------------------------------------

EffortCounter::EffortCounter(MainForm& form) : form_(form) {
  foodAtStart_ = form_.readouts.colonyFood;
  form_.Subscribe(*this);
}

EffortCounter::~EffortCounter() { form_.Unsubscribe(*this); }

int64_t EffortCounter::delivered() const { return static_cast<int64_t>(form_.readouts.colonyFood) - foodAtStart_; }

void EffortCounter::RunBuilt() {
  antSteps_ = 0;
  foodAtStart_ = form_.readouts.colonyFood;
}

void EffortCounter::StepDone() {
  int64_t active = 0;
  const auto& ants = form_.run.ants;
  for (size_t k = 1; k < ants.size(); ++k)
    active += ants[k].state == AntState::kOutbound || ants[k].state == AntState::kReturning;
  antSteps_ += active;
}

// ---- Reading the items ----------------------------------------------------------

namespace {

constexpr int64_t kCoordMin = INT32_MIN, kCoordMax = INT32_MAX;

std::string LabelOf(std::string_view name, std::span<const int64_t> args) {
  std::string s(name);
  if (args.empty()) return s;
  s += '(';
  for (size_t i = 0; i < args.size(); ++i) s += (i ? "," : "") + FormatInt(args[i]);
  return s + ')';
}

template <typename T>
void CheckPatch(std::string_view grid, const Layer<T>& layer, std::span<const int64_t> a) {
  const std::string label = LabelOf(grid, a);
  if (!layer.exists()) throw ItemError(label + ": the layer does not exist yet (the world is built by Start)");
  if (!layer.Contains(a[0], a[1]))
    throw ItemError(label + " lies off the layer (" + FormatInt(layer.width()) + " x " + FormatInt(layer.height()) + ")");
}

std::optional<std::string> PatchOffWorld(std::span<const int64_t> a, const WorldSize& w) {
  if (a[0] >= 1 && a[0] <= w.width && a[1] >= 1 && a[1] <= w.height) return std::nullopt;
  return "patch (" + FormatInt(a[0]) + "," + FormatInt(a[1]) + ") lies off the world (" + FormatInt(w.width) + " x " +
         FormatInt(w.height) + ")";
}

std::optional<std::string> RowOffWorld(std::span<const int64_t> a, const WorldSize& w) {
  const int64_t row = w.nestRow - a[0];
  if (row >= 1 && row <= w.height) return std::nullopt;
  return "the row " + FormatInt(a[0]) + " cm above the nest (row " + FormatInt(row) + ") lies off the world (" +
         FormatInt(w.height) + " cm high)";
}

// The pheromone row the trail items read, or ItemError.
std::span<const int32_t> Row(std::string_view name, const MainForm& f, std::span<const int64_t> a) {
  const Layer<int32_t>& layer = f.run.pherGrid;
  if (!layer.exists())
    throw ItemError(LabelOf(name, a) + ": the layer does not exist yet (the world is built by Start)");
  const std::optional<std::span<const int32_t>> row = TrailRowCells(f, a[0]);
  if (!row)
    throw ItemError(LabelOf(name, a) + ": the row " + FormatInt(a[0]) + " cm above the nest (row " +
                    FormatInt(TrailRow(f, a[0])) + ") lies off the world (" + FormatInt(layer.height()) + " cm high)");
  return *row;
}

std::string Field(const MainForm& f, std::string_view name) { return f.FieldText(name).value_or(""); }

const EffortCounter& Effort(const EffortCounter* e) {
  if (!e) throw ItemError("the colony's effort is not being counted in this session");
  return *e;
}

#define FIELD(name) [](const MainForm& f, const EffortCounter*, std::span<const int64_t>) { return Field(f, #name); }

const std::vector<ItemArgument> kPatch = {{"x", kCoordMin, kCoordMax}, {"y", kCoordMin, kCoordMax}};
const std::vector<ItemArgument> kDistance = {{"D", 1, kCoordMax}};

}  // namespace

int64_t TrailRow(const MainForm& form, int64_t distance) {
  return static_cast<int64_t>(form.params.homeYPos) - distance;
}

std::optional<std::span<const int32_t>> TrailRowCells(const MainForm& form, int64_t distance) {
  const Layer<int32_t>& layer = form.run.pherGrid;
  const int64_t y = TrailRow(form, distance);
  if (!layer.exists() || y < 1 || y > layer.height()) return std::nullopt;
  const size_t width = static_cast<size_t>(layer.width());
  return std::span<const int32_t>(layer.cells()).subspan(static_cast<size_t>(y - 1) * width, width);
}

std::span<const MeasureItem> MeasureItems() {
  static const std::vector<MeasureItem> items = {
      {"modelTime", {}, "the run's clock", "s", false, FIELD(modelTime)},
      {"colonyFood", {}, "food delivered to the nest (counted when the carrier leaves again)", "food units", false,
       FIELD(colonyFood)},
      {"foodOnGround", {}, "food lying in the world", "food units", false, FIELD(foodOnGround)},
      {"totalFood", {}, "food left, as the food rules count it", "food units", false, FIELD(totalFood)},
      {"numFoodItems", {}, "food items laid out at Start", "items", false, FIELD(numFoodItems)},
      {"antsOut", {}, "ants that have left the nest and not come back", "ants", false, FIELD(antsOut)},
      {"antsReturning", {}, "ants on their way home", "ants", false, FIELD(antsReturning)},
      {"lastSwarmWidth", {}, "spread across of the outbound ants, at the last measuring step", "cm", false,
       FIELD(lastSwarmWidth)},
      {"maxDistTraveled", {}, "farthest an ant has gone from the nest's row", "cm", false, FIELD(maxDistTraveled)},
      {"pherGrid", kPatch, "pheromone on patch (x, y)", "pheromone units", false,
       [](const MainForm& f, const EffortCounter*, std::span<const int64_t> a) {
         CheckPatch("pherGrid", f.run.pherGrid, a);
         return FormatInt(f.run.pherGrid.Get(a[0], a[1]));
       },
       PatchOffWorld},
      {"antCountGrid", kPatch, "ants on patch (x, y)", "ants", false,
       [](const MainForm& f, const EffortCounter*, std::span<const int64_t> a) {
         CheckPatch("antCountGrid", f.run.antCountGrid, a);
         return FormatInt(f.run.antCountGrid.Get(a[0], a[1]));
       },
       PatchOffWorld},
      {"foodGrid", kPatch, "food on patch (x, y)", "food units", false,
       [](const MainForm& f, const EffortCounter*, std::span<const int64_t> a) {
         CheckPatch("foodGrid", f.run.foodGrid, a);
         return FormatInt(f.run.foodGrid.Get(a[0], a[1]));
       },
       PatchOffWorld},
      {"trailExtent", kDistance,
       "distance across the patches holding pheromone in the row D cm above the nest (first to last, both counted)",
       "cm", false,
       [](const MainForm& f, const EffortCounter*, std::span<const int64_t> a) {
         return FormatInt(TrailExtent(Row("trailExtent", f, a)));
       },
       RowOffWorld},
      {"trailWidth", kDistance,
       "effective width of the pheromone in the row D cm above the nest: (sum p)^2 / sum p^2", "cm", false,
       [](const MainForm& f, const EffortCounter*, std::span<const int64_t> a) {
         return FormatDouble(TrailWidth(Row("trailWidth", f, a)));
       },
       RowOffWorld},
      {"trailCount", kDistance,
       "trails crossing the row D cm above the nest (patches with at least a tenth of the row's maximum; gaps of up "
       "to 3 patches joined)",
       "trails", false,
       [](const MainForm& f, const EffortCounter*, std::span<const int64_t> a) {
         return FormatInt(TrailCount(Row("trailCount", f, a)));
       },
       RowOffWorld},
      {"searchSpread", {}, "95th minus 5th percentile of the x positions of the ants searching outward", "cm", false,
       [](const MainForm& f, const EffortCounter*, std::span<const int64_t>) {
         std::vector<float> xs;
         for (size_t k = 1; k < f.run.ants.size(); ++k)
           if (f.run.ants[k].state == AntState::kOutbound) xs.push_back(f.run.ants[k].xPos);
         return FormatSingle(SearchSpread(xs));
       }},
      {"antSteps", {}, "ants out or returning at the end of each step since Start, summed: the colony's effort",
       "ant-steps", true,
       [](const MainForm&, const EffortCounter* e, std::span<const int64_t>) { return FormatInt(Effort(e).antSteps()); }},
      {"foodPerAntStep", {}, "food delivered since Start divided by antSteps (0 before any effort)",
       "food units per ant-step", true,
       [](const MainForm&, const EffortCounter* e, std::span<const int64_t>) {
         const EffortCounter& c = Effort(e);
         return FormatDouble(c.antSteps() == 0 ? 0.0
                                               : static_cast<double>(c.delivered()) / static_cast<double>(c.antSteps()));
       }},
  };
  return items;
}

#undef FIELD

const MeasureItem* FindMeasureItem(std::string_view name) {
  for (const MeasureItem& m : MeasureItems())
    if (m.name == name) return &m;
  return nullptr;
}

std::string ItemLabel(const MeasureItem& item, std::span<const int64_t> args) { return LabelOf(item.name, args); }

std::string ColumnName(std::string_view itemText) {
  std::string s;
  bool blank = false;
  for (char c : itemText) {
    if (c == ' ' || c == '\t') {
      blank = !s.empty();
      continue;
    }
    if (blank) s += '_';
    blank = false;
    s += c;
  }
  return s;
}

}  // namespace antraid
