#pragma once

namespace tallimo {

using ExitRoutine = void (*)();

// Adds a routine to run at shutdown; a routine already in the list is not added twice.
void registerExitRoutine(ExitRoutine routine);

// Runs each registered routine once, in the order of registration, and empties the list.
void runExitRoutines();

}  // namespace tallimo
