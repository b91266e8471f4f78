#include "experiments/sensitivity.h"

#include <cmath>

#include "app/measure_items.h"
#include "common/csv.h"
#include "common/numbers.h"
#include "experiments/morris_design.h"
#include "experiments/sobol_design.h"

namespace antraid::experiments {

namespace {

std::string Number(double v) { return std::isnan(v) ? "" : FormatDouble(v); }

}  // namespace

bool HasSensitivity(const Experiment& e) {
  return e.sampleMethod != SampleMethod::LatinHypercube && !e.sample.empty();
}

std::string SensitivityCsv(const Experiment& e, const RunPlan& plan, const std::vector<std::vector<double>>& outputs) {
  const bool sobol = e.sampleMethod == SampleMethod::Sobol;
  std::string csv = sobol ? "measure,parameter,S1,S1_low,S1_high,ST,ST_low,ST_high\n" : "measure,parameter,mu,mu_star,sigma\n";
  std::vector<SampleRange> ranges;
  for (const Range& r : e.sample) ranges.push_back({r.min, r.max, r.whole});
  const std::vector<std::string> measured = MeasuredItems(e);
  for (size_t m = 0; m < measured.size(); ++m) {
    std::vector<double> y;
    bool complete = true;
    for (const auto& row : outputs) {
      y.push_back(row[m]);
      complete = complete && !std::isnan(row[m]);
    }
    const std::string lead = CsvCell(ColumnName(measured[m])) + ",";
    if (sobol) {
      std::vector<SobolIndex> s;
      if (complete) s = SaltelliIndices(y, e.sampleCount, ranges.size(), e.seed);
      for (size_t d = 0; d < ranges.size(); ++d) {
        csv += lead + CsvCell(e.sample[d].control);
        if (complete)
          for (double v : {s[d].s1, s[d].s1Low, s[d].s1High, s[d].st, s[d].stLow, s[d].stHigh}) csv += "," + Number(v);
        else
          csv += ",,,,,,";
        csv += "\n";
      }
    } else {
      const std::vector<MorrisEffect> effects = MorrisEffects(plan.points(), y, ranges);
      for (size_t d = 0; d < ranges.size(); ++d)
        csv += lead + CsvCell(e.sample[d].control) + "," + Number(effects[d].mu) + "," + Number(effects[d].muStar) + "," +
               Number(effects[d].sigma) + "\n";
    }
  }
  return csv;
}

}  // namespace antraid::experiments
