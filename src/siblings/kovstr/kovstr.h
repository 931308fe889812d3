// kovstr: small wide-string helpers shared by the add-in's native libraries.
// Functions that produce a string return it through a result slot passed first.
#ifndef KOV_SIBLINGS_KOVSTR_H
#define KOV_SIBLINGS_KOVSTR_H

#include <string>

#define KOVSTR_API __attribute__((visibility("default")))

// The smaller of x and y.
KOVSTR_API double Min(double x, double y);

// s without its leading blanks.
KOVSTR_API void StrLTrim(std::wstring& result, std::wstring s);

// The first n characters of s (all of s when n is negative or too large).
KOVSTR_API void StrLeft(std::wstring& result, std::wstring s, int n);

// text with every occurrence of find replaced by replacement, scanning left to
// right once (inserted text is never searched again). An empty find changes nothing.
KOVSTR_API std::wstring Replace(std::wstring text, const wchar_t* find, const wchar_t* replacement);
KOVSTR_API std::wstring Replace(std::wstring text, std::wstring find, std::wstring replacement);

// The number of occurrences of the first character of c in text (0 for an empty c).
KOVSTR_API int cChrCount(std::wstring text, std::wstring c);

// The characters strictly between the first occurrence of the opening
// character and the next occurrence of the closing character after it; the
// empty string when there is no such pair.
KOVSTR_API void cStrBetweenChrAndChr(std::wstring& result, std::wstring text, std::wstring open, std::wstring close);

// The suffix a catalogue appends to a template's title: " (" + name + ")" for
// a non-empty function name, so that a title reads "Linear regression (lm)";
// the empty string for an empty name.
KOVSTR_API void PStrP(std::wstring& result, std::wstring functionName);

#endif
