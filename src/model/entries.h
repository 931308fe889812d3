// How many entries of a record vector a loop walks: the count the host
// gives, but never beyond the entries its array holds, so that a wrong count
// cannot make a loop run over billions of absent rows.
#ifndef KOV_MODEL_ENTRIES_H
#define KOV_MODEL_ENTRIES_H

#include <algorithm>

#include "records.h"

template <typename T>
int Entries(const cST_Vect<T>& vect) {
    const int held = vect.values != nullptr ? vect.values->count() : 0;
    return std::clamp(vect.count, 0, held);
}

#endif
