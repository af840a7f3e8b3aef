#include <string>

#include "controls.h"
#include "handlers.h"
#include "property.h"
#include "values.h"

namespace tallimo {

void onTick() {
    using enum PropertyKind;
    const std::string counted = readText(mainWindow, elapsedLabel, caption);
    writeProperty(mainWindow, elapsedLabel, caption, numberToText(textToNumber(counted) + 1.0));
    if (readInteger(mainWindow, examModeCheck, checked) != 1) {
        return;
    }
    // Read at every tick, so an answer time edited during the exam counts at once. The counter
    // and the target meet as texts: "05" aims at "5", and a target the counter has already
    // passed (or never reaches, such as "0" or "-5") holds the exam where it is.
    const std::string target =
        numberToText(textToNumber(readText(mainWindow, answerTimeBox, text)));
    if (compareText(readText(mainWindow, elapsedLabel, caption), target) == 0) {
        onAskAnswerClicked();
    }
}

}  // namespace tallimo
