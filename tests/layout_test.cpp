#include "layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string_view>

#include "handlers.h"

namespace tallimo {
namespace {

TEST(LayoutTable, HasEachKindAsOftenAsTheWindowNeeds) {
    std::map<ControlKind, int> counts;
    for (const ControlLayout& control : layoutTable) {
        ++counts[control.kind];
    }
    EXPECT_EQ(counts[ControlKind::GroupBox], 6);
    EXPECT_EQ(counts[ControlKind::Label], 18);
    EXPECT_EQ(counts[ControlKind::EditBox], 14);
    EXPECT_EQ(counts[ControlKind::Button], 1);
    EXPECT_EQ(counts[ControlKind::CheckBox], 1);
    EXPECT_EQ(counts[ControlKind::SliderBar], 1);
    EXPECT_EQ(counts[ControlKind::Timer], 1);
    EXPECT_EQ(counts[ControlKind::Window], 0);
    EXPECT_EQ(windowLayout.id, mainWindow);
}

TEST(LayoutTable, IdsAndNamesAreUniqueAndParentsAreGroupBoxes) {
    std::set<ControlId> ids{mainWindow};
    std::set<std::string_view> names;
    for (const ControlLayout& control : layoutTable) {
        EXPECT_TRUE(ids.insert(control.id).second) << control.id;
        EXPECT_TRUE(names.insert(control.name).second) << control.id;
        EXPECT_EQ(control.id & 0xffff0000u, 0x16010000u) << control.id;
        if (control.kind == ControlKind::GroupBox) {
            EXPECT_EQ(control.parent, mainWindow);
        } else {
            const ControlLayout* parent = findLayout(control.parent);
            ASSERT_NE(parent, nullptr) << control.id;
            EXPECT_EQ(parent->kind, ControlKind::GroupBox) << control.id;
        }
        EXPECT_TRUE(control.enabled);
        EXPECT_EQ(control.tabOrder, 0);
        const bool takesFocus =
            control.kind == ControlKind::EditBox || control.kind == ControlKind::SliderBar ||
            control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox;
        EXPECT_EQ(control.tabStop, takesFocus) << control.id;
    }
    EXPECT_EQ(findLayout(mainWindow), nullptr);
    EXPECT_EQ(findLayout(12345), nullptr);
}

struct GeometryRow {
    std::size_t index;
    ControlId id;
    ControlId parent;
    std::int32_t x, y, width, height;
};

TEST(LayoutTable, PlacesControlsInTableOrder) {
    constexpr GeometryRow rows[] = {
        {0, answerTimeLabel, modeGroup, 103, 15, 60, 24},
        {4, difficultySlider, difficultyGroup, 7, 56, 250, 32},
        {13, levelMark10, difficultyGroup, 232, 89, 25, 16},
        {14, numbersGroup, mainWindow, 1, -4, 270, 600},
        {23, answerBox, answerGroup, 23, 14, 218, 137},
        {24, askAnswerButton, buttonGroup, 82, 25, 100, 50},
        {29, numberBox5, numbersGroup, 10, 482, 120, 100},
        {30, numberBox6, numbersGroup, 140, 22, 120, 100},
        {39, buttonGroup, mainWindow, 270, 496, 265, 100},
        {41, examModeCheck, modeGroup, 23, 13, 80, 30},
    };
    for (const GeometryRow& row : rows) {
        const ControlLayout& control = layoutTable[row.index];
        EXPECT_EQ(control.id, row.id) << row.index;
        EXPECT_EQ(control.parent, row.parent) << row.index;
        EXPECT_EQ(control.x, row.x) << row.index;
        EXPECT_EQ(control.y, row.y) << row.index;
        EXPECT_EQ(control.width, row.width) << row.index;
        EXPECT_EQ(control.height, row.height) << row.index;
    }
}

TEST(LayoutTable, DesignTimeStateBeforeAnyHandler) {
    for (ControlId box : numberBoxes) {
        EXPECT_TRUE(findLayout(box)->visible);
        EXPECT_EQ(findLayout(box)->text, "");
        EXPECT_EQ(findLayout(box)->input, InputRule::readOnly);
    }
    for (ControlId mark : levelMarks) {
        EXPECT_FALSE(findLayout(mark)->visible);
    }
    EXPECT_EQ(findLayout(askAnswerButton)->text, "答案");
    EXPECT_FALSE(findLayout(askAnswerButton)->defaultButton);
    EXPECT_EQ(findLayout(answerTimeBox)->text, "15");
    EXPECT_EQ(findLayout(rangeLowBox)->text, "");
    EXPECT_EQ(findLayout(rangeHighBox)->text, "");
    EXPECT_EQ(findLayout(elapsedLabel)->text, "");
    EXPECT_EQ(findLayout(tickTimer)->timerPeriod, 0);
    EXPECT_FALSE(findLayout(tickTimer)->visible);
    EXPECT_EQ(findLayout(examModeCheck)->checked, 0);
    const SliderSettings& slider = findLayout(difficultySlider)->slider;
    EXPECT_EQ(slider.minimum, 2);
    EXPECT_EQ(slider.maximum, 10);
    EXPECT_EQ(slider.position, 2);
    EXPECT_EQ(slider.lineSize, 1);
    EXPECT_EQ(slider.pageSize, 1);
    EXPECT_EQ(slider.tickFrequency, 1);
    for (ControlId box : {answerTimeBox, rangeLowBox, rangeHighBox}) {
        EXPECT_EQ(findLayout(box)->input, InputRule::digitsAndMinus);
        EXPECT_EQ(findLayout(box)->maxLengthBytes, 2);
    }
}

TEST(LayoutTable, BindsTheFiveHandlers) {
    EXPECT_EQ(windowLayout.handler, &onWindowCreated);
    EXPECT_EQ(findLayout(difficultySlider)->handler, &onLevelChanged);
    EXPECT_EQ(findLayout(askAnswerButton)->handler, &onAskAnswerClicked);
    EXPECT_EQ(findLayout(tickTimer)->handler, &onTick);
    EXPECT_EQ(findLayout(examModeCheck)->handler, &onExamModeClicked);
    int bound = 0;
    for (const ControlLayout& control : layoutTable) {
        bound += control.handler != nullptr;
    }
    EXPECT_EQ(bound, 4);
}

TEST(LayoutTable, TextsAreGbkBytes) {
    // "加" is BC D3 in GBK; the hint's line break is CR LF.
    EXPECT_EQ(findLayout(askAnswerButton)->text, "\xB4\xF0\xB0\xB8");                // 答案
    EXPECT_EQ(findLayout(examModeCheck)->text, "\xBF\xBC\xCA\xD4\xC4\xA3\xCA\xBD");  // 考试模式
    EXPECT_NE(findLayout(modeHint)->text.find("\r\n"), std::string_view::npos);
    EXPECT_EQ(windowLayout.caption, "+Tallimo V2.0");
}

}  // namespace
}  // namespace tallimo
