// End to end: a linear model transferred through Cpp_TransferToR, then both
// generated scripts run by R itself in a work folder whose package folder
// links the needed package from R's own library. R must read the data files
// back with the declared classes (factors, NA for the missing marker and for
// empty texts), and the results it writes must equal what R computes directly
// from the same data. Skipped where R is not installed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialog_rows.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "result_rows.h"
#include "test_files.h"
#include "transfer_files.h"

namespace {

using host::DataSetArrayBuilder;
using host::DataSetBuilder;
using transfer_test::Exists;
using transfer_test::ReadBytes;
using transfer_test::TempFolder;

constexpr int16_t kTrue = -1;
constexpr double kMissing = -1.79769313486231E+308;

using host::ExitStatus;

bool HaveR() { return ExitStatus("Rscript --version > /dev/null 2>&1") == 0; }

// Runs an R script, in a UTF-8 locale, with the work folder as working folder.
int RunScript(const std::string& workFolder, const std::string& script) {
    return ExitStatus("cd " + host::ShellQuoted(workFolder) + " && LC_ALL=C.UTF-8 Rscript --vanilla " +
                      host::ShellQuoted(script) + " > /dev/null 2>&1");
}

// The installation folder of an R package, "" when R does not have it.
std::string RPackagePath(const std::string& package) {
    FILE* pipe = popen(("Rscript -e 'cat(find.package(\"" + package + "\"))' 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return std::string();
    std::string path;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) path += chunk;
    pclose(pipe);
    return path;
}

// An R vector of the values, NA for the missing marker.
std::string RVector(const std::vector<double>& values) {
    std::string text = "c(";
    for (size_t k = 0; k < values.size(); ++k) {
        char number[32];
        std::snprintf(number, sizeof number, "%.17g", values[k]);
        text += (k > 0 ? "," : "") + (values[k] == kMissing ? std::string("NA") : std::string(number));
    }
    return text + ")";
}

std::string RTexts(const std::vector<std::string>& values) {
    std::string text = "c(";
    for (size_t k = 0; k < values.size(); ++k) {
        text += (k > 0 ? "," : "") + (values[k].empty() ? std::string("NA") : "'" + values[k] + "'");
    }
    return text + ")";
}

host::ResultTable Table(const std::string& rName, const std::string& rowLabels) {
    host::ResultTable table;
    table.rName = rName;
    table.rowLabels = rowLabels;
    return table;
}

class TransferRTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveR()) GTEST_SKIP() << "Rscript is not installed";
        work_ = folder_.path();
        // R's own "splines" stands for a template's package: it ships with R
        // but is not attached unless the script loads it.
        const std::string splines = RPackagePath("splines");
        ASSERT_FALSE(splines.empty());
        std::filesystem::create_directory(work_ + "/packages");
        std::filesystem::create_directory_symlink(splines, work_ + "/packages/splines");
    }

    TempFolder folder_;
    std::string work_;
};

