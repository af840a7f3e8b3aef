#include "window_model.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "layout.h"
#include "tick_count.h"

namespace tallimo {
namespace {

using enum PropertyKind;

// A model whose events are only recorded, with the clock reading at each.
struct RecordedEvent {
    ControlId source;
    std::int64_t at;
    friend bool operator==(const RecordedEvent&, const RecordedEvent&) = default;
};

class RecordingModel : public ::testing::Test {
  protected:
    std::vector<RecordedEvent> events;
    std::function<void(ControlId)> onEvent = [](ControlId) {};
    WindowModel model{[this](ControlId source) {
        events.push_back({source, model.now()});
        onEvent(source);
    }};

    std::vector<std::int64_t> tickTimes() const {
        std::vector<std::int64_t> times;
        for (const RecordedEvent& event : events) {
            if (event.source == tickTimer) {
                times.push_back(event.at);
            }
        }
        return times;
    }
};

TEST_F(RecordingModel, StartsInTheDesignTimeState) {
    for (const ControlLayout& layout : layoutTable) {
        EXPECT_EQ(model.shown(layout.id), layout.visible) << layout.id;
        EXPECT_TRUE(model.enabled(layout.id)) << layout.id;
        EXPECT_EQ(model.text(layout.id), layout.text) << layout.id;
    }
    for (const ControlId box : numberBoxes) {
        EXPECT_TRUE(model.shown(box));
        EXPECT_EQ(readText(mainWindow, box, text), "");
    }
    for (const ControlId mark : levelMarks) {
        EXPECT_FALSE(model.shown(mark));
    }
    EXPECT_EQ(readText(mainWindow, askAnswerButton, caption), "\xB4\xF0\xB0\xB8");  // 答案
    EXPECT_EQ(readText(mainWindow, answerTimeBox, text), "15");
    EXPECT_EQ(readText(mainWindow, rangeLowBox, text), "");
    EXPECT_EQ(readText(mainWindow, rangeHighBox, text), "");
    EXPECT_EQ(readText(mainWindow, elapsedLabel, caption), "");
    EXPECT_EQ(readInteger(mainWindow, examModeCheck, checked), 0);
    EXPECT_EQ(readInteger(mainWindow, difficultySlider, position), 2);
    EXPECT_EQ(model.timerPeriod(), 0);
    EXPECT_FALSE(model.nextTickAt().has_value());
    EXPECT_FALSE(model.shown(tickTimer));
}

// What the timer does after one write of timerPeriod, seen as the tick times up to 3000 ms.
struct TimerWriteCase {
    const char* name;
    std::int32_t runningPeriod;  // written at 0 ms; 0 leaves the timer stopped
    std::int64_t writeAt;
    std::int32_t written;
    std::int32_t storedAfter;
    std::vector<std::int64_t> ticks;
    int scheduleStarts;
    friend void PrintTo(const TimerWriteCase& c, std::ostream* os) { *os << c.name; }
};

const TimerWriteCase timerWriteCases[] = {
    {"StoppedWriteZero", 0, 700, 0, 0, {}, 0},
    {"StoppedWriteNegative", 0, 700, -5, 0, {}, 0},
    {"StoppedWritePeriod", 0, 300, 1000, 1000, {1300, 2300}, 1},
    {"RunningWriteZero", 1000, 999, 0, 0, {}, 1},
    {"RunningWriteNegative", 1000, 700, -1000, 0, {}, 1},
    {"RunningWriteStoredPeriod", 1000, 700, 1000, 1000, {1000, 2000, 3000}, 1},
    {"RunningWriteOtherPeriod", 1000, 700, 400, 400, {1100, 1500, 1900, 2300, 2700}, 2},
    {"RunningAfterATickWriteOtherPeriod", 1000, 1500, 2000, 2000, {1000}, 2},
};

class TimerWrite : public RecordingModel, public ::testing::WithParamInterface<TimerWriteCase> {};

TEST_P(TimerWrite, FollowsTheWriteTable) {
    const TimerWriteCase& c = GetParam();
    if (c.runningPeriod > 0) {
        writeProperty(mainWindow, tickTimer, timerPeriod, c.runningPeriod);
    }
    model.advance(c.writeAt);
    writeProperty(mainWindow, tickTimer, timerPeriod, c.written);
    model.advance(3000 - c.writeAt);
    EXPECT_EQ(model.timerPeriod(), c.storedAfter);
    EXPECT_EQ(tickTimes(), c.ticks);
    EXPECT_EQ(model.scheduleStarts(), c.scheduleStarts);
    EXPECT_EQ(model.ticksDelivered(), static_cast<std::int64_t>(c.ticks.size()));
}

INSTANTIATE_TEST_SUITE_P(WindowModel, TimerWrite, ::testing::ValuesIn(timerWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordingModel, ATickHandlerThatWritesTheStoredPeriodKeepsTheRhythm) {
    onEvent = [](ControlId source) {
        if (source == tickTimer) {
            writeProperty(mainWindow, tickTimer, timerPeriod, 1000);
        }
    };
    model.advance(250);
    writeProperty(mainWindow, tickTimer, timerPeriod, 1000);
    model.advance(4000);
    EXPECT_EQ(tickTimes(), (std::vector<std::int64_t>{1250, 2250, 3250, 4250}));
    EXPECT_EQ(model.scheduleStarts(), 1);
}

TEST_F(RecordingModel, ATickHandlerThatStopsAndRestartsTheTimerMovesTheRhythm) {
    onEvent = [this](ControlId source) {
        if (source == tickTimer && model.ticksDelivered() == 1) {
            writeProperty(mainWindow, tickTimer, timerPeriod, 0);
            writeProperty(mainWindow, tickTimer, timerPeriod, 1500);
        }
    };
    writeProperty(mainWindow, tickTimer, timerPeriod, 1000);
    model.advance(4000);
    EXPECT_EQ(tickTimes(), (std::vector<std::int64_t>{1000, 2500, 4000}));
}

TEST_F(RecordingModel, ABlockedLoopDeliversOneTickNotABurst) {
    writeProperty(mainWindow, tickTimer, timerPeriod, 1000);
    model.stall(5500);
    EXPECT_EQ(tickTimes(), (std::vector<std::int64_t>{5500}));
    model.stall(400);
    EXPECT_EQ(tickTimes().size(), 1u);
    model.advance(1100);
    EXPECT_EQ(tickTimes(), (std::vector<std::int64_t>{5500, 6000, 7000}));
}

TEST_F(RecordingModel, AStoppedTimerStaysQuietThroughABlock) {
    writeProperty(mainWindow, tickTimer, timerPeriod, 1000);
    writeProperty(mainWindow, tickTimer, timerPeriod, 0);
    model.stall(5000);
    model.advance(5000);
    EXPECT_TRUE(events.empty());
}

// A write followed by a read of the same property, or by the state the learner sees.
struct ReadWriteCase {
    const char* name;
    ControlId control;
    PropertyKind kind;
    PropertyValue written;
    PropertyValue read;  // for the readable kinds
    friend void PrintTo(const ReadWriteCase& c, std::ostream* os) { *os << c.name; }
};

const ReadWriteCase readWriteCases[] = {
    {"TextOfAnEditBox", rangeLowBox, text, std::string("-7"), std::string("-7")},
    {"EmptyText", answerTimeBox, text, std::string(), std::string()},
    {"TextOfAHiddenBox", numberBox10, text, std::string("42"), std::string("42")},
    {"CaptionOfALabel", elapsedLabel, caption, std::string("13"), std::string("13")},
    {"CaptionOfTheButton", askAnswerButton, caption, std::string("\xB3\xF6\xCC\xE2"),
     std::string("\xB3\xF6\xCC\xE2")},
    {"NonZeroChecks", examModeCheck, checked, 5, 1},
    {"NegativeChecks", examModeCheck, checked, -1, 1},
    {"ZeroClears", examModeCheck, checked, 0, 0},
};

class ReadAfterWrite : public RecordingModel,
                       public ::testing::WithParamInterface<ReadWriteCase> {};

TEST_P(ReadAfterWrite, ReturnsTheNewValueAndRaisesNothing) {
    const ReadWriteCase& c = GetParam();
    writeProperty(mainWindow, c.control, c.kind, c.written);
    EXPECT_EQ(readProperty(mainWindow, c.control, c.kind), c.read);
    EXPECT_EQ(model.writes(), (std::vector<PropertyWrite>{{c.control, c.kind, c.written}}));
    EXPECT_TRUE(events.empty());
}

INSTANTIATE_TEST_SUITE_P(WindowModel, ReadAfterWrite, ::testing::ValuesIn(readWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordingModel, VisibleShowsOnAnyNonZeroValueAndEnabledFollowsTheBoolean) {
    const struct {
        std::int32_t written;
        bool shown;
    } visibleCases[] = {{0, false}, {1, true}, {0, false}, {-3, true}, {7, true}};
    for (const auto& c : visibleCases) {
        writeProperty(mainWindow, levelMark5, visible, c.written);
        EXPECT_EQ(model.shown(levelMark5), c.shown) << c.written;
    }
    writeProperty(mainWindow, difficultySlider, enabled, false);
    EXPECT_FALSE(model.enabled(difficultySlider));
    EXPECT_EQ(readInteger(mainWindow, difficultySlider, position), 2);
    writeProperty(mainWindow, difficultySlider, enabled, true);
    EXPECT_TRUE(model.enabled(difficultySlider));
    EXPECT_TRUE(events.empty());
}

TEST_F(RecordingModel, RecordsEveryWriteInOrder) {
    writeProperty(mainWindow, numberBox3, visible, 0);
    writeProperty(mainWindow, numberBox3, text, std::string());
    writeProperty(mainWindow, tickTimer, timerPeriod, 1000);
    writeProperty(mainWindow, tickTimer, timerPeriod, 1000);
    const std::vector<PropertyWrite> expected{{numberBox3, visible, 0},
                                              {numberBox3, text, std::string()},
                                              {tickTimer, timerPeriod, 1000},
                                              {tickTimer, timerPeriod, 1000}};
    EXPECT_EQ(model.writes(), expected);
    model.clearWrites();
    EXPECT_TRUE(model.writes().empty());
}

// Calls that break the contract; the model refuses each one and changes nothing.
struct BreachCase {
    const char* name;
    ControlId window;
    ControlId control;
    PropertyKind kind;
    std::optional<PropertyValue> written;  // empty: a read
    friend void PrintTo(const BreachCase& c, std::ostream* os) { *os << c.name; }
};

const BreachCase breachCases[] = {
    {"ReadOfAnotherWindow", 1375797250, rangeLowBox, text, {}},
    {"WriteToAnotherWindow", 0, numberBox1, visible, 1},
    {"ReadOfAnUnknownControl", mainWindow, 12345, text, {}},
    {"WriteToTheWindowAsAControl", mainWindow, mainWindow, visible, 1},
    {"TextOfALabel", mainWindow, elapsedLabel, text, {}},
    {"CaptionOfAnEditBox", mainWindow, answerBox, caption, std::string("1")},
    {"CheckedOfTheButton", mainWindow, askAnswerButton, checked, {}},
    {"PeriodOfALabel", mainWindow, elapsedLabel, timerPeriod, 1000},
    {"WriteOfThePosition", mainWindow, difficultySlider, position, 5},
    {"ReadOfThePeriod", mainWindow, tickTimer, timerPeriod, {}},
    {"ReadOfVisible", mainWindow, numberBox1, visible, {}},
    {"ReadOfEnabled", mainWindow, askAnswerButton, enabled, {}},
    {"BooleanForVisible", mainWindow, numberBox1, visible, true},
    {"IntegerForEnabled", mainWindow, askAnswerButton, enabled, 1},
    {"IntegerForText", mainWindow, answerBox, text, 15},
    {"TextForThePeriod", mainWindow, tickTimer, timerPeriod, std::string("1000")},
    {"TextWithAZeroByte", mainWindow, answerBox, text,
     std::string("1\0"
                 "2",
                 3)},
};

class Breach : public RecordingModel, public ::testing::WithParamInterface<BreachCase> {};

TEST_P(Breach, IsRefused) {
    const BreachCase& c = GetParam();
    if (c.written) {
        EXPECT_THROW(writeProperty(c.window, c.control, c.kind, *c.written), ContractBreach);
    } else {
        EXPECT_THROW(readProperty(c.window, c.control, c.kind), ContractBreach);
    }
    EXPECT_TRUE(model.writes().empty());
    EXPECT_EQ(model.text(answerBox), "");
    EXPECT_TRUE(model.shown(numberBox1));
    EXPECT_EQ(model.timerPeriod(), 0);
}

INSTANTIATE_TEST_SUITE_P(WindowModel, Breach, ::testing::ValuesIn(breachCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordingModel, TheCheckBoxTogglesBeforeItsEvent) {
    std::vector<std::int32_t> seen;
    onEvent = [&seen](ControlId source) {
        if (source == examModeCheck) {
            seen.push_back(readInteger(mainWindow, examModeCheck, checked));
        }
    };
    EXPECT_TRUE(model.click(examModeCheck));
    EXPECT_TRUE(model.click(examModeCheck));
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1, 0}));
}

TEST_F(RecordingModel, OpeningRaisesTheCreatedEventOnce) {
    model.open();
    EXPECT_EQ(events, (std::vector<RecordedEvent>{{mainWindow, 0}}));
}

TEST_F(RecordingModel, DisabledOrHiddenControlsTakeNoInput) {
    const ControlId clickable[] = {askAnswerButton, examModeCheck};
    for (const ControlId control : clickable) {
        writeProperty(mainWindow, control, enabled, false);
        EXPECT_FALSE(model.click(control));
        writeProperty(mainWindow, control, enabled, true);
        writeProperty(mainWindow, control, visible, 0);
        EXPECT_FALSE(model.click(control));
        writeProperty(mainWindow, control, visible, 1);
    }
    writeProperty(mainWindow, difficultySlider, enabled, false);
    EXPECT_FALSE(model.moveSlider(6));
    writeProperty(mainWindow, answerTimeBox, visible, 0);
    EXPECT_FALSE(model.typeInto(answerTimeBox, "5"));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(model.checked(), 0);
    EXPECT_EQ(model.position(), 2);
    EXPECT_EQ(model.text(answerTimeBox), "15");
}

TEST_F(RecordingModel, EachSliderMoveRaisesAnEventWithinTheRange) {
    std::vector<std::int32_t> seen;
    onEvent = [&seen](ControlId) {
        seen.push_back(readInteger(mainWindow, difficultySlider, position));
    };
    for (const std::int32_t target : {5, 5, 11, 1, -40, 10}) {
        EXPECT_TRUE(model.moveSlider(target));
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{5, 5, 10, 2, 2, 10}));
}

TEST_F(RecordingModel, TypingFollowsTheBoxInputRule) {
    const struct {
        ControlId box;
        const char* typed;
        bool taken;
        const char* result;
    } typingCases[] = {
        {rangeLowBox, "a5.", true, "5"},       {rangeLowBox, "-9", true, "-9"},
        {rangeHighBox, "123", true, "12"},     {rangeHighBox, "", true, ""},
        {answerTimeBox, "\xA3\xB5", true, ""},  // a full-width 5 is not a digit here
        {answerBox, "12", false, ""},          {numberBox1, "7", false, ""},
    };
    for (const auto& c : typingCases) {
        EXPECT_EQ(model.typeInto(c.box, c.typed), c.taken) << c.typed;
        EXPECT_EQ(readText(mainWindow, c.box, text), c.result) << c.typed;
    }
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(model.writes().empty());
}

TEST(WindowModelInstall, HandsTheWindowAndTheClockToTheHandlersWhileItLives) {
    const auto readingsBefore = WindowModel::clockReadings().size();
    {
        WindowModel model([](ControlId) {});
        model.advance(1234);
        EXPECT_EQ(GetTickCount(), 1234u);
        writeProperty(mainWindow, rangeLowBox, text, std::string("3"));
        EXPECT_EQ(model.text(rangeLowBox), "3");
    }
    WindowModel fresh([](ControlId) {});
    EXPECT_EQ(readText(mainWindow, rangeLowBox, text), "");
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_EQ(WindowModel::clockReadings().size(), readingsBefore + 2);
}

}  // namespace
}  // namespace tallimo
