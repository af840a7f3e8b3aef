#include "question.h"

#include <string>

#include "controls.h"
#include "handlers.h"
#include "levels.h"
#include "property.h"
#include "random.h"
#include "values.h"

namespace tallimo {
namespace {

using enum PropertyKind;

// The button's caption is the drill's phase: "出题" while no question is open.
constexpr std::string_view askCaption = "出题";
constexpr std::string_view answerCaption = "答案";
constexpr std::int32_t oneSecond = 1000;
// How long an exam shows each answer before the next question.
constexpr double answerHoldSeconds = 3.0;

std::int32_t rangeBound(ControlId box) {
    return truncToInt(textToNumber(readText(mainWindow, box, text)));
}

void drawForCurrentLevel() {
    const std::int32_t level = readInteger(mainWindow, difficultySlider, position);
    if (isLevel(level)) {
        drawQuestion(level);
    }
}

void showSum() {
    writeProperty(mainWindow, answerBox, text, numberToText(sumBoxes()));
}

}  // namespace

void drawQuestion(std::int32_t level) {
    seedFromClock();
    for (std::int32_t box = 1; box <= 10; ++box) {
        std::string number = "0";
        if (usesBox(level, box)) {
            // Read per number; nothing can edit them while a handler runs, so one question
            // still draws every number from one range.
            const std::int32_t lo = rangeBound(rangeLowBox);
            const std::int32_t hi = rangeBound(rangeHighBox);
            number = numberToText(randomInRange(lo, hi));
        }
        writeProperty(mainWindow, numberBoxes[box - 1], text, number);
    }
}

double sumBoxes() {
    // long double is the x87 80-bit format on x86-64: the running total keeps 64 mantissa bits,
    // so a small addend is not lost next to a large one before the large one cancels.
    long double total = textToNumber(readText(mainWindow, numberBoxes[0], text));
    for (std::size_t box = 1; box < std::size(numberBoxes); ++box) {
        total += textToNumber(readText(mainWindow, numberBoxes[box], text));
    }
    return static_cast<double>(total);
}

void onAskAnswerClicked() {
    const bool exam = readInteger(mainWindow, examModeCheck, checked) != 0;
    const bool ask = compareText(readText(mainWindow, askAnswerButton, caption), askCaption) == 0;

    if (!exam && ask) {
        writeProperty(mainWindow, askAnswerButton, caption, std::string(answerCaption));
        writeProperty(mainWindow, elapsedLabel, caption, std::string("0"));
        writeProperty(mainWindow, tickTimer, timerPeriod, oneSecond);
        drawForCurrentLevel();
        writeProperty(mainWindow, answerBox, text, std::string());
    } else if (!exam) {
        writeProperty(mainWindow, askAnswerButton, caption, std::string(askCaption));
        // Stopping the counter leaves the seconds the learner took on show.
        writeProperty(mainWindow, tickTimer, timerPeriod, 0);
        showSum();
    } else if (ask) {
        writeProperty(mainWindow, askAnswerButton, caption, std::string(answerCaption));
        // Only leaving exam mode gives the button back; the ticks pace the exam from here.
        writeProperty(mainWindow, askAnswerButton, enabled, false);
        writeProperty(mainWindow, elapsedLabel, caption, std::string("0"));
        writeProperty(mainWindow, tickTimer, timerPeriod, oneSecond);
        drawForCurrentLevel();
        writeProperty(mainWindow, answerBox, text, std::string());
    } else {
        writeProperty(mainWindow, askAnswerButton, caption, std::string(askCaption));
        // Setting the counter short of the answer time makes onTick ask the next question
        // once the answer has been on show for the hold time.
        const double answerTime = textToNumber(readText(mainWindow, answerTimeBox, text));
        writeProperty(mainWindow, elapsedLabel, caption,
                      numberToText(answerTime - answerHoldSeconds));
        // The period the timer already has: the exam's one-second rhythm goes on unbroken.
        writeProperty(mainWindow, tickTimer, timerPeriod, oneSecond);
        showSum();
    }
}

}  // namespace tallimo
