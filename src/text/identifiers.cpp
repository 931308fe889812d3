#include "identifiers.h"

#include <climits>
#include <cmath>

#include "kovstr.h"
#include "vb_string.h"

namespace {

// A sum that leaves the 32-bit range saturates instead of wrapping.
int Saturate(double value) {
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(value);
}

// What character i (1-based) of a prefix adds: its distance from "`" (so
// a = 1 ... z = 26) times 10 to the power i - 1.
double LetterValue(const std::wstring& prefix, int i) {
    const int distance = Asc(wMid(prefix, i, 1)) - 96;
    // 0 x inf would be NaN for very long prefixes; the value is 0.
    return distance == 0 ? 0.0 : distance * std::pow(10.0, i - 1);
}

}  // namespace

int GetUniqueID(std::wstring first, std::wstring second) {
    first = LCase(first);
    second = LCase(second);
    const int comma = InStr(1, second, L",");
    const int beforeComma = comma > 0 ? comma - 1 : Len(second);
    const std::wstring secondPrefix = Left(second, static_cast<int>(Min(beforeComma - 1.0, 5.0)));
    const std::wstring firstPrefix = Replace(Left(first, static_cast<int>(Min(Len(first), 5.0))), L".", L"q", 1, 0);

    int code = 0;
    for (int i = 1; i <= Len(secondPrefix); ++i) code = Saturate(std::trunc(LetterValue(secondPrefix, i)) + code);
    for (int i = 1; i <= Len(firstPrefix); ++i) code = Saturate(std::trunc(LetterValue(firstPrefix, i) + code));
    return code;
}

int GetDataType(const std::wstring& word) {
    if (word == L"d" || word == L"double" || word == L"numeric") return 1;
    if (word == L"categorical" || word == L"s" || word == L"chr" || word == L"string" || word == L"text") return 3;
    for (int k = 1; k <= 11; ++k) {
        if (word == std::to_wstring(k)) return k;
    }
    return 0;
}

std::wstring ReplaceSpecialSymbols(const std::wstring& text) {
    return Replace(Replace(text, L"&gt;", L">", 1, 0), L"&lt;", L"<", 1, 0);
}
