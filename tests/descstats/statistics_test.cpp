// Descriptive statistics through Cpp_GetDescStatsModel, asked for as the
// add-in asks: the figures of numeric columns and the frequency tables of
// text columns against R's own for the same data, and which data the call
// describes into which of its four result records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "host_arrays.h"
#include "host_data_sets.h"
#include "test_support.h"

namespace {

using kovr::BlockData;
using kovr::ColumnData;
using kovr::DataSetData;
constexpr double M = kovr::kMissingNumber;
constexpr uint32_t kRoom = 4;  // numeric and text columns each result record has room for
const std::vector<std::string> kAll = {"n", "missing", "min", "max", "mean", "median", "var", "sd", "q1", "q3", "sum"};

using kovtest::Numbers;
using kovtest::Texts;
DataSetData Set(BlockData quanti, BlockData quali = {}) {
    DataSetData set;
    set.quanti1 = std::move(quanti);
    set.quali1 = std::move(quali);
    for (const ColumnData& c : set.quanti1) set.rowCount = static_cast<int>(c.numbers->size());
    for (const ColumnData& c : set.quali1) set.rowCount = static_cast<int>(c.texts.size());
    return set;
}

// One call: the model data sets, the second data sets, the third data set,
// the text columns tabulated for the model, and, when set, the model's own
// text columns for results 4. Each result record has room for kRoom numeric
// columns of kAll and kRoom frequency tables of 8 categories.
struct Call {
    Call(std::vector<DataSetData> model, std::vector<DataSetData> second, DataSetData third, BlockData texts,
         BlockData modelInfo = {}, short flag = 0)
        : modelData(std::move(model)), secondData(std::move(second)), rest{std::move(third)},
          modelSets(modelData), secondSets(secondData), host(rest) {
        host.FillDataSet(thirdSet, rest[0]);
        host.FillBlock(quali.textBlock, texts);
        if (!modelInfo.empty()) {
            modelSets.DataSet(1).qualiInfoFlag = -1;
            host.FillBlock(modelSets.DataSet(1).qualiInfo.textBlock, modelInfo);
        }
        for (int r = 0; r < 4; ++r) {
            results[r].quanti.values = host.Table(VT_R8, kAll.size(), kRoom);
            results[r].quanti.formats.statistics = host.Array(VT_BSTR, kAll.size());
            for (uint32_t k = 1; k <= kAll.size(); ++k) {
                kovr::SetTextAt(results[r].quanti.formats.statistics, k, kAll[k - 1]);
            }
            for (uint32_t c = 0; c < kRoom; ++c) {
                tables[r].quali1.push_back(Texts("", std::vector<std::string>(8)));
                tables[r].quanti1.push_back(Numbers("", std::vector<double>(8)));
                tables[r].quanti2.push_back(Numbers("", std::vector<double>(8)));
            }
            host.FillDataSet(results[r].quali.dataSet, tables[r]);
            // Room for the tables, none written yet.
            ST_DataSet& table = results[r].quali.dataSet;
            table.quali1.columnCount = table.quanti1.columnCount = table.quanti2.columnCount = 0;
        }
        kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) {
            modelSets.CollectStrings(s);
            secondSets.CollectStrings(s);
            host.CollectStrings(s);
        });
        Cpp_GetDescStatsModel(flag, modelSets.get(), secondSets.get(), &thirdSet, &quali, &results[0], &results[1],
                              &results[2], &results[3]);
    }
    // Figure k of numeric column c (from 0) of result record r.
    double Figure(int r, size_t c, size_t k) {
        return kovr::Elements<double>(results[r].quanti.values)[c * kAll.size() + k];
    }
    // Frequency table j (from 1) of result record r: "category count percent" lines.
    std::string Frequencies(int r, int j) {
        const ST_DataSet& table = results[r].quali.dataSet;
        std::string lines;
        for (int i = 1; j <= table.quali1.columnCount && i <= kovr::IntAt(table.quali1.columnLengths, j); ++i) {
            char figures[64];
            std::snprintf(figures, sizeof figures, " %.17g %.17g\n", tables[r].quanti1[j - 1].numbers->at(i - 1),
                          tables[r].quanti2[j - 1].numbers->at(i - 1));
            lines += kovr::TextAt(static_cast<ST_Vect*>(table.quali1.columns->pvData)[j - 1], i) + figures;
        }
        return lines;
    }

    std::vector<DataSetData> modelData, secondData, rest;
    DataSetData tables[4];  // the frequency tables the results' arrays lie over
    kovr::HostDataSets modelSets, secondSets, host;
    ST_DataSet thirdSet{};
    ST_QualiInfo quali{};
    ST_DescStats results[4]{};
};

std::string RVector(const std::vector<double>& x) {
    std::string text = "c(";
    for (const double v : x) {
        char number[32];
        std::snprintf(number, sizeof number, "%.17g", v);
        text += (text.size() > 2 ? "," : "") + (v == M || std::isnan(v) ? std::string("NA") : std::string(number));
    }
    return text + ")";
}

