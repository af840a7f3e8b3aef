#include "program_entry.h"

// The drill takes no arguments: whatever the command line holds is ignored.
int main() {
    return tallimo::programEntry();
}
