// Fuzz target of the data files: a random data set (numeric and text blocks of
// random shape, any double, texts holding separators, quotes, line breaks,
// NULs and letters of several scripts, labels, a row count short or long of
// the data) goes through Cpp_WriteDataSetToFile as the host lays it out. The
// file is read back as R reads it (quoted fields, blank lines kept) and
// compared field by field with the columns in file order: every row up to the
// last one a column fills, the header as R names the columns, numbers as
// printf("%.15g") writes them, texts exactly (up to a NUL, which ends a host
// array's text), an empty field where a column has no value for a row. With
// counts in the records corrupted, the check is that nothing crashes or leaks.
#include <csv.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "host_data_sets.h"
#include "r_names.h"
#include "utf8.h"

namespace {

using kovr::BlockData;
using kovr::ColumnData;
using Rows = std::vector<std::vector<std::string>>;

const std::string_view kPieces[] = {"a", "b", "X", "1", ".", "-", "_", " ", ",", ";", "\t", "|", "\"", "\n", "\r",
                                    "\xC3\xA9", "\xE4\xB8\x8A", "\xF0\x9F\x98\x80", {"\0", 1}};
const char kSeparators[] = ",;\t|";

std::string Utf8Text(FuzzedDataProvider& in, size_t maxPieces) {
    std::string text;
    for (size_t n = in.ConsumeIntegralInRange<size_t>(0, maxPieces); n > 0; --n) {
        text += kPieces[in.ConsumeIntegralInRange<size_t>(0, std::size(kPieces) - 1)];
    }
    return text;
}

std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

double Number(FuzzedDataProvider& in) {
    const double special[] = {0.0, -0.0, NAN, INFINITY, -INFINITY, DBL_MIN, DBL_MAX, DBL_TRUE_MIN, 1e15,
                              999999999999999.5, 9.9999999999999995e-5, 0.1, -1.79769313486231E+308};
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0: return in.ConsumeIntegralInRange<int64_t>(-100000000, 100000000) / 100.0;
        case 1: return special[in.ConsumeIntegralInRange<size_t>(0, std::size(special) - 1)];
        default: {
            const uint64_t bits = in.ConsumeIntegral<uint64_t>();
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
    }
}

BlockData Block(FuzzedDataProvider& in, bool numeric, size_t maxColumns) {
    BlockData block(in.ConsumeIntegralInRange<size_t>(0, maxColumns));
    for (ColumnData& column : block) {
        column.name = Utf8Text(in, 4);
        column.numeric = numeric;
        std::vector<double> numbers;
        for (size_t r = in.ConsumeIntegralInRange<size_t>(0, 8); r > 0; --r) {
            if (numeric) numbers.push_back(Number(in));
            if (!numeric) column.texts.push_back(Utf8Text(in, 5));
        }
        column.numbers = std::make_shared<const std::vector<double>>(std::move(numbers));
    }
    return block;
}

std::vector<BlockData> Blocks(FuzzedDataProvider& in, bool numeric) {
    std::vector<BlockData> blocks(in.ConsumeIntegralInRange<size_t>(0, 2));
    for (BlockData& block : blocks) block = Block(in, numeric, 2);
    return blocks;
}

// The columns of the file in order (null: a chosen column the block does not
// have): the first column of the first main block that has any (with a single
// switch, column columnIndex of quanti1 / quali1 and none of its others), the
// rest of the main blocks (quanti2 left out with qualiInfoFlag), then every
// column of the extra blocks.
std::vector<const ColumnData*> FileColumns(const kovr::DataSetData& set, bool withQuanti2, int columnIndex,
                                           bool singleQuanti, bool singleQuali) {
    const BlockData* blocks[] = {&set.quanti1, withQuanti2 ? &set.quanti2 : nullptr, &set.quali1, &set.quali2};
    const bool single[] = {singleQuanti, false, singleQuali, false};
    std::vector<const ColumnData*> columns;
    size_t from[] = {0, 0, 0, 0};
    for (size_t b = 0; b < 4; ++b) {
        if (blocks[b] == nullptr || blocks[b]->empty()) continue;
        const size_t first = single[b] ? static_cast<size_t>(columnIndex - 1) : 0;
        columns.push_back(first < blocks[b]->size() ? &(*blocks[b])[first] : nullptr);
        from[b] = single[b] ? blocks[b]->size() : 1;
        break;
    }
    for (size_t b = 0; b < 4; ++b) {
        for (size_t i = from[b]; blocks[b] != nullptr && i < blocks[b]->size(); ++i) columns.push_back(&(*blocks[b])[i]);
    }
    for (const auto* extras : {&set.dataQuanti, &set.dataQuali}) {
        for (const BlockData& block : *extras) {
            for (const ColumnData& column : block) columns.push_back(&column);
        }
    }
    return columns;
}

size_t Length(const ColumnData* column) {
    return column == nullptr ? 0 : column->numeric ? column->numbers->size() : column->texts.size();
}

std::string Cell(const ColumnData& column, size_t r) {
    if (!column.numeric) return UpToNul(column.texts[r]);
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", (*column.numbers)[r]);
    return text;
}

// The records of a file as libcsv reads them, strictly, spaces kept; a blank
// line is a record of no field.
Rows ReadBack(const std::string& bytes, char separator) {
    Rows rows(1);
    csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    const auto field = [](void* text, size_t size, void* out) {
        static_cast<Rows*>(out)->back().emplace_back(static_cast<const char*>(text), text == nullptr ? 0 : size);
    };
    const auto end = [](int, void* out) { static_cast<Rows*>(out)->emplace_back(); };
    FUZZ_CHECK(csv_parse(&parser, bytes.data(), bytes.size(), field, end, &rows) == bytes.size(), bytes);
    FUZZ_CHECK(csv_fini(&parser, field, end, &rows) == 0, bytes);
    csv_free(&parser);
    FUZZ_CHECK(rows.back().empty(), "the last line has no line feed");
    rows.pop_back();
    return rows;
}

// A line of one empty field is a blank line.
void CheckRecord(const std::vector<std::string>& got, std::vector<std::string> expected, const std::string& what) {
    if (expected == std::vector<std::string>{""}) expected.clear();
    FUZZ_CHECK(got == expected, what);
}

// Sets a few of the records' counts to values that disagree with the arrays.
void Corrupt(FuzzedDataProvider& in, ST_DataSet& record) {
    std::vector<int32_t*> counts = {&record.rowCount, &record.dataQuanti.blockCount, &record.dataQuali.blockCount};
    for (ST_MVect* block : {&record.quanti1, &record.quanti2, &record.quali1, &record.quali2}) {
        counts.push_back(&block->columnCount);
        for (int32_t c = 0; c < block->columnCount; ++c) {
            counts.push_back(&static_cast<ST_Vect*>(block->columns->pvData)[c].count);
            counts.push_back(&static_cast<int32_t*>(block->columnLengths->pvData)[c]);
        }
    }
    const int32_t wild[] = {-1, 0, 1, 3, 9, INT32_MIN, INT32_MAX};
    for (int n = in.ConsumeIntegralInRange(1, 3); n > 0; --n) {
        *counts[in.ConsumeIntegralInRange<size_t>(0, counts.size() - 1)] =
            wild[in.ConsumeIntegralInRange<size_t>(0, std::size(wild) - 1)];
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    kovr::DataSetData set;
    set.quanti1 = Block(in, true, 3);
    set.quanti2 = Block(in, true, 2);
    set.quali1 = Block(in, false, 3);
    set.quali2 = Block(in, false, 2);
    set.dataQuanti = Blocks(in, true);
    set.dataQuali = Blocks(in, false);
    for (size_t n = in.ConsumeIntegralInRange<size_t>(0, 10); n > 0; --n) set.obsLabels.push_back(Utf8Text(in, 4));
    set.rowCount = in.ConsumeIntegralInRange(-1, 10);
    const bool withQuanti2 = in.ConsumeBool();
    const int32_t columnIndex = in.ConsumeIntegralInRange(-1, 4);
    const bool singleQuanti = in.ConsumeBool(), singleQuali = in.ConsumeBool();
    const bool writeHeader = in.ConsumeBool(), withLabels = in.ConsumeBool();
    const char separator = kSeparators[in.ConsumeIntegralInRange<size_t>(0, std::size(kSeparators) - 2)];
    const bool corrupt = in.ConsumeIntegralInRange(0, 7) == 0;

    static const std::string work = fuzz::ProcessFolder() + "/work/";
    std::filesystem::create_directories(work + "datastore");
    const std::string path = work + "datastore/d.csv";
    std::remove(path.c_str());
    kovr::HostMain main;
    main.Set(offsetof(ST_Main_aiR, workFolder), work);
    kovr::HostDataSets sets({set});
    ST_DataSet& record = sets.DataSet(1);
    record.qualiInfoFlag = withQuanti2 ? 0 : -1;
    if (corrupt) Corrupt(in, record);
    BSTR fileName = fuzz::Bstr(u"d.csv");
    BSTR separatorText = fuzz::Bstr(std::u16string(1, static_cast<char16_t>(separator)));
    {
        kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) {
            main.CollectStrings(s);
            sets.CollectStrings(s);
        });
        Cpp_WriteDataSetToFile(main.get(), nullptr, &record, columnIndex, singleQuanti ? -1 : 0, singleQuali ? -1 : 0,
                               fileName, separatorText, writeHeader ? -1 : 0, withLabels ? -1 : 0);
    }
    SysFreeString(fileName);
    SysFreeString(separatorText);
    const std::string bytes = fuzz::ReadFile(path);
    if (corrupt) return 0;

