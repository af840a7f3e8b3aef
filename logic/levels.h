#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tallimo {

inline constexpr std::int32_t lowestLevel = 2;
inline constexpr std::int32_t highestLevel = 10;

constexpr bool isLevel(std::int32_t level) {
    return level >= lowestLevel && level <= highestLevel;
}

// The boxes a level uses, ascending; 0 pads a row. A face shows exactly these boxes and a
// question draws a number into each of them, so both read this one table.
struct LevelBoxes {
    std::int32_t level;
    std::array<std::int32_t, 10> boxes;
};

// clang-format off
inline constexpr std::array<LevelBoxes, 9> levelBoxes{{
    {2, {1, 2}},
    {3, {1, 2, 3}},
    {4, {1, 2, 6, 7}},
    {5, {1, 2, 3, 4, 5}},
    {6, {1, 2, 3, 6, 7, 8}},
    {7, {1, 2, 3, 4, 6, 7, 8}},
    {8, {1, 2, 3, 4, 6, 7, 8, 9}},
    {9, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
}};
// clang-format on

// Whether box k (1 to 10) is in use at level (2 to 10).
constexpr bool usesBox(std::int32_t level, std::int32_t box) {
    for (const std::int32_t used : levelBoxes[level - lowestLevel].boxes) {
        if (used == box) {
            return true;
        }
    }
    return false;
}

// One GBK character per box, box 1 first; a box not in use holds "".
using Motto = std::array<std::string_view, 10>;
// A motto per level, level 2 first.
using MottoTable = std::array<Motto, 9>;

// Shown when the slider moves.
extern const MottoTable slidePhrases;
// Shown when exam mode is switched on or off; differs from slidePhrases at levels 3, 5, 7 and 9.
extern const MottoTable examPhrases;
// The level-2 motto of a freshly opened window.
extern const Motto startPhrase;

// Puts the face of level (2 to 10) on the window: its mark alone among the marks, its boxes shown
// with the motto's characters, every other box hidden and emptied. Any other level changes
// nothing.
void applyLevelFace(std::int32_t level, const MottoTable& phrases);

// The same face with a motto of the caller's choice.
void applyLevelFace(std::int32_t level, const Motto& motto);

}  // namespace tallimo
