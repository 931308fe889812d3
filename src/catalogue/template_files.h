// Which files of a catalogue folder are templates. The catalogue folder holds
// one level of group subfolders; a template is a regular file of a group whose
// name contains ".xml" anywhere and is not "template.xml". Files directly in
// the catalogue folder and deeper subfolders are not looked at.
#ifndef KOV_CATALOGUE_TEMPLATE_FILES_H
#define KOV_CATALOGUE_TEMPLATE_FILES_H

#include <string>
#include <vector>

struct TemplateFile {
    std::string group;  // name of the subfolder holding the file
    std::string name;   // bare file name
};

// The catalogue folder as given by the host (classic or slash-separated),
// narrowed to bytes and normalised; empty when no folder is given.
std::string CatalogueFolder(const std::wstring& folder);

// The template files of the group subfolders named in entries (the listing of
// folder with its subfolders), in listing order. Entries that are regular
// files or unreadable folders contribute nothing.
std::vector<TemplateFile> FindTemplateFiles(const std::string& folder, const std::vector<std::string>& entries);

#endif
