#include "experiments/experiment.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <toml++/toml.h>

#include "sim/panel.h"
#include "common/numbers.h"
#include "app/box_fields.h"
#include "app/condition.h"
#include "app/measure_items.h"
#include "experiments/world_check.h"
#include "platform/headless/script_runner.h"

namespace antraid::experiments {

namespace {

std::string Name(const toml::key& k) { return std::string(k.str()); }

class Reader {
 public:
  explicit Reader(const std::string& file) : file_(file) {}

  [[noreturn]] void Fail(const toml::source_region& at, const std::string& what) const {
    throw ExperimentError(file_ + ":" + std::to_string(at.begin.line) + ":" + std::to_string(at.begin.column) +
                          ": " + what);
  }

  // The entries of a table in the order the file writes them (toml++ keeps
  // them sorted by name).
  static std::vector<std::pair<const toml::key*, const toml::node*>> InFileOrder(const toml::table& t) {
    std::vector<std::pair<const toml::key*, const toml::node*>> entries;
    for (auto&& [k, v] : t) entries.emplace_back(&k, &v);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
      const auto &pa = a.first->source().begin, &pb = b.first->source().begin;
      return pa.line != pb.line ? pa.line < pb.line : pa.column < pb.column;
    });
    return entries;
  }

  const toml::table& Table(const toml::node& n, const std::string& name) const {
    if (!n.is_table()) Fail(n.source(), name + " must be a table");
    return *n.as_table();
  }

  int64_t Whole(const toml::node& n, const std::string& name, int64_t lo, int64_t hi) const {
    auto v = n.value_exact<int64_t>();
    if (!v) Fail(n.source(), name + " must be a whole number");
    if (*v < lo || *v > hi)
      Fail(n.source(), name + " must be " + (hi == INT64_MAX ? "at least " + FormatInt(lo)
                                                              : "from " + FormatInt(lo) + " to " + FormatInt(hi)) +
                           ", not " + FormatInt(*v));
    return *v;
  }

  // The control a key names, and what kind of control it is.
  ControlKind Control(const toml::key& key) const {
    const std::string& name = Name(key);
    ::antraid::Control* c = panel_.Find(name);
    if (!c) Fail(key.source(), "unknown control \"" + name + "\"");
    if (panel_.FindScrollBar(name)) return ControlKind::ScrollBar;
    if (panel_.FindCheckBox(name)) return ControlKind::CheckBox;
    if (panel_.FindTextBox(name)) {
      if (!FindBinding(name)) Fail(key.source(), name + " is a read-out of the panel, not a setting");
      return ControlKind::TextBox;
    }
    Fail(key.source(), name + " is a button or a label; a run sets text boxes, scroll bars and check boxes");
  }

  // One value for a control, as the words of its script line.
  std::string Value(const std::string& control, ControlKind kind, const toml::node& n) const {
    switch (kind) {
      case ControlKind::TextBox:
        if (auto s = n.value_exact<std::string>()) {
          if (s->find_first_of("\r\n") != std::string::npos) Fail(n.source(), control + ": a text cannot hold a line break");
          return *s;
        }
        if (auto i = n.value_exact<int64_t>()) return FormatInt(*i);
        if (auto d = n.value_exact<double>()) {
          if (!std::isfinite(*d)) Fail(n.source(), control + ": a number must be finite");
          return FormatDouble(*d);
        }
        Fail(n.source(), control + " takes a string or a number");
      case ControlKind::ScrollBar:
        if (auto i = n.value_exact<int64_t>(); i && *i >= INT32_MIN && *i <= INT32_MAX) return FormatInt(*i);
        Fail(n.source(), control + " is a scroll bar: it takes a whole number");
      case ControlKind::CheckBox: {
        std::optional<int64_t> v = n.value_exact<int64_t>();
        if (auto b = n.value_exact<bool>()) v = *b ? 1 : 0;
        if (!v || (*v != 0 && *v != 1)) Fail(n.source(), control + " is a check box: it takes 0 or 1");
        if (control == "chkSaveImages" && *v == 1)
          Fail(n.source(), "chkSaveImages: a sweep's runs draw no picture, so they save no frames; [pictures] saves pictures");
        return FormatInt(*v);
      }
    }
    return {};
  }

  std::vector<Setting> Settings(const toml::table& t, const std::string& where) {
    std::vector<Setting> settings;
    for (auto [key, node] : InFileOrder(t)) {
      const ControlKind kind = Control(*key);
      Claim(*key, where);
      settings.push_back({Name(*key), kind, Value(Name(*key), kind, *node)});
    }
    return settings;
  }

