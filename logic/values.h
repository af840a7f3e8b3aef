#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tallimo {

// Conversions between the GBK texts that the controls hold and the numbers the drill computes
// with. None of them fails: what is not a number reads as 0, and every double has a text.

// Reads the leading decimal number of a text, after folding full-width forms to ASCII.
double textToNumber(std::string_view gbk);

// Truncates toward zero through 64 bits and keeps the low 32; NaN, infinities and values beyond
// 64 bits give 0.
std::int32_t truncToInt(double x);

// "%d".
std::string numberToText(std::int32_t n);

// "%.13g" with three exponent digits and fixed texts for infinities and NaN ("1.#INF", "-1.#IND").
std::string numberToText(double x);

// Byte-wise comparison as unsigned values: -1, 0 or 1.
int compareText(std::string_view a, std::string_view b);

}  // namespace tallimo
