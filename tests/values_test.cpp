#include "values.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace tallimo {
namespace {

using namespace std::string_literals;

constexpr double infinity = std::numeric_limits<double>::infinity();

std::uint64_t bitsOf(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

// Reads from a heap block of exactly the text's size, so that AddressSanitizer sees any read
// past its end.
double readExact(std::string_view text) {
    const auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    return textToNumber({block.get(), text.size()});
}

struct ReadCase {
    std::string text;
    double number;
};

// Texts are GBK bytes; the comments show the characters.
const ReadCase readCases[] = {
    {"", 0.0},
    {"  12abc", 12.0},
    {"\xA3\xB1\xA3\xB5", 15.0},                          // "１５"
    {"\xA1\xA1\xA3\xAD\xA3\xB3\xA3\xAE\xA3\xB5", -3.5},  // "　－３．５"
    {"7.9", 7.9},
    {"1d3", 1000.0},
    {"2e", 2.0},
    {"2e+x", 2.0},
    {"12+3", 12.0},
    {".5", 0.5},
    {"0x1A", 0.0},
    {"1e999", infinity},
    {"1.#INF", 1.0},
    {"15\xD6\xD0", 15.0},  // "15中"
    {"\xD6\xD0"
     "15",
     0.0},  // "中15"
    {"-", 0.0},
    {"-abc", 0.0},
    {".", 0.0},
    {"-0", -0.0},
    {"-0.000e7", -0.0},
    {"\xA1\xA1\xA3\xB1\xA3\xB5", 15.0},         // "　１５"
    {"\xA3\xB1\xA3\xE5\xA3\xAB\xA3\xB3", 1e3},  // "１ｅ＋３"
    {"\xA3\xB1\xA3\xB5\xA3", 15.0},             // "１５" and half a character
    {"\xA3", 0.0},
    {"\xA3\xA0"
     "5",
     0.0},  // A3 A0 is no full-width space
    {"\x81"
     "5",
     0.0},  // any byte after a lead byte is its trail byte
    {"\t\n\v\f\r 8", 8.0},
    {"\x08"
     "8",
     0.0},
    {"- 5", 0.0},
    {"+-5", 0.0},
    {"+5", 5.0},
    {"1.5.5", 1.5},
    {"5.", 5.0},
    {"-.5e1", -5.0},
    {"1E3", 1e3},
    {"1D-2", 0.01},
    {"1d+", 1.0},
    {"1e+015", 1e15},
    {"-1.#IND", -1.0},
    {"1,000", 1.0},
    {"inf", 0.0},
    {"nan", 0.0},
    {"00120.50", 120.5},
    {"0.000123e3", 0.123},
    {"18.735820907725", 18.735820907725},
    {"1e99999999999999999999", infinity},
    {"-1e99999999999999999999", -infinity},
    {"1e-99999999999999999999", 0.0},
    {"-1e-400", -0.0},
    {"0e99999999999999999999", 0.0},
    {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"1.7976931348623159e308", infinity},  // past the halfway point to 2^1024
    {"-2.2250738585072014e-308", -std::numeric_limits<double>::min()},
    {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
    {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
    {"2e-324", 0.0},
    {"1e-320", 1e-320},
    {"1" + std::string(400, '0'), infinity},
    {"1" + std::string(300, '0'), 1e300},
    {"0." + std::string(400, '0') + "1e405", 1e4},
    {std::string(1'000'000, '9'), infinity},
    {"0." + std::string(1'000'000, '0') + "1", 0.0},
    {std::string(1'000'000, '1') + "e-1000000", 1.0 / 9.0},
    {"1e" + std::string(1'000'000, '0') + "5", 1e5},
    {"1.0000000000000000000" + std::string(1'000'000, '0') + "1", 1.0},
};

TEST(TextToNumber, ReadsTheLeadingNumber) {
    for (const auto& [text, number] : readCases) {
        EXPECT_EQ(bitsOf(readExact(text)), bitsOf(number))
            << "text \"" << text.substr(0, 40) << "\" gives " << readExact(text);
    }
}

// Every full-width form of printable ASCII reads exactly as its ASCII twin would, in every place
// of a number.
TEST(TextToNumber, FullWidthRowReadsAsAscii) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        const std::string fullWidth = "\xA3"s + static_cast<char>(trail);
        const std::string ascii(1, static_cast<char>(trail - 0x80));
        for (const auto& [before, after] : {std::pair{""s, "5"s}, {"1"s, "5"s}, {"1e"s, "2"s}}) {
            EXPECT_EQ(bitsOf(textToNumber(before + fullWidth + after)),
                      bitsOf(textToNumber(before + ascii + after)))
                << "full-width " << ascii;
        }
    }
}

TEST(TruncToInt, KeepsTheLowBitsOfTheTruncatedValue) {
    const struct {
        double x;
        std::int32_t n;
    } cases[] = {
        {7.9, 7},
        {-7.9, -7},
        {0.5, 0},
        {-0.0, 0},
        {2147483647.9, 2147483647},
        {2147483648.0, -2147483647 - 1},
        {-2147483649.0, 2147483647},
        {3000000000.7, -1294967296},
        {4294967306.0, 10},
        {4611686018427389952.0, 2048},  // 2^62 + 2^11: inside 64 bits
        {1e19, 0},
        {18446744073709555712.0, 0},  // 2^64 + 2^12: beyond 64 bits, not wrapped
        {-9223372036854777856.0, 0},
        {infinity, 0},
        {-infinity, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& [x, n] : cases) {
        EXPECT_EQ(truncToInt(x), n) << x;
    }
}

TEST(NumberToText, IntegerForm) {
    const struct {
        std::int32_t n;
        std::string_view text;
    } cases[] = {{0, "0"},
                 {42, "42"},
                 {-7, "-7"},
                 {2147483647, "2147483647"},
                 {-2147483647 - 1, "-2147483648"}};
    for (const auto& [n, text] : cases) {
        EXPECT_EQ(numberToText(n), text);
    }
}

double fromBits(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}

TEST(NumberToText, DoubleForm) {
    volatile double runtimeInfinity = infinity;
    const struct {
        double x;
        std::string_view text;
    } cases[] = {
        {15.0, "15"},
        {-2.5, "-2.5"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3.0, "0.6666666666667"},
        {9999999999999.0, "9999999999999"},
        {12345678901234.0, "1.234567890123e+013"},
        {99999999999995.0, "1e+014"},
        {1e15, "1e+015"},
        {1.5e15, "1.5e+015"},
        {0.0001, "0.0001"},
        {0.00001, "1e-005"},
        {1e100, "1e+100"},
        {1000000000000.5, "1000000000001"},
        {18.735820907725, "18.73582090773"},
        {textToNumber("18.735820907725"), "18.73582090773"},
        {0.0, "0"},
        {-0.0, "0"},
        {infinity, "1.#INF"},
        {-infinity, "-1.#INF"},
        {runtimeInfinity - runtimeInfinity, "-1.#IND"},
        {fromBits(0xFFF8000000000000), "-1.#IND"},
        {fromBits(0x7FF8000000000000), "1.#QNAN"},
        {fromBits(0xFFF8000000000001), "-1.#QNAN"},
        {fromBits(0x7FFFFFFFFFFFFFFF), "1.#QNAN"},
        {fromBits(0x7FF0000000000001), "1.#SNAN"},
        {fromBits(0xFFF4000000000000), "-1.#SNAN"},
        {9999999999999.5, "1e+013"},  // rounding up reaches the exponent form
        {9999999999999.4, "9999999999999"},
        {0.000099999999999996, "0.0001"},
        {0.000123, "0.000123"},
        {-1.5e-7, "-1.5e-007"},
        {123456789012.345, "123456789012.3"},
        {1e308, "1e+308"},
        {std::numeric_limits<double>::max(), "1.797693134862e+308"},
        {std::numeric_limits<double>::min(), "2.225073858507e-308"},
        {std::numeric_limits<double>::denorm_min(), "4.940656458412e-324"},
        {-1e-310, "-1e-310"},
    };
    for (const auto& [x, text] : cases) {
        EXPECT_EQ(numberToText(x), text) << std::hexfloat << x;
    }
}

TEST(CompareText, OrdersBytesAsUnsigned) {
    const struct {
        std::string_view a;
        std::string_view b;
        int order;
    } cases[] = {
        {"", "", 0},         {"a", "", 1},         {"", "a", -1},
        {"15", "15.0", -1},  {"15", "15", 0},      {"abd", "abc", 1},
        {"\x80", "\x7F", 1}, {"\x7F", "\xFF", -1}, {"\xD6\xD0", "\xD6\xD0", 0},
        {"2", "10", 1},
    };
    for (const auto& [a, b, order] : cases) {
        EXPECT_EQ(compareText(a, b), order) << '"' << a << "\" with \"" << b << '"';
    }
}

// The display rule rebuilt from glibc's exact digits with integer arithmetic: the first 18
// digits, half up to 17, then up to 13 on the 14th digit.
std::string expectedText(double x) {
    char exact[1024];
    std::snprintf(exact, sizeof exact, "%.800e", std::fabs(x));
    const std::string_view text(exact);
    std::uint64_t eighteen = static_cast<std::uint64_t>(text[0] - '0');
    for (std::size_t i = 2; i < 19; ++i) {
        eighteen = eighteen * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    int exponent = std::stoi(std::string(text.substr(text.find('e') + 1)));

    std::uint64_t seventeen = (eighteen + 5) / 10;
    if (seventeen == 100'000'000'000'000'000) {
        seventeen /= 10;
        ++exponent;
    }
    std::uint64_t thirteen = (seventeen + 5'000) / 10'000;
    if (thirteen == 10'000'000'000'000) {
        thirteen /= 10;
        ++exponent;
    }

    std::string body;
    if (exponent < -4 || exponent >= 13) {
        while (thirteen % 10 == 0) {
            thirteen /= 10;
        }
        const std::string digits = std::to_string(thirteen);
        char power[8];
        std::snprintf(power, sizeof power, "e%+04d", exponent);
        body = digits.size() == 1 ? digits + power
                                  : digits.substr(0, 1) + "." + digits.substr(1) + power;
    } else {
        std::uint64_t scale = 1;
        for (int i = exponent; i < 12; ++i) {
            scale *= 10;
        }
        std::uint64_t fraction = thirteen % scale;
        int places = 12 - exponent;
        while (places > 0 && fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        body = std::to_string(thirteen / scale);
        if (places > 0) {
            char fractionText[32];
            std::snprintf(fractionText, sizeof fractionText, ".%0*llu", places,
                          static_cast<unsigned long long>(fraction));
            body += fractionText;
        }
    }
    return x < 0 ? "-" + body : body;
}

// Finite doubles from random bit patterns: every exponent equally often, and one in eight with
// the exponent field cleared to make it subnormal.
TEST(NumberToText, RandomDoublesFollowTheDisplayRuleAndReadBack) {
    std::mt19937_64 generator(20240611);
    constexpr std::uint64_t exponentField = 0x7FF0000000000000;
    for (int i = 0; i < 6000; ++i) {
        std::uint64_t bits = generator();
        if (i % 8 == 0) {
            bits &= ~exponentField;
        }
        const double x = std::bit_cast<double>(bits);
        if (!std::isfinite(x) || x == 0.0) {
            continue;
        }
        const std::string text = numberToText(x);
        ASSERT_EQ(text, expectedText(x)) << std::hexfloat << x;
        const double back = textToNumber(text);
        ASSERT_LE(std::fabs(back - x), 1.001e-12 * std::fabs(x)) << text;
        if (std::isnormal(x)) {
            ASSERT_EQ(numberToText(back), text);
        }
    }
}

// Arbitrary bytes, biased toward the ones numbers are made of. Appending an ideographic space
// never extends a number, whatever pairing the bytes before it leave.
TEST(TextToNumber, ArbitraryBytes) {
    std::mt19937 generator(7);
    constexpr std::string_view alphabet = "0123456789+-.eEdD \t";
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> byte(1, 255);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int n = length(generator); n > 0; --n) {
            switch (kind(generator)) {
                case 0:
                    text.push_back(static_cast<char>(byte(generator)));
                    break;
                case 1:
                    text += "\xA3"s + static_cast<char>(0xA0 + byte(generator) % 0x60);
                    break;
                default:
                    text.push_back(alphabet[pick(generator)]);
            }
        }
        const double number = readExact(text);
        ASSERT_EQ(bitsOf(number), bitsOf(readExact(text + "\xA1\xA1"))) << text;
        if (std::isfinite(number) && number != 0.0) {
            ASSERT_LE(std::fabs(textToNumber(numberToText(number)) - number),
                      1.001e-12 * std::fabs(number));
        }
    }
}

}  // namespace
}  // namespace tallimo
