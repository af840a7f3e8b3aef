#pragma once

#include <cstdint>

namespace tallimo {

// Milliseconds since the system started, wrapping to 0 after 2^32 - 1.
std::uint32_t GetTickCount();

// Lets a test stand in for the system's counter; nullptr gives the system's counter back.
using TickSource = std::uint32_t (*)();
void setTickSource(TickSource source);

}  // namespace tallimo