TEST_F(TransferRTest, LinearModelRunsInR) {
    const std::vector<double> sales = {12.5, 14.25, 9.75, 20.5, 18.0, 11.25, 16.75, 22.0, 13.5, 17.25, 19.5, 10.0};
    const std::vector<double> price = {3.1, 2.95, kMissing, 1.8, 2.05, 3.4, 2.5, 1.65, 3.0, 2.2, 1.95, 3.6};
    const std::vector<double> temperature = {14.2, 15.1, 12.8, 19.4, 17.6, 13.3, 16.9, 20.1, 14.8, 17.0, 18.7, 12.1};
    const std::vector<std::string> region = {"north", "south", "east", "north", "", "south",
                                             "east",  "north", "south", "east", "north", "south"};

    host::Arena arena;
    host::MainFields fields;
    fields.workFolder = work_ + "/";
    fields.rFolder = work_ + "/out/";
    fields.group = "Models";
    auto main = host::Main(arena, fields);
    host::Dialog dialog(arena, 16);
    ST_aiR& air = *dialog.air;
    air.functionName = arena.Str("lm1");
    air.packages = arena.Str("splines");
    air.dataStructure = arena.Str("model");
    air.replaceByValue = kTrue;
    air.usesSeed = kTrue;
    air.seedValue = 1234567;
    air.addObsLabels = 1;
    // Run once per response column: the response is column 1 of quanti1, and
    // data set 1's file holds only that one of the response columns.
    air.singleColumnQuanti = kTrue;
    host::AddDataSelection(arena, air, {.rName = "y", .dataType = "1", .oneByOne = kTrue});
    host::AddInputBox(arena, air, "double");
    host::AddOption(arena, air, host::OptionRow("Input", "level", "0,9"));
    for (const char* line : {
             "fit <- lm(formula, data=Data1)",
             "ci <- confint(fit, level)",
             "set.seed(kovianseed)",
             "draw <- runif(3)",
             "basis <- bs(Data1$Price, df=4)",
             "results <- list()",
             "results$coefs <- as.data.frame(coef(summary(fit)))",
             "results$ci <- as.data.frame(ci)",
             "results$classes <- data.frame(class=sapply(Data1, function(v) class(v)[1]))",
             "results$missing <- data.frame(na=colSums(is.na(Data1)))",
             "results$draw <- data.frame(draw=draw)",
             "results$basis <- data.frame(columns=ncol(basis))",
             "results$shapes <- data.frame(set=c('Extra','Info'), columns=c(ncol(Extra), ncol(Info)), "
             "factors=c(sum(sapply(Extra, is.factor)), sum(sapply(Info, is.factor))))",
         }) {
        host::AddScriptLine(arena, air, true, line);
    }
    host::ChartResult chart;
    chart.name = "Residuals";
    chart.plotCode = "plot(fitted(fit), residuals(fit))";
    host::AddChart(arena, air, chart);
    for (const host::ResultTable& table : {Table("coefs", "rdesc"), Table("ci", "rdesc"), Table("classes", "rdesc"),
                                           Table("missing", "rdesc"), Table("draw", ""), Table("basis", ""),
                                           Table("shapes", "")}) {
        host::AddResultTable(arena, air, table);
    }
    std::vector<std::string> labels;
    for (size_t k = 1; k <= sales.size(); ++k) labels.push_back("o" + std::to_string(k));
    auto sets = DataSetArrayBuilder()
                    .Add("Data1", DataSetBuilder()
                                      .Quanti1({{"Sales Amount", sales}, {"Units", sales}})
                                      .Quanti2({{"Price", price}, {"Temp mean", temperature}})
                                      .Quali1({{"Region", region}})
                                      .Labels(labels))
                    // Extra blocks only: no empty leading column for R to read.
                    .Add("Extra", DataSetBuilder()
                                      .DataQuanti({{{"w", {1, 2, 3}}}})
                                      .DataQuali({{{"k", {"a", "b", "a"}}}})
                                      .RowCount(3))
                    // qualiInfoFlag true: quanti2 is neither in the file nor declared.
                    .Add("Info", DataSetBuilder()
                                     .Quanti1({{"a", {1, 2}}})
                                     .Quanti2({{"b", {3, 4}}})
                                     .Quali1({{"c", {"x", "y"}}})
                                     .QualiInfo({}))
                    .Build(arena);
    Cpp_TransferToR(main, dialog.air, sets, arena.System(",", ";"), 1);

    EXPECT_EQ(RunScript(work_, work_ + "/out/lm10.script"), 0);
    ASSERT_EQ(RunScript(work_, work_ + "/out/lm1.script"), 0) << ReadBytes(work_ + "/out/log.txt");
    EXPECT_NE(ReadBytes(work_ + "/out/log.txt").find("[1] \""), std::string::npos);  // date() in the log
    EXPECT_TRUE(Exists(work_ + "/out/Residuals.png"));

    EXPECT_EQ(ReadBytes(work_ + "/out/classes.csv"),
              "class\nobsLabels;character\nSales.Amount;numeric\nPrice;numeric\nTemp.mean;numeric\nRegion;factor\n");
    EXPECT_EQ(ReadBytes(work_ + "/out/missing.csv"),
              "na\nobsLabels;0\nSales.Amount;0\nPrice;1\nTemp.mean;0\nRegion;1\n");
    EXPECT_EQ(ReadBytes(work_ + "/out/shapes.csv"), "set;columns;factors\nExtra;2;1\nInfo;2;1\n");
    EXPECT_EQ(ReadBytes(work_ + "/out/basis.csv"), "columns\n4\n");

    // The same model, interval and draw computed by R directly from the data.
    std::ofstream(work_ + "/direct.R")
        << "d <- data.frame(Sales.Amount=" << RVector(sales) << ", Price=" << RVector(price)
        << ", Temp.mean=" << RVector(temperature) << ", Region=factor(" << RTexts(region) << "))\n"
        << "fit <- lm(Sales.Amount ~ Price + Temp.mean + Region, data=d)\n"
        << "out <- function(x, name, rows) write.table(x, file=name, na='', row.names=rows, quote=FALSE, sep=';', "
           "dec=',')\n"
        << "out(as.data.frame(coef(summary(fit))), 'coefs.csv', TRUE)\n"
        << "out(as.data.frame(confint(fit, level=0.9)), 'ci.csv', TRUE)\n"
        << "set.seed(1234567)\n"
        << "out(data.frame(draw=runif(3)), 'draw.csv', FALSE)\n";
    std::filesystem::create_directory(work_ + "/direct");
    ASSERT_EQ(ExitStatus("cd '" + work_ + "/direct' && Rscript --vanilla ../direct.R > /dev/null 2>&1"), 0);
    for (const char* name : {"coefs.csv", "ci.csv", "draw.csv"}) {
        const std::string expected = ReadBytes(work_ + "/direct/" + name);
        EXPECT_FALSE(expected.empty()) << name;
        EXPECT_EQ(ReadBytes(work_ + "/out/" + name), expected) << name;
    }

    // A package missing from the package folder ends the check script with 10.
    air.packages = arena.Str("splines,kovNoSuchPackage");
    Cpp_WriteRScripts(main, dialog.air, arena.System(",", ";"), sets);
    EXPECT_EQ(RunScript(work_, work_ + "/out/lm10.script"), 10);
}

