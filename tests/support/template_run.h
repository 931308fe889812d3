// A template as the add-in holds it before a transfer: read through both
// passes, its controls at their defaults, the option rows written, with the
// main record and the data sets of one run. Option values can then be typed
// over as the host would pass them, unchecked.
#ifndef KOV_TESTS_SUPPORT_TEMPLATE_RUN_H
#define KOV_TESTS_SUPPORT_TEMPLATE_RUN_H

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "dialog_choices.h"
#include "dialog_view.h"
#include "host_arrays.h"
#include "host_data_sets.h"
#include "template_file.h"
#include "test_support.h"
#include "transfer_call.h"

namespace kovtest {

// A template file in folder: the RFunction element with attributes around body.
inline std::string TemplateFile(const kovtest::TempFolder& folder, const std::string& attributes,
                                const std::string& body) {
    return folder.Write("t.xml",
                        "<RFunction text=\"T\" function=\"f\" " + attributes + ">\n" + body + "</RFunction>\n");
}

struct TemplateRun {
    TemplateRun(const std::string& path, std::vector<kovr::DataSetData> dataSets = {},
                const std::vector<std::pair<std::string, std::string>>& settings = {})
        : loaded(Load(path, translations)), view(kovr::ViewOf(loaded)), choices(view) {
        UseData(std::move(dataSets));
        for (const auto& [name, value] : settings) {
            const std::string refused = choices.Set(name, value);
            if (!refused.empty()) throw std::runtime_error(refused);
        }
        choices.WriteOptionRows(*loaded.dialog);
        dialog().seedValue = choices.Seed();
    }

    ST_aiR& dialog() { return loaded.dialog->dialog(); }
    void UseData(std::vector<kovr::DataSetData> sets) {
        hostSets.reset();
        data = std::move(sets);
        hostSets = std::make_unique<kovr::HostDataSets>(data);
    }
    kovr::HostDataSets& sets() { return *hostSets; }
    void Set(size_t mainField, const std::string& text) { main.Set(mainField, text); }
    // Types value into the option row of the control called name.
    void Type(const std::string& name, const std::string& value) {
        for (uint32_t k = 1; k <= kovr::ElementCount(dialog().optionValue.values); ++k) {
            if (kovr::TextAt(dialog().optionExtraText1.values, k) == name) {
                kovr::SetTextAt(dialog().optionValue.values, k, value);
            }
        }
    }
    // Cpp_GetRCodeAndReplaceOptions for response column column; the code it left.
    std::string Assemble(int column = 0) {
        {
            kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) { Collect(s); });
            Cpp_GetRCodeAndReplaceOptions(main.get(), &dialog(), sets().get(), column);
        }
        return main.Get(offsetof(ST_Main_aiR, rCode));
    }
    // Cpp_TransferToR into work (ending with "/"), the R folder work + "R/".
    void Transfer(const std::string& work, const std::string& separator = ";", int column = 0) {
        main.Set(offsetof(ST_Main_aiR, workFolder), work);
        main.Set(offsetof(ST_Main_aiR, rFolder), work + "R/");
        main.Set(offsetof(ST_Main_aiR, group), view.group);
        kovr::TransferToR(main, *loaded.dialog, sets(), separator, column);
    }
    void Collect(kovr::StringSlots& s) {
        main.CollectStrings(s);
        loaded.dialog->CollectStrings(s);
        sets().CollectStrings(s);
    }

    kovr::Translations translations;
    kovr::LoadedTemplate loaded;
    kovr::DialogView view;
    kovr::DialogChoices choices;
    std::vector<kovr::DataSetData> data;  // the columns the host arrays lie over
    std::unique_ptr<kovr::HostDataSets> hostSets;
    kovr::HostMain main;

private:
    static kovr::LoadedTemplate Load(const std::string& path, kovr::Translations& translations) {
        kovr::LoadedTemplate loaded = kovr::LoadTemplate(path, translations);
        if (!loaded.ok()) throw std::runtime_error(path + ": " + loaded.errorText);
        return loaded;
    }
};

}  // namespace kovtest

#endif
