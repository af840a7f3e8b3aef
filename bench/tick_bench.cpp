// Tick steadiness: the real shell in exam mode, offscreen and driven in-process, with every call of
// onTick timestamped on the monotonic clock, against a default Qt timer (coarse, the toolkit's
// ordinary choice) of the same period started at the same moment in the same event loop.
// Usage: tick_bench [TICKS]   (120 at least, 120 by default)
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "figures.h"
#include "handlers.h"
#include "main_window.h"

namespace tallimo::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double period = 1000.0;  // ms
constexpr double tolerance = 5.0;  // ms

struct Steadiness {
    double medianSpacing;
    double worstDeviation;
    int withinTolerance;
    std::string outliers;  // the spacings outside the tolerance, by tick
    double medianLateness;
    double worstLateness;
    double driftPer100;
};

// times[0] is the moment the timer was started; each later entry is a tick. Tick k is due k
// periods after the start; how late it comes is its lateness. A steady timer keeps a constant
// lateness (the time it takes to wake up); drift is how fast the lateness grows, the slope of its
// least-squares line.
Steadiness steadinessOf(const std::vector<Clock::time_point>& times, int ticks) {
    std::vector<double> spacings;
    std::vector<double> lateness;
    Steadiness result{0, 0, 0, "", 0, 0, 0};
    for (int tick = 1; tick <= ticks; ++tick) {
        const double spacing =
            std::chrono::duration<double, std::milli>(times[tick] - times[tick - 1]).count();
        spacings.push_back(spacing);
        lateness.push_back(
            std::chrono::duration<double, std::milli>(times[tick] - times[0]).count() -
            tick * period);
        result.worstDeviation = std::max(result.worstDeviation, std::abs(spacing - period));
        if (std::abs(spacing - period) <= tolerance) {
            ++result.withinTolerance;
        } else {
            result.outliers += (result.outliers.empty() ? "" : ", ") + std::string("tick ") +
                               std::to_string(tick) + " " + fixed(spacing, 2) + " ms";
        }
    }
    result.medianSpacing = median(spacings);
    result.medianLateness = median(lateness);
    result.worstLateness = *std::ranges::max_element(lateness);
    const double meanTick = (ticks + 1) / 2.0;
    const double meanLateness = std::accumulate(lateness.begin(), lateness.end(), 0.0) / ticks;
    double covariance = 0;
    double variance = 0;
    for (int tick = 1; tick <= ticks; ++tick) {
        covariance += (tick - meanTick) * (lateness[tick - 1] - meanLateness);
        variance += (tick - meanTick) * (tick - meanTick);
    }
    result.driftPer100 = covariance / variance * 100.0;
    return result;
}

void report(int ticks, const Steadiness& drill, const Steadiness& coarse) {
    std::printf("### 3. Tick steadiness\n\n");
    std::printf(
        "The real shell in exam mode (offscreen, in-process) for %d ticks, each call of onTick "
        "timestamped on the monotonic clock, beside a default (coarse) Qt timer of 1000 ms started "
        "at the same moment in the same event loop. Spacing is measured from the ask that starts "
        "the timer to the first tick, then from tick to tick. Tick k is due k seconds after the "
        "ask; lateness is how much later it comes, and drift is how fast the lateness grows (the "
        "slope of its least-squares line, per 100 ticks).\n\n",
        ticks);
    std::printf(
        "| figure | drill (precise timer) | default Qt timer | drill / default | goal |\n"
        "|---|---|---|---|---|\n");
    std::printf("| median spacing | %s ms | %s ms | %s | 1000 ms |\n",
                fixed(drill.medianSpacing, 2).c_str(), fixed(coarse.medianSpacing, 2).c_str(),
                ratio(drill.medianSpacing, coarse.medianSpacing).c_str());
    std::printf("| worst spacing error | %s ms | %s ms | %s | at most 5 ms |\n",
                fixed(drill.worstDeviation, 2).c_str(), fixed(coarse.worstDeviation, 2).c_str(),
                ratio(drill.worstDeviation, coarse.worstDeviation).c_str());
    std::printf("| ticks within 1000 ms ± 5 ms | %d of %d | %d of %d | | all |\n",
                drill.withinTolerance, ticks, coarse.withinTolerance, ticks);
    std::printf("| median lateness | %s ms | %s ms | %s | |\n",
                fixed(drill.medianLateness, 2).c_str(), fixed(coarse.medianLateness, 2).c_str(),
                ratio(drill.medianLateness, coarse.medianLateness).c_str());
    std::printf("| worst lateness | %s ms | %s ms | %s | |\n",
                fixed(drill.worstLateness, 2).c_str(), fixed(coarse.worstLateness, 2).c_str(),
                ratio(drill.worstLateness, coarse.worstLateness).c_str());
    std::printf("| drift per 100 ticks | %s ms | %s ms | %s | under 2 ms |\n\n",
                fixed(drill.driftPer100, 2).c_str(), fixed(coarse.driftPer100, 2).c_str(),
                ratio(std::abs(drill.driftPer100), std::abs(coarse.driftPer100)).c_str());
    std::printf("Spacings outside 1000 ms ± 5 ms: drill: %s; default timer: %s.\n\n",
                drill.outliers.empty() ? "none" : drill.outliers.c_str(),
                coarse.outliers.empty() ? "none" : coarse.outliers.c_str());
}

}  // namespace
}  // namespace tallimo::bench

int main(int argc, char** argv) {
    using namespace tallimo;
    using namespace tallimo::bench;
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 120;
    if (ticks < 120) {
        std::fprintf(stderr, "usage: %s [TICKS], at least 120\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    std::vector<Clock::time_point> drillTicks;
    std::vector<Clock::time_point> coarseTicks;
    const auto finishWhenDone = [&] {
        if (static_cast<int>(drillTicks.size()) > ticks &&
            static_cast<int>(coarseTicks.size()) > ticks) {
            QCoreApplication::quit();
        }
    };

    MainWindow window([&](ControlId source) {
        if (source == tickTimer) {
            drillTicks.push_back(Clock::now());
            finishWhenDone();
        }
        runBoundHandler(source);
    });
    window.raiseCreated();
    window.show();

    QTimer coarse;
    QObject::connect(&coarse, &QTimer::timeout, [&] {
        coarseTicks.push_back(Clock::now());
        finishWhenDone();
    });
    QTimer::singleShot(0, [&] {
        static_cast<QCheckBox*>(window.control(examModeCheck))->click();
        const Clock::time_point asked = Clock::now();
        static_cast<QPushButton*>(window.control(askAnswerButton))->click();
        coarse.start(1000);
        drillTicks.push_back(asked);
        coarseTicks.push_back(Clock::now());
    });
    QApplication::exec();

    report(ticks, steadinessOf(drillTicks, ticks), steadinessOf(coarseTicks, ticks));
    return 0;
}
