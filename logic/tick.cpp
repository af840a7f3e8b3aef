#include "handlers.h"

namespace tallimo {

void onTick() {}

}  // namespace tallimo
