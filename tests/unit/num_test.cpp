// The three places every result passes through: reading a field, the checked
// arithmetic and the printed number.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "core/num.h"

using kelmora::ArithmeticFailure;
using kelmora::fieldValue;
using kelmora::Num;
using kelmora::numberText;
using kelmora::roundCents;
using kelmora::textForm;

namespace {

struct ReadCase {
    const char* text;
    double value;
};

TEST(FieldValue, LeadingNumberRule) {
    const ReadCase cases[] = {
        {"", 0},          {"12abc", 12},     {"abc", 0},      {" -3.5", -3.5},    {"1,000", 1},
        {"1e3", 1000},    {"0.17", 0.17},    {"17", 17},      {"\t5", 5},         {" 5", 5},
        {"-5", -5},       {"+4", 4},         {".", 0},        {"-", 0},           {"+", 0},
        {"1e", 1},        {"1e+", 1},        {"1E2", 100},    {"2.5e-1", 0.25},   {"1.2.3", 1.2},
        {"1 000", 1},     {"0x10", 0},       {"&H10", 0},     {"1d3", 1},         {"-.5", -0.5},
        {".5", 0.5},      {"5.", 5},         {"00012", 12},   {"1e-400", 0},      {"0e999999", 0},
        {"  ", 0},        {"1e308", 1e308},  {"e5", 0},       {"- 5", 0},         {"3\t4", 3},
        {"1.5E+3x", 1500}, {"12e-2", 0.12},  {"0.1", 0.1},    {"\xEF\xBC\x91", 0},  // full-width 1
    };
    for (const auto& c : cases) EXPECT_EQ(fieldValue(c.text).value(), c.value) << '"' << c.text << '"';
    EXPECT_EQ(fieldValue("1.7976931348623157e308").value(), std::numeric_limits<double>::max());
}

TEST(FieldValue, BeyondDoubleRangeIsOverflow) {
    for (const char* text : {"1e400", "-1e400", "1e99999999999", "99999e305", "0.001e312"}) {
        try {
            fieldValue(text);
            ADD_FAILURE() << text << " read without failure";
        } catch (const ArithmeticFailure& e) {
            EXPECT_EQ(e.kind(), ArithmeticFailure::Kind::Overflow) << text;
        }
    }
}

TEST(FieldValue, LongMantissaMeetsItsExponentExactly) {
    // The digits and the exponent are weighed together: only a value beyond
    // a double's range overflows, however long the text that spells it.
    const std::string zeros(10'000'004, '0');
    EXPECT_EQ(fieldValue("1" + zeros + "e-10000005").value(), 0.1);
    EXPECT_EQ(fieldValue("-0." + zeros + "25e10000005").value(), -2.5);
    EXPECT_EQ(fieldValue(std::string(400, '9') + "e-400").value(), 1);  // 0.99… rounds to 1
    EXPECT_EQ(fieldValue(zeros + "17.5").value(), 17.5);
    EXPECT_EQ(fieldValue("0." + zeros + "1").value(), 0);  // far below the smallest double
    EXPECT_EQ(fieldValue("1e-310").value(), 1e-310);         // a subnormal is still a number
    EXPECT_THROW(fieldValue("1" + zeros), ArithmeticFailure);
    EXPECT_THROW(fieldValue("1.7976931348623159e308"), ArithmeticFailure);  // rounds past the largest double
}

TEST(FieldValue, IgnoresCommaDecimalLocale) {
    // Qt sets the C locale from the environment; a comma locale must not
    // change what a box reads or how a number prints.
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(fieldValue("1234.5").value(), 1234.5);
    EXPECT_EQ(fieldValue("1,5").value(), 1);
    EXPECT_EQ(numberText(1234.5), " 1234.5 ");
    std::setlocale(LC_ALL, saved.c_str());
}

struct TextCase {
    double value;
    const char* amount;  // number text on an amount line
    const char* form;    // text form written into a box
};

TEST(NumberText, AmountLineAndTextForm) {
    const TextCase cases[] = {
        {1500, " 1500 ", "1500"},
        {-20, "-20 ", "-20"},
        {1234.5, " 1234.5 ", "1234.5"},
        {100.0 / 3, " 33.3333333333333 ", "33.3333333333333"},
        {0, " 0 ", "0"},
        {-0.0, " 0 ", "0"},
        {0.25, " 0.25 ", "0.25"},
        {-0.5, "-0.5 ", "-0.5"},
        {1.5e20, " 1.5E+20 ", "1.5E+20"},
        {1e-5, " 1E-05 ", "1E-05"},
        {-1e-5, "-1E-05 ", "-1E-05"},
        {0.0001, " 0.0001 ", "0.0001"},
        {123456789012345, " 123456789012345 ", "123456789012345"},
        {1234567890123456, " 1.23456789012346E+15 ", "1.23456789012346E+15"},
        {1e15, " 1E+15 ", "1E+15"},
        {0.1 + 0.2, " 0.3 ", "0.3"},
        {2.0 / 3, " 0.666666666666667 ", "0.666666666666667"},
        {1e100, " 1E+100 ", "1E+100"},
        {10100, " 10100 ", "10100"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberText(c.value), c.amount) << c.value;
        EXPECT_EQ(textForm(c.value), c.form) << c.value;
    }
}

// Where the C++ library has no conversions of double of its own (the
// WebAssembly build), the digits and the reading are made from the C
// library's exact ones.  Here both exist: they agree on doubles of every
// kind, in a comma-decimal locale too where one is installed.
TEST(NumberText, PortableConversionsAgreeWithTheStandardOnes) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    using kelmora::conversions::portableDigits;
    using kelmora::conversions::portableRead;
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_NUMERIC, locale)) continue;
        std::mt19937_64 random(20260101);
        std::uniform_real_distribution<double> amounts(-1e7, 1e7);
        for (int i = 0; i < 50000; ++i) {
            const std::uint64_t bits = random();
            double any = 0;
            std::memcpy(&any, &bits, sizeof any);
            const double amount = amounts(random);
            for (const double x : {any, amount, std::round(amount * 100) / 100, amount / 7, 5e-324, 1e15, 1e-5}) {
                if (!std::isfinite(x)) continue;
                char buf[64];
                auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::general, 15);
                std::string want(buf, r.ptr);
                for (char& c : want)
                    if (c == 'e') c = 'E';
                ASSERT_EQ(portableDigits(x), want) << std::hexfloat << x << " in " << locale;
                // x's shortest digits, as a whole number and a power of ten,
                // read back as |x|.
                r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
                const std::string text(buf, r.ptr);
                const auto e = text.find('e');
                std::string digits;
                for (const char c : text.substr(0, e))
                    if (c != '.') digits += c;
                const long long exponent = std::stoll(text.substr(e + 1)) - static_cast<long long>(digits.size() - 1);
                ASSERT_EQ(portableRead(digits, exponent), std::fabs(x)) << text << " in " << locale;
            }
        }
    }
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(portableRead("1", 400), std::numeric_limits<double>::infinity());
    EXPECT_EQ(portableRead("1", -400), 0.0);
