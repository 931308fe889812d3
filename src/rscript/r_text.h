// Small pieces of generated R text shared by the code generators: string
// literals and numbers taken from typed text.
#ifndef KOV_RSCRIPT_R_TEXT_H
#define KOV_RSCRIPT_R_TEXT_H

#include <string>

// value as an R string literal between single quotes that R reads back as
// exactly value: backslash and quote escaped, line feed, carriage return and
// tab as \n, \r, \t, other control characters as \x.. (C1 controls as
// \u....), NUL dropped (R strings cannot hold it). Other characters stay as
// they are: the file holds them in UTF-8 (Utf8).
std::wstring RQuoted(const std::wstring& value);

// A typed number as R code: value with a decimal comma turned into a point
// when it is then a number literal (optional sign, digits with at most one
// decimal point, optional exponent; blanks around it allowed), NA otherwise.
std::wstring RNumber(const std::wstring& value);

// A typed integer list as R code: "c(1, 3, 5:7)" when value holds only
// integers and ranges ("3", "-2", "1:5") separated by commas, semicolons (the
// list separators of the hosts) or blanks; "c()" when it holds none; NA
// otherwise.
std::wstring RIntegerList(const std::wstring& value);

#endif