  // A control is set in one place only: [set], the cases or [vary]/[sample].
  void Claim(const toml::key& key, const std::string& where) {
    auto [it, fresh] = owner_.emplace(Name(key), where);
    if (!fresh && it->second != where)
      Fail(key.source(), Name(key) + " is set in " + it->second + " and in " + where + "; name each control in one place");
  }

  void ReadExperimentTable(const toml::table& t, Experiment& e) {
    for (auto [key, node] : InFileOrder(t)) {
      const std::string& k = Name(*key);
      if (k == "name") {
        auto s = node->value_exact<std::string>();
        if (!s) Fail(node->source(), "name must be a string");
        e.name = *s;
      } else if (k == "steps") {
        e.steps = Whole(*node, "steps", 1, INT64_C(1'000'000'000'000));
      } else if (k == "repetitions") {
        e.repetitions = Whole(*node, "repetitions", 1, kMaxRuns);
      } else if (k == "seed") {
        e.seed = static_cast<uint64_t>(Whole(*node, "seed", 0, INT64_MAX));
      } else if (k == "seeds") {
        auto s = node->value_exact<std::string>();
        if (s && *s == "per-run") e.seeds = Experiment::Seeds::PerRun;
        else if (s && *s == "per-repetition") e.seeds = Experiment::Seeds::PerRepetition;
        else Fail(node->source(), "seeds must be \"per-run\" or \"per-repetition\"");
      } else if (k == "record_every") {
        e.recordEvery = Whole(*node, "record_every", 0, INT64_C(1'000'000'000'000));
      } else if (k == "measures") {
        ReadMeasures(*node, "measures", e.measures);
      } else if (k == "final") {
        ReadMeasures(*node, "final", e.finals);
      } else if (k == "stop") {
        ReadStop(*node, e);
      } else {
        Fail(key->source(), "unknown key \"" + k + "\" in [experiment]");
      }
    }
    if (!t.contains("steps")) Fail(t.source(), "[experiment] needs steps");
    if (e.recordEvery > 0 && e.steps / e.recordEvery > kMaxRows)
      Fail(t.get("record_every")->source(), "record_every gives more than " + FormatInt(kMaxRows) + " rows per run");
    if (!t.contains("measures") && !t.contains("final")) Fail(t.source(), "[experiment] needs measures or final");
  }

  void ReadMeasures(const toml::node& n, const std::string& key, std::vector<std::string>& into) {
    const toml::array* list = n.as_array();
    if (!list) Fail(n.source(), key + " must be a list of print items");
    if (list->empty()) Fail(n.source(), key + " is an empty list");
    for (const toml::node& m : *list) {
      auto s = m.value_exact<std::string>();
      if (!s) Fail(m.source(), "a measure must be a string");
      std::istringstream in(*s);
      std::vector<std::string> words;
      for (std::string w; in >> w;) words.push_back(w);
      if (auto problem = MeasureProblem(*s, words)) Fail(m.source(), *problem);
      std::string item = words[0];
      for (size_t i = 1; i < words.size(); ++i) item += " " + words[i];
      for (const auto& [seen, at] : measureAt_)
        if (seen == item) Fail(m.source(), "measure \"" + item + "\" is measured already (line " + std::to_string(at.begin.line) + ")");
      into.push_back(item);
      measureAt_.emplace_back(item, m.source());
    }
  }

  void ReadStop(const toml::node& n, Experiment& e) {
    const toml::array* list = n.as_array();
    if (!list) Fail(n.source(), "stop must be a list of conditions (\"antsOut == 0 and step > 100\")");
    for (const toml::node& c : *list) {
      auto s = c.value_exact<std::string>();
      if (!s) Fail(c.source(), "a stop condition must be a string");
      if (s->find_first_of("\r\n") != std::string::npos) Fail(c.source(), "a stop condition cannot hold a line break");
      std::vector<Condition> read;
      try {
        read = ParseConditions(*s);
      } catch (const ConditionError& ex) {
        Fail(c.source(), std::string("stop condition: ") + ex.what());
      }
      for (const Condition& one : read) {
        // The script runner's own reading decides, on a fresh window.
        std::ostringstream out, err;
        ScriptRunner probe(out, err);
        if (probe.Run("wait until " + one.text + " max 1\n") != 0) {
          std::string why = err.str();
          const size_t colon = why.find(": ", why.find("line 1"));
          why = colon == std::string::npos ? why : why.substr(colon + 2);
          while (!why.empty() && why.back() == '\n') why.pop_back();
          Fail(c.source(), "stop condition: " + why);
        }
        for (const Comparison& cmp : one.all)
          if (cmp.item != "step") stopItemAt_.emplace_back(cmp.item, c.source());
        e.stop.push_back(one.text);
      }
    }
  }

