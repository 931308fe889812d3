// kovr stats FILE.csv: descriptive statistics of the columns of a CSV file
// through Cpp_GetDescStatsModel. A column whose filled cells are all numbers
// is summarised; any other column is tabulated.
#include <iostream>

#include "commands.h"
#include "csv_table.h"
#include "descriptive_stats.h"

namespace kovr {

namespace {

ColumnData ColumnOf(const CsvTable& table, size_t c) {
    const CsvColumn& cells = table.columns[c];
    ColumnData text{table.names[c], false, nullptr, {}};
    bool anyNumber = false;
    bool allNumbers = true;
    for (size_t r = 0; r < table.RowCount(); ++r) {
        const bool missing = IsMissingText(cells.texts[r]);
        text.texts.push_back(missing ? std::string() : cells.texts[r]);
        anyNumber = anyNumber || (*cells.numbers)[r] != kMissingNumber;
        allNumbers = allNumbers && ((*cells.numbers)[r] != kMissingNumber || missing);
    }
    if (anyNumber && allNumbers) return ColumnData{table.names[c], true, cells.numbers, {}};
    return text;
}

}  // namespace

int StatsCommand(const Args& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0) return Fail("stats", "usage: kovr stats FILE.csv", kExitUsage);
    CsvTable table;
    std::string error;
    if (!OpenCsv(args[0], CsvOptions{}, table, error) ||
        !ReadCsvRows(std::vector<ColumnUse>(table.names.size(), ColumnUse{true, true, true, ""}), table, error)) {
        return Fail("stats", "bad CSV file: " + error, kExitUsage);
    }

    DataSetData data;
    data.name = "data1";
    data.rowCount = static_cast<int>(table.RowCount());
    for (size_t c = 0; c < table.names.size(); ++c) {
        ColumnData column = ColumnOf(table, c);
        (column.numeric ? data.quanti1 : data.quali1).push_back(std::move(column));
    }
    std::cout << table.RowCount() << " rows, " << table.names.size() << " columns in " << args[0] << " ("
              << data.quanti1.size() << " numeric, " << data.quali1.size() << " text)\n\n";
    PrintDescriptiveStatistics(std::cout, data, args[0]);
    return kExitOk;
}

}  // namespace kovr
