#pragma once

#include <cstdint>

namespace tallimo {

// Milliseconds since the system started, wrapping to 0 after 2^32 - 1.
std::uint32_t GetTickCount();

}  // namespace tallimo
