// Four paths, cheapest first: whole numbers, values with at most two
// decimals, any other finite value through one long double product that
// yields its 15 significant digits, and printf itself for what is left
// (non-finite values, subnormals, extreme exponents, and values so close to a
// rounding tie that the product cannot decide). The first two rest on the
// fact that a decimal of at most 15 significant digits survives the round
// trip through a double, so %.15g prints it back unchanged.
#include "csv_number.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Exactly width digits of n (leading zeros kept); width is even.
void WriteFixedDigits(uint32_t n, char* out, int width) {
    for (int k = width - 2; k >= 0; k -= 2) {
        const unsigned pair = (n % 100) * 2;
        n /= 100;
        out[k] = kDigitPairs[pair];
        out[k + 1] = kDigitPairs[pair + 1];
    }
}

// Decimal digits of n at the end of [.., end), two at a time; returns the first.
char* WriteDigitsBackwards(uint64_t n, char* end) {
    while (n >= 100) {
        const unsigned pair = static_cast<unsigned>(n % 100) * 2;
        n /= 100;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    }
    if (n >= 10) {
        const unsigned pair = static_cast<unsigned>(n) * 2;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    } else {
        *--end = static_cast<char>('0' + n);
    }
    return end;
}

char* WriteInteger(uint64_t n, char* out) {
    char digits[20];
    const char* first = WriteDigitsBackwards(n, digits + 20);
    const size_t length = static_cast<size_t>(digits + 20 - first);
    std::memcpy(out, first, length);
    return out + length;
}

// Values with at most two decimals, as spreadsheets hold them: when
// magnitude * 100 is a whole number m below 1e15 and m / 100 (correctly
// rounded) gives magnitude back, the decimal m / 100 has at most 15 digits and
// rounds to magnitude, so it is what %.15g prints, trailing zeros dropped.
// Such a value lies in [0.01, 1e13), where %.15g never uses the exponent form.
bool WriteCents(double magnitude, char*& out) {
    const double scaled = magnitude * 100.0;
    if (!(scaled < 1e15)) return false;
    const auto cents = static_cast<uint64_t>(scaled);
    if (static_cast<double>(cents) != scaled || static_cast<double>(cents) / 100.0 != magnitude) return false;
    out = WriteInteger(cents / 100, out);
    const unsigned fraction = static_cast<unsigned>(cents % 100);
    if (fraction != 0) {
        *out++ = '.';
        *out++ = kDigitPairs[fraction * 2];
        if (fraction % 10 != 0) *out++ = kDigitPairs[fraction * 2 + 1];
    }
    return true;
}

char* WriteWithPrintf(double value, char* out) {
    const int length = std::snprintf(out, kMaxNumberChars, "%.15g", value);
    return out + (length > 0 ? length : 0);
}

#if LDBL_MANT_DIG == 64

