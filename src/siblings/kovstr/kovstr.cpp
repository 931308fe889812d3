#include "kovstr.h"

#include <algorithm>

double Min(double x, double y) { return y < x ? y : x; }

void StrLTrim(std::wstring& result, std::wstring s) {
    const size_t first = s.find_first_not_of(L' ');
    result = first == std::wstring::npos ? std::wstring() : s.substr(first);
}

void StrLeft(std::wstring& result, std::wstring s, int n) {
    if (n < 0 || static_cast<size_t>(n) >= s.size()) {
        result = std::move(s);
    } else {
        result = s.substr(0, static_cast<size_t>(n));
    }
}

std::wstring Replace(std::wstring text, std::wstring find, std::wstring replacement) {
    if (find.empty()) return text;
    std::wstring result;
    size_t from = 0;
    for (size_t at = text.find(find); at != std::wstring::npos; at = text.find(find, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + find.size();
    }
    result.append(text, from, std::wstring::npos);
    return result;
}

std::wstring Replace(std::wstring text, const wchar_t* find, const wchar_t* replacement) {
    return Replace(std::move(text), std::wstring(find != nullptr ? find : L""),
                   std::wstring(replacement != nullptr ? replacement : L""));
}

int cChrCount(std::wstring text, std::wstring c) {
    if (c.empty()) return 0;
    return static_cast<int>(std::count(text.begin(), text.end(), c[0]));
}

void cStrBetweenChrAndChr(std::wstring& result, std::wstring text, std::wstring open, std::wstring close) {
    result.clear();
    if (open.empty() || close.empty()) return;
    const size_t start = text.find(open[0]);
    if (start == std::wstring::npos) return;
    const size_t end = text.find(close[0], start + 1);
    if (end == std::wstring::npos) return;
    result = text.substr(start + 1, end - start - 1);
}

void PStrP(std::wstring& result, std::wstring functionName) {
    result = functionName.empty() ? std::wstring() : L" (" + functionName + L")";
}
