// The fields of the dialog description records by name, expanded from the
// field lists: the vectors of ST_aiR and of ST_AirControlInfo (in the order of
// their counts) and the string fields of ST_aiR, so that the tool can size,
// dump and free them in a loop.
#ifndef KOVR_RECORD_FIELDS_H
#define KOVR_RECORD_FIELDS_H

#include <array>
#include <cstddef>
#include <cstdint>

#include "kovrbridge.h"
#include "kovrbridge_fields.h"

namespace kovr {

enum class Element { kText, kInt32, kInt16 };

struct VectorField {
    const char* name;
    size_t offset;
    Element element;
};

struct StringField {
    const char* name;
    size_t offset;
};

extern const std::array<VectorField, 62> kDialogVectors;
extern const std::array<VectorField, 26> kControlVectors;
extern const std::array<StringField, 16> kDialogStrings;

// The host array type of a vector's elements (VT_BSTR, VT_I4 or VT_I2).
uint16_t ArrayType(Element element);

inline ST_Vect& VectorOf(ST_aiR& dialog, const VectorField& field) {
    return *reinterpret_cast<ST_Vect*>(reinterpret_cast<char*>(&dialog) + field.offset);
}
inline ST_Vect& VectorOf(ST_AirControlInfo& controls, const VectorField& field) {
    return *reinterpret_cast<ST_Vect*>(reinterpret_cast<char*>(&controls) + field.offset);
}
// The address of a string field (read it with LoadHostString: it may not be
// aligned for a pointer).
inline void* StringAt(ST_aiR& dialog, const StringField& field) {
    return reinterpret_cast<char*>(&dialog) + field.offset;
}

}  // namespace kovr

#endif