  // Why a measure cannot be recorded, or nothing. The script runner's own
  // reading of record items decides, on a fresh window.
  static std::optional<std::string> MeasureProblem(const std::string& text, const std::vector<std::string>& words) {
    if (words.empty()) return "a measure is empty";
    if (text.find_first_of("\r\n") != std::string::npos) return "a measure cannot hold a line break";
    const MeasureItem* item = FindMeasureItem(words[0]);
    if (words[0] == "ant") return "measure \"" + text + "\": ant N prints a whole line; measure single values";
    if (words[0] == "modelTime") return "modelTime is in every row already; it is not a measure";
    if (words.size() != 1 + (item ? item->arguments.size() : 0)) return "measure \"" + text + "\" is not one print item";
    std::ostringstream out, err;
    ScriptRunner probe(out, err);
    if (probe.Run("record 1 /dev/null " + text + "\n") == 0) return std::nullopt;
    std::string why = err.str();
    const size_t colon = why.find(": ", why.find("line 1"));
    why = colon == std::string::npos ? why : why.substr(colon + 2);
    while (!why.empty() && why.back() == '\n') why.pop_back();
    return "measure \"" + text + "\": " + why;
  }

  void ReadVary(const toml::table& t, Experiment& e) {
    for (auto [key, node] : InFileOrder(t)) {
      Factor f{Name(*key), Control(*key), {}};
      Claim(*key, "[vary]");
      const toml::array* list = node->as_array();
      if (!list) Fail(node->source(), f.control + " in [vary] must be a list of values");
      if (list->empty()) Fail(node->source(), f.control + " in [vary] is an empty list");
      for (const toml::node& v : *list) f.values.push_back(Value(f.control, f.kind, v));
      e.vary.push_back(std::move(f));
    }
  }

  // A [min, max] range of numbers for a control; whole numbers at both ends draw whole numbers.
  Range ReadRange(const toml::key& key, const toml::node& node, const std::string& where) {
    Range r{Name(key), Control(key), 0, 0, false};
    Claim(key, where);
    if (r.kind == ControlKind::CheckBox) Fail(key.source(), r.control + " is a check box; " + where + " takes ranges of numbers");
    const toml::array* pair = node.as_array();
    if (!pair || pair->size() != 2 || !(*pair)[0].is_number() || !(*pair)[1].is_number())
      Fail(node.source(), r.control + " in " + where + " must be a range [min, max]");
    auto lo = (*pair)[0].value<double>(), hi = (*pair)[1].value<double>();
    r.whole = (*pair)[0].is_integer() && (*pair)[1].is_integer();
    if (!std::isfinite(*lo) || !std::isfinite(*hi)) Fail(node.source(), r.control + ": a range must be finite");
    if (*lo > *hi) Fail(node.source(), r.control + ": the range's min is more than its max");
    if (r.kind == ControlKind::ScrollBar && !r.whole)
      Fail(node.source(), r.control + " is a scroll bar: its range must be whole numbers");
    r.min = *lo;
    r.max = *hi;
    return r;
  }

  std::string Text(const toml::node& n, const std::string& name) const {
    auto s = n.value_exact<std::string>();
    if (!s) Fail(n.source(), name + " must be a string");
    return *s;
  }