#else
    GTEST_SKIP() << "this C++ library has no std::to_chars for double to compare with";
#endif
}

struct CentsCase {
    const char* what;
    double value;
    double cents;
};

// Cents are judged on the figure as it reads (15 significant digits), a half
// going to the even cent; the stored binary value's last bits do not count.
TEST(NumberText, CentsRoundedAsTheFigureReads) {
    const CentsCase cases[] = {
        {"exact half down to even", 0.125, 0.12},
        {"exact half up to even", 0.375, 0.38},
        {"reads 0.025, stored above", 9.0 * 1 * 1 / 360, 0.02},
        {"reads 2.675, stored below", 963.0 / 360, 2.68},
        {"reads 1.015, stored below", 1.015, 1.02},
        {"reads 0.005, half of a cent to zero", 0.005, 0},
        {"reads 0.015", 0.015, 0.02},
        {"not a half", 1000 * 0.05 * 30 / 360, 4.17},
        {"below half a cent", 0.0049, 0},
        {"a tiny number", 1e-7, 0},
        {"negative half to even", -0.125, -0.12},
        {"negative, reads 2.675", -963.0 / 360, -2.68},
        {"whole cents stay", 1234.5, 1234.5},
        {"an integer stays", 100, 100},
        {"zero", 0, 0},
        {"digits beyond cents carry", 9.995, 10},
        {"carry into a new digit", 99999.999, 100000},
        // Above 2^46 (70368744177664) the 15 digits leave one decimal or none.
        {"above 2^46, reads .5", 80000000000000.453125, 80000000000000.5},
        {"above 2^46, reads .0", 80000000000000.046875, 80000000000000},
        {"above 2^46, reads .8", 70368744177664.75, 70368744177664.8},
        {"above 10^14, reads a whole number", 100000000000000.75, 100000000000001},
        {"above 10^15, the shown digits", 1234567890123456789.0, 1.23456789012346e18},
        {"negative above 2^46", -80000000000000.453125, -80000000000000.5},
    };
    for (const auto& c : cases) EXPECT_EQ(roundCents(c.value).value(), c.cents) << c.what;
    EXPECT_FALSE(roundCents(Num()).isSet());
}

