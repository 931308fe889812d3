// Entry points of the R code generation: option code, data placeholders,
// model formula, code assembly and checks.
#include "code_assembly.h"
#include "code_checks.h"
#include "data_placeholders.h"
#include "frame.h"
#include "model_equation.h"
#include "option_code.h"
#include "records.h"

namespace {

// A by-reference number the host may pass as null: the worker then writes
// into a local that is dropped.
class IntRef {
public:
    explicit IntRef(int32_t* variable) : value_(variable != nullptr ? *variable : 0), variable_(variable) {}
    ~IntRef() {
        if (variable_ != nullptr) *variable_ = value_;
    }
    IntRef(const IntRef&) = delete;
    IntRef& operator=(const IntRef&) = delete;
    int& get() { return value_; }

private:
    int value_;
    int32_t* variable_;
};

}  // namespace

KOV_EXPORT int16_t Cpp_IsOkAfter(BSTR c) {
    return frame::Call<int16_t>([&] { return IsOkAfter(frame::In(c)); });
}

KOV_EXPORT BSTR Cpp_RReplace(BSTR text, BSTR find, BSTR replacement) {
    return frame::Call<BSTR>(
        [&] { return frame::Out(RReplace(frame::In(text), frame::In(find), frame::In(replacement))); });
}

KOV_EXPORT BSTR Cpp_CodeChecks(BSTR code) {
    return frame::Call<BSTR>([&] { return frame::Out(CodeChecks(frame::In(code))); });
}

KOV_EXPORT void Cpp_LoadClabelsRfunc(int32_t n, BSTR separator, BSTR* names, int16_t random, BSTR* formula) {
    frame::CallVoid([&] {
        // A null buffer holds no names: no terms, whatever n says.
        const int rows = n > 0 && names != nullptr ? n : 0;
        matrix<std::wstring> nameMatrix(rows, 1, names, 0, 0);
        frame::InOutString text(formula);
        LoadClabelsRfunc(rows, frame::In(separator), nameMatrix, random, text.text());
        text.Commit();
    });
}

KOV_EXPORT void Cpp_GetTypeValListindex(ST_aiR* dialog, int32_t option, BSTR* kind, BSTR* value,
                                        int32_t* listIndex, int32_t* inputCounter, int32_t* comboCounter) {
    frame::CallVoid([&] {
        if (dialog == nullptr) return;
        cST_aiR record(dialog);
        frame::InOutString kindText(kind);
        frame::InOutString valueText(value);
        IntRef list(listIndex);
        IntRef inputs(inputCounter);
        IntRef combos(comboCounter);
        GetTypeValListindex(record, option, kindText.text(), valueText.text(), list.get(), inputs.get(),
                            combos.get());
        kindText.Commit();
        valueText.Commit();
    });
}

KOV_EXPORT BSTR Cpp_GetValueForCtlType(ST_aiR* dialog, int32_t option, BSTR kind, BSTR value, int32_t listIndex,
                                       int32_t inputIndex, int32_t comboIndex) {
    return frame::Call<BSTR>([&]() -> BSTR {
        if (dialog == nullptr) return frame::Out(std::wstring());
        cST_aiR record(dialog);
        return frame::Out(GetValueForCtlType(record, option, frame::In(kind), frame::In(value), listIndex,
                                             inputIndex, comboIndex));
    });
}

KOV_EXPORT BSTR Cpp_GetRCodeForOption(ST_aiR* dialog, int32_t* option, int32_t* inputCounter,
                                      int32_t* comboCounter) {
    return frame::Call<BSTR>([&]() -> BSTR {
        if (dialog == nullptr) return frame::Out(std::wstring());
        cST_aiR record(dialog);
        IntRef i(option);
        IntRef inputs(inputCounter);
        IntRef combos(comboCounter);
        return frame::Out(GetRCodeForOption(record, i.get(), inputs.get(), combos.get()));
    });
}

KOV_EXPORT BSTR Cpp_GetVarFromSetID(ST_DataSetArray* sets, int32_t set, int32_t kind) {
    return frame::Call<BSTR>([&] {
        cST_DataSetArray dataSets(sets);
        return frame::Out(GetVarFromSetID(dataSets, set, kind));
    });
}

KOV_EXPORT void Cpp_ReplaceCodeByData(BSTR* code, ST_DataSetArray* sets) {
    frame::CallVoid([&] {
        frame::InOutString text(code);
        cST_DataSetArray dataSets(sets);
        ReplaceCodeByData(text.text(), dataSets);
        text.Commit();
    });
}

KOV_EXPORT BSTR Cpp_GetModelEquation(ST_aiR* dialog, ST_DataSetArray* sets, int32_t columnIndex) {
    return frame::Call<BSTR>([&]() -> BSTR {
        if (dialog == nullptr) return frame::Out(std::wstring());
        cST_aiR record(dialog);
        cST_DataSetArray dataSets(sets);
        return frame::Out(GetModelEquation(record, dataSets, columnIndex));
    });
}

KOV_EXPORT void Cpp_GetRCodeAndReplaceOptions(ST_Main_aiR* main, ST_aiR* dialog, ST_DataSetArray* sets,
                                              int32_t columnIndex) {
    frame::CallVoid([&] {
        if (main == nullptr || dialog == nullptr) return;
        cST_Main_aiR mainRecord(main);
        cST_aiR record(dialog);
        cST_DataSetArray dataSets(sets);
        GetRCodeAndReplaceOptions(mainRecord, record, dataSets, columnIndex);
    });
}
