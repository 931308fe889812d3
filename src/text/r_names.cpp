#include "r_names.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace {

// R on Linux classifies characters with the C library in its UTF-8 locale;
// the same classification is used here through a locale object of our own,
// so that the process's locale is left alone. Without a UTF-8 locale only
// ASCII letters and digits count (the others then become ".").
locale_t Utf8Locale() {
    static const locale_t locale = [] {
        locale_t made = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (made == static_cast<locale_t>(nullptr)) {
            made = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(nullptr));
        }
        return made;
    }();
    return locale;
}

bool IsAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }

bool IsRLetter(char32_t c) {
    if (c < 0x80) return IsAsciiLetter(c);
    const locale_t locale = Utf8Locale();
    return locale != static_cast<locale_t>(nullptr) && iswalpha_l(static_cast<wint_t>(c), locale) != 0;
}

// One character of host text: a code point and the code units it takes.
struct Character {
    char32_t code;
    size_t units;
};

Character CharacterAt(const std::wstring& text, size_t i) {
    const char32_t c = static_cast<char32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
        const char32_t low = static_cast<char32_t>(text[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) return {0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00), 2};
    }
    return {c, 1};
}

bool IsReserved(const std::wstring& name) {
    static const wchar_t* const kReserved[] = {
        L"if",   L"else",        L"repeat",   L"while",         L"function",     L"for",  L"next",
        L"break", L"TRUE",       L"FALSE",    L"NULL",          L"Inf",          L"NaN",  L"NA",
        L"NA_integer_", L"NA_real_", L"NA_character_", L"NA_complex_", L"in"};
    return std::any_of(std::begin(kReserved), std::end(kReserved), [&](const wchar_t* word) { return name == word; });
}

}  // namespace

bool IsRNameLetter(char32_t c) {
    if (c < 0x80) return IsAsciiLetter(c) || IsAsciiDigit(c);
    const locale_t locale = Utf8Locale();
    return locale != static_cast<locale_t>(nullptr) && iswalnum_l(static_cast<wint_t>(c), locale) != 0;
}

std::wstring RName(const std::wstring& name) {
    bool prefix = true;
    if (!name.empty()) {
        const Character first = CharacterAt(name, 0);
        if (first.code == '.') {
            prefix = name.size() > 1 && IsAsciiDigit(static_cast<char32_t>(name[1]));
        } else {
            prefix = !IsRLetter(first.code);
        }
    }
    std::wstring result = prefix ? L"X" : L"";
    result.reserve(name.size() + 2);
    for (size_t i = 0; i < name.size();) {
        const Character c = CharacterAt(name, i);
        if (c.code == '.' || c.code == '_' || IsRNameLetter(c.code)) {
            result.append(name, i, c.units);
        } else {
            result += L'.';
        }
        i += c.units;
    }
    if (IsReserved(result)) result += L'.';
    return result;
}

std::vector<std::wstring> RNames(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> made(names.size());
    for (size_t k = 0; k < names.size(); ++k) made[k] = RName(names[k]);
    // make.unique over the names in this order: the unchanged ones first.
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return (made[a] != names[a]) < (made[b] != names[b]); });

    std::unordered_set<std::wstring> taken(made.begin(), made.end());
    std::unordered_set<std::wstring> seen;
    // For each name, the next number to try.
    std::unordered_map<std::wstring, unsigned long> next;
    for (const size_t k : order) {
        if (seen.insert(made[k]).second) continue;
        unsigned long& n = next.try_emplace(made[k], 1).first->second;
        std::wstring candidate;
        do {
            candidate = made[k] + L"." + std::to_wstring(n++);
        } while (taken.count(candidate) > 0);
        taken.insert(candidate);
        made[k] = std::move(candidate);
    }
    return made;
}
