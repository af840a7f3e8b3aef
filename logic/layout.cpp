#include "layout.h"

#include <algorithm>

#include "handlers.h"

namespace tallimo {
namespace {

using enum HorizontalAlign;

constexpr Font defaultFont{};
constexpr Font bold14{14, FontWeight::bold};
constexpr Font bold21{21, FontWeight::bold};
constexpr Font normal14{14, FontWeight::normal};
constexpr Font normal35{35, FontWeight::normal};
constexpr Font bold35{35, FontWeight::bold};
constexpr Font normal93{93, FontWeight::normal};
constexpr Font normal133{133, FontWeight::normal};

struct Place {
    ControlId parent;
    std::int32_t x, y, width, height;
};

// A control of a kind at its place, every other setting at its default.
constexpr ControlLayout placed(ControlId id, ControlKind kind, std::string_view name, Place at) {
    return {.id = id,
            .kind = kind,
            .name = name,
            .parent = at.parent,
            .x = at.x,
            .y = at.y,
            .width = at.width,
            .height = at.height};
}

constexpr ControlLayout groupBox(ControlId id, std::string_view name, Place at) {
    return placed(id, ControlKind::GroupBox, name, at);
}

constexpr ControlLayout label(ControlId id, std::string_view name, Place at, bool visible,
                              std::string_view caption, Font font, Rgb colour,
                              HorizontalAlign align) {
    ControlLayout layout = placed(id, ControlKind::Label, name, at);
    layout.visible = visible;
    layout.text = caption;
    layout.font = font;
    layout.textColour = colour;
    layout.horizontalAlign = align;
    return layout;
}

constexpr ControlLayout wrappedLabel(ControlId id, std::string_view name, Place at,
                                     std::string_view caption, Font font, Rgb colour) {
    ControlLayout layout = label(id, name, at, true, caption, font, colour, left);
    layout.wordWrap = true;
    layout.verticalAlign = VerticalAlign::top;
    return layout;
}

constexpr ControlLayout editBox(ControlId id, std::string_view name, Place at,
                                std::string_view text, Font font, Rgb colour, InputRule input,
                                std::int32_t maxLengthBytes) {
    ControlLayout layout = placed(id, ControlKind::EditBox, name, at);
    layout.tabStop = true;
    layout.text = text;
    layout.font = font;
    layout.textColour = colour;
    layout.background = white;
    layout.horizontalAlign = centre;
    layout.input = input;
    layout.maxLengthBytes = maxLengthBytes;
    return layout;
}

constexpr ControlLayout numberBox(ControlId id, std::string_view name, std::int32_t x,
                                  std::int32_t y) {
    return editBox(id, name, {numbersGroup, x, y, 120, 100}, "", normal93, black,
                   InputRule::readOnly, 0);
}

constexpr ControlLayout levelMark(ControlId id, std::string_view name, std::int32_t x,
                                  std::int32_t width, std::string_view caption, Rgb colour) {
    return label(id, name, {difficultyGroup, x, 89, width, 16}, false, caption, bold21, colour,
                 left);
}

}  // namespace

constexpr WindowLayout windowLayout{
    .id = mainWindow,
    .caption = "+Tallimo V2.0",
    .outerWidth = 543,
    .outerHeight = 625,
    .storedLeft = 50,
    .storedTop = 50,
    .centred = true,
    .resizable = false,
    .minimizeButton = true,
    .maximizeButton = true,
    .alwaysOnTop = false,
    .escapeCloses = true,
    .dragAnywhere = true,
    .iconFill = {244, 67, 54},
    .iconShade = {191, 54, 12},
    .iconOutline = {55, 71, 79},
    .iconSizes = {128, 96, 64, 48, 32},
    .handler = onWindowCreated,
};

// clang-format off
constexpr std::array<ControlLayout, controlCount> layoutTable{
    label(answerTimeLabel, "作答时间", {modeGroup, 103, 15, 60, 24}, true, "作答时间", bold14, {0, 0, 255}, left),
    editBox(answerTimeBox, "计时框", {modeGroup, 168, 14, 46, 24}, "15", bold21, {255, 128, 0}, InputRule::digitsAndMinus, 2),
    label(answerTimeUnitLabel, "计时框秒", {modeGroup, 220, 14, 28, 24}, true, "秒", bold21, black, centre),
    label(difficultyTitle, "标签4", {difficultyGroup, 56, 19, 150, 29}, true, "难度调节", bold21, black, centre),
    {.id = difficultySlider, .kind = ControlKind::SliderBar, .name = "难度调节", .parent = difficultyGroup,
     .x = 7, .y = 56, .width = 250, .height = 32, .tabStop = true,
     .slider = {.minimum = 2, .maximum = 10, .position = 2, .lineSize = 1, .pageSize = 1, .tickFrequency = 1},
     .handler = onLevelChanged},
    levelMark(levelMark2, "难度2", 14, 16, "2", {128, 160, 128}),
    levelMark(levelMark3, "难度3", 42, 16, "3", {128, 224, 0}),
    levelMark(levelMark4, "难度4", 70, 16, "4", {0, 128, 0}),
    levelMark(levelMark5, "难度5", 98, 16, "5", {128, 128, 255}),
    levelMark(levelMark6, "难度6", 126, 16, "6", {0, 136, 255}),
    levelMark(levelMark7, "难度7", 153, 16, "7", {0, 0, 255}),
    levelMark(levelMark8, "难度8", 181, 16, "8", {255, 128, 0}),
    levelMark(levelMark9, "难度9", 209, 16, "9", {255, 0, 0}),
    levelMark(levelMark10, "难度10", 232, 25, "10", {128, 0, 0}),
    groupBox(numbersGroup, "分组框1", {mainWindow, 1, -4, 270, 600}),
    label(rangeNote, "标签3", {rangeGroup, 87, 58, 80, 16}, true, "2位数以内", bold14, {88, 48, 224}, centre),
    editBox(rangeLowBox, "难度框1", {rangeGroup, 35, 82, 72, 32}, "", bold21, black, InputRule::digitsAndMinus, 2),
    label(rangeToLabel, "标签2", {rangeGroup, 118, 86, 24, 24}, true, "到", bold21, black, left),
    editBox(rangeHighBox, "难度框2", {rangeGroup, 151, 82, 64, 32}, "", bold21, black, InputRule::digitsAndMinus, 2),
    label(rangeTitle, "标签1", {rangeGroup, 52, 23, 150, 29}, true, "取值范围", bold21, black, centre),
    label(elapsedUnitLabel, "秒", {rangeGroup, 147, 136, 35, 35}, true, "秒", normal35, {255, 0, 0}, left),
    label(elapsedLabel, "计时1", {rangeGroup, 70, 136, 60, 35}, true, "", bold35, {255, 0, 0}, right),
    {.id = tickTimer, .kind = ControlKind::Timer, .name = "时钟1", .parent = rangeGroup,
     .x = 211, .y = 125, .width = 32, .height = 32, .visible = false, .timerPeriod = 0,
     .handler = onTick},
    editBox(answerBox, "答案框", {answerGroup, 23, 14, 218, 137}, "", normal133, {255, 0, 0}, InputRule::readOnly, 0),
    {.id = askAnswerButton, .kind = ControlKind::Button, .name = "出题答案按钮", .parent = buttonGroup,
     .x = 82, .y = 25, .width = 100, .height = 50, .tabStop = true, .text = "答案", .font = bold35,
     .horizontalAlign = centre, .defaultButton = false, .multiLine = true,
     .handler = onAskAnswerClicked},
    numberBox(numberBox1, "数字1", 10, 22),
    numberBox(numberBox2, "数字2", 10, 137),
    numberBox(numberBox3, "数字3", 10, 252),
    numberBox(numberBox4, "数字4", 10, 367),
    numberBox(numberBox5, "数字5", 10, 482),
    numberBox(numberBox6, "数字6", 140, 22),
    numberBox(numberBox7, "数字7", 140, 137),
    numberBox(numberBox8, "数字8", 140, 252),
    numberBox(numberBox9, "数字9", 140, 367),
    numberBox(numberBox10, "数字10", 140, 482),
    groupBox(difficultyGroup, "分组框2", {mainWindow, 270, -4, 265, 130}),
    groupBox(modeGroup, "分组框6", {mainWindow, 270, 119, 265, 50}),
    groupBox(rangeGroup, "分组框5", {mainWindow, 270, 162, 265, 188}),
    groupBox(answerGroup, "分组框4", {mainWindow, 270, 343, 265, 160}),
    groupBox(buttonGroup, "分组框3", {mainWindow, 270, 496, 265, 100}),
    wrappedLabel(modeHint, "提示1", {modeGroup, 95, 13, 170, 32}, "勾选：自动答案，3秒出题\r\n不选：手动获取答案", normal14, {128, 0, 0}),
    {.id = examModeCheck, .kind = ControlKind::CheckBox, .name = "计时模式", .parent = modeGroup,
     .x = 23, .y = 13, .width = 80, .height = 30, .tabStop = true, .text = "考试模式",
     .font = defaultFont, .checked = 0, .handler = onExamModeClicked},
};
// clang-format on

void runBoundHandler(ControlId source) {
    Handler handler = windowLayout.handler;
    if (source != mainWindow) {
        const ControlLayout* layout = findLayout(source);
        handler = layout != nullptr ? layout->handler : nullptr;
    }
    if (handler != nullptr) {
        handler();
    }
}

const ControlLayout* findLayout(ControlId id) {
    const auto found = std::ranges::find(layoutTable, id, &ControlLayout::id);
    return found == layoutTable.end() ? nullptr : &*found;
}

}  // namespace tallimo
