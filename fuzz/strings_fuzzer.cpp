// Fuzz target of the string and list exports: Cpp_InStr, Cpp_Mid,
// Cpp_Replace, Cpp_Join, Cpp_FindStrInVect, the comma-list exports,
// Cpp_RReplace and Cpp_CodeChecks (which leave quoted text alone) on random
// host strings and numbers. Each
// result is compared with a plain, slow reference written here from the
// rules of the macro language (1-based positions, clipping, restart-from-
// the-beginning replacement), including what the buffers hold afterwards.
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "kovrbridge.h"

namespace {

using Text = std::u16string;
using fuzz::Show;

// Letters that the operations look for, so that random texts hit them.
const Text kAlphabet = u"ab,;; =()#system<>!-+*/]xSYE\u00e9\u0161'\"`\\";

// ---- References --------------------------------------------------------

int64_t Length(const Text& s) { return static_cast<int64_t>(s.size()); }

// 1-based position of sought at or after start, 0 when absent; a start
// outside 1 to Len + 1 finds nothing.
int64_t RefInStr(int64_t start, const Text& s, const Text& sought) {
    if (start < 1 || start > Length(s) + 1) return 0;
    for (int64_t at = start - 1; at + Length(sought) <= Length(s); ++at) {
        bool same = true;
        for (int64_t k = 0; k < Length(sought) && same; ++k) same = s[at + k] == sought[k];
        if (same) return at + 1;
    }
    return 0;
}

// length -1: the rest; any other negative length: the rest too (taken as
// unsigned); a start outside 1 to Len + 1 gives "".
Text RefMid(const Text& s, int64_t start, int64_t length) {
    if (start < 1 || start > Length(s) + 1) return Text();
    if (length == -1) length = Length(s) - start + 1;
    const int64_t available = Length(s) - (start - 1);
    if (length < 0 || length > available) length = available;
    Text out;
    for (int64_t k = 0; k < length; ++k) out += s[start - 1 + k];
    return out;
}

// The leftmost occurrence replaced, the search restarted from the beginning.
// With count 0 and a replacement that holds find, every occurrence present
// is replaced once; a rewrite that could feed itself stops after 2 x Len + 1
// replacements.
Text RefReplace(const Text& expression, const Text& find, const Text& replacement, int64_t start, int64_t count) {
    Text text = (start >= 1 && start <= Length(expression) + 1) ? expression.substr(start - 1) : Text();
    if (find.empty() || count < 0) return text;
    if (count == 0 && RefInStr(1, replacement, find) > 0) {
        Text out;
        int64_t from = 1;
        for (int64_t p = RefInStr(1, text, find); p > 0; p = RefInStr(from, text, find)) {
            out += RefMid(text, from, p - from) + replacement;
            from = p + Length(find);
        }
        return out + RefMid(text, from, -1);
    }
    int64_t limit = count > 0 ? count : INT64_MAX;
    if (replacement.size() >= find.size()) limit = std::min<int64_t>(limit, 2 * Length(text) + 1);
    for (int64_t done = 0; done < limit; ++done) {
        const int64_t p = RefInStr(1, text, find);
        if (p == 0) break;
        text = RefMid(text, 1, p - 1) + replacement + RefMid(text, p + Length(find), -1);
    }
    return text;
}

// The first item; with cut (-1) the list loses it and the separator's first
// character. An empty separator separates nothing.
Text RefNextBeforeComma(Text& list, const Text& separator, int16_t cut) {
    const int64_t p = separator.empty() ? 0 : RefInStr(1, list, separator);
    if (p == 0) return list;
    Text item = RefMid(list, 1, p - 1);
    if (cut == -1) list = RefMid(list, p + 1, -1);
    return item;
}

std::vector<Text> RefItems(const Text& list, const Text& separator) {
    Text copy = list;
    std::vector<Text> items;
    while (!separator.empty() && RefInStr(1, copy, separator) >= 1) {
        items.push_back(RefNextBeforeComma(copy, separator, -1));
    }
    items.push_back(copy);
    return items;
}

bool IsDelimiter(char16_t c) { return Text(u" )],;+-*/").find(c) != Text::npos; }

bool RefIsOkAfter(const Text& c) { return c.empty() || (c.size() == 1 && IsDelimiter(c[0])); }

// For each character, whether it lies inside quoted text: after an opening
// quote (', " or `) up to the same quote, a backslash taking the next
// character with it; the quotes themselves are outside.
std::vector<bool> RefQuoted(const Text& code) {
    std::vector<bool> inside(code.size(), false);
    char16_t open = 0;
    bool escaped = false;
    for (size_t k = 0; k < code.size(); ++k) {
        const char16_t c = code[k];
        if (open == 0) {
            if (c == u'\'' || c == u'"' || c == u'`') open = c;
        } else if (escaped) {
            inside[k] = true;
            escaped = false;
        } else if (c == open) {
            open = 0;
        } else {
            inside[k] = true;
            escaped = c == u'\\';
        }
    }
    return inside;
}

// An occurrence that starts inside quoted text stays as it is.
Text RefRReplace(const Text& text, const Text& find, const Text& replacement) {
    const std::vector<bool> quoted = RefQuoted(text);
    int64_t p = RefInStr(1, text, find);
    if (p == 0) return text;
    if (p == 1 && find.size() == text.size()) return replacement;
    if (find.empty()) return text;
    Text out;
    Text rest = text;
    int64_t consumed = 0;  // characters of text before rest
    for (;;) {
        out += RefMid(rest, 1, p - 1);
        int64_t e = p + Length(find);
        if (quoted[consumed + p - 1]) {
            out += find;
            rest = RefMid(rest, e, -1);
            consumed += e - 1;
        } else {
            Text c = RefMid(rest, e, 1);
            if (RefIsOkAfter(c)) {
                out += replacement + c;
            } else {
                out += find + c;
                while (!c.empty() && !RefIsOkAfter(c)) {
                    ++e;
                    c = RefMid(rest, e, 1);
                    out += c;
                }
            }
            rest = e < Length(rest) ? RefMid(rest, e + 1, Length(rest) - e) : Text();
            consumed += e;
        }
        p = RefInStr(1, rest, find);
        if (p == 0) return out + rest;
    }
}

// Only A to Z change case in the C locale the fuzzer runs in.
Text Lower(Text s) {
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return s;
}

// The checks read the code with its quoted text masked ("_"); the changes
// are made to the code itself.
Text RefCodeChecks(const Text& code) {
    const std::vector<bool> quoted = RefQuoted(code);
    Text masked = code;
    for (size_t k = 0; k < code.size(); ++k) {
        if (quoted[k]) masked[k] = u'_';
    }
    const Text lower = Lower(masked);
    const int64_t p = RefInStr(1, lower, u"system");
    if (p > 0) {
        const bool afterLetter = p >= 2 && lower[p - 2] >= u'a' && lower[p - 2] <= u'z';
        if (!(afterLetter && p + 5 >= Length(code))) return Text();
    }
    Text out;
    size_t start = 0;
    for (;;) {
        size_t end = start;
        while (end < masked.size() && masked[end] != u';') ++end;
        const Text statement = masked.substr(start, end - start);
        Text original = code.substr(start, end - start);
        const int64_t a = RefInStr(1, statement, u"(");
        const int64_t b = RefInStr(1, statement, u"=");
        bool comparison = false;
        for (const char16_t* op : {u"==", u"<=", u">=", u"!="}) comparison = comparison || RefInStr(1, statement, op) > 0;
        if (b > 0 && (a < 1 || b <= a) && !comparison) original = original.substr(0, b - 1) + u"<-" + original.substr(b);
        out += original;
        if (end == masked.size()) return out;
        out += u';';
        start = end + 1;
    }
}

std::wstring Wide(const Text& text) { return std::wstring(text.begin(), text.end()); }

// The first "," read as the decimal point, then what wcstod reads.
double RefNumber(Text item) {
    const size_t comma = item.find(u',');
    if (comma != Text::npos) item[comma] = u'.';
    return std::wcstod(Wide(item).c_str(), nullptr);
}

int32_t RefTruncate(double value) {
    if (std::isnan(value)) return 0;
    if (value <= INT_MIN) return INT_MIN;
    if (value >= INT_MAX) return INT_MAX;
    return static_cast<int32_t>(value);
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// ---- Host buffers --------------------------------------------------------

// A buffer of host strings the way the add-in passes one; frees every
// string it ever held, the ones the library put there included.
class Buffer {
public:
    Buffer(FuzzedDataProvider& in, size_t n) {
        for (size_t k = 0; k < n; ++k) {
            slots_.push_back(in.ConsumeBool() ? nullptr : fuzz::Bstr(fuzz::Text(in, 6, kAlphabet)));
        }
        before_ = slots_;
    }
    ~Buffer() {
        for (size_t k = 0; k < slots_.size(); ++k) {
            if (slots_[k] != before_[k]) SysFreeString(slots_[k]);
            SysFreeString(before_[k]);
        }
    }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    BSTR* data() { return slots_.empty() ? nullptr : slots_.data(); }
    size_t size() const { return slots_.size(); }
    // Element k as the library reads a buffer: up to its first NUL.
    Text Before(size_t k) const { return fuzz::UpToNul(fuzz::Units(before_[k])); }
    BSTR Now(size_t k) const { return slots_[k]; }
    bool Replaced(size_t k) const { return slots_[k] != before_[k]; }

private:
    std::vector<BSTR> slots_;
    std::vector<BSTR> before_;
};

// An in/out host string variable; frees what it held before and after.
class Variable {
public:
    explicit Variable(const Text& text) : before_(fuzz::Bstr(text)), now_(before_) {}
    ~Variable() {
        if (now_ != before_) SysFreeString(now_);
        SysFreeString(before_);
    }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;

    BSTR* ptr() { return &now_; }
    Text Now() const { return fuzz::Units(now_); }
    bool Replaced() const { return now_ != before_; }

private:
    BSTR before_;
    BSTR now_;
};

// A host string argument, freed after the call.
class Arg {
public:
    explicit Arg(const Text& text) : s_(fuzz::Bstr(text)) {}
    ~Arg() { SysFreeString(s_); }
    Arg(const Arg&) = delete;
    Arg& operator=(const Arg&) = delete;
    operator BSTR() const { return s_; }

private:
    BSTR s_;
};

// ---- One call per input ----------------------------------------------------

int32_t Position(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-2, 12) : in.ConsumeIntegral<int32_t>();
}

void CheckInStr(FuzzedDataProvider& in) {
    const int32_t start = Position(in);
    const Text s = fuzz::Text(in, 24, kAlphabet);
    const Text sought = fuzz::Text(in, 3, kAlphabet);
    const int32_t got = Cpp_InStr(start, Arg(s), Arg(sought));
    FUZZ_CHECK(got == RefInStr(start, s, sought), Show(s) + " " + Show(sought) + " " + std::to_string(start));
}

void CheckMid(FuzzedDataProvider& in) {
    const Text s = fuzz::Text(in, 24, kAlphabet);
    const int32_t start = Position(in);
    const int32_t length = Position(in);
    const Text got = fuzz::Take(Cpp_Mid(Arg(s), start, length));
    FUZZ_CHECK(got == RefMid(s, start, length),
               Show(s) + " " + std::to_string(start) + " " + std::to_string(length) + " gave " + Show(got));
}

void CheckReplace(FuzzedDataProvider& in) {
    const Text expression = fuzz::Text(in, 40, kAlphabet);
    const Text find = fuzz::Text(in, 3, kAlphabet);
    const Text replacement = fuzz::Text(in, 5, kAlphabet);
    const int32_t start = Position(in);
    const int32_t count = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-1, 4) : Position(in);
    const Text got = fuzz::Take(Cpp_Replace(Arg(expression), Arg(find), Arg(replacement), start, count));
    FUZZ_CHECK(got == RefReplace(expression, find, replacement, start, count),
               Show(expression) + " " + Show(find) + "->" + Show(replacement) + " start " + std::to_string(start) +
                   " count " + std::to_string(count) + " gave " + Show(got));
}

