// antraid-soak: one long run on the toolkit-free host, watching memory and
// the form's invariants.
//
//   antraid-soak [--ants N] [--steps N] [--minutes M] [--check-every N] [--seed S]
//
// Builds the run from the panel as a user would (the default panel, or the
// number of ants typed into "Total #"), presses Start and lets the run loop
// step until --steps model steps are done or --minutes have passed, then
// presses Pause. Every --check-every steps it checks the invariants of
// platform/headless/invariants.h and two balances that must hold for the
// whole run: the food units left, delivered and carried add up to the food
// laid at the start, and "Ants out" counts the ants that have left the nest
// and not come back. It notes the resident memory (VmRSS) at every check and
// prints a line every 100 checks or every minute, and the figures at the end. Exit status 1 when a check failed, 0 otherwise.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "sim/main_form.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/invariants.h"

namespace antraid {
namespace {

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

struct Options {
  long long steps = 1000000;
  double minutes = 0;  // no limit when 0
  long long checkEvery = 1000;
  int ants = 0;  // the panel's default when 0
  uint64_t seed = 1;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (i + 1 >= argc) return false;
    const char* v = argv[++i];
    if (std::strcmp(a, "--steps") == 0)
      o.steps = std::atoll(v);
    else if (std::strcmp(a, "--minutes") == 0)
      o.minutes = std::atof(v);
    else if (std::strcmp(a, "--check-every") == 0)
      o.checkEvery = std::atoll(v);
    else if (std::strcmp(a, "--ants") == 0)
      o.ants = std::atoi(v);
    else if (std::strcmp(a, "--seed") == 0)
      o.seed = std::strtoull(v, nullptr, 10);
    else
      return false;
  }
  return o.steps > 0 && o.checkEvery > 0 && o.minutes >= 0;
}

// Food units left, delivered and carried.
int64_t FoodAccounted(const MainForm& f) {
  int64_t carried = 0;
  for (size_t k = 1; k < f.run.ants.size(); ++k) carried += f.run.ants[k].hasFood;
  return static_cast<int64_t>(f.readouts.totalFood) + f.readouts.colonyFood + carried;
}

// The balances of a run, or an empty text.
std::string CheckBalances(const MainForm& f, int64_t foodAtStart) {
  int64_t carried = 0, out = 0;
  for (size_t k = 1; k < f.run.ants.size(); ++k) {
    const AntRecord& a = f.run.ants[k];
    carried += a.hasFood;
    out += a.state != AntState::kAtHome && !a.justLeft;
  }
  if (FoodAccounted(f) != foodAtStart)
    return "food left " + std::to_string(f.readouts.totalFood) + " + delivered " +
           std::to_string(f.readouts.colonyFood) + " + carried " + std::to_string(carried) +
           " != " + std::to_string(foodAtStart) + " laid";
  if (out != f.readouts.antsOut)
    return "antsOut is " + std::to_string(f.readouts.antsOut) + " with " + std::to_string(out) + " ants out";
  return {};
}

int Soak(const Options& o) {
  using Clock = std::chrono::steady_clock;
  HeadlessHost host;
  MainForm form(host);
  form.rng.SetFixedSeed(o.seed);
  form.Form_Load();
  if (o.ants > 0) form.panel.txtNumAnts.SetText(std::to_string(o.ants));

  const Clock::time_point start = Clock::now();
  long long steps = 0, checks = 0;
  long rssFirst = -1, rssLast = -1, rssMax = 0;
  int64_t foodAtStart = 0;
  double lastPrint = 0;
  bool pausing = false;
  std::string failure;
  auto seconds = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };

  StepListener listener(form, [&] {
    ++steps;
    if (steps == 1) foodAtStart = FoodAccounted(form);
    if (steps % o.checkEvery != 0 && steps < o.steps) return;
    ++checks;
    std::string problem = CheckInvariants(form);
    if (problem.empty()) problem = CheckBalances(form, foodAtStart);
    const long rss = ResidentKb();
    if (rssFirst < 0) rssFirst = rss;
    rssLast = rss;
    if (rss > rssMax) rssMax = rss;
    if (steps % (o.checkEvery * 100) == 0 || seconds() > lastPrint + 60 || !problem.empty()) {
      lastPrint = seconds();
      std::printf("step %lld  %.0f s  VmRSS %ld kB  food left %d  delivered %d  ants out %d  %s\n", steps, seconds(),
                  rss, form.readouts.totalFood, form.readouts.colonyFood, form.readouts.antsOut,
                  problem.empty() ? "ok" : problem.c_str());
    }
    if (!problem.empty() && failure.empty()) failure = problem;
    std::fflush(stdout);
  });
  host.onDoEvents = [&] {
    if (pausing) return;
    const bool outOfTime = o.minutes > 0 && steps % 256 == 0 && seconds() > o.minutes * 60;
    if (steps >= o.steps || outOfTime || !failure.empty()) {
      pausing = true;
      form.panel.cmdPause.Click();  // two more steps, then the loop ends
    }
  };
  std::printf("antraid-soak: %d ants, %lld steps at most, %.4g min at most (0: no limit), seed %llu\n",
              form.params.numAnts, o.steps, o.minutes, static_cast<unsigned long long>(o.seed));
  form.panel.cmdStartProgram.Click();
  std::string last = CheckInvariants(form);
  if (last.empty()) last = CheckBalances(form, foodAtStart);
  if (!last.empty() && failure.empty()) failure = last;

  const double s = seconds();
  std::printf("steps %lld in %.1f s (%.1f us per step), %lld checks: %s\n", steps, s, 1e6 * s / steps, checks,
              failure.empty() ? "all held" : failure.c_str());
  std::printf("VmRSS first check %ld kB, last check %ld kB, highest %ld kB (growth %ld kB)\n", rssFirst, rssLast,
              rssMax, rssLast - rssFirst);
  std::printf("food laid %lld, left %d, delivered %d; ants out %d of %d\n", static_cast<long long>(foodAtStart),
              form.readouts.totalFood, form.readouts.colonyFood, form.readouts.antsOut, form.params.numAnts);
  return failure.empty() ? 0 : 1;
}

}  // namespace
}  // namespace antraid

int main(int argc, char** argv) {
  antraid::Options o;
  if (!antraid::Parse(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: antraid-soak [--ants N] [--steps N] [--minutes M] [--check-every N] [--seed S]\n");
    return 2;
  }
  return antraid::Soak(o);
}
