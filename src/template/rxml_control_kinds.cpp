// The loaders of the control kinds with data of their own: combo boxes,
// groups (frames), numeric inputs, the interactions input, the variable
// headers check box and the missing-values element.
#include "node_access.h"
#include "rxml.h"
#include "size_counts.h"
#include "vb_string.h"

namespace {

// Rows of the add-in's translation table.
constexpr int kVarHeadersText = 51;
constexpr int kInteractionsText = 2653;
constexpr int kInteractionsToolTip = 2654;

}  // namespace

void RXml::LoadComboBox(const int& ctl, XmlNode* node) {
    std::wstring texts;
    std::wstring rNames;
    // Children that are not items still count as positions, so an item after
    // one of them is preceded by a separator.
    for (size_t i = 0; i < node->children.size(); ++i) {
        XmlNode* item = node->children[i];
        if (item->name != L"Item") continue;
        const std::wstring separator = i == 0 ? L"" : L",";
        texts += separator + GetAttributeFromNode(item, L"text", L"");
        rNames += separator + GetAttributeFromNode(item, L"rname", L"");
    }
    const std::wstring& name = controls->ctlName(ctl);
    dialog->comboName.Append(!name.empty() ? name : L"CB" + Format(ctl, L"000") + L"kovian");
    dialog->comboDefault.Append(TruncatedNumber(controls->ctlDefault(ctl)));
    dialog->comboItemTexts.Append(texts);
    dialog->comboItemRNames.Append(rNames);
}

void RXml::LoadComboBoxSize() { CountEntry(*sizes, kComboVectors); }

void RXml::LoadFrame(XmlNode* node, const int& page) {
    const int frame = controls->ctlName.count;
    controls->ctlFrameChildren(frame) = static_cast<int>(node->children.size());
    controls->ctlStyle(frame) = L"0";
    for (XmlNode* child : node->children) LoadChildNode(child, page);
}

void RXml::LoadFrameSize(XmlNode* node, const int& page) {
    for (XmlNode* child : node->children) LoadChildNodeSize(child, page);
}

void RXml::LoadTextBox(const int& ctl, XmlNode* node) {
    dialog->inputPage.Append(controls->ctlPage(ctl));
    dialog->inputType.Append(GetAttributeFromNode(node, L"type", L"integer"));
    dialog->inputMin.Append(GetAttributeFromNode(node, L"min", L""));
    dialog->inputMax.Append(GetAttributeFromNode(node, L"max", L""));
    dialog->inputOptional.Append(FlagUnlessFalse(node, L"optional"));
    dialog->inputOptionDefault.Append(FlagUnlessFalse(node, L"optiondefault"));
    // An input passed to R belongs to report group "0" unless it names one.
    const int last = controls->ctlReportGroup.count;
    if (controls->ctlReportGroup(last).empty() && !controls->ctlRName(last).empty()) {
        controls->ctlReportGroup(last) = L"0";
    }
}

void RXml::LoadTextBoxSize() { CountEntry(*sizes, kInputVectors); }

void RXml::LoadInteractions(const int& ctl, XmlNode* node, const int& page) {
    cST_AirControlInfo& c = *controls;
    dialog->hasInteractions = -1;
    LoadTextBox(ctl, node);
    c.ctlDefault(ctl) = L"2";
    c.ctlEnabled(ctl) = 0;
    c.ctlLeft(ctl) = L"115";
    c.ctlName(ctl) = L"Interactions";
    c.ctlKind(ctl) = L"Input";
    c.ctlText(ctl) = translations(kInteractionsText);
    c.ctlType(ctl) = L"integer";
    c.ctlToolTip(ctl) = translations(kInteractionsToolTip);

    const int input = dialog->inputOptional.count;
    dialog->inputOptional(input) = -1;
    dialog->inputOptionDefault(input) = -1;
    dialog->inputMin(input) = L"1";
    dialog->inputMax(input) = L"5";
    dialog->inputPage(input) = page;

    const int spacer = AddKOVIANaiRCIDefaults(page);
    c.ctlKind(spacer) = L"Spacer";
    c.ctlHeight(spacer) = L"6";
}

void RXml::LoadInteractionsSize(const int& page) {
    CountEntry(*sizes, kInputVectors);
    AddaiRSizeCIDefaultsSize(page);
}

void RXml::LoadVarHeaders(const int& ctl) {
    cST_AirControlInfo& c = *controls;
    c.ctlName(ctl) = L"CheckBoxLabels";
    c.ctlKind(ctl) = L"CheckBox";
    if (c.ctlText(ctl).empty()) c.ctlText(ctl) = translations(kVarHeadersText);
    c.ctlDefault(ctl) = L"true";
    c.ctlEnabled(ctl) = -1;
    c.ctlVisible(ctl) = -1;
}

void RXml::LoadMissing(XmlNode* node) {
    dialog->missingOptions = GetAttributeFromNode(node, L"options", L"");
    dialog->missingDefault = GetAttributeFromNode(node, L"default", L"");
}
