// The names R gives the columns of a CSV file it reads with read.csv:
// make.names(names, unique = TRUE) in a UTF-8 locale. The bridge writes these
// names into the data files' headers and into the R code, so that the two
// always agree and a column name never carries anything but letters, digits,
// "." and "_" into the code.
#ifndef KOV_TEXT_R_NAMES_H
#define KOV_TEXT_R_NAMES_H

#include <string>
#include <vector>

// make.names of one name: every character that is neither a letter or digit
// (of any script) nor "." or "_" becomes "."; an "X" goes in front of a name
// that does not start with a letter or with "." not followed by a digit; a
// reserved word gets a trailing ".". Text is host text (UTF-16 code units,
// a surrogate pair being one character).
std::wstring RName(const std::wstring& name);

// make.names(names, unique = TRUE): RName of every name, then duplicates
// numbered as make.unique numbers them ("a", "a.1", "a.2", ...), names that
// RName left unchanged keeping theirs first.
std::vector<std::wstring> RNames(const std::vector<std::wstring>& names);

// Whether c (a code point) is a letter or digit as R sees it in a UTF-8
// locale.
bool IsRNameLetter(char32_t c);

#endif
