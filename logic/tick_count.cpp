#include "tick_count.h"

#include <chrono>

namespace tallimo {
namespace {

std::uint32_t systemTickCount() {
    // steady_clock counts from boot on Linux; only the millisecond unit and the 32-bit wrap matter.
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

TickSource tickSource = systemTickCount;

}  // namespace

std::uint32_t GetTickCount() { return tickSource(); }

void setTickSource(TickSource source) { tickSource = source != nullptr ? source : systemTickCount; }

}  // namespace tallimo
