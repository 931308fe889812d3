// Entry points of the template reader: the sizing pass and the filling pass.
// A null record leaves the call without effect.
#include "frame.h"
#include "method_description.h"

KOV_EXPORT void Cpp_GetMethodDescriptionSize(ST_Main_aiR* main, ST_aiRSize* sizes,
                                             ST_AirControlInfoSize* controlSizes, BSTR* messages,
                                             ST_ErrorInfo* error) {
    frame::CallVoid([&] {
        if (main == nullptr || sizes == nullptr || controlSizes == nullptr) return;
        cST_Main_aiR mainRecord(main);
        matrix<std::wstring> translations(kTranslationRows, 1, messages, 0, 0);
        GetMethodDescriptionSize(mainRecord, *sizes, *controlSizes, translations, error);
    });
}

KOV_EXPORT void Cpp_GetMethodDescription(ST_Main_aiR* main, ST_aiR* dialog, ST_AirControlInfo* controls,
                                         BSTR* messages, ST_ErrorInfo* error) {
    frame::CallVoid([&] {
        if (main == nullptr || dialog == nullptr || controls == nullptr) return;
        cST_Main_aiR mainRecord(main);
        cST_aiR dialogRecord(dialog);
        cST_AirControlInfo controlRecord(controls);
        matrix<std::wstring> translations(kTranslationRows, 1, messages, 0, 0);
        GetMethodDescription(mainRecord, dialogRecord, controlRecord, translations, error);
    });
}
