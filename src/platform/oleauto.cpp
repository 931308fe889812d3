// Host strings and host arrays with the byte layout the add-in's host uses.
#include "oleauto.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint32_t kMaxChars = 0x3FFFFFFFu;

uint32_t ElementSize(uint16_t vt) {
    switch (vt) {
        case VT_I2:
        case VT_BOOL:
            return 2;
        case VT_I4:
            return 4;
        case VT_R8:
            return 8;
        case VT_BSTR:
            return sizeof(BSTR);
        default:
            return 0;
    }
}

// The product of the element counts; SIZE_MAX when it does not fit.
size_t ElementCount(const SAFEARRAY* array) {
    size_t n = 1;
    for (uint16_t d = 0; d < array->cDims; ++d) {
        const size_t dimension = array->rgsabound[d].cElements;
        if (dimension != 0 && n > SIZE_MAX / dimension) return SIZE_MAX;
        n *= dimension;
    }
    return n;
}

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const char16_t* text, uint32_t length) {
    if (length > kMaxChars) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(uint32_t) + (size_t{length} + 1) * 2));
    if (block == nullptr) return nullptr;
    const uint32_t bytes = length * 2;
    std::memcpy(block, &bytes, sizeof bytes);
    auto* chars = reinterpret_cast<char16_t*>(block + sizeof(uint32_t));
    if (text != nullptr) {
        std::memcpy(chars, text, size_t{length} * 2);
    } else {
        std::memset(chars, 0, size_t{length} * 2);
    }
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const char16_t* text) {
    if (text == nullptr) return nullptr;
    uint32_t length = 0;
    while (text[length] != 0) ++length;
    return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR s) {
    if (s == nullptr) return;
    std::free(reinterpret_cast<unsigned char*>(s) - sizeof(uint32_t));
}

uint32_t SysStringLen(BSTR s) {
    if (s == nullptr) return 0;
    uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(s) - sizeof(uint32_t), sizeof bytes);
    return bytes / 2;
}

SAFEARRAY* SafeArrayCreate(uint16_t vt, uint32_t cDims, SAFEARRAYBOUND* bounds) {
    const uint32_t elementSize = ElementSize(vt);
    if (elementSize == 0 || cDims == 0 || cDims > 8 || bounds == nullptr) return nullptr;
    const size_t descriptorSize = sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
    auto* array = static_cast<SAFEARRAY*>(std::calloc(1, descriptorSize));
    if (array == nullptr) return nullptr;
    array->cDims = static_cast<uint16_t>(cDims);
    array->fFeatures = FADF_HAVEVARTYPE | (vt == VT_BSTR ? FADF_BSTR : 0);
    array->cbElements = elementSize;
    for (uint32_t d = 0; d < cDims; ++d) array->rgsabound[cDims - 1 - d] = bounds[d];
    const size_t count = ElementCount(array);
    if (count > SIZE_MAX / elementSize) {
        std::free(array);
        return nullptr;
    }
    if (count > 0) {
        array->pvData = std::calloc(count, elementSize);
        if (array->pvData == nullptr) {
            std::free(array);
            return nullptr;
        }
    }
    return array;
}

int32_t SafeArrayDestroy(SAFEARRAY* array) {
    if (array == nullptr) return 0;
    if ((array->fFeatures & FADF_BSTR) != 0 && array->pvData != nullptr) {
        auto* strings = static_cast<BSTR*>(array->pvData);
        const size_t count = ElementCount(array);
        for (size_t k = 0; k < count; ++k) SysFreeString(strings[k]);
    }
    std::free(array->pvData);
    std::free(array);
    return 0;
}

}  // extern "C"
