#include "descriptive_stats.h"

#include <algorithm>
#include <set>

#include "host_arrays.h"
#include "host_text.h"
#include "text_table.h"

namespace kovr {

namespace {

// Longer frequency tables (identifiers, labels) are cut after this many rows.
constexpr int kMaxCategories = 12;

const std::vector<std::string> kStatistics = {"n", "missing", "mean", "sd", "min", "q1", "median", "q3", "max"};

std::string Cell(double value) { return value <= kMissingNumber ? std::string() : ShortNumber(value); }

// Room for the frequency table of each text column: one row per category.
DataSetData FrequencyTables(const BlockData& texts) {
    DataSetData table;
    for (const ColumnData& column : texts) {
        const std::set<std::string> categories(column.texts.begin(), column.texts.end());
        const size_t rows = std::max<size_t>(categories.size(), 1);
        table.quali1.push_back(ColumnData{column.name, false, {}, std::vector<std::string>(rows)});
        table.quanti1.push_back(ColumnData{column.name, true, std::make_shared<std::vector<double>>(rows), {}});
        table.quanti2.push_back(ColumnData{column.name, true, std::make_shared<std::vector<double>>(rows), {}});
    }
    return table;
}

}  // namespace

void PrintDescriptiveStatistics(std::ostream& out, const DataSetData& data, const std::string& what) {
    DataSetData model;
    model.name = "data1";
    model.rowCount = data.rowCount;
    model.quanti1 = data.quanti1;
    model.quanti1.insert(model.quanti1.end(), data.quanti2.begin(), data.quanti2.end());
    model.quali1 = data.quali1;
    model.quali1.insert(model.quali1.end(), data.quali2.begin(), data.quali2.end());

    HostDataSets host({model});
    ST_DataSetArray second{};
    ST_DataSet third{};
    ST_QualiInfo quali{};
    host.FillBlock(quali.textBlock, model.quali1);
    ST_DescStats results[4]{};
    ST_DescStats& r = results[0];
    const auto nStats = static_cast<uint32_t>(kStatistics.size());
    const auto nNumeric = static_cast<uint32_t>(model.quanti1.size());
    r.quanti.values = host.Table(VT_R8, nStats, nNumeric);
    r.quanti.formats.statistics = host.Array(VT_BSTR, nStats);
    for (uint32_t k = 1; k <= nStats; ++k) SetTextAt(r.quanti.formats.statistics, k, kStatistics[k - 1]);
    // The library writes the counts into these arrays, which lie over frequencies.
    const DataSetData frequencies = FrequencyTables(model.quali1);
    host.FillDataSet(r.quali.dataSet, frequencies);
    {
        ReplacedStrings replaced([&](StringSlots& s) { host.CollectStrings(s); });
        Cpp_GetDescStatsModel(0, host.get(), &second, &third, &quali, &results[0], &results[1], &results[2],
                              &results[3]);
    }

    out << "Descriptive statistics of " << what << "\n";
    if (nNumeric > 0) {
        TextRow header = {"variable"};
        header.insert(header.end(), kStatistics.begin(), kStatistics.end());
        std::vector<TextRow> rows;
        const double* values = Elements<double>(r.quanti.values);
        for (uint32_t c = 0; c < nNumeric; ++c) {
            TextRow row = {model.quanti1[c].name};
            for (uint32_t k = 0; k < nStats; ++k) row.push_back(Cell(values[c * nStats + k]));
            rows.push_back(row);
        }
        PrintTable(out, header, rows);
    }
    const ST_DataSet& table = r.quali.dataSet;
    for (int j = 1; j <= table.quali1.columnCount && j <= static_cast<int>(model.quali1.size()); ++j) {
        const ST_Vect& categories = static_cast<ST_Vect*>(table.quali1.columns->pvData)[j - 1];
        const ST_Vect& counts = static_cast<ST_Vect*>(table.quanti1.columns->pvData)[j - 1];
        const ST_Vect& percents = static_cast<ST_Vect*>(table.quanti2.columns->pvData)[j - 1];
        const int length = IntAt(table.quali1.columnLengths, static_cast<uint32_t>(j));
        out << "\nFrequencies of " << TextAt(table.quali1.columnNames, static_cast<uint32_t>(j)) << "\n";
        std::vector<TextRow> rows;
        const int shown = std::min({length, static_cast<int>(ElementCount(categories.values)), kMaxCategories});
        for (int i = 1; i <= shown; ++i) {
            rows.push_back({TextAt(categories, i), ShortNumber(Elements<double>(counts.values)[i - 1]),
                            ShortNumber(Elements<double>(percents.values)[i - 1])});
        }
        PrintTable(out, {"category", "count", "%"}, rows);
        if (length > shown) out << "  ... " << length - shown << " more categories\n";
    }
}

}  // namespace kovr
