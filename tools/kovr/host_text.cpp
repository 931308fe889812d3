#include "host_text.h"

#include <vector>

namespace kovr {

namespace {

// Decodes the code point at text[at] and advances at past it. A byte that
// does not start a valid UTF-8 sequence gives itself, with valid false.
char32_t NextCodePoint(std::string_view text, size_t& at, bool& valid) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    valid = true;
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    size_t extra = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead < 0xE0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        extra = 3;
        cp = lead & 0x07;
    }
    bool complete = extra > 0 && at + extra < text.size();
    for (size_t k = 1; complete && k <= extra; ++k) {
        complete = (byte(at + k) & 0xC0) == 0x80;
        cp = (cp << 6) | (byte(at + k) & 0x3F);
    }
    if (!complete) {
        valid = false;
        ++at;
        return lead;
    }
    at += extra + 1;
    return cp;
}

char32_t NextCodePoint(std::string_view text, size_t& at) {
    bool valid = true;
    return NextCodePoint(text, at, valid);
}

bool IsValidUtf8(std::string_view text) {
    size_t at = 0;
    bool valid = true;
    while (at < text.size() && valid) NextCodePoint(text, at, valid);
    return valid;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

BSTR NewHostString(std::string_view utf8) {
    std::vector<char16_t> units;
    units.reserve(utf8.size());
    size_t at = 0;
    while (at < utf8.size()) {
        const char32_t cp = NextCodePoint(utf8, at);
        if (cp >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
    }
    return SysAllocStringLen(units.data(), static_cast<uint32_t>(units.size()));
}

std::string HostText(BSTR s) {
    std::string out;
    if (s == nullptr) return out;
    const uint32_t n = SysStringLen(s);
    for (uint32_t k = 0; k < n; ++k) {
        char32_t cp = s[k];
        if (cp >= 0xD800 && cp < 0xDC00 && k + 1 < n && s[k + 1] >= 0xDC00 && s[k + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[k + 1] - 0xDC00);
            ++k;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::wstring WideText(std::string_view utf8) {
    std::wstring out;
    size_t at = 0;
    while (at < utf8.size()) out += static_cast<wchar_t>(NextCodePoint(utf8, at));
    return out;
}

std::string AsUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    for (const char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

}  // namespace kovr
