#pragma once

#include <QString>

namespace tallimo {

// Tells the learner why the drill cannot go on (standard error, and a message box where a display
// exists) and ends the process with exit code 255 (-1), without running the exit routines.
[[noreturn]] void fatalError(const QString& sentence);

}  // namespace tallimo
