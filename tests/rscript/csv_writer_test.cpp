// Data files written through Cpp_WriteDataSetToFile from data sets as the
// add-in fills them, checked byte by byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host_records.h"
#include "kovrbridge.h"
#include "transfer_files.h"

namespace {

using host::DataSetBuilder;
using transfer_test::ReadBytes;
using transfer_test::TempFolder;

constexpr int16_t kTrue = -1;
constexpr double kMissing = -1.79769313486231E+308;

class CsvWriterTest : public ::testing::Test {
protected:
    CsvWriterTest() : dialog_(arena_, 4) {
        std::filesystem::create_directory(work_ / "datastore");
        host::MainFields fields;
        fields.workFolder = work_.path() + "/";
        fields.rFolder = work_.path() + "/out/";
        main_ = host::Main(arena_, fields);
    }

    // Writes the data set as data.csv and returns the file's bytes.
    std::string Write(const DataSetBuilder& dataSet, int16_t writeHeader = kTrue, int16_t withLabels = 0,
                      int32_t columnIndex = 0, int16_t singleQuanti = 0, int16_t singleQuali = 0,
                      const std::string& separator = ";") {
        auto record = dataSet.Build(arena_);
        Cpp_WriteDataSetToFile(main_, dialog_.air, record, columnIndex, singleQuanti, singleQuali,
                               arena_.Str("data.csv"), arena_.Str(separator), writeHeader, withLabels);
        return ReadBytes(work_ / "datastore/data.csv");
    }

    TempFolder work_;
    host::Arena arena_;
    host::Dialog dialog_;
    host::Ptr<ST_Main_aiR> main_;
};

TEST_F(CsvWriterTest, HeaderLabelsAndNumbers) {
    const DataSetBuilder twoColumns = DataSetBuilder().Quanti1({{"x 1", {1, 2.5}}, {"y", {3, 4}}});
    EXPECT_EQ(Write(twoColumns), "x.1;y\n1;3\n2.5;4\n");
    EXPECT_EQ(Write(twoColumns, 0), "1;3\n2.5;4\n");
    EXPECT_EQ(Write(DataSetBuilder(twoColumns).Labels({"a", "b"}), kTrue, kTrue), "obsLabels;x.1;y\na;1;3\nb;2.5;4\n");
    // Numbers as printf("%.15g"), whatever the host's separator; the
    // missing-value marker stays a number that R's na string matches.
    EXPECT_EQ(Write(DataSetBuilder().Quanti1({{"v", {1234567890.123456, 1e-7, kMissing, -0.5}}}), kTrue, 0, 0, 0, 0,
                    ","),
              "v\n1234567890.12346\n1e-07\n-1.79769313486231e+308\n-0.5\n");
}

TEST_F(CsvWriterTest, ColumnOrderTextsAndEmptyCells) {
    // quanti1, quanti2, quali1, quali2, then the extra numeric and text blocks
    // in block order; rows beyond a column's values, an extra column's values
    // or the labels are empty fields. Texts go out in UTF-8, those holding
    // the separator, a quote or a line break between double quotes.
    const DataSetBuilder dataSet = DataSetBuilder()
                                       .Quanti1({{"a", {1}}})
                                       .Quanti2({{"b", {2, 3}}})
                                       .Quali1({{"c", {"x"}}})
                                       .Quali2({{"d d", {"caf\xC3\xA9", "\xE2\x82\xAC"}}})
                                       .DataQuanti({{{"e", {5, 6}}}, {{"f", {7}}}})
                                       .DataQuali({{{"g", {"u", "Merc \"Pagoda\""}}}})
                                       .Labels({"r1;\nr1'"});
    EXPECT_EQ(Write(dataSet, kTrue, kTrue),
              "obsLabels;a;b;c;d.d;e;f;g\n"
              "\"r1;\nr1'\";1;2;x;caf\xC3\xA9;5;7;u\n"
              ";;3;;\xE2\x82\xAC;6;;\"Merc \"\"Pagoda\"\"\"\n");
}

TEST_F(CsvWriterTest, SingleColumnSwitches) {
    const DataSetBuilder dataSet = DataSetBuilder()
                                       .Quanti1({{"q1", {1}}, {"q2", {2}}, {"q3", {3}}})
                                       .Quali1({{"t1", {"a"}}, {"t2", {"b"}}});
    EXPECT_EQ(Write(dataSet, kTrue, 0, 2, kTrue, 0), "q2;t1;t2\n2;a;b\n");
    // Only the block that supplies the first column is switched.
    EXPECT_EQ(Write(dataSet, kTrue, 0, 2, 0, kTrue), "q1;q2;q3;t1;t2\n1;2;3;a;b\n");
    EXPECT_EQ(Write(DataSetBuilder().Quali1({{"t1", {"a"}}, {"t2", {"b"}}}), kTrue, 0, 2, 0, kTrue), "t2\nb\n");
    // A column index outside the block gives one column without name (which
    // R calls X) or values.
    EXPECT_EQ(Write(dataSet, kTrue, 0, 7, kTrue, 0), "X;t1;t2\n;a;b\n");
}

TEST_F(CsvWriterTest, QualiInfoLeavesOutQuanti2AndExtraBlocksStandAlone) {
    EXPECT_EQ(Write(DataSetBuilder()
                        .Quanti1({{"y", {1, 2}}})
                        .Quanti2({{"hidden", {8, 9}}})
                        .Quali1({{"g", {"a", "b"}}})
                        .QualiInfo({})),
              "y;g\n1;a\n2;b\n");
    // With quanti2 left out, the first column comes from the next block.
    EXPECT_EQ(Write(DataSetBuilder().Quanti2({{"hidden", {8}}}).Quali2({{"g", {"a"}}}).QualiInfo({})), "g\na\n");
    // A data set with extra blocks only starts its lines with their first field.
    EXPECT_EQ(Write(DataSetBuilder().DataQuanti({{{"e", {5, 6}}}}).DataQuali({{{"g", {"u", "v"}}}}).RowCount(2)),
              "e;g\n5;u\n6;v\n");
}

TEST_F(CsvWriterTest, NothingWrittenWithoutDataStore) {
    std::filesystem::remove(work_ / "datastore");
    Write(DataSetBuilder().Quanti1({{"x", {1}}}));
    EXPECT_FALSE(transfer_test::Exists(work_ / "datastore"));
    EXPECT_TRUE(transfer_test::FolderEntries(work_.path()).empty());
    auto record = DataSetBuilder().Quanti1({{"x", {1}}}).Build(arena_);
    Cpp_WriteDataSetToFile(nullptr, dialog_.air, record, 0, 0, 0, arena_.Str("data.csv"), arena_.Str(";"), kTrue, 0);
    EXPECT_TRUE(transfer_test::FolderEntries(work_.path()).empty());
}

}  // namespace