void CheckJoin(FuzzedDataProvider& in) {
    const int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 5);
    Buffer buffer(in, n > 0 ? static_cast<size_t>(n) : 0);
    const Text delimiter = fuzz::Text(in, 3, kAlphabet);
    const Text got = fuzz::Take(Cpp_Join(buffer.data(), n, Arg(delimiter)));
    Text expected;
    for (int32_t k = 0; k < n; ++k) expected += (k > 0 ? delimiter : Text()) + fuzz::Units(buffer.Now(k));
    FUZZ_CHECK(got == expected, Show(got) + " vs " + Show(expected));
}

void CheckFindStrInVect(FuzzedDataProvider& in) {
    const int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 5);
    Buffer buffer(in, n > 0 ? static_cast<size_t>(n) : 0);
    const Text sought = fuzz::Text(in, 3, kAlphabet);
    bool found = false;
    for (size_t k = 0; k < buffer.size(); ++k) found = found || buffer.Before(k) == sought;
    FUZZ_CHECK(Cpp_FindStrInVect(Arg(sought), n, buffer.data()) == (found ? -1 : 0), Show(sought));
}

void CheckNextBeforeComma(FuzzedDataProvider& in) {
    Text list = fuzz::Text(in, 24, kAlphabet);
    const Text separator = fuzz::Text(in, 2, kAlphabet);
    const int16_t cut = in.ConsumeBool() ? -1 : in.ConsumeIntegral<int16_t>();
    Variable variable(list);
    const Text got = fuzz::Take(Cpp_GetNextBeforeComma(variable.ptr(), Arg(separator), cut));
    const Text expected = RefNextBeforeComma(list, separator, cut);
    FUZZ_CHECK(got == expected, Show(got) + " vs " + Show(expected));
    FUZZ_CHECK(variable.Replaced() && variable.Now() == list, Show(variable.Now()) + " vs " + Show(list));
}

