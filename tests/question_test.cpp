#include "question.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "drill_window.h"
#include "handlers.h"
#include "levels.h"
#include "property.h"
#include "random.h"
#include "values.h"

namespace tallimo {
namespace {

using enum PropertyKind;

// What a question of this level must show: the first outputs of the sequence that the last
// seeding started, one per box in use, in box order, and "0" in every other box.
std::vector<std::string> redrawn(std::int32_t level, std::int32_t lo, std::int32_t hi) {
    setSeed(lastSeed());
    std::vector<std::string> texts;
    for (std::int32_t box = 1; box <= 10; ++box) {
        texts.push_back(usesBox(level, box) ? std::to_string(randomInRange(lo, hi)) : "0");
    }
    return texts;
}

std::vector<std::string> boxTexts(const WindowModel& model) {
    std::vector<std::string> texts;
    for (const ControlId box : numberBoxes) {
        texts.push_back(model.text(box));
    }
    return texts;
}

class ManualQuestion : public DrillWindow {};

TEST_F(ManualQuestion, AskAtLevelFourDrawsIntoItsBoxesInOrder) {
    model.moveSlider(4);
    model.advance(4321);
    writeProperty(mainWindow, answerBox, text, std::string("17"));
    model.clearWrites();
    const std::size_t readingsBefore = WindowModel::clockReadings().size();

    ASSERT_TRUE(model.click(askAnswerButton));

    // One seeding per question, from the clock as it reads at the click.
    ASSERT_EQ(WindowModel::clockReadings().size(), readingsBefore + 1);
    EXPECT_EQ(WindowModel::clockReadings().back(), 4321u);
    const std::vector<std::string> drawn = redrawn(4, 1, 10);
    EXPECT_EQ(boxTexts(model), drawn);
    for (const std::int32_t box : {1, 2, 6, 7}) {
        const int number = std::stoi(boxText(box));
        EXPECT_GE(number, 1) << box;
        EXPECT_LE(number, 10) << box;
    }
    std::vector<PropertyWrite> expected{
        {askAnswerButton, caption, std::string("答案")},
        {elapsedLabel, caption, std::string("0")},
        {tickTimer, timerPeriod, 1000},
    };
    for (std::int32_t box = 1; box <= 10; ++box) {
        expected.push_back({numberBoxes[box - 1], text, drawn[box - 1]});
    }
    expected.push_back({answerBox, text, std::string()});
    EXPECT_EQ(model.writes(), expected);
    EXPECT_EQ(shownBoxes(), (std::vector<std::int32_t>{1, 2, 6, 7}));
    EXPECT_EQ(model.nextTickAt(), model.now() + 1000);
    EXPECT_TRUE(model.enabled(askAnswerButton));
}

TEST_F(ManualQuestion, AnswerAfterSevenAndAHalfSecondsShowsSevenAndStays) {
    model.moveSlider(10);
    ASSERT_TRUE(model.click(askAnswerButton));
    int sum = 0;
    for (std::int32_t box = 1; box <= 10; ++box) {
        sum += std::stoi(boxText(box));
    }
    model.clearWrites();
    model.advance(7500);
    model.click(askAnswerButton);

    std::vector<PropertyWrite> expected;
    for (int second = 1; second <= 7; ++second) {
        expected.push_back({elapsedLabel, caption, std::to_string(second)});
    }
    expected.push_back({askAnswerButton, caption, std::string("出题")});
    expected.push_back({tickTimer, timerPeriod, 0});
    expected.push_back({answerBox, text, std::to_string(sum)});
    EXPECT_EQ(model.writes(), expected);

    model.advance(30000);
    EXPECT_EQ(model.text(elapsedLabel), "7");
    EXPECT_EQ(model.ticksDelivered(), 7);

    model.click(askAnswerButton);
    EXPECT_EQ(model.text(elapsedLabel), "0");
    EXPECT_EQ(model.text(answerBox), "");
}

TEST_F(ManualQuestion, TicksNeverAnswerOutsideExamMode) {
    model.click(askAnswerButton);
    model.advance(40000);
    EXPECT_EQ(model.text(elapsedLabel), "40");
    EXPECT_EQ(model.text(askAnswerButton), "答案");
    EXPECT_EQ(model.text(answerBox), "");
}

// The range boxes as typed, and the bounds they stand for.
struct RangeCase {
    const char* low;
    const char* high;
    std::int32_t from;
    std::int32_t to;
    friend void PrintTo(const RangeCase& c, std::ostream* os) {
        *os << '"' << c.low << "\" to \"" << c.high << '"';
    }
};

const RangeCase rangeCases[] = {
    {"1", "10", 1, 10}, {"10", "1", 1, 10}, {"5", "5", 5, 5},
    {"-5", "3", 0, 3},  {"", "10", 0, 10},  {"-9", "-1", 0, 0},
};

class Range : public DrillWindow, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(Range, BoundsEveryNumberOfTheQuestion) {
    const RangeCase& c = GetParam();
    model.moveSlider(10);
    model.typeInto(rangeLowBox, c.low);
    model.typeInto(rangeHighBox, c.high);
    for (int question = 0; question < 20; ++question) {
        model.advance(777);
        model.click(askAnswerButton);
        EXPECT_EQ(boxTexts(model), redrawn(10, c.from, c.to));
        for (std::int32_t box = 1; box <= 10; ++box) {
            const int number = std::stoi(boxText(box));
            EXPECT_GE(number, c.from) << box;
            EXPECT_LE(number, c.to) << box;
        }
        model.click(askAnswerButton);
    }
}

INSTANTIATE_TEST_SUITE_P(ManualQuestion, Range, ::testing::ValuesIn(rangeCases));

// Box texts as a question or a face may leave them, and the answer's double form.
struct SumCase {
    std::vector<std::string> boxes;  // from box 1; the rest hold "0"
    const char* answer;
    friend void PrintTo(const SumCase& c, std::ostream* os) { *os << c.answer; }
};

const SumCase sumCases[] = {
    {{"3", "0", "12"}, "15"},
    {{"加", "油", "", "", "", "", "", "", "", ""}, "0"},
    {{"0.1", "0.2"}, "0.3"},
    {{"2.5", "-5"}, "-2.5"},
    {{"2", "3"}, "5"},
    {{"99999999999995"}, "1e+014"},
    {{"1", "1e16", "-1e16"}, "1"},
    {{"1e308", "1e308", "-1e308"}, "1e+308"},
    {{"1e308", "1e308"}, "1.#INF"},
};

class Sum : public DrillWindow, public ::testing::WithParamInterface<SumCase> {};

TEST_P(Sum, IsShownInTheDoubleForm) {
    const SumCase& c = GetParam();
    for (std::size_t box = 0; box < 10; ++box) {
        writeProperty(mainWindow, numberBoxes[box], text,
                      box < c.boxes.size() ? c.boxes[box] : std::string("0"));
    }
    writeProperty(mainWindow, askAnswerButton, caption, std::string("答案"));
    model.click(askAnswerButton);
    EXPECT_EQ(model.text(answerBox), c.answer);
}

INSTANTIATE_TEST_SUITE_P(ManualAnswer, Sum, ::testing::ValuesIn(sumCases));

TEST_F(DrillWindow, TheSumKeepsExtendedPrecisionUntilTheEnd) {
    static_assert(std::numeric_limits<long double>::digits == 64, "needs the x87 80-bit format");
    const std::vector<std::string> texts{"1", "1e16", "-1e16", "0", "0", "0", "0", "0", "0", "0"};
    double plain = 0.0;
    for (std::size_t box = 0; box < texts.size(); ++box) {
        writeProperty(mainWindow, numberBoxes[box], text, texts[box]);
        plain += textToNumber(texts[box]);
    }
    // In doubles, 1 + 1e16 rounds back to 1e16 and the 1 is lost.
    EXPECT_EQ(plain, 0.0);
    EXPECT_EQ(sumBoxes(), 1.0);
}

TEST_F(DrillWindow, ACaptionOtherThanAskCountsAsAnswer) {
    writeProperty(mainWindow, askAnswerButton, caption, std::string("?"));
    model.click(askAnswerButton);
    EXPECT_EQ(model.text(askAnswerButton), "出题");
    EXPECT_EQ(model.text(answerBox), "0");
    EXPECT_EQ(model.timerPeriod(), 0);
}

}  // namespace
}  // namespace tallimo
