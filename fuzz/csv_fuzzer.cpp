// Fuzz target of the data files: a random data set (numeric and text blocks
// of random shape, counts that disagree with the host arrays, short columns,
// labels, extra blocks, any double) goes through Cpp_WriteDataSetToFile; the
// file is read back, cut into lines and fields, and compared field by field
// with what a plain reference writer expects: the columns in file order, an
// empty cell where a column has no value for a row, numbers as
// printf("%.15g") writes them (and reading back to the value within 15
// significant digits), texts in UTF-8, the header as R names it.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "r_names.h"

namespace {

using Text = std::u16string;

// Texts hold neither a separator nor a line feed (not even in their low
// eight bits), so that the file can be cut into fields again. A NUL ends a
// text where the library reads host arrays.
const Text kTextAlphabet(u"abcXYZ019 .-_\u00e9\u0161\u4e41\0", 17);
const char16_t* const kSeparators[] = {u",", u";", u"\t", u"|", u"::"};

// ---- The data set, as generated ----

struct ColumnSpec {
    bool valuesNull = false;
    std::vector<double> numbers;
    std::vector<Text> texts;
};

struct BlockSpec {
    int32_t declaredColumns = 0;
    bool recordsNull = false;
    std::vector<ColumnSpec> columns;
    bool lengthsNull = false;
    std::vector<int32_t> lengths;
    bool namesNull = false;
    std::vector<Text> names;
};

struct DataSpec {
    BlockSpec quanti1, quanti2, quali1, quali2;
    bool withQuanti2 = true;
    int32_t rowCount = 0;
    bool labelsNull = true;
    std::vector<Text> labels;
    int32_t quantiBlockCount = 0;
    std::vector<BlockSpec> dataQuanti;
    int32_t qualiBlockCount = 0;
    std::vector<BlockSpec> dataQuali;
};

double Number(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0: return in.ConsumeIntegralInRange<int64_t>(-100000000, 100000000) / 100.0;
        case 1: return static_cast<double>(in.ConsumeIntegral<int32_t>());
        case 2: return -1.79769313486231E+308;  // the missing-value marker
        case 3: {
            const double special[] = {0.0, -0.0, NAN, -NAN, INFINITY, -INFINITY, DBL_MIN, DBL_MAX, DBL_TRUE_MIN,
                                      1e15, 999999999999999.5, 1e-4, 9.9999999999999995e-5, 0.1, 1234567890.123456};
            return special[in.ConsumeIntegralInRange<size_t>(0, std::size(special) - 1)];
        }
        case 4: return in.ConsumeFloatingPoint<double>();
        default: {
            uint64_t bits = in.ConsumeIntegral<uint64_t>();
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
    }
}

// A count near n, sometimes far from it.
int32_t CountNear(FuzzedDataProvider& in, size_t n) {
    if (in.ConsumeIntegralInRange(0, 15) == 0) {
        const int32_t wild[] = {-1, -2147483647 - 1, 2147483647, 1000};
        return wild[in.ConsumeIntegralInRange<size_t>(0, std::size(wild) - 1)];
    }
    return static_cast<int32_t>(n) + in.ConsumeIntegralInRange<int32_t>(-1, 1);
}

BlockSpec Block(FuzzedDataProvider& in, bool numeric, size_t maxColumns) {
    BlockSpec block;
    const size_t n = in.ConsumeIntegralInRange<size_t>(0, maxColumns);
    for (size_t c = 0; c < n; ++c) {
        ColumnSpec column;
        column.valuesNull = in.ConsumeIntegralInRange(0, 15) == 0;
        const size_t rows = in.ConsumeIntegralInRange<size_t>(0, 8);
        for (size_t r = 0; r < rows; ++r) {
            if (numeric) {
                column.numbers.push_back(Number(in));
            } else {
                column.texts.push_back(fuzz::Text(in, 5, kTextAlphabet, false));
            }
        }
        block.columns.push_back(column);
        block.lengths.push_back(CountNear(in, rows));
        block.names.push_back(fuzz::Text(in, 6, kTextAlphabet, false));
    }
    block.declaredColumns = CountNear(in, n);
    block.recordsNull = n > 0 && in.ConsumeIntegralInRange(0, 15) == 0;
    // Fewer lengths or names than columns, or none at all.
    if (in.ConsumeIntegralInRange(0, 7) == 0) block.lengths.resize(in.ConsumeIntegralInRange<size_t>(0, n));
    if (in.ConsumeIntegralInRange(0, 7) == 0) block.names.resize(in.ConsumeIntegralInRange<size_t>(0, n));
    block.lengthsNull = in.ConsumeIntegralInRange(0, 15) == 0;
    block.namesNull = in.ConsumeIntegralInRange(0, 15) == 0;
    return block;
}

std::vector<BlockSpec> Blocks(FuzzedDataProvider& in, bool numeric, int32_t& declared) {
    std::vector<BlockSpec> blocks(in.ConsumeIntegralInRange<size_t>(0, 2));
    for (BlockSpec& block : blocks) block = Block(in, numeric, 2);
    declared = CountNear(in, blocks.size());
    return blocks;
}

DataSpec Generate(FuzzedDataProvider& in) {
    DataSpec spec;
    spec.quanti1 = Block(in, true, 3);
    spec.quanti2 = Block(in, true, 2);
    spec.quali1 = Block(in, false, 3);
    spec.quali2 = Block(in, false, 2);
    spec.withQuanti2 = !in.ConsumeBool();
    spec.rowCount = in.ConsumeIntegralInRange(0, 15) == 0 ? in.ConsumeIntegralInRange(-3, 0)
                                                           : in.ConsumeIntegralInRange(0, 10);
    spec.labelsNull = in.ConsumeBool();
    if (!spec.labelsNull) {
        spec.labels.resize(in.ConsumeIntegralInRange<size_t>(0, 10));
        for (Text& label : spec.labels) label = fuzz::Text(in, 4, kTextAlphabet, false);
    }
    spec.dataQuanti = Blocks(in, true, spec.quantiBlockCount);
    spec.dataQuali = Blocks(in, false, spec.qualiBlockCount);
    return spec;
}

// ---- The host records ----

SAFEARRAY* StringArray(host::Arena& arena, const std::vector<Text>& texts) {
    SAFEARRAY* array = arena.Array(host::Elem::kString, static_cast<uint32_t>(texts.size()));
    for (size_t k = 0; k < texts.size(); ++k) static_cast<BSTR*>(array->pvData)[k] = fuzz::Bstr(texts[k]);
    return array;
}

void FillBlock(host::Arena& arena, ST_MVect& record, const BlockSpec& block, bool numeric) {
    record.columnCount = block.declaredColumns;
    if (!block.recordsNull) {
        record.columns = arena.Records<ST_Vect>(static_cast<uint32_t>(block.columns.size()));
        for (size_t c = 0; c < block.columns.size(); ++c) {
            const ColumnSpec& column = block.columns[c];
            ST_Vect& vect = host::RecordAt<ST_Vect>(record.columns, static_cast<int>(c + 1));
            vect.count = static_cast<int32_t>(column.numbers.size() + column.texts.size());
            if (column.valuesNull) continue;
            vect.values = numeric ? arena.Dbls(column.numbers) : StringArray(arena, column.texts);
        }
    }
    if (!block.lengthsNull) record.columnLengths = arena.Ints(block.lengths);
    if (!block.namesNull) record.columnNames = StringArray(arena, block.names);
}

void FillBlocks(host::Arena& arena, ST_Data& record, const std::vector<BlockSpec>& blocks, int32_t declared,
                bool numeric) {
    record.blockCount = declared;
    record.blocks = arena.Records<ST_MVect>(static_cast<uint32_t>(blocks.size()));
    for (size_t b = 0; b < blocks.size(); ++b) {
        FillBlock(arena, host::RecordAt<ST_MVect>(record.blocks, static_cast<int>(b + 1)), blocks[b], numeric);
    }
}

// ---- The reference ----

// One column of the file: its name and, for each row, its cell (absent: the
// empty cell).
struct Cell {
    bool present = false;
    bool numeric = false;
    double number = 0;
    Text text;
};
struct FileColumn {
    Text name;
    std::vector<Cell> cells;  // rows 1.. of the column that hold a value
};

int Columns(const BlockSpec& block) {
    const int held = block.recordsNull ? 0 : static_cast<int>(block.columns.size());
    return std::clamp(block.declaredColumns, 0, held);
}

// Column i (1-based) of a block; extra columns are as long as their values,
// the others as their declared length within the values.
FileColumn ColumnOf(const BlockSpec& block, int i, bool numeric, bool extra) {
    FileColumn out;
    if (!block.namesNull && i >= 1 && static_cast<size_t>(i) <= block.names.size()) {
        out.name = fuzz::UpToNul(block.names[i - 1]);
    }
    const bool exists = !block.recordsNull && i >= 1 && static_cast<size_t>(i) <= block.columns.size();
    if (!exists || block.columns[i - 1].valuesNull) return out;
    const ColumnSpec& column = block.columns[i - 1];
    const int held = static_cast<int>(numeric ? column.numbers.size() : column.texts.size());
    int length = held;
    if (!extra) {
        const bool declared = !block.lengthsNull && static_cast<size_t>(i) <= block.lengths.size();
        length = std::clamp(declared ? block.lengths[i - 1] : -1, 0, held);
    }
    for (int r = 0; r < length; ++r) {
        Cell cell;
        cell.present = true;
        cell.numeric = numeric;
        if (numeric) {
            cell.number = column.numbers[r];
        } else {
            cell.text = fuzz::UpToNul(column.texts[r]);
        }
        out.cells.push_back(cell);
    }
    return out;
}

std::vector<FileColumn> FileColumns(const DataSpec& spec, int columnIndex, bool singleQuanti, bool singleQuali) {
    std::vector<FileColumn> columns;
    int from[4] = {1, 1, 1, 1};
    const BlockSpec* blocks[4] = {&spec.quanti1, &spec.quanti2, &spec.quali1, &spec.quali2};
    const bool numeric[4] = {true, true, false, false};
    const bool single[4] = {singleQuanti, false, singleQuali, false};
    for (int b = 0; b < 4; ++b) {
        if (b == 1 && !spec.withQuanti2) continue;
        if (Columns(*blocks[b]) == 0) continue;
        columns.push_back(ColumnOf(*blocks[b], single[b] ? columnIndex : 1, numeric[b], false));
        from[b] = single[b] ? Columns(*blocks[b]) + 1 : 2;
        break;
    }
    for (int b = 0; b < 4; ++b) {
        if (b == 1 && !spec.withQuanti2) continue;
        for (int i = from[b]; i <= Columns(*blocks[b]); ++i) columns.push_back(ColumnOf(*blocks[b], i, numeric[b], false));
    }
    const std::vector<BlockSpec>* extras[2] = {&spec.dataQuanti, &spec.dataQuali};
    const int32_t declared[2] = {spec.quantiBlockCount, spec.qualiBlockCount};
    for (int e = 0; e < 2; ++e) {
        const int count = std::clamp(declared[e], 0, static_cast<int>(extras[e]->size()));
        for (int b = 0; b < count; ++b) {
            const BlockSpec& block = (*extras[e])[b];
            for (int i = 1; i <= Columns(block); ++i) columns.push_back(ColumnOf(block, i, e == 0, true));
        }
    }
    return columns;
}

// UTF-8 of a text of the alphabet (no surrogates there).
std::string Utf8Of(const Text& text) {
    std::string bytes;
    for (const char16_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

std::string NumberText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// A numeric field read back gives the value within 15 significant digits
// (read as a long double: the largest doubles round up beyond the double
// range).
bool ReadsBack(const std::string& field, double value) {
    const long double read = std::strtold(field.c_str(), nullptr);
    if (std::isnan(value)) return std::isnan(read);
    if (std::isinf(value)) return read == value;
    return std::fabs(read - value) <= std::fabs(static_cast<long double>(value)) * 1e-14L;
}

const std::string& CsvFolder() {
    static const std::string folder = [] {
        const std::string work = fuzz::ProcessFolder() + "/work";
        std::filesystem::create_directories(work + "/datastore");
        return work;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const DataSpec spec = Generate(in);
    const int32_t columnIndex = in.ConsumeIntegralInRange(-1, 4);
    const bool singleQuanti = in.ConsumeBool();
    const bool singleQuali = in.ConsumeBool();
    const bool writeHeader = in.ConsumeBool();
    const bool withLabels = in.ConsumeBool();
    const Text separator = kSeparators[in.ConsumeIntegralInRange<size_t>(0, std::size(kSeparators) - 1)];

    host::Arena arena;
    auto main = host::Main(arena, {.workFolder = CsvFolder() + "/"});
    auto record = arena.New<ST_DataSet>();
    FillBlock(arena, record->quanti1, spec.quanti1, true);
    FillBlock(arena, record->quanti2, spec.quanti2, true);
    FillBlock(arena, record->quali1, spec.quali1, false);
    FillBlock(arena, record->quali2, spec.quali2, false);
    record->qualiInfoFlag = spec.withQuanti2 ? 0 : -1;
    record->rowCount = spec.rowCount;
    if (!spec.labelsNull) record->obsLabels = StringArray(arena, spec.labels);
    FillBlocks(arena, record->dataQuanti, spec.dataQuanti, spec.quantiBlockCount, true);
    FillBlocks(arena, record->dataQuali, spec.dataQuali, spec.qualiBlockCount, false);

    const std::string path = CsvFolder() + "/datastore/d.csv";
    std::remove(path.c_str());
    BSTR fileName = fuzz::Bstr(u"d.csv");
    BSTR separatorText = fuzz::Bstr(separator);
    Cpp_WriteDataSetToFile(main, nullptr, record, columnIndex, singleQuanti ? -1 : 0, singleQuali ? -1 : 0, fileName,
                           separatorText, writeHeader ? -1 : 0, withLabels ? -1 : 0);
    SysFreeString(fileName);
    SysFreeString(separatorText);

    std::ifstream file(path, std::ios::binary);
    FUZZ_CHECK(file.good(), "no file written");
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

    // The lines the reference expects, then the file cut the same way.
    const std::vector<FileColumn> columns = FileColumns(spec, columnIndex, singleQuanti, singleQuali);
    const std::string sep = Utf8Of(separator);
    // Lines stop after the last row that a column (or the label column) fills.
    size_t filled = withLabels && !spec.labelsNull ? spec.labels.size() : 0;
    for (const FileColumn& column : columns) filled = std::max(filled, column.cells.size());
    const size_t rows = std::min(static_cast<size_t>(std::max(spec.rowCount, 0)), filled);
    std::vector<std::string> lines = fuzz::Split(bytes, "\n");
    FUZZ_CHECK(lines.back().empty(), "the last line has no line feed");
    lines.pop_back();
    FUZZ_CHECK(lines.size() == rows + (writeHeader ? 1 : 0),
               std::to_string(lines.size()) + " lines for " + std::to_string(rows) + " rows");
    size_t line = 0;
    if (writeHeader) {
        // The names R gives the header (the names themselves are checked
        // against R elsewhere).
        std::vector<std::wstring> names;
        if (withLabels) names.push_back(L"obsLabels");
        for (const FileColumn& column : columns) names.emplace_back(column.name.begin(), column.name.end());
        const std::vector<std::wstring> rNames = RNames(names);
        std::string header;
        for (size_t k = 0; k < rNames.size(); ++k) {
            header += (k > 0 ? sep : "") + Utf8Of(Text(rNames[k].begin(), rNames[k].end()));
        }
        FUZZ_CHECK(lines[line] == header, lines[line] + " vs " + header);
        ++line;
    }
    const size_t labelColumns = withLabels ? 1 : 0;
    for (size_t r = 0; r < rows; ++r, ++line) {
        const std::vector<std::string> fields = fuzz::Split(lines[line], sep);
        FUZZ_CHECK(fields.size() == std::max<size_t>(columns.size() + labelColumns, 1),
                   "row " + std::to_string(r + 1) + ": " + lines[line]);
        if (withLabels) {
            const std::string label = !spec.labelsNull && r < spec.labels.size() ? Utf8Of(fuzz::UpToNul(spec.labels[r])) : "";
            FUZZ_CHECK(fields[0] == label, "label of row " + std::to_string(r + 1) + ": " + fields[0]);
        }
        for (size_t k = 0; k < columns.size(); ++k) {
            const std::string& field = fields[k + labelColumns];
            const std::string where = "row " + std::to_string(r + 1) + " column " + std::to_string(k + 1) + ": ";
            if (r >= columns[k].cells.size()) {
                FUZZ_CHECK(field.empty(), where + field + " instead of the empty cell");
            } else if (columns[k].cells[r].numeric) {
                const double value = columns[k].cells[r].number;
                FUZZ_CHECK(field == NumberText(value) && ReadsBack(field, value), where + field + " vs " + NumberText(value));
            } else {
                FUZZ_CHECK(field == Utf8Of(columns[k].cells[r].text), where + field);
            }
        }
    }
    return 0;
}
