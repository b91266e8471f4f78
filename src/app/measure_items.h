// The items a run can be measured by, in one table: what `print`, `record`,
// a sweep's measures and stop conditions read between model steps, with
// their arguments, meaning and unit. Items not in the table (the form's other
// fields, the controls' values and properties) stay readable by `print` and
// `record`, but only the table's items are offered as measures.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sim/form_observer.h"

namespace antraid {

class MainForm;

// The colony's effort since the last Start: ants out or returning at the end
// of each step, summed, and the food delivered meanwhile. It walks the ants
// once per step, so it is created only for sessions that read it.
class EffortCounter final : public FormObserver {
 public:
  explicit EffortCounter(MainForm& form);
  ~EffortCounter();
  EffortCounter(const EffortCounter&) = delete;
  EffortCounter& operator=(const EffortCounter&) = delete;

  int64_t antSteps() const { return antSteps_; }
  // Food units delivered since the last Start.
  int64_t delivered() const;

  void RunBuilt() override;
  void StepDone() override;

 private:
  MainForm& form_;
  int64_t antSteps_ = 0;
  int64_t foodAtStart_ = 0;
};

// An item that cannot be read now (a patch off the layer, a row off the world).
class ItemError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One whole-number argument of an item.
struct ItemArgument {
  std::string_view name;
  int64_t min, max;
};

// The size of a world as Start builds it, in patches (cm).
struct WorldSize {
  int64_t width = 0, height = 0, nestRow = 0;
};

struct MeasureItem {
  std::string_view name;
  std::vector<ItemArgument> arguments;
  std::string_view meaning;
  std::string_view unit;
  bool effort = false;  // reads an EffortCounter
  // The value as `print` writes it. Throws ItemError when it cannot be had.
  std::string (*read)(const MainForm& form, const EffortCounter* effort, std::span<const int64_t> args) = nullptr;
  // Why the arguments can never be read in a world of this size, or nothing.
  std::optional<std::string> (*offWorld)(std::span<const int64_t> args, const WorldSize& world) = nullptr;
};

// Every item of the table, in the order the documentation lists them.
std::span<const MeasureItem> MeasureItems();
const MeasureItem* FindMeasureItem(std::string_view name);

// The item with its arguments as `print` labels it: "pherGrid(1,595)".
std::string ItemLabel(const MeasureItem& item, std::span<const int64_t> args);
// The item as a column of a CSV file: "pherGrid_1_595"; the words of an
// item text joined by '_' ("trailCount 400" -> "trailCount_400").
std::string ColumnName(std::string_view itemText);

// Where the raid-shape items look: the pheromone row `distance` cm above the
// nest's row. Shared by the items and the window's trail chart.
int64_t TrailRow(const MainForm& form, int64_t distance);
// The patches of that row, or nothing before Start and when it lies off the world.
std::optional<std::span<const int32_t>> TrailRowCells(const MainForm& form, int64_t distance);

}  // namespace antraid
