// Entry points of the comma-list, identifier and type helpers.
#include <string>

#include "comma_list.h"
#include "frame.h"
#include "identifiers.h"
#include "matrix.h"

namespace {

// Output string buffer: every element of the vector becomes a new host string
// in the buffer; the strings it held before stay the host's (and stay in the
// buffer when memory runs out for the new one).
void WriteBack(matrix<std::wstring>& vector, BSTR* buffer) {
    if (buffer == nullptr) return;
    for (int k = 1; k <= vector.count(); ++k) {
        if (BSTR copy = SysAllocString2(vector(k).c_str())) buffer[k - 1] = copy;
    }
}

// Output integer buffer: the owning copy goes back into the buffer whole.
void WriteBack(matrix<int>& vector, int32_t* buffer) {
    if (buffer == nullptr) return;
    for (int k = 1; k <= vector.count(); ++k) buffer[k - 1] = vector(k);
}

}  // namespace

KOV_EXPORT int16_t Cpp_FindStrInVect(BSTR sought, int32_t n, BSTR* buffer) {
    return frame::Call<int16_t>([&] {
        const std::wstring text = frame::In(sought);
        // A null buffer holds no elements, whatever n says.
        matrix<std::wstring> vector(buffer != nullptr ? n : 0, 1, buffer, 0, 0);
        return FindStrInVect(text, n, vector);
    });
}

KOV_EXPORT BSTR Cpp_GetNextBeforeComma(BSTR* list, BSTR separator, int16_t cut) {
    return frame::Call<BSTR>([&] {
        frame::InOutString rest(list);
        const BSTR item = frame::Out(GetNextBeforeComma(rest.text(), frame::In(separator), cut));
        rest.Commit();
        return item;
    });
}

KOV_EXPORT void Cpp_GetVectFromCommaList(BSTR list, int32_t n, BSTR separator, BSTR* out) {
    frame::CallVoid([&] {
        matrix<std::wstring> vector(out != nullptr ? n : 0, 1, out, 0, 0);
        GetVectFromCommaList(frame::In(list), n, frame::In(separator), vector);
        WriteBack(vector, out);
    });
}

KOV_EXPORT void Cpp_GetVectFromCommaListDbl(BSTR list, int32_t n, int16_t headerFlag, BSTR separator, BSTR* header,
                                            double* out) {
    frame::CallVoid([&] {
        frame::InOutString headerText(header);
        matrix<double> vector(n, 1, out, true);
        GetVectFromCommaListDbl(frame::In(list), n, headerFlag, frame::In(separator), headerText.text(), vector);
        headerText.Commit();
    });
}

KOV_EXPORT void Cpp_GetVectFromCommaListLng(BSTR list, int32_t n, int16_t headerFlag, BSTR separator, BSTR* header,
                                            int32_t* out) {
    frame::CallVoid([&] {
        frame::InOutString headerText(header);
        matrix<int> vector(out != nullptr ? n : 0, 1, out, false);
        GetVectFromCommaListLng(frame::In(list), n, headerFlag, frame::In(separator), headerText.text(), vector);
        headerText.Commit();
        WriteBack(vector, out);
    });
}

KOV_EXPORT BSTR Cpp_ExtractFromList(int32_t k, BSTR list) {
    return frame::Call<BSTR>([&] { return frame::Out(ExtractFromList(k, frame::In(list))); });
}

KOV_EXPORT int32_t Cpp_GetUniqueID(BSTR first, BSTR second) {
    return frame::Call<int32_t>([&] { return GetUniqueID(frame::In(first), frame::In(second)); });
}

KOV_EXPORT int32_t Cpp_GetDataType(BSTR word) {
    return frame::Call<int32_t>([&] { return GetDataType(frame::In(word)); });
}

KOV_EXPORT BSTR Cpp_ReplaceSpecialSymbols(BSTR text) {
    return frame::Call<BSTR>([&] { return frame::Out(ReplaceSpecialSymbols(frame::In(text))); });
}
