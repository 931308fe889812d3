#include "transfer.h"

#include <algorithm>
#include <string>

#include "code_assembly.h"
#include "csv_writer.h"
#include "fsu.h"
#include "kovcore.h"
#include "script_writer.h"

namespace {

constexpr short kTrue = -1;

void WriteDataSet(cST_Main_aiR& main, cST_aiR& dialog, cST_DataSetArray& dataSets, SystemInfo& info, int k,
                  int columnIndex, short singleQuanti, short singleQuali) {
    cST_DataSet* dataSet = dataSets.dataSet(k);
    if (dataSet == nullptr) return;
    const std::wstring& name = (*dataSets.dataSetNames)(k);
    if (!fsu::IsPathPart(name)) return;
    const std::wstring fileName = name + L".csv";
    // The record is packed: the field is copied out rather than addressed.
    const BSTR listSeparator = info.listSeparator;
    const std::wstring separator = convertBSTRtoWstring(&listSeparator);
    const short withLabels = k == dialog.addObsLabels ? kTrue : 0;
    WriteDataSetToFile(main, dialog, *dataSet, columnIndex, singleQuanti, singleQuali, fileName, separator, kTrue,
                       withLabels);
}

}  // namespace

void TransferToR(cST_Main_aiR& main, cST_aiR& dialog, cST_DataSetArray& dataSets, SystemInfo& info,
                 int columnIndex) {
    GetRCodeAndReplaceOptions(main, dialog, dataSets, columnIndex);
    // The scripts come first: writing them creates the data store.
    WriteRScripts(main, dialog, info, dataSets, columnIndex);
    int first = 1;
    if (columnIndex > 0) {
        WriteDataSet(main, dialog, dataSets, info, 1, columnIndex, dialog.singleColumnQuanti,
                     dialog.singleColumnQuali);
        first = 2;
    }
    const int count = std::min(dataSets.count, dataSets.exportFlags->count());
    for (int k = first; k <= count; ++k) {
        if ((*dataSets.exportFlags)(k) == kTrue) WriteDataSet(main, dialog, dataSets, info, k, 0, 0, 0);
    }
}
