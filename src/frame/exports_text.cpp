// Entry points of the string primitives.
#include <vector>

#include "frame.h"
#include "vb_string.h"

KOV_EXPORT int32_t Cpp_Len(BSTR s) {
    return frame::Call<int32_t>([&] { return Len(frame::In(s)); });
}

KOV_EXPORT int32_t Cpp_Asc(BSTR s) {
    return frame::Call<int32_t>([&] { return Asc(frame::In(s)); });
}

KOV_EXPORT int32_t Cpp_InStr(int32_t start, BSTR s, BSTR sought) {
    return frame::Call<int32_t>([&] { return InStr(start, frame::In(s), frame::In(sought)); });
}

KOV_EXPORT BSTR Cpp_Left(BSTR s, int32_t n) {
    return frame::Call<BSTR>([&] { return frame::Out(Left(frame::In(s), n)); });
}

KOV_EXPORT BSTR Cpp_LCase(BSTR s) {
    return frame::Call<BSTR>([&] { return frame::Out(LCase(frame::In(s))); });
}

KOV_EXPORT BSTR Cpp_UCase(BSTR s) {
    return frame::Call<BSTR>([&] { return frame::Out(UCase(frame::In(s))); });
}

KOV_EXPORT BSTR Cpp_Mid(BSTR s, int32_t start, int32_t length) {
    return frame::Call<BSTR>([&] { return frame::Out(wMid(frame::In(s), start, length)); });
}

KOV_EXPORT BSTR Cpp_Replace(BSTR expression, BSTR find, BSTR replacement, int32_t start, int32_t count) {
    return frame::Call<BSTR>([&] {
        return frame::Out(Replace(frame::In(expression), frame::In(find), frame::In(replacement), start, count));
    });
}

// Elements 1 to n of the buffer, a null element counting as empty. A null
// buffer has no elements.
KOV_EXPORT BSTR Cpp_Join(BSTR* buffer, int32_t n, BSTR delimiter) {
    return frame::Call<BSTR>([&] {
        std::vector<std::wstring> list;
        for (int32_t k = 0; buffer != nullptr && k < n; ++k) list.push_back(frame::In(buffer[k]));
        return frame::Out(Join(list, frame::In(delimiter)));
    });
}