// Hostile text in every channel stays data, end to end: a work folder with
// an apostrophe and letters of several scripts, a text option, integer lists
// and numeric inputs carrying code, column headers of every block kind that
// are no R names, labels and text cells with quotes, separators and line
// feeds, characters that narrowed to a byte would be a quote, a backslash, a
// line feed or the separator, and a character outside the BMP. The template
// needs base R only (its package list is a stray comma). R runs the script
// without running any of that code, reads every row, and writes back exactly
// the texts sent.
TEST_F(TransferRTest, HostileTextStaysData) {
    const std::string work = work_ + "/o'brien \xC4\xA7\xC5\x9C\xE4\xB8\x8A\xD0\xBB \xF0\x9F\x98\x80/";
    std::filesystem::create_directory(work);
    const std::string payload = "\xC4\xA7;file.create(\"X\");#\xC5\x9C\xF0\x9F\x98\x80'\\\"\n1);x(\t\x01"
                                "a;b=c Immune system";
    const std::vector<std::string> labels = {"Merc 230 \"Pagoda\"", "two\nlines", "a;b", "\xE4\xB8\x8A", payload,
                                             "\xD0\xBB"};
    const std::vector<std::string> groups = {"\xE4\xB8\x8A", "\xD0\xBB", "Temp\xC3\xA9rature", "\xE4\xB8\x8A",
                                             "x\"y;z", payload};
    const std::vector<double> y = {1, 2, 3.5, 4, 5.5, 7};
    // R's reader reads a carriage return in a data file as a line feed; in an
    // R string literal it survives.
    const std::string title = payload + "\r";

    host::Arena arena;
    host::MainFields fields;
    fields.workFolder = work;
    fields.rFolder = work + "R';x('/";
    auto main = host::Main(arena, fields);
    host::Dialog dialog(arena, 16);
    ST_aiR& air = *dialog.air;
    air.functionName = arena.Str("hostile");
    air.packages = arena.Str(",");
    air.dataStructure = arena.Str("model");
    air.replaceByValue = kTrue;
    air.addObsLabels = 1;
    host::AddDataSelection(arena, air, {.rName = "y", .dataType = "1", .oneByOne = kTrue});
    const std::pair<const char*, const char*> options[] = {
        {"text", title.c_str()}, {"integerlist", "1);file.create('X');c(2"}, {"integerlist", "1, 3;5:7"},
        {"double", "1);file.create('X');#"}, {"double", "0,5"}};
    const char* names[] = {"title", "lags", "keep", "level", "alpha"};
    for (size_t k = 0; k < std::size(options); ++k) {
        host::AddInputBox(arena, air, options[k].first);
        host::AddOption(arena, air, host::OptionRow("Input", names[k], options[k].second));
    }
    for (const char* line : {
             "fit <- lm(formula, data=Data1)",
             "got <- function(x, f) writeBin(charToRaw(enc2utf8(paste(x, collapse='|'))), f)",
             "got(unname(c(title)), 'title.txt')",
             "got(c(unname(c(lags)), unname(c(keep)), unname(c(level)), unname(c(alpha))), 'numbers.txt')",
             "got(Data1[[1]], 'labels.txt'); got(as.character(Data1[[6]]), 'groups.txt')",
             "extra <- c(sum(Data1$xltype(1,9)), 'xltype(1,10)'); vname <- 'xltype(1,9)'",
             "got(c(nrow(Data1), names(Data1), extra, vname, length(coef(fit))), 'shape.txt')",
         }) {
        host::AddScriptLine(arena, air, true, line);
    }
    host::ChartResult chart;
    chart.name = "R\xC3\xA9sidus";
    chart.plotCode = "plot(fitted(fit), residuals(fit))";
    host::AddChart(arena, air, chart);
    auto sets = DataSetArrayBuilder()
                    .Add("Data1", DataSetBuilder()
                                      .Quanti1({{"a';file.create('X');#", y}})
                                      .Quanti2({{"I(file.create('X'))", y}, {"Height-Girth", y}, {"2019 height", y}})
                                      .Quali1({{"\xE4\xB8\x8A", groups}})
                                      .DataQuanti({{{"if", y}}})
                                      .DataQuali({{{"O'Brien", groups}}})
                                      .Labels(labels))
                    .Build(arena);
    Cpp_TransferToR(main, dialog.air, sets, arena.System(",", ";"), 1);

    const std::string rFolder = work + "R';x('";
    ASSERT_EQ(RunScript(work, rFolder + "/hostile0.script"), 0);
    ASSERT_EQ(RunScript(work, rFolder + "/hostile.script"), 0) << ReadBytes(rFolder + "/log.txt");
    EXPECT_TRUE(Exists(rFolder + "/R\xC3\xA9sidus.png"));
    for (const auto& entry : std::filesystem::recursive_directory_iterator(work_)) {
        EXPECT_NE(entry.path().filename(), "X") << entry.path();
    }
    const auto joined = [](const std::vector<std::string>& texts) {
        std::string out;
        for (const std::string& text : texts) out += (out.empty() ? "" : "|") + text;
        return out;
    };
    EXPECT_EQ(ReadBytes(work + "title.txt"), title);
    EXPECT_EQ(ReadBytes(work + "numbers.txt"), "NA|1|3|5|6|7|NA|0.5");
    EXPECT_EQ(ReadBytes(work + "labels.txt"), joined(labels));
    EXPECT_EQ(ReadBytes(work + "groups.txt"), joined(groups));
    EXPECT_EQ(ReadBytes(work + "shape.txt"),
              "6|obsLabels|a..file.create..X....|I.file.create..X...|Height.Girth|X2019.height|\xE4\xB8\x8A|if.|"
              "O.Brien|23|O.Brien|if.|8");
}

