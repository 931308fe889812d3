// Entry points of the string primitives.
#include "frame.h"
#include "vb_string.h"

KOV_EXPORT int32_t Cpp_Len(BSTR s) {
    return frame::Call<int32_t>([&] { return Len(frame::In(s)); });
}
