#include "file_column_names.h"

#include <vector>

#include "csv_layout.h"
#include "r_names.h"

std::wstring FileColumnNames::Lookup(int set, const void* block, int i, const std::wstring& name) {
    if (block == nullptr) return std::wstring();
    auto file = files_.find(set);
    if (file == files_.end()) {
        std::vector<CsvColumn> columns;
        if (dialog_ != nullptr) {
            columns = TransferFileColumns(dataSets_, set, *dialog_, columnIndex_);
        } else if (const cST_DataSet* dataSet = dataSets_.dataSet(set)) {
            columns = CsvFileColumns(*dataSet, 0, 0, 0, false);
        }
        Names names;
        for (CsvColumn& column : columns) names.emplace(std::make_pair(column.block, column.index), std::move(column.rName));
        file = files_.emplace(set, std::move(names)).first;
    }
    const auto found = file->second.find(std::make_pair(block, i));
    if (found != file->second.end()) return found->second;
    // A column no file holds (or no column at all) has no name R gave it.
    return name.empty() ? std::wstring() : RName(name);
}