void CheckVectFromCommaList(FuzzedDataProvider& in) {
    const Text list = fuzz::Text(in, 24, kAlphabet);
    const Text separator = fuzz::Text(in, 2, kAlphabet);
    const int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 6);
    Buffer out(in, n > 0 ? static_cast<size_t>(n) : 0);
    Cpp_GetVectFromCommaList(Arg(list), n, Arg(separator), out.data());
    const std::vector<Text> items = RefItems(list, separator);
    for (size_t k = 0; k < out.size(); ++k) {
        const Text expected = fuzz::UpToNul(k < items.size() ? items[k] : out.Before(k));
        FUZZ_CHECK(out.Replaced(k) && fuzz::Units(out.Now(k)) == expected,
                   "item " + std::to_string(k + 1) + " of " + Show(list) + " by " + Show(separator) + ": " +
                       Show(fuzz::Units(out.Now(k))) + " vs " + Show(expected));
    }
}

// The numeric variants: the items as numbers from target 1 on, item 1 into
// the header with headerFlag -1, empty items as the missing-value marker.
template <typename T>
void CheckVectFromCommaListNumbers(FuzzedDataProvider& in) {
    const Text list = fuzz::Text(in, 24, u"0123456789.,;-+eE x");
    const Text separator = fuzz::Text(in, 1, u";,x");
    const int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 6);
    const int16_t headerFlag = in.ConsumeBool() ? -1 : in.ConsumeIntegral<int16_t>();
    const Text headerBefore = fuzz::Text(in, 4, kAlphabet);
    std::vector<T> out(n > 0 ? static_cast<size_t>(n) : 0);
    for (T& value : out) value = static_cast<T>(in.ConsumeIntegral<int16_t>());
    const std::vector<T> before = out;
    Variable header(headerBefore);
    if constexpr (std::is_same_v<T, double>) {
        Cpp_GetVectFromCommaListDbl(Arg(list), n, headerFlag, Arg(separator), header.ptr(), out.data());
    } else {
        Cpp_GetVectFromCommaListLng(Arg(list), n, headerFlag, Arg(separator), header.ptr(), out.data());
    }

    std::vector<Text> items = RefItems(list, separator);
    items.resize(out.size());  // items beyond n are lost; missing ones are empty
    const size_t first = headerFlag == -1 ? 1 : 0;
    const Text expectedHeader = headerFlag == -1 ? (items.empty() ? Text() : items[0]) : headerBefore;
    FUZZ_CHECK(header.Replaced() && header.Now() == expectedHeader, Show(header.Now()) + " vs " + Show(expectedHeader));
    std::vector<T> expected = before;
    for (size_t i = first; i < items.size(); ++i) {
        const double number = RefNumber(fuzz::UpToNul(items[i]));
        if constexpr (std::is_same_v<T, double>) {
            expected[i - first] = items[i].empty() ? -1.79769313486231E+308 : number;
        } else {
            expected[i - first] = items[i].empty() ? INT_MIN : RefTruncate(number);
        }
    }
    for (size_t k = 0; k < out.size(); ++k) {
        FUZZ_CHECK(SameBits(static_cast<double>(out[k]), static_cast<double>(expected[k])),
                   "target " + std::to_string(k + 1) + " of " + Show(list) + ": " + std::to_string(out[k]) + " vs " +
                       std::to_string(expected[k]));
    }
}

