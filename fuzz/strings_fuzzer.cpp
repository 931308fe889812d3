// Fuzz target of the string and list exports: Cpp_InStr, Cpp_Mid,
// Cpp_Replace, Cpp_Join, Cpp_FindStrInVect, the comma-list exports,
// Cpp_RReplace and Cpp_CodeChecks (which leave quoted text alone) on random
// host strings and numbers. Each result, and what the in/out host strings hold
// afterwards, is compared with a plain, slow reference written here from the
// rules of the macro language (1-based positions, clipping, restart-from-the-
// beginning replacement).
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
        if (s.compare(at, sought.size(), sought) == 0) return at + 1;
    }
    return 0;
}

// A negative length (-1 or any other, taken as unsigned) or one beyond the
// end: the rest; a start outside 1 to Len + 1 gives "".
Text RefMid(const Text& s, int64_t start, int64_t length) {
    if (start < 1 || start > Length(s) + 1) return Text();
    const int64_t available = Length(s) - (start - 1);
    return s.substr(start - 1, length < 0 || length > available ? available : length);
}

// The leftmost occurrence replaced, the search restarted from the beginning.
// With count 0 and a replacement that holds find, every occurrence present
// is replaced once; a rewrite that could feed itself stops after 2 x Len + 1
// replacements.
Text RefReplace(const Text& expression, const Text& find, const Text& replacement, int64_t start, int64_t count) {
    Text text = RefMid(expression, start, -1);
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
    for (int64_t done = 0, p; done < limit && (p = RefInStr(1, text, find)) > 0; ++done) {
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

std::vector<Text> RefItems(Text list, const Text& separator) {
    std::vector<Text> items;
    while (!separator.empty() && RefInStr(1, list, separator) >= 1) items.push_back(RefNextBeforeComma(list, separator, -1));
    items.push_back(list);
    return items;
}

bool RefIsOkAfter(const Text& c) { return c.empty() || (c.size() == 1 && Text(u" )],;+-*/").find(c[0]) != Text::npos); }

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
        } else if (escaped || c != open) {
            inside[k] = true;
            escaped = !escaped && c == u'\\';
        } else {
            open = 0;
        }
    }
    return inside;
}

// An occurrence that starts inside quoted text stays as it is; one followed
// by a character that can continue a name stays too, with that name.
Text RefRReplace(const Text& text, const Text& find, const Text& replacement) {
    const std::vector<bool> quoted = RefQuoted(text);
    int64_t p = RefInStr(1, text, find);
    if (p == 0) return text;
    if (p == 1 && find.size() == text.size()) return replacement;
    if (find.empty()) return text;
    Text out;
    Text rest = text;
    int64_t consumed = 0;  // characters of text before rest
    for (; p != 0; p = RefInStr(1, rest, find)) {
        out += RefMid(rest, 1, p - 1);
        int64_t e = p + Length(find);
        if (quoted[consumed + p - 1]) {
            out += find;
            rest = RefMid(rest, e, -1);
            consumed += e - 1;
            continue;
        }
        Text c = RefMid(rest, e, 1);
        if (RefIsOkAfter(c)) {
            out += replacement + c;
        } else {
            out += find + c;
            while (!c.empty() && !RefIsOkAfter(c)) out += c = RefMid(rest, ++e, 1);
        }
        rest = e < Length(rest) ? RefMid(rest, e + 1, Length(rest) - e) : Text();
        consumed += e;
    }
    return out + rest;
}

