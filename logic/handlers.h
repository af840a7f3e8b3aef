#pragma once

namespace tallimo {

// The drill's five event handlers. They take nothing and return nothing: everything they know
// between two events lives in the window's controls, reached through readProperty/writeProperty.
void onWindowCreated();
void onLevelChanged();
void onAskAnswerClicked();
void onTick();
void onExamModeClicked();

}  // namespace tallimo
