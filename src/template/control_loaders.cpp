#include "control_loaders.h"

#include "rxml.h"

namespace {

void FillComboBox(RXml& reader, XmlNode* node, int ctl, int) { reader.LoadComboBox(ctl, node); }
void SizeComboBox(RXml& reader, XmlNode*, int) { reader.LoadComboBoxSize(); }

void FillFrame(RXml& reader, XmlNode* node, int, int page) { reader.LoadFrame(node, page); }
void SizeFrame(RXml& reader, XmlNode* node, int page) { reader.LoadFrameSize(node, page); }

void FillMissing(RXml& reader, XmlNode* node, int, int) { reader.LoadMissing(node); }

void FillRefEdit(RXml& reader, XmlNode* node, int ctl, int) { reader.LoadRefEdit(node->name, ctl, node); }
void SizeRefEdit(RXml& reader, XmlNode*, int) { reader.LoadRefEditSize(); }

void FillTextBox(RXml& reader, XmlNode* node, int ctl, int) { reader.LoadTextBox(ctl, node); }
void SizeTextBox(RXml& reader, XmlNode*, int) { reader.LoadTextBoxSize(); }

void FillVarHeaders(RXml& reader, XmlNode*, int ctl, int) { reader.LoadVarHeaders(ctl); }

void FillInteractions(RXml& reader, XmlNode* node, int ctl, int page) { reader.LoadInteractions(ctl, node, page); }
void SizeInteractions(RXml& reader, XmlNode*, int page) { reader.LoadInteractionsSize(page); }

// Every kind that loads more than the common control attributes.
constexpr ControlLoader kControlLoaders[] = {
    {L"ComboBox", FillComboBox, SizeComboBox},
    {L"Group", FillFrame, SizeFrame},
    {L"Missing", FillMissing, nullptr},
    {L"RefEdit", FillRefEdit, SizeRefEdit},
    {L"DataField", FillRefEdit, SizeRefEdit},
    {L"ObsLabelsField", FillRefEdit, SizeRefEdit},
    {L"YQuantiField", FillRefEdit, SizeRefEdit},
    {L"YQualiField", FillRefEdit, SizeRefEdit},
    {L"XQuantiField", FillRefEdit, SizeRefEdit},
    {L"XQualiField", FillRefEdit, SizeRefEdit},
    {L"Input", FillTextBox, SizeTextBox},
    {L"VarHeaders", FillVarHeaders, nullptr},
    {L"Interactions", FillInteractions, SizeInteractions},
};

}  // namespace

const ControlLoader* FindControlLoader(const std::wstring& kind) {
    for (const ControlLoader& loader : kControlLoaders) {
        if (kind == loader.kind) return &loader;
    }
    return nullptr;
}

std::wstring GetDefaultForCtl(const std::wstring& kind) {
    if (kind == L"CheckBox" || kind == L"RadioButton") return L"false";
    if (kind == L"ComboBox") return L"0";
    if (kind == L"VarHeaders") return L"true";
    return L"";
}
