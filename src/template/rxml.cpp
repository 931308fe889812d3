#include "rxml.h"

#include "fsu.h"
#include "identifiers.h"
#include "node_access.h"
#include "page_sort.h"

namespace {

// Header elements: root children whose text goes into a dialog field.
struct HeaderElement {
    const wchar_t* name;
    std::wstring cST_aiR::*field;
};

constexpr HeaderElement kHeaderElements[] = {
    {L"AuthorXML", &cST_aiR::authorXml},
    {L"AuthorRFunction", &cST_aiR::authorRFunction},
    {L"CompatibilityKOVIAN", &cST_aiR::compatibilityKovian},
    {L"CompatibilityR", &cST_aiR::compatibilityR},
    {L"DateCreated", &cST_aiR::dateCreated},
    {L"DateModified", &cST_aiR::dateModified},
    {L"PackageVersion", &cST_aiR::packageVersion},
    {L"RDescription", &cST_aiR::rDescription},
};

const HeaderElement* FindHeaderElement(const std::wstring& name) {
    for (const HeaderElement& header : kHeaderElements) {
        if (name == header.name) return &header;
    }
    return nullptr;
}

}  // namespace

RXml::RXml(const std::wstring& path, cST_Main_aiR& main, cST_aiR* dialog, cST_AirControlInfo* controls,
           ST_aiRSize* sizes, ST_AirControlInfoSize* controlSizes, matrix<std::wstring>& translations)
    : path(fsu::NormalizePathW(path)),
      root(std::make_unique<XmlNode>(this->path)),
      main(main),
      dialog(dialog),
      controls(controls),
      sizes(sizes),
      controlSizes(controlSizes),
      xQuantiCount(0),
      xQualiCount(0),
      obsLabelsCount(0),
      translations(translations) {}

RXml::~RXml() = default;

int RXml::Parse() {
    root->ParseAndFill();
    return 0;
}

int RXml::ParseHeader() {
    root->ParseAndFill(XmlExtent::kRootAttributes);
    return 0;
}

bool RXml::ParseFailed() const { return !root->error.empty(); }

std::wstring RXml::ErrMsg() const { return root->error.Report(); }

std::wstring RXml::RootAttribute(const wchar_t* name) const { return GetAttributeFromNode(root.get(), name, L""); }

std::wstring RXml::GetFunctionName() const { return RootAttribute(L"function"); }

std::wstring RXml::GetRFunctionName() const { return RootAttribute(L"text"); }

std::wstring RXml::GetPackageName() const { return RootAttribute(L"packages"); }

std::wstring RXml::GetKeywords() const { return RootAttribute(L"keywords"); }

void RXml::FillairSt() {
    main.title = RootAttribute(L"text");
    dialog->dataStructure = RootAttribute(L"datastructure");
    dialog->functionName = RootAttribute(L"function");
    main.group = RootAttribute(L"group");
    dialog->packages = RootAttribute(L"packages");
    main.keywords = RootAttribute(L"keywords");
    dialog->uniqueId = GetUniqueID(dialog->functionName, dialog->packages);

    int page = 0;
    for (XmlNode* child : root->children) {
        if (const HeaderElement* header = FindHeaderElement(child->name)) {
            dialog->*header->field = GetValueFromNode(child);
        } else if (child->name == L"Tab") {
            LoadPage(child, page++);
        } else if (child->name == L"RResults") {
            GetResultsInfo(child);
        } else if (child->name == L"RScript") {
            GetScript(child);
        }
    }
    if (dialog->autoOutputs == -1 || dialog->autoCharts == -1) SortControlsByPage(*controls);
}

void RXml::FillairStSize() {
    int page = 0;
    for (XmlNode* child : root->children) {
        if (child->name == L"Tab") {
            LoadPageSize(child, page++);
        } else if (child->name == L"RResults") {
            GetResultsInfoSize(child);
        } else if (child->name == L"RScript") {
            GetScriptSize(child);
        }
    }
}
