// Host arrays for the tool: one-dimensional arrays (lower bound 1) and tables
// of the element kinds the host records use, entries addressed from 1 as the
// add-in's macro code addresses them, and hand-laid arrays of records.
#ifndef KOVR_HOST_ARRAYS_H
#define KOVR_HOST_ARRAYS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kovrbridge.h"

namespace kovr {

// A zero-filled array of count elements of kind vt (VT_BSTR, VT_I4, VT_I2,
// VT_R8); free it with SafeArrayDestroy, which frees its strings too.
SAFEARRAY* NewArray(uint16_t vt, uint32_t count);
// A rows x cols table, column-major.
SAFEARRAY* NewTable(uint16_t vt, uint32_t rows, uint32_t cols);
// Number of elements of all dimensions; 0 for a null array.
uint32_t ElementCount(const SAFEARRAY* array);

// An array of count records of elementSize bytes laid out by hand (the
// automation types have no record kind); free it with FreeRecordArray.
SAFEARRAY* NewRecordArray(size_t elementSize, uint32_t count);
void FreeRecordArray(SAFEARRAY* array);

template <typename T>
T* Elements(SAFEARRAY* array) {
    return array == nullptr ? nullptr : static_cast<T*>(array->pvData);
}

// Element i (from 1) of a string, 32-bit or 16-bit array; "" or 0 outside it.
std::string TextAt(SAFEARRAY* array, uint32_t i);
int32_t IntAt(SAFEARRAY* array, uint32_t i);
int16_t ShortAt(SAFEARRAY* array, uint32_t i);
// Stores into element i (from 1); ignored outside the array. SetTextAt frees
// the host string the element held.
void SetTextAt(SAFEARRAY* array, uint32_t i, std::string_view text);
void SetIntAt(SAFEARRAY* array, uint32_t i, int32_t value);
void SetShortAt(SAFEARRAY* array, uint32_t i, int16_t value);

// Entry i (from 1 to count) of a vector record.
inline std::string TextAt(const ST_Vect& v, int i) { return TextAt(v.values, static_cast<uint32_t>(i)); }
inline int32_t IntAt(const ST_Vect& v, int i) { return IntAt(v.values, static_cast<uint32_t>(i)); }
inline int16_t ShortAt(const ST_Vect& v, int i) { return ShortAt(v.values, static_cast<uint32_t>(i)); }

// The host string fields of the packed records may lie at addresses that are
// not aligned for a pointer, so they are read and written byte-wise.
BSTR LoadHostString(const void* field);
void StoreHostString(void* field, BSTR s);
// Replaces the host string in the field at slot by a new one holding text,
// freeing the old one.
void SetHostString(void* slot, std::string_view text);

}  // namespace kovr

#endif
