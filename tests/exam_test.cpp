#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "drill_window.h"
#include "handlers.h"
#include "levels.h"
#include "property.h"

namespace tallimo {
namespace {

using enum PropertyKind;

// Exam mode switched on at a level, with an answer time typed in, not yet started.
class Exam : public DrillWindow {
  protected:
    void switchOn(std::int32_t level, std::string_view answerTime) {
        model.moveSlider(level);
        ASSERT_TRUE(model.click(examModeCheck));
        ASSERT_TRUE(model.typeInto(answerTimeBox, answerTime));
        model.clearWrites();
    }

    // The pace of the exam as the learner sees it: each counter text written, "Q" where the
    // answer box is emptied for a question, "A" where an answer appears.
    std::string pace() const {
        std::string seen;
        for (const PropertyWrite& write : model.writes()) {
            std::string step;
            if (write.control == elapsedLabel) {
                step = std::get<std::string>(write.value);
            } else if (write.control == answerBox) {
                step = std::get<std::string>(write.value).empty() ? "Q" : "A";
            } else {
                continue;
            }
            seen += (seen.empty() ? "" : " ") + step;
        }
        return seen;
    }

    void ticks(int count) {
        for (int tick = 0; tick < count; ++tick) {
            this->tick();
        }
    }
};

// "from to": the counter texts from one to the other, one a tick.
std::string counting(int from, int to) {
    std::string texts;
    for (int second = from; second <= to; ++second) {
        texts += (second == from ? "" : " ") + std::to_string(second);
    }
    return texts;
}

struct PaceCase {
    const char* answerTime;
    int ticks;
    std::string pace;
    friend void PrintTo(const PaceCase& c, std::ostream* os) {
        *os << '"' << c.answerTime << "\" for " << c.ticks << " ticks";
    }
};

const PaceCase paceCases[] = {
    {"15", 18, "0 Q " + counting(1, 15) + " 12 A 13 14 15 0 Q"},
    {"2", 10, "0 Q 1 2 -1 A 0 1 2 0 Q 1 2 -1 A 0 1 2 0 Q"},
    {"1", 8, "0 Q 1 -2 A -1 0 1 0 Q 1 -2 A -1 0 1 0 Q"},
    {"05", 8, "0 Q 1 2 3 4 5 2 A 3 4 5 0 Q"},
    // The counter never comes back to these after a question starts: the exam stands still.
    {"0", 40, "0 Q " + counting(1, 40)},
    {"", 40, "0 Q " + counting(1, 40)},
    {"-5", 40, "0 Q " + counting(1, 40)},
};

class Pace : public Exam, public ::testing::WithParamInterface<PaceCase> {};

TEST_P(Pace, FollowsTheAnswerTimeOnOneUnbrokenSchedule) {
    const PaceCase& c = GetParam();
    switchOn(5, c.answerTime);
    ASSERT_TRUE(model.click(askAnswerButton));
    const std::int64_t askedAt = model.now();
    ticks(c.ticks);

    EXPECT_EQ(pace(), c.pace);
    EXPECT_EQ(model.ticksDelivered(), c.ticks);
    EXPECT_EQ(model.scheduleStarts(), 1);
    EXPECT_EQ(model.nextTickAt(), askedAt + 1000 * (c.ticks + 1));
    EXPECT_EQ(model.timerPeriod(), 1000);
    EXPECT_FALSE(model.enabled(askAnswerButton));
    EXPECT_FALSE(model.enabled(difficultySlider));
}

INSTANTIATE_TEST_SUITE_P(AnswerTime, Pace, ::testing::ValuesIn(paceCases));

TEST_F(Exam, AskAndAnswerWriteInTheirOrder) {
    switchOn(2, "3");
    model.click(askAnswerButton);
    const std::vector<PropertyWrite> ask{
        {askAnswerButton, caption, std::string("答案")},
        {askAnswerButton, enabled, false},
        {elapsedLabel, caption, std::string("0")},
        {tickTimer, timerPeriod, 1000},
        {numberBox1, text, boxText(1)},
        {numberBox2, text, boxText(2)},
    };
    ASSERT_GE(model.writes().size(), ask.size());
    EXPECT_TRUE(std::equal(ask.begin(), ask.end(), model.writes().begin()));

    const int sum = std::stoi(boxText(1)) + std::stoi(boxText(2));
    ticks(2);
    model.clearWrites();
    tick();
    const std::vector<PropertyWrite> answer{
        {elapsedLabel, caption, std::string("3")}, {askAnswerButton, caption, std::string("出题")},
        {elapsedLabel, caption, std::string("0")}, {tickTimer, timerPeriod, 1000},
        {answerBox, text, std::to_string(sum)},
    };
    EXPECT_EQ(model.writes(), answer);
}

TEST_F(Exam, AnAnswerTimeTheCounterHasPassedHoldsTheQuestion) {
    switchOn(3, "15");
    model.click(askAnswerButton);
    ticks(8);
    model.typeInto(answerTimeBox, "5");
    ticks(30);
    EXPECT_EQ(model.text(elapsedLabel), "38");
    EXPECT_EQ(model.text(answerBox), "");
    EXPECT_EQ(model.text(askAnswerButton), "答案");
}

TEST_F(Exam, AnAnswerTimeJustAheadAnswersAtTheNextTick) {
    switchOn(3, "15");
    model.click(askAnswerButton);
    ticks(8);
    model.typeInto(answerTimeBox, "9");
    model.clearWrites();
    tick();
    EXPECT_EQ(pace(), "9 6 A");
}

TEST_F(Exam, SwitchingOnWritesTheModeThenTheExamFace) {
    model.moveSlider(3);
    model.click(askAnswerButton);
    model.clearWrites();
    ASSERT_TRUE(model.click(examModeCheck));
    const std::vector<PropertyWrite> on{
        {elapsedLabel, caption, std::string("0")},
        {askAnswerButton, caption, std::string("出题")},
        {tickTimer, timerPeriod, 0},
        {answerTimeBox, visible, 1},
        {modeHint, visible, 0},
        {answerTimeLabel, visible, 1},
        {answerTimeUnitLabel, visible, 1},
        {difficultySlider, enabled, false},
    };
    ASSERT_GT(model.writes().size(), on.size());
    EXPECT_TRUE(std::equal(on.begin(), on.end(), model.writes().begin()));
    EXPECT_EQ(model.writes()[on.size()].control, levelMark2);
    EXPECT_EQ(boxText(1) + boxText(2) + boxText(3), "人之初");
    EXPECT_TRUE(model.enabled(askAnswerButton));
    EXPECT_FALSE(model.shown(modeHint));
    model.advance(10000);
    EXPECT_EQ(model.ticksDelivered(), 0);
}

// With answer time "4", after this many ticks: 1 to 3 the first question, 4 to 6 its answer, 7
// and on the second question.
struct SwitchOffCase {
    int ticks;
    bool answerOnShow;
    friend void PrintTo(const SwitchOffCase& c, std::ostream* os) { *os << c.ticks << " ticks in"; }
};

class SwitchOff : public Exam, public ::testing::WithParamInterface<SwitchOffCase> {};

TEST_P(SwitchOff, StopsTheExamAndReturnsTheButtonKeepingTheLastAnswer) {
    switchOn(3, "4");
    model.click(askAnswerButton);
    ticks(GetParam().ticks);
    const std::string shownAnswer = model.text(answerBox);
    ASSERT_EQ(shownAnswer.empty(), !GetParam().answerOnShow);
    const std::int64_t ticksSoFar = model.ticksDelivered();
    model.clearWrites();

    ASSERT_TRUE(model.click(examModeCheck));

    const std::vector<PropertyWrite> off{
        {answerTimeBox, visible, 0},
        {answerTimeUnitLabel, visible, 0},
        {modeHint, visible, 1},
        {answerTimeLabel, visible, 0},
        {askAnswerButton, enabled, true},
        {elapsedLabel, caption, std::string("0")},
        {tickTimer, timerPeriod, 0},
        {askAnswerButton, caption, std::string("出题")},
        {difficultySlider, enabled, true},
    };
    ASSERT_GT(model.writes().size(), off.size());
    EXPECT_TRUE(std::equal(off.begin(), off.end(), model.writes().begin()));
    EXPECT_EQ(boxText(1) + boxText(2) + boxText(3), "人之初");
    EXPECT_EQ(model.text(answerBox), shownAnswer);
    model.advance(10000);
    EXPECT_EQ(model.ticksDelivered(), ticksSoFar);
    EXPECT_EQ(model.text(elapsedLabel), "0");
    EXPECT_TRUE(model.moveSlider(4));
    EXPECT_TRUE(model.click(askAnswerButton));
    EXPECT_EQ(model.text(askAnswerButton), "答案");
}

INSTANTIATE_TEST_SUITE_P(Exam, SwitchOff,
                         ::testing::Values(SwitchOffCase{2, false}, SwitchOffCase{5, true},
                                           SwitchOffCase{9, false}));

TEST_F(Exam, TheLearnerCanNeitherClickNorSlideDuringTheExam) {
    switchOn(6, "15");
    EXPECT_FALSE(model.moveSlider(9));
    ASSERT_TRUE(model.click(askAnswerButton));
    ticks(20);
    EXPECT_FALSE(model.click(askAnswerButton));
    EXPECT_FALSE(model.moveSlider(2));
    EXPECT_EQ(model.position(), 6);
    EXPECT_EQ(shownBoxes(), (std::vector<std::int32_t>{1, 2, 3, 6, 7, 8}));
}

}  // namespace
}  // namespace tallimo
