#include "random.h"

#include <algorithm>

#include "tick_count.h"

namespace tallimo {
namespace {

std::uint32_t randomState = 1;
std::uint32_t seedOffset = 0;

constexpr std::uint32_t multiplier = 214013;
constexpr std::uint32_t increment = 2531011;
constexpr std::int32_t maxSpan = 0x7ffffffe;

}  // namespace

void setSeed(std::uint32_t seed) {
    randomState = seed;
}

int nextRandom() {
    randomState = randomState * multiplier + increment;  // wraps modulo 2^32
    return static_cast<int>((randomState >> 16) & 0x7fff);
}

std::int32_t randomInRange(std::int32_t lo, std::int32_t hi) {
    const std::int32_t low = std::max(lo, 0);
    const std::int32_t high = std::max(hi, 0);
    const std::int32_t a = std::min(low, high);
    const std::int32_t b = std::max(low, high);
    if (a == b) {
        return a;
    }
    // Both bounds are at least 0, so neither the span nor a + draw (at most b) can overflow.
    const std::int32_t span = std::min(b - a, maxSpan);
    return a + nextRandom() % (span + 1);
}

void seedFromClock() {
    const std::uint32_t seed = GetTickCount() + seedOffset;
    // Moving the offset on every time keeps two questions drawn within the same millisecond apart.
    seedOffset += (seed & 0xffu) + 100u;
    setSeed(seed);
}

}  // namespace tallimo
