#include "levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "drill_window.h"
#include "handlers.h"
#include "property.h"

namespace tallimo {
namespace {

using enum PropertyKind;

// The writes that put a level's face on the window: the marks from 2 to 10, then each box shown
// or hidden before its text is written, so a box never shows a stale text.
std::vector<PropertyWrite> faceWrites(std::int32_t level, const std::vector<std::int32_t>& boxes,
                                      const std::vector<std::string>& characters) {
    std::vector<PropertyWrite> writes;
    for (std::int32_t mark = 2; mark <= 10; ++mark) {
        writes.push_back({levelMarks[mark - 2], visible, mark == level ? 1 : 0});
    }
    std::size_t next = 0;
    for (std::int32_t box = 1; box <= 10; ++box) {
        const bool used = next < boxes.size() && boxes[next] == box;
        writes.push_back({numberBoxes[box - 1], visible, used ? 1 : 0});
        writes.push_back({numberBoxes[box - 1], text, used ? characters[next++] : std::string()});
    }
    return writes;
}

// Splits a motto into its two-byte GBK characters.
std::vector<std::string> characters(std::string_view motto) {
    std::vector<std::string> split;
    for (std::size_t at = 0; at < motto.size(); at += 2) {
        split.emplace_back(motto.substr(at, 2));
    }
    return split;
}

TEST(LevelTables, HoldTheMottosAsGbkBytes) {
    EXPECT_EQ(startPhrase[0], "\xBC\xD3");           // 加
    EXPECT_EQ(startPhrase[1], "\xD3\xCD");           // 油
    EXPECT_EQ(slidePhrases[8 - 2][3], "\xA3\xAC");   // the full-width comma
    EXPECT_EQ(slidePhrases[8 - 2][8], "\xA1\xA3");   // the ideographic full stop
    EXPECT_EQ(examPhrases[7 - 2][7], "\xCA\xC7");    // 是
    EXPECT_EQ(slidePhrases[10 - 2][9], "\xC2\xA5");  // 楼
    for (std::int32_t level : {2, 4, 6, 8, 10}) {
        EXPECT_EQ(slidePhrases[level - 2], examPhrases[level - 2]) << level;
    }
    for (std::int32_t level : {3, 5, 7, 9}) {
        EXPECT_NE(slidePhrases[level - 2], examPhrases[level - 2]) << level;
    }
}

class StartUp : public ::testing::Test {
  protected:
    WindowModel model;
};

TEST_F(StartUp, PutsTheRestingStateOnTheWindowInOrder) {
    model.typeInto(rangeLowBox, "77");
    model.open();

    std::vector<PropertyWrite> expected = faceWrites(2, {1, 2}, {"加", "油"});
    const std::vector<PropertyWrite> rest{
        {askAnswerButton, caption, std::string("出题")},
        {rangeLowBox, text, std::string("1")},
        {rangeHighBox, text, std::string("10")},
        {modeHint, visible, 1},
        {answerTimeLabel, visible, 0},
        {examModeCheck, checked, 0},
        {elapsedLabel, visible, 1},
        {elapsedLabel, caption, std::string("0")},
        {elapsedUnitLabel, visible, 1},
        {answerTimeBox, visible, 0},
        {answerTimeUnitLabel, visible, 0},
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(model.writes(), expected);

    for (std::int32_t mark = 2; mark <= 10; ++mark) {
        EXPECT_EQ(model.shown(levelMarks[mark - 2]), mark == 2) << mark;
    }
    EXPECT_EQ(model.text(numberBox1), "\xBC\xD3");
    EXPECT_EQ(model.text(numberBox2), "\xD3\xCD");
    for (std::int32_t box = 3; box <= 10; ++box) {
        EXPECT_FALSE(model.shown(numberBoxes[box - 1])) << box;
        EXPECT_EQ(model.text(numberBoxes[box - 1]), "") << box;
    }
    EXPECT_EQ(model.text(askAnswerButton), "\xB3\xF6\xCC\xE2");
    EXPECT_EQ(model.text(rangeLowBox), "1");
    EXPECT_EQ(model.text(rangeHighBox), "10");
    EXPECT_TRUE(model.shown(modeHint));
    EXPECT_FALSE(model.shown(answerTimeLabel));
    EXPECT_FALSE(model.shown(answerTimeBox));
    EXPECT_FALSE(model.shown(answerTimeUnitLabel));
    EXPECT_EQ(model.text(elapsedLabel), "0");
    EXPECT_EQ(model.timerPeriod(), 0);
    EXPECT_EQ(model.checked(), 0);
    EXPECT_EQ(model.position(), 2);
    EXPECT_TRUE(model.enabled(askAnswerButton));
    EXPECT_EQ(model.text(answerTimeBox), "15");
    EXPECT_EQ(model.text(answerBox), "");
    model.advance(60000);
    EXPECT_EQ(model.ticksDelivered(), 0);
}

// One level's face under one motto table: the shown boxes and their characters in box order.
struct FaceCase {
    std::int32_t level;
    std::vector<std::int32_t> boxes;
    std::string_view slideMotto;
    std::string_view examMotto;
    friend void PrintTo(const FaceCase& c, std::ostream* os) { *os << "level " << c.level; }
};

const FaceCase faceCases[] = {
    {2, {1, 2}, "奋斗", "奋斗"},
    {3, {1, 2, 3}, "不言败", "人之初"},
    {4, {1, 2, 6, 7}, "勤好学问", "勤好学问"},
    {5, {1, 2, 3, 4, 5}, "知识是力量", "床前明月光"},
    {6, {1, 2, 3, 6, 7, 8}, "成并偶功非然", "成并偶功非然"},
    {7, {1, 2, 3, 4, 6, 7, 8}, "必有我师三人行", "加加加加加加是"},
    {8, {1, 2, 3, 4, 6, 7, 8, 9}, "玉不琢，不成器。", "玉不琢，不成器。"},
    {9, {1, 2, 3, 4, 5, 6, 7, 8, 9}, "没有最好，只有更好", "加加加加加加加加加"},
    {10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "欲穷千里目更上一层楼", "欲穷千里目更上一层楼"},
};

class Face : public DrillWindow, public ::testing::WithParamInterface<FaceCase> {
  protected:
    // Old numbers in every box, so that a face has to empty the boxes it hides.
    void fillBoxes() {
        for (const ControlId box : numberBoxes) {
            writeProperty(mainWindow, box, text, std::string("99"));
        }
        model.clearWrites();
    }

    // The face closes every handler that applies one, so it is the tail of the writes.
    void expectFace(std::string_view motto) {
        const FaceCase& c = GetParam();
        const std::vector<PropertyWrite> face = faceWrites(c.level, c.boxes, characters(motto));
        const std::vector<PropertyWrite>& all = model.writes();
        ASSERT_GE(all.size(), face.size());
        EXPECT_TRUE(std::equal(face.begin(), face.end(), all.end() - std::ssize(face)));
        for (std::int32_t mark = 2; mark <= 10; ++mark) {
            EXPECT_EQ(model.shown(levelMarks[mark - 2]), mark == c.level) << mark;
        }
        EXPECT_EQ(shownBoxes(), c.boxes);
        const std::vector<std::string> expected = characters(motto);
        std::size_t next = 0;
        for (std::int32_t box = 1; box <= 10; ++box) {
            EXPECT_EQ(boxText(box), model.shown(numberBoxes[box - 1]) ? expected[next++] : "")
                << box;
        }
    }
};

TEST_P(Face, FollowsTheSliderWithTheSlideMottos) {
    fillBoxes();
    ASSERT_TRUE(model.moveSlider(GetParam().level));
    EXPECT_EQ(model.writes().size(), 9u + 2u * 10u);  // the face and nothing else
    expectFace(GetParam().slideMotto);
}

TEST_P(Face, FollowsTheModeSwitchWithTheExamMottosBothWays) {
    model.moveSlider(GetParam().level);
    for (const std::int32_t mode : {1, 0}) {
        fillBoxes();
        ASSERT_TRUE(model.click(examModeCheck));
        ASSERT_EQ(model.checked(), mode);
        expectFace(GetParam().examMotto);
    }
}

INSTANTIATE_TEST_SUITE_P(AllLevels, Face, ::testing::ValuesIn(faceCases), [](const auto& info) {
    return "Level" + std::to_string(info.param.level);
});

TEST_F(DrillWindow, AFaceForALevelOutsideTheRangeChangesNothing) {
    for (const std::int32_t level : {-1, 0, 1, 11, 100}) {
        applyLevelFace(level, slidePhrases);
        applyLevelFace(level, startPhrase);
    }
    EXPECT_TRUE(model.writes().empty());
}

TEST_F(DrillWindow, TheSameSliderPositionGivesTheSameFace) {
    model.moveSlider(5);
    const std::vector<PropertyWrite> first = model.writes();
    model.clearWrites();
    model.moveSlider(5);
    EXPECT_EQ(model.writes(), first);
}

TEST_F(DrillWindow, MovingTheSliderDuringAManualQuestionKeepsItsPhase) {
    ASSERT_TRUE(model.click(askAnswerButton));
    model.advance(2500);
    ASSERT_EQ(model.text(elapsedLabel), "2");

    model.moveSlider(4);
    EXPECT_EQ(shownBoxes(), (std::vector<std::int32_t>{1, 2, 6, 7}));
    EXPECT_EQ(boxText(1) + boxText(2) + boxText(6) + boxText(7), "勤好学问");
    EXPECT_EQ(model.text(askAnswerButton), "答案");
    EXPECT_EQ(model.text(elapsedLabel), "2");
    model.advance(500);
    EXPECT_EQ(model.text(elapsedLabel), "3");

    model.click(askAnswerButton);
    EXPECT_EQ(model.text(answerBox), "0");
    EXPECT_EQ(model.text(askAnswerButton), "出题");
}

}  // namespace
}  // namespace tallimo
