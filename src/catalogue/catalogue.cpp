#include "catalogue.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "fsu.h"
#include "identifiers.h"
#include "kovmat.h"
#include "kovstr.h"
#include "rxml.h"
#include "template_files.h"
#include "utf8.h"
#include "vb_string.h"

namespace {

// The code written as a double by a wide stream with default formatting, the
// form the add-in knows: codes of a million or more come out in exponent form
// with six significant digits ("1.23457e+06").
std::wstring CodeText(int code) {
    std::wostringstream text;
    text << static_cast<double>(code);
    return text.str();
}

// How many entries the table has room for.
int TableEntries(const matrix<std::wstring>& table) { return table.count() > 0 ? table.cols() : 0; }

// Reads the template at path and writes its seven fields as entry t.
void FillEntry(matrix<std::wstring>& table, int t, const std::wstring& path, const TemplateFile& file,
               cST_Main_aiR& main, matrix<std::wstring>& noTranslations) {
    RXml reader(path, main, nullptr, nullptr, nullptr, nullptr, noTranslations);
    // Only the root's attributes are read, so only they are kept of the tree.
    // A template that does not parse is listed all the same, with whatever the
    // getters give for it.
    reader.ParseHeader();
    const std::wstring function = reader.GetFunctionName();
    std::wstring functionSuffix;
    PStrP(functionSuffix, function);
    const std::wstring packages = reader.GetPackageName();
    table(kFileField, t) = FromUtf8(file.name);
    table(kGroupField, t) = FromUtf8(file.group);
    table(kFunctionField, t) = function;
    table(kTitleField, t) = reader.GetRFunctionName() + functionSuffix;
    table(kPackagesField, t) = packages;
    table(kCodeField, t) = CodeText(GetUniqueID(function, packages));
    table(kKeywordsField, t) = reader.GetKeywords();
}

// Orders entries 1 to n by group, ignoring case, and within a group by
// function name (the row sort is stable, so the second pass keeps the order
// of the first among equal groups). The lower-case group is an extra column
// of the working rows, so every field, the keywords included, stays with its
// entry.
void SortForDisplay(matrix<std::wstring>& table, int n) {
    constexpr int kGroupKey = kCatalogueFields + 1;
    matrix<std::wstring> rows(n, kGroupKey);
    for (int t = 1; t <= n; ++t) {
        for (int k = 1; k <= kCatalogueFields; ++k) rows(t, k) = table(k, t);
        rows(t, kGroupKey) = LCase(rows(t, kGroupField));
    }
    SortQMatrixCol(&rows, n, kGroupKey, kFunctionField, 1, n, 0);
    SortQMatrixCol(&rows, n, kGroupKey, kGroupKey, 1, n, 0);
    for (int t = 1; t <= n; ++t) {
        for (int k = 1; k <= kCatalogueFields; ++k) table(k, t) = std::move(rows(t, k));
    }
}

}  // namespace

int GetNbRFiles(const std::wstring& folder) {
    const std::string path = CatalogueFolder(folder);
    if (path.empty()) return 0;
    return static_cast<int>(FindTemplateFiles(path, fsu::GetFolderFiles(path, true)).size());
}

void GetListOfRFiles(cST_Main_aiR& main) {
    const std::string folder = CatalogueFolder(main.catalogFolder);
    if (folder.empty()) return;
    const std::vector<std::string> entries = fsu::GetFolderFiles(folder, true);
    if (entries.empty()) return;
    matrix<std::wstring>& table = *main.catalogTable;
    const std::vector<TemplateFile> files = FindTemplateFiles(folder, entries);
    // Templates found beyond the table's room would be lost: they are not read.
    const int stored = std::min(static_cast<int>(files.size()), TableEntries(table));
    const std::wstring folderPrefix = FromUtf8(folder) + L"/";
    matrix<std::wstring> noTranslations;
    for (int t = 1; t <= stored; ++t) {
        const TemplateFile& file = files[static_cast<size_t>(t - 1)];
        FillEntry(table, t, folderPrefix + FromUtf8(file.group) + L"/" + FromUtf8(file.name), file, main, noTranslations);
    }
    // Only entries the table holds are sorted, also when the host announces
    // more than its table has room for.
    const int n = std::min(main.catalogCount, TableEntries(table));
    if (n > 0) SortForDisplay(table, n);
}
