// kovr describe TEMPLATE [--json]: runs the sizing and filling passes and
// shows the dialog as a person reads it: header, pages and their columns,
// every control with what it owns, the data selections, the results and
// charts, the script lines and the dialog macro. --json dumps every field of
// the dialog description and of the control record instead.
#include <iostream>

#include "commands.h"
#include "data_layout.h"
#include "dialog_choices.h"
#include "dialog_view.h"
#include "host_arrays.h"
#include "host_text.h"
#include "json_writer.h"
#include "record_fields.h"
#include "template_file.h"
#include "text_table.h"

namespace kovr {

namespace {

std::string YesNo(bool value) { return value ? "yes" : "no"; }

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// One line per control: kind, names, text and the state it starts in.
std::string ControlLine(const DialogView& view, const ControlView& c) {
    std::string line = c.kind;
    const std::string optionName = c.OptionName();
    if (!optionName.empty()) line += "  " + optionName;
    if (!c.text.empty()) line += "  " + Quote(c.text);
    if (!c.rName.empty() && c.role == AutoRole::kNone) line += "  rname=" + c.rName;
    if (!c.rNameOption.empty()) line += "  value=" + c.rNameOption;
    if (!c.groupName.empty()) line += "  group=" + c.groupName;
    if (c.kind == "CheckBox" || c.kind == "RadioButton") line += "  default=" + c.defaultValue;
    if (c.combo > 0) {
        const ComboView& combo = view.combos[c.combo - 1];
        line += "  items=";
        for (size_t k = 0; k < combo.itemTexts.size(); ++k) {
            line += (k > 0 ? ", " : "") + combo.itemTexts[k];
            if (k < combo.itemRNames.size() && combo.itemRNames[k] != combo.itemTexts[k]) {
                line += " (" + combo.itemRNames[k] + ")";
            }
            if (static_cast<int>(k) == combo.defaultItem) line += " [default]";
        }
    }
    if (c.input > 0) {
        const InputView& input = view.inputs[c.input - 1];
        line += "  " + input.type + " default=" + c.defaultValue;
        if (!input.min.empty() || !input.max.empty()) line += " range=" + input.min + ".." + input.max;
        if (input.optional) line += input.optionDefault ? " optional(on)" : " optional(off)";
    }
    if (c.selection > 0) {
        const SelectionView& s = view.selections[c.selection - 1];
        line += "  [data selection " + std::to_string(c.selection) + ", " + FlagFor(s) + "]";
    }
    if (c.kind == "Group") line += "  (" + std::to_string(c.frameChildren) + " controls)";
    if (c.role == AutoRole::kDescriptiveStatistics) line += "  [descriptive statistics of the data]";
    if (c.role == AutoRole::kOutput) line += "  [shows result " + c.autoName + "]";
    if (c.role == AutoRole::kChart) line += "  [draws chart " + c.autoName + "]";
    if (!c.chartName.empty()) line += "  chart=" + c.chartName;
    if (!c.enabled) line += "  (disabled)";
    if (!c.visible) line += "  (hidden)";
    if (!c.toolTip.empty()) line += "  tip: " + c.toolTip;
    return line;
}

void PrintText(const DialogView& view) {
    std::cout << view.title << " (" << view.functionName << ")";
    if (!view.group.empty()) std::cout << "  [" << view.group << "]";
    std::cout << "\n  file: " << view.path << "\n  packages: " << view.packages
              << "    data structure: " << view.dataStructure << "    code: " << view.uniqueId << "\n";
    if (!view.keywords.empty()) std::cout << "  keywords: " << view.keywords << "\n";
    if (!view.rDescription.empty()) std::cout << "  " << view.rDescription << "\n";
    for (const auto& [label, value] :
         {std::pair{"author of the template", &view.authorXml}, {"author of the R function", &view.authorRFunction},
          {"compatibility", &view.compatibilityKovian}, {"R version", &view.compatibilityR},
          {"created", &view.dateCreated}, {"modified", &view.dateModified},
          {"package version", &view.packageVersion}}) {
        if (!value->empty()) std::cout << "  " << label << ": " << *value << "\n";
    }

    for (size_t p = 0; p < view.pages.size(); ++p) {
        const PageView& page = view.pages[p];
        std::cout << "\nPage " << p + 1 << " " << Quote(page.text);
        if (!page.enabled) std::cout << " (disabled)";
        std::cout << "  columns " << page.leftWidth << "/" << page.rightWidth << "\n";
        for (size_t col = 0; col < page.columns.size(); ++col) {
            if (page.columns.size() > 1) std::cout << "  Column " << col + 1 << "\n";
            for (const int index : page.columns[col]) {
                std::cout << (page.columns.size() > 1 ? "    " : "  ") << ControlLine(view, view.Control(index))
                          << "\n";
            }
        }
    }
    if (!view.missingOptions.empty()) {
        std::cout << "\nMissing values: " << view.missingOptions << " (default " << view.missingDefault << ")\n";
    }

    if (!view.selections.empty()) {
        std::cout << "\nData selections\n";
        std::vector<TextRow> rows;
        for (size_t r = 0; r < view.selections.size(); ++r) {
            const SelectionView& s = view.selections[r];
            rows.push_back({std::to_string(r + 1), s.name, s.text, s.rName, s.dataType, s.rType,
                            s.selectionKind == 2 ? "prediction" : (s.yVar ? "Y" : ""), YesNo(s.optional),
                            YesNo(s.oneColumn), YesNo(s.oneByOne), FlagFor(s)});
        }
        PrintTable(std::cout,
                   {"#", "name", "text", "R name", "type", "R type", "role", "optional", "one column", "one by one",
                    "filled by"},
                   rows);
    }

    if (!view.results.empty()) {
        std::cout << "\nResults\n";
        std::vector<TextRow> rows;
        for (const ResultView& r : view.results) {
            std::string chart;
            if (!r.plotCode.empty()) chart = r.chartName + "." + r.plotFormat + " " + r.plotWidth + "x" + r.plotHeight;
            rows.push_back({r.rName, r.text, r.type, r.rowLabels, r.show, YesNo(r.hidden), chart});
        }
        PrintTable(std::cout, {"R name", "text", "type", "row labels", "show", "hidden", "chart"}, rows);
    }

    std::cout << "\nScript (options " << (view.replaceByValue ? "substituted into replace lines" : "written as lines")
              << (view.usesSeed ? ", uses the seed" : "") << ")\n";
    for (size_t j = 0; j < view.script.size(); ++j) {
        const ScriptLineView& line = view.script[j];
        std::cout << "  " << (j + 1 < 10 ? " " : "") << j + 1 << (line.replace ? " R " : "   ") << line.code << "\n";
    }
    for (const ResultView& r : view.results) {
        if (!r.plotCode.empty()) std::cout << "  chart " << r.chartName << ": " << r.plotCode << "\n";
    }
    if (!view.dialogCode.empty()) std::cout << "\nDialog macro\n" << view.dialogCode;

    DialogChoices choices(view);
    std::cout << "\nOptions for kovr run --set (name=default)\n";
    for (const auto& [name, value] : choices.Describe()) std::cout << "  " << name << "=" << value << "\n";
}

void VectorJson(JsonWriter& json, const VectorField& field, const ST_Vect& v) {
    json.Key(field.name);
    json.BeginArray();
    for (int i = 1; i <= v.count; ++i) {
        switch (field.element) {
            case Element::kText:
                json.String(TextAt(v, i));
                break;
            case Element::kInt32:
                json.Number(IntAt(v, i));
                break;
            case Element::kInt16:
                json.Number(ShortAt(v, i));
                break;
        }
    }
    json.EndArray();
}

void PrintJson(const LoadedTemplate& loaded) {
    ST_aiR& d = loaded.dialog->dialog();
    ST_AirControlInfo& c = loaded.dialog->controls();
    JsonWriter json(std::cout);
    json.BeginObject();
    json.Key("template");
    json.String(loaded.path);
    json.Key("main");
    json.BeginObject();
    for (const auto& [key, field] : {std::pair{"title", offsetof(ST_Main_aiR, title)},
                                     {"group", offsetof(ST_Main_aiR, group)},
                                     {"keywords", offsetof(ST_Main_aiR, keywords)}}) {
        json.Key(key);
        json.String(loaded.main->Get(field));
    }
    json.EndObject();

    json.Key("dialog");
    json.BeginObject();
    for (const auto& [key, value] :
         {std::pair{"addObsLabels", int64_t{d.addObsLabels}}, {"replaceByValue", d.replaceByValue},
          {"seedValue", d.seedValue}, {"uniqueId", d.uniqueId}, {"usesSeed", d.usesSeed},
          {"hasInteractions", d.hasInteractions}, {"singleColumnQuanti", d.singleColumnQuanti},
          {"singleColumnQuali", d.singleColumnQuali}, {"autoPredict", d.autoPredict}, {"spareInt1", d.spareInt1},
          {"spareInt2", d.spareInt2}, {"autoOutputs", d.autoOutputs}, {"autoOutputsStats", d.autoOutputsStats},
          {"autoOutputsPage", d.autoOutputsPage}, {"autoCharts", d.autoCharts},
          {"autoChartsPage", d.autoChartsPage}}) {
        json.Key(key);
        json.Number(value);
    }
    for (const StringField& field : kDialogStrings) {
        json.Key(field.name);
        json.String(HostText(LoadHostString(StringAt(d, field))));
    }
    for (const VectorField& field : kDialogVectors) VectorJson(json, field, VectorOf(d, field));
    json.EndObject();

    json.Key("controls");
    json.BeginObject();
    for (const VectorField& field : kControlVectors) VectorJson(json, field, VectorOf(c, field));
    json.EndObject();

    json.Key("sizes");
    json.BeginObject();
    for (size_t k = 0; k < kDialogVectors.size(); ++k) {
        json.Key(kDialogVectors[k].name);
        json.Number(loaded.sizes.vectorSize[k]);
    }
    for (size_t j = 0; j < kControlVectors.size(); ++j) {
        json.Key(kControlVectors[j].name);
        json.Number(loaded.controlSizes.vectorSize[j]);
    }
    json.EndObject();
    json.EndObject();
}

}  // namespace

int DescribeCommand(const Args& args) {
    std::string arg;
    bool json = false;
    for (const std::string& a : args) {
        if (a == "--json") {
            json = true;
        } else if (arg.empty() && a.rfind("--", 0) != 0) {
            arg = a;
        } else {
            return Fail("describe", "unexpected argument '" + a + "'", kExitUsage);
        }
    }
    if (arg.empty()) return Fail("describe", "no template given", kExitUsage);
    const std::string path = FindTemplate(arg);
    if (path.empty()) return Fail("describe", "no such template: " + arg, kExitTemplate);
    Translations translations;
    const LoadedTemplate loaded = LoadTemplate(path, translations);
    if (!loaded.ok()) {
        std::cout << loaded.errorTitle << "\n" << loaded.errorText << "\n";
        return kExitTemplate;
    }
    if (json) {
        PrintJson(loaded);
    } else {
        PrintText(ViewOf(loaded));
    }
    return kExitOk;
}

}  // namespace kovr
