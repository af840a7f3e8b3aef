#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tallimo::bench {

inline double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::ranges::sort(values);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A ratio with the text "n/a" when the anchor is zero.
inline std::string ratio(double measured, double anchor) {
    return anchor > 0 ? fixed(measured / anchor, 2) : std::string("n/a");
}

}  // namespace tallimo::bench
