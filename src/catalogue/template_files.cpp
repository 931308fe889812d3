#include "template_files.h"

#include "fsu.h"

namespace {

bool IsTemplateName(const std::string& name) {
    return name.find(".xml") != std::string::npos && name != "template.xml";
}

}  // namespace

std::string CatalogueFolder(const std::wstring& folder) {
    if (folder.empty()) return std::string();
    return fsu::NormalizePath(fsu::NarrowPath(folder));
}

std::vector<TemplateFile> FindTemplateFiles(const std::string& folder, const std::vector<std::string>& entries) {
    std::vector<TemplateFile> templates;
    for (const std::string& group : entries) {
        if (group == "." || group == "..") continue;
        for (std::string& name : fsu::GetFolderFiles(folder + "/" + group, false)) {
            if (IsTemplateName(name)) templates.push_back(TemplateFile{group, std::move(name)});
        }
    }
    return templates;
}
