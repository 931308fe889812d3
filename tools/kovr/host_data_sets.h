// The data sets of one run as host records (ST_DataSetArray and the records
// nested in it), built from plain columns the way the add-in builds them from
// the ranges the user selected.
#ifndef KOVR_HOST_DATA_SETS_H
#define KOVR_HOST_DATA_SETS_H

#include <string>
#include <vector>

#include "host_records.h"
#include "kovrbridge.h"

namespace kovr {

// The value the host stores for a missing number.
inline constexpr double kMissingNumber = -1.79769313486231e+308;

struct ColumnData {
    std::string name;
    bool numeric = true;
    std::vector<double> numbers;     // numeric columns; kMissingNumber for a missing value
    std::vector<std::string> texts;  // text columns; "" for a missing value
};

// A block of columns of one kind (all numeric or all text).
using BlockData = std::vector<ColumnData>;

struct DataSetData {
    std::string name;
    BlockData quanti1, quanti2, quali1, quali2;
    std::vector<BlockData> dataQuanti, dataQuali;
    std::vector<std::string> obsLabels;
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
    void FillBlockList(ST_Data& list, const std::vector<BlockData>& blocks);

    ST_DataSetArray record_{};
    std::vector<SAFEARRAY*> arrays_;   // made by SafeArrayCreate
    std::vector<SAFEARRAY*> records_;  // laid out by hand
};

}  // namespace kovr

#endif
