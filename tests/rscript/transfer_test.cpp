// Whole transfers through Cpp_TransferToR with records as the add-in fills
// them, checked file by file: which data files exist, their bytes, and the
// import lines of the analysis script that reads them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dialog_rows.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "transfer_files.h"

namespace {

using host::DataSetArrayBuilder;
using host::DataSetBuilder;
using transfer_test::FolderEntries;
using transfer_test::ReadBytes;
using transfer_test::ReadLines;
using transfer_test::TempFolder;
using Lines = std::vector<std::string>;

constexpr int16_t kTrue = -1;

class TransferTest : public ::testing::Test {
protected:
    TransferTest() : dialog_(arena_, 8) {
        work_ = folder_.path();
        dialog_.air->functionName = arena_.Str("summary1");
        dialog_.air->packages = arena_.Str("MASS");
        dialog_.air->dataStructure = arena_.Str("data");
        dialog_.air->replaceByValue = kTrue;
    }

    host::Ptr<ST_Main_aiR> Main(const std::string& workFolder) {
        host::MainFields fields;
        fields.workFolder = workFolder + "/";
        fields.rFolder = workFolder + "/out/";
        fields.group = "Stats";
        return host::Main(arena_, fields);
    }

    std::string Store(const std::string& name) const { return work_ + "/datastore/" + name; }

    // The read.csv and lapply lines of the analysis script.
    Lines ImportLines() const {
        Lines imports;
        for (const std::string& line : ReadLines(work_ + "/out/summary1.script")) {
            if (line.find("read.csv(") != std::string::npos || line.find("lapply(") != std::string::npos) {
                imports.push_back(line);
            }
        }
        return imports;
    }

    std::string ReadCsv(const std::string& name, const std::string& classes) const {
        return name + "<-read.csv(file='" + Store(name) + ".csv', header=TRUE,colClasses=c(" + classes +
               "), sep=';', dec='.', na=-1.79769313486231E+308, blank.lines.skip=F)";
    }

