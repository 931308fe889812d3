// The names by which the R code refers to the columns of the data files:
// each column's name in the header of the file the transfer writes for its
// data set (CsvFileColumns), so that the code and the header always agree.
#ifndef KOV_RSCRIPT_FILE_COLUMN_NAMES_H
#define KOV_RSCRIPT_FILE_COLUMN_NAMES_H

#include <map>
#include <string>
#include <utility>

#include "data_columns.h"
#include "records.h"

class FileColumnNames {
public:
    // With a dialog, the files are those the transfer writes in a run with
    // this column index (TransferFileColumns); without one (the exports that
    // take no dialog), files without labels and single-column switches.
    FileColumnNames(cST_DataSetArray& dataSets, const cST_aiR* dialog, int columnIndex)
        : dataSets_(dataSets), dialog_(dialog), columnIndex_(columnIndex) {}

    // The name of column i of block, a block of data set `set`: its name in
    // the header of the set's file, or, for a column the file does not hold,
    // RName of its name ("" when there is no such column or name).
    template <typename T>
    std::wstring Of(int set, const cST_MVect<T>* block, int i) {
        return Lookup(set, block, i, ColumnName(block, i));
    }

private:
    using Names = std::map<std::pair<const void*, int>, std::wstring>;

    std::wstring Lookup(int set, const void* block, int i, const std::wstring& name);

    cST_DataSetArray& dataSets_;
    const cST_aiR* dialog_;
    int columnIndex_;
    std::map<int, Names> files_;  // per data set, read when first asked for
};

#endif