void CheckExtractFromList(FuzzedDataProvider& in) {
    const int32_t k = Position(in);
    const Text list = fuzz::Text(in, 24, kAlphabet);
    const std::vector<Text> items = RefItems(list, u",");
    const Text expected = k >= 1 && static_cast<size_t>(k) <= items.size() ? items[k - 1] : Text();
    const Text got = fuzz::Take(Cpp_ExtractFromList(k, Arg(list)));
    FUZZ_CHECK(got == expected, Show(list) + " item " + std::to_string(k) + ": " + Show(got) + " vs " + Show(expected));
}

void CheckRReplace(FuzzedDataProvider& in) {
    const Text text = fuzz::Text(in, 40, kAlphabet);
    const Text find = fuzz::Text(in, 3, kAlphabet);
    const Text replacement = fuzz::Text(in, 5, kAlphabet);
    const Text got = fuzz::Take(Cpp_RReplace(Arg(text), Arg(find), Arg(replacement)));
    const Text expected = RefRReplace(text, find, replacement);
    FUZZ_CHECK(got == expected, Show(text) + " " + Show(find) + "->" + Show(replacement) + ": " + Show(got) +
                                    " vs " + Show(expected));
}

void CheckCodeChecks(FuzzedDataProvider& in) {
    const Text code = fuzz::Text(in, 40, kAlphabet);
    const Text got = fuzz::Take(Cpp_CodeChecks(Arg(code)));
    const Text expected = RefCodeChecks(code);
    FUZZ_CHECK(got == expected, Show(code) + ": " + Show(got) + " vs " + Show(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 12)) {
        case 0: CheckInStr(in); break;
        case 1: CheckMid(in); break;
        case 2: CheckReplace(in); break;
        case 3: CheckJoin(in); break;
        case 4: CheckFindStrInVect(in); break;
        case 5: CheckNextBeforeComma(in); break;
        case 6: CheckVectFromCommaList(in); break;
        case 7: CheckVectFromCommaListNumbers<double>(in); break;
        case 8: CheckVectFromCommaListNumbers<int32_t>(in); break;
        case 9: CheckExtractFromList(in); break;
        case 10: CheckRReplace(in); break;
        case 11: CheckCodeChecks(in); break;
        default: CheckReplace(in); break;
    }
    return 0;
}
