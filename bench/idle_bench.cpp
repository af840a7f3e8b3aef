// What the drill costs while it waits, against the floor (a bare Qt window): the CPU time and the
// wake-ups of the running program over 10 s with no question open, and over 30 s of an exam,
// where the floor counts seconds on a one-second timer instead. The drill is put into exam mode
// by clicks on its window, as a learner would. Needs DISPLAY and xdotool.
// Usage: idle_bench ROUNDS DRILL FLOOR
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "controls.h"
#include "figures.h"
#include "layout.h"
#include "process.h"
#include "x_watch.h"

namespace tallimo::bench {
namespace {

using namespace std::chrono_literals;

constexpr auto idleSpan = 10s;
constexpr auto examSpan = 30s;
// The programs are looked at this often. A burst is a run of slices in which a program woke, with
// a quiet slice before and after: one tick's work, a few milliseconds long, makes one burst even
// when it straddles two slices.
constexpr auto slice = 100ms;
// Lets start-up work and the reaction to the clicks die down before a measurement.
constexpr auto settle = 2s;

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

// Where a control lies in the window's client area, from the layout it was built from.
Rect placeOf(ControlId control) {
    const ControlLayout* layout = findLayout(control);
    Rect place{layout->x, layout->y, layout->width, layout->height};
    for (ControlId parent = layout->parent; parent != mainWindow;
         parent = findLayout(parent)->parent) {
        place.x += findLayout(parent)->x;
        place.y += findLayout(parent)->y;
    }
    return place;
}

void run(const std::vector<std::string>& command) {
    const Ended ended = reap(spawn(command));
    if (ended.exitCode != 0) {
        throw std::runtime_error(command.front() + " failed");
    }
}

class Running {
  public:
    Running(XWatch& watch, const std::vector<std::string>& command)
        : watch_(watch), pid_(spawn(command)) {
        const Clock::time_point deadline = Clock::now() + 30s;
        const auto mapped = watch_.waitForMap(pid_, deadline);
        if (!mapped || !watch_.waitUntilStill(mapped->window, 300ms, deadline)) {
            kill(pid_, SIGKILL);
            reap(pid_);
            throw std::runtime_error(command.front() + " did not show its window within 30 s");
        }
        window_ = mapped->window;
    }

    ~Running() {
        watch_.close(window_);
        reap(pid_);
    }

    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    pid_t pid() const { return pid_; }

    void click(ControlId control) {
        const Rect place = placeOf(control);
        run({"xdotool", "mousemove", "--window", std::to_string(window_),
             std::to_string(place.x + place.width / 2), std::to_string(place.y + place.height / 2),
             "click", "1"});
    }

    std::uint64_t digest(ControlId control) {
        const Rect place = placeOf(control);
        return watch_.digest(window_, place.x, place.y, place.width, place.height);
    }

