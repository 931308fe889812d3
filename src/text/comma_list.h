// Separated lists in one string: cutting into items, converting items to
// numbers with fixed missing-value markers, picking an item, searching.
#ifndef KOV_TEXT_COMMA_LIST_H
#define KOV_TEXT_COMMA_LIST_H

#include <string>

#include "matrix.h"

// Markers for an empty item in numeric vectors.
extern const double kMissingDouble;  // bit pattern 0xFFEFFFFFFFFFFFE2
constexpr int kMissingInt = -2147483647 - 1;

// The first item of list; with cut (-1) the list loses it and the first
// character of the separator. An empty separator separates nothing: the
// whole list is the item and stays.
std::wstring GetNextBeforeComma(std::wstring& list, const std::wstring& separator, short cut);

// Every item of list into vector(1), vector(2), ... (n is not read).
void GetVectFromCommaList(const std::wstring& list, int n, const std::wstring& separator,
                          matrix<std::wstring>& vector);

// Items 1 to n as numbers into vector(1), vector(2), ...: the first ","
// becomes ".", empty items become the marker. With headerFlag -1 item 1 goes
// to header instead. Elements after the last one written are not touched.
// The Lng variant truncates toward zero and saturates to the int range.
void GetVectFromCommaListDbl(const std::wstring& list, int n, short headerFlag, const std::wstring& separator,
                             std::wstring& header, matrix<double>& vector);
void GetVectFromCommaListLng(const std::wstring& list, int n, short headerFlag, const std::wstring& separator,
                             std::wstring& header, matrix<int>& vector);

// Item k of a ","-separated list, "" when there is none.
std::wstring ExtractFromList(int k, const std::wstring& list);

// -1 when one of vector(1..n) equals sought exactly, else 0.
short FindStrInVect(const std::wstring& sought, int n, matrix<std::wstring>& vector);

#endif
