#include "handlers.h"

namespace tallimo {

void onLevelChanged() {}

}  // namespace tallimo
