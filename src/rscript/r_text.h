// Small pieces of generated R text shared by the code generators.
#ifndef KOV_RSCRIPT_R_TEXT_H
#define KOV_RSCRIPT_R_TEXT_H

#include <string>

// value between single quotes, its backslashes and single quotes escaped so
// that R reads the value back unchanged ("it's" gives 'it\'s').
std::wstring RQuoted(const std::wstring& value);

// A data set's column name as R knows it after reading the CSV file: every
// blank becomes "." ("Sales Amount" gives Sales.Amount).
std::wstring RColumnName(const std::wstring& name);

#endif
