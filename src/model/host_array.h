// Whether a host array descriptor holds what a record field expects. Hosts
// lay descriptors out by hand, and a wrong one (16-bit numbers where 32-bit
// ones belong, numbers where strings or records belong) would have the
// library read or write past the host's memory; such an array is treated as
// absent, like a null one: nothing is read from it or written into it.
#ifndef KOV_MODEL_HOST_ARRAY_H
#define KOV_MODEL_HOST_ARRAY_H

#include <cstddef>
#include <cstdint>

#include "oleauto.h"

enum class HostElements { kValues, kStrings, kRecords };

// Elements of elementSize bytes; the string feature set exactly for strings
// and the record feature exactly for records; 1 to maxDims dimensions.
inline bool HostArrayFits(const SAFEARRAY* array, HostElements elements, size_t elementSize, uint16_t maxDims) {
    if (array == nullptr || array->cDims < 1 || array->cDims > maxDims || array->cbElements != elementSize) {
        return false;
    }
    const bool strings = (array->fFeatures & FADF_BSTR) != 0;
    const bool records = (array->fFeatures & FADF_RECORD) != 0;
    return strings == (elements == HostElements::kStrings) && records == (elements == HostElements::kRecords);
}

#endif
