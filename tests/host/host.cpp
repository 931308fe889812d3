#include "host.h"

namespace host {

BSTR Str(const std::string& utf8) {
    std::u16string units;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        char32_t code = lead;
        size_t extra = 0;
        if (lead >= 0xF0) {
            code = lead & 0x07;
            extra = 3;
        } else if (lead >= 0xE0) {
            code = lead & 0x0F;
            extra = 2;
        } else if (lead >= 0xC0) {
            code = lead & 0x1F;
            extra = 1;
        }
        for (size_t k = 1; k <= extra && i + k < utf8.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        units.push_back(static_cast<char16_t>(code));
        i += extra + 1;
    }
    return SysAllocStringLen(units.data(), static_cast<uint32_t>(units.size()));
}

std::string Text(BSTR s) {
    std::string out;
    const uint32_t n = SysStringLen(s);
    for (uint32_t k = 0; k < n; ++k) {
        const char16_t c = s[k];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

Strings::~Strings() {
    for (BSTR s : owned_) SysFreeString(s);
}

BSTR Strings::operator()(const std::string& utf8) { return Adopt(Str(utf8)); }

BSTR Strings::Adopt(BSTR s) {
    if (s != nullptr) owned_.push_back(s);
    return s;
}

}  // namespace host
