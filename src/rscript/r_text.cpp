#include "r_text.h"

#include <algorithm>
#include <vector>

namespace {

std::wstring Hex(unsigned value, int digits) {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text(static_cast<size_t>(digits), L'0');
    for (int k = digits - 1; k >= 0; --k, value >>= 4) text[static_cast<size_t>(k)] = kDigits[value & 0xF];
    return text;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring Trimmed(const std::wstring& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// Digits at text[at...]: how many.
size_t Digits(const std::wstring& text, size_t at) {
    size_t n = 0;
    while (at + n < text.size() && IsDigit(text[at + n])) ++n;
    return n;
}

bool IsNumberLiteral(const std::wstring& text) {
    size_t at = 0;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) ++at;
    const size_t whole = Digits(text, at);
    at += whole;
    size_t fraction = 0;
    if (at < text.size() && text[at] == L'.') {
        fraction = Digits(text, ++at);
        at += fraction;
    }
    if (whole + fraction == 0) return false;
    if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
        ++at;
        if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) ++at;
        const size_t exponent = Digits(text, at);
        if (exponent == 0) return false;
        at += exponent;
    }
    return at == text.size();
}

// An integer with an optional sign.
bool IsInteger(const std::wstring& text) {
    const size_t sign = !text.empty() && (text[0] == L'+' || text[0] == L'-') ? 1 : 0;
    return text.size() > sign && Digits(text, sign) == text.size() - sign;
}

// "3", "-2" or "1:5".
bool IsListItem(const std::wstring& item) {
    const size_t colon = item.find(L':', 1);
    if (colon == std::wstring::npos) return IsInteger(item);
    return IsInteger(item.substr(0, colon)) && IsInteger(item.substr(colon + 1));
}

}  // namespace

std::wstring RQuoted(const std::wstring& value) {
    const auto isC1 = [](wchar_t c) { return c >= 0x80 && c <= 0x9F; };
    // R refuses a literal that mixes \x and \u escapes: with a C1 control
    // (a \u escape) in it, the other controls are written as \u escapes too.
    const bool unicode = std::any_of(value.begin(), value.end(), isC1);
    std::wstring quoted;
    quoted.reserve(value.size() + 2);
    quoted += L'\'';
    for (const wchar_t c : value) {
        const long code = static_cast<long>(c);
        switch (c) {
            case L'\0': break;
            case L'\\': quoted += L"\\\\"; break;
            case L'\'': quoted += L"\\'"; break;
            case L'\n': quoted += L"\\n"; break;
            case L'\r': quoted += L"\\r"; break;
            case L'\t': quoted += L"\\t"; break;
            default:
                if ((code > 0 && code < 0x20) || code == 0x7F) {
                    quoted += unicode ? L"\\u" + Hex(static_cast<unsigned>(code), 4)
                                      : L"\\x" + Hex(static_cast<unsigned>(code), 2);
                } else if (isC1(c)) {
                    quoted += L"\\u" + Hex(static_cast<unsigned>(code), 4);
                } else {
                    quoted += c;
                }
        }
    }
    quoted += L'\'';
    return quoted;
}

std::wstring RNumber(const std::wstring& value) {
    std::wstring number = Trimmed(value);
    for (wchar_t& c : number) {
        if (c == L',') c = L'.';
    }
    return IsNumberLiteral(number) ? number : std::wstring(L"NA");
}

std::wstring RIntegerList(const std::wstring& value) {
    std::vector<std::wstring> items;
    std::wstring item;
    for (size_t i = 0; i <= value.size(); ++i) {
        const wchar_t c = i < value.size() ? value[i] : L',';
        if (c == L',' || c == L';' || IsBlank(c)) {
            if (!item.empty() && !IsListItem(item)) return L"NA";
            if (!item.empty()) items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    std::wstring list = L"c(";
    for (size_t k = 0; k < items.size(); ++k) list += (k > 0 ? L", " : L"") + items[k];
    return list + L")";
}
