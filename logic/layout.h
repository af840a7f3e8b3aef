#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "controls.h"

namespace tallimo {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};

enum class FontWeight : std::int16_t { normal = 400, bold = 700 };

// Character height in pixels, internal leading excluded; 0 means the toolkit's standard
// user-interface font.
struct Font {
    std::int32_t pixelHeight = 0;
    FontWeight weight = FontWeight::normal;
};

enum class HorizontalAlign { left, centre, right };
enum class VerticalAlign { top, centre, bottom };

enum class InputRule {
    none,            // not an edit box
    readOnly,        // selectable and copyable, never typed into
    digitsAndMinus,  // typed printable characters other than 0-9 and '-' are dropped
};

struct SliderSettings {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t position = 0;
    std::int32_t lineSize = 0;
    std::int32_t pageSize = 0;
    std::int32_t tickFrequency = 0;
};

using Handler = void (*)();

// One control of mainWindow as it stands before any handler runs. Texts are GBK.
struct ControlLayout {
    ControlId id;
    ControlKind kind;
    std::string_view name;  // the design name, never shown
    ControlId parent;
    std::int32_t x;  // relative to the parent's client area
    std::int32_t y;
    std::int32_t width;  // frame included
    std::int32_t height;
    bool visible = true;
    bool enabled = true;
    bool tabStop = false;
    std::int32_t tabOrder = 0;
    std::string_view text{};  // an edit box's text, a label's, button's or check box's caption
    Font font{};
    Rgb textColour = black;
    std::optional<Rgb> background{};  // empty: the toolkit's system face
    HorizontalAlign horizontalAlign = HorizontalAlign::left;
    VerticalAlign verticalAlign = VerticalAlign::centre;
    bool wordWrap = false;
    InputRule input = InputRule::none;
    std::int32_t maxLengthBytes = 0;  // 0: no practical limit
    bool defaultButton = false;
    bool multiLine = false;
    std::int32_t checked = 0;
    SliderSettings slider{};
    std::int32_t timerPeriod = 0;  // milliseconds; 0 is stopped
    Handler handler = nullptr;
};

struct WindowLayout {
    ControlId id;
    std::string_view caption;
    std::int32_t outerWidth;  // frame and title bar included
    std::int32_t outerHeight;
    std::int32_t storedLeft;  // never used: the window opens centred
    std::int32_t storedTop;
    bool centred;
    bool resizable;
    bool minimizeButton;
    bool maximizeButton;
    bool alwaysOnTop;
    bool escapeCloses;
    bool dragAnywhere;
    Rgb iconFill;
    Rgb iconShade;
    Rgb iconOutline;
    std::array<std::int32_t, 5> iconSizes;
    Handler handler;
};

inline constexpr std::size_t controlCount = 42;

extern const WindowLayout windowLayout;

// Every control of mainWindow in stacking order: among controls with the same parent, an earlier
// one lies above every later one.
extern const std::array<ControlLayout, controlCount> layoutTable;

// The record of a control; nullptr for an id the window does not have.
const ControlLayout* findLayout(ControlId id);

// Runs the handler that the layout binds to the event of source (mainWindow or a control), if any.
void runBoundHandler(ControlId source);

// Where a window sends each event it raises, named by its source: mainWindow (created),
// askAnswerButton, examModeCheck, difficultySlider or tickTimer. runBoundHandler is the program's;
// tests and benchmarks record or time the events around it.
using EventSink = std::function<void(ControlId source)>;

}  // namespace tallimo
