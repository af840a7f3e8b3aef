#include "handlers.h"

namespace tallimo {

void onWindowCreated() {}

}  // namespace tallimo
