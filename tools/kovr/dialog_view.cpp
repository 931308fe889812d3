#include "dialog_view.h"

#include <map>

#include "host_arrays.h"
#include "host_text.h"

namespace kovr {

namespace {

std::vector<std::string> SplitCommas(const std::string& list) {
    std::vector<std::string> items;
    if (list.empty()) return items;
    size_t from = 0;
    for (;;) {
        const size_t comma = list.find(',', from);
        items.push_back(list.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (comma == std::string::npos) return items;
        from = comma + 1;
    }
}

void ReadHeader(const LoadedTemplate& loaded, DialogView& view) {
    const ST_aiR& d = loaded.dialog->dialog();
    view.path = loaded.path;
    view.title = loaded.main->Get(offsetof(ST_Main_aiR, title));
    view.group = loaded.main->Get(offsetof(ST_Main_aiR, group));
    view.keywords = loaded.main->Get(offsetof(ST_Main_aiR, keywords));
    view.functionName = HostText(d.functionName);
    view.packages = HostText(d.packages);
    view.dataStructure = HostText(d.dataStructure);
    view.authorXml = HostText(d.authorXml);
    view.authorRFunction = HostText(d.authorRFunction);
    view.compatibilityKovian = HostText(d.compatibilityKovian);
    view.compatibilityR = HostText(d.compatibilityR);
    view.dateCreated = HostText(d.dateCreated);
    view.dateModified = HostText(d.dateModified);
    view.packageVersion = HostText(d.packageVersion);
    view.rDescription = HostText(d.rDescription);
    view.dialogCode = HostText(d.dialogCode);
    view.missingOptions = HostText(d.missingOptions);
    view.missingDefault = HostText(d.missingDefault);
    view.autoPredictRName = HostText(d.autoPredictRName);
    view.replaceByValue = d.replaceByValue != 0;
    view.usesSeed = d.usesSeed != 0;
    view.hasInteractions = d.hasInteractions != 0;
    view.autoPredict = d.autoPredict != 0;
    view.autoOutputs = d.autoOutputs != 0;
    view.autoOutputsStats = d.autoOutputsStats != 0;
    view.autoCharts = d.autoCharts != 0;
    view.addObsLabels = d.addObsLabels == 1;
    view.autoOutputsPage = d.autoOutputsPage;
    view.autoChartsPage = d.autoChartsPage;
    view.uniqueId = d.uniqueId;
}

void ReadControls(const ST_AirControlInfo& c, DialogView& view) {
    for (int i = 1; i <= c.ctlKind.count; ++i) {
        ControlView control;
        control.index = i;
        control.kind = TextAt(c.ctlKind, i);
        control.name = TextAt(c.ctlName, i);
        control.rName = TextAt(c.ctlRName, i);
        control.rNameOption = TextAt(c.ctlRNameOption, i);
        control.text = TextAt(c.ctlText, i);
        control.toolTip = TextAt(c.ctlToolTip, i);
        control.defaultValue = TextAt(c.ctlDefault, i);
        control.type = TextAt(c.ctlType, i);
        control.groupName = TextAt(c.ctlGroupName, i);
        control.chartName = TextAt(c.ctlChartName, i);
        control.eventCode = TextAt(c.ctlEventCode, i);
        control.reportGroup = TextAt(c.ctlReportGroup, i);
        control.reportText = TextAt(c.ctlReportText, i);
        control.height = TextAt(c.ctlHeight, i);
        control.width = TextAt(c.ctlWidth, i);
        control.left = TextAt(c.ctlLeft, i);
        control.style = TextAt(c.ctlStyle, i);
        control.optional = TextAt(c.ctlOptional, i);
        control.optionDefault = TextAt(c.ctlOptionDefault, i);
        control.refEditLinked = TextAt(c.ctlRefEditLinked, i);
        control.page = IntAt(c.ctlPage, i);
        control.frameChildren = IntAt(c.ctlFrameChildren, i);
        control.enabled = ShortAt(c.ctlEnabled, i) != 0;
        control.visible = ShortAt(c.ctlVisible, i) != 0;
        control.nextRow = ShortAt(c.ctlNextRow, i) != 0;
        view.controls.push_back(control);
    }
}

void ReadKinds(const ST_aiR& d, DialogView& view) {
    for (int k = 1; k <= d.comboName.count; ++k) {
        ComboView combo;
        combo.name = TextAt(d.comboName, k);
        combo.defaultItem = IntAt(d.comboDefault, k);
        combo.itemTexts = SplitCommas(TextAt(d.comboItemTexts, k));
        combo.itemRNames = SplitCommas(TextAt(d.comboItemRNames, k));
        view.combos.push_back(combo);
    }
    for (int k = 1; k <= d.inputType.count; ++k) {
        InputView input;
        input.page = IntAt(d.inputPage, k);
        input.type = TextAt(d.inputType, k);
        input.min = TextAt(d.inputMin, k);
        input.max = TextAt(d.inputMax, k);
        input.optional = ShortAt(d.inputOptional, k) != 0;
        input.optionDefault = ShortAt(d.inputOptionDefault, k) != 0;
        view.inputs.push_back(input);
    }
    for (int r = 1; r <= d.refName.count; ++r) {
        SelectionView s;
        s.name = TextAt(d.refName, r);
        s.text = TextAt(d.refText, r);
        s.dataType = TextAt(d.refDataType, r);
        s.rType = TextAt(d.refRType, r);
        s.rName = TextAt(d.refRName, r);
        s.page = IntAt(d.refPage, r);
        s.selectionKind = IntAt(d.refSelectionKind, r);
        s.yVar = ShortAt(d.refYVar, r) != 0;
        s.optional = ShortAt(d.refOptional, r) != 0;
        s.optionDefault = ShortAt(d.refOptionDefault, r) != 0;
        s.oneColumn = ShortAt(d.refOneColumn, r) != 0;
        s.str2dbl = ShortAt(d.refStr2Dbl, r) != 0;
        s.oneByOne = ShortAt(d.refOneByOne, r) != 0;
        view.selections.push_back(s);
    }
    for (int i = 1; i <= d.resRName.count; ++i) {
        ResultView r;
        r.text = TextAt(d.resText, i);
        r.rName = TextAt(d.resRName, i);
        r.type = TextAt(d.resType, i);
        r.rowLabels = TextAt(d.resRowLabels, i);
        r.colLabels = TextAt(d.resColLabels, i);
        r.format = TextAt(d.resFormat, i);
        r.colFormats = TextAt(d.resColFormats, i);
        r.rowFormats = TextAt(d.resRowFormats, i);
        r.chartType = TextAt(d.resChartType, i);
        r.chartName = TextAt(d.resChartName, i);
        r.color = TextAt(d.resColor, i);
        r.show = TextAt(d.resShow, i);
        r.hidden = ShortAt(d.resHidden, i) != 0;
        r.plotCode = TextAt(d.resRPlotCode, i);
        r.plotFormat = TextAt(d.resRPlotFormat, i);
        r.plotWidth = TextAt(d.resRPlotWidth, i);
        r.plotHeight = TextAt(d.resRPlotHeight, i);
        view.results.push_back(r);
    }
    for (int j = 1; j <= d.scriptCode.count; ++j) {
        view.script.push_back(
            ScriptLineView{TextAt(d.scriptEngine, j), ShortAt(d.scriptReplace, j) != 0, TextAt(d.scriptCode, j)});
    }
}

// Each combo box, numeric input and data selection entry belongs to the
// control of its kind with the same rank: the loaders append both together
// and the page sort keeps their relative order.
void LinkEntries(DialogView& view) {
    int combos = 0, inputs = 0, selections = 0;
    for (ControlView& control : view.controls) {
        if (control.kind == "ComboBox") control.combo = ++combos;
        if (control.kind == "Input") control.input = ++inputs;
        if (IsSelectionKind(control.kind)) control.selection = ++selections;
    }
}

// The check boxes of automatic outputs and charts are appended after every
// page, in the order of the results, then moved to the end of their page by
// the stable page sort; so the last boxes of a page are the expected ones.
void MarkAutoBoxes(DialogView& view) {
    struct Box {
        AutoRole role;
        int result;
    };
    std::map<int, std::vector<Box>> expected;
    bool descAdded = false;
    for (int i = 1; i <= static_cast<int>(view.results.size()); ++i) {
        const ResultView& r = view.results[i - 1];
        if (view.autoOutputs) {
            if (!descAdded && view.autoOutputsStats) {
                expected[view.autoOutputsPage].push_back({AutoRole::kDescriptiveStatistics, 0});
                descAdded = true;
            }
            if (!r.hidden) expected[view.autoOutputsPage].push_back({AutoRole::kOutput, i});
        }
        if (view.autoCharts && !r.chartName.empty() && r.chartName.find(',') == std::string::npos) {
            expected[view.autoChartsPage].push_back({AutoRole::kChart, i});
        }
    }
    for (const auto& [page, boxes] : expected) {
        std::vector<int> onPage;
        for (const ControlView& control : view.controls) {
            if (control.page == page) onPage.push_back(control.index);
        }
        if (onPage.size() < boxes.size()) continue;
        const size_t first = onPage.size() - boxes.size();
        for (size_t k = 0; k < boxes.size(); ++k) {
            ControlView& control = view.controls[onPage[first + k] - 1];
            if (control.kind != "CheckBox") continue;
            control.role = boxes[k].role;
            control.result = boxes[k].result;
            if (control.result > 0) {
                const ResultView& r = view.results[control.result - 1];
                control.autoName = control.role == AutoRole::kChart ? r.chartName : r.rName;
            }
        }
    }
}

void ReadPages(const ST_aiR& d, DialogView& view) {
    for (int p = 1; p <= d.pageText.count; ++p) {
        PageView page;
        page.text = TextAt(d.pageText, p);
        page.controlCount = IntAt(d.pageCtlCount, p);
        page.leftWidth = IntAt(d.pageLeftWidth, p);
        page.rightWidth = IntAt(d.pageRightWidth, p);
        page.enabled = ShortAt(d.pageEnabled, p) != 0;
        page.columns.emplace_back();
        for (const ControlView& control : view.controls) {
            if (control.page != p - 1) continue;
            if (control.kind == "NextColumn") {
                page.columns.emplace_back();
            } else {
                page.columns.back().push_back(control.index);
            }
        }
        view.pages.push_back(page);
    }
}

}  // namespace

bool IsSelectionKind(const std::string& kind) {
    return kind == "RefEdit" || kind == "DataField" || kind == "ObsLabelsField" || kind == "YQuantiField" ||
           kind == "YQualiField" || kind == "XQuantiField" || kind == "XQualiField";
}

std::string ControlView::OptionName() const {
    switch (role) {
        case AutoRole::kOutput:
            return "output:" + autoName;
        case AutoRole::kChart:
            return "chart:" + autoName;
        case AutoRole::kDescriptiveStatistics:
        case AutoRole::kNone:
            break;
    }
    if (!name.empty()) return name;
    return rName.substr(0, rName.find(','));
}

DialogView ViewOf(const LoadedTemplate& loaded) {
    DialogView view;
    ReadHeader(loaded, view);
    ReadControls(loaded.dialog->controls(), view);
    ReadKinds(loaded.dialog->dialog(), view);
    LinkEntries(view);
    MarkAutoBoxes(view);
    ReadPages(loaded.dialog->dialog(), view);
    return view;
}

}  // namespace kovr
