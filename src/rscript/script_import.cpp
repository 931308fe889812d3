// The data import of the analysis script: one read.csv line per exported data
// set, declaring exactly the columns its CSV file holds, and an lapply line
// turning the empty texts of its factor columns into NA.
#include <algorithm>

#include "csv_layout.h"
#include "fsu.h"
#include "kovcore.h"
#include "script_parts.h"
#include "vb_string.h"

namespace {

constexpr short kTrue = -1;

std::wstring Number(int n) { return ::to_wstring(static_cast<long double>(n)); }

// Column counts of a data set's file, by how R reads them.
struct FileGroups {
    int numeric = 0;
    int factors = 0;
    int extraNumeric = 0;
    int extraFactors = 0;
};

FileGroups CountGroups(const std::vector<CsvColumn>& columns) {
    FileGroups groups;
    for (const CsvColumn& column : columns) {
        switch (column.group) {
            case CsvGroup::kLabel: break;
            case CsvGroup::kNumeric: ++groups.numeric; break;
            case CsvGroup::kFactor: ++groups.factors; break;
            case CsvGroup::kExtraNumeric: ++groups.extraNumeric; break;
            case CsvGroup::kExtraFactor: ++groups.extraFactors; break;
        }
    }
    return groups;
}

// Without the last character (the trailing comma of a built list).
std::wstring DropLast(const std::wstring& text) { return Left(text, Len(text) - 1); }

}  // namespace

void AppendDataImport(std::vector<std::wstring>& lines, cST_aiR& dialog, cST_DataSetArray& dataSets,
                      int columnIndex, const std::wstring& dataFolder, const std::wstring& readTail) {
    const int count = std::min(dataSets.count, dataSets.exportFlags->count());
    for (int k = 1; k <= count; ++k) {
        if ((*dataSets.exportFlags)(k) != kTrue) continue;
        const std::wstring name = (*dataSets.dataSetNames)(k);
        // A name that is no single path part gets no data file to read.
        if (!fsu::IsPathPart(name)) continue;

        const std::vector<CsvColumn> columns = TransferFileColumns(dataSets, k, dialog, columnIndex);
        const FileGroups groups = CountGroups(columns);
        std::wstring classes;
        std::wstring ranges;
        int position = 0;
        if (k == dialog.addObsLabels) {
            classes += L"'character',";
            position = 1;
        }
        if (groups.numeric > 0) {
            classes += L"rep('double'," + Number(groups.numeric) + L"),";
            position += groups.numeric;
        }
        if (groups.factors > 0) {
            classes += L"rep('factor'," + Number(groups.factors) + L"),";
            ranges += Number(position + 1) + L":" + Number(position + groups.factors) + L",";
            position += groups.factors;
        }
        if (groups.extraNumeric > 0) {
            classes += L"rep('double'," + Number(groups.extraNumeric) + L"),";
            position += groups.extraNumeric;
        }
        if (groups.extraFactors > 0) {
            classes += L"rep('factor'," + Number(groups.extraFactors) + L"),";
            ranges += Number(position + 1) + L":" + Number(position + groups.extraFactors) + L",";
        }
        classes = L",colClasses=c(" + DropLast(classes) + L")";
        if (!ranges.empty()) ranges = L"c(" + DropLast(ranges) + L")";

        lines.push_back(name + L"<-read.csv(file=" + RPath(dataFolder + L"/" + name + L".csv") + L", header=TRUE" +
                        classes + readTail);
        if (!ranges.empty()) {
            lines.push_back(name + L"[" + ranges + L"]<-lapply(" + name + L"[" + ranges + L"],factor,exclude='')");
        }
    }
}
