// Start-up of the drill against the floor (a bare Qt window): the time from starting the program
// until its window is mapped on the X server and until the window is drawn (its last paint before
// it stays still), the CPU time used until mapped, and the peak resident memory of a run that shows
// the window, paints it and closes it. Runs alternate drill, floor, drill, floor, after one
// unmeasured run of each to warm the caches. Needs DISPLAY. Usage: start_up_bench PAIRS DRILL FLOOR
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "figures.h"
#include "process.h"
#include "x_watch.h"

namespace tallimo::bench {
namespace {

// A window that has not changed for this long has finished drawing its first frame.
constexpr auto stillness = std::chrono::milliseconds(300);

struct StartUp {
    double mapped;          // ms
    double drawn;           // ms
    double cpuUntilMapped;  // ms
    double peak;            // MiB
};

double milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

StartUp measure(XWatch& watch, const std::string& program) {
    const Clock::time_point started = Clock::now();
    const pid_t pid = spawn({program});
    const Clock::time_point deadline = started + std::chrono::seconds(30);
    const auto mapped = watch.waitForMap(pid, deadline);
    const auto cpu = cpuTime(pid);
    const auto drawn =
        mapped ? watch.waitUntilStill(mapped->window, stillness, deadline) : std::nullopt;
    if (!drawn) {
        kill(pid, SIGKILL);
        reap(pid);
        throw std::runtime_error(program + " did not map and draw a window within 30 s");
    }
    watch.close(mapped->window);
    const Ended ended = reap(pid);
    if (ended.exitCode != 0) {
        throw std::runtime_error(program + " ended with code " + std::to_string(ended.exitCode));
    }
    return {milliseconds(mapped->at - started), milliseconds(*drawn - started),
            std::chrono::duration<double, std::milli>(cpu).count(),
            static_cast<double>(ended.peakResidentKib) / 1024.0};
}

struct Figure {
    const char* name;
    double StartUp::*field;
    const char* unit;
    const char* goal;
};

constexpr Figure figures[] = {
    {"time to window mapped", &StartUp::mapped, "ms", "at most 1.15"},
    {"time to window drawn", &StartUp::drawn, "ms", ""},
    {"CPU time until mapped", &StartUp::cpuUntilMapped, "ms", ""},
    {"peak resident memory", &StartUp::peak, "MiB", "at most 1.30"},
};

std::vector<double> column(const std::vector<StartUp>& runs, double StartUp::*field) {
    std::vector<double> values;
    for (const StartUp& run : runs) {
        values.push_back(run.*field);
    }
    return values;
}

int run(int pairs, const std::string& drill, const std::string& floor) {
    XWatch watch;
    measure(watch, drill);
    measure(watch, floor);
    std::vector<StartUp> drillRuns;
    std::vector<StartUp> floorRuns;
    for (int pair = 0; pair < pairs; ++pair) {
        drillRuns.push_back(measure(watch, drill));
        floorRuns.push_back(measure(watch, floor));
    }

    std::printf("### 1. Start-up\n\n");
    std::printf(
        "From starting the program until its window is mapped on the X server (Xvfb), and until "
        "the last paint of its first frame (the window then stays unchanged for %lld ms); the CPU "
        "time used until mapped; the peak resident memory of a run that maps the window, paints it "
        "and closes it. Medians of %d runs each, alternating drill and floor.\n\n",
        static_cast<long long>(stillness.count()), pairs);
    std::printf("| figure | drill | floor | drill / floor | goal |\n|---|---|---|---|---|\n");
    for (const Figure& figure : figures) {
        const double measured = median(column(drillRuns, figure.field));
        const double anchor = median(column(floorRuns, figure.field));
        std::printf("| %s | %s %s | %s %s | %s | %s |\n", figure.name, fixed(measured, 1).c_str(),
                    figure.unit, fixed(anchor, 1).c_str(), figure.unit,
                    ratio(measured, anchor).c_str(), figure.goal);
    }
    std::printf("\nTime to window mapped, run by run (drill/floor, ms):");
    for (int pair = 0; pair < pairs; ++pair) {
        std::printf(" %.0f/%.0f", drillRuns[pair].mapped, floorRuns[pair].mapped);
    }
    std::printf("\n\n");
    return 0;
}

}  // namespace
}  // namespace tallimo::bench

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s PAIRS DRILL FLOOR\n", argv[0]);
        return 2;
    }
    try {
        return tallimo::bench::run(std::atoi(argv[1]), argv[2], argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "start_up_bench: %s\n", error.what());
        return 1;
    }
}
