// The package lines of the scripts: which packages, their list, the library line.
#include <algorithm>

#include "comma_list.h"
#include "entries.h"
#include "kovstr.h"
#include "r_text.h"
#include "script_parts.h"

std::vector<std::wstring> ScriptPackages(cST_aiR& dialog) {
    const int commas = cChrCount(dialog.packages, L",");
    matrix<std::wstring> items(commas + 1, 1);
    GetVectFromCommaList(dialog.packages, commas + 1, L",", items);
    std::vector<std::wstring> packages;
    for (int i = 1; i <= commas + 1; ++i) {
        if (!items(i).empty()) packages.push_back(items(i));
    }
    // A chart drawn as emf needs the device of "devEMF" (once, however many charts).
    if (std::find(packages.begin(), packages.end(), L"devEMF") != packages.end()) return packages;
    const int results = Entries(dialog.resRPlotCode);
    for (int i = 1; i <= results; ++i) {
        if (dialog.resRPlotFormat(i) == L"emf") {
            packages.push_back(L"devEMF");
            break;
        }
    }
    return packages;
}

std::wstring PackageList(const std::vector<std::wstring>& packages) {
    std::wstring list;
    for (const std::wstring& package : packages) {
        if (!list.empty()) list += L",";
        list += RQuoted(package);
    }
    return list;
}

std::wstring LibraryLine(const std::vector<std::wstring>& packages, const std::wstring& packageFolder) {
    std::wstring line;
    for (const std::wstring& package : packages) {
        line += L"library(" + RQuoted(package) + L", lib.loc=" + RQuoted(packageFolder) + L");";
    }
    return line;
}
