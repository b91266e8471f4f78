// The pace of a run against the test's own clock: the speed ladder, which
// passes may step at each speed, the starting again after a new speed or a
// pause, and the achieved rate.
#include <QTest>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/qt/pacer.h"

using namespace antraid;

namespace {
constexpr Pacer::Nanos kMs = 1'000'000;
constexpr Pacer::Nanos kS = 1'000'000'000;

// Runs steps as the host does: a pass, a wait until NextStart when the pass
// must wait, then the step. Returns when each step began.
std::vector<Pacer::Nanos> RunSteps(Pacer& p, Pacer::Nanos& now, int steps) {
  std::vector<Pacer::Nanos> starts;
  for (int i = 0; i < steps; ++i) {
    if (p.PassBegins(now)) {
      const auto next = p.NextStart();
      if (next && *next > now) now = *next;
    }
    starts.push_back(now);
    p.StepDone(now);
  }
  return starts;
}
}  // namespace

class PacerTest : public QObject {
  Q_OBJECT

 private slots:
  void theLadderHasItsStopsAndPlacesEveryValueBetweenThem() {
    const std::vector<int> stops(SpeedStops().begin(), SpeedStops().end());
    QCOMPARE(stops, (std::vector<int>{1, 2, 5, 10, 20, 30, 60, 120, 250, 500, 1000, kFastest}));
    // Each stop: its own place, one up, one down; the ends stay.
    for (size_t i = 0; i < stops.size(); ++i) {
      QCOMPARE(StopIndexOf(stops[i]), int(i));
      QCOMPARE(FasterSpeed(stops[i]), stops[std::min(i + 1, stops.size() - 1)]);
      QCOMPARE(SlowerSpeed(stops[i]), stops[i == 0 ? 0 : i - 1]);
    }
    // Between two stops: up goes to the stop above, down to the stop below.
    const struct { int speed, index, faster, slower; } between[] = {
        {3, 2, 5, 2}, {4, 2, 5, 2}, {7, 3, 10, 5}, {25, 5, 30, 20}, {45, 6, 60, 30},
        {999, 10, 1000, 500}, {1001, 11, kFastest, 1000}, {kMaxPacedSpeed, 11, kFastest, 1000}};
    for (const auto& b : between) {
      QCOMPARE(StopIndexOf(b.speed), b.index);
      QCOMPARE(FasterSpeed(b.speed), b.faster);
      QCOMPARE(SlowerSpeed(b.speed), b.slower);
    }
    // "20 steps/s", "fastest" and --speed fastest: the instrument tests.
    QCOMPARE(SpeedWords(1), std::string("1 step/s"));
    QCOMPARE(ParseSpeed("7"), std::optional<int>(7));
    QCOMPARE(ParseSpeed("100000"), std::optional<int>(kMaxPacedSpeed));
    for (const char* bad : {"0", "-1", "100001", "7.5", "7 ", "", "Fastest"}) QVERIFY(!ParseSpeed(bad));
  }

  void onlyAPassAfterAStepWaitsAndStepsKeepTheirPlaces() {
    Pacer p;
    p.SetSpeed(10, 5 * kS);
    // No step since the last pass: nothing to wait for.
    QVERIFY(!p.PassBegins(5 * kS));
    QCOMPARE(p.NextStart(), std::optional<Pacer::Nanos>(5 * kS));
    p.StepDone(5 * kS);
    QVERIFY(p.PassBegins(5 * kS + 3 * kMs));
    QCOMPARE(*p.NextStart(), 5 * kS + 100 * kMs);
    // A second pass before the next step (after a saved frame) goes through.
    QVERIFY(!p.PassBegins(5 * kS + 4 * kMs));
    // A late wake-up does not push the following steps back.
    p.StepDone(5 * kS + 130 * kMs);
    QVERIFY(p.PassBegins(5 * kS + 131 * kMs));
    QCOMPARE(*p.NextStart(), 5 * kS + 200 * kMs);
    // At 30 steps/s the n-th start is floor(n / 30 s), never drifting.
    Pacer q;
    Pacer::Nanos now = 0;
    q.SetSpeed(30, now);
    const auto starts = RunSteps(q, now, 91);
    QCOMPARE(starts[1], Pacer::Nanos{33'333'333});
    QCOMPARE(starts[2], Pacer::Nanos{66'666'666});
    QCOMPARE(starts[90], 3 * kS);
    // Fastest never waits and has no start time.
    q.SetSpeed(kFastest, now);
    q.StepDone(now);
    QVERIFY(!q.PassBegins(now));
    QVERIFY(!q.NextStart());
  }

  void aNewSpeedOrAPauseStartsTheCountAfresh() {
    Pacer p;
    Pacer::Nanos now = 0;
    p.SetSpeed(1, now);
    RunSteps(p, now, 5);  // steps began at 0..4 s
    QCOMPARE(now, 4 * kS);
    // Slower to faster while a step waits for 5 s: the next may begin now.
    now = 4 * kS + 500 * kMs;
    p.SetSpeed(10, now);
    p.PassBegins(now);
    QCOMPARE(*p.NextStart(), now);
    auto starts = RunSteps(p, now, 3);
    QCOMPARE(starts, (std::vector<Pacer::Nanos>{4500 * kMs, 4600 * kMs, 4700 * kMs}));
    // Faster to slower: one second after the change, not 53 s counted from
    // the first anchor nor 0.3 s from the last.
    p.SetSpeed(1, now);
    starts = RunSteps(p, now, 3);
    QCOMPARE(starts, (std::vector<Pacer::Nanos>{4700 * kMs, 5700 * kMs, 6700 * kMs}));
    // A pause of a minute: the run goes on from the present at its pace, not
    // with 60 steps at once to catch up.
    now += 60 * kS;
    starts = RunSteps(p, now, 3);
    QCOMPARE(starts, (std::vector<Pacer::Nanos>{66700 * kMs, 67700 * kMs, 68700 * kMs}));
    // A run slower than its setting (each step takes 3 s at 1 step/s) is not
    // hurried to make up for it.
    Pacer q;
    Pacer::Nanos t = 0;
    q.SetSpeed(1, t);
    q.StepDone(t + 3 * kS);
    t += 3 * kS;
    QVERIFY(q.PassBegins(t));
    QCOMPARE(*q.NextStart(), t);
  }

  void theAchievedRateIsSteadyAtASteadyPace() {
    // 1 and 2 steps/s read as themselves at every step once two seconds
    // have passed (a half-second window read 0 or 2 at 1 step/s).
    for (int speed : {1, 2, 30}) {
      Pacer p;
      Pacer::Nanos now = 0;
      p.SetSpeed(speed, now);
      QCOMPARE(p.MeasuredRate(), 0.0);
      for (int i = 0; i < 10 * speed; ++i) {
        RunSteps(p, now, 1);
        if (now >= 2 * kS) QCOMPARE(p.MeasuredRate(), double(speed));
      }
    }
    // 5 steps in 2.5 s, then a long pause: the rate after the pause is
    // measured from the first step after it, not across the pause.
    Pacer p;
    for (int i = 0; i <= 5; ++i) p.StepDone(i * 500 * kMs);
    QCOMPARE(p.MeasuredRate(), 2.0);
    const Pacer::Nanos back = 100 * kS;
    for (int i = 0; i <= 8; ++i) p.StepDone(back + i * 250 * kMs);
    QCOMPARE(p.MeasuredRate(), 4.0);
  }
};

QTEST_APPLESS_MAIN(PacerTest)
#include "pacer_test.moc"
