// The sizing pass's counts. Entry k of ST_aiRSize::vectorSize counts the
// entries the filling pass appends to vector k of the dialog description;
// entry j of ST_AirControlInfoSize counts those of per-control vector j, both
// in the order of the field lists.
#ifndef KOV_TEMPLATE_SIZE_COUNTS_H
#define KOV_TEMPLATE_SIZE_COUNTS_H

#include <cstdint>

#include "host_count.h"
#include "kovrbridge.h"
#include "kovrbridge_fields.h"

// The index of each vector in its record's counts.
namespace vector_index {
#define KOV_VECTOR_INDEX(field, element) field,
enum Dialog { KOV_DIALOG_VECTORS(KOV_VECTOR_INDEX) kDialogCount };
enum Control { KOV_CONTROL_VECTORS(KOV_VECTOR_INDEX) kControlCount };
#undef KOV_VECTOR_INDEX
}  // namespace vector_index

// Vectors first..last of the dialog description, which grow together.
struct VectorRange {
    int first;
    int last;
};

constexpr VectorRange kPageVectors{vector_index::pageText, vector_index::pageEnabled};
constexpr VectorRange kComboVectors{vector_index::comboName, vector_index::comboItemRNames};
constexpr VectorRange kRefVectors{vector_index::refName, vector_index::refOneByOne};
constexpr VectorRange kInputVectors{vector_index::inputPage, vector_index::inputOptionDefault};
constexpr VectorRange kResultVectors{vector_index::resText, vector_index::resRPlotHeight};
constexpr VectorRange kScriptVectors{vector_index::scriptEngine, vector_index::scriptCode};

// One more entry in each vector of the range.
inline void CountEntry(ST_aiRSize& sizes, VectorRange vectors) {
    for (int k = vectors.first; k <= vectors.last; ++k) CountOne(sizes.vectorSize[k]);
}

// One more control: one more entry in every per-control vector but ctlExtra.
inline void CountControl(ST_AirControlInfoSize& sizes) {
    for (int j = 0; j < vector_index::kControlCount; ++j) {
        if (j != vector_index::ctlExtra) CountOne(sizes.vectorSize[j]);  // never appended to by the reader
    }
}

#endif
