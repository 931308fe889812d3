// The prediction block of an AutoPredict element: the "Predictions" check
// box, a prediction data selection for each of the X, Q and observation-label
// fields loaded before it, a spacer, and the dialog macro that enables the
// selections with the check box.
#include "entries.h"
#include "predict_code.h"
#include "rxml.h"

// A field control and the prediction selection made for it.
struct PredictionField {
    const wchar_t* kind;
    const wchar_t* fieldName;
    const wchar_t* name;
    const wchar_t* rType;
    const wchar_t* dataType;
};

namespace {

constexpr PredictionField kXQuanti{L"XQuantiField", L"RefEditX", L"RefEditXPred", L"double", L"1"};
constexpr PredictionField kXQuali{L"XQualiField", L"RefEditQ", L"RefEditQPred", L"string", L"3"};
constexpr PredictionField kObsLabels{L"ObsLabelsField", L"RefEditObsLabels", L"RefEditObsLabelsPred", L"", L"8"};

// The selection kind of a prediction data selection.
constexpr int kPredictionSelection = 2;

}  // namespace

void RXml::LoadAutoPredict(int page) {
    cST_AirControlInfo& c = *controls;
    const int box = AddKOVIANaiRCIDefaults(page);
    c.ctlName(box) = L"CheckBoxPredict";
    c.ctlKind(box) = L"CheckBox";
    c.ctlRName(box) = L"withpred";
    c.ctlReportGroup(box) = L"0";
    c.ctlText(box) = L"Predictions";
    c.ctlDefault(box) = L"false";
    c.ctlEventCode(box) = L"Call AdaptPredict";

    // The last field of each kind loaded before this element (among those
    // the host array holds, whatever count the host passed).
    int x = 0;
    int q = 0;
    int obs = 0;
    for (int i = 1; i < box && i <= Entries(c.ctlKind); ++i) {
        const std::wstring& kind = c.ctlKind(i);
        if (kind == kXQuanti.kind) x = i;
        if (kind == kXQuali.kind) q = i;
        if (kind == kObsLabels.kind) obs = i;
    }
    dialog->dialogCode += GetPredictCode(x, q, obs);
    if (x > 0) AddPredictionSelection(x, kXQuanti, page);
    if (q > 0) AddPredictionSelection(q, kXQuali, page);
    if (obs > 0) AddPredictionSelection(obs, kObsLabels, page);

    const int spacer = AddKOVIANaiRCIDefaults(page);
    c.ctlKind(spacer) = L"Spacer";
    c.ctlHeight(spacer) = L"6";
}

void RXml::AddPredictionSelection(int field, const PredictionField& kind, int page) {
    cST_AirControlInfo& c = *controls;
    cST_aiR& d = *dialog;
    const int p = AddKOVIANaiRCIDefaults(page);
    c.ctlKind(p) = kind.kind;
    c.ctlName(field) = kind.fieldName;
    c.ctlEnabled(p) = 0;
    c.ctlName(p) = kind.name;
    c.ctlLeft(p) = L"+1";
    c.ctlText(p) = c.ctlText(field);
    c.ctlRName(p) = d.autoPredictRName;
    LoadRefeditDefaults(p);
    const int r = d.refName.count;
    d.refOptional(r) = 0;
    d.refText(r) = c.ctlText(p);
    d.refSelectionKind(r) = kPredictionSelection;
    d.refPage(r) = page;
    d.refRName(r) = c.ctlRName(p);
    d.refRType(r) = kind.rType;
    d.refDataType(r) = kind.dataType;
}

void RXml::LoadAutoPredictSize(int page) {
    AddaiRSizeCIDefaultsSize(page);
    for (int* fields : {&xQuantiCount, &xQualiCount, &obsLabelsCount}) {
        if (*fields <= 0) continue;
        AddaiRSizeCIDefaultsSize(page);
        LoadRefEditSizeDefaults();
        // The prediction selection is a field of the same kind.
        ++*fields;
    }
    AddaiRSizeCIDefaultsSize(page);
}
