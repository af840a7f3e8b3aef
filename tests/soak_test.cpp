#include <gtest/gtest.h>

#include <string>

#include "drill_window.h"
#include "property.h"

namespace tallimo {
namespace {

// Exams at every answer time from 1 to 15 seconds, each at its own level, 10,005 question and
// answer cycles in all: every question must stay exactly its answer time, every answer exactly
// the hold time, and every answer must be the sum of the numbers its question showed.
TEST_F(DrillWindow, ExamCyclesKeepTheirPaceAndTheirSums) {
    constexpr int cyclesPerAnswerTime = 667;
    constexpr int holdTicks = 3;
    model.typeInto(rangeLowBox, "0");
    model.typeInto(rangeHighBox, "99");
    int cycles = 0;
    for (int answerTime = 1; answerTime <= 15; ++answerTime) {
        const std::int32_t level = 2 + answerTime % 9;
        model.moveSlider(level);
        ASSERT_TRUE(model.click(examModeCheck));
        model.typeInto(answerTimeBox, std::to_string(answerTime));
        const int startsBefore = model.scheduleStarts();
        ASSERT_TRUE(model.click(askAnswerButton));
        for (int cycle = 0; cycle < cyclesPerAnswerTime; ++cycle, ++cycles) {
            ASSERT_EQ(model.text(answerBox), "");
            int sum = 0;
            for (const std::int32_t box : shownBoxes()) {
                sum += std::stoi(boxText(box));
            }
            ASSERT_EQ(static_cast<std::int32_t>(shownBoxes().size()), level);

            int questionTicks = 0;
            while (model.text(answerBox).empty() && questionTicks <= answerTime) {
                tick();
                ++questionTicks;
            }
            ASSERT_EQ(questionTicks, answerTime) << "cycle " << cycles;
            ASSERT_EQ(model.text(answerBox), std::to_string(sum)) << "cycle " << cycles;

            int answerTicks = 0;
            while (!model.text(answerBox).empty() && answerTicks <= holdTicks) {
                tick();
                ++answerTicks;
            }
            ASSERT_EQ(answerTicks, holdTicks) << "cycle " << cycles;
            model.clearWrites();
        }
        EXPECT_EQ(model.scheduleStarts(), startsBefore + 1);
        ASSERT_TRUE(model.click(examModeCheck));
    }
    EXPECT_EQ(cycles, 15 * cyclesPerAnswerTime);
}

}  // namespace
}  // namespace tallimo
