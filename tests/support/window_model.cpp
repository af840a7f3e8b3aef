#include "window_model.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "layout.h"
#include "tick_count.h"

namespace tallimo {
namespace {

WindowModel* installedModel = nullptr;
std::vector<std::uint32_t> readings;

std::uint32_t modelTickCount() {
    // The 32-bit counter wraps like the system's.
    const auto reading = static_cast<std::uint32_t>(installedModel->now());
    readings.push_back(reading);
    return reading;
}

bool carries(ControlKind control, PropertyKind property) {
    switch (property) {
        case PropertyKind::visible:
        case PropertyKind::enabled:
            return true;
        case PropertyKind::text:
            return control == ControlKind::EditBox;
        case PropertyKind::caption:
            return control == ControlKind::Label || control == ControlKind::Button;
        case PropertyKind::checked:
            return control == ControlKind::CheckBox;
        case PropertyKind::position:
            return control == ControlKind::SliderBar;
        case PropertyKind::timerPeriod:
            return control == ControlKind::Timer;
    }
    return false;
}

// The contract reads integers and texts only, and writes everything but the slider's position.
bool readable(PropertyKind kind) {
    return kind == PropertyKind::text || kind == PropertyKind::caption ||
           kind == PropertyKind::checked || kind == PropertyKind::position;
}

bool writable(PropertyKind kind) {
    return kind != PropertyKind::position;
}

template <typename T>
const T& valueAs(const PropertyValue& value) {
    if (const T* held = std::get_if<T>(&value)) {
        return *held;
    }
    throw ContractBreach("a property was written with a value of the wrong type");
}

bool typable(char c) {
    return c == '-' || (c >= '0' && c <= '9');
}

}  // namespace

WindowModel::WindowModel(EventSink sink) : sink_(std::move(sink)) {
    for (const ControlLayout& layout : layoutTable) {
        controls_.emplace(layout.id, Control{.kind = layout.kind,
                                             .visible = layout.visible,
                                             .enabled = layout.enabled,
                                             .text = std::string(layout.text),
                                             .checked = layout.checked,
                                             .position = layout.slider.position});
        if (layout.kind == ControlKind::Timer && layout.timerPeriod > 0) {
            period_ = layout.timerPeriod;
            nextTick_ = period_;
            ++scheduleStarts_;
        }
    }
    installedModel = this;
    setPropertyHost(this);
    setTickSource(modelTickCount);
}

WindowModel::~WindowModel() {
    setTickSource(nullptr);
    setPropertyHost(nullptr);
    installedModel = nullptr;
}

const std::vector<std::uint32_t>& WindowModel::clockReadings() {
    return readings;
}

WindowModel::Control& WindowModel::find(ControlId window, ControlId control) {
    if (window != mainWindow) {
        throw ContractBreach("a property of a window that is not loaded was addressed");
    }
    return find(control);
}

WindowModel::Control& WindowModel::find(ControlId control) {
    const auto found = controls_.find(control);
    if (found == controls_.end()) {
        throw ContractBreach("a control that mainWindow does not have was addressed");
    }
    return found->second;
}

const WindowModel::Control& WindowModel::find(ControlId control) const {
    return const_cast<WindowModel*>(this)->find(control);
}

PropertyValue WindowModel::read(ControlId window, ControlId control, PropertyKind kind) {
    const Control& target = find(window, control);
    if (!carries(target.kind, kind) || !readable(kind)) {
        throw ContractBreach("a property was read that the contract does not offer");
    }
    switch (kind) {
        case PropertyKind::checked:
            return target.checked;
        case PropertyKind::position:
            return target.position;
        default:
            return target.text;
    }
}

void WindowModel::write(ControlId window, ControlId control, PropertyKind kind,
                        const PropertyValue& value) {
    Control& target = find(window, control);
    if (!carries(target.kind, kind) || !writable(kind)) {
        throw ContractBreach("a property was written that the contract does not offer");
    }
    switch (kind) {
        case PropertyKind::visible:
            target.visible = valueAs<std::int32_t>(value) != 0;
            break;
        case PropertyKind::enabled:
            target.enabled = valueAs<bool>(value);
            break;
        case PropertyKind::text:
        case PropertyKind::caption: {
            const std::string& text = valueAs<std::string>(value);
            if (text.find('\0') != std::string::npos) {
                throw ContractBreach("a text with a zero byte was written");
            }
            target.text = text;
            break;
        }
        case PropertyKind::checked:
            target.checked = valueAs<std::int32_t>(value) != 0 ? 1 : 0;
            break;
        case PropertyKind::timerPeriod: {
            const std::int32_t period = std::max(valueAs<std::int32_t>(value), 0);
            // The stored period again keeps the schedule; anything else cancels it, pending
            // tick included, and a positive period starts a new one from this moment.
            if (period != period_) {
                period_ = period;
                nextTick_.reset();
                if (period > 0) {
                    nextTick_ = now_ + period;
                    ++scheduleStarts_;
                }
            }
            break;
        }
        case PropertyKind::position:
            break;
    }
    writes_.push_back({control, kind, value});
}

void WindowModel::open() {
    sink_(mainWindow);
}

bool WindowModel::takesInput(ControlId control) const {
    const Control& target = find(control);
    return target.visible && target.enabled;
}

bool WindowModel::click(ControlId control) {
    Control& target = find(control);
    if (target.kind != ControlKind::Button && target.kind != ControlKind::CheckBox) {
        throw ContractBreach("only the button and the check box can be clicked");
    }
    if (!takesInput(control)) {
        return false;
    }
    if (target.kind == ControlKind::CheckBox) {
        target.checked = target.checked != 0 ? 0 : 1;
    }
    sink_(control);
    return true;
}

bool WindowModel::moveSlider(std::int32_t position) {
    if (!takesInput(difficultySlider)) {
        return false;
    }
    const SliderSettings& range = findLayout(difficultySlider)->slider;
    find(difficultySlider).position = std::clamp(position, range.minimum, range.maximum);
    sink_(difficultySlider);
    return true;
}

bool WindowModel::typeInto(ControlId box, std::string_view text) {
    const ControlLayout* layout = findLayout(box);
    if (layout == nullptr || layout->kind != ControlKind::EditBox) {
        throw ContractBreach("only an edit box can be typed into");
    }
    if (!takesInput(box) || layout->input == InputRule::readOnly) {
        return false;
    }
    std::string typed;
    for (const char c : text) {
        const bool full = layout->maxLengthBytes > 0 &&
                          typed.size() >= static_cast<std::size_t>(layout->maxLengthBytes);
        if (!full && (layout->input != InputRule::digitsAndMinus || typable(c))) {
            typed += c;
        }
    }
    find(box).text = std::move(typed);
    return true;
}

void WindowModel::advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (nextTick_ && *nextTick_ <= end) {
        now_ = *nextTick_;
        *nextTick_ += period_;
        deliverTick();
    }
    now_ = end;
}

void WindowModel::stall(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    const bool pending = nextTick_ && *nextTick_ <= end;
    if (pending) {
        *nextTick_ += ((end - *nextTick_) / period_ + 1) * period_;
    }
    now_ = end;
    if (pending) {
        deliverTick();
    }
}

void WindowModel::deliverTick() {
    ++ticksDelivered_;
    sink_(tickTimer);
}

bool WindowModel::shown(ControlId control) const {
    return find(control).visible;
}
bool WindowModel::enabled(ControlId control) const {
    return find(control).enabled;
}
const std::string& WindowModel::text(ControlId control) const {
    return find(control).text;
}
std::int32_t WindowModel::checked() const {
    return find(examModeCheck).checked;
}
std::int32_t WindowModel::position() const {
    return find(difficultySlider).position;
}
std::int32_t WindowModel::timerPeriod() const {
    return period_;
}

}  // namespace tallimo