  private:
    XWatch& watch_;
    pid_t pid_;
    xcb_window_t window_ = 0;
};

struct Sample {
    std::chrono::nanoseconds cpu;
    std::map<pid_t, ThreadWakeUps> threads;
};

Sample sample(pid_t pid) {
    return {cpuTime(pid), wakeUps(pid)};
}

struct Usage {
    double cpuMilliseconds;
    long wakeUps;
    std::map<std::string, long> byThread;
    int bursts;
};

// A thread started during the span counts with all its wake-ups; one that ended during it counts
// with none, as its last figures cannot be read.
Usage between(const Sample& before, const Sample& after) {
    Usage usage{
        std::chrono::duration<double, std::milli>(after.cpu - before.cpu).count(), 0, {}, 0};
    for (const auto& [tid, thread] : after.threads) {
        const auto earlier = before.threads.find(tid);
        const long count =
            thread.count - (earlier == before.threads.end() ? 0 : earlier->second.count);
        usage.wakeUps += count;
        usage.byThread[thread.name] += count;
    }
    return usage;
}

long totalWakeUps(pid_t pid) {
    long total = 0;
    for (const auto& [tid, thread] : wakeUps(pid)) {
        total += thread.count;
    }
    return total;
}

// Watches the programs over the span, calling eachSecond once a second.
template <typename EachSecond>
std::vector<Usage> watchSpan(const std::vector<pid_t>& pids, Clock::duration span,
                             EachSecond eachSecond) {
    std::vector<Sample> before;
    std::vector<long> seen;
    std::vector<int> bursts(pids.size(), 0);
    std::vector<bool> wasActive(pids.size(), false);
    for (const pid_t pid : pids) {
        before.push_back(sample(pid));
        seen.push_back(totalWakeUps(pid));
    }
    const Clock::time_point start = Clock::now();
    for (int slices = 1; slices * slice <= span; ++slices) {
        std::this_thread::sleep_until(start + slices * slice);
        for (std::size_t index = 0; index < pids.size(); ++index) {
            const long now = totalWakeUps(pids[index]);
            const bool active = now != seen[index];
            bursts[index] += active && !wasActive[index] ? 1 : 0;
            wasActive[index] = active;
            seen[index] = now;
        }
        if (slices * slice % 1s == 0ms) {
            eachSecond();
        }
    }
    std::vector<Usage> usages;
    for (std::size_t index = 0; index < pids.size(); ++index) {
        usages.push_back(between(before[index], sample(pids[index])));
        usages.back().bursts = bursts[index];
    }
    return usages;
}

struct Round {
    Usage drillIdle;
    Usage floorIdle;
    Usage drillExam;
    Usage floorTicking;
};

Round measureRound(XWatch& watch, const std::string& drillProgram,
                   const std::string& floorProgram) {
    Running drill(watch, {drillProgram});
    Running floor(watch, {floorProgram});
    Running ticking(watch, {floorProgram, "tick"});

    std::this_thread::sleep_for(settle);
    Round round{};
    const std::vector<Usage> idle = watchSpan({drill.pid(), floor.pid()}, idleSpan, [] {});
    round.drillIdle = idle[0];
    round.floorIdle = idle[1];

    const std::uint64_t emptyAnswer = drill.digest(answerBox);
    drill.click(examModeCheck);
    drill.click(askAnswerButton);
    run({"xdotool", "mousemove", "0", "0"});
    std::this_thread::sleep_for(settle);

    bool answeredByItself = false;
    const std::vector<Usage> exam = watchSpan({drill.pid(), ticking.pid()}, examSpan, [&] {
        answeredByItself = answeredByItself || drill.digest(answerBox) != emptyAnswer;
    });
    round.drillExam = exam[0];
    round.floorTicking = exam[1];
    if (!answeredByItself) {
        throw std::runtime_error("the drill showed no answer by itself: the exam did not run");
    }
    return round;
}

std::vector<double> column(const std::vector<Round>& rounds, Usage Round::*usage,
                           double (*figure)(const Usage&)) {
    std::vector<double> values;
    for (const Round& round : rounds) {
        values.push_back(figure(round.*usage));
    }
    return values;
}

double cpuOf(const Usage& usage) {
    return usage.cpuMilliseconds;
}
double wakeUpsOf(const Usage& usage) {
    return static_cast<double>(usage.wakeUps);
}
double burstsOf(const Usage& usage) {
    return usage.bursts;
}

void row(const std::vector<Round>& rounds, const char* name, Usage Round::*drill,
         Usage Round::*floor, double (*figure)(const Usage&), const char* unit, int decimals,
         const char* goal) {
    const double measured = median(column(rounds, drill, figure));
    const double anchor = median(column(rounds, floor, figure));
    std::printf("| %s | %s%s | %s%s | %s | %s |\n", name, fixed(measured, decimals).c_str(), unit,
                fixed(anchor, decimals).c_str(), unit, ratio(measured, anchor).c_str(), goal);
}

std::string threadsOf(const Usage& usage) {
    std::string text;
    for (const auto& [name, count] : usage.byThread) {
        text += (text.empty() ? "" : ", ") + name + " " + std::to_string(count);
    }
    return text;
}

int measure(int rounds, const std::string& drill, const std::string& floor) {
    XWatch watch;
    std::vector<Round> results;
    for (int round = 0; round < rounds; ++round) {
        results.push_back(measureRound(watch, drill, floor));
    }

    const auto idleSeconds = std::chrono::seconds(idleSpan).count();
    const auto examSeconds = std::chrono::seconds(examSpan).count();
    std::printf("### 2. Idle cost\n\n");
    std::printf(
        "CPU time and wake-ups (voluntary context switches, all threads) of the running program: "
        "%lld s with no question open against the idle floor, then %lld s of an exam (answer time "
        "15 s) against the floor counting seconds on a one-second timer. The programs are looked "
        "at every %lld ms; a burst is a run of such slices in which a program woke, between quiet "
        "ones, so a program that wakes once a second and then sleeps until the next second makes "
        "one burst a second, however many threads its work wakes. Medians of %d rounds; in each "
        "round the programs run side by side on one X server.\n\n",
        static_cast<long long>(idleSeconds), static_cast<long long>(examSeconds),
        static_cast<long long>(std::chrono::milliseconds(slice).count()), rounds);
    std::printf("| figure | drill | floor | drill / floor | goal |\n|---|---|---|---|---|\n");
    row(results, "idle: CPU time", &Round::drillIdle, &Round::floorIdle, cpuOf, " ms", 2, "0");
    row(results, "idle: wake-ups", &Round::drillIdle, &Round::floorIdle, wakeUpsOf, "", 0, "0");
    row(results, "idle: wake-up bursts", &Round::drillIdle, &Round::floorIdle, burstsOf, "", 0,
        "0");
    row(results, "exam: CPU time", &Round::drillExam, &Round::floorTicking, cpuOf, " ms", 1, "");
    row(results, "exam: wake-ups", &Round::drillExam, &Round::floorTicking, wakeUpsOf, "", 0, "");
    row(results, "exam: wake-up bursts", &Round::drillExam, &Round::floorTicking, burstsOf, "", 0,
        ("one a second (" + std::to_string(examSeconds) + ")").c_str());
    std::printf(
        "\nWake-ups by thread in the last round: drill idle: %s; drill exam: %s; floor "
        "ticking: %s.\n\n",
        threadsOf(results.back().drillIdle).c_str(), threadsOf(results.back().drillExam).c_str(),
        threadsOf(results.back().floorTicking).c_str());
    return 0;
}

}  // namespace
}  // namespace tallimo::bench

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: %s ROUNDS DRILL FLOOR\n", argv[0]);
        return 2;
    }
    try {
        return tallimo::bench::measure(std::atoi(argv[1]), argv[2], argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "idle_bench: %s\n", error.what());
        return 1;
    }
}
