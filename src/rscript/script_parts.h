// Pieces of the analysis script built by their own files: the package lines
// and the data import lines.
#ifndef KOV_RSCRIPT_SCRIPT_PARTS_H
#define KOV_RSCRIPT_SCRIPT_PARTS_H

#include <string>
#include <vector>

#include "records.h"

// The R packages a script needs: the items of dialog.packages (empty items
// left out, so a template that needs base R only gets none), plus "devEMF"
// when a chart is drawn as emf and the template does not name it.
std::vector<std::wstring> ScriptPackages(cST_aiR& dialog);

// Each package as an R string literal, joined by "," ("'MASS','devEMF'").
std::wstring PackageList(const std::vector<std::wstring>& packages);

// library(...) calls loading every package from the package folder, one after
// the other on one line.
std::wstring LibraryLine(const std::vector<std::wstring>& packages, const std::wstring& packageFolder);

// The read.csv line (and, when there are factor columns, the lapply line) of
// every exported data set. dataFolder: the normalised data store; readTail:
// the end of the read.csv call (separator, decimal point, missing marker).
void AppendDataImport(std::vector<std::wstring>& lines, cST_aiR& dialog, cST_DataSetArray& dataSets,
                      int columnIndex, const std::wstring& dataFolder, const std::wstring& readTail);

// Every ":" of line turned into "/" (a path given with the host's classic
// separators).
std::wstring ColonsToSlashes(std::wstring line);

// Every backslash of line turned into "/".
std::wstring BackslashesToSlashes(const std::wstring& line);

// A path as an R string literal, its backslashes and colons turned into "/".
std::wstring RPath(const std::wstring& path);

#endif
