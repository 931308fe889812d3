#include "template_file.h"

#include <cstdlib>
#include <filesystem>

#include "host_text.h"
#include "record_fields.h"

namespace kovr {

namespace fs = std::filesystem;

namespace {

void FreeErrorInfo(ST_ErrorInfo& error) {
    for (BSTR s : {error.title, error.message, error.module, error.text1, error.text2}) SysFreeString(s);
    error = ST_ErrorInfo{};
}

}  // namespace

LoadedTemplate LoadTemplate(const std::string& path, Translations& translations) {
    LoadedTemplate loaded;
    const fs::path file = fs::absolute(path).lexically_normal();
    loaded.path = file.string();
    loaded.main = std::make_unique<HostMain>();
    HostMain& main = *loaded.main;
    main.Set(offsetof(ST_Main_aiR, templateFolder), file.parent_path().string());
    main.Set(offsetof(ST_Main_aiR, templateFile), file.filename().string());

    ST_ErrorInfo error{};
    {
        ReplacedStrings replaced([&](StringSlots& s) { main.CollectStrings(s); });
        Cpp_GetMethodDescriptionSize(main.get(), &loaded.sizes, &loaded.controlSizes, translations.data(), &error);
    }
    if (error.title != nullptr || error.message != nullptr) {
        loaded.errorTitle = HostText(error.title);
        loaded.errorText = HostText(error.message);
        FreeErrorInfo(error);
        return loaded;
    }

    auto dialog = std::make_unique<HostDialog>(loaded.sizes, loaded.controlSizes);
    {
        ReplacedStrings replaced([&](StringSlots& s) {
            main.CollectStrings(s);
            dialog->CollectStrings(s);
        });
        Cpp_GetMethodDescription(main.get(), &dialog->dialog(), &dialog->controls(), translations.data(), &error);
    }
    if (error.title != nullptr || error.message != nullptr) {
        loaded.errorTitle = HostText(error.title);
        loaded.errorText = HostText(error.message);
        FreeErrorInfo(error);
        return loaded;
    }
    loaded.dialog = std::move(dialog);
    return loaded;
}

std::vector<std::string> SizingDisagreements(const LoadedTemplate& loaded) {
    std::vector<std::string> reports;
    ST_aiR& dialog = loaded.dialog->dialog();
    const auto report = [&](const char* name, int sized, int filled) {
        reports.push_back(std::string("the sizing pass counts ") + std::to_string(sized) + " entries for " + name +
                          ", the filling pass made " + std::to_string(filled));
    };
    for (size_t k = 0; k < kDialogVectors.size(); ++k) {
        const int filled = VectorOf(dialog, kDialogVectors[k]).count;
        if (filled != loaded.sizes.vectorSize[k]) report(kDialogVectors[k].name, loaded.sizes.vectorSize[k], filled);
    }
    // The sizing pass reserves the descriptive-statistics box once per result
    // while the filling pass adds it once: a known upper bound, not a fault.
    const int results = dialog.resRName.count;
    const int reserved =
        loaded.sizes.autoOutputs != 0 && loaded.sizes.autoOutputsStats != 0 && results > 0 ? results - 1 : 0;
    ST_AirControlInfo& controls = loaded.dialog->controls();
    for (size_t j = 0; j < kControlVectors.size(); ++j) {
        if (std::string(kControlVectors[j].name) == "ctlExtra") continue;
        const int filled = VectorOf(controls, kControlVectors[j]).count;
        const int sized = loaded.controlSizes.vectorSize[j];
        if (filled != sized - reserved) report(kControlVectors[j].name, sized, filled);
    }
    return reports;
}

std::string DefaultCatalogue() {
    if (const char* env = std::getenv("KOVR_CATALOGUE"); env != nullptr && *env != '\0') return env;
    if (fs::is_directory("examples/catalogue")) return "examples/catalogue";
    return KOVR_SOURCE_CATALOGUE;
}

std::string FindTemplate(const std::string& arg) {
    std::error_code ignored;
    if (fs::is_regular_file(arg, ignored)) return arg;
    const fs::path inCatalogue = fs::path(DefaultCatalogue()) / arg;
    if (fs::is_regular_file(inCatalogue, ignored)) return inCatalogue.string();
    return std::string();
}

}  // namespace kovr
