// Handler cost: each of the five handlers, at level 10 (all ten boxes in use), on the real widgets
// (offscreen), on the real widgets with the repaint that the handler's writes cause, and on the
// in-memory window model: the logic's own share, the anchor. Medians of Google Benchmark
// repetitions; Google Benchmark's own table goes to stderr, the summary to stdout.
// Usage: handler_bench [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSlider>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls.h"
#include "figures.h"
#include "handlers.h"
#include "main_window.h"
#include "property.h"
#include "window_model.h"

namespace tallimo::bench {
namespace {

using enum PropertyKind;

// The window that a case runs on: built, opened and moved to level 10 before the case starts.
class Host {
  public:
    virtual ~Host() = default;
    // Called now and then outside the timed part, to keep the host's own bookkeeping small.
    virtual void tidy() {}
    // Lets the toolkit do what the handler's writes asked for: painting, on the real widgets.
    virtual void repaint() {}
};

class RealWindow final : public Host {
  public:
    explicit RealWindow(bool paints) : paints_(paints) {
        window_.raiseCreated();
        window_.show();
        QCoreApplication::processEvents();
        static_cast<QSlider*>(window_.control(difficultySlider))
            ->triggerAction(QAbstractSlider::SliderToMaximum);
        QCoreApplication::processEvents();
    }

    void repaint() override {
        if (paints_) {
            QCoreApplication::sendPostedEvents();
        }
    }

  private:
    MainWindow window_;
    bool paints_;
};

class ModelWindow final : public Host {
  public:
    ModelWindow() {
        model_.open();
        model_.moveSlider(10);
    }
    void tidy() override { model_.clearWrites(); }

  private:
    WindowModel model_;
};

enum class HostKind { real, realWithRepaint, model };

std::unique_ptr<Host> makeHost(HostKind kind) {
    switch (kind) {
        case HostKind::real:
            return std::make_unique<RealWindow>(false);
        case HostKind::realWithRepaint:
            return std::make_unique<RealWindow>(true);
        case HostKind::model:
            return std::make_unique<ModelWindow>();
    }
    return nullptr;
}

// Runs the handler once per iteration, with set-up work done outside the timed part.
template <typename SetUp>
void timeHandler(benchmark::State& state, Host& host, void (*handler)(), SetUp setUp) {
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setUp();
        if (++count % 256 == 0) {
            host.tidy();
        }
        state.ResumeTiming();
        handler();
        host.repaint();
    }
}

void nothing() {}

void flipExamMode() {
    writeProperty(mainWindow, examModeCheck, checked,
                  1 - readInteger(mainWindow, examModeCheck, checked));
}

// One step before the tick that reaches the answer time "15".
void askOrAnswerThenCountTo14() {
    onAskAnswerClicked();
    writeProperty(mainWindow, elapsedLabel, caption, std::string("14"));
}

struct Case {
    const char* name;
    void (*handler)();
    void (*before)();  // once, before the first iteration
    void (*setUp)();   // before each iteration, untimed
};

// onAskAnswerClicked alternates between asking and answering by its caption, so each case undoes
// its own step outside the timing. The exam ticks start from a counter one short of the answer
// time; the exam's ask or answer step that precedes them is untimed.
const Case cases[] = {
    {"onWindowCreated", onWindowCreated, nothing, nothing},
    {"onLevelChanged", onLevelChanged, nothing, nothing},
    {"onAskAnswerClicked: ask", onAskAnswerClicked, onAskAnswerClicked, onAskAnswerClicked},
    {"onAskAnswerClicked: answer", onAskAnswerClicked, nothing, onAskAnswerClicked},
    {"onTick: counting", onTick, onAskAnswerClicked, nothing},
    {"onTick: exam answer due", onTick,
     [] { writeProperty(mainWindow, examModeCheck, checked, 1); }, askOrAnswerThenCountTo14},
    {"onTick: next exam question due", onTick,
     [] {
         writeProperty(mainWindow, examModeCheck, checked, 1);
         onAskAnswerClicked();
     },
     askOrAnswerThenCountTo14},
    {"onExamModeClicked", onExamModeClicked, nothing, flipExamMode},
};

constexpr const char* hostNames[] = {"real", "real+repaint", "model"};

// Collects the medians, by case and host, as Google Benchmark reports them.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }

    std::map<std::string, double> medians;  // microseconds
};

void report(const MedianCollector& collected) {
    const auto medianOf = [&](const Case& c, int host) {
        const auto found = collected.medians.find(std::string(c.name) + "/" + hostNames[host]);
        return found == collected.medians.end() ? 0.0 : found->second;
    };
    std::printf("### 4. Handler cost\n\n");
    std::printf(
        "Each handler at level 10 (all ten boxes in use), called as the shell calls it, on the "
        "real widgets of a shown window (offscreen); again with the repaint that its writes cause; "
        "and on the in-memory window model, which is the logic alone. The goal is for the handler; "
        "the repaint is what the toolkit does with its writes afterwards. Medians of Google "
        "Benchmark repetitions, in microseconds.\n\n");
    std::printf(
        "| handler | real widgets | real widgets + repaint | window model | real / model | goal "
        "|\n|---|---|---|---|---|---|\n");
    for (const Case& c : cases) {
        const double real = medianOf(c, 0);
        std::printf("| %s | %s µs | %s µs | %s µs | %s | handler under 1000 µs |\n", c.name,
                    fixed(real, 1).c_str(), fixed(medianOf(c, 1), 1).c_str(),
                    fixed(medianOf(c, 2), 2).c_str(), ratio(real, medianOf(c, 2)).c_str());
    }
    std::printf("\n");
}

}  // namespace
}  // namespace tallimo::bench

int main(int argc, char** argv) {
    using namespace tallimo::bench;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    for (const Case& c : cases) {
        for (int host = 0; host < 3; ++host) {
            benchmark::RegisterBenchmark((std::string(c.name) + "/" + hostNames[host]).c_str(),
                                         [&c, host](benchmark::State& state) {
                                             const auto window =
                                                 makeHost(static_cast<HostKind>(host));
                                             c.before();
                                             timeHandler(state, *window, c.handler, c.setUp);
                                         })
                ->Unit(benchmark::kMicrosecond);
        }
    }

    std::vector<char*> arguments{argv[0]};
    std::string repetitions = "--benchmark_repetitions=9";
    std::string aggregatesOnly = "--benchmark_report_aggregates_only=true";
    std::string minTime = "--benchmark_min_time=0.05";
    for (std::string* flag : {&repetitions, &aggregatesOnly, &minTime}) {
        arguments.push_back(flag->data());
    }
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int benchmarkArgc = static_cast<int>(arguments.size());
    benchmark::Initialize(&benchmarkArgc, arguments.data());

    MedianCollector collector;
    collector.SetOutputStream(&std::cerr);
    collector.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&collector);
    report(collector);
    return 0;
}
