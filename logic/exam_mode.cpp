#include <string>

#include "controls.h"
#include "handlers.h"
#include "levels.h"
#include "property.h"

namespace tallimo {

// Either way any open question stops, the counter goes back to "0" and the current level's face
// returns, with the exam mottos.
void onExamModeClicked() {
    using enum PropertyKind;
    if (readInteger(mainWindow, examModeCheck, checked) == 1) {
        writeProperty(mainWindow, elapsedLabel, caption, std::string("0"));
        writeProperty(mainWindow, askAnswerButton, caption, std::string("出题"));
        writeProperty(mainWindow, tickTimer, timerPeriod, 0);
        writeProperty(mainWindow, answerTimeBox, visible, 1);
        writeProperty(mainWindow, modeHint, visible, 0);
        writeProperty(mainWindow, answerTimeLabel, visible, 1);
        writeProperty(mainWindow, answerTimeUnitLabel, visible, 1);
        // The level stays fixed for the whole exam.
        writeProperty(mainWindow, difficultySlider, enabled, false);
    } else {
        writeProperty(mainWindow, answerTimeBox, visible, 0);
        writeProperty(mainWindow, answerTimeUnitLabel, visible, 0);
        writeProperty(mainWindow, modeHint, visible, 1);
        writeProperty(mainWindow, answerTimeLabel, visible, 0);
        writeProperty(mainWindow, askAnswerButton, enabled, true);
        writeProperty(mainWindow, elapsedLabel, caption, std::string("0"));
        writeProperty(mainWindow, tickTimer, timerPeriod, 0);
        writeProperty(mainWindow, askAnswerButton, caption, std::string("出题"));
        writeProperty(mainWindow, difficultySlider, enabled, true);
    }
    applyLevelFace(readInteger(mainWindow, difficultySlider, position), examPhrases);
}

}  // namespace tallimo
