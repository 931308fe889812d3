#include "r_text.h"

std::wstring RQuoted(const std::wstring& value) {
    std::wstring quoted;
    quoted.reserve(value.size() + 2);
    quoted += L'\'';
    for (const wchar_t c : value) {
        if (c == L'\\' || c == L'\'') quoted += L'\\';
        quoted += c;
    }
    quoted += L'\'';
    return quoted;
}

std::wstring RColumnName(const std::wstring& name) {
    std::wstring rName = name;
    for (wchar_t& c : rName) {
        if (c == L' ') c = L'.';
    }
    return rName;
}
