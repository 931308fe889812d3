// Data selections: the controls with which the user points at a range of the
// spreadsheet. Each appends one row to the data-selection vectors; the Y, X,
// Q and observation-label fields get fixed names, types and labels.
#include <string>

#include "identifiers.h"
#include "node_access.h"
#include "rxml.h"
#include "size_counts.h"

namespace {

// Rows of the add-in's translation table.
constexpr int kObsLabelsText = 48;
constexpr int kXQuantiText = 235;
constexpr int kXQualiText = 236;
constexpr int kXQuantiToolTip = 2527;
constexpr int kXQualiToolTip = 2529;

}  // namespace

void RXml::LoadRefeditDefaults(int ctl) {
    cST_aiR& d = *dialog;
    d.refName.Append(controls->ctlName(ctl));
    d.refPage.Append(controls->ctlPage(ctl));
    d.refText.Append(controls->ctlText(ctl));
    d.refDataType.Append(L"1");
    d.refRType.Append(L"");
    d.refRName.Append(L"");
    d.refSelectionKind.Append(0);
    d.refYVar.Append(0);
    d.refOptional.Append(0);
    d.refOptionDefault.Append(0);
    d.refOneColumn.Append(0);
    d.refHostFlag.Append(0);
    d.refStr2Dbl.Append(0);
    d.refOneByOne.Append(0);
}

void RXml::LoadRefEditSizeDefaults() { CountEntry(*sizes, kRefVectors); }

void RXml::LoadRefEditSize() { LoadRefEditSizeDefaults(); }

void RXml::LoadRefEdit(const std::wstring& kind, const int& ctl, XmlNode* node) {
    cST_aiR& d = *dialog;
    cST_AirControlInfo& c = *controls;
    LoadRefeditDefaults(ctl);
    const int r = d.refName.count;
    d.refRType(r) = GetAttributeFromNode(node, L"rtype", L"");
    d.refRName(r) = GetAttributeFromNode(node, L"rname", L"");
    d.refYVar(r) = FlagUnlessFalse(node, L"yvar");
    const bool yField = kind == L"YQuantiField" || kind == L"YQualiField";
    if (!yField) d.refOneByOne(r) = TrueFlag(node, L"onebyone", d.refYVar(r) == -1 ? L"true" : L"false");
    d.refOptional(r) = FlagUnlessFalse(node, L"optional");
    d.refOptionDefault(r) = FlagUnlessFalse(node, L"optiondefault");
    if (d.refOptional(r) == -1) c.ctlEnabled(ctl) = d.refOptionDefault(r);
    d.refStr2Dbl(r) = FlagUnlessFalse(node, L"str2dbl");
    d.refDataType(r) = std::to_wstring(GetDataType(GetAttributeFromNode(node, L"type", L"1")));
    d.refOneColumn(r) = FlagUnlessFalse(node, L"onecolumn");

    // A field without a label of its own takes the add-in's.
    auto label = [&](int text, int toolTip) {
        if (!c.ctlText(ctl).empty()) return;
        d.refText(r) = c.ctlText(ctl) = translations(text);
        c.ctlToolTip(ctl) = translations(toolTip);
    };
    if (yField) {
        d.refName(r) = L"RefEditY";
        d.refYVar(r) = -1;
        d.refOneByOne(r) = TrueFlag(node, L"onebyone", L"true");
        d.refOptional(r) = 0;
        if (kind == L"YQualiField") d.refDataType(r) = L"3";
    } else if (kind == L"XQuantiField" || kind == L"XQualiField") {
        const bool quanti = kind == L"XQuantiField";
        d.refYVar(r) = 0;
        d.refOneByOne(r) = 0;
        d.refName(r) = quanti ? L"RefEditX" : L"RefEditQ";
        d.refDataType(r) = quanti ? L"2" : L"3";
        label(quanti ? kXQuantiText : kXQualiText, quanti ? kXQuantiToolTip : kXQualiToolTip);
    } else if (kind == L"ObsLabelsField") {
        d.refYVar(r) = 0;
        d.refOneByOne(r) = 0;
        d.refName(r) = L"RefEditObsLabels";
        d.refOptional(r) = -1;
        d.refOneColumn(r) = -1;
        d.refOptionDefault(r) = 0;
        d.refDataType(r) = L"8";
        label(kObsLabelsText, kObsLabelsText);
        d.addObsLabels = TrueFlag(node, L"add", L"false") == -1 ? 1 : 0;
    }
    c.ctlName(ctl) = d.refName(r);
}
