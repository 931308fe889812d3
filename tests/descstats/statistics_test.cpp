// The figures of the statistics library: a known small data set, values with
// a large offset, missing values, the rules for names and result shapes, and
// R's own figures for the same data where R is installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "desc_records.h"
#include "desc_results.h"
#include "desc_stats.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "records.h"

namespace {

const std::vector<std::string> kAll = {"n", "missing", "min", "max", "mean", "median",
                                       "var", "sd",      "q1",  "q3",  "sum"};

// The figures of kAll (or of statistics) for one column of numbers, through
// the export as the add-in asks for them.
std::vector<double> Describe(const std::vector<double>& x, const std::vector<std::string>& statistics = kAll) {
    host::Arena arena;
    auto model = host::DataSetArrayBuilder().Add("Data1", host::DataSetBuilder().Quanti1({{"x", x}})).Build(arena);
    auto results = host::DescStats(arena, {.statistics = statistics, .numericColumns = 1});
    Cpp_GetDescStatsModel(0, model, nullptr, nullptr, nullptr, results, nullptr, nullptr, nullptr);
    return host::Elements<double>(results->quanti.values);
}

TEST(Statistics, KnownSmallDataSet) {
    const std::vector<double> f = Describe({4, 2, 9, kMissingValue, 7, 4, 5});
    ASSERT_EQ(f.size(), kAll.size());
    EXPECT_EQ(f[0], 6);    // n
    EXPECT_EQ(f[1], 1);    // missing
    EXPECT_EQ(f[2], 2);    // min
    EXPECT_EQ(f[3], 9);    // max
    EXPECT_DOUBLE_EQ(f[4], 31.0 / 6);           // mean
    EXPECT_EQ(f[5], 4.5);                       // median of 2 4 4 5 7 9
    EXPECT_DOUBLE_EQ(f[6], 37.0 / 6);           // var, divisor n - 1
    EXPECT_DOUBLE_EQ(f[7], std::sqrt(37.0 / 6));  // sd
    EXPECT_EQ(f[8], 4);    // q1 at position 2.25
    EXPECT_EQ(f[9], 6.5);  // q3 at position 4.75
    EXPECT_EQ(f[10], 31);  // sum
}

TEST(Statistics, LargeOffsetsKeepTheirDigits) {
    std::vector<double> x;
    for (int k = 1; k <= 8; ++k) x.push_back(1e9 + 0.25 * k);
    const std::vector<double> f = Describe(x, {"mean", "var", "sd", "sum", "median"});
    EXPECT_EQ(f[0], 1e9 + 1.125);
    EXPECT_DOUBLE_EQ(f[1], 0.375);  // 0.0625 * var(1..8)
    EXPECT_DOUBLE_EQ(f[2], std::sqrt(0.375));
    EXPECT_EQ(f[3], 8e9 + 9);
    EXPECT_EQ(f[4], 1e9 + 1.125);

    const std::vector<double> g = Describe({1e15, 1e15 + 1, 1e15 + 2, 1e15 + 3}, {"mean", "var"});
    EXPECT_EQ(g[0], 1e15 + 1.5);
    EXPECT_DOUBLE_EQ(g[1], 5.0 / 3);
}

TEST(Statistics, ColumnsWithoutEnoughValues) {
    const double none = kMissingValue;
    EXPECT_EQ(Describe({}), (std::vector<double>{0, 0, none, none, none, none, none, none, none, none, 0}));
    EXPECT_EQ(Describe({kMissingValue, NAN}),
              (std::vector<double>{0, 2, none, none, none, none, none, none, none, none, 0}));
    EXPECT_EQ(Describe({3.5}), (std::vector<double>{1, 0, 3.5, 3.5, 3.5, 3.5, none, none, 3.5, 3.5, 3.5}));
}

TEST(FrequencyTables, EmptyValuesAreMissingAndTablesLongerThanTheArraysAreCut) {
    host::Arena arena;
    auto info = host::QualiInfo(
        arena, host::TextInfo({{"g", {"b", "", "a", "c", "b", "d"}}, {"h", {"", ""}}, {"k", {"x", "x"}}}));
    auto results = host::DescStats(arena, {.textColumns = 3, .categories = 2});
    {
        cST_QualiInfo texts(info);
        cST_DescStats out(results);
        ComputeQualiStats_ST(&texts, out.quali->formats.get(), out.quali->dataSet.get());
    }
    const ST_DataSet& table = results->quali.dataSet;
    // Four categories found, room for two: the counts still tell four.
    EXPECT_EQ(host::Column(table.quali1, 1).count, 4);
    EXPECT_EQ(host::Element<int>(table.quali1.columnLengths, 1), 4);
    EXPECT_EQ(host::Elements<std::string>(host::Column(table.quali1, 1).values), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(host::Elements<double>(host::Column(table.quanti1, 1).values), (std::vector<double>{1, 2}));
    EXPECT_EQ(host::Elements<double>(host::Column(table.quanti2, 1).values), (std::vector<double>{20, 40}));
    EXPECT_EQ(host::Column(table.quanti1, 2).count, 0);
    EXPECT_EQ(host::Frequencies(*results, 3).percents, (std::vector<double>{100}));
    EXPECT_EQ(table.rowCount, 4);
    EXPECT_EQ(host::ColumnNames(table.quali1), (std::vector<std::string>{"g", "h", "k"}));
}

// R's figures, read from Rscript's output: one number or text per line.
class RFigures : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("Rscript --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "Rscript is not installed";
    }
    static std::vector<std::string> Run(const std::string& code) {
        char path[] = "/tmp/kov_stats_XXXXXX";
        const int fd = mkstemp(path);
        if (fd < 0) return {};
        close(fd);
        std::ofstream(path) << code;
        std::vector<std::string> lines;
        if (FILE* pipe = popen(("Rscript --vanilla " + std::string(path) + " 2>/dev/null").c_str(), "r")) {
            char line[256];
            while (std::fgets(line, sizeof line, pipe) != nullptr) lines.emplace_back(line, std::strcspn(line, "\n"));
            pclose(pipe);
        }
        std::remove(path);
        return lines;
    }
    static std::string RVector(const std::vector<double>& x) {
        std::ostringstream out;
        out.precision(17);
        out << "c(";
        for (size_t k = 0; k < x.size(); ++k) out << (k > 0 ? ", " : "") << x[k];
        out << ")";
        return out.str();
    }
};

TEST_F(RFigures, NumericSummariesMatchR) {
    const std::vector<std::vector<double>> samples = {
        {12.5, 3.25, 7, 19.75, 0.5, 11, 8.125, 15, 2.75, 6.5, 10.375},
        {-4.2, 17.9, 0.003, 123456.789, -98765.4321, 3.14159, 2.71828},
        {1e9 + 0.1, 1e9 + 0.2, 1e9 + 0.3, 1e9 + 0.4, 1e9 + 0.5, 1e9 + 0.6},
    };
    for (const std::vector<double>& x : samples) {
        const std::vector<std::string> r =
            Run("x <- " + RVector(x) +
                "\nq <- quantile(x, c(0.25, 0.5, 0.75), names = FALSE)\n"
                "cat(sprintf('%.17g', c(length(x), 0, min(x), max(x), mean(x), median(x), var(x), sd(x),"
                " q[1], q[3], sum(x))), sep = '\\n')\n");
        ASSERT_EQ(r.size(), kAll.size());
        const std::vector<double> f = Describe(x);
        for (size_t k = 0; k < kAll.size(); ++k) {
            const double expected = std::strtod(r[k].c_str(), nullptr);
            EXPECT_NEAR(f[k], expected, 1e-13 * std::fabs(expected) + 1e-300) << kAll[k] << " of " << RVector(x);
        }
    }
}

TEST_F(RFigures, FrequencyTablesMatchR) {
    const std::vector<std::string> values = {"red", "blue", "red", "green", "", "Blue", "red", "blue", "vert"};
    std::string rValues = "c(";
    for (size_t k = 0; k < values.size(); ++k) rValues += (k > 0 ? ", '" : "'") + values[k] + "'";
    rValues += ")";
    const std::vector<std::string> r =
        Run("invisible(Sys.setlocale('LC_COLLATE', 'C'))\nv <- " + rValues +
            "\nt <- table(v[v != ''])\n"
            "cat(names(t), sprintf('%.17g', as.vector(t)), sprintf('%.17g', 100 * as.vector(prop.table(t))),"
            " sep = '\\n')\n");
    ASSERT_EQ(r.size() % 3, 0u);
    const size_t k = r.size() / 3;

    host::Arena arena;
    auto model = host::DataSetArrayBuilder()
                     .Add("Data1", host::DataSetBuilder().Quali1({{"colour", values}}))
                     .Build(arena);
    auto quali = host::QualiInfo(arena, host::TextInfo({{"colour", values}}));
    auto results = host::DescStats(arena, {.textColumns = 1, .categories = 10});
    Cpp_GetDescStatsModel(0, model, nullptr, nullptr, quali, results, nullptr, nullptr, nullptr);
    const host::FrequencyColumn table = host::Frequencies(*results, 1);

    ASSERT_EQ(table.categories.size(), k);
    for (size_t i = 0; i < k; ++i) {
        EXPECT_EQ(table.categories[i], r[i]);
        EXPECT_EQ(table.counts[i], std::strtod(r[k + i].c_str(), nullptr));
        EXPECT_NEAR(table.percents[i], std::strtod(r[2 * k + i].c_str(), nullptr), 1e-12);
    }
}

}  // namespace
