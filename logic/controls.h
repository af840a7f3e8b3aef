#pragma once

#include <cstdint>

namespace tallimo {

// Names the window or one of its controls. Only ever compared for equality.
using ControlId = std::uint32_t;

enum class ControlKind { Window, GroupBox, Label, EditBox, Button, CheckBox, SliderBar, Timer };

inline constexpr ControlId mainWindow = 1375797249;

inline constexpr ControlId answerTimeLabel = 369165447;
inline constexpr ControlId answerTimeBox = 369165262;
inline constexpr ControlId answerTimeUnitLabel = 369165263;
inline constexpr ControlId difficultyTitle = 369165245;
inline constexpr ControlId difficultySlider = 369165246;
inline constexpr ControlId levelMark2 = 369165247;
inline constexpr ControlId levelMark3 = 369165248;
inline constexpr ControlId levelMark4 = 369165249;
inline constexpr ControlId levelMark5 = 369165250;
inline constexpr ControlId levelMark6 = 369165251;
inline constexpr ControlId levelMark7 = 369165252;
inline constexpr ControlId levelMark8 = 369165253;
inline constexpr ControlId levelMark9 = 369165254;
inline constexpr ControlId levelMark10 = 369165255;
inline constexpr ControlId numbersGroup = 369164316;
inline constexpr ControlId rangeNote = 369164634;
inline constexpr ControlId rangeLowBox = 369164528;
inline constexpr ControlId rangeToLabel = 369164529;
inline constexpr ControlId rangeHighBox = 369164530;
inline constexpr ControlId rangeTitle = 369164531;
inline constexpr ControlId elapsedUnitLabel = 369164456;
inline constexpr ControlId elapsedLabel = 369164459;
inline constexpr ControlId tickTimer = 369164461;
inline constexpr ControlId answerBox = 369164454;
inline constexpr ControlId askAnswerButton = 369164452;
inline constexpr ControlId numberBox1 = 369164318;
inline constexpr ControlId numberBox2 = 369164319;
inline constexpr ControlId numberBox3 = 369164320;
inline constexpr ControlId numberBox4 = 369164321;
inline constexpr ControlId numberBox5 = 369164322;
inline constexpr ControlId numberBox6 = 369164323;
inline constexpr ControlId numberBox7 = 369164324;
inline constexpr ControlId numberBox8 = 369164325;
inline constexpr ControlId numberBox9 = 369164326;
inline constexpr ControlId numberBox10 = 369164327;
inline constexpr ControlId difficultyGroup = 369164328;
inline constexpr ControlId modeGroup = 369165260;
inline constexpr ControlId rangeGroup = 369164455;
inline constexpr ControlId answerGroup = 369164453;
inline constexpr ControlId buttonGroup = 369164451;
inline constexpr ControlId modeHint = 369165264;
inline constexpr ControlId examModeCheck = 369165261;

// Box k of the drill is numberBoxes[k - 1]: 1 to 5 down the left column, 6 to 10 down the right.
inline constexpr ControlId numberBoxes[10] = {numberBox1, numberBox2, numberBox3, numberBox4,
                                              numberBox5, numberBox6, numberBox7, numberBox8,
                                              numberBox9, numberBox10};

// The mark under the slider for level m is levelMarks[m - 2].
inline constexpr ControlId levelMarks[9] = {levelMark2, levelMark3, levelMark4,
                                            levelMark5, levelMark6, levelMark7,
                                            levelMark8, levelMark9, levelMark10};

}  // namespace tallimo
