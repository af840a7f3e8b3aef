#include "handlers.h"

namespace tallimo {

void onAskAnswerClicked() {}

}  // namespace tallimo
