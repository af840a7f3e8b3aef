#include "exit_routines.h"
#include "program_entry.h"

// The drill takes no arguments: whatever the command line holds is ignored.
int main() {
    const int exitCode = tallimo::programEntry();
    tallimo::runExitRoutines();
    return exitCode;
}
