#include "exit_routines.h"

#include <algorithm>
#include <vector>

namespace tallimo {
namespace {

std::vector<ExitRoutine>& exitRoutines() {
    static std::vector<ExitRoutine> routines;
    return routines;
}

}  // namespace

void registerExitRoutine(ExitRoutine routine) {
    auto& routines = exitRoutines();
    if (std::ranges::find(routines, routine) == routines.end()) {
        routines.push_back(routine);
    }
}

void runExitRoutines() {
    auto routines = std::move(exitRoutines());
    exitRoutines().clear();
    for (ExitRoutine routine : routines) {
        routine();
    }
}

}  // namespace tallimo
