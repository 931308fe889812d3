// Identifier and type helpers of the template reader and catalogue.
#ifndef KOV_TEXT_IDENTIFIERS_H
#define KOV_TEXT_IDENTIFIERS_H

#include <string>

// A numeric code from the first letters of two names (not unique). Sums
// beyond the int range saturate.
int GetUniqueID(std::wstring first, std::wstring second);

// The numeric type code of a data-selection type word, 0 when unknown.
int GetDataType(const std::wstring& word);

// "&gt;" and "&lt;" turned back into ">" and "<".
std::wstring ReplaceSpecialSymbols(const std::wstring& text);

#endif
