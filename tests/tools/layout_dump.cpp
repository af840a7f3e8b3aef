// Prints the window's layout and the state that the start-up handler leaves it in, as JSON, for
// the tests that look at the real window from outside. Texts are GBK and are printed as hex bytes;
// positions are also given in the window's client coordinates. Test-only: never installed.
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "layout.h"
#include "window_model.h"

namespace tallimo {
namespace {

constexpr const char* kindNames[] = {"Window", "GroupBox", "Label",     "EditBox",
                                     "Button", "CheckBox", "SliderBar", "Timer"};
constexpr const char* horizontalNames[] = {"left", "centre", "right"};
constexpr const char* verticalNames[] = {"top", "centre", "bottom"};

std::string hex(std::string_view bytes) {
    std::string out;
    for (const unsigned char byte : bytes) {
        constexpr char digits[] = "0123456789abcdef";
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

std::string colour(Rgb rgb) {
    return "[" + std::to_string(rgb.red) + ", " + std::to_string(rgb.green) + ", " +
           std::to_string(rgb.blue) + "]";
}

int dump() {
    WindowModel model;
    model.open();

    std::printf("{\"window\": {\"caption\": \"%s\", \"outerWidth\": %d, \"outerHeight\": %d},\n",
                hex(windowLayout.caption).c_str(), windowLayout.outerWidth,
                windowLayout.outerHeight);
    std::printf(" \"controls\": [\n");
    std::map<ControlId, std::pair<int, int>> origins{{mainWindow, {0, 0}}};
    for (const ControlLayout& layout : layoutTable) {
        if (layout.kind == ControlKind::GroupBox) {
            origins[layout.id] = {layout.x, layout.y};
        }
    }
    const char* separator = "";
    for (const ControlLayout& layout : layoutTable) {
        if (layout.kind == ControlKind::Timer) {
            continue;
        }
        const auto [originX, originY] = origins.at(layout.parent);
        std::printf(
            "%s  {\"id\": %u, \"kind\": \"%s\", \"name\": \"%s\", \"parent\": %u, \"x\": %d, "
            "\"y\": %d, \"width\": %d, \"height\": %d, \"left\": %d, \"top\": %d, "
            "\"pixelHeight\": %d, \"bold\": %s, \"textColour\": %s, \"background\": %s, "
            "\"align\": \"%s\", \"valign\": \"%s\", \"wordWrap\": %s, \"readOnly\": %s, "
            "\"shown\": %s, \"text\": \"%s\"}",
            separator, layout.id, kindNames[static_cast<int>(layout.kind)],
            hex(layout.name).c_str(), layout.parent, layout.x, layout.y, layout.width,
            layout.height, originX + layout.x, originY + layout.y, layout.font.pixelHeight,
            layout.font.weight == FontWeight::bold ? "true" : "false",
            colour(layout.textColour).c_str(),
            layout.background ? colour(*layout.background).c_str() : "null",
            horizontalNames[static_cast<int>(layout.horizontalAlign)],
            verticalNames[static_cast<int>(layout.verticalAlign)],
            layout.wordWrap ? "true" : "false",
            layout.input == InputRule::readOnly ? "true" : "false",
            model.shown(layout.id) ? "true" : "false", hex(model.text(layout.id)).c_str());
        separator = ",\n";
    }
    std::printf("\n]}\n");
    return 0;
}

}  // namespace
}  // namespace tallimo

int main() {
    return tallimo::dump();
}
