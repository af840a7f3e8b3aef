#pragma once

#include <cstdint>

namespace tallimo {

// Seeds the generator once and fills the ten boxes for a question of level (2 to 10): a number
// from the range boxes in each box the level uses, in box order, and "0" in the others so that
// the sum over all ten boxes is the sum of the shown ones.
void drawQuestion(std::int32_t level);

// The ten boxes read as numbers (a box that is not a number counts 0), added left to right in
// extended precision and rounded once to a double.
double sumBoxes();

}  // namespace tallimo
