#include "comma_list.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cwchar>

#include "kovstr.h"
#include "vb_string.h"

const double kMissingDouble = std::bit_cast<double>(uint64_t{0xFFEFFFFFFFFFFFE2});

namespace {

// The 1-based position of separator in list, 0 when absent. An empty
// separator separates nothing, so a list without a separator is one item.
int FindSeparator(const std::wstring& list, const std::wstring& separator, int start = 1) {
    return separator.empty() ? 0 : InStr(start, list, separator);
}

// The number in an item: the first "," read as the decimal point, then the
// longest prefix that wcstod accepts (0.0 when there is none).
double ReadNumber(std::wstring item) {
    const size_t comma = item.find(L',');
    if (comma != std::wstring::npos) item[comma] = L'.';
    return std::wcstod(item.c_str(), nullptr);
}

// Truncated toward zero and saturated to the 32-bit range; NaN reads as 0.
int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(value);
}

// Cuts list into a string vector of n rows and converts its data items into
// vector: item 1 goes to header when headerFlag is true, empty items (and
// items beyond the parsed ones) become missing.
template <typename T, typename Convert>
void ConvertList(const std::wstring& list, int n, short headerFlag, const std::wstring& separator,
                 std::wstring& header, matrix<T>& vector, T missing, Convert convert) {
    const int first = headerFlag == -1 ? 2 : 1;
    // Targets beyond the vector would only reach its spare element, so only
    // the items up to last are kept (not n of them, which may be huge).
    const int last = static_cast<int>(std::min<long long>(n, static_cast<long long>(first) - 1 + vector.count()));
    matrix<std::wstring> items(std::max(last, std::min(n, 1)), 1);
    GetVectFromCommaList(list, n, separator, items);
    // Items cut beyond n only reached the spare element.
    if (headerFlag == -1) header = n >= 1 ? items(1) : std::wstring();
    for (int i = first; i <= last; ++i) {
        const std::wstring& item = items(i);
        vector(i - first + 1) = item.empty() ? missing : convert(item);
    }
}

}  // namespace

std::wstring GetNextBeforeComma(std::wstring& list, const std::wstring& separator, short cut) {
    const int p = FindSeparator(list, separator);
    if (p == 0) return list;
    std::wstring item = wMid(list, 1, p - 1);
    if (static_cast<unsigned short>(cut) > 65534) list = wMid(list, p + 1, -1);
    return item;
}

void GetVectFromCommaList(const std::wstring& list, int /*n*/, const std::wstring& separator,
                          matrix<std::wstring>& vector) {
    // Cutting item after item from a copy of the list, done with positions:
    // each search starts just after the first character of the last separator.
    int from = 1;
    int i = 1;
    for (int p = FindSeparator(list, separator); p > 0; p = FindSeparator(list, separator, from)) {
        vector(i++) = list.substr(static_cast<size_t>(from - 1), static_cast<size_t>(p - from));
        from = p + 1;
    }
    vector(i) = list.substr(static_cast<size_t>(from - 1));
}

void GetVectFromCommaListDbl(const std::wstring& list, int n, short headerFlag, const std::wstring& separator,
                             std::wstring& header, matrix<double>& vector) {
    ConvertList(list, n, headerFlag, separator, header, vector, kMissingDouble, ReadNumber);
}

void GetVectFromCommaListLng(const std::wstring& list, int n, short headerFlag, const std::wstring& separator,
                             std::wstring& header, matrix<int>& vector) {
    ConvertList(list, n, headerFlag, separator, header, vector, kMissingInt,
                [](const std::wstring& item) { return TruncateToInt(ReadNumber(item)); });
}

std::wstring ExtractFromList(int k, const std::wstring& list) {
    const int commas = cChrCount(list, L",");
    matrix<std::wstring> items(commas + 1, 1);
    GetVectFromCommaList(list, commas + 1, L",", items);
    return items(k);
}

short FindStrInVect(const std::wstring& sought, int n, matrix<std::wstring>& vector) {
    const int inRange = std::min(n, vector.count());
    for (int i = 1; i <= inRange; ++i) {
        if (vector(i) == sought) return -1;
    }
    // Every position beyond the vector reads its spare element.
    if (n > vector.count() && vector(vector.count() + 1) == sought) return -1;
    return 0;
}