  void ReadSample(const toml::table& t, Experiment& e) {
    if (const toml::node* m = t.get("method")) {
      const std::string method = Text(*m, "method");
      if (method == "sobol") e.sampleMethod = SampleMethod::Sobol;
      else if (method == "morris") e.sampleMethod = SampleMethod::Morris;
      else if (method != "latin-hypercube")
        Fail(m->source(), "unknown method \"" + method + "\" (the methods are \"latin-hypercube\", \"sobol\", \"morris\")");
    }
    const bool morris = e.sampleMethod == SampleMethod::Morris;
    if (morris) {
      if (const toml::node* c = t.get("count")) Fail(c->source(), "Morris screening takes trajectories, not count");
      if (!t.contains("trajectories")) Fail(t.source(), "[sample] with method = \"morris\" needs trajectories");
      e.trajectories = Whole(*t.get("trajectories"), "trajectories", 2, kMaxRuns);
      if (const toml::node* l = t.get("levels")) e.levels = Whole(*l, "levels", 2, 1000);
    } else {
      for (const char* k : {"trajectories", "levels"})
        if (const toml::node* n = t.get(k)) Fail(n->source(), std::string(k) + " belongs to method = \"morris\"");
      if (!t.contains("count")) Fail(t.source(), "[sample] needs count");
      const bool sobol = e.sampleMethod == SampleMethod::Sobol;
      e.sampleCount = Whole(*t.get("count"), "count", sobol ? 2 : 1, kMaxRuns);
    }
    for (auto [key, node] : InFileOrder(t)) {
      const std::string k = Name(*key);
      if (k == "count" || k == "method" || k == "trajectories" || k == "levels") continue;
      Range r = ReadRange(*key, *node, "[sample]");
      if (e.sampleMethod == SampleMethod::LatinHypercube && r.whole && r.min != r.max && r.max - r.min + 1 < static_cast<double>(e.sampleCount))
        Fail(node->source(), r.control + ": [" + FormatInt(static_cast<int64_t>(r.min)) + ", " +
                                 FormatInt(static_cast<int64_t>(r.max)) + "] holds fewer whole numbers than count");
      if (morris && r.min == r.max) Fail(node->source(), r.control + ": Morris screening needs a range with min < max");
      if (morris && r.whole && r.max - r.min + 1 < static_cast<double>(e.levels))
        Fail(node->source(), r.control + ": [" + FormatInt(static_cast<int64_t>(r.min)) + ", " +
                                 FormatInt(static_cast<int64_t>(r.max)) + "] holds fewer whole numbers than levels");
      e.sample.push_back(r);
    }
    if (e.sampleMethod != SampleMethod::LatinHypercube && e.sample.empty())
      Fail(t.source(), "[sample] needs at least one range for its indices");
  }

  // The smallest population each algorithm works with (NSGA-II: a multiple of 4).
  static int64_t SmallestPopulation(const std::string& algorithm) {
    if (algorithm == "sga" || algorithm == "pso") return 2;
    if (algorithm == "nsga2") return 8;
    return 5;  // cmaes, de
  }

