#include "host.h"

#include <algorithm>

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
        if (code >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            code = 0xDC00 + ((code - 0x10000) & 0x3FF);
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
        if (c >= 0xD800 && c < 0xDC00 && k + 1 < n && s[k + 1] >= 0xDC00 && s[k + 1] < 0xE000) {
            const char32_t code = 0x10000 + ((c - 0xD800) << 10) + (s[++k] - 0xDC00);
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (c < 0x80) {
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
    if (s != nullptr && std::find(owned_.begin(), owned_.end(), s) == owned_.end()) owned_.push_back(s);
    return s;
}

namespace {

BSTR StrOrNull(const char* utf8) { return utf8 != nullptr ? Str(utf8) : nullptr; }

std::vector<std::string> TextsOf(const BSTR* slots, size_t n) {
    std::vector<std::string> texts;
    for (size_t k = 0; k < n; ++k) texts.push_back(Text(slots[k]));
    return texts;
}

}  // namespace

StringVariable::StringVariable(const char* text) : original_(held_.Adopt(StrOrNull(text))), value_(original_) {}

StringVariable::~StringVariable() { held_.Adopt(value_); }

BSTR* StringVariable::ptr() {
    held_.Adopt(value_);
    return &value_;
}

StringBuffer::StringBuffer(std::initializer_list<const char*> items) {
    for (const char* item : items) original_.push_back(held_.Adopt(StrOrNull(item)));
    slots_ = original_;
}

StringBuffer::StringBuffer(size_t n) : original_(n, nullptr), slots_(n, nullptr) {}

StringBuffer::~StringBuffer() {
    for (BSTR s : slots_) held_.Adopt(s);
}

BSTR* StringBuffer::data() {
    for (BSTR s : slots_) held_.Adopt(s);
    return slots_.data();
}

std::vector<std::string> StringBuffer::Texts() const { return TextsOf(slots_.data(), slots_.size()); }

SAFEARRAY* Create(uint16_t vt, uint32_t rows, uint32_t cols, int32_t lowerBound) {
    SAFEARRAYBOUND bounds[2] = {{rows, lowerBound}, {cols, lowerBound}};
    return SafeArrayCreate(vt, cols == 0 ? 1 : 2, bounds);
}

StringArray::StringArray(uint32_t rows, uint32_t cols, std::initializer_list<const char*> items, int32_t lowerBound)
    : array_(Create(VT_BSTR, rows, cols, lowerBound)), original_(size_t{rows} * (cols == 0 ? 1 : cols), nullptr) {
    for (size_t k = 0; k < original_.size() && k < items.size(); ++k) {
        original_[k] = held_.Adopt(StrOrNull(items.begin()[k]));
        Slots()[k] = original_[k];
    }
}

StringArray::~StringArray() {
    // The strings are freed by held_; the array is destroyed without them.
    for (size_t k = 0; k < original_.size(); ++k) {
        held_.Adopt(Slots()[k]);
        Slots()[k] = nullptr;
    }
    SafeArrayDestroy(array_);
}

SAFEARRAY* StringArray::get() {
    for (size_t k = 0; k < original_.size(); ++k) held_.Adopt(Slots()[k]);
    return array_;
}

std::vector<std::string> StringArray::Texts() const { return TextsOf(Slots(), original_.size()); }

}  // namespace host
