// End to end with R as the oracle: a CSV file whose headers are no R names
// and whose labels and texts hold quotes, separators, line feeds and letters
// of several scripts is laid out by kovr as the add-in lays out a selection,
// transferred through Cpp_TransferToR into a work folder whose name holds an
// apostrophe, and both generated scripts run by R. One analysis of each kind
// (model, formula, data) writes a result file that must equal, byte for byte,
// what R computes directly from the CSV file; a template with typed text and
// numbers shows that none of it becomes code. Skipped where R is absent.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data_layout.h"
#include "r_session.h"
#include "template_run.h"

namespace {

namespace fs = std::filesystem;

// Twelve rows; Price misses a value and Region a text.
std::string DataFile() {
    const char* labels[] = {"Merc \"Pagoda\"", "two\nlines", "a;b", "\xE4\xB8\x8A", "x\xF0\x9F\x98\x80", "\xD0\xBB"};
    const char* regions[] = {"north", "x\"\"y;z", "\xE4\xB8\x8A"};
    std::string csv = "Store,Region,Method,Price (\xE2\x82\xAC),if,Units,Sales Amount\n";
    for (int r = 0; r < 12; ++r) {
        std::string label = labels[r % 6];
        if (label.find('"') != std::string::npos) label = "Merc \"\"Pagoda\"\"";
        csv += "\"" + label + " " + std::to_string(r) + "\",\"" + (r == 4 ? "" : regions[r % 3]) + "\"," +
               (r % 2 == 0 ? "A," : "B,") + (r == 2 ? "" : std::to_string(8 + (r * 37 % 11) * 0.5)) + "," +
               std::to_string(r * r % 7) + "," + std::to_string(r % 5 + r / 3) + "," +
               std::to_string(40 + r * 1.25 + (r * 13 % 5)) + "\n";
    }
    return csv;
}

struct Analysis {
    std::string templateFile;
    kovr::ColumnRequests columns;
    std::vector<std::pair<std::string, std::string>> typed;  // option values as the host passes them
    std::string result;                                      // file of the R folder
    // R code computing the result from d (the CSV file as read.csv reads it)
    // and writing it into 'expected', with out(x, rowNames); or else the result's bytes.
    std::string oracle, bytes = {};
};

const std::string kCatalogue = KOV_SOURCE_DIR "/examples/catalogue/";
const std::string kPayload = "\xC4\xA7;file.create(\"X\");#\xF0\x9F\x98\x80'\\\"\n1);x(\t\x01a;b=c";

TEST(TransferR, EachKindOfAnalysisAsRComputesIt) {
    if (!kovtest::HaveR()) GTEST_SKIP() << "Rscript is not installed";
    kovtest::TempFolder folder;
    const std::string typing = kovtest::TemplateFile(
        folder, "datastructure='data' packages='stats'",
        "<Tab text='A'><XQuantiField/><XQualiField/><ObsLabelsField add='true'/>"
        "<Input name='T' rname='title' type='text'/><Input name='L' rname='lags' type='integerlist'/>"
        "<Input name='D' rname='level' type='double'/></Tab>"
        "<RResults><Result chartname='Residuals' rplotcode='plot(1)' rplotformat='png'/></RResults>"
        "<RScript replacebyvalue='true'>"
        "<ScriptLine code=\"got &lt;- function(x, f) writeBin(charToRaw(enc2utf8(paste(x, collapse='|'))), f)\"/>"
        "<ScriptLine replace='true' code=\"got(c(unname(c(title)), unname(c(lags)), unname(c(level))), 'typed')\"/>"
        "<ScriptLine code=\"got(c(names(data1), as.character(data1$obsLabels), as.character(data1[[ncol(data1)]])), "
        "'data')\"/>"
        "</RScript>");
    const std::vector<Analysis> analyses = {
        {kCatalogue + "Regression/linear_regression.xml",
         {"Sales Amount", "Units", "Region", "Store", {}},
         {},
         "coefficients.csv",
         "m <- lm(Sales.Amount ~ Units + Region, data=d)\n"
         "out(data.frame(summary(m)$coefficients, confint(m, level=0.95), check.names=FALSE), TRUE)\n"},
        {kCatalogue + "Tests/two_sample_t_test.xml",
         {"Sales Amount", "", "Method", "", {}},
         {},
         "test.csv",
         "r <- t.test(Sales.Amount ~ Method, data=d)\n"
         "out(data.frame(Value=c(r$statistic, r$parameter, r$p.value, r$conf.int, r$stderr), row.names=c('t', "
         "'DF', 'p-value', 'Lower bound', 'Upper bound', 'Standard error')), TRUE)\n"},
        {kCatalogue + "Multivariate/pca.xml",
         {"", "Price (\xE2\x82\xAC),if,Sales Amount", "", "Store", {}},
         {},
         "scores.csv",
         "X <- d[c('Price....', 'if.', 'Sales.Amount')]\nrownames(X) <- make.unique(d$Store)\n"
         "out(as.data.frame(prcomp(na.omit(X), scale.=TRUE)$x), TRUE)\n"},
        {typing,
         {"", "Sales Amount", "Region", "Store", {}},
         {{"T", kPayload + "\r"}, {"L", "1);file.create('X');c(2"}, {"D", "1);file.create('X');#"}},
         "typed",
         "",
         kPayload + "\r|NA|NA"},
        {typing, {"", "Units", "Method", "", {}}, {{"L", "1, 3;5:7"}, {"D", "0,5"}}, "typed", "", "|1|3|5|6|7|0.5"},
        {typing,
         {"", "Price (\xE2\x82\xAC),if", "Region", "Store", {}},
         {},
         "data",
         "got <- function(x, f) writeBin(charToRaw(enc2utf8(paste(x, collapse='|'))), f)\n"
         "got(c('obsLabels', names(d)[c(4, 5, 2)], d$Store, d$Region), 'expected')\n"},
    };
    folder.Write("data.csv", DataFile());
    const std::string rscript = kovr::FindRscript();
    for (const Analysis& a : analyses) {
        SCOPED_TRACE(a.templateFile + " " + a.result);
        const std::string work = folder / "o'brien \xC4\xA7\xE4\xB8\x8A\xF0\x9F\x98\x80/";
        fs::remove_all(work);
        fs::create_directory(work);
        kovtest::TemplateRun run(a.templateFile);
        kovr::CsvTable table;
        kovr::ChosenColumns chosen;
        kovr::RunLayout layout;
        std::string error;
        ASSERT_TRUE(kovr::OpenCsv(folder / "data.csv", {}, table, error)) << error;
        ASSERT_EQ(kovr::ChooseColumns(run.view, run.choices, table, a.columns, chosen), "");
        ASSERT_TRUE(kovr::ReadCsvRows(kovr::ColumnUses(run.view, chosen, table.names.size()), table, error)) << error;
        // A model runs once per response column: here on the first.
        const int column = kovr::ResponseColumns(run.view, table, chosen).empty() ? 0 : 1;
        ASSERT_EQ(kovr::LayOutRun(run.view, run.choices, table, chosen, column, layout), "");
        run.UseData(layout.sets);
        for (const auto& [name, value] : a.typed) run.Type(name, value);
        // The add-in writes the formula's right-hand side unless the library takes it from the data.
        if (run.view.dataStructure != "model" || run.view.hasInteractions) {
            run.Set(offsetof(ST_Main_aiR, rCode), layout.formulaTerms);
        }
        run.dialog().singleColumnQuanti = column > 0 ? -1 : 0;
        run.Transfer(work, ";", column);
        kovr::LinkPackages(rscript, {"stats"}, work + "packages", error);
        const std::string r = work + "R/";
        ASSERT_EQ(kovtest::RunRscript(r, r + run.view.functionName + "0.script"), 0);
        ASSERT_EQ(kovtest::RunRscript(r, r + run.view.functionName + ".script"), 0)
            << kovtest::ReadBytes(r + "log.txt");
        for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
            EXPECT_NE(entry.path().filename(), "X") << entry.path();
        }
        std::string expected = a.bytes;
        if (!a.oracle.empty()) {
            folder.Write("oracle.R",
                         "d <- read.csv('data.csv', na.strings=c('NA', ''))\n"
                         "out <- function(x, rows) write.table(x, 'expected', na='', row.names=rows, "
                         "quote=FALSE, sep=';', dec='.')\n" +
                             a.oracle);
            ASSERT_EQ(kovtest::RunRscript(folder.path(), "oracle.R"), 0) << kovtest::ReadBytes(folder / "oracle.R.log");
            expected = kovtest::ReadBytes(folder / "expected");
        }
        EXPECT_EQ(kovtest::ReadBytes(r + a.result), expected);
        for (const kovr::ResultView& result : run.view.results) {
            if (!result.plotCode.empty()) {
                EXPECT_TRUE(fs::exists(r + result.chartName + "." + result.plotFormat)) << result.chartName;
            }
        }
        if (&a == &analyses.front()) {
            // Without its package the check script ends with 10.
            fs::remove(work + "packages/stats");
            EXPECT_EQ(kovtest::RunRscript(r, r + run.view.functionName + "0.script"), 10);
        }
    }
}

}  // namespace
