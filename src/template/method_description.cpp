#include "method_description.h"

#include "kovdesc.h"
#include "rxml.h"

namespace {

std::wstring TemplatePath(const cST_Main_aiR& main) { return main.templateFolder + L"/" + main.templateFile; }

// Parses the template and runs pass on it, or reports the parse errors.
template <typename Pass>
void ReadTemplate(RXml& reader, ST_ErrorInfo* error, Pass pass) {
    reader.Parse();
    if (reader.ParseFailed()) {
        LoadErrorInfo_ST(L"XML Error", reader.ErrMsg(), L"KOVRBRIDGE", -789, -1, 1, 0, 48, L"", -1, -1, 0, L"",
                         error);
        return;
    }
    (reader.*pass)();
}

}  // namespace

void GetMethodDescriptionSize(cST_Main_aiR& main, ST_aiRSize& sizes, ST_AirControlInfoSize& controlSizes,
                              matrix<std::wstring>& translations, ST_ErrorInfo* error) {
    RXml reader(TemplatePath(main), main, nullptr, nullptr, &sizes, &controlSizes, translations);
    ReadTemplate(reader, error, &RXml::FillairStSize);
}

void GetMethodDescription(cST_Main_aiR& main, cST_aiR& dialog, cST_AirControlInfo& controls,
                          matrix<std::wstring>& translations, ST_ErrorInfo* error) {
    RXml reader(TemplatePath(main), main, &dialog, &controls, nullptr, nullptr, translations);
    ReadTemplate(reader, error, &RXml::FillairSt);
}