// Column names, checked against R itself: the header of the data file and
// the formula name every column as make.names(unique = TRUE) names the
// headers sent (the label column's "obsLabels" first), and lm runs on them.
TEST_F(TransferRTest, ColumnNamesAreRNames) {
    const std::vector<std::string> numeric = {
        "Height-Girth", "Girth (m)", "if", "O'Brien", "Tree Girth", "Tree.Girth", "\xE4\xB8\x8A\xE6\xB5\xB7",
        "\xD0\xBB\xD0\xB5\xD1\x81", "Temp\xC3\xA9rature", "1st", "_x", ".5x", "TRUE", "a", "a", "a.1", "",
        "I(file.create('X'))", "\xF0\x9D\x90\x80x", "obsLabels", "X"};
    const std::vector<std::string> headers = [&] {
        std::vector<std::string> all = {"2019 height"};
        all.insert(all.end(), numeric.begin(), numeric.end());
        all.push_back("Tree Girth");
        return all;
    }();
    std::vector<host::NumColumn> columns;
    for (size_t k = 0; k < numeric.size(); ++k) {
        std::vector<double> values;
        for (int r = 0; r < 40; ++r) values.push_back(std::sin(r * (k + 1.5)) + r % 7);
        columns.push_back({numeric[k], values});
    }
    std::vector<double> response;
    std::vector<std::string> groups;
    std::vector<std::string> labels;
    for (int r = 0; r < 40; ++r) {
        response.push_back(r * 0.5 + std::cos(r));
        groups.push_back(r % 3 == 0 ? "a" : "b");
        labels.push_back("o" + std::to_string(r));
    }

    host::Arena arena;
    host::MainFields fields;
    fields.workFolder = work_ + "/";
    fields.rFolder = work_ + "/out/";
    auto main = host::Main(arena, fields);
    host::Dialog dialog(arena, 4);
    ST_aiR& air = *dialog.air;
    air.functionName = arena.Str("names");
    air.packages = arena.Str(",");
    air.dataStructure = arena.Str("model");
    air.replaceByValue = kTrue;
    air.addObsLabels = 1;
    host::AddDataSelection(arena, air, {.rName = "y", .dataType = "1", .oneByOne = kTrue});
    host::AddScriptLine(arena, air, true, "fit <- lm(formula, data=Data1)");
    host::AddScriptLine(arena, air, true,
                        "writeLines(c(names(Data1), all.vars(terms(fit))), file('names.txt', encoding='UTF-8'))");
    auto sets = DataSetArrayBuilder()
                    .Add("Data1", DataSetBuilder()
                                      .Quanti1({{headers.front(), response}})
                                      .Quanti2(columns)
                                      .Quali1({{headers.back(), groups}})
                                      .Labels(labels))
                    .Build(arena);
    Cpp_TransferToR(main, dialog.air, sets, arena.System(".", ","), 1);
    ASSERT_EQ(RunScript(work_, work_ + "/out/names.script"), 0) << ReadBytes(work_ + "/out/log.txt");

    // R's own names for the headers sent: for the file, then for the formula.
    std::ofstream(work_ + "/headers.txt", std::ios::binary) << [&] {
        std::string lines;
        for (const std::string& header : headers) lines += header + "\n";
        return lines;
    }();
    std::ofstream(work_ + "/oracle.R") << "h <- readLines('headers.txt', encoding='UTF-8')\n"
                                       << "n <- make.names(c('obsLabels', h), unique=TRUE)\n"
                                       << "writeLines(c(n, n[-1]), file('oracle.txt', encoding='UTF-8'))\n";
    ASSERT_EQ(RunScript(work_, work_ + "/oracle.R"), 0);
    const std::string oracle = ReadBytes(work_ + "/oracle.txt");
    EXPECT_NE(oracle.find("Tree.Girth.1"), std::string::npos);
    EXPECT_EQ(ReadBytes(work_ + "/names.txt"), oracle);
}

}  // namespace
