// String primitives with the names and 1-based positions of the add-in's
// macro language. Out-of-range positions and lengths never fail: they clip.
#ifndef KOV_TEXT_VB_STRING_H
#define KOV_TEXT_VB_STRING_H

#include <string>
#include <vector>

// The number of characters of s.
int Len(const std::wstring& s);

// The code of the first character, 0 for the empty string.
int Asc(const std::wstring& s);

// 1-based position of sought in s searching from start, 0 when absent. An
// empty sought is found at start for 1 <= start <= Len(s) + 1.
int InStr(int start, const std::wstring& s, const std::wstring& sought);

// The first n characters; a negative n or one beyond the length gives all of s.
std::wstring Left(const std::wstring& s, int n);

// Each character through tolower / toupper of the current locale; characters
// above 255 stay as they are.
std::wstring LCase(const std::wstring& s);
std::wstring UCase(const std::wstring& s);

// At most length characters from 1-based start; length -1 (or any negative
// length) gives the rest. A start below 1 or beyond Len(s) + 1 gives "".
std::wstring wMid(const std::wstring& s, int start, int length);

// Drops the first start - 1 characters (all of them for a start outside 1 to
// Len + 1), then replaces the leftmost occurrence of find by replacement and
// searches again from the beginning, so that inserted text can match: count
// times, or with count 0 until none remains; a negative count replaces
// nothing. Always ends: an empty find changes nothing, and with count 0 a
// replacement that contains find replaces each occurrence present once.
std::wstring Replace(const std::wstring& expression, const std::wstring& find, const std::wstring& replacement,
                     int start, int count);

// The elements separated by delimiter.
std::wstring Join(const std::vector<std::wstring>& list, const std::wstring& delimiter);

// n in general notation (six significant digits), left-padded with the
// leading characters of pattern to the pattern's length; a pattern no longer
// than the number adds nothing.
std::wstring Format(int n, const std::wstring& pattern);

// The local time as the 24 characters of asctime, without the newline.
std::wstring LocalNow();

#endif
