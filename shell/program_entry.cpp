#include "program_entry.h"

namespace tallimo {

int programEntry() {
    return 0;
}

}  // namespace tallimo
