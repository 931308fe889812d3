#include "csv_number.h"

#include <charconv>
#include <string>

namespace kovr {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The length of the run of digits at text[at].
size_t Digits(std::string_view text, size_t at) {
    size_t n = 0;
    while (at + n < text.size() && IsDigit(text[at + n])) ++n;
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
    size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    size_t digits = Digits(text, at);
    at += digits;
    size_t markAt = std::string_view::npos;
    if (at < text.size() && (text[at] == '.' || (text[at] == ',' && separator != ','))) {
        markAt = at;
        const size_t fraction = Digits(text, at + 1);
        digits += fraction;
        at += 1 + fraction;
    }
    if (digits == 0) return result;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        const size_t sign = at + 1 < text.size() && (text[at + 1] == '+' || text[at + 1] == '-') ? 1 : 0;
        const size_t exponent = Digits(text, at + 1 + sign);
        if (exponent == 0) return result;
        at += 1 + sign + exponent;
    }
    if (at != text.size()) return result;

    // from_chars takes no leading '+' and only '.' as decimal mark: those
    // cells are read from a copy.
    if (markAt != std::string_view::npos) result.mark = text[markAt];
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
