#pragma once

#include <cstdint>

namespace tallimo {

// The question draw's generator: one linear congruential sequence for the whole program, reseeded
// from the millisecond clock for every question.

void setSeed(std::uint32_t seed);

// One generator step; 0 to 32767.
int nextRandom();

// An integer between the two bounds, both included; negative bounds count as 0.
std::int32_t randomInRange(std::int32_t lo, std::int32_t hi);

void seedFromClock();

}  // namespace tallimo
