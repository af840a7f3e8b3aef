#include "handlers.h"

namespace tallimo {

void onExamModeClicked() {}

}  // namespace tallimo
