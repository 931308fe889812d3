#include "host_data_sets.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "host_arrays.h"
#include "host_text.h"

namespace kovr {

HostDataSets::HostDataSets(const std::vector<DataSetData>& sets) {
    const auto n = static_cast<uint32_t>(sets.size());
    record_.count = static_cast<int32_t>(n);
    record_.dataSets = Records(sizeof(ST_DataSet), n);
    record_.exportFlags = Array(VT_I2, n);
    record_.dataSetNames = Array(VT_BSTR, n);
    for (uint32_t k = 1; k <= n; ++k) {
        FillDataSet(DataSet(static_cast<int>(k)), sets[k - 1]);
        SetShortAt(record_.exportFlags, k, -1);
        SetTextAt(record_.dataSetNames, k, sets[k - 1].name);
    }
}

HostDataSets::~HostDataSets() {
    for (SAFEARRAY* array : arrays_) SafeArrayDestroy(array);
    for (SAFEARRAY* array : records_) FreeRecordArray(array);
    for (SAFEARRAY* array : views_) std::free(array);
    for (auto& [array, block] : lineLabels_) {
        // Strings still in the block (no call replaced them) are not freed one by one.
        auto* labels = Elements<BSTR>(array);
        for (uint32_t r = 0; r < ElementCount(array); ++r) {
            if (labels[r] >= block.data() && labels[r] < block.data() + block.size()) labels[r] = nullptr;
        }
        SafeArrayDestroy(array);
    }
}

void HostDataSets::CollectStrings(StringSlots& slots) {
    for (SAFEARRAY* array : arrays_) {
        if ((array->fFeatures & FADF_BSTR) != 0) slots.Array(array);
    }
}

SAFEARRAY* HostDataSets::Array(uint16_t vt, uint32_t count) {
    SAFEARRAY* array = NewArray(vt, count);
    arrays_.push_back(array);
    return array;
}

SAFEARRAY* HostDataSets::Table(uint16_t vt, uint32_t rows, uint32_t cols) {
    SAFEARRAY* array = NewTable(vt, rows, cols);
    arrays_.push_back(array);
    return array;
}

SAFEARRAY* HostDataSets::View(const std::vector<double>& values) {
    // Laid out as SafeArrayCreate lays out a VT_R8 array.
    auto* array = static_cast<SAFEARRAY*>(std::calloc(1, sizeof(SAFEARRAY)));
    array->cDims = 1;
    array->fFeatures = FADF_HAVEVARTYPE;
    array->cbElements = sizeof(double);
    array->rgsabound[0] = SAFEARRAYBOUND{static_cast<uint32_t>(values.size()), 1};
    array->pvData = values.empty() ? nullptr : const_cast<double*>(values.data());
    views_.push_back(array);
    return array;
}

SAFEARRAY* HostDataSets::LineLabels(const std::vector<uint32_t>& lines) {
    // Each string: its length in bytes (two units), its digits, a closing
    // zero, and a pad unit when needed so that every length starts on 4 bytes.
    const auto digitCount = [](uint32_t n) {
        size_t count = 1;
        for (; n >= 10; n /= 10) ++count;
        return count;
    };
    const auto entryUnits = [](size_t digits) { return (2 + digits + 1 + 1) & ~size_t{1}; };
    size_t total = 0;
    for (const uint32_t line : lines) total += entryUnits(digitCount(line));
    std::vector<char16_t> block(total);
    SAFEARRAY* array = NewArray(VT_BSTR, static_cast<uint32_t>(lines.size()));
    auto* labels = Elements<BSTR>(array);
    char16_t* at = block.data();
    for (size_t r = 0; r < lines.size(); ++r) {
        char digits[16];
        const auto length = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, lines[r]).ptr - digits);
        const auto bytes = static_cast<uint32_t>(length * 2);
        std::memcpy(at, &bytes, sizeof bytes);
        labels[r] = at + 2;
        for (size_t k = 0; k < length; ++k) labels[r][k] = static_cast<char16_t>(digits[k]);
        at += entryUnits(length);
    }
    lineLabels_.emplace_back(array, std::move(block));
    return array;
}

SAFEARRAY* HostDataSets::Records(size_t size, uint32_t count) {
    SAFEARRAY* array = NewRecordArray(size, count);
    records_.push_back(array);
    return array;
}

void HostDataSets::FillBlock(ST_MVect& block, const BlockData& columns) {
    const auto n = static_cast<uint32_t>(columns.size());
    block.columnCount = static_cast<int32_t>(n);
    block.columnLengths = Array(VT_I4, n);
    block.columns = Records(sizeof(ST_Vect), n);
    block.columnNames = Array(VT_BSTR, n);
    auto* vectors = static_cast<ST_Vect*>(block.columns->pvData);
    for (uint32_t c = 1; c <= n; ++c) {
        const ColumnData& column = columns[c - 1];
        static const std::vector<double> kNone;
        const std::vector<double>& numbers = column.numbers ? *column.numbers : kNone;
        const auto rows = static_cast<uint32_t>(column.numeric ? numbers.size() : column.texts.size());
        ST_Vect& v = vectors[c - 1];
        v.count = static_cast<int32_t>(rows);
        if (column.numeric) {
            v.values = View(numbers);
        } else {
            v.values = Array(VT_BSTR, rows);
            for (uint32_t r = 1; r <= rows; ++r) SetTextAt(v.values, r, column.texts[r - 1]);
        }
        SetIntAt(block.columnLengths, c, static_cast<int32_t>(rows));
        SetTextAt(block.columnNames, c, column.name);
    }
}

void HostDataSets::FillBlockList(ST_Data& list, const std::vector<BlockData>& blocks) {
    const auto n = static_cast<uint32_t>(blocks.size());
    list.blockCount = static_cast<int32_t>(n);
    list.blocks = Records(sizeof(ST_MVect), n);
    for (uint32_t b = 0; b < n; ++b) FillBlock(static_cast<ST_MVect*>(list.blocks->pvData)[b], blocks[b]);
}

void HostDataSets::FillDataSet(ST_DataSet& record, const DataSetData& data) {
    FillBlock(record.quanti1, data.quanti1);
    FillBlock(record.quanti2, data.quanti2);
    FillBlock(record.quali1, data.quali1);
    FillBlock(record.quali2, data.quali2);
    FillBlockList(record.dataQuanti, data.dataQuanti);
    FillBlockList(record.dataQuali, data.dataQuali);
    record.rowCount = data.rowCount;
    if (!data.obsLabels.empty()) {
        record.obsLabels = Array(VT_BSTR, static_cast<uint32_t>(data.obsLabels.size()));
        for (uint32_t r = 1; r <= data.obsLabels.size(); ++r) SetTextAt(record.obsLabels, r, data.obsLabels[r - 1]);
    } else if (data.obsLines && !data.obsLines->empty()) {
        record.obsLabels = LineLabels(*data.obsLines);
    }
}

}  // namespace kovr
