#include "host_arrays.h"

#include <cstdlib>
#include <cstring>

#include "host_text.h"

namespace kovr {

namespace {

template <typename T>
T* Element(SAFEARRAY* array, uint32_t i) {
    if (array == nullptr || array->pvData == nullptr || i < 1 || i > ElementCount(array)) return nullptr;
    return static_cast<T*>(array->pvData) + (i - 1);
}

}  // namespace

SAFEARRAY* NewArray(uint16_t vt, uint32_t count) {
    SAFEARRAYBOUND bound{count, 1};
    return SafeArrayCreate(vt, 1, &bound);
}

SAFEARRAY* NewTable(uint16_t vt, uint32_t rows, uint32_t cols) {
    SAFEARRAYBOUND bounds[2] = {{rows, 1}, {cols, 1}};
    return SafeArrayCreate(vt, 2, bounds);
}

uint32_t ElementCount(const SAFEARRAY* array) {
    if (array == nullptr) return 0;
    uint32_t n = 1;
    for (uint16_t d = 0; d < array->cDims; ++d) n *= array->rgsabound[d].cElements;
    return n;
}

SAFEARRAY* NewRecordArray(size_t elementSize, uint32_t count) {
    auto* array = static_cast<SAFEARRAY*>(std::calloc(1, sizeof(SAFEARRAY)));
    array->cDims = 1;
    array->fFeatures = FADF_RECORD;
    array->cbElements = static_cast<uint32_t>(elementSize);
    array->rgsabound[0] = SAFEARRAYBOUND{count, 1};
    if (count > 0) array->pvData = std::calloc(count, elementSize);
    return array;
}

void FreeRecordArray(SAFEARRAY* array) {
    if (array == nullptr) return;
    std::free(array->pvData);
    std::free(array);
}

std::string TextAt(SAFEARRAY* array, uint32_t i) {
    BSTR* s = Element<BSTR>(array, i);
    return s == nullptr ? std::string() : HostText(*s);
}

int32_t IntAt(SAFEARRAY* array, uint32_t i) {
    const int32_t* v = Element<int32_t>(array, i);
    return v == nullptr ? 0 : *v;
}

int16_t ShortAt(SAFEARRAY* array, uint32_t i) {
    const int16_t* v = Element<int16_t>(array, i);
    return v == nullptr ? 0 : *v;
}

void SetTextAt(SAFEARRAY* array, uint32_t i, std::string_view text) {
    BSTR* s = Element<BSTR>(array, i);
    if (s != nullptr) SetHostString(s, text);
}

void SetIntAt(SAFEARRAY* array, uint32_t i, int32_t value) {
    if (int32_t* v = Element<int32_t>(array, i)) *v = value;
}

void SetShortAt(SAFEARRAY* array, uint32_t i, int16_t value) {
    if (int16_t* v = Element<int16_t>(array, i)) *v = value;
}

BSTR LoadHostString(const void* field) {
    BSTR s;
    std::memcpy(&s, field, sizeof s);
    return s;
}

void StoreHostString(void* field, BSTR s) { std::memcpy(field, &s, sizeof s); }

void SetHostString(void* slot, std::string_view text) {
    SysFreeString(LoadHostString(slot));
    StoreHostString(slot, NewHostString(text));
}

}  // namespace kovr
