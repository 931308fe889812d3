#include "kovcore.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

BSTR AllocFromWide(const wchar_t* text, size_t length) {
    if (length > 0x3FFFFFFFu) return nullptr;
    BSTR s = SysAllocStringLen(nullptr, static_cast<uint32_t>(length));
    if (s == nullptr) return nullptr;
    for (size_t k = 0; k < length; ++k) s[k] = static_cast<char16_t>(text[k]);
    return s;
}

}  // namespace

std::wstring convertBSTRtoWstring(const BSTR* s) {
    if (s == nullptr || *s == nullptr) return std::wstring();
    const BSTR text = *s;
    const uint32_t length = SysStringLen(text);
    std::wstring result(length, L'\0');
    for (uint32_t k = 0; k < length; ++k) result[k] = static_cast<wchar_t>(text[k]);
    return result;
}

BSTR convertWstringToBSTR(const std::wstring* s) {
    if (s == nullptr) return AllocFromWide(L"", 0);
    return AllocFromWide(s->data(), s->size());
}

BSTR SysAllocString2(const wchar_t* text) {
    if (text == nullptr) return AllocFromWide(L"", 0);
    size_t length = 0;
    while (text[length] != 0) ++length;
    return AllocFromWide(text, length);
}

const wchar_t* CW162W32(const char16_t* s) {
    thread_local std::vector<wchar_t> buffer;
    buffer.clear();
    if (s != nullptr) {
        for (const char16_t* p = s; *p != 0; ++p) buffer.push_back(static_cast<wchar_t>(*p));
    }
    buffer.push_back(L'\0');
    return buffer.data();
}

std::wstring to_wstring(long double n) {
    char digits[64];
    // Adding 0 turns a negative zero into "0" rather than "-0".
    std::snprintf(digits, sizeof digits, "%.0Lf", std::trunc(n) + 0.0L);
    return std::wstring(digits, digits + std::char_traits<char>::length(digits));
}