TEST(Statistics, FiguresAndFrequencyTablesAreRsOwn) {
    if (!kovtest::HaveR()) GTEST_SKIP() << "Rscript is not installed";
    const std::vector<std::vector<double>> samples = {
        {12.5, 3.25, 7, 19.75, 0.5, 11, 8.125, 15, 2.75, 6.5, 10.375},
        {-4.2, 17.9, 0.003, 123456.789, -98765.4321, 3.14159, 2.71828, M, M, M, NAN},
        {1e9 + 0.1, 1e9 + 0.2, 1e9 + 0.3, 1e9 + 0.4, 1e9 + 0.5, 1e9 + 0.6, 1e9 + 0.7, 1e9, M, M, M},
    };
    const std::vector<std::string> colours = {"red", "blue", "red", "green", "", "Blue", "red", "blue", "vert"};
    Call call({Set({Numbers("a", samples[0]), Numbers("b", samples[1]), Numbers("c", samples[2]),
                    Numbers("none", std::vector<double>(11, M))},
                   {Texts("colour", colours)})},
              {}, {}, {Texts("colour", colours)});

    kovtest::TempFolder folder;
    std::string script = "invisible(Sys.setlocale('LC_COLLATE', 'C'))\nf <- function(x) { y <- x[!is.na(x)]; "
                         "q <- quantile(y, c(0.25, 0.75), names=FALSE); cat(sprintf('%.17g', c(length(y), "
                         "sum(is.na(x)), min(y), max(y), mean(y), median(y), var(y), sd(y), q, sum(y))), "
                         "sep='\\n') }\n";
    for (const std::vector<double>& x : samples) script += "f(" + RVector(x) + ")\n";
    script += "t <- table(c('red','blue','red','green','Blue','red','blue','vert'))\n"
              "cat(sprintf('%s %.17g %.17g', names(t), as.vector(t), 100 * as.vector(prop.table(t))), sep='\\n')\n";
    folder.Write("figures.R", script);
    ASSERT_EQ(kovtest::ExitStatus("cd " + kovtest::ShellQuoted(folder.path()) +
                                  " && LC_ALL=C.UTF-8 Rscript --vanilla figures.R > figures.txt"), 0);
    std::istringstream r(kovtest::ReadBytes(folder / "figures.txt"));
    for (size_t c = 0; c < samples.size(); ++c) {
        for (size_t k = 0; k < kAll.size(); ++k) {
            double expected = 0;
            r >> expected;
            EXPECT_NEAR(call.Figure(0, c, k), expected, 1e-13 * std::fabs(expected)) << kAll[k] << " of column " << c;
        }
    }
    std::string frequencies(std::istreambuf_iterator<char>(r), {});
    EXPECT_EQ("\n" + call.Frequencies(0, 1), frequencies);
    // A column without values: counts of zero, no other figure.
    for (size_t k = 0; k < kAll.size(); ++k) {
        const double expected = kAll[k] == "n" || kAll[k] == "sum" ? 0 : kAll[k] == "missing" ? 11 : M;
        EXPECT_EQ(call.Figure(0, 3, k), expected) << kAll[k];
    }
}

TEST(Statistics, EachDataGoesIntoItsOwnResults) {
    const BlockData sizes = {Texts("size", {"S", "M", "S", "L"})};
    DataSetData model = Set({Numbers("x", {1, 2, 3})}, {Texts("g", {"a", "b", "a"})});
    model.quanti2 = {Numbers("w", {10, 30, 20})};
    DataSetData emptyThird = Set({Numbers("z", {4, 8})});
    emptyThird.rowCount = 0;
    Call call({model, Set({Numbers("v", {9})})}, {Set({Numbers("p", {5, 7})})}, emptyThird,
              {Texts("g", {"a", "b", "a"})}, sizes, -1);

    // n and missing of quanti1 then quanti2 of the model; the second data; nothing of a third without rows.
    const auto counts = [&](int r) {
        return std::vector<double>{call.Figure(r, 0, 0), call.Figure(r, 0, 4), call.Figure(r, 1, 0),
                                   call.Figure(r, 1, 4)};
    };
    EXPECT_EQ(counts(0), (std::vector<double>{3, 2, 3, 20}));
    EXPECT_EQ(counts(1), (std::vector<double>{2, 6, 0, 0}));
    EXPECT_EQ(counts(2), (std::vector<double>{0, 0, 0, 0}));
    const std::string g = "a 2 66.666666666666671\nb 1 33.333333333333336\n";
    EXPECT_EQ(call.Frequencies(0, 1), g);
    EXPECT_EQ(call.Frequencies(1, 1), g);
    EXPECT_EQ(call.Frequencies(2, 1), "");
    // Results 4 tabulate the model's own text columns.
    EXPECT_EQ(call.Frequencies(3, 1), "L 1 25\nM 1 25\nS 2 50\n");
    // The flag empties the model's second numeric and first text block afterwards.
    EXPECT_EQ(call.modelSets.DataSet(1).quanti2.columnCount, 0);
    EXPECT_EQ(call.modelSets.DataSet(1).quali1.columnCount, 0);
    EXPECT_EQ(call.modelSets.DataSet(1).quanti1.columnCount, 1);
}

}  // namespace
