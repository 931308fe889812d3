#include "record_fields.h"

namespace kovr {

namespace {

constexpr Element kTEXT = Element::kText;
constexpr Element kINT32 = Element::kInt32;
constexpr Element kINT16 = Element::kInt16;

}  // namespace

#define KOVR_DIALOG_VECTOR(field, element) VectorField{#field, offsetof(ST_aiR, field), k##element},
#define KOVR_CONTROL_VECTOR(field, element) VectorField{#field, offsetof(ST_AirControlInfo, field), k##element},
#define KOVR_DIALOG_STRING(field) StringField{#field, offsetof(ST_aiR, field)},

const std::array<VectorField, 62> kDialogVectors = {KOV_DIALOG_VECTORS(KOVR_DIALOG_VECTOR)};
const std::array<VectorField, 26> kControlVectors = {KOV_CONTROL_VECTORS(KOVR_CONTROL_VECTOR)};
const std::array<StringField, 16> kDialogStrings = {KOV_DIALOG_STRINGS(KOVR_DIALOG_STRING)};

uint16_t ArrayType(Element element) {
    switch (element) {
        case Element::kText:
            return VT_BSTR;
        case Element::kInt32:
            return VT_I4;
        case Element::kInt16:
            return VT_I2;
    }
    return VT_I2;
}

}  // namespace kovr