// Code that calls "system" (outside quoted text, in any case) is refused;
// each statement whose first "=" comes before any "(" and that compares
// nothing assigns with "<-" instead.
Text RefCodeChecks(const Text& code) {
    const std::vector<bool> quoted = RefQuoted(code);
    Text masked = code;
    Text lower = code;
    for (size_t k = 0; k < code.size(); ++k) {
        if (quoted[k]) masked[k] = lower[k] = u'_';
        if (lower[k] >= u'A' && lower[k] <= u'Z') lower[k] = static_cast<char16_t>(lower[k] - u'A' + u'a');
    }
    const int64_t p = RefInStr(1, lower, u"system");
    if (p > 0) {
        const bool afterLetter = p >= 2 && lower[p - 2] >= u'a' && lower[p - 2] <= u'z';
        if (!(afterLetter && p + 5 >= Length(code))) return Text();
    }
    Text out;
    for (size_t start = 0;;) {
        const size_t end = std::min(masked.find(u';', start), masked.size());
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

// The first "," read as the decimal point, then what wcstod reads.
double RefNumber(Text item) {
    const size_t comma = item.find(u',');
    if (comma != Text::npos) item[comma] = u'.';
    return std::wcstod(std::wstring(item.begin(), item.end()).c_str(), nullptr);
}

int32_t RefTruncate(double value) {
    if (std::isnan(value)) return 0;
    if (value <= INT_MIN) return INT_MIN;
    return value >= INT_MAX ? INT_MAX : static_cast<int32_t>(value);
}

// ---- Host strings ----------------------------------------------------------

// Host strings the way the add-in passes them (an argument, an in/out
// variable, a buffer); frees every string they ever held, the ones the
// library put there included.
class Strings {
public:
    explicit Strings(const std::vector<Text>& texts) {
        for (const Text& text : texts) slots_.push_back(fuzz::Bstr(text));
        before_ = slots_;
    }
    // n strings, each null or random.
    Strings(FuzzedDataProvider& in, int32_t n) {
        for (int32_t k = 0; k < n; ++k) slots_.push_back(in.ConsumeBool() ? nullptr : fuzz::Bstr(fuzz::Text(in, 6, kAlphabet)));
        before_ = slots_;
    }
    ~Strings() {
        for (size_t k = 0; k < slots_.size(); ++k) {
            if (slots_[k] != before_[k]) SysFreeString(slots_[k]);
            SysFreeString(before_[k]);
        }
    }
    Strings(const Strings&) = delete;
    Strings& operator=(const Strings&) = delete;

    operator BSTR() const { return slots_[0]; }
    BSTR* data() { return slots_.empty() ? nullptr : slots_.data(); }
    size_t size() const { return slots_.size(); }
    // Element k as the library reads a buffer: up to its first NUL.
    Text Before(size_t k) const { return fuzz::UpToNul(fuzz::Units(before_[k])); }
    Text Now(size_t k = 0) const { return fuzz::Units(slots_[k]); }
    bool Replaced(size_t k = 0) const { return slots_[k] != before_[k]; }

private:
    std::vector<BSTR> slots_;
    std::vector<BSTR> before_;
};

using Arg = Strings;

// ---- One call per input ----------------------------------------------------

int32_t Position(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-2, 12) : in.ConsumeIntegral<int32_t>();
}

Text Draw(FuzzedDataProvider& in, size_t maxLength) { return fuzz::Text(in, maxLength, kAlphabet); }

void CheckSame(const Text& got, const Text& expected, const std::string& input) {
    FUZZ_CHECK(got == expected, input + ": " + Show(got) + " vs " + Show(expected));
}

void CheckInStr(FuzzedDataProvider& in) {
    const int32_t start = Position(in);
    const Text s = Draw(in, 24), sought = Draw(in, 3);
    FUZZ_CHECK(Cpp_InStr(start, Arg({s}), Arg({sought})) == RefInStr(start, s, sought),
               Show(s) + " " + Show(sought) + " " + std::to_string(start));
}

void CheckMid(FuzzedDataProvider& in) {
    const Text s = Draw(in, 24);
    const int32_t start = Position(in), length = Position(in);
    CheckSame(fuzz::Take(Cpp_Mid(Arg({s}), start, length)), RefMid(s, start, length),
              Show(s) + " " + std::to_string(start) + " " + std::to_string(length));
}

void CheckReplace(FuzzedDataProvider& in) {
    const Text expression = Draw(in, 40), find = Draw(in, 3), replacement = Draw(in, 5);
    const int32_t start = Position(in);
    const int32_t count = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-1, 4) : Position(in);
    CheckSame(fuzz::Take(Cpp_Replace(Arg({expression}), Arg({find}), Arg({replacement}), start, count)),
              RefReplace(expression, find, replacement, start, count),
              Show(expression) + " " + Show(find) + "->" + Show(replacement) + " start " + std::to_string(start) +
                  " count " + std::to_string(count));
}

void CheckJoinAndFind(FuzzedDataProvider& in) {
    const int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 5);
    Strings buffer(in, n);
    const Text delimiter = Draw(in, 3);
    Text joined;
    bool found = false;
    for (size_t k = 0; k < buffer.size(); ++k) {
        joined += (k > 0 ? delimiter : Text()) + buffer.Now(k);
        found = found || buffer.Before(k) == delimiter;
    }
    CheckSame(fuzz::Take(Cpp_Join(buffer.data(), n, Arg({delimiter}))), joined, "join");
    FUZZ_CHECK(Cpp_FindStrInVect(Arg({delimiter}), n, buffer.data()) == (found ? -1 : 0), Show(delimiter));
}

