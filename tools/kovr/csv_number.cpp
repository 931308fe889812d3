#include "csv_number.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace kovr {

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr size_t kExactDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The length of the run of digits at text[at]; the digits are appended to
// whole (which wraps for long runs, when it is not used).
size_t Digits(std::string_view text, size_t at, uint64_t& whole) {
    size_t n = 0;
    for (; at + n < text.size() && IsDigit(text[at + n]); ++n) whole = whole * 10 + static_cast<uint64_t>(text[at + n] - '0');
    return n;
}

}  // namespace

CellNumber ReadCellNumber(std::string_view cell, char separator) {
    CellNumber result;
    const std::string_view text = Trimmed(cell);
    if (text.empty() || text == "NA") {
        result.kind = CellNumber::kMissing;
        return result;
    }
    const bool negative = text[0] == '-';
    size_t at = text[0] == '+' || negative ? 1 : 0;
    uint64_t whole = 0;
    size_t digits = Digits(text, at, whole);
    at += digits;
    size_t markAt = std::string_view::npos;
    size_t fraction = 0;
    if (at < text.size() && (text[at] == '.' || (text[at] == ',' && separator != ','))) {
        markAt = at;
        fraction = Digits(text, at + 1, whole);
        digits += fraction;
        at += 1 + fraction;
    }
    if (digits == 0) return result;
    bool exponent = false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        uint64_t ignored = 0;
        const size_t sign = at + 1 < text.size() && (text[at + 1] == '+' || text[at + 1] == '-') ? 1 : 0;
        const size_t exponentDigits = Digits(text, at + 1 + sign, ignored);
        if (exponentDigits == 0) return result;
        at += 1 + sign + exponentDigits;
        exponent = true;
    }
    if (at != text.size()) return result;
    if (markAt != std::string_view::npos) result.mark = text[markAt];

    // At most 15 digits without exponent: the whole number of the digits and
    // the power of ten are exact doubles, so their quotient is the correctly
    // rounded value, as from_chars gives it.
    if (!exponent && digits <= kExactDigits) {
        const double value = static_cast<double>(whole) / kExactPowers[fraction];
        result.kind = CellNumber::kNumber;
        result.value = negative ? -value : value;
        return result;
    }
    // from_chars takes no leading '+' and only '.' as decimal mark: those
    // cells are read from a copy.
    std::string copy;
    std::string_view plain = text;
    if (text[0] == '+' || result.mark == ',') {
        copy.assign(text.substr(text[0] == '+' ? 1 : 0));
        if (result.mark == ',') copy[markAt - (text[0] == '+' ? 1 : 0)] = '.';
        plain = copy;
    }
    double value = 0;
    const auto [end, failed] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (failed != std::errc() || end != plain.data() + plain.size()) return result;  // out of range
    result.kind = CellNumber::kNumber;
    result.value = value;
    return result;
}

}  // namespace kovr
