// Entry points of the template catalogue: the count the host sizes its table
// by, and the listing that fills the table. A null argument gives 0 or leaves
// the call without effect.
#include "catalogue.h"
#include "frame.h"

KOV_EXPORT int32_t Cpp_GetNbRFiles(const wchar_t* folder) {
    return frame::Call<int32_t>([&] { return folder == nullptr ? 0 : GetNbRFiles(std::wstring(folder)); });
}

KOV_EXPORT void Cpp_GetListOfRFiles(ST_Main_aiR* main) {
    frame::CallVoid([&] {
        if (main == nullptr) return;
        cST_Main_aiR mainRecord(main);
        GetListOfRFiles(mainRecord);
    });
}
