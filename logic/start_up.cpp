#include <string>

#include "controls.h"
#include "handlers.h"
#include "levels.h"
#include "property.h"

namespace tallimo {

// Runs before the window is first shown, so the learner never sees the design-time texts it
// replaces: manual mode, level 2, no question open.
void onWindowCreated() {
    using enum PropertyKind;
    // The slider stands at 2 from the layout, so the face and the level agree.
    applyLevelFace(2, startPhrase);
    writeProperty(mainWindow, askAnswerButton, caption, std::string("出题"));
    writeProperty(mainWindow, rangeLowBox, text, std::string("1"));
    writeProperty(mainWindow, rangeHighBox, text, std::string("10"));
    writeProperty(mainWindow, modeHint, visible, 1);
    writeProperty(mainWindow, answerTimeLabel, visible, 0);
    writeProperty(mainWindow, examModeCheck, checked, 0);
    writeProperty(mainWindow, elapsedLabel, visible, 1);
    writeProperty(mainWindow, elapsedLabel, caption, std::string("0"));
    writeProperty(mainWindow, elapsedUnitLabel, visible, 1);
    writeProperty(mainWindow, answerTimeBox, visible, 0);
    writeProperty(mainWindow, answerTimeUnitLabel, visible, 0);
}

}  // namespace tallimo
