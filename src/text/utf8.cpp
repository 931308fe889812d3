#include "utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The byte a template character stands for: bytes 0x80 to 0xFF widened with
// their sign, directly or after a round trip through 16-bit host strings;
// -1 for any other character.
int TemplateByte(wchar_t c) {
    const long code = static_cast<long>(c);
    if (code >= -128 && code <= -1) return static_cast<int>(code & 0xFF);
    if (code >= 0xFF80 && code <= 0xFFFF) return static_cast<int>(code & 0xFF);
    return -1;
}

// The well-formed UTF-8 sequence at the start of the bytes byteAt(0),
// byteAt(1), ... (count of them): its length and code point, length 0 when
// there is none (overlong forms and surrogates are not well-formed).
struct Sequence {
    size_t length;
    char32_t code;
};

template <typename ByteAt>
Sequence DecodeSequence(ByteAt byteAt, size_t count) {
    const int lead = byteAt(0);
    int n = 0;
    if (lead >= 0xC2 && lead <= 0xDF) n = 1;
    if (lead >= 0xE0 && lead <= 0xEF) n = 2;
    if (lead >= 0xF0 && lead <= 0xF4) n = 3;
    if (n == 0 || static_cast<size_t>(n) >= count) return {0, 0};
    char32_t code = static_cast<char32_t>(lead & (0x3F >> n));
    for (int k = 1; k <= n; ++k) {
        const int b = byteAt(static_cast<size_t>(k));
        if (b < 0x80 || b > 0xBF) return {0, 0};
        code = (code << 6) | static_cast<char32_t>(b & 0x3F);
    }
    const char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (code < least[n] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return {0, 0};
    return {static_cast<size_t>(n) + 1, code};
}

void Append(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsHigh(long c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(long c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string Utf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const long c = static_cast<long>(text[i]);
        if (c >= 0 && c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const Sequence bytes = DecodeSequence([&](size_t k) { return TemplateByte(text[i + k]); }, text.size() - i);
        if (bytes.length > 0) {
            for (size_t k = 0; k < bytes.length; ++k) out += static_cast<char>(TemplateByte(text[i + k]));
            i += bytes.length - 1;
        } else if (IsHigh(c) && i + 1 < text.size() && IsLow(static_cast<long>(text[i + 1]))) {
            const long low = static_cast<long>(text[++i]);
            Append(out, static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00)));
        } else if (c < 0 || IsHigh(c) || IsLow(c) || c > 0x10FFFF) {
            Append(out, kReplacement);
        } else {
            Append(out, static_cast<char32_t>(c));
        }
    }
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto byteAt = [&](size_t k) { return static_cast<int>(static_cast<unsigned char>(bytes[i + k])); };
        const int lead = byteAt(0);
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        const Sequence sequence = DecodeSequence(byteAt, bytes.size() - i);
        if (sequence.length == 0) {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
        } else if (sequence.code >= 0x10000) {
            // As the host holds it: a surrogate pair.
            out += static_cast<wchar_t>(0xD800 + ((sequence.code - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((sequence.code - 0x10000) & 0x3FF));
            i += sequence.length;
        } else {
            out += static_cast<wchar_t>(sequence.code);
            i += sequence.length;
        }
    }
    return out;
}
