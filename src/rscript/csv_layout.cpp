#include "csv_layout.h"

#include <algorithm>
#include <type_traits>

#include "r_names.h"

namespace {

constexpr short kTrue = -1;

// The number of columns of a block that are read: its columnCount, but never
// beyond the column records the host array holds.
template <typename T>
int Columns(const cST_MVect<T>& block) {
    return std::clamp(block.columnCount, 0, static_cast<int>(block.columns.size()));
}

template <typename T>
int Held(const cST_Vect<T>* column) {
    return column != nullptr && column->values != nullptr ? column->values->count() : 0;
}

template <typename T>
const T* Values(const cST_Vect<T>* column) {
    return Held(column) > 0 ? column->values->data() : nullptr;
}

// Column i of a block; the length is its columnLengths entry, within what
// the host array holds. A column index outside the block gives a column
// without values and without name.
template <typename T>
CsvColumn MainColumn(CsvGroup group, const cST_MVect<T>& block, int i) {
    const cST_Vect<T>* column = block.column(i);
    const int declared = block.columnLengths != nullptr ? (*block.columnLengths)(i) : 0;
    const std::wstring name = block.columnNames != nullptr ? (*block.columnNames)(i) : std::wstring();
    const int length = std::clamp(declared, 0, Held(column));
    if constexpr (std::is_same_v<T, double>) {
        return CsvColumn{group, name, Values(column), nullptr, length, &block, i};
    } else {
        return CsvColumn{group, name, nullptr, Values(column), length, &block, i};
    }
}

// Column i of an extra block: as long as its host array.
template <typename T>
CsvColumn ExtraColumn(CsvGroup group, const cST_MVect<T>& block, int i) {
    CsvColumn column = MainColumn(group, block, i);
    column.length = Held(block.column(i));
    return column;
}

template <typename T>
void AddColumns(std::vector<CsvColumn>& out, CsvGroup group, const cST_MVect<T>* block, int from) {
    if (block == nullptr) return;
    for (int i = from; i <= Columns(*block); ++i) out.push_back(MainColumn(group, *block, i));
}

template <typename T>
void AddExtraBlocks(std::vector<CsvColumn>& out, CsvGroup group, const cST_Data<T>* blocks) {
    if (blocks == nullptr) return;
    const int count = std::clamp(blocks->blockCount, 0, static_cast<int>(blocks->blocks.size()));
    for (int b = 1; b <= count; ++b) {
        const cST_MVect<T>* block = blocks->block(b);
        if (block == nullptr) continue;
        for (int i = 1; i <= Columns(*block); ++i) out.push_back(ExtraColumn(group, *block, i));
    }
}

template <typename T>
bool HasColumns(const cST_MVect<T>* block) {
    return block != nullptr && Columns(*block) > 0;
}

}  // namespace

std::vector<CsvColumn> CsvFileColumns(const cST_DataSet& dataSet, int columnIndex, short singleQuanti,
                                      short singleQuali, bool withLabels) {
    const bool withQuanti2 = dataSet.qualiInfoFlag != kTrue;
    // The block that supplies the first column starts its remaining columns
    // after it (or after its last column in single-column mode).
    int quanti1From = 1;
    int quanti2From = 1;
    int quali1From = 1;
    int quali2From = 1;
    std::vector<CsvColumn> columns;
    // The label column is one more text column in front; a short label
    // array leaves the label cell of the later rows empty.
    if (withLabels) {
        const matrix<std::wstring>* labels = dataSet.obsLabels;
        const int held = labels != nullptr ? labels->count() : 0;
        columns.push_back(CsvColumn{CsvGroup::kLabel, L"obsLabels", nullptr, held > 0 ? labels->data() : nullptr, held});
    }
    if (HasColumns(dataSet.quanti1)) {
        const bool single = singleQuanti == kTrue;
        columns.push_back(MainColumn(CsvGroup::kNumeric, *dataSet.quanti1, single ? columnIndex : 1));
        quanti1From = single ? Columns(*dataSet.quanti1) + 1 : 2;
    } else if (withQuanti2 && HasColumns(dataSet.quanti2)) {
        columns.push_back(MainColumn(CsvGroup::kNumeric, *dataSet.quanti2, 1));
        quanti2From = 2;
    } else if (HasColumns(dataSet.quali1)) {
        const bool single = singleQuali == kTrue;
        columns.push_back(MainColumn(CsvGroup::kFactor, *dataSet.quali1, single ? columnIndex : 1));
        quali1From = single ? Columns(*dataSet.quali1) + 1 : 2;
    } else if (HasColumns(dataSet.quali2)) {
        columns.push_back(MainColumn(CsvGroup::kFactor, *dataSet.quali2, 1));
        quali2From = 2;
    }
    AddColumns(columns, CsvGroup::kNumeric, dataSet.quanti1, quanti1From);
    if (withQuanti2) AddColumns(columns, CsvGroup::kNumeric, dataSet.quanti2, quanti2From);
    AddColumns(columns, CsvGroup::kFactor, dataSet.quali1, quali1From);
    AddColumns(columns, CsvGroup::kFactor, dataSet.quali2, quali2From);
    AddExtraBlocks(columns, CsvGroup::kExtraNumeric, dataSet.dataQuanti);
    AddExtraBlocks(columns, CsvGroup::kExtraFactor, dataSet.dataQuali);

    std::vector<std::wstring> names;
    names.reserve(columns.size());
    for (const CsvColumn& column : columns) names.push_back(column.name);
    names = RNames(names);
    for (size_t k = 0; k < columns.size(); ++k) columns[k].rName = std::move(names[k]);
    return columns;
}

std::vector<CsvColumn> TransferFileColumns(cST_DataSetArray& dataSets, int k, const cST_aiR& dialog,
                                           int columnIndex) {
    const cST_DataSet* dataSet = dataSets.dataSet(k);
    if (dataSet == nullptr) return {};
    const bool single = k == 1 && columnIndex > 0;
    return CsvFileColumns(*dataSet, single ? columnIndex : 0, single ? dialog.singleColumnQuanti : 0,
                          single ? dialog.singleColumnQuali : 0, k == dialog.addObsLabels);
}