  void ReadSearch(const toml::table& t, Experiment& e) {
    Search& s = e.search;
    if (!t.contains("algorithm")) Fail(t.source(), "[search] needs algorithm");
    const toml::node& a = *t.get("algorithm");
    s.algorithm = Text(a, "algorithm");
    if (s.algorithm != "cmaes" && s.algorithm != "sga" && s.algorithm != "de" && s.algorithm != "pso" &&
        s.algorithm != "nsga2")
      Fail(a.source(), "unknown algorithm \"" + s.algorithm +
                           "\" (the algorithms are \"cmaes\", \"sga\", \"de\", \"pso\" and \"nsga2\")");
    for (auto [key, node] : InFileOrder(t)) {
      const std::string k = Name(*key);
      if (k == "algorithm") continue;
      if (k == "maximize" || k == "minimize") {
        auto add = [&](const toml::node& n) { objectives_.push_back({Text(n, "an objective"), k == "maximize", n.source()}); };
        if (const toml::array* list = node->as_array()) {
          if (list->empty()) Fail(node->source(), k + " is an empty list");
          for (const toml::node& n : *list) add(n);
        } else {
          add(*node);
        }
      } else if (k == "population") {
        s.population = Whole(*node, "population", 1, 100'000);
        if (s.population < SmallestPopulation(s.algorithm) || (s.algorithm == "nsga2" && s.population % 4 != 0))
          Fail(node->source(), s.algorithm + " needs a population of at least " + FormatInt(SmallestPopulation(s.algorithm)) +
                                   (s.algorithm == "nsga2" ? " and a multiple of 4" : "") + ", not " + FormatInt(s.population));
      } else if (k == "generations") {
        s.generations = Whole(*node, "generations", 1, 100'000);
      } else if (k == "repetitions") {
        e.repetitions = Whole(*node, "repetitions", 1, 100'000);
      } else {
        s.ranges.push_back(ReadRange(*key, *node, "[search]"));
      }
    }
    for (const char* k : {"population", "generations"})
      if (!t.contains(k)) Fail(t.source(), std::string("[search] needs ") + k);
    const size_t wanted = s.algorithm == "nsga2" ? 2 : 1;
    if (objectives_.size() != wanted)
      Fail(objectives_.empty() ? t.source() : objectives_.back().at,
           s.algorithm + (wanted == 2 ? " needs two objectives (maximize and minimize, each a measure or a list)"
                                      : " needs one objective: maximize = \"MEASURE\" or minimize = \"MEASURE\"") +
               (objectives_.empty() ? "" : ", not " + FormatInt(static_cast<int64_t>(objectives_.size()))));
    if (s.ranges.empty()) Fail(t.source(), "[search] needs at least one range, such as txtNumAnts = [100, 2000]");
    int64_t runs = s.population * e.repetitions;
    if (runs > kMaxRuns / (s.generations + 1)) Fail(t.source(), "the search plans more than " + FormatInt(kMaxRuns) + " runs");
  }

  // Each objective is one of [experiment]'s measures (known once the whole file is read).
  void ResolveObjectives(Experiment& e) const {
    for (const PendingObjective& p : objectives_) {
      std::istringstream in(p.text);
      std::string item, w;
      while (in >> w) item += (item.empty() ? "" : " ") + w;
      const std::vector<std::string> measured = MeasuredItems(e);
      auto it = std::find(measured.begin(), measured.end(), item);
      if (it == measured.end())
        Fail(p.at, "objective \"" + p.text + "\" is not one of the measures or final measures of [experiment]");
      e.search.objectives.push_back({static_cast<size_t>(it - measured.begin()), p.maximize});
    }
  }

  void ReadPictures(const toml::table& t, Experiment& e) const {
    Pictures& p = e.pictures;
    bool layers = false;
    for (auto [key, node] : InFileOrder(t)) {
      const std::string& k = Name(*key);
      if (k == "at") {
        auto s = node->value_exact<std::string>();
        if (!s || *s != "end") Fail(node->source(), "at takes \"end\" (or write every = N for a picture every N steps)");
        if (t.contains("every")) Fail(node->source(), "[pictures] has at or every, not both");
      } else if (k == "every") {
        p.every = Whole(*node, "every", 1, INT64_C(1'000'000'000'000));
      } else if (k == "movie") {
        auto b = node->value_exact<bool>();
        if (!b) Fail(node->source(), "movie takes true or false");
        p.movie = *b;
      } else if (k == "movie_every") {
        p.movieEvery = Whole(*node, "movie_every", 1, INT64_C(1'000'000'000'000));
      } else if (k == "layers") {
        const toml::array* list = node->as_array();
        if (!list || list->empty()) Fail(node->source(), "layers must be a list of \"ants\" and \"trails\"");
        for (const toml::node& l : *list) {
          auto s = l.value_exact<std::string>();
          bool& layer = s && *s == "ants" ? p.ants : s && *s == "trails" ? p.trails : layers;
          if (&layer == &layers) Fail(l.source(), "a layer is \"ants\" or \"trails\"");
          if (layer) Fail(l.source(), "layer \"" + *s + "\" is named twice");
          layer = true;
        }
        layers = true;
      } else {
        Fail(key->source(), "unknown key \"" + k + "\" in [pictures] (at, every, layers, movie, movie_every)");
      }
    }
    if (p.movieEvery > 0 && !p.movie) Fail(t.get("movie_every")->source(), "movie_every needs movie = true");
    if (!layers) {
      // A table with only the movie's keys asks for the movie alone.
      const bool movieOnly = p.movie && !t.contains("at") && !t.contains("every");
      p.ants = p.trails = !movieOnly;
    }
  }

  Experiment Read(const toml::table& root) {
    Experiment e;
    e.file = file_;
    for (auto [key, node] : InFileOrder(root)) {
      const std::string& k = Name(*key);
      if (k == "experiment") {
        ReadExperimentTable(Table(*node, "[experiment]"), e);
      } else if (k == "set") {
        e.fixed = Settings(Table(*node, "[set]"), "[set]");
      } else if (k == "vary") {
        ReadVary(Table(*node, "[vary]"), e);
      } else if (k == "sample") {
        ReadSample(Table(*node, "[sample]"), e);
      } else if (k == "pictures") {
        ReadPictures(Table(*node, "[pictures]"), e);
      } else if (k == "search") {
        ReadSearch(Table(*node, "[search]"), e);
      } else if (k == "case") {
        const toml::array* cases = node->as_array();
        if (!cases || !cases->is_array_of_tables()) Fail(node->source(), "case must be written [[case]]");
        for (const toml::node& c : *cases) {
          e.cases.push_back(Settings(*c.as_table(), "[[case]]"));
        }
      } else {
        Fail(key->source(), "unknown key \"" + k + "\" (the tables are [experiment], [set], [vary], [[case]], [sample], [search], [pictures])");
      }
    }
    if (!root.contains("experiment")) Fail(root.source(), "the file needs an [experiment] table");
    if (e.pictures.every > 0 && e.steps / e.pictures.every > kMaxPictures)
      Fail(root.get("pictures")->as_table()->get("every")->source(),
           "every gives more than " + FormatInt(kMaxPictures) + " pictures per run");
    if (root.contains("vary") && root.contains("sample"))
      Fail(root.get("sample")->source(), "a file has [vary] or [sample], not both");
    if (e.sampleMethod != SampleMethod::LatinHypercube && !e.cases.empty())
      Fail(root.get("case")->source(), "[[case]] cannot be combined with Sobol' or Morris indices: make one file per case");
    if (const toml::node* search = root.get("search")) {
      for (const char* other : {"vary", "sample", "case"})
        if (root.contains(other))
          Fail(search->source(), std::string("a file has [search] or [") + other + "], not both");
      const toml::node* reps = root["experiment"]["repetitions"].node();
      if (reps) Fail(reps->source(), "a search gives its repetitions in [search]");
      ResolveObjectives(e);
    }
    int64_t runs = e.repetitions * std::max<int64_t>(1, static_cast<int64_t>(e.cases.size()));
    auto grow = [&](int64_t n) { runs = runs > kMaxRuns / n ? kMaxRuns + 1 : runs * n; };
    for (const Factor& f : e.vary) grow(static_cast<int64_t>(f.values.size()));
    if (!e.sample.empty() || e.sampleCount > 0) grow(std::max<int64_t>(1, SampleCombinations(e)));
    if (runs > kMaxRuns) Fail(root.source(), "the experiment plans more than " + FormatInt(kMaxRuns) + " runs");
    if (const std::optional<WorldSize> world = SmallestWorld(e)) {
      for (const auto& [item, at] : measureAt_)
        if (auto problem = MeasureOffWorld(item, *world)) Fail(at, "measure \"" + item + "\": " + *problem);
      for (const auto& [item, at] : stopItemAt_)
        if (auto problem = MeasureOffWorld(item, *world)) Fail(at, "stop condition: \"" + item + "\": " + *problem);
    }
    return e;
  }

 private:
  std::string file_;
  mutable Panel panel_;
  std::map<std::string, std::string> owner_;  // control -> the table that sets it
  // Each measure and final measure, and where it stands in the file.
  std::vector<std::pair<std::string, toml::source_region>> measureAt_;
  std::vector<std::pair<std::string, toml::source_region>> stopItemAt_;  // items of the stop conditions
  struct PendingObjective {
    std::string text;
    bool maximize = true;
    toml::source_region at;
  };
  std::vector<PendingObjective> objectives_;  // [search]'s, in file order
};

}  // namespace

int64_t SampleCombinations(const Experiment& e) {
  const auto k = static_cast<int64_t>(e.sample.size());
  switch (e.sampleMethod) {
    case SampleMethod::Sobol:
      return e.sampleCount > kMaxRuns / (k + 2) ? kMaxRuns + 1 : e.sampleCount * (k + 2);
    case SampleMethod::Morris:
      return e.trajectories > kMaxRuns / (k + 1) ? kMaxRuns + 1 : e.trajectories * (k + 1);
    case SampleMethod::LatinHypercube:
      break;
  }
  return e.sampleCount;
}

std::vector<std::string> MeasuredItems(const Experiment& e) {
  std::vector<std::string> all = e.measures;
  all.insert(all.end(), e.finals.begin(), e.finals.end());
  return all;
}

Experiment ParseExperiment(std::string_view text, const std::string& file) {
  toml::table root;
  try {
    root = toml::parse(text, file);
  } catch (const toml::parse_error& e) {
    throw ExperimentError(file + ":" + std::to_string(e.source().begin.line) + ":" +
                          std::to_string(e.source().begin.column) + ": " + std::string(e.description()));
  }
  return Reader(file).Read(root);
}

}  // namespace antraid::experiments
