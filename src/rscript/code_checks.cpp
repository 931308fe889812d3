#include "code_checks.h"

#include <vector>

#include "vb_string.h"

bool IsDelimiter(wchar_t c) {
    switch (c) {
        case L' ':
        case L')':
        case L']':
        case L',':
        case L';':
        case L'+':
        case L'-':
        case L'*':
        case L'/':
            return true;
        default:
            return false;
    }
}

std::vector<bool> QuotedCharacters(const std::wstring& code) {
    std::vector<bool> quoted(code.size(), false);
    wchar_t quote = 0;
    for (size_t i = 0; i < code.size(); ++i) {
        const wchar_t c = code[i];
        if (quote == 0) {
            if (c == L'\'' || c == L'"' || c == L'`') quote = c;
        } else if (c == quote) {
            quote = 0;
        } else {
            quoted[i] = true;
            if (c == L'\\' && i + 1 < code.size()) quoted[++i] = true;
        }
    }
    return quoted;
}

namespace {

// An operating-system call is refused; "system" passes only as the tail of
// a longer lower-case word at the very end of the code ('filesystem').
bool CallsSystem(const std::wstring& code) {
    const std::wstring lower = LCase(code);
    const int p = InStr(1, lower, L"system");
    if (p == 0) return false;
    if (p < 2) return true;
    const int before = Asc(wMid(lower, p - 1, 1));
    const bool wordGoesOn = before >= 'a' && before <= 'z';
    return !(wordGoesOn && p + 5 >= Len(code));
}

// code with the inside of every quoted text turned into "_".
std::wstring WithoutQuotedText(const std::wstring& code) {
    const std::vector<bool> quoted = QuotedCharacters(code);
    std::wstring bare = code;
    for (size_t i = 0; i < bare.size(); ++i) {
        if (quoted[i]) bare[i] = L'_';
    }
    return bare;
}

// A comparison is never turned into an assignment.
bool HoldsComparison(const std::wstring& statement) {
    for (const wchar_t* op : {L"==", L"<=", L">=", L"!="}) {
        if (statement.find(op) != std::wstring::npos) return true;
    }
    return false;
}

}  // namespace

short IsOkAfter(const std::wstring& c) {
    if (c.empty()) return -1;
    return c.size() == 1 && IsDelimiter(c[0]) ? -1 : 0;
}

std::wstring RReplace(const std::wstring& text, const std::wstring& find, const std::wstring& replacement) {
    size_t at = text.find(find);
    if (at == std::wstring::npos) return text;
    if (at == 0 && find.size() == text.size()) return replacement;
    if (find.empty()) return text;

    // One pass over text; from marks the start of what is still to be copied.
    const std::vector<bool> quoted = QuotedCharacters(text);
    std::wstring out;
    out.reserve(text.size());
    size_t from = 0;
    while (at != std::wstring::npos) {
        out.append(text, from, at - from);
        size_t next = at + find.size();
        if (quoted[at]) {
            // Quoted text is text, not code: it stays as it is.
            out += find;
            from = next;
            at = text.find(find, from);
            continue;
        }
        if (next >= text.size() || IsDelimiter(text[next])) {
            out += replacement;
        } else {
            out += find;
            while (next < text.size() && !IsDelimiter(text[next])) out += text[next++];
        }
        // The delimiter after the occurrence is copied with it.
        if (next < text.size()) out += text[next++];
        from = next;
        at = text.find(find, from);
    }
    out.append(text, from, std::wstring::npos);
    return out;
}

std::wstring CodeChecks(const std::wstring& code) {
    // The checks look at code only: quoted text, where a quote, "system", ";"
    // or "=" is just text, is masked out.
    const std::wstring bare = WithoutQuotedText(code);
    if (CallsSystem(bare)) return std::wstring();
    std::wstring out;
    out.reserve(code.size() + 8);
    for (size_t start = 0;;) {
        const size_t found = bare.find(L';', start);
        const size_t end = found == std::wstring::npos ? bare.size() : found;
        const std::wstring statement = bare.substr(start, end - start);
        const size_t equals = statement.find(L'=');
        const size_t paren = statement.find(L'(');
        if (equals != std::wstring::npos && !HoldsComparison(statement) &&
            (paren == std::wstring::npos || equals < paren)) {
            out.append(code, start, equals).append(L"<-").append(code, start + equals + 1, end - start - equals - 1);
        } else {
            out.append(code, start, end - start);
        }
        if (end == bare.size()) break;
        out += L';';
        start = end + 1;
    }
    return out;
}
