// The results description: one entry in each of the eighteen result vectors
// per Result element, and the check boxes with which the user picks the
// outputs and charts when the template asks for automatic ones.
#include "node_access.h"
#include "rxml.h"
#include "size_counts.h"
#include "vb_string.h"

namespace {

// Row of the add-in's translation table: label of the descriptive
// statistics check box.
constexpr int kDescriptiveStatsText = 65;

// A check box label longer than this shows the result's R name instead.
constexpr int kMaxLabelLength = 29;

// A chart gets a check box of its own when it is named, by one name.
bool SingleChart(const std::wstring& chartName) { return !chartName.empty() && InStr(1, chartName, L",") == 0; }

}  // namespace

int RXml::AddAutoCheckBox(int page, const std::wstring& rName, const std::wstring& text) {
    const int box = AddKOVIANaiRCIDefaults(page);
    controls->ctlRName(box) = rName;
    controls->ctlText(box) = text;
    controls->ctlKind(box) = L"CheckBox";
    return box;
}

void RXml::GetResultsInfo(XmlNode* results) {
    cST_aiR& d = *dialog;
    bool descriptiveAdded = false;
    for (XmlNode* result : results->children) {
        if (result->name != L"Result") continue;
        auto text = [result](const wchar_t* name, const wchar_t* fallback = L"") {
            return GetAttributeFromNode(result, name, fallback);
        };
        d.resText.Append(text(L"text"));
        d.resRName.Append(text(L"rname"));
        d.resType.Append(text(L"type", L"double"));
        d.resRowLabels.Append(text(L"rowlabels"));
        d.resColLabels.Append(text(L"collabels"));
        d.resFormat.Append(text(L"format"));
        d.resColFormats.Append(text(L"colformats"));
        d.resRowFormats.Append(text(L"rowformats"));
        d.resChartType.Append(text(L"charttype"));
        d.resChartName.Append(text(L"chartname"));
        d.resColor.Append(text(L"color"));
        d.resShow.Append(text(L"show", L"true"));
        d.resHidden.Append(FlagUnlessFalse(result, L"hidden"));
        d.resPlotIncluded.Append(0);
        d.resRPlotCode.Append(text(L"rplotcode"));
        d.resRPlotFormat.Append(text(L"rplotformat", L"png"));
        d.resRPlotWidth.Append(text(L"rplotwidth", L"500"));
        d.resRPlotHeight.Append(text(L"rplotheight", L"500"));

        const int i = d.resRName.count;
        const std::wstring& label =
            Len(d.resText(i)) >= 1 && Len(d.resText(i)) <= kMaxLabelLength ? d.resText(i) : d.resRName(i);
        if (d.autoOutputs == -1) {
            if (!descriptiveAdded && d.autoOutputsStats == -1) {
                const int box = AddAutoCheckBox(d.autoOutputsPage, L"", translations(kDescriptiveStatsText));
                controls->ctlName(box) = L"CheckBoxDesc";
                descriptiveAdded = true;
            }
            if (d.resHidden(i) == 0) AddAutoCheckBox(d.autoOutputsPage, d.resRName(i), label);
        }
        if (d.autoCharts == -1 && SingleChart(d.resChartName(i))) {
            AddAutoCheckBox(d.autoChartsPage, d.resRName(i), label);
        }
    }
}

void RXml::GetResultsInfoSize(XmlNode* results) {
    for (XmlNode* result : results->children) {
        if (result->name != L"Result") continue;
        CountEntry(*sizes, kResultVectors);
        if (sizes->autoOutputs == -1) {
            // The descriptive statistics check box is reserved for every
            // result, though the filling pass adds it once: the counts are an
            // upper bound.
            if (sizes->autoOutputsStats == -1) AddaiRSizeCIDefaultsSize(sizes->autoOutputsPage);
            if (GetAttributeFromNode(result, L"hidden", L"false") == L"false") {
                AddaiRSizeCIDefaultsSize(sizes->autoOutputsPage);
            }
        }
        if (sizes->autoCharts == -1 && SingleChart(GetAttributeFromNode(result, L"chartname", L""))) {
            AddaiRSizeCIDefaultsSize(sizes->autoChartsPage);
        }
    }
}
