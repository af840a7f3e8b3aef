// Start-up of the drill against the floor (a bare Qt window): the time from starting the program
// until its window is mapped on the X server and until the window is drawn (its last paint before
// it stays still), the CPU time used until then, and the peak resident memory of a run that shows
// the window, paints it and closes it. The floor runs twice: as it is, and measuring its text
// before it shows the window, as the drill does. Runs take turns (drill, floor, measuring floor,
// drill, ...), after one unmeasured run of each to warm the caches. Needs DISPLAY. Usage:
// start_up_bench PAIRS DRILL FLOOR
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
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
    double cpuUntilDrawn;   // ms
    double peak;            // MiB
};

double milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

StartUp measure(XWatch& watch, const std::vector<std::string>& command) {
    const std::string& program = command.front();
    const Clock::time_point started = Clock::now();
    const pid_t pid = spawn(command);
    const Clock::time_point deadline = started + std::chrono::seconds(30);
    const auto mapped = watch.waitForMap(pid, deadline);
    const auto cpuMapped = cpuTime(pid);
    const auto drawn =
        mapped ? watch.waitUntilStill(mapped->window, stillness, deadline) : std::nullopt;
    // The window has been still for a while: the program is idle, and what it has used is what
    // drawing the first frame took.
    const auto cpuDrawn = cpuTime(pid);
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
            std::chrono::duration<double, std::milli>(cpuMapped).count(),
            std::chrono::duration<double, std::milli>(cpuDrawn).count(),
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
    {"CPU time until drawn", &StartUp::cpuUntilDrawn, "ms", ""},
    {"peak resident memory", &StartUp::peak, "MiB", "at most 1.30"},
};

std::vector<double> column(const std::vector<StartUp>& runs, double StartUp::*field) {
    std::vector<double> values;
    for (const StartUp& run : runs) {
        values.push_back(run.*field);
    }
    return values;
}

struct Contender {
    const char* name;
    std::vector<std::string> command;
    std::vector<StartUp> runs;
};

int run(int pairs, const std::string& drill, const std::string& floor) {
    Contender contenders[] = {
        {"drill", {drill}, {}},
        {"floor", {floor}, {}},
        {"floor, text measured before showing", {floor, "measure"}, {}},
    };
    XWatch watch;
    for (Contender& contender : contenders) {
        measure(watch, contender.command);
    }
    for (int pair = 0; pair < pairs; ++pair) {
        for (Contender& contender : contenders) {
            contender.runs.push_back(measure(watch, contender.command));
        }
    }

    std::printf("### 1. Start-up\n\n");
    std::printf(
        "From starting the program until its window is mapped on the X server (Xvfb), and until "
        "the last paint of its first frame (the window then stays unchanged for %lld ms); the CPU "
        "time used until mapped and until drawn; the peak resident memory of a run that maps the "
        "window, paints it and closes it. Medians of %d runs each, taking turns. The floor lays "
        "out its text only when it paints, after the window is mapped; the drill measures the "
        "glyphs of its faces to size its boxes before it shows the window, so the floor is run a "
        "second way that measures its text before showing.\n\n",
        static_cast<long long>(stillness.count()), pairs);
    std::printf(
        "| figure | drill | floor | floor, text measured first | drill / floor | drill / floor, "
        "text measured first | goal (drill / floor) |\n|---|---|---|---|---|---|---|\n");
    for (const Figure& figure : figures) {
        double medians[std::size(contenders)];
        std::printf("| %s |", figure.name);
        for (std::size_t index = 0; index < std::size(contenders); ++index) {
            medians[index] = median(column(contenders[index].runs, figure.field));
            std::printf(" %s %s |", fixed(medians[index], 1).c_str(), figure.unit);
        }
        std::printf(" %s | %s | %s |\n", ratio(medians[0], medians[1]).c_str(),
                    ratio(medians[0], medians[2]).c_str(), figure.goal);
    }
    std::printf("\nTime to window mapped, run by run (ms):");
    for (const Contender& contender : contenders) {
        std::printf(" %s:", contender.name);
        for (const StartUp& run : contender.runs) {
            std::printf(" %.0f", run.mapped);
        }
        std::printf(";");
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
