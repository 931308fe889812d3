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
    std::wstring out;
    out.reserve(text.size());
    size_t from = 0;
    while (at != std::wstring::npos) {
        out.append(text, from, at - from);
        size_t next = at + find.size();
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
    if (CallsSystem(code)) return std::wstring();
    std::vector<std::wstring> statements = Split(code, ";");
    for (std::wstring& statement : statements) {
        const size_t equals = statement.find(L'=');
        if (equals == std::wstring::npos || HoldsComparison(statement)) continue;
        const size_t paren = statement.find(L'(');
        if (paren == std::wstring::npos || equals < paren) statement.replace(equals, 1, L"<-");
    }
    return Join(statements, L";");
}
