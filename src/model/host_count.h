// Counts the host passes in and the library advances: a count the host left
// at the int maximum stays there instead of overflowing.
#ifndef KOV_MODEL_HOST_COUNT_H
#define KOV_MODEL_HOST_COUNT_H

#include <cstdint>

// One more in a count.
inline void CountOne(int32_t& count) {
    if (count < INT32_MAX) ++count;
}

#endif
