// Both R scripts written through Cpp_WriteRScripts and Cpp_WriteROneScript
// from records as the add-in fills them, checked line by line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_rows.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "result_rows.h"
#include "transfer_files.h"

namespace {

using host::DataSetArrayBuilder;
using host::DataSetBuilder;
using transfer_test::ReadLines;
using transfer_test::TempFolder;
using Lines = std::vector<std::string>;

constexpr int16_t kTrue = -1;

host::ChartResult EmfChart(const std::string& name, const std::string& plotCode) {
    host::ChartResult chart;
    chart.name = name;
    chart.plotCode = plotCode;
    chart.format = "emf";
    return chart;
}

host::ResultTable Table(const std::string& rName, const std::string& show, const std::string& rowLabels) {
    host::ResultTable table;
    table.rName = rName;
    table.show = show;
    table.rowLabels = rowLabels;
    return table;
}

class ScriptWriterTest : public ::testing::Test {
protected:
    ScriptWriterTest() : dialog_(arena_, 8) {
        work_ = folder_.path();
        dialog_.air->functionName = arena_.Str("lm1");
        dialog_.air->packages = arena_.Str("MASS,car");
    }

    host::Ptr<ST_Main_aiR> Main(const std::string& rFolder, const std::string& rCode = "") {
        host::MainFields fields;
        fields.workFolder = work_ + "/";
        fields.rFolder = rFolder;
        fields.group = "Models";
        fields.rCode = rCode;
        return host::Main(arena_, fields);
    }

    // The preamble lines after the date line, for the given log file and packages.
    Lines Preamble(const std::string& logFile, const std::string& packageList) const {
        return {"log <- file('" + logFile + "', open='wt')",
                "sink(log, append=TRUE)",
                "sink(log, append=TRUE, type='message')",
                "date()",
                "list.of.packages <- c(" + packageList + ")",
                "new.packages<-list.of.packages[!(list.of.packages %in% installed.packages(lib.loc='" + work_ +
                    "/packages/')[,'Package'])]"};
    }

    // The file's lines with the date line checked and dropped.
    static Lines WithoutDate(const std::string& path) {
        Lines lines = ReadLines(path);
        if (lines.empty()) return lines;
        EXPECT_EQ(lines.front().substr(0, 2), "# ");
        EXPECT_EQ(lines.front().size(), 26u);  // "# " and the 24 characters of the date
        lines.erase(lines.begin());
        return lines;
    }

