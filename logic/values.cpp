#include "values.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace tallimo {
namespace {

struct SingleFold {
    unsigned char lead;
    unsigned char trail;
    char ascii;
};

// Characters outside row A3 that a Chinese input method produces where the learner meant ASCII.
constexpr std::array<SingleFold, 4> singleFolds{{
    {0xA1, 0xA1, ' '},  // ideographic space
    {0xA1, 0xAB, '~'},  // full-width tilde
    {0xA1, 0xEE, '*'},  // white star
    {0xA1, 0xEF, '*'},  // black star
}};

// Row A3 holds the full-width twins of printable ASCII, 0x21 to 0x7E, at the same offset.
constexpr unsigned char fullWidthRow = 0xA3;
constexpr unsigned char fullWidthFirst = 0xA1;
constexpr unsigned char fullWidthLast = 0xFE;
constexpr unsigned char fullWidthShift = 0x80;

std::optional<char> foldCharacter(unsigned char lead, unsigned char trail) {
    if (lead == fullWidthRow && trail >= fullWidthFirst && trail <= fullWidthLast) {
        return static_cast<char>(trail - fullWidthShift);
    }
    const auto* fold = std::find_if(singleFolds.begin(), singleFolds.end(), [&](const auto& f) {
        return f.lead == lead && f.trail == trail;
    });
    if (fold == singleFolds.end()) {
        return std::nullopt;
    }
    return fold->ascii;
}

// Replaces full-width digits, signs and spaces by their ASCII bytes so that both widths read
// alike. Every byte from 0x80 up starts a two-byte character, whatever follows it.
std::string foldFullWidth(std::string_view gbk) {
    std::string folded;
    folded.reserve(gbk.size());
    for (std::size_t i = 0; i < gbk.size(); ++i) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x80) {
            folded.push_back(gbk[i]);
            continue;
        }
        if (i + 1 == gbk.size()) {
            break;  // half a character: a text cut off mid-character
        }
        const auto trail = static_cast<unsigned char>(gbk[++i]);
        if (const auto ascii = foldCharacter(lead, trail)) {
            folded.push_back(*ascii);
        } else {
            folded.append(gbk.substr(i - 1, 2));
        }
    }
    return folded;
}

constexpr bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isExponentLetter(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Far beyond any power of ten a double can reach, yet small enough that adding the position of a
// digit within the longest possible text cannot overflow 64 bits.
constexpr std::int64_t exponentCap = 1'000'000'000;
// Past these powers of ten the value is infinite or zero whatever its digits.
constexpr std::int64_t overflowExponent = 400;
constexpr std::int64_t underflowExponent = -400;

// The leading decimal number of an ASCII text, reduced to its significant digits.
struct ScannedNumber {
    bool hasMantissa = false;
    bool negative = false;
    std::string digits;       // no leading or trailing zeros; empty for a zero
    std::int64_t exponent{};  // power of ten of the first digit
};

ScannedNumber scanNumber(std::string_view text) {
    ScannedNumber number;
    std::size_t pos = 0;
    while (pos < text.size() && isSpace(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    bool afterPoint = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!isDigit(c)) {
            break;
        }
        number.hasMantissa = true;
        if (number.digits.empty()) {
            if (afterPoint) {
                --number.exponent;  // a zero or the first digit after the point
            }
            if (c == '0') {
                continue;
            }
        } else if (!afterPoint) {
            ++number.exponent;
        }
        number.digits.push_back(c);
    }
    if (!number.hasMantissa) {
        return number;
    }
    while (!number.digits.empty() && number.digits.back() == '0') {
        number.digits.pop_back();
    }

    // An exponent letter counts only with at least one digit after its optional sign.
    if (pos < text.size() && isExponentLetter(text[pos])) {
        std::size_t at = pos + 1;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            negativeExponent = text[at] == '-';
            ++at;
        }
        std::int64_t written = 0;
        for (; at < text.size() && isDigit(text[at]); ++at) {
            written = std::min(written * 10 + (text[at] - '0'), exponentCap);
        }
        number.exponent += negativeExponent ? -written : written;
    }
    return number;
}

double decimalToDouble(const ScannedNumber& number) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    if (number.digits.empty() || number.exponent < underflowExponent) {
        return 0.0;
    }
    if (number.exponent > overflowExponent) {
        return infinity;
    }
    // Scientific form with the digits as written: from_chars rounds it correctly and, unlike
    // strtod, ignores the user's locale.
    std::string scientific;
    scientific.reserve(number.digits.size() + 8);
    scientific.push_back(number.digits.front());
    if (number.digits.size() > 1) {
        scientific.push_back('.');
        scientific.append(number.digits, 1);
    }
    std::array<char, 8> exponentText{};
    const auto exponentEnd =
        std::to_chars(exponentText.data(), exponentText.data() + exponentText.size(),
                      number.exponent)
            .ptr;
    scientific.push_back('e');
    scientific.append(exponentText.data(), exponentEnd);

    double value = 0.0;
    const auto result =
        std::from_chars(scientific.data(), scientific.data() + scientific.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return number.exponent > 0 ? infinity : 0.0;
    }
    return value;
}

