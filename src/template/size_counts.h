// The sizing pass's counts. Entry k of ST_aiRSize::vectorSize counts the
// entries the filling pass appends to vector k of the dialog description
// (pageText is 0, scriptCode 61); entry j of ST_AirControlInfoSize counts
// those of per-control vector j (ctlChartName is 0, ctlWidth 25).
#ifndef KOV_TEMPLATE_SIZE_COUNTS_H
#define KOV_TEMPLATE_SIZE_COUNTS_H

#include <cstdint>

#include "kovrbridge.h"

// Vectors first..last of the dialog description, which grow together.
struct VectorRange {
    int first;
    int last;
};

constexpr VectorRange kPageVectors{0, 4};
constexpr VectorRange kComboVectors{17, 20};
constexpr VectorRange kRefVectors{21, 34};
constexpr VectorRange kInputVectors{35, 40};
constexpr VectorRange kResultVectors{41, 58};
constexpr VectorRange kScriptVectors{59, 61};

// ctlExtra is never appended to by the reader.
constexpr int kCtlExtraVector = 8;
constexpr int kControlVectorCount = 26;

// One more in a count; a count the host left at the int maximum stays there.
inline void CountOne(int32_t& count) {
    if (count < INT32_MAX) ++count;
}

// One more entry in each vector of the range.
inline void CountEntry(ST_aiRSize& sizes, VectorRange vectors) {
    for (int k = vectors.first; k <= vectors.last; ++k) CountOne(sizes.vectorSize[k]);
}

// One more control: one more entry in every per-control vector but ctlExtra.
inline void CountControl(ST_AirControlInfoSize& sizes) {
    for (int j = 0; j < kControlVectorCount; ++j) {
        if (j != kCtlExtraVector) CountOne(sizes.vectorSize[j]);
    }
}

#endif