    TempFolder folder_;
    std::string work_;
    host::Arena arena_;
    host::Dialog dialog_;
};

TEST_F(ScriptWriterTest, CheckScriptAndAnalysisScript) {
    auto main = Main(work_ + "/out/", "fit <- lm(y ~ x, data=train)\nresults <- list(coefs=coef(fit))\n");
    host::AddChart(arena_, *dialog_.air, EmfChart("Scree", "plot(x)"));
    host::AddChart(arena_, *dialog_.air, EmfChart("Other", "plot(y)"));
    host::AddResultTable(arena_, *dialog_.air, Table("coefs", "true", "rdesc"));
    host::AddResultTable(arena_, *dialog_.air, Table("hidden", "false", ""));
    host::AddResultTable(arena_, *dialog_.air, Table("shown", "False", "cdesc"));
    host::AddResultTable(arena_, *dialog_.air, Table("", "true", ""));
    auto sets = DataSetArrayBuilder()
                    .Add("train", DataSetBuilder().Quanti1({{"y", {1}}, {"x", {2}}}).Quali1({{"g", {"a"}}}))
                    .Add("unused", DataSetBuilder().Quanti1({{"z", {1}}}), false)
                    .Build(arena_);
    Cpp_WriteRScripts(main, dialog_.air, arena_.System(",", ";"), sets);

    const std::string packages = "'MASS','car','devEMF'";
    const std::string folder = work_ + "/packages/";
    Lines check = Preamble(work_ + "/out/log0.txt", packages);
    check.push_back("if(length(new.packages)){quit(save = 'no', status = 10, runLast = FALSE)}");
    check.push_back("sink();sink(type='message');close(log)");
    EXPECT_EQ(WithoutDate(work_ + "/out/lm10.script"), check);

    Lines analysis = Preamble(work_ + "/out/log.txt", packages);
    const Lines rest = {
        "if(length(new.packages)) {",
        "if(dir.exists('" + folder + "')==FALSE){dir.create('" + folder + "')}",
        "install.packages(new.packages, lib='" + folder + "', repos='https://cloud.r-project.org')}",
        "library('MASS', lib.loc='" + folder + "');library('car', lib.loc='" + folder + "');library('devEMF', lib.loc='" +
            folder + "');",
        "",
        "train<-read.csv(file='" + work_ +
            "/datastore/train.csv', header=TRUE,colClasses=c(rep('double',2),rep('factor',1)), sep=';', dec='.', "
            "na=-1.79769313486231E+308, blank.lines.skip=F)",
        "train[c(3:3)]<-lapply(train[c(3:3)],factor,exclude='')",
        "fit <- lm(y ~ x, data=train)",
        "results <- list(coefs=coef(fit))",
        "",
        "write.table(results$coefs, file = '" + work_ +
            "/out/coefs.csv', na='', row.names =TRUE, quote=FALSE, sep=';', dec=',')",
        "write.table(results$shown, file = '" + work_ +
            "/out/shown.csv', na='', row.names =FALSE, quote=FALSE, sep=';', dec=',')",
        "sink();sink(type='message');close(log)"};
    analysis.insert(analysis.end(), rest.begin(), rest.end());
    EXPECT_EQ(WithoutDate(work_ + "/out/lm1.script"), analysis);

    // The data store, its group subfolder and the R folder exist afterwards.
    EXPECT_TRUE(transfer_test::Exists(work_ + "/datastore/Models"));
    EXPECT_EQ(transfer_test::FolderEntries(work_ + "/out"), (Lines{"lm1.script", "lm10.script"}));
}

TEST_F(ScriptWriterTest, DataImportDeclaresTheColumnsOfEachFile) {
    auto main = Main(work_ + "/out/");
    dialog_.air->addObsLabels = 1;
    dialog_.air->packages = arena_.Str("MASS,devEMF");
    host::AddChart(arena_, *dialog_.air, EmfChart("Scree", "plot(x)"));
    auto sets =
        DataSetArrayBuilder()
            // The labels go into this file only, so the ranges move by one.
            .Add("d1", DataSetBuilder().Quanti1({{"y", {1}}}).Quali1({{"g", {"a"}}}).Labels({"o1"}))
            // quanti2 is not in the file of a data set with qualiInfoFlag true.
            .Add("d2", DataSetBuilder().Quanti1({{"y", {1}}}).Quanti2({{"q", {1}}, {"r", {2}}}).QualiInfo({}))
            .Add("d3", DataSetBuilder().Quali1({{"g", {"a"}}}).DataQuali({{{"h", {"b"}}, {"i", {"c"}}}}))
            .Add("d4", DataSetBuilder().Quanti1({{"y", {1}}}).DataQuanti({{{"e", {1}}}}).DataQuali({{{"h", {"b"}}}}))
            .Build(arena_);
    Cpp_WriteROneScript(main, dialog_.air, arena_.System(".", ","), sets, 0);

    const Lines lines = WithoutDate(work_ + "/out/lm1.script");
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[4], "list.of.packages <- c('MASS','devEMF')");
    const std::string tail = ", sep=',', dec='.', na=-1.79769313486231E+308, blank.lines.skip=F)";
    const std::string store = work_ + "/datastore/";
    EXPECT_EQ(lines[11], "d1<-read.csv(file='" + store +
                             "d1.csv', header=TRUE,colClasses=c('character',rep('double',1),rep('factor',1))" + tail);
    EXPECT_EQ(lines[12], "d1[c(3:3)]<-lapply(d1[c(3:3)],factor,exclude='')");
    EXPECT_EQ(lines[13], "d2<-read.csv(file='" + store + "d2.csv', header=TRUE,colClasses=c(rep('double',1))" + tail);
    EXPECT_EQ(lines[14], "d3<-read.csv(file='" + store +
                             "d3.csv', header=TRUE,colClasses=c(rep('factor',1),rep('factor',2))" + tail);
    EXPECT_EQ(lines[15], "d3[c(1:1,2:3)]<-lapply(d3[c(1:1,2:3)],factor,exclude='')");
    EXPECT_EQ(lines[16], "d4<-read.csv(file='" + store +
                             "d4.csv', header=TRUE,colClasses=c(rep('double',1),rep('double',1),rep('factor',1))" +
                             tail);
    EXPECT_EQ(lines[17], "d4[c(3:3)]<-lapply(d4[c(3:3)],factor,exclude='')");
    EXPECT_EQ(lines[19], "sink();sink(type='message');close(log)");
    EXPECT_FALSE(transfer_test::Exists(work_ + "/out/lm10.script"));
}

TEST_F(ScriptWriterTest, BaseRTemplateColonFoldersAndUtf8) {
    // The R folder in the host's classic form: the log line keeps it relative.
    std::string classic = work_.substr(1);
    for (char& c : classic) c = c == '/' ? ':' : c;
    auto main = Main(classic + ":out:", "x <- base::seq(1:5)\ny <- 'a\\b \xE2\x82\xAC'\n");
    dialog_.air->packages = arena_.Str(",");
    Cpp_WriteROneScript(main, dialog_.air, arena_.System(".", ";"), nullptr, 0);

    const Lines lines = WithoutDate(work_ + "/out/lm1.script");
    const Lines expected = [&] {
        Lines start = Preamble(work_.substr(1) + "/out/log.txt", "");
        const std::string folder = work_ + "/packages/";
        const Lines rest = {"if(length(new.packages)) {",
                            "if(dir.exists('" + folder + "')==FALSE){dir.create('" + folder + "')}",
                            "install.packages(new.packages, lib='" + folder + "', repos='https://cloud.r-project.org')}",
                            "",
                            "",
                            "x <- base::seq(1:5)",
                            "y <- 'a\\b \xE2\x82\xAC'",
                            "",
                            "sink();sink(type='message');close(log)"};
        start.insert(start.end(), rest.begin(), rest.end());
        return start;
    }();
    EXPECT_EQ(lines, expected);
}

}  // namespace