void CheckNextBeforeComma(FuzzedDataProvider& in) {
    Text list = Draw(in, 24);
    const Text separator = Draw(in, 2);
    const int16_t cut = in.ConsumeBool() ? -1 : in.ConsumeIntegral<int16_t>();
    Strings variable({list});
    const Text got = fuzz::Take(Cpp_GetNextBeforeComma(variable.data(), Arg({separator}), cut));
    CheckSame(got, RefNextBeforeComma(list, separator, cut), "item");
    FUZZ_CHECK(variable.Replaced());
    CheckSame(variable.Now(), list, "the rest");
}

void CheckVectFromCommaList(FuzzedDataProvider& in) {
    const Text list = Draw(in, 24), separator = Draw(in, 2);
    const int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 6);
    Strings out(in, n);
    Cpp_GetVectFromCommaList(Arg({list}), n, Arg({separator}), out.data());
    const std::vector<Text> items = RefItems(list, separator);
    for (size_t k = 0; k < out.size(); ++k) {
        FUZZ_CHECK(out.Replaced(k));
        CheckSame(out.Now(k), fuzz::UpToNul(k < items.size() ? items[k] : out.Before(k)),
                  "item " + std::to_string(k + 1) + " of " + Show(list) + " by " + Show(separator));
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
    const Text headerBefore = Draw(in, 4);
    std::vector<T> out(std::max(n, 0));
    for (T& value : out) value = static_cast<T>(in.ConsumeIntegral<int16_t>());
    std::vector<T> expected = out;
    Strings header({headerBefore});
    if constexpr (std::is_same_v<T, double>) {
        Cpp_GetVectFromCommaListDbl(Arg({list}), n, headerFlag, Arg({separator}), header.data(), out.data());
    } else {
        Cpp_GetVectFromCommaListLng(Arg({list}), n, headerFlag, Arg({separator}), header.data(), out.data());
    }

    std::vector<Text> items = RefItems(list, separator);
    items.resize(out.size());  // items beyond n are lost; missing ones are empty
    const size_t first = headerFlag == -1 ? 1 : 0;
    FUZZ_CHECK(header.Replaced());
    CheckSame(header.Now(), headerFlag != -1 ? headerBefore : items.empty() ? Text() : items[0], "header");
    for (size_t i = first; i < items.size(); ++i) {
        const double number = RefNumber(fuzz::UpToNul(items[i]));
        if constexpr (std::is_same_v<T, double>) {
            expected[i - first] = items[i].empty() ? -1.79769313486231E+308 : number;
        } else {
            expected[i - first] = items[i].empty() ? INT_MIN : RefTruncate(number);
        }
    }
    for (size_t k = 0; k < out.size(); ++k) {
        const double got = out[k], want = expected[k];
        FUZZ_CHECK(std::memcmp(&got, &want, sizeof got) == 0, "target " + std::to_string(k + 1) + " of " + Show(list) +
                                                                  ": " + std::to_string(got) + " vs " + std::to_string(want));
    }
}

void CheckExtractFromList(FuzzedDataProvider& in) {
    const int32_t k = Position(in);
    const Text list = Draw(in, 24);
    const std::vector<Text> items = RefItems(list, u",");
    CheckSame(fuzz::Take(Cpp_ExtractFromList(k, Arg({list}))),
              k >= 1 && static_cast<size_t>(k) <= items.size() ? items[k - 1] : Text(),
              Show(list) + " item " + std::to_string(k));
}

void CheckRReplace(FuzzedDataProvider& in) {
    const Text text = Draw(in, 40), find = Draw(in, 3), replacement = Draw(in, 5);
    CheckSame(fuzz::Take(Cpp_RReplace(Arg({text}), Arg({find}), Arg({replacement}))), RefRReplace(text, find, replacement),
              Show(text) + " " + Show(find) + "->" + Show(replacement));
}

void CheckCodeChecks(FuzzedDataProvider& in) {
    const Text code = Draw(in, 40);
    CheckSame(fuzz::Take(Cpp_CodeChecks(Arg({code}))), RefCodeChecks(code), Show(code));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 10)) {
        case 0: CheckInStr(in); break;
        case 1: CheckMid(in); break;
        case 2: CheckJoinAndFind(in); break;
        case 3: CheckNextBeforeComma(in); break;
        case 4: CheckVectFromCommaList(in); break;
        case 5: CheckVectFromCommaListNumbers<double>(in); break;
        case 6: CheckVectFromCommaListNumbers<int32_t>(in); break;
        case 7: CheckExtractFromList(in); break;
        case 8: CheckRReplace(in); break;
        case 9: CheckCodeChecks(in); break;
        default: CheckReplace(in); break;
    }
    return 0;
}
