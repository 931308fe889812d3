// Cpp_GetDescStatsModel with data sets as the add-in fills them: which data
// is described into which result record, the flag, and the write-back of the
// result records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desc_results.h"
#include "arena_records.h"
#include "kovrbridge.h"

namespace {

const std::vector<std::string> kCountAndMean = {"n", "mean"};

host::DataSetBuilder Numbers(std::vector<double> x) { return host::DataSetBuilder().Quanti1({{"x", std::move(x)}}); }

host::DataSetBuilder Texts() { return host::DataSetBuilder().Quali1({{"colour", {"red", "blue", "red"}}}); }

host::Ptr<ST_QualiInfo> Colours(host::Arena& arena) {
    return host::QualiInfo(arena, host::TextInfo({{"colour", {"red", "blue", "red"}}}));
}

// Every figure of a values array, in storage order (none without one).
std::vector<double> Figures(const ST_DescStats& results) { return host::Elements<double>(results.quanti.values); }

// The four result records of one call, each with room for two numeric
// columns of count and mean and for one text column of three categories.
struct Results {
    explicit Results(host::Arena& arena) {
        for (auto* r : {&r1, &r2, &r3, &r4}) {
            *r = host::DescStats(arena, {.statistics = kCountAndMean, .numericColumns = 2, .textColumns = 1,
                                         .categories = 3});
        }
    }
    void Call(short flag, ST_DataSetArray* model, ST_DataSetArray* second, ST_DataSet* third, ST_QualiInfo* quali) {
        Cpp_GetDescStatsModel(flag, model, second, third, quali, r1, r2, r3, r4);
    }
    host::Ptr<ST_DescStats> r1, r2, r3, r4;
};

bool TextTableEmpty(const ST_DescStats& results) {
    const ST_DataSet& table = results.quali.dataSet;
    return table.quali1.columnCount == 0 && table.quanti1.columnCount == 0 && table.rowCount == 0 &&
           host::Column(table.quali1, 1).count == 0;
}

TEST(DescStatsModel, NumericModelOnlyDescribesItsColumnsIntoTheFirstResults) {
    host::Arena arena;
    auto model = host::DataSetArrayBuilder()
                     .Add("Data1", host::DataSetBuilder()
                                       .Quanti1({{"x", {1, 2, 3}}})
                                       .Quanti2({{"w", {10, 30}}}))
                     .Build(arena);
    auto second = host::DataSetArrayBuilder().Build(arena);
    auto third = host::DataSetBuilder().Build(arena);
    auto quali = Colours(arena);
    Results results(arena);
    results.Call(0, model, second, third, quali);

    // (statistic, column): quanti1's x, then quanti2's w.
    EXPECT_EQ(Figures(*results.r1), (std::vector<double>{3, 2, 2, 20}));
    EXPECT_EQ(Figures(*results.r2), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(Figures(*results.r3), (std::vector<double>{0, 0, 0, 0}));
    for (auto* r : {&results.r1, &results.r2, &results.r3, &results.r4}) EXPECT_TRUE(TextTableEmpty(**r));
}

TEST(DescStatsModel, SecondAndThirdDataAreDescribedOnlyWhenTheyHaveRows) {
    host::Arena arena;
    auto model = host::DataSetArrayBuilder().Add("Data1", Numbers({1, 2, 3})).Build(arena);
    auto quali = Colours(arena);
    {
        auto second = host::DataSetArrayBuilder().Add("Pred", Numbers({5, 7})).Build(arena);
        auto third = Numbers({4, 4, 4, 8}).Build(arena);
        Results results(arena);
        results.Call(0, model, second, third, quali);
        EXPECT_EQ(Figures(*results.r2), (std::vector<double>{2, 6, 0, 0}));
        EXPECT_EQ(Figures(*results.r3), (std::vector<double>{4, 5, 0, 0}));
    }
    {
        // Data sets that are there but hold no rows.
        auto second = host::DataSetArrayBuilder().Add("Pred", Numbers({5, 7}).RowCount(0)).Build(arena);
        auto third = Numbers({4, 8}).RowCount(0).Build(arena);
        Results results(arena);
        results.Call(0, model, second, third, quali);
        EXPECT_EQ(Figures(*results.r1), (std::vector<double>{3, 2, 0, 0}));
        EXPECT_EQ(Figures(*results.r2), (std::vector<double>{0, 0, 0, 0}));
        EXPECT_EQ(Figures(*results.r3), (std::vector<double>{0, 0, 0, 0}));
    }
    {
        // The second data's first data set decides, whatever follows it.
        auto second = host::DataSetArrayBuilder()
                          .Add("Empty", host::DataSetBuilder())
                          .Add("Pred", Numbers({5, 7}))
                          .Build(arena);
        Results results(arena);
        results.Call(0, model, second, nullptr, quali);
        EXPECT_EQ(Figures(*results.r2), (std::vector<double>{0, 0, 0, 0}));
    }
}

TEST(DescStatsModel, TextModelTabulatesTheQualiInfoIntoEveryDescribedResult) {
    host::Arena arena;
    auto model = host::DataSetArrayBuilder().Add("Data1", Texts()).Build(arena);
    auto second = host::DataSetArrayBuilder().Add("Pred", Texts()).Build(arena);
    auto third = host::DataSetBuilder().Build(arena);
    auto quali = Colours(arena);
    Results results(arena);
    results.Call(0, model, second, third, quali);

    for (auto* r : {&results.r1, &results.r2}) {
        const host::FrequencyColumn table = host::Frequencies(**r, 1);
        EXPECT_EQ(table.categories, (std::vector<std::string>{"blue", "red"}));
        EXPECT_EQ(table.counts, (std::vector<double>{1, 2}));
        ASSERT_EQ(table.percents.size(), 2u);
        EXPECT_DOUBLE_EQ(table.percents[0], 100.0 / 3);
        EXPECT_DOUBLE_EQ(table.percents[1], 200.0 / 3);
        const ST_DataSet& tableRecord = (*r)->quali.dataSet;
        EXPECT_EQ(host::ColumnNames(tableRecord.quali1), (std::vector<std::string>{"colour"}));
        EXPECT_EQ(host::ColumnNames(tableRecord.quanti2), (std::vector<std::string>{"colour"}));
        EXPECT_EQ(host::Element<int>(tableRecord.quanti1.columnLengths, 1), 2);
        EXPECT_EQ(tableRecord.quali1.columnCount, 1);
        EXPECT_EQ(tableRecord.rowCount, 2);
    }
    EXPECT_TRUE(TextTableEmpty(*results.r3));
    EXPECT_TRUE(TextTableEmpty(*results.r4));
    // No numeric columns: no numeric figures at all.
    for (auto* r : {&results.r1, &results.r2, &results.r3}) {
        EXPECT_EQ(Figures(**r), (std::vector<double>{0, 0, 0, 0}));
    }
}

TEST(DescStatsModel, FlagEmptiesTheSecondNumericAndFirstTextBlockOfTheModel) {
    for (short flag : {short{-1}, short{0}}) {
        host::Arena arena;
        auto model = host::DataSetArrayBuilder()
                         .Add("Data1", host::DataSetBuilder()
                                           .Quanti1({{"x", {1, 2}}})
                                           .Quanti2({{"w", {3, 4}}})
                                           .Quali1({{"g", {"a", "b"}}})
                                           .Quali2({{"h", {"c", "d"}}}))
                         .Add("Data2", host::DataSetBuilder().Quanti2({{"v", {5, 6}}}))
                         .Build(arena);
        auto quali = host::QualiInfo(arena, host::TextInfo({{"g", {"a", "b"}}}));
        Results results(arena);
        results.Call(flag, model, nullptr, nullptr, quali);

        const ST_DataSet& first = host::RecordAt<ST_DataSet>(model->dataSets, 1);
        EXPECT_EQ(first.quanti2.columnCount, flag == -1 ? 0 : 1);
        EXPECT_EQ(first.quali1.columnCount, flag == -1 ? 0 : 1);
        EXPECT_EQ(first.quanti1.columnCount, 1);
        EXPECT_EQ(first.quali2.columnCount, 1);
        EXPECT_EQ(host::RecordAt<ST_DataSet>(model->dataSets, 2).quanti2.columnCount, 1);
        // The counts are set after the statistics: both blocks were described.
        EXPECT_EQ(Figures(*results.r1), (std::vector<double>{2, 1.5, 2, 3.5}));
        EXPECT_EQ(results.r1->quali.dataSet.quali1.columnCount, 1);
    }
}

TEST(DescStatsModel, FourthResultsOnlyWithTheModelsQualiInfoFlag) {
    for (short qualiInfoFlag : {short{-1}, short{0}}) {
        host::Arena arena;
        auto model = host::DataSetArrayBuilder()
                         .Add("Data1", Numbers({1, 2}).QualiInfo(host::TextInfo({{"size", {"S", "M", "S", "L"}}})))
                         .Build(arena);
        host::RecordAt<ST_DataSet>(model->dataSets, 1).qualiInfoFlag = qualiInfoFlag;
        auto quali = Colours(arena);
        Results results(arena);
        results.r4->quali.formats.extraInt11 = 77;
        results.r4->quali.formats.extraShort19 = -1;
        results.Call(0, model, nullptr, nullptr, quali);

        if (qualiInfoFlag == -1) {
            const host::FrequencyColumn table = host::Frequencies(*results.r4, 1);
            EXPECT_EQ(table.categories, (std::vector<std::string>{"L", "M", "S"}));
            EXPECT_EQ(table.counts, (std::vector<double>{1, 1, 2}));
            EXPECT_EQ(table.percents, (std::vector<double>{25, 25, 50}));
        } else {
            EXPECT_TRUE(TextTableEmpty(*results.r4));
        }
        // Only the text part of results 4 is ever used; its settings come back.
        EXPECT_EQ(Figures(*results.r4), (std::vector<double>{0, 0, 0, 0}));
        EXPECT_EQ(results.r4->quali.formats.extraInt11, 77);
        EXPECT_EQ(results.r4->quali.formats.extraShort19, -1);
        // The model has no text columns: the quali info is not tabulated.
        EXPECT_TRUE(TextTableEmpty(*results.r1));
    }
}

}  // namespace
