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

// Counts mismatches and reports the first few.
class Comparison {
public:
    void Check(double value) {
        const std::string ours = Formatted(value);
        const std::string expected = Printf(value);
        if (ours == expected) return;
        if (++mismatches_ <= 10) {
            ADD_FAILURE() << std::hexfloat << value << ": " << ours << " instead of " << expected;
        }
    }
    int mismatches() const { return mismatches_; }

private:
    int mismatches_ = 0;
};

TEST(CsvNumber, KnownValues) {
    EXPECT_EQ(Formatted(3), "3");
    EXPECT_EQ(Formatted(0.1), "0.1");
    EXPECT_EQ(Formatted(1e-7), "1e-07");
    EXPECT_EQ(Formatted(2.5), "2.5");
    EXPECT_EQ(Formatted(1234567890.123456), "1234567890.12346");
    EXPECT_EQ(Formatted(-0.0), "-0");
    EXPECT_EQ(Formatted(1e15), "1e+15");
    EXPECT_EQ(Formatted(999999999999999.0), "999999999999999");
    EXPECT_EQ(Formatted(0.0001), "0.0001");
    EXPECT_EQ(Formatted(0.00001), "1e-05");
    EXPECT_EQ(Formatted(1e300), "1e+300");
    // The missing-value marker is written so that R's na string matches it.
    EXPECT_EQ(Formatted(-1.79769313486231E+308), "-1.79769313486231e+308");
}

TEST(CsvNumber, EdgesMatchPrintf) {
    Comparison comparison;
    const double edges[] = {0.0,
                            1.0,
                            0.5,
                            1e15,
                            1e15 - 1,
                            1e15 + 2,
                            999999999999999.5,
                            9.999999999999995e14,
                            9.9999999999999995e-5,
                            0.0001,
                            0.00001,
                            1e22,
                            1e23,
                            1e-13,
                            1e-14,
                            1e41,
                            1e42,
                            5e-324,
                            2.2250738585072014e-308,
                            std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(),
                            0.3,
                            2.0 / 3,
                            1.0 / 3,
                            123456789012345678.0};
    for (double value : edges) {
        for (double v : {value, std::nextafter(value, 0.0), std::nextafter(value, HUGE_VAL)}) {
            comparison.Check(v);
            comparison.Check(-v);
        }
    }
    EXPECT_EQ(comparison.mismatches(), 0);
}

TEST(CsvNumber, RandomValuesMatchPrintf) {
    std::mt19937_64 random(20240305);
    std::uniform_real_distribution<double> spread(-1000.0, 1000.0);
    Comparison comparison;
    for (int n = 0; n < 200000; ++n) {
        // Any bit pattern: every exponent, subnormals, infinities, NaNs.
        const uint64_t bits = random();
        double any;
        std::memcpy(&any, &bits, sizeof any);
        comparison.Check(any);
        // Measurements, spreadsheet values with two decimals, whole numbers.
        const double measured = spread(random);
        comparison.Check(measured);
        comparison.Check(measured * 1e-9);
        comparison.Check(measured * 1e12);
        const double cents = std::round(measured * 100000.0) / 100.0;
        comparison.Check(cents);
        comparison.Check(static_cast<double>(static_cast<int64_t>(random() % 4000000000000000ULL) -
                                             2000000000000000LL));
        // Decimal ties at the 16th digit: 15 digits and a 5.
        const int64_t tie = static_cast<int64_t>(random() % 900000000000000ULL + 100000000000000ULL) * 10 + 5;
        comparison.Check(static_cast<double>(tie) * std::pow(10.0, static_cast<int>(random() % 40) - 25));
    }
    EXPECT_EQ(comparison.mismatches(), 0);
}

}  // namespace
