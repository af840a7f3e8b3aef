#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "controls.h"

namespace tallimo {

enum class PropertyKind { visible, enabled, text, caption, checked, position, timerPeriod };

// An integer for visible, checked, position and timerPeriod; a boolean for enabled; a GBK text for
// text and caption.
using PropertyValue = std::variant<std::int32_t, bool, std::string>;

// What stands behind the two property operations: the Qt window in the program, an in-memory model
// in the tests. A host that is asked about a window it has not loaded ends the program.
class PropertyHost {
  public:
    virtual PropertyValue read(ControlId window, ControlId control, PropertyKind kind) = 0;
    virtual void write(ControlId window, ControlId control, PropertyKind kind,
                       const PropertyValue& value) = 0;

  protected:
    ~PropertyHost() = default;
};

// Makes host the window that the handlers see; nullptr when that window is gone.
void setPropertyHost(PropertyHost* host);

PropertyValue readProperty(ControlId window, ControlId control, PropertyKind kind);
void writeProperty(ControlId window, ControlId control, PropertyKind kind,
                   const PropertyValue& value);

inline std::string readText(ControlId window, ControlId control, PropertyKind kind) {
    return std::get<std::string>(readProperty(window, control, kind));
}

inline std::int32_t readInteger(ControlId window, ControlId control, PropertyKind kind) {
    return std::get<std::int32_t>(readProperty(window, control, kind));
}

}  // namespace tallimo
