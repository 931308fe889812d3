#include "node_access.h"

#include <cmath>
#include <cstdint>
#include <cwchar>

std::wstring GetAttributeFromNode(XmlNode* node, const wchar_t* name, const std::wstring& fallback) {
    if (node == nullptr) return fallback;
    const auto found = node->attributes.find(name);
    if (found == node->attributes.end() || found->second.empty()) return fallback;
    return found->second;
}

std::wstring GetValueFromNode(XmlNode* node) { return node != nullptr ? node->value : std::wstring(); }

short TrueFlag(XmlNode* node, const wchar_t* name, const std::wstring& fallback) {
    return HostBool(GetAttributeFromNode(node, name, fallback) == L"true");
}

short FlagUnlessFalse(XmlNode* node, const wchar_t* name) {
    return HostBool(GetAttributeFromNode(node, name, L"false") != L"false");
}

int TruncatedNumber(const std::wstring& text) {
    std::wstring number = text;
    const size_t comma = number.find(L',');
    if (comma != std::wstring::npos) number[comma] = L'.';
    const double value = std::trunc(std::wcstod(number.c_str(), nullptr));
    if (std::isnan(value)) return 0;
    if (value <= INT32_MIN) return INT32_MIN;
    if (value >= INT32_MAX) return INT32_MAX;
    return static_cast<int>(value);
}
