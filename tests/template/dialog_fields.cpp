#include "dialog_fields.h"

#include <gtest/gtest.h>

#include "host_arrays.h"
#include "host_text.h"
#include "record_fields.h"
#include "test_support.h"

namespace templates {

namespace {

kovr::Translations& SharedTranslations() {
    static kovr::Translations translations;
    return translations;
}

std::string Joined(const ST_Vect& v, kovr::Element element) {
    std::string joined;
    for (int i = 1; i <= v.count; ++i) {
        if (i > 1) joined += '|';
        switch (element) {
            case kovr::Element::kText: joined += kovr::TextAt(v, i); break;
            case kovr::Element::kInt32: joined += std::to_string(kovr::IntAt(v, i)); break;
            case kovr::Element::kInt16: joined += std::to_string(kovr::ShortAt(v, i)); break;
        }
    }
    return joined;
}

}  // namespace

kovr::LoadedTemplate Load(const std::string& path) {
    kovr::LoadedTemplate loaded = kovr::LoadTemplate(path, SharedTranslations());
    EXPECT_TRUE(loaded.ok()) << loaded.errorTitle << "\n" << loaded.errorText;
    return loaded;
}

kovr::LoadedTemplate LoadText(const std::string& xml) {
    kovtest::TempFolder folder;
    return Load(folder.Write("template.xml", xml));
}

Fields FieldsOf(kovr::LoadedTemplate& loaded) {
    Fields fields;
    if (!loaded.ok()) return fields;
    ST_aiR& dialog = loaded.dialog->dialog();
    ST_AirControlInfo& controls = loaded.dialog->controls();
    for (const auto& v : kovr::kDialogVectors) fields[v.name] = Joined(kovr::VectorOf(dialog, v), v.element);
    for (const auto& v : kovr::kControlVectors) fields[v.name] = Joined(kovr::VectorOf(controls, v), v.element);
    for (const auto& s : kovr::kDialogStrings) fields[s.name] = kovr::HostText(kovr::LoadHostString(kovr::StringAt(dialog, s)));
    const ST_aiR d = dialog;  // a copy: the packed record's fields are not aligned
    for (const auto& [name, value] :
         {std::pair<const char*, int>{"autoOutputs", d.autoOutputs}, {"autoOutputsStats", d.autoOutputsStats},
          {"autoOutputsPage", d.autoOutputsPage}, {"autoCharts", d.autoCharts}, {"autoChartsPage", d.autoChartsPage},
          {"autoPredict", d.autoPredict}, {"addObsLabels", d.addObsLabels}, {"replaceByValue", d.replaceByValue},
          {"uniqueId", d.uniqueId}, {"usesSeed", d.usesSeed}, {"hasInteractions", d.hasInteractions}}) {
        fields[name] = std::to_string(value);
    }
    for (const auto& [name, offset] : {std::pair<const char*, size_t>{"title", offsetof(ST_Main_aiR, title)},
                                       {"group", offsetof(ST_Main_aiR, group)},
                                       {"keywords", offsetof(ST_Main_aiR, keywords)}}) {
        fields[name] = loaded.main->Get(offset);
    }
    return fields;
}

void ExpectSizingMatchesFilling(kovr::LoadedTemplate& loaded, int controlOverCount) {
    if (!loaded.ok()) return;
    ST_aiR& dialog = loaded.dialog->dialog();
    ST_AirControlInfo& controls = loaded.dialog->controls();
    for (size_t k = 0; k < kovr::kDialogVectors.size(); ++k) {
        EXPECT_EQ(kovr::VectorOf(dialog, kovr::kDialogVectors[k]).count, loaded.sizes.vectorSize[k])
            << kovr::kDialogVectors[k].name;
    }
    for (size_t j = 0; j < kovr::kControlVectors.size(); ++j) {
        const bool extra = std::string(kovr::kControlVectors[j].name) == "ctlExtra";
        EXPECT_EQ(kovr::VectorOf(controls, kovr::kControlVectors[j]).count + (extra ? 0 : controlOverCount),
                  loaded.controlSizes.vectorSize[j])
            << kovr::kControlVectors[j].name;
    }
}

}  // namespace templates
