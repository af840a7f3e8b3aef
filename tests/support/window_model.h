#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "layout.h"
#include "property.h"

namespace tallimo {

// Thrown when a handler or a test breaks the property contract: a window other than mainWindow, a
// control the window does not have, a property the control's kind does not carry, a read or write
// the contract does not offer, or a value of the wrong type. The real shell ends the program here;
// the model throws so that a test sees the breach as a failure at the faulty call.
class ContractBreach : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

// One write made through the property contract, as the handler passed it.
struct PropertyWrite {
    ControlId control;
    PropertyKind kind;
    PropertyValue value;
    friend bool operator==(const PropertyWrite&, const PropertyWrite&) = default;
};

// mainWindow in memory, for tests without a display: every control of layoutTable in its
// design-time state, the property rules of the shell, the learner's actions as events, and a
// manual millisecond clock that drives the timer and stands in for GetTickCount. Constructing a
// model makes it the window the handlers see; destroying it takes the window away again. One model
// at a time.
class WindowModel final : public PropertyHost {
  public:
    explicit WindowModel(EventSink sink = runBoundHandler);
    ~WindowModel();
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    PropertyValue read(ControlId window, ControlId control, PropertyKind kind) override;
    void write(ControlId window, ControlId control, PropertyKind kind,
               const PropertyValue& value) override;

    // The created event, as the shell raises it once after building the window.
    void open();

    // The learner's actions. Each returns whether an event was raised: a hidden or disabled
    // control takes no input and raises nothing.
    bool click(ControlId control);  // the button, or the check box (toggled before its event)
    bool moveSlider(std::int32_t position);  // clamped to the slider's range, one event per move
    // Selects the whole text of an edit box and types text over it, through the box's input rule
    // and maximum length. A read-only box keeps its text. Typing raises no event; the result says
    // whether the box took the input.
    bool typeInto(ControlId box, std::string_view text);

    // Lets ms milliseconds pass with the event loop idle: every tick that falls due is delivered
    // at its time.
    void advance(std::int64_t ms);
    // Lets ms milliseconds pass with the event loop blocked: the ticks that fall due meanwhile
    // collapse into one, delivered when the loop runs again. The schedule keeps its phase.
    void stall(std::int64_t ms);

    std::int64_t now() const { return now_; }
    std::optional<std::int64_t> nextTickAt() const { return nextTick_; }
    // How often a write started a new timer schedule.
    int scheduleStarts() const { return scheduleStarts_; }
    std::int64_t ticksDelivered() const { return ticksDelivered_; }

    // The state as the learner sees it, read past the contract.
    bool shown(ControlId control) const;
    bool enabled(ControlId control) const;
    const std::string& text(ControlId control) const;  // an edit box's text or a caption
    std::int32_t checked() const;
    std::int32_t position() const;
    std::int32_t timerPeriod() const;

    const std::vector<PropertyWrite>& writes() const { return writes_; }
    void clearWrites() { writes_.clear(); }

    // Every value that GetTickCount returned while a model was installed, in order, for the whole
    // process: the generator's seeds follow from them.
    static const std::vector<std::uint32_t>& clockReadings();

  private:
    struct Control {
        ControlKind kind;
        bool visible;
        bool enabled;
        std::string text;
        std::int32_t checked;
        std::int32_t position;
    };

    Control& find(ControlId window, ControlId control);
    Control& find(ControlId control);
    const Control& find(ControlId control) const;
    bool takesInput(ControlId control) const;
    void deliverTick();

    EventSink sink_;
    std::map<ControlId, Control> controls_;
    std::vector<PropertyWrite> writes_;
    std::int64_t now_ = 0;
    std::int32_t period_ = 0;
    std::optional<std::int64_t> nextTick_;
    int scheduleStarts_ = 0;
    std::int64_t ticksDelivered_ = 0;
};

}  // namespace tallimo
