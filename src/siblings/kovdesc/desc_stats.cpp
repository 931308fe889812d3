#include "desc_stats.h"

#include <algorithm>
#include <vector>

#include "frequency_table.h"
#include "numeric_summary.h"

namespace {

constexpr short kTrue = -1;

// Values 1 to the column's length (columnLengths(i), or the column's count
// when the block has no length for it), clipped to what its array holds.
template <typename T>
std::vector<T> ColumnValues(cST_MVect<T>& block, int i) {
    const cST_Vect<T>* column = block.column(i);
    if (column == nullptr) return {};
    int length = i <= block.columnLengths->count() ? (*block.columnLengths)(i) : column->count;
    length = std::clamp(length, 0, column->values->count());
    const T* first = column->values->data();
    return std::vector<T>(first, first + length);
}

// Writes one result, dropping what lies outside the result's shape.
void Put(matrix<double>& values, int row, int col, double value) {
    if (row < 1 || col < 1 || row > values.rows() || col > values.cols()) return;
    values(row, col) = value;
}

// The statistics' lookup keys; an empty key leaves its result row alone.
std::vector<std::wstring> Keys(matrix<std::wstring>& statistics) {
    std::vector<std::wstring> keys;
    for (int k = 1; k <= statistics.count(); ++k) keys.push_back(kovdesc::StatisticKey(statistics(k)));
    return keys;
}

void DescribeColumn(const std::vector<double>& column, const std::vector<std::wstring>& keys, bool skipMissing,
                    bool oneRowPerColumn, int resultColumn, matrix<double>& values) {
    const kovdesc::NumericSummary summary = kovdesc::Summarize(column);
    const bool unavailable = !skipMissing && summary.missing > 0;
    for (size_t k = 0; k < keys.size(); ++k) {
        if (keys[k].empty()) continue;
        double value = kMissingValue;
        if (!unavailable || keys[k] == L"n" || keys[k] == L"missing") {
            value = kovdesc::StatisticByKey(summary, keys[k]).value_or(kMissingValue);
            if (kovdesc::IsMissing(value)) value = kMissingValue;
        }
        const int statistic = static_cast<int>(k) + 1;
        if (oneRowPerColumn) {
            Put(values, resultColumn, statistic, value);
        } else {
            Put(values, statistic, resultColumn, value);
        }
    }
}

// How many columns a block can take: the most of its names, lengths and
// column records.
template <typename T>
long long Room(const cST_MVect<T>& block) {
    return std::max({static_cast<long long>(block.columnNames->count()),
                     static_cast<long long>(block.columnLengths->count()), static_cast<long long>(block.columns.size())});
}

// Column j of a result block: its name, length and values.
template <typename T>
void PutColumn(cST_MVect<T>& block, int j, const std::wstring& name, const std::vector<T>& entries) {
    const int length = static_cast<int>(entries.size());
    (*block.columnNames)(j) = name;
    (*block.columnLengths)(j) = length;
    cST_Vect<T>* column = block.column(j);
    if (column == nullptr) return;
    column->count = length;
    for (int r = 1; r <= length; ++r) (*column)(r) = entries[static_cast<size_t>(r) - 1];
}

}  // namespace

void ComputeQuantiStats_ST(cST_DataSet* data, matrix<std::wstring>* statistics, short skipMissing,
                           short oneRowPerColumn, matrix<double>* values) {
    if (data == nullptr || statistics == nullptr || values == nullptr) return;
    const std::vector<std::wstring> keys = Keys(*statistics);
    // Columns past those a block holds are described as empty columns; past
    // the room of the results as well, nothing changes: the walk ends there,
    // however large a column count the host gives.
    const long long room = oneRowPerColumn == kTrue ? values->rows() : values->cols();
    int resultColumn = 0;
    for (cST_MVect<double>* block : {data->quanti1, data->quanti2}) {
        const long long held = static_cast<long long>(block->columns.size());
        const long long last = std::min<long long>(block->columnCount, std::max(held, room - resultColumn));
        for (int i = 1; i <= last; ++i) {
            DescribeColumn(ColumnValues(*block, i), keys, skipMissing == kTrue, oneRowPerColumn == kTrue,
                           ++resultColumn, *values);
        }
    }
}

void ComputeQualiStats_ST(cST_QualiInfo* info, cST_TableFormats* /*formats*/, cST_DataSet* table) {
    if (info == nullptr || table == nullptr) return;
    cST_MVect<std::wstring>& texts = *info->textBlock;
    // Past the text columns held and the room of the table, a column would
    // change nothing: the walk ends there, whatever the column count.
    const long long last = std::min<long long>(
        texts.columnCount, std::max({static_cast<long long>(texts.columns.size()), Room(*table->quali1),
                                     Room(*table->quanti1), Room(*table->quanti2)}));
    int longest = 0;
    for (int j = 1; j <= last; ++j) {
        const std::vector<kovdesc::Frequency> frequencies = kovdesc::Tabulate(ColumnValues(texts, j));
        std::vector<std::wstring> categories;
        std::vector<double> counts;
        std::vector<double> percents;
        for (const kovdesc::Frequency& f : frequencies) {
            categories.push_back(f.category);
            counts.push_back(f.count);
            percents.push_back(f.percent);
        }
        const std::wstring& name = (*texts.columnNames)(j);
        PutColumn(*table->quali1, j, name, categories);
        PutColumn(*table->quanti1, j, name, counts);
        PutColumn(*table->quanti2, j, name, percents);
        longest = std::max(longest, static_cast<int>(frequencies.size()));
    }
    table->quali1->columnCount = texts.columnCount;
    table->quanti1->columnCount = texts.columnCount;
    table->quanti2->columnCount = texts.columnCount;
    table->rowCount = longest;
}
