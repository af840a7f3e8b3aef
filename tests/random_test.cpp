#include "random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "tick_count.h"

namespace tallimo {
namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

std::vector<int> draw(int count) {
    std::vector<int> outputs;
    for (int i = 0; i < count; ++i) {
        outputs.push_back(nextRandom());
    }
    return outputs;
}

std::vector<int> sequenceFrom(std::uint32_t seed, int count) {
    setSeed(seed);
    return draw(count);
}

TEST(NextRandom, FollowsTheSequenceOfItsSeed) {
    const struct {
        std::uint32_t seed;
        std::vector<int> outputs;
    } cases[] = {
        {1, {41, 18467, 6334, 26500, 19169}},
        {1000, {3304, 8221, 26849}},
        {0xFFFFFFFF, {35, 29739}},
    };
    for (const auto& [seed, outputs] : cases) {
        EXPECT_EQ(sequenceFrom(seed, static_cast<int>(outputs.size())), outputs) << seed;
    }
}

TEST(RandomInRange, AfterSeed1000OneToTenGives5_2_10) {
    setSeed(1000);
    EXPECT_EQ(randomInRange(1, 10), 5);
    EXPECT_EQ(randomInRange(1, 10), 2);
    EXPECT_EQ(randomInRange(1, 10), 10);
}

// Each case names the lowest value and how many values the draw covers; 0 values means the result
// is the lowest value without a generator step.
TEST(RandomInRange, BoundsAndGeneratorUse) {
    const struct {
        std::int32_t lo;
        std::int32_t hi;
        std::int32_t lowest;
        std::int32_t values;
    } cases[] = {
        {1, 10, 1, 10},
        {10, 1, 1, 10},
        {5, 5, 5, 0},
        {0, 0, 0, 0},
        {-5, -1, 0, 0},
        {-5, 3, 0, 4},
        {3, -5, 0, 4},
        {1, 100000, 1, 100000},
        {0, int32Max, 0, int32Max},
        {int32Min, int32Max, 0, int32Max},
        {-1, int32Max, 0, int32Max},
        {int32Max - 1, int32Max, int32Max - 1, 2},
        {int32Max, int32Max, int32Max, 0},
    };
    for (const std::uint32_t seed : {1u, 1000u, 0x89ABCDEFu}) {
        const std::vector<int> reference = sequenceFrom(seed, 2);
        for (const auto& [lo, hi, lowest, values] : cases) {
            setSeed(seed);
            const std::int32_t result = randomInRange(lo, hi);
            const int following = nextRandom();
            if (values == 0) {
                EXPECT_EQ(result, lowest) << lo << ", " << hi;
                EXPECT_EQ(following, reference[0]) << "generator used for " << lo << ", " << hi;
            } else {
                EXPECT_EQ(result, lowest + reference[0] % values) << lo << ", " << hi;
                EXPECT_EQ(following, reference[1]) << "generator not used for " << lo << ", " << hi;
            }
        }
    }
}

TEST(RandomInRange, WideRangesAreNotWidened) {
    setSeed(12345);
    for (int i = 0; i < 100000; ++i) {
        const std::int32_t value = randomInRange(1, 100000);
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 32768);
    }
}

std::uint32_t clockNow = 0;
std::uint32_t readClock() {
    return clockNow;
}

// Seeds from the test clock at each reading and reports whether the generator then follows the
// expected seed's sequence.
bool seedsAsExpected() {
    const struct {
        std::uint32_t clock;
        std::uint32_t seed;
    } steps[] = {
        {1000, 1000},  // offset 0, then 332
        {1000, 1332},  // the same reading still gets a new seed; offset 484
        {1016, 1500},  // offset 804
        {0, 804},
    };
    setTickSource(readClock);
    bool allMatch = true;
    for (const auto& [clock, seed] : steps) {
        clockNow = clock;
        seedFromClock();
        const std::vector<int> seeded = draw(3);
        if (seeded != sequenceFrom(seed, 3)) {
            std::fprintf(stderr, "clock %u did not seed %u\n", clock, seed);
            allMatch = false;
        }
    }
    setTickSource(nullptr);
    return allMatch;
}

bool startsFromStateOne() {
    return draw(5) == std::vector{41, 18467, 6334, 26500, 19169};
}

// The generator's state and the seed offset at start-up can only be seen in a process that has
// not used the generator yet. The "threadsafe" style runs each statement in a freshly started
// copy of this test program, so these hold whatever other tests did before.
class FreshProgram : public testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(FreshProgram, GeneratorStartsFromStateOne) {
    EXPECT_EXIT(std::exit(startsFromStateOne() ? 0 : 1), testing::ExitedWithCode(0), "");
}

TEST_F(FreshProgram, SeedingAddsAMovingOffsetToTheClock) {
    EXPECT_EXIT(std::exit(seedsAsExpected() ? 0 : 1), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tallimo
