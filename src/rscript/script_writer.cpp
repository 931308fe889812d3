#include "script_writer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "csv_file.h"
#include "entries.h"
#include "fsu.h"
#include "kovcore.h"
#include "r_text.h"
#include "script_parts.h"
#include "vb_string.h"

namespace {

constexpr short kTrue = -1;

// Where packages missing from the package folder are installed from.
const wchar_t kRepository[] = L"https://cloud.r-project.org";

// Values every line of one script is built from.
struct ScriptContext {
    std::wstring suffix;         // "0" in the check script
    std::wstring dataFolder;     // the data store
    std::wstring outFolder;      // the R folder, normalised
    std::wstring packageFolder;  // ends with "/"
    std::wstring listSeparator;
    std::wstring decimalSymbol;
};

// A string field of the packed system-information record, taken by value.
std::wstring HostText(BSTR text) { return convertBSTRtoWstring(&text); }

void AppendPreamble(std::vector<std::wstring>& lines, const cST_Main_aiR& main, const ScriptContext& context,
                    const std::vector<std::wstring>& packages) {
    lines.push_back(L"# " + LocalNow());
    lines.push_back(L"log <- file(" + RPath(main.rFolder + L"log" + context.suffix + L".txt") + L", open='wt')");
    lines.push_back(L"sink(log, append=TRUE)");
    lines.push_back(L"sink(log, append=TRUE, type='message')");
    lines.push_back(L"date()");
    lines.push_back(L"list.of.packages <- c(" + PackageList(packages) + L")");
    lines.push_back(L"new.packages<-list.of.packages[!(list.of.packages %in% installed.packages(lib.loc=" +
                    RQuoted(context.packageFolder) + L")[,'Package'])]");
}

// Installs what is missing (R on Linux has no binary packages, so the type
// of package is left to R), then loads every package from the package folder.
void AppendInstallation(std::vector<std::wstring>& lines, const ScriptContext& context,
                        const std::vector<std::wstring>& packages) {
    const std::wstring folder = RQuoted(context.packageFolder);
    lines.push_back(L"if(length(new.packages)) {");
    lines.push_back(L"if(dir.exists(" + folder + L")==FALSE){dir.create(" + folder + L")}");
    lines.push_back(L"install.packages(new.packages, lib=" + folder + L", repos='" + kRepository + L"')}");
    lines.push_back(LibraryLine(packages, context.packageFolder));
    lines.push_back(L"");
}

// One write.table line per result that is shown and whose R name can name its
// file in the R folder.
void AppendResultExport(std::vector<std::wstring>& lines, cST_aiR& dialog, const ScriptContext& context) {
    const int results = Entries(dialog.resRName);
    for (int i = 1; i <= results; ++i) {
        const std::wstring& name = dialog.resRName(i);
        if (dialog.resShow(i) == L"false" || !fsu::IsPathPart(name)) continue;
        const std::wstring rowNames = dialog.resRowLabels(i) == L"rdesc" ? L"TRUE" : L"FALSE";
        lines.push_back(L"write.table(results$" + name + L", file = " + RPath(context.outFolder + L"/" + name + L".csv") +
                        L", na=''" + L", row.names =" + rowNames + L", quote=FALSE, sep=" +
                        RQuoted(context.listSeparator) + L", dec=" + RQuoted(context.decimalSymbol) + L")");
    }
}

void WriteLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    ByteFile file(path);
    if (!file.is_open()) return;
    for (const std::wstring& line : lines) {
        file.WriteText(line);
        file.Put('\n');
    }
}

}  // namespace

std::wstring ColonsToSlashes(std::wstring line) {
    std::replace(line.begin(), line.end(), L':', L'/');
    return line;
}

std::wstring BackslashesToSlashes(const std::wstring& line) { return Replace(line, L"\\", L"/", 1, 0); }

std::wstring RPath(const std::wstring& path) { return RQuoted(ColonsToSlashes(BackslashesToSlashes(path))); }

void WriteRScripts(cST_Main_aiR& main, cST_aiR& dialog, SystemInfo& info, cST_DataSetArray& dataSets,
                   int columnIndex) {
    WriteROneScript(main, dialog, info, dataSets, kTrue, columnIndex);
    WriteROneScript(main, dialog, info, dataSets, 0, columnIndex);
}

void WriteROneScript(cST_Main_aiR& main, cST_aiR& dialog, SystemInfo& info, cST_DataSetArray& dataSets,
                     short check, int columnIndex) {
    const bool checkScript = check == kTrue;
    ScriptContext context;
    context.suffix = checkScript ? L"0" : L"";
    context.dataFolder = fsu::NormalizePathW(main.workFolder + L"datastore");
    context.outFolder = fsu::NormalizePathW(main.rFolder);
    context.packageFolder = BackslashesToSlashes(fsu::NormalizePathW(main.workFolder + L"packages") + L"/");
    context.listSeparator = HostText(info.listSeparator);
    context.decimalSymbol = HostText(info.decimalSymbol);
    const std::vector<std::wstring> packages = ScriptPackages(dialog);

    std::vector<std::wstring> lines;
    AppendPreamble(lines, main, context, packages);
    if (checkScript) {
        lines.push_back(L"if(length(new.packages)){quit(save = 'no', status = 10, runLast = FALSE)}");
    } else {
        AppendInstallation(lines, context, packages);
        const std::wstring readTail = L", sep=" + RQuoted(context.listSeparator) +
                                      L", dec='.', na=-1.79769313486231E+308, blank.lines.skip=F)";
        AppendDataImport(lines, dialog, dataSets, columnIndex, context.dataFolder, readTail);
        // The analysis code goes in as it is: the chart folders in it are
        // already written with "/", and R's own ":" and "::" must survive.
        lines.push_back(main.rCode);
        AppendResultExport(lines, dialog, context);
    }
    lines.push_back(L"sink();sink(type='message');close(log)");

    // An empty folder names none: nothing is made or written for it (its
    // normalised paths would start at the root of the file system). Nor is
    // anything made for a group or function name that is no single path part.
    if (!main.workFolder.empty()) {
        fsu::CreateOwnFolder(fsu::NarrowPath(context.dataFolder));
        if (fsu::IsPathPart(main.group)) fsu::CreateOwnFolder(fsu::NarrowPath(context.dataFolder + L"/" + main.group));
    }
    if (main.rFolder.empty()) return;
    fsu::CreateFolder(fsu::NarrowPath(context.outFolder));
    if (!fsu::IsPathPart(dialog.functionName)) return;
    WriteLines(fsu::NormalizePathW(main.rFolder + dialog.functionName + context.suffix + L".script"), lines);
}