    const std::vector<const ColumnData*> columns = FileColumns(set, withQuanti2, columnIndex, singleQuanti, singleQuali);
    size_t filled = withLabels ? set.obsLabels.size() : 0;
    for (const ColumnData* column : columns) filled = std::max(filled, Length(column));
    const size_t rowCount = std::min(static_cast<size_t>(std::max(set.rowCount, 0)), filled);
    const Rows rows = ReadBack(bytes, separator);
    FUZZ_CHECK(rows.size() == rowCount + (writeHeader ? 1 : 0),
               std::to_string(rows.size()) + " records for " + std::to_string(rowCount) + " rows");

    std::vector<std::string> expected;
    if (writeHeader) {
        std::vector<std::wstring> names;
        if (withLabels) names.push_back(L"obsLabels");
        for (const ColumnData* column : columns) names.push_back(FromUtf8(column == nullptr ? "" : UpToNul(column->name)));
        for (const std::wstring& name : RNames(names)) expected.push_back(Utf8(name));
        CheckRecord(rows[0], expected, "header of " + bytes);
    }
    for (size_t r = 0; r < rowCount; ++r) {
        expected.clear();
        if (withLabels) expected.push_back(r < set.obsLabels.size() ? UpToNul(set.obsLabels[r]) : "");
        for (const ColumnData* column : columns) expected.push_back(r < Length(column) ? Cell(*column, r) : "");
        CheckRecord(rows[r + (writeHeader ? 1 : 0)], expected, "row " + std::to_string(r + 1) + " of " + bytes);
    }
    return 0;
}