// The first 13 significant digits of a positive finite double and the power of ten of the first.
struct ShownDigits {
    std::string digits;
    int exponent{};
};

constexpr std::size_t exactDigits = 767;  // the longest exact decimal expansion of a double
constexpr std::size_t precisionDigits = 17;
constexpr std::size_t shownDigits = 13;

// Keeps the first `keep` digits, rounding up when the next one is 5 or more; a carry out of the
// first digit moves the exponent.
void roundDigits(std::string& digits, std::size_t keep, int& exponent) {
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (!up) {
        return;
    }
    auto nine = std::find_if(digits.rbegin(), digits.rend(), [](char c) { return c != '9'; });
    std::fill(digits.rbegin(), nine, '0');
    if (nine == digits.rend()) {
        digits.front() = '1';
        ++exponent;
    } else {
        ++*nine;
    }
}

ShownDigits roundForDisplay(double magnitude) {
    // The exact expansion, so that both roundings see the true digits, not a rounded copy.
    std::array<char, exactDigits + 16> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::scientific, exactDigits - 1)
                         .ptr;
    const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const std::size_t e = text.find('e');

    ShownDigits shown;
    shown.digits.push_back(text.front());
    shown.digits.append(text.substr(2, precisionDigits));
    const auto exponentText = text.substr(e + 2);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), shown.exponent);
    if (text[e + 1] == '-') {
        shown.exponent = -shown.exponent;
    }

    // A half rounds up at 17 digits, and what 17 digits show decides the 13: a value just below a
    // 13-digit halfway point that prints with 17 digits as the halfway point rounds up.
    roundDigits(shown.digits, precisionDigits, shown.exponent);
    roundDigits(shown.digits, shownDigits, shown.exponent);
    return shown;
}

void trimFraction(std::string& text) {
    if (text.find('.') == std::string::npos) {
        return;
    }
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
}

constexpr int plainExponentLow = -4;
constexpr int plainExponentHigh = 13;  // first exponent written in exponent form

std::string formatMagnitude(double magnitude) {
    const auto [digits, exponent] = roundForDisplay(magnitude);
    std::string text;
    if (exponent < plainExponentLow || exponent >= plainExponentHigh) {
        text = digits.substr(0, 1) + "." + digits.substr(1);
        trimFraction(text);
        const std::string power = std::to_string(std::abs(exponent));
        text += exponent < 0 ? "e-" : "e+";
        text.append(3 - power.size(), '0');
        text += power;
    } else if (exponent >= 0) {
        const auto point = static_cast<std::size_t>(exponent) + 1;
        text = digits.substr(0, point) + "." + digits.substr(point);
        trimFraction(text);
    } else {
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        trimFraction(text);
    }
    return text;
}

// The one not-a-number that invalid operations such as infinity minus infinity produce gets a text
// of its own; every other one is told apart only by its sign and its quiet bit.
constexpr std::uint64_t indeterminateBits = 0xFFF8000000000000;
constexpr std::uint64_t quietBit = 0x0008000000000000;

std::string notANumberText(std::uint64_t bits, bool negative) {
    if (bits == indeterminateBits) {
        return "-1.#IND";
    }
    const std::string text = (bits & quietBit) != 0 ? "1.#QNAN" : "1.#SNAN";
    return negative ? "-" + text : text;
}

}  // namespace

double textToNumber(std::string_view gbk) {
    const ScannedNumber number = scanNumber(foldFullWidth(gbk));
    if (!number.hasMantissa) {
        return 0.0;
    }
    const double magnitude = decimalToDouble(number);
    return number.negative ? -magnitude : magnitude;
}

std::int32_t truncToInt(double x) {
    constexpr double twoTo63 = 9223372036854775808.0;
    std::int64_t wide = std::numeric_limits<std::int64_t>::min();
    if (std::isfinite(x)) {
        const double whole = std::trunc(x);
        if (whole >= -twoTo63 && whole < twoTo63) {
            wide = static_cast<std::int64_t>(whole);
        }
    }
    return static_cast<std::int32_t>(wide);  // the low 32 bits, two's complement
}

std::string numberToText(std::int32_t n) {
    std::array<char, 12> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n).ptr;
    return {buffer.data(), end};
}

std::string numberToText(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const bool negative = std::signbit(x);
    if (std::isnan(x)) {
        return notANumberText(bits, negative);
    }
    if (std::isinf(x)) {
        return negative ? "-1.#INF" : "1.#INF";
    }
    if (x == 0.0) {
        return "0";
    }
    const std::string magnitude = formatMagnitude(std::fabs(x));
    return negative ? "-" + magnitude : magnitude;
}

int compareText(std::string_view a, std::string_view b) {
    // char_traits<char> orders bytes as unsigned char, so 0x80 and above sort after ASCII.
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

}  // namespace tallimo
