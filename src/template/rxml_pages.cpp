// The dialog pages: one Tab element each, its controls laid out in at most
// two columns.
#include <algorithm>

#include "node_access.h"
#include "rxml.h"
#include "size_counts.h"

namespace {

// A page's third Column and everything after it are not loaded; a page has
// at most two columns.
constexpr int kMaxColumns = 2;

}  // namespace

void RXml::LoadPage(XmlNode* tab, int page) {
    dialog->pageText.Append(GetAttributeFromNode(tab, L"text", L""));
    dialog->pageCtlCount.Append(0);
    if (!tab->children.empty()) GetPageControls(tab->children, page);
    if (dialog->pageCtlCount(page + 1) < 1) {
        dialog->pageLeftWidth.Append(0);
        dialog->pageRightWidth.Append(0);
        dialog->pageEnabled.Append(0);
        return;
    }
    dialog->pageLeftWidth.Append(TruncatedNumber(GetAttributeFromNode(tab, L"leftcolumnwidth", L"155")));
    dialog->pageRightWidth.Append(TruncatedNumber(GetAttributeFromNode(tab, L"rightcolumnwidth", L"155")));
    dialog->pageEnabled.Append(TrueFlag(tab, L"enabled", L"true"));
}

void RXml::LoadPageSize(XmlNode* tab, int page) {
    if (!tab->children.empty()) GetPageControlsSize(tab->children, page);
    CountEntry(*sizes, kPageVectors);
}

void RXml::GetPageControls(std::vector<XmlNode*>& nodes, int page) {
    int count = 0;
    int columns = 0;
    for (XmlNode* node : nodes) {
        const std::wstring& kind = node->name;
        if (kind == L"AutoPredict") {
            dialog->autoPredict = -1;
            dialog->autoPredictRName = GetAttributeFromNode(node, L"rname", L"data2");
            LoadAutoPredict(page);
            count = 1;
        } else if (kind == L"AutoOutputs") {
            dialog->autoOutputs = -1;
            dialog->autoOutputsStats = TrueFlag(node, L"stats", L"true");
            dialog->autoOutputsPage = page;
            count = 1;
        } else if (kind == L"AutoCharts") {
            dialog->autoCharts = -1;
            dialog->autoChartsPage = page;
            count = 1;
        } else if (kind == L"Column") {
            if (columns >= kMaxColumns) break;
            if (columns == 1) controls->ctlKind(AddKOVIANaiRCIDefaults(page)) = L"NextColumn";
            GetPageControls(node->children, page);
            count = 1;
            ++columns;
        } else {
            ++count;
            LoadChildNode(node, page);
        }
    }
    int& pageCount = dialog->pageCtlCount(page + 1);
    pageCount = std::max(pageCount, count);
}

void RXml::GetPageControlsSize(std::vector<XmlNode*>& nodes, int page) {
    int columns = 0;
    for (XmlNode* node : nodes) {
        const std::wstring& kind = node->name;
        if (kind == L"AutoPredict") {
            LoadAutoPredictSize(page);
        } else if (kind == L"AutoOutputs") {
            sizes->autoOutputs = -1;
            sizes->autoOutputsStats = TrueFlag(node, L"stats", L"true");
            sizes->autoOutputsPage = page;
        } else if (kind == L"AutoCharts") {
            sizes->autoCharts = -1;
            sizes->autoChartsPage = page;
        } else if (kind == L"Column") {
            if (columns >= kMaxColumns) break;
            if (columns == 1) AddaiRSizeCIDefaultsSize(page);
            GetPageControlsSize(node->children, page);
            ++columns;
        } else {
            LoadChildNodeSize(node, page);
        }
    }
}