    TempFolder folder_;
    std::string work_;
    host::Arena arena_;
    host::Dialog dialog_;
};

TEST_F(TransferTest, ExportFlagsLabelsAndDecimalComma) {
    auto main = Main(work_);
    dialog_.air->addObsLabels = 1;
    auto sets = DataSetArrayBuilder()
                    .Add("d1", DataSetBuilder()
                                   .Quanti1({{"Sales Amount", {1.5, 2.25}}})
                                   .Quali1({{"Region", {"north", ""}}})
                                   .Labels({"o1", "o2"}))
                    .Add("d2", DataSetBuilder().Quanti1({{"x", {9}}}), false)
                    .Add("d3", DataSetBuilder().Quanti1({{"x", {-1.79769313486231E+308, 0.1}}}))
                    .Build(arena_);
    Cpp_TransferToR(main, dialog_.air, sets, arena_.System(",", ";"), 0);

    EXPECT_EQ(FolderEntries(work_ + "/datastore"), (Lines{"Stats", "d1.csv", "d3.csv"}));
    EXPECT_EQ(ReadBytes(Store("d1.csv")), "obsLabels;Sales.Amount;Region\no1;1.5;north\no2;2.25;\n");
    EXPECT_EQ(ReadBytes(Store("d3.csv")), "x\n-1.79769313486231e+308\n0.1\n");
    EXPECT_EQ(ImportLines(), (Lines{ReadCsv("d1", "'character',rep('double',1),rep('factor',1)"),
                                    "d1[c(3:3)]<-lapply(d1[c(3:3)],factor,exclude='')",
                                    ReadCsv("d3", "rep('double',1)")}));
    EXPECT_EQ(FolderEntries(work_ + "/out"), (Lines{"summary1.script", "summary10.script"}));
}

TEST_F(TransferTest, FileLargerThanTheWriteBufferComesOutWhole) {
    auto main = Main(work_);
    dialog_.air->addObsLabels = 1;
    const std::string label(600000, 'l');
    const std::string text(600000, 't');
    auto sets = DataSetArrayBuilder()
                    .Add("big", DataSetBuilder().Quali1({{"t", {text, "u"}}}).Labels({label, "m"}))
                    .Build(arena_);
    Cpp_TransferToR(main, dialog_.air, sets, arena_.System(".", ";"), 0);
    const std::string expected = "obsLabels;t\n" + label + ";" + text + "\nm;u\n";
    const std::string file = ReadBytes(Store("big.csv"));
    EXPECT_EQ(file.size(), expected.size());
    EXPECT_TRUE(file == expected);
}

TEST_F(TransferTest, RunOncePerResponseColumn) {
    auto main = Main(work_);
    dialog_.air->singleColumnQuanti = kTrue;
    const DataSetBuilder responses =
        DataSetBuilder().Quanti1({{"q1", {1}}, {"q2", {2}}, {"q3", {3}}}).Quali1({{"g", {"a"}}});

    // Data set 1 is written whatever its flag, with column 2 of quanti1 only.
    auto notFlagged =
        DataSetArrayBuilder().Add("d1", responses, false).Add("d2", DataSetBuilder().Quanti1({{"z", {4}}})).Build(arena_);
    Cpp_TransferToR(main, dialog_.air, notFlagged, arena_.System(".", ";"), 2);
    EXPECT_EQ(ReadBytes(Store("d1.csv")), "q2;g\n2;a\n");
    EXPECT_EQ(ReadBytes(Store("d2.csv")), "z\n4\n");
    EXPECT_EQ(ImportLines(), (Lines{ReadCsv("d2", "rep('double',1)")}));

    // When the script imports it, its classes describe that one column.
    auto flagged = DataSetArrayBuilder().Add("d1", responses).Build(arena_);
    Cpp_TransferToR(main, dialog_.air, flagged, arena_.System(".", ";"), 2);
    EXPECT_EQ(ReadBytes(Store("d1.csv")), "q2;g\n2;a\n");
    EXPECT_EQ(ImportLines(), (Lines{ReadCsv("d1", "rep('double',1),rep('factor',1)"),
                                    "d1[c(2:2)]<-lapply(d1[c(2:2)],factor,exclude='')"}));
}

TEST_F(TransferTest, NoDataSets) {
    auto main = Main(work_);
    auto none = DataSetArrayBuilder().Build(arena_);
    Cpp_TransferToR(main, dialog_.air, none, arena_.System(".", ";"), 0);
    EXPECT_EQ(FolderEntries(work_ + "/datastore"), (Lines{"Stats"}));
    EXPECT_EQ(FolderEntries(work_ + "/out"), (Lines{"summary1.script", "summary10.script"}));
    // A run once per column without a data set 1 skips its file.
    Cpp_TransferToR(main, dialog_.air, none, arena_.System(".", ";"), 1);
    Cpp_TransferToR(main, dialog_.air, nullptr, arena_.System(".", ";"), 1);
    EXPECT_EQ(FolderEntries(work_ + "/datastore"), (Lines{"Stats"}));
}

TEST_F(TransferTest, AnalysisCodeReachesHostAndScriptWithEmfChart) {
    auto main = Main(work_);
    host::AddScriptLine(arena_, *dialog_.air, true, "res <- summary(d1)");
    host::ChartResult chart;
    chart.name = "Hist";
    chart.plotCode = "hist(d1$x)";
    chart.format = "emf";
    host::AddChart(arena_, *dialog_.air, chart);
    auto sets = DataSetArrayBuilder().Add("d1", DataSetBuilder().Quanti1({{"x", {1, 2}}})).Build(arena_);
    Cpp_TransferToR(main, dialog_.air, sets, arena_.System(".", ";"), 0);

    const std::string code = host::Text(main->rCode);
    const std::string chartLine = "emf('" + work_ + "/out/Hist.emf', height=500, width=600) ; hist(d1$x) ; dev.off()";
    EXPECT_EQ(code, "res <- summary(d1)\n" + chartLine + "\n");
    const Lines script = ReadLines(work_ + "/out/summary1.script");
    ASSERT_EQ(script.size(), 17u);
    EXPECT_EQ(script[5], "list.of.packages <- c('MASS','devEMF')");
    const std::string folder = work_ + "/packages/";
    EXPECT_EQ(script[10],
              "library('MASS', lib.loc='" + folder + "');library('devEMF', lib.loc='" + folder + "');");
    EXPECT_EQ(script[13], "res <- summary(d1)");
    EXPECT_EQ(script[14], chartLine);
    EXPECT_EQ(ReadLines(work_ + "/out/summary10.script")[5], "list.of.packages <- c('MASS','devEMF')");
    EXPECT_EQ(ReadBytes(Store("d1.csv")), "x\n1\n2\n");
}

TEST_F(TransferTest, UnwritableFolderWritesNothing) {
    std::ofstream(work_ + "/blocked") << "x";
    auto main = Main(work_ + "/blocked");
    host::AddScriptLine(arena_, *dialog_.air, true, "res <- summary(d1)");
    auto sets = DataSetArrayBuilder().Add("d1", DataSetBuilder().Quanti1({{"x", {1}}})).Build(arena_);
    Cpp_TransferToR(main, dialog_.air, sets, arena_.System(".", ";"), 1);
    Cpp_WriteRScripts(main, dialog_.air, nullptr, sets);
    Cpp_WriteROneScript(nullptr, dialog_.air, arena_.System(".", ";"), sets, 0);
    EXPECT_EQ(FolderEntries(work_), (Lines{"blocked"}));
    EXPECT_EQ(ReadBytes(work_ + "/blocked"), "x");
    // The code is still assembled and returned.
    EXPECT_EQ(host::Text(main->rCode), "res <- summary(d1)\n");
}

}  // namespace
