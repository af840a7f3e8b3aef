// Arbitrary bytes through the value conversions and the GBK boundary. Whatever a learner pastes
// into a box ends up here, so nothing may crash, and what the drill relies on must hold for every
// input: a shown number reads back as itself, comparisons are consistent, and texts that cross
// the boundary carry no zero byte and survive a second crossing unchanged.
#include <QString>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "gbk.h"
#include "values.h"

namespace tallimo {
namespace {

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool hasZeroByte(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

// The double form: an optional "-", digits with at most one point, an optional "e", sign and
// three digits; at most 13 significant digits; no zeros that the fraction could lose.
bool isDoubleForm(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    std::string_view mantissa = text;
    if (const auto e = text.find('e'); e != std::string_view::npos) {
        const std::string_view exponent = text.substr(e + 1);
        if (exponent.size() != 4 || (exponent[0] != '+' && exponent[0] != '-') ||
            !std::all_of(exponent.begin() + 1, exponent.end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            return false;
        }
        mantissa = text.substr(0, e);
    }
    const auto point = mantissa.find('.');
    if (point != std::string_view::npos &&
        (mantissa.back() == '0' || mantissa.back() == '.' ||
         mantissa.find('.', point + 1) != std::string_view::npos)) {
        return false;
    }
    std::string digits;
    std::copy_if(mantissa.begin(), mantissa.end(), std::back_inserter(digits),
                 [](char c) { return c != '.'; });
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos || digits.size() - first <= 13;
}

// What the answer box shows for a number must read back as that number to 13 significant digits,
// and its own text again: a counter or an answer that is read, changed and written keeps its form.
void checkShownNumber(double number) {
    const std::string shown = numberToText(number);
    const double reread = textToNumber(shown);
    if (std::isnan(number)) {
        const bool negative = std::signbit(number);
        const bool known = shown == "-1.#IND" || shown == (negative ? "-1.#QNAN" : "1.#QNAN") ||
                           shown == (negative ? "-1.#SNAN" : "1.#SNAN");
        require(known, "not-a-number has one of its fixed texts");
        require(reread == (negative ? -1.0 : 1.0), "not-a-number's text reads as its leading 1");
        return;
    }
    if (std::isinf(number)) {
        require(shown == (number > 0 ? "1.#INF" : "-1.#INF"), "infinity has its fixed text");
        require(reread == (number > 0 ? 1.0 : -1.0), "infinity's text reads as its leading 1");
        return;
    }
    require(isDoubleForm(shown), "a finite number is shown in the double form");
    require(numberToText(reread) == shown, "a shown number reads back to the same text");
    // Rounding to 13 digits moves a value by at most half a unit of its 13th digit, which is at
    // most 5e-13 of the value; reading back adds at most half a unit in the last place, and below
    // the normal range the spacing of the doubles themselves.
    const double bound = std::fabs(number) * 5.01e-13 + std::numeric_limits<double>::denorm_min();
    require(std::fabs(reread - number) <= bound, "a shown number keeps 13 significant digits");
    require(number == 0.0 || std::signbit(reread) == std::signbit(number),
            "a shown number keeps its sign");
}

void checkTextToNumber(std::string_view text) {
    const double number = textToNumber(text);
    require(!std::isnan(number), "no text reads as not-a-number");
    checkShownNumber(number);
    const double whole = std::trunc(number);
    if (std::fabs(whole) < 2147483648.0) {
        require(truncToInt(number) == static_cast<std::int32_t>(whole),
                "a number within 32 bits truncates to itself");
    }
}

int referenceOrder(std::string_view a, std::string_view b) {
    const auto bytes = [](std::string_view text) {
        return std::basic_string_view<unsigned char>(
            reinterpret_cast<const unsigned char*>(text.data()), text.size());
    };
    const auto ua = bytes(a);
    const auto ub = bytes(b);
    if (std::lexicographical_compare(ua.begin(), ua.end(), ub.begin(), ub.end())) {
        return -1;
    }
    return std::lexicographical_compare(ub.begin(), ub.end(), ua.begin(), ua.end()) ? 1 : 0;
}

void checkCompareText(std::string_view a, std::string_view b) {
    const int order = compareText(a, b);
    require(order == referenceOrder(a, b), "texts compare byte by byte as unsigned values");
    require(compareText(b, a) == -order, "swapping the texts turns the order round");
    require(compareText(a, a) == 0 && compareText(b, b) == 0, "a text equals itself");
}

// ASCII other than NUL and "?", in order: what no encoding step may add, lose or change, since
// digits, signs and points decide what a box reads as.
QString plainAscii(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        if (c.unicode() > 0 && c.unicode() < 0x80 && c != u'?') {
            kept.append(c);
        }
    }
    return kept;
}

// A text on its way from a widget to the logic.
void checkToGbk(const QString& text) {
    const std::string gbk = toGbk(text);
    require(!hasZeroByte(gbk), "toGbk yields no zero byte");
    require(gbkLength(text) == static_cast<qsizetype>(gbk.size()),
            "gbkLength counts what toGbk yields");
    const QString back = fromGbk(gbk);
    require(toGbk(back) == gbk, "a text that crossed once crosses again unchanged");
    require(plainAscii(back) == plainAscii(text), "ASCII crosses unchanged");
}

// A text that ends in the first byte of a two-byte character lost the second one; the decoder
// drops that half, as the logic's own reading of a text does.
std::string_view withoutCutCharacter(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool lead = byte >= 0x81 && byte <= 0xFE;
        if (lead && i + 1 == bytes.size()) {
            return bytes.substr(0, i);
        }
        i += lead ? 2 : 1;
    }
    return bytes;
}

// A text on its way from the logic to a widget.
void checkFromGbk(std::string_view bytes) {
    const QString text = fromGbk(bytes);
    checkToGbk(text);
    // Bytes that are not GBK decode to the replacement character, which GBK itself never holds.
    if (!text.contains(QChar::ReplacementCharacter) && !hasZeroByte(bytes)) {
        require(toGbk(text) == withoutCutCharacter(bytes),
                "valid GBK without zero bytes round-trips, less a character cut off at its end");
    }
}

QString utf16Of(std::string_view bytes) {
    QString text;
    text.reserve(std::ssize(bytes) / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
}

// A paste far beyond any box's limit: the input's UTF-16 repeated to 1 MiB. Such a text takes
// tens of milliseconds to encode, so only inputs that start with the mark get one.
constexpr std::string_view longTextMark = "\xFF\xFE";
constexpr qsizetype longTextLength = (1 << 20) / sizeof(char16_t);

void checkLongText(std::string_view bytes) {
    const QString unit = utf16Of(bytes);
    if (unit.isEmpty()) {
        return;
    }
    const QString text = unit.repeated(longTextLength / unit.size() + 1).left(longTextLength);
    const std::string gbk = toGbk(text);
    require(!hasZeroByte(gbk), "toGbk yields no zero byte for a long text");
    require(gbkLength(text) == static_cast<qsizetype>(gbk.size()),
            "gbkLength counts what toGbk yields for a long text");
}

}  // namespace
}  // namespace tallimo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tallimo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    checkTextToNumber(bytes);
    if (size >= sizeof(double)) {
        std::array<char, sizeof(double)> bits{};
        std::memcpy(bits.data(), data, bits.size());
        checkShownNumber(std::bit_cast<double>(bits));
    }
    checkCompareText(bytes.substr(0, size / 2), bytes.substr(size / 2));

    checkFromGbk(bytes);
    checkToGbk(utf16Of(bytes));
    if (bytes.starts_with(longTextMark)) {
        checkLongText(bytes.substr(longTextMark.size()));
    }
    return 0;
}
