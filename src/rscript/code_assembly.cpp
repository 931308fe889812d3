#include "code_assembly.h"

#include <string>

#include "code_checks.h"
#include "data_columns.h"
#include "data_placeholders.h"
#include "entries.h"
#include "file_column_names.h"
#include "fsu.h"
#include "kovstr.h"
#include "model_equation.h"
#include "option_code.h"
#include "option_substitution.h"
#include "r_text.h"
#include "vb_string.h"

namespace {

void AppendLine(std::wstring& code, const std::wstring& line) {
    code += line;
    code += L'\n';
}

bool IsModel(const cST_aiR& dialog) {
    return dialog.dataStructure == L"model" || dialog.dataStructure == L"model.random";
}

// The formula of the run. For a model without interactions the add-in's text
// stays in rCode; otherwise that text is the right-hand side of the formula
// and rCode is emptied.
std::wstring BuildFormula(cST_Main_aiR& main, cST_aiR& dialog, cST_DataSetArray& dataSets, int columnIndex) {
    if (IsModel(dialog) && dialog.hasInteractions == 0) return GetModelEquation(dialog, dataSets, columnIndex);
    std::wstring formula;
    if (dialog.refRName.count >= 1) {
        std::wstring response;
        if (columnIndex == 0) {
            response = dialog.refRName(1);
        } else if (const cST_DataSet* first = dataSets.dataSet(1)) {
            FileColumnNames names(dataSets, &dialog, columnIndex);
            response = ColumnCount(first->quanti1) >= 1 ? names.Of(1, first->quanti1, columnIndex)
                                                        : names.Of(1, first->quali1, columnIndex);
        }
        formula = response + L" ~ " + main.rCode;
    }
    main.rCode.clear();
    return formula;
}

void AppendOptionLines(std::wstring& code, cST_aiR& dialog) {
    int inputCounter = 0;
    int comboCounter = 0;
    const int options = Entries(dialog.optionRName);
    for (int i = 1; i <= options; ++i) {
        if (IsPendingOption(dialog, i)) {
            AppendLine(code, CodeChecks(GetRCodeForOption(dialog, i, inputCounter, comboCounter)));
        } else {
            CountOptionKind(dialog, i, inputCounter, comboCounter);
        }
    }
}

// A replace line with its placeholders filled in. The formula and the seed
// are put in with one pass from left to right, so text put in is never
// searched again (a column named "formula" cannot make it loop).
std::wstring FillReplaceLine(const std::wstring& scriptLine, const std::wstring& formula, cST_aiR& dialog,
                             cST_DataSetArray& dataSets, FileColumnNames& names) {
    std::wstring line = CodeChecks(scriptLine);
    if (dialog.dataStructure != L"data") line = Replace(line, std::wstring(L"formula"), formula);
    if (dialog.usesSeed == -1) line = Replace(line, std::wstring(L"kovianseed"), std::to_wstring(dialog.seedValue));

    line = SubstituteOptions(line, dialog);
    if (line.find(L"xltype") != std::wstring::npos) ReplaceCodeByData(line, dataSets, names);
    return line;
}

bool IsComment(const std::wstring& line) {
    std::wstring trimmed;
    StrLTrim(trimmed, line);
    std::wstring first;
    StrLeft(first, trimmed, 1);
    return first == L"#";
}

void AppendScriptLines(std::wstring& code, const std::wstring& formula, cST_aiR& dialog,
                       cST_DataSetArray& dataSets, int columnIndex) {
    FileColumnNames names(dataSets, &dialog, columnIndex);
    const int lines = Entries(dialog.scriptCode);
    for (int j = 1; j <= lines; ++j) {
        const std::wstring& scriptLine = dialog.scriptCode(j);
        const short replace = dialog.scriptReplace(j);
        if (replace == -1) {
            if (!IsComment(scriptLine)) AppendLine(code, FillReplaceLine(scriptLine, formula, dialog, dataSets, names));
        } else if (replace == 0 && !scriptLine.empty()) {
            AppendLine(code, CodeChecks(scriptLine));
        }
    }
}

// The folder that charts are drawn into, ending with "/". Without an R folder
// the charts go, under their file names alone, into R's working folder.
std::wstring ChartFolder(const std::wstring& rFolder) {
    if (rFolder.empty()) return std::wstring();
    return fsu::NormalizePathW(rFolder) + L"/";  // backslashes already turned into slashes
}

std::wstring ChartLine(cST_aiR& dialog, int r, const std::wstring& folder) {
    const std::wstring& format = dialog.resRPlotFormat(r);
    const std::wstring resolution = format == L"emf" ? L"" : L" res=100,";
    // The plot code goes where the line's own "XXXX" stands, never into an
    // "XXXX" of the folder's name.
    return format + L"(" + RQuoted(folder + dialog.resChartName(r) + L"." + format) + L", " + resolution +
           L"height=" + dialog.resRPlotHeight(r) + L", width=" + dialog.resRPlotWidth(r) + L") ; " +
           dialog.resRPlotCode(r) + L" ; dev.off()";
}

// A chart is drawn unless an option row switches it: then once for every
// switching option whose value is "TRUE". A chart whose name and format do not
// make one file name in the R folder is not drawn.
void AppendChartLines(std::wstring& code, cST_aiR& dialog, const std::wstring& rFolder) {
    const std::wstring folder = ChartFolder(rFolder);
    const int results = Entries(dialog.resRPlotCode);
    const int optionRows = Entries(dialog.optionExtraText1);
    for (int r = 1; r <= results; ++r) {
        const std::wstring& name = dialog.resChartName(r);
        if (dialog.resRPlotCode(r).empty() || !fsu::IsPathPart(name) ||
            !fsu::IsPathPart(name + L"." + dialog.resRPlotFormat(r))) {
            continue;
        }
        bool matched = false;
        bool drawn = false;
        for (int o = 1; o <= optionRows; ++o) {
            if (dialog.optionChartName(o) != name) continue;
            matched = true;
            if (dialog.optionValue(o) == L"TRUE") {
                AppendLine(code, ChartLine(dialog, r, folder));
                drawn = true;
            }
        }
        if (!matched) AppendLine(code, ChartLine(dialog, r, folder));
        if (!matched || drawn) dialog.resPlotIncluded(r) = -1;
    }
}

}  // namespace

void GetRCodeAndReplaceOptions(cST_Main_aiR& main, cST_aiR& dialog, cST_DataSetArray& dataSets, int columnIndex) {
    const std::wstring formula = BuildFormula(main, dialog, dataSets, columnIndex);
    std::wstring code;
    StrLeft(code, main.rCode, Len(main.rCode) - 1);
    if (dialog.replaceByValue == 0) AppendOptionLines(code, dialog);
    AppendScriptLines(code, formula, dialog, dataSets, columnIndex);
    AppendChartLines(code, dialog, main.rFolder);
    main.rCode = std::move(code);
}
