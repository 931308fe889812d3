// The data sets of one run as host records (ST_DataSetArray and the records
// nested in it), built from plain columns the way the add-in builds them from
// the ranges the user selected.
#ifndef KOVR_HOST_DATA_SETS_H
#define KOVR_HOST_DATA_SETS_H

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "csv_number.h"
#include "host_records.h"
#include "kovrbridge.h"

namespace kovr {

struct ColumnData {
    std::string name;
    bool numeric = true;
    // Numeric columns, kMissingNumber for a missing value; shared with the
    // table read from the file when a run takes all its rows.
    std::shared_ptr<const std::vector<double>> numbers;
    std::vector<std::string> texts;  // text columns; "" for a missing value
};

// A block of columns of one kind (all numeric or all text).
using BlockData = std::vector<ColumnData>;

struct DataSetData {
    std::string name;
    BlockData quanti1, quanti2, quali1, quali2;
    std::vector<BlockData> dataQuanti, dataQuali;
    std::vector<std::string> obsLabels;
    // Without obsLabels: the rows' line numbers in the file, which label them
    // instead (the table's own list when the run takes every row).
    std::shared_ptr<const std::vector<uint32_t>> obsLines;
    int rowCount = 0;
};

class HostDataSets {
public:
    explicit HostDataSets(const std::vector<DataSetData>& sets);
    ~HostDataSets();
    HostDataSets(const HostDataSets&) = delete;
    HostDataSets& operator=(const HostDataSets&) = delete;

    ST_DataSetArray* get() { return &record_; }
    ST_DataSet& DataSet(int k) { return static_cast<ST_DataSet*>(record_.dataSets->pvData)[k - 1]; }
    void CollectStrings(StringSlots& slots);

    // For records that embed data-set parts (the statistics records): fills
    // a data set or a block held elsewhere, and makes arrays, all owned here.
    void FillDataSet(ST_DataSet& record, const DataSetData& data);
    void FillBlock(ST_MVect& block, const BlockData& columns);
    SAFEARRAY* Array(uint16_t vt, uint32_t count);
    SAFEARRAY* Table(uint16_t vt, uint32_t rows, uint32_t cols);

private:
    SAFEARRAY* Records(size_t size, uint32_t count);
    // The rows' line numbers as a string array whose strings lie in one block
    // owned here, laid out as host strings are.
    SAFEARRAY* LineLabels(const std::vector<uint32_t>& lines);
    // A numeric host array over values themselves (no copy); values must
    // outlive this object. The library only reads data arrays.
    SAFEARRAY* View(const std::vector<double>& values);
    void FillBlockList(ST_Data& list, const std::vector<BlockData>& blocks);

    ST_DataSetArray record_{};
    std::vector<SAFEARRAY*> arrays_;   // made by SafeArrayCreate
    std::vector<SAFEARRAY*> records_;  // laid out by hand
    std::vector<SAFEARRAY*> views_;    // descriptors only
    // Line-number label arrays and the blocks their strings lie in. The
    // library writes a new string into every element and never frees the old
    // one, so the block is freed whole and only the new strings one by one.
    std::vector<std::pair<SAFEARRAY*, std::vector<char16_t>>> lineLabels_;
};

}  // namespace kovr

#endif
