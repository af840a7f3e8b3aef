#include "levels.h"

#include <string>

#include "controls.h"
#include "handlers.h"
#include "property.h"

namespace tallimo {

// One row per level, the characters of boxes 1 to 10 from left to right; "" where the level
// leaves a box out.
// clang-format off
constexpr MottoTable slidePhrases{{
    /* level 2 */  {"奋", "斗", "",   "",   "",   "",   "",   "",   "",   ""},
    /* level 3 */  {"不", "言", "败", "",   "",   "",   "",   "",   "",   ""},
    /* level 4 */  {"勤", "好", "",   "",   "",   "学", "问", "",   "",   ""},
    /* level 5 */  {"知", "识", "是", "力", "量", "",   "",   "",   "",   ""},
    /* level 6 */  {"成", "并", "偶", "",   "",   "功", "非", "然", "",   ""},
    /* level 7 */  {"必", "有", "我", "师", "",   "三", "人", "行", "",   ""},
    /* level 8 */  {"玉", "不", "琢", "，", "",   "不", "成", "器", "。", ""},
    /* level 9 */  {"没", "有", "最", "好", "，", "只", "有", "更", "好", ""},
    /* level 10 */ {"欲", "穷", "千", "里", "目", "更", "上", "一", "层", "楼"},
}};

constexpr MottoTable examPhrases{{
    /* level 2 */  {"奋", "斗", "",   "",   "",   "",   "",   "",   "",   ""},
    /* level 3 */  {"人", "之", "初", "",   "",   "",   "",   "",   "",   ""},
    /* level 4 */  {"勤", "好", "",   "",   "",   "学", "问", "",   "",   ""},
    /* level 5 */  {"床", "前", "明", "月", "光", "",   "",   "",   "",   ""},
    /* level 6 */  {"成", "并", "偶", "",   "",   "功", "非", "然", "",   ""},
    /* level 7 */  {"加", "加", "加", "加", "",   "加", "加", "是", "",   ""},
    /* level 8 */  {"玉", "不", "琢", "，", "",   "不", "成", "器", "。", ""},
    /* level 9 */  {"加", "加", "加", "加", "加", "加", "加", "加", "加", ""},
    /* level 10 */ {"欲", "穷", "千", "里", "目", "更", "上", "一", "层", "楼"},
}};

constexpr Motto startPhrase{"加", "油", "", "", "", "", "", "", "", ""};
// clang-format on

namespace {

// A motto must give a character to exactly the boxes its level uses, or a face would show an
// empty box or hide a character.
constexpr bool fitsTheLevels(const MottoTable& table) {
    for (std::int32_t level = lowestLevel; level <= highestLevel; ++level) {
        for (std::int32_t box = 1; box <= 10; ++box) {
            if (table[level - lowestLevel][box - 1].empty() == usesBox(level, box)) {
                return false;
            }
        }
    }
    return true;
}

// Row i is level i + 2, and a level uses as many boxes as it adds numbers, each once.
constexpr bool rowsAreSound() {
    for (std::int32_t level = lowestLevel; level <= highestLevel; ++level) {
        const LevelBoxes& row = levelBoxes[level - lowestLevel];
        std::int32_t count = 0;
        std::int32_t previous = 0;
        for (const std::int32_t box : row.boxes) {
            if (box != 0) {
                if (box <= previous || box > 10) {
                    return false;
                }
                previous = box;
                ++count;
            }
        }
        if (row.level != level || count != level) {
            return false;
        }
    }
    return true;
}

static_assert(rowsAreSound());
static_assert(fitsTheLevels(slidePhrases));
static_assert(fitsTheLevels(examPhrases));
static_assert(fitsTheLevels(MottoTable{startPhrase, slidePhrases[1], slidePhrases[2],
                                       slidePhrases[3], slidePhrases[4], slidePhrases[5],
                                       slidePhrases[6], slidePhrases[7], slidePhrases[8]}));

}  // namespace

void applyLevelFace(std::int32_t level, const Motto& motto) {
    if (!isLevel(level)) {
        return;
    }
    for (std::int32_t mark = lowestLevel; mark <= highestLevel; ++mark) {
        writeProperty(mainWindow, levelMarks[mark - lowestLevel], PropertyKind::visible,
                      mark == level ? 1 : 0);
    }
    for (std::int32_t box = 1; box <= 10; ++box) {
        const ControlId control = numberBoxes[box - 1];
        const bool used = usesBox(level, box);
        writeProperty(mainWindow, control, PropertyKind::visible, used ? 1 : 0);
        writeProperty(mainWindow, control, PropertyKind::text,
                      used ? std::string(motto[box - 1]) : std::string());
    }
}

void applyLevelFace(std::int32_t level, const MottoTable& phrases) {
    if (isLevel(level)) {
        applyLevelFace(level, phrases[level - lowestLevel]);
    }
}

void onLevelChanged() {
    applyLevelFace(readInteger(mainWindow, difficultySlider, PropertyKind::position), slidePhrases);
}

}  // namespace tallimo
