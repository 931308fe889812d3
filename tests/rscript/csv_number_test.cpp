// The data files' numbers must be byte-identical to printf("%.15g"): checked
// on random values of every kind the host sends and on the values where a
// fast formatter goes wrong (rounding ties, carries into a new digit, the
// switch to exponent form, subnormals, the missing-value marker).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "csv_number.h"

namespace {

std::string Formatted(double value) {
    char text[kMaxNumberChars];
    return std::string(text, FormatNumber(value, text));
}

std::string Printf(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// Mismatches, the first few reported.
int mismatches = 0;
void Check(double value) {
    const std::string expected = Printf(value);
    if (Formatted(value) != expected && ++mismatches <= 10) {
        ADD_FAILURE() << std::hexfloat << value << ": " << Formatted(value) << " instead of " << expected;
    }
}

TEST(CsvNumber, MatchesPrintf) {
    // Where a fast formatter goes wrong: ties, carries into a new digit, the
    // switch to exponent form, subnormals, the host's missing-value marker.
    for (double value : {0.0, 1.0, 0.5, 3.0, 0.1, 2.5, 1e-7, 1.5e-7, 2.5e20, 1234567890.123456, 1e15, 1e15 - 1,
                         1e15 + 2, 999999999999999.5, 9.999999999999995e14, 9.9999999999999995e-5, 0.0001, 0.00001,
                         1e22, 1e23, 1e-13, 1e-14, 1e41, 1e42, 1e300, 5e-324, 2.2250738585072014e-308,
                         -1.79769313486231E+308, std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN(), 0.3, 2.0 / 3, 1.0 / 3, 123456789012345678.0}) {
        for (double v : {value, std::nextafter(value, 0.0), std::nextafter(value, HUGE_VAL)}) {
            Check(v);
            Check(-v);
        }
    }
    std::mt19937_64 random(20240305);
    std::uniform_real_distribution<double> spread(-1000.0, 1000.0);
    for (int n = 0; n < 200000; ++n) {
        // Any bit pattern: every exponent, subnormals, infinities, NaNs.
        const uint64_t bits = random();
        double any;
        std::memcpy(&any, &bits, sizeof any);
        Check(any);
        // Measurements, spreadsheet values with two decimals, whole numbers.
        const double measured = spread(random);
        Check(measured);
        Check(measured * 1e-9);
        Check(measured * 1e12);
        const double cents = std::round(measured * 100000.0) / 100.0;
        Check(cents);
        Check(static_cast<double>(static_cast<int64_t>(random() % 4000000000000000ULL) -
                                             2000000000000000LL));
        // Decimal ties at the 16th digit: 15 digits and a 5.
        const int64_t tie = static_cast<int64_t>(random() % 900000000000000ULL + 100000000000000ULL) * 10 + 5;
        Check(static_cast<double>(tie) * std::pow(10.0, static_cast<int>(random() % 40) - 25));
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
