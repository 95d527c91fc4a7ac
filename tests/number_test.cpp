#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "base/NumberFormat.h"
#include "base/NumberParse.h"

namespace zel {
namespace {

std::uint64_t Bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

double FromBits(std::uint64_t b) {
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

TEST(NumberParse, PrefixTakesLeadingDecimalNumber) {
    EXPECT_EQ(ParseNumberPrefix("0.02"), 0.02);
    EXPECT_EQ(ParseNumberPrefix("  -3.5 and more"), -3.5);
    EXPECT_EQ(ParseNumberPrefix("\t+7"), 7);
    EXPECT_EQ(ParseNumberPrefix(".5"), 0.5);
    EXPECT_EQ(ParseNumberPrefix("-.5"), -0.5);
    EXPECT_EQ(ParseNumberPrefix("5."), 5);
    EXPECT_EQ(ParseNumberPrefix("1.2.3"), 1.2);
    EXPECT_EQ(ParseNumberPrefix("600px"), 600);
}

TEST(NumberParse, PrefixOfNonNumbersIsZero) {
    EXPECT_EQ(ParseNumberPrefix(""), 0);
    EXPECT_EQ(ParseNumberPrefix("abc"), 0);
    EXPECT_EQ(ParseNumberPrefix("."), 0);
    EXPECT_EQ(ParseNumberPrefix("-"), 0);
    EXPECT_EQ(ParseNumberPrefix("- 5"), 0);
    EXPECT_EQ(ParseNumberPrefix(";Конец записи: 10:20:11"), 0);
}

TEST(NumberParse, PrefixAcceptsOnlyPointDecimalsWithoutExponentOrRadix) {
    EXPECT_EQ(ParseNumberPrefix("1e5"), 1);
    EXPECT_EQ(ParseNumberPrefix("2.5E+3"), 2.5);
    EXPECT_EQ(ParseNumberPrefix("&H10"), 0);
    EXPECT_EQ(ParseNumberPrefix("0x1F"), 0);
    EXPECT_EQ(ParseNumberPrefix("1,5"), 1);
}

TEST(NumberParse, HugeAndTinyDigitRunsStayFinite) {
    const std::string nines(5000, '9');
    EXPECT_EQ(ParseNumberPrefix(nines), std::numeric_limits<double>::max());
    EXPECT_EQ(ParseNumberPrefix("-" + nines), -std::numeric_limits<double>::max());
    EXPECT_EQ(ParseNumberPrefix("0." + std::string(5000, '0') + "1"), 0.0);
    EXPECT_EQ(ParseNumberPrefix("000000000000000000000000000000042"), 42);
    // Long fractions still round correctly.
    EXPECT_EQ(ParseNumberPrefix("0.1" + std::string(3000, '0')), 0.1);
}

TEST(NumberParse, StrictNeedsTheWholeValueToBeANumber) {
    EXPECT_EQ(ParseNumberStrict(" 800 "), 800);
    EXPECT_EQ(ParseNumberStrict("-1.5"), -1.5);
    EXPECT_EQ(ParseNumberStrict("\t2\t"), 2);
    EXPECT_FALSE(ParseNumberStrict(""));
    EXPECT_FALSE(ParseNumberStrict("   "));
    EXPECT_FALSE(ParseNumberStrict("x"));
    EXPECT_FALSE(ParseNumberStrict("12abc"));
    EXPECT_FALSE(ParseNumberStrict("1e5"));
    EXPECT_FALSE(ParseNumberStrict("1.2.3"));
    EXPECT_FALSE(ParseNumberStrict("1 2"));
    EXPECT_FALSE(ParseNumberStrict("."));
}

TEST(NumberParse, Int16RoundsHalfToEven) {
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(-2.5), -2);
    EXPECT_EQ(ToInt16(-3.5), -4);
    EXPECT_EQ(ToInt16(2.4999999), 2);
    EXPECT_EQ(ParsePrefixInt16("37"), 37);
    EXPECT_EQ(ParsePrefixInt16("0.5"), 0);
    EXPECT_EQ(ParsePrefixInt16("1.5"), 2);
}

TEST(NumberParse, Int16FailsOutsideItsRange) {
    EXPECT_EQ(ToInt16(32767), 32767);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_FALSE(ToInt16(32767.5));  // rounds to 32768
    EXPECT_EQ(ToInt16(-32768.5), -32768);  // rounds to the even -32768
    EXPECT_FALSE(ToInt16(-32769));
    EXPECT_FALSE(ToInt16(std::nan("")));
    EXPECT_FALSE(ToInt16(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(ParsePrefixInt16("99999"));
    EXPECT_FALSE(ParsePrefixInt16(std::string(400, '9')));
    EXPECT_EQ(ParsePrefixInt16("abc"), 0);
    EXPECT_FALSE(ParseStrictInt16("abc"));
    EXPECT_FALSE(ParseStrictInt16("40000"));
    EXPECT_EQ(ParseStrictInt16(" 99 "), 99);
}

TEST(NumberFormat, ShortestFixedNotation) {
    EXPECT_EQ(FormatDouble(0.02), "0.02");
    EXPECT_EQ(FormatDouble(30), "30");
    EXPECT_EQ(FormatDouble(-100), "-100");
    EXPECT_EQ(FormatDouble(0), "0");
    EXPECT_EQ(FormatDouble(-0.0), "-0");
    EXPECT_EQ(FormatDouble(1e21), "1000000000000000000000");
    EXPECT_EQ(FormatDouble(1.5e-7), "0.00000015");
    EXPECT_EQ(FormatDouble(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(FormatDouble(-123.456), "-123.456");
}

TEST(NumberFormat, NonFiniteValuesWriteZero) {
    EXPECT_EQ(FormatDouble(std::nan("")), "0");
    EXPECT_EQ(FormatDouble(std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(FormatDouble(-std::numeric_limits<double>::infinity()), "0");
}

void ExpectRoundTrip(double v) {
    const std::string s = FormatDouble(v);
    ASSERT_EQ(s.find_first_not_of("-0123456789."), std::string::npos) << s;
    ASSERT_EQ(Bits(ParseNumberPrefix(s)), Bits(v)) << s;
}

TEST(NumberFormat, EveryOutputReadsBackBitExact) {
    ExpectRoundTrip(-0.0);
    ExpectRoundTrip(std::numeric_limits<double>::max());
    ExpectRoundTrip(-std::numeric_limits<double>::max());
    ExpectRoundTrip(std::numeric_limits<double>::min());
    ExpectRoundTrip(std::numeric_limits<double>::denorm_min());
    ExpectRoundTrip(-std::numeric_limits<double>::denorm_min());

    std::mt19937_64 rng(20261205);
    std::uniform_real_distribution<double> table(-2000.0, 2000.0);
    std::uniform_real_distribution<double> small(-1.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        // Any bit pattern: every exponent, subnormals included.
        const double any = FromBits(rng());
        if (std::isfinite(any)) ExpectRoundTrip(any);
        // The values the game actually writes: positions, velocities, angles.
        ExpectRoundTrip(table(rng));
        ExpectRoundTrip(small(rng) * 1e-6);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace zel
