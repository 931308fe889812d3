// Reading column names from the data sets, where any data set, block or
// name may be absent (it then reads as empty).
#ifndef KOV_RSCRIPT_DATA_COLUMNS_H
#define KOV_RSCRIPT_DATA_COLUMNS_H

#include <string>

#include "records.h"

// The name of column i of block, "" when there is none.
template <typename T>
std::wstring ColumnName(const cST_MVect<T>* block, int i) {
    if (block == nullptr || block->columnNames == nullptr) return std::wstring();
    return (*block->columnNames)(i);
}

// The number of columns the host gives for block, 0 when there is none.
template <typename T>
int ColumnCount(const cST_MVect<T>* block) {
    return block != nullptr ? block->columnCount : 0;
}

#endif
