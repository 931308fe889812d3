// String primitives with the names and 1-based positions of the add-in's
// macro language.
#ifndef KOV_TEXT_VB_STRING_H
#define KOV_TEXT_VB_STRING_H

#include <string>

// The number of characters of s.
int Len(const std::wstring& s);

#endif