// Powers of ten that a long double holds exactly (5^27 fits in 64 bits).
constexpr int kMaxExactPower = 27;
constexpr long double kPow10[kMaxExactPower + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// Decimal exponents handled without printf: the scale 10^(14 - e) must be exact.
constexpr int kMinExponent = 14 - kMaxExactPower;
constexpr int kMaxExponent = 14 + kMaxExactPower - 1;

// 10^e as the nearest double, for e from kMinExponent to kMaxExponent + 1.
constexpr double kPow10Double[] = {
    1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,
    1e2,   1e3,   1e4,   1e5,   1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16,
    1e17,  1e18,  1e19,  1e20,  1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29, 1e30, 1e31,
    1e32,  1e33,  1e34,  1e35,  1e36, 1e37, 1e38, 1e39, 1e40, 1e41};
static_assert(sizeof kPow10Double / sizeof kPow10Double[0] == kMaxExponent - kMinExponent + 2);

// magnitude * 10^(14 - exponent), rounded once to the 64-bit mantissa.
long double Scale(double magnitude, int exponent) {
    const int shift = 14 - exponent;
    return shift >= 0 ? static_cast<long double>(magnitude) * kPow10[shift]
                      : static_cast<long double>(magnitude) / kPow10[-shift];
}

// The 15 significant digits of magnitude (> 0), correctly rounded, as an
// integer in [1e14, 1e15), with the decimal exponent of the first digit. False
// when the scaled value lies too close to a rounding tie for the long double
// to decide, or when the exponent is out of the exact range.
bool SignificantDigits(double magnitude, uint64_t& digits, int& exponent) {
    uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0) return false;  // subnormal
    // floor(log10(2^e)) for the binary exponent e is the decimal exponent or one below it.
    exponent = ((biased - 1023) * 1233) >> 12;
    if (exponent < kMinExponent || exponent > kMaxExponent) return false;
    exponent += magnitude >= kPow10Double[exponent + 1 - kMinExponent] ? 1 : 0;
    if (exponent > kMaxExponent) return false;
    long double scaled = Scale(magnitude, exponent);
    if (scaled >= 1e15L) {  // the double power of ten was a little off
        if (++exponent > kMaxExponent) return false;
        scaled = Scale(magnitude, exponent);
    }
    // Adding 2^63 rounds to a whole number (the mantissa has 64 bits), and the
    // mantissa bits then hold that number plus 2^63.
    const long double rounded = scaled + 0x1p63L;
    const long double remainder = scaled - (rounded - 0x1p63L);
    // The scaled value is within 2^-15 of the exact one: stay clear of .5.
    if (std::fabs(remainder) > 0.499L) return false;
    uint64_t mantissa;
    std::memcpy(&mantissa, &rounded, sizeof mantissa);
    digits = mantissa - (1ULL << 63);
    if (digits == 1000000000000000ULL) {
        digits = 100000000000000ULL;
        ++exponent;
    }
    return digits >= 100000000000000ULL && digits < 1000000000000000ULL;
}

#else

bool SignificantDigits(double, uint64_t&, int&) { return false; }

#endif

// The %g layout of the 15 digits (trailing zeros allowed) times 10^(exponent - 14).
// Copies are of fixed size into the room that kMaxNumberChars leaves.
char* WriteGeneral(uint64_t digits, int exponent, char* out) {
    char text[32];
    const auto high = static_cast<uint32_t>(digits / 100000000);  // 7 digits
    text[0] = static_cast<char>('0' + high / 1000000);
    WriteFixedDigits(high % 1000000, text + 1, 6);
    WriteFixedDigits(static_cast<uint32_t>(digits % 100000000), text + 7, 8);
    std::memset(text + 15, '0', sizeof text - 15);
    int count = 15;
    while (count > 1 && text[count - 1] == '0') --count;

    if (exponent >= 0 && exponent < 15) {
        const int integerDigits = exponent + 1;
        std::memcpy(out, text, 16);
        out += integerDigits;
        if (count <= integerDigits) return out;
        *out = '.';
        std::memcpy(out + 1, text + integerDigits, 16);
        return out + 1 + (count - integerDigits);
    }
    if (exponent < 0 && exponent >= -4) {
        const int zeros = -exponent - 1;
        std::memcpy(out, "0.000", 5);
        std::memcpy(out + 2 + zeros, text, 16);
        return out + 2 + zeros + count;
    }
    out[0] = text[0];
    out[1] = '.';
    std::memcpy(out + 2, text + 1, 16);
    out += count > 1 ? count + 1 : 1;
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int power = exponent < 0 ? -exponent : exponent;
    if (power < 10) *out++ = '0';
    return WriteInteger(static_cast<uint64_t>(power), out);
}

}  // namespace

char* FormatNumber(double value, char* out) {
    if (!std::isfinite(value)) return WriteWithPrintf(value, out);
    char* const start = out;
    if (std::signbit(value)) *out++ = '-';
    const double magnitude = std::fabs(value);
    // Whole numbers below 1e15 print as plain integers, -0 as "-0".
    if (magnitude < 1e15 && magnitude == static_cast<double>(static_cast<uint64_t>(magnitude))) {
        return WriteInteger(static_cast<uint64_t>(magnitude), out);
    }
    if (WriteCents(magnitude, out)) return out;
    uint64_t digits;
    int exponent;
    if (!SignificantDigits(magnitude, digits, exponent)) return WriteWithPrintf(value, start);
    return WriteGeneral(digits, exponent, out);
}
