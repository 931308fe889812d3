// Control elements: every element of a page that is not a page-level element
// is registered as a control and handed to the loader of its kind.
#include <cwchar>

#include "control_loaders.h"
#include "identifiers.h"
#include "kovstr.h"
#include "node_access.h"
#include "rxml.h"
#include "size_counts.h"

void RXml::LoadChildNode(XmlNode* node, int page) {
    LoadControlBasicInfo(node->name, page, node);
    const int ctl = controls->ctlName.count;
    const ControlLoader* loader = FindControlLoader(node->name);
    if (loader != nullptr && loader->fill != nullptr) loader->fill(*this, node, ctl, page);
}

void RXml::LoadChildNodeSize(XmlNode* node, int page) {
    LoadControlBasicInfoSize(node->name);
    const ControlLoader* loader = FindControlLoader(node->name);
    if (loader != nullptr && loader->size != nullptr) loader->size(*this, node, page);
}

std::wstring RXml::ControlText(const std::wstring& text) {
    if (text.empty()) return text;
    if (text[0] != L'|') return ReplaceSpecialSymbols(text);
    std::wstring row;
    cStrBetweenChrAndChr(row, text, L"|", L"|");
    // "||" (or a bar never closed) names no row: the control has no text
    // rather than whatever the table's spare element holds.
    if (row.empty()) return row;
    return translations(TruncatedNumber(row));
}

void RXml::LoadControlBasicInfo(const std::wstring& kind, const int& page, XmlNode* node) {
    cST_AirControlInfo& c = *controls;
    auto text = [node](const wchar_t* name, const std::wstring& fallback = std::wstring()) {
        return GetAttributeFromNode(node, name, fallback);
    };
    c.ctlKind.Append(kind);
    c.ctlPage.Append(page);
    c.ctlEnabled.Append(TrueFlag(node, L"enabled", L"true"));
    c.ctlVisible.Append(TrueFlag(node, L"visible", L"true"));
    c.ctlDefault.Append(text(L"default", GetDefaultForCtl(kind)));
    c.ctlChartName.Append(text(L"chartname"));
    c.ctlFrameChildren.Append(0);
    c.ctlText.Append(ControlText(text(L"text")));
    c.ctlReportText.Append(text(L"reporttext"));
    c.ctlLeft.Append(text(L"left", L"0"));
    c.ctlName.Append(text(L"name"));
    c.ctlNextRow.Append(TrueFlag(node, L"nextrow", L"true"));
    c.ctlRName.Append(text(L"rname"));
    c.ctlRNameOption.Append(text(L"rname_option"));
    c.ctlWidth.Append(text(L"width"));
    c.ctlHeight.Append(text(L"height", L"0"));
    c.ctlToolTip.Append(text(L"tooltip"));
    c.ctlEventCode.Append(text(kind == L"ComboBox" ? L"onchange" : L"onclick"));
    c.ctlRefEditLinked.Append(text(L"refeditlinked"));
    c.ctlStyle.Append(text(L"style"));
    c.ctlType.Append(text(L"type"));
    c.ctlReportGroup.Append(text(L"reportgroup"));
    c.ctlGroupName.Append(text(L"groupname"));
    c.ctlOptional.Append(text(L"optional"));
    c.ctlOptionDefault.Append(text(L"optiondefault"));
}

void RXml::LoadControlBasicInfoSize(const std::wstring& kind) {
    if (kind == L"XQuantiField") ++xQuantiCount;
    if (kind == L"XQualiField") ++xQualiCount;
    if (kind == L"ObsLabelsField") ++obsLabelsCount;
    CountControl(*controlSizes);
}
