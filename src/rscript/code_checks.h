// Checks and substitutions on R code: replacing a name where a delimiter
// follows it, and the checks every generated line passes (top-level "="
// assignments become "<-", code that calls the operating system is refused).
// Quoted text (between ', " or `) is text, not code: neither the checks nor
// the replacement look into it.
#ifndef KOV_RSCRIPT_CODE_CHECKS_H
#define KOV_RSCRIPT_CODE_CHECKS_H

#include <string>
#include <vector>

// For every character of code, whether it lies inside quoted text (between
// ', " or `, with backslash escapes; an unclosed quote runs to the end). The
// quotes themselves are not inside.
std::vector<bool> QuotedCharacters(const std::wstring& code);

// Whether c is one of the characters that may follow a replaced name.
bool IsDelimiter(wchar_t c);

// -1 when c may follow a name that is replaced: the empty string (end of the
// code) or one of " ", ")", "]", ",", ";", "+", "-", "*", "/"; otherwise 0.
short IsOkAfter(const std::wstring& c);

// text with each occurrence of find that IsOkAfter's delimiter follows
// replaced by replacement. An occurrence followed by another character is
// part of a longer name: it stays, and so does everything up to and including
// the next delimiter. Only the character after an occurrence is tested. An
// occurrence inside quoted text stays.
std::wstring RReplace(const std::wstring& text, const std::wstring& find, const std::wstring& replacement);

// The code with the first "=" of each ";"-separated statement turned into
// "<-" when it comes before any "(" and the statement holds no comparison
// ("==", "<=", ">=", "!="); the empty string when the code mentions "system"
// anywhere but as the end of a longer word that closes the code. Only code
// outside quoted text counts for all three.
std::wstring CodeChecks(const std::wstring& code);

#endif
