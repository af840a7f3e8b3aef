#pragma once

namespace tallimo {

// Builds mainWindow, runs the event loop until it is closed and returns 0.
int programEntry();

}  // namespace tallimo
