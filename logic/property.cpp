#include "property.h"

#include <cstdio>
#include <cstdlib>

namespace tallimo {
namespace {

PropertyHost* currentHost = nullptr;

PropertyHost& host() {
    if (currentHost == nullptr) {
        // Only a broken handler gets here: no window is loaded to read or write.
        std::fputs("Tallimo: a control was addressed while no window is loaded.\n", stderr);
        std::_Exit(255);
    }
    return *currentHost;
}

}  // namespace

void setPropertyHost(PropertyHost* host) {
    currentHost = host;
}

PropertyValue readProperty(ControlId window, ControlId control, PropertyKind kind) {
    return host().read(window, control, kind);
}

void writeProperty(ControlId window, ControlId control, PropertyKind kind,
                   const PropertyValue& value) {
    host().write(window, control, kind, value);
}

}  // namespace tallimo