TEST(CheckedArithmetic, FailureCarriesTheWindowsReason) {
    const ArithmeticFailure plain(ArithmeticFailure::Kind::NoSolution);
    EXPECT_EQ(plain.detail(), "");
    EXPECT_STREQ(plain.what(), "no solution");
    const ArithmeticFailure told(ArithmeticFailure::Kind::NoSolution, "使用寿命过长");
    EXPECT_EQ(told.kind(), ArithmeticFailure::Kind::NoSolution);
    EXPECT_EQ(told.detail(), "使用寿命过长");
    EXPECT_STREQ(told.what(), "no solution: 使用寿命过长");
}

TEST(CheckedArithmetic, FailuresAreToldApart) {
    using K = ArithmeticFailure::Kind;
    const Num big = 1e308, zero = 0.0, one = 1.0;
    struct Case {
        const char* what;
        std::function<Num()> step;
        K kind;
    };
    const Case cases[] = {
        {"1 / 0", [&] { return one / zero; }, K::DivisionByZero},
        {"0 / 0", [&] { return zero / zero; }, K::DivisionByZero},
        {"1 / unset", [&] { return one / Num(); }, K::DivisionByZero},
        {"big * 10", [&] { return big * 10; }, K::Overflow},
        {"big + big", [&] { return big + big; }, K::Overflow},
        {"-big - big", [&] { return -big - big; }, K::Overflow},
        {"1 / 1e-320", [&] { return one / 1e-320; }, K::Overflow},
        {"10 ^ 400", [&] { return pow(Num(10), Num(400)); }, K::Overflow},
        {"0 ^ -1", [&] { return pow(Num(0), Num(-1)); }, K::DivisionByZero},
    };
    for (const auto& c : cases) {
        try {
            c.step();
            ADD_FAILURE() << c.what << " did not fail";
        } catch (const ArithmeticFailure& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.what;
        }
    }
    Num x = 5;
    x /= 2;
    EXPECT_EQ(x.value(), 2.5);
}

TEST(CheckedArithmetic, UnsetCountsAsZeroButPrintsNothing) {
    const Num unset;
    EXPECT_FALSE(unset.isSet());
    EXPECT_EQ(unset.value(), 0);
    EXPECT_TRUE(unset == 0);
    EXPECT_FALSE(unset > 0);
    EXPECT_FALSE(unset < 0);
    const Num sum = unset + 15;
    EXPECT_TRUE(sum.isSet());
    EXPECT_EQ(sum.value(), 15);
    EXPECT_TRUE((unset * 3).isSet());
}

}  // namespace
