// End-to-end tests of kovr, the command-line host: it lists the example
// catalogue, checks every example template, and runs every example analysis
// with R, whose result files are compared with R's own computation on the
// same CSV file. The tests that need R are skipped when Rscript is absent.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

namespace fs = std::filesystem;

const std::string kKovr = KOV_BINARY_DIR "/bin/kovr";
const std::string kCatalogue = KOV_SOURCE_DIR "/examples/catalogue";
const std::string kData = KOV_SOURCE_DIR "/examples/data";

struct Outcome {
    int status = -1;
    std::string out, err;
};

using host::Scratch;

// Runs a shell command line, standard output and error kept apart.
Outcome Shell(const std::string& line, const fs::path& scratch) {
    const fs::path out = scratch / "stdout.txt";
    const fs::path err = scratch / "stderr.txt";
    const int status =
        host::ExitStatus(line + " >" + host::ShellQuoted(out.string()) + " 2>" + host::ShellQuoted(err.string()));
    return Outcome{status, host::ReadBytes(out), host::ReadBytes(err)};
}

Outcome Kovr(const std::vector<std::string>& args, const fs::path& scratch, const std::string& environment = "") {
    std::string line = environment.empty() ? "" : environment + " ";
    line += host::ShellQuoted(kKovr);
    for (const std::string& arg : args) line += " " + host::ShellQuoted(arg);
    return Shell(line, scratch);
}

bool HaveR() { return std::system("command -v Rscript >/dev/null 2>&1") == 0; }

bool HaveRPackage(const std::string& name) {
    return std::system(("Rscript -e " + host::ShellQuoted("quit(status=as.integer(!requireNamespace('" + name +
                                                     "', quietly=TRUE)))") + " >/dev/null 2>&1")
                           .c_str()) == 0;
}

// A result file as R writes it (separator ';', row names first when the
// header is one field short): row name -> column name -> cell.
using Table = std::map<std::string, std::map<std::string, std::string>>;

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
    if (!line.empty() && line.back() == separator) fields.emplace_back();
    return fields;
}

Table ReadTable(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    std::vector<std::string> header = Split(line, ';');
    Table table;
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = Split(line, ';');
        if (fields.size() == header.size() + 1 && (header.empty() || !header[0].empty())) {
            header.insert(header.begin(), "");
        }
        // R pads some row names (those of summary.aov) with blanks.
        const std::string row = fields.empty() ? "" : fields[0].substr(0, fields[0].find_last_not_of(' ') + 1);
        for (size_t c = 1; c < fields.size() && c < header.size(); ++c) table[row][header[c]] = fields[c];
    }
    return table;
}

double Number(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    EXPECT_TRUE(!text.empty() && *end == '\0') << "not a number: '" << text << "'";
    return value;
}

// Runs R code that prints name=value lines and returns them.
std::map<std::string, double> RValues(const std::string& code, const fs::path& scratch) {
    const fs::path script = scratch / "direct.R";
    std::ofstream(script) << code;
    const Outcome r = Shell("Rscript --vanilla " + host::ShellQuoted(script.string()), scratch);
    EXPECT_EQ(r.status, 0) << r.err;
    std::map<std::string, double> values;
    std::stringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = Number(line.substr(equals + 1));
    }
    return values;
}

void ExpectClose(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << what;
}

TEST(KovrList, ListsTheExampleCatalogueSortedByGroupThenFunction) {
    Scratch scratch;
    const Outcome text = Kovr({"list", kCatalogue}, scratch.path());
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("9 templates in"), std::string::npos) << text.out;
    const std::vector<std::string> inOrder = {"One-way ANOVA (aov)", "Histograms and frequencies (hist)",
                                              "k-means clustering (kmeans)", "Principal components (prcomp)",
                                              "Logistic regression (glm)", "Linear regression (lm)",
                                              "Correlation test (cor.test)", "Two-sample t test (t.test)",
                                              "Wilcoxon test (wilcox.test)"};
    size_t at = 0;
    for (const std::string& title : inOrder) {
        const size_t found = text.out.find(title, at);
        ASSERT_NE(found, std::string::npos) << title << " missing or out of order in\n" << text.out;
        at = found;
    }

    const Outcome json = Kovr({"list", kCatalogue, "--json"}, scratch.path());
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"count\": 9"), std::string::npos);
    EXPECT_NE(json.out.find("\"file\": \"linear_regression.xml\""), std::string::npos);
    EXPECT_NE(json.out.find("\"keywords\": \"regression,linear model,least squares,anova,prediction\""),
              std::string::npos);
}

TEST(KovrCheck, ReportsTheParseErrorAsTheAddInShowsItAndFails) {
    Scratch scratch;
    const fs::path broken = scratch.path() / "broken.xml";
    std::ofstream(broken) << "<RFunction text=\"Broken\" function=\"f\">\n  <Tab text=\"One\">\n</RFunction>\n";
    const fs::path good = fs::path(kCatalogue) / "Tests" / "wilcoxon_test.xml";
    const Outcome check = Kovr({"check", good.string(), broken.string()}, scratch.path());
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find(good.string() + ": ok"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find(broken.string() + ": XML Error\nPath: " + broken.string()), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("Line: 3\n"), std::string::npos) << check.out;

    const Outcome missing = Kovr({"check", (scratch.path() / "absent.xml").string()}, scratch.path());
    EXPECT_EQ(missing.status, 1);
}

TEST(KovrCheck, WarnsAboutUnusedResultsAndUnreachableOptions) {
    Scratch scratch;
    const fs::path file = scratch.path() / "careless.xml";
    std::ofstream(file) << R"xml(<RFunction text="Careless" function="median" packages="stats" datastructure="data">
  <Tab text="General">
    <DataField name="DataValues" text="Values" type="numeric" rname="data1"/>
    <CheckBox name="CheckBoxRobust" text="Robust" rname="robust" default="false"/>
  </Tab>
  <RResults>
    <Result text="Median" rname="middle"/>
    <Result text="Spread" rname="spread"/>
  </RResults>
  <RScript replacebyvalue="true">
    <ScriptLine code="results &lt;- list(middle=median(data1[[1]]))"/>
  </RScript>
</RFunction>
)xml";
    const Outcome check = Kovr({"check", file.string()}, scratch.path());
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_NE(check.out.find("warning: the result 'spread' is named by no script line"), std::string::npos)
        << check.out;
    EXPECT_EQ(check.out.find("'middle'"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("warning: the option 'CheckBoxRobust' (R name 'robust') reaches no replace line"),
              std::string::npos)
        << check.out;
}

TEST(KovrDescribe, ShowsTheDialogAndDumpsEveryRecordField) {
    Scratch scratch;
    const Outcome text = Kovr({"describe", "Regression/linear_regression.xml"}, scratch.path(),
                              "KOVR_CATALOGUE=" + host::ShellQuoted(kCatalogue));
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* expected :
         {"Linear regression (lm)  [Regression]", "Page 1 \"General\"  columns 180/160", "  Column 2\n",
          "CheckBox  CheckBoxPredict  \"Predictions\"  rname=withpred", "Private Sub AdaptPredict()",
          "CheckBox  chart:Residuals", "Input  InputLevel  \"Confidence level\"  rname=level  double default=0.95",
          "Interactions=off"}) {
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected << "\n" << text.out;
    }

    const Outcome json = Kovr({"describe", kCatalogue + "/Multivariate/kmeans.xml", "--json"}, scratch.path());
    ASSERT_EQ(json.status, 0) << json.err;
    for (const char* expected : {"\"usesSeed\": -1", "\"comboItemRNames\": [\n      \"Hartigan-Wong,Lloyd,MacQueen\"",
                                 "\"ctlKind\": [", "\"scriptCode\": [", "\"refName\": [\n      \"RefEditX\""}) {
        EXPECT_NE(json.out.find(expected), std::string::npos) << expected << "\n" << json.out;
    }
}

TEST(KovrStats, DescribesTheColumnsOfACsvFile) {
    Scratch scratch;
    const Outcome stats = Kovr({"stats", kData + "/sales.csv"}, scratch.path());
    ASSERT_EQ(stats.status, 0) << stats.err;
    // Figures as R gives them: mean, sd and quartiles of Price; 37 sales and 3 missing.
    EXPECT_NE(stats.out.find("Price         40        0  10.66125  1.579723     8  9.5025   10.59  11.825  13.68"),
              std::string::npos)
        << stats.out;
    EXPECT_NE(stats.out.find("Sales Amount  37        3"), std::string::npos) << stats.out;
    EXPECT_NE(stats.out.find("Frequencies of Region"), std::string::npos) << stats.out;
    EXPECT_NE(stats.out.find("North        10  25"), std::string::npos) << stats.out;
}

struct Example {
    std::string name;
    std::string templateFile;
    std::vector<std::string> args;
    std::vector<std::string> files;  // in the R folder after the run
};

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples = {
        {"lm", "Regression/linear_regression.xml",
         {"--data", kData + "/sales.csv", "--y", "Sales Amount", "--x", "Price,Advertising", "--q", "Region",
          "--labels", "Store", "--set", "CheckBoxPredict=true"},
         {"fit.csv", "anova.csv", "coefficients.csv", "residuals.csv", "predictions.csv", "Residuals.png",
          "QQplot.png"}},
        {"glm", "Regression/logistic_regression.xml",
         {"--data", kData + "/purchases.csv", "--y", "Purchased", "--x", "Age,Income", "--q", "Gender", "--set",
          "link=probit"},
         {"coefficients.csv", "deviance.csv", "classification.csv", "Probabilities.png"}},
        {"aov", "ANOVA/one_way_anova.xml", {"--data", kData + "/fertilizer.csv", "--y", "Yield", "--q", "Fertilizer"},
         {"anova.csv", "means.csv", "tukey.csv", "bartlett.csv", "Boxplot.png"}},
        {"t.test", "Tests/two_sample_t_test.xml",
         {"--data", kData + "/scores.csv", "--y", "After", "--q", "Method", "--set", "alternative=less"},
         {"test.csv", "groups.csv", "Boxplot.png"}},
        {"wilcox.test", "Tests/wilcoxon_test.xml",
         {"--data", kData + "/scores.csv", "--set", "DataSample1=After", "--set", "DataSample2=Before", "--set",
          "paired=true", "--set", "InputMu=5"},
         {"test.csv", "samples.csv", "Samples.png"}},
        {"cor.test", "Tests/correlation_test.xml",
         {"--data", kData + "/scores.csv", "--set", "DataVariables=Hours,Before,After", "--set", "method=spearman"},
         {"matrix.csv", "tests.csv", "Scatterplots.png"}},
        {"prcomp", "Multivariate/pca.xml", {"--data", kData + "/usarrests.csv", "--x", "Murder,Assault,UrbanPop,Rape",
          "--labels", "State", "--set", "InputAxis2=3"},
         {"eigenvalues.csv", "loadings.csv", "scores.csv", "Scree.png", "Biplot.png"}},
        {"kmeans", "Multivariate/kmeans.xml",
         {"--data", kData + "/usarrests.csv", "--x", "Murder,Assault,UrbanPop,Rape", "--labels", "State", "--set",
          "centers=4"},
         {"centers.csv", "sizes.csv", "clusters.csv", "Clusters.png"}},
    };
    return examples;
}

TEST(KovrRun, EveryExampleAnalysisWritesItsResultTablesAndCharts) {
    if (!HaveR()) GTEST_SKIP() << "Rscript is not installed";
    Scratch scratch;
    for (const Example& example : Examples()) {
        SCOPED_TRACE(example.name);
        const fs::path work = scratch.path() / example.name;
        std::vector<std::string> args = {"run", kCatalogue + "/" + example.templateFile};
        args.insert(args.end(), example.args.begin(), example.args.end());
        args.insert(args.end(), {"--work", work.string()});
        const Outcome run = Kovr(args, scratch.path());
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        for (const std::string& file : example.files) {
            const fs::path path = work / "R" / file;
            EXPECT_TRUE(fs::exists(path) && fs::file_size(path) > 0) << path;
        }
        EXPECT_NE(run.out.find("R log ("), std::string::npos) << run.out;
    }
}

TEST(KovrRun, AnEmfChartNeedsDevEmfAndSaysSoWhenItIsMissing) {
    if (!HaveR()) GTEST_SKIP() << "Rscript is not installed";
    Scratch scratch;
    const fs::path work = scratch.path() / "work";
    const Outcome run = Kovr({"run", kCatalogue + "/Descriptive/histograms.xml", "--data", kData + "/scores.csv",
                              "--set", "DataQuanti=After", "--set", "DataQuali=Method", "--work", work.string()},
                             scratch.path());
    const std::string script = host::ReadBytes(work / "R" / "hist.script");
    EXPECT_NE(script.find("library('devEMF', lib.loc="), std::string::npos) << script;
    EXPECT_NE(script.find("emf('" + (work / "R" / "Histogram.emf").string() + "', height=5, width=7) ; hist(v"),
              std::string::npos)
        << script;
    if (HaveRPackage("devEMF")) {
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_TRUE(fs::exists(work / "R" / "Histogram.emf"));
        EXPECT_TRUE(fs::exists(work / "R" / "summary.csv"));
    } else {
        EXPECT_EQ(run.status, 4) << run.out << run.err;
        EXPECT_NE(run.err.find("R package(s) missing: devEMF"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(work / "R" / "summary.csv"));
    }
}

TEST(KovrRun, RegressionCoefficientsAreTheOnesRComputesFromTheSameFile) {
    if (!HaveR()) GTEST_SKIP() << "Rscript is not installed";
    Scratch scratch;
    const fs::path work = scratch.path() / "work";
    const Outcome run = Kovr({"run", kCatalogue + "/Regression/linear_regression.xml", "--data", kData + "/sales.csv",
                              "--y", "Sales Amount", "--x", "Price,Advertising", "--q", "Region", "--set",
                              "level=0.9", "--work", work.string()},
                             scratch.path());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const Table coefficients = ReadTable(work / "R" / "coefficients.csv");
    const Table fit = ReadTable(work / "R" / "fit.csv");

    const auto r = RValues("d <- read.csv('" + kData + "/sales.csv')\n"
                           "m <- lm(Sales.Amount ~ Price + Advertising + Region, data=d)\n"
                           "ci <- confint(m, level=0.9)\n"
                           "for (n in names(coef(m))) cat(n, '=', format(coef(m)[[n]], digits=17), '\\n', sep='')\n"
                           "for (n in names(coef(m))) cat('low ', n, '=', format(ci[n, 1], digits=17), '\\n', sep='')\n"
                           "cat('R2=', format(summary(m)$r.squared, digits=17), '\\n', sep='')\n"
                           "cat('n=', nobs(m), '\\n', sep='')\n",
                           scratch.path());
    ASSERT_EQ(coefficients.size(), 6u);
    for (const char* term : {"(Intercept)", "Price", "Advertising", "RegionNorth", "RegionSouth", "RegionWest"}) {
        ASSERT_TRUE(coefficients.count(term)) << term;
        ExpectClose(Number(coefficients.at(term).at("Estimate")), r.at(term), term);
        ExpectClose(Number(coefficients.at(term).at("5 %")), r.at(std::string("low ") + term), term);
    }
    ExpectClose(Number(fit.at("R2").at("Value")), r.at("R2"), "R2");
    // The three stores without sales are removed by the default missing-value choice.
    EXPECT_EQ(Number(fit.at("Observations").at("Value")), 37);
    EXPECT_EQ(r.at("n"), 37);
}

TEST(KovrRun, TStatisticIsTheOneRComputesFromTheSameFile) {
    if (!HaveR()) GTEST_SKIP() << "Rscript is not installed";
    Scratch scratch;
    const fs::path work = scratch.path() / "work";
    const Outcome run = Kovr({"run", kCatalogue + "/Tests/two_sample_t_test.xml", "--data", kData + "/scores.csv",
                              "--y", "After,Before", "--q", "Method", "--set", "var.equal=true", "--set",
                              "OptionGreater=true", "--set", "InputLevel=0.99", "--work", work.string()},
                             scratch.path());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    // Two response columns: one test per column, each in its own folder.
    EXPECT_NE(run.out.find("== Response After =="), std::string::npos);
    EXPECT_NE(run.out.find("== Response Before =="), std::string::npos);
    const auto r = RValues("d <- read.csv('" + kData + "/scores.csv')\n"
                           "for (y in c('After', 'Before')) {\n"
                           "  t <- t.test(d[[y]] ~ d$Method, var.equal=TRUE, alternative='greater', conf.level=0.99)\n"
                           "  cat(y, ' t=', format(t$statistic, digits=17), '\\n', sep='')\n"
                           "  cat(y, ' p=', format(t$p.value, digits=17), '\\n', sep='')\n"
                           "  cat(y, ' low=', format(t$conf.int[1], digits=17), '\\n', sep='')\n"
                           "}\n",
                           scratch.path());
    for (const std::string column : {"After", "Before"}) {
        const Table test = ReadTable(work / "R" / column / "test.csv");
        ExpectClose(Number(test.at("t").at("Value")), r.at(column + " t"), column + " t");
        ExpectClose(Number(test.at("p-value").at("Value")), r.at(column + " p"), column + " p");
        ExpectClose(Number(test.at("Lower bound").at("Value")), r.at(column + " low"), column + " lower bound");
        EXPECT_EQ(Number(test.at("DF").at("Value")), 34);
    }
}

TEST(KovrRun, TheSeedMakesRandomStartsRepeatable) {
    if (!HaveR()) GTEST_SKIP() << "Rscript is not installed";
    Scratch scratch;
    std::string clusters[2];
    for (int k = 0; k < 2; ++k) {
        const fs::path work = scratch.path() / ("work" + std::to_string(k));
        const Outcome run = Kovr({"run", "Multivariate/kmeans.xml", "--data", kData + "/usarrests.csv", "--x",
                                  "Murder,Assault,UrbanPop,Rape", "--set", "nstart=1", "--set", "ComboAlgorithm=Lloyd",
                                  "--set", "seed=1234567", "--work", work.string()},
                                 scratch.path(), "KOVR_CATALOGUE=" + host::ShellQuoted(kCatalogue));
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        clusters[k] = host::ReadBytes(work / "R" / "clusters.csv");
        EXPECT_NE(host::ReadBytes(work / "R" / "kmeans.script").find("set.seed(1234567)"), std::string::npos);
    }
    EXPECT_FALSE(clusters[0].empty());
    EXPECT_EQ(clusters[0], clusters[1]);
}

// A spreadsheet exported by hand: what kovr reads, which rows each run
// keeps, how rows are labelled, and what it refuses before R starts. Each
// run that succeeds is compared with R's own fit of the same file.
struct MessyFile {
    std::string name;
    std::string text;
    std::vector<std::string> args;  // after the file
    int status;
    std::string message;  // expected in the error stream (status 2) or the output
    std::string rCode;    // R reading file f and printing name=value lines
    // Cells of result files (in the R folder): file, row, column, R value.
    std::vector<std::array<std::string, 4>> cells;
};

const std::vector<MessyFile>& MessyFiles() {
    const std::string lm = kCatalogue + "/Regression/linear_regression.xml";
    const std::string aov = kCatalogue + "/ANOVA/one_way_anova.xml";
    // R's fit, with each row named by its line in the file as kovr names it.
    const std::string fit = "rownames(d) <- seq_len(nrow(d)) + 1\n"
                            "m <- lm(y ~ x, data=d)\n"
                            "cat('b0=', format(coef(m)[[1]], digits=17), '\\nb1=', format(coef(m)[[2]], digits=17), '\\n',"
                            " 'r4=', format(residuals(m)[['4']], digits=17), '\\n', sep='')\n";
    static const std::vector<MessyFile> files = {
        {"semicolon.csv",
         "\xEF\xBB\xBFy;x;note\r\n3,5;1,25;a\r\n4,25;2;b\r\n6;3,5;\r\n7,75;;c\r\n9,5;5,25;d\r\n10;6;e\r\n",
         {lm, "--y", "y", "--x", "x"}, 0, "(separator ';', decimal mark ',')",
         "d <- read.csv(f, sep=';', dec=',', fileEncoding='UTF-8-BOM')\n" + fit,
         {{{"coefficients.csv", "(Intercept)", "Estimate", "b0"}},
          {{"coefficients.csv", "x", "Estimate", "b1"}},
          {{"residuals.csv", "4", "Residual", "r4"}}}},
        {"contradiction.csv", "Prix, TTC;Poids, kg\n1,5;980\n2,5;1.500\n3,5;700\n",
         {lm, "--y", "Prix, TTC", "--x", "Poids, kg"}, 2,
         "line 3, column 'Poids, kg': '1.500' is written with a decimal point, but the numbers of this file have a "
         "decimal comma",
         "", {}},
        {"groups.csv", "Yield,Fertilizer\n5.1,A\n4.8,A\n5.6,A\n6.2,B\n6.8,B\n3.9,NA\n7.1,B\n4.2,C\n4.0,   \n3.7,C\n3.5,C\n",
         {aov, "--y", "Yield", "--q", "Fertilizer", "--set", "Missing=2"}, 0, "",
         "d <- read.csv(f, na.strings=c('NA', ''), strip.white=TRUE)\n"
         "a <- summary(aov(Yield ~ Fertilizer, data=d))[[1]]\n"
         "cat('df=', a[1, 'Df'], '\\nF=', format(a[1, 'F value'], digits=17), '\\n', sep='')\n",
         {{{"anova.csv", "Fertilizer", "Df", "df"}}, {{"anova.csv", "Fertilizer", "F value", "F"}}}},
        {"responses.csv", "y1,y2,x\n2.1,3.3,1\n,4.1,2\n5.8,5.2,3\n8.4,,4\n9.7,7.9,5\n12.5,9.4,6\n",
         {lm, "--y", "y1,y2", "--x", "x"}, 0, "== Response y2 ==",
         "d <- read.csv(f)\n"
         "for (y in c('y1', 'y2')) { m <- lm(d[[y]] ~ d$x)\n"
         "  cat(y, ' b1=', format(coef(m)[[2]], digits=17), '\\n', y, ' n=', nobs(m), '\\n', sep='') }\n",
         {{{"y1/coefficients.csv", "x", "Estimate", "y1 b1"}},
          {{"y1/fit.csv", "Observations", "Value", "y1 n"}},
          {{"y2/coefficients.csv", "x", "Estimate", "y2 b1"}},
          {{"y2/fit.csv", "Observations", "Value", "y2 n"}}}},
        {"labels.csv", "id,y,x\n0012,2.5,1\n0013,3.1,2\n0014,4.9,3\n0015,5.2,4\n0016,7.4,5\n",
         {lm, "--y", "y", "--x", "x", "--labels", "id", "--set", "CheckBoxPredict=true"}, 0, "\n  0015  ",
         "d <- read.csv(f, colClasses=c(id='character'))\nrownames(d) <- d$id\nm <- lm(y ~ x, data=d)\n"
         "cat('r15=', format(residuals(m)[['0015']], digits=17), '\\n', sep='')\n",
         {{{"residuals.csv", "0015", "Residual", "r15"}}}},
        {"zero.csv", "y,x\n1.5,\n,2\n3.5,NA\n", {lm, "--y", "y", "--x", "x"}, 2,
         "no row of zero.csv has a value in each of y (--y), x (--x): nothing is left to analyse", "", {}},
        {"few.csv", "y,x\n1.5,1\n2.5,2\n3.5,\n", {lm, "--y", "y", "--x", "x"}, 2,
         "only 2 row(s) of few.csv have a value in each of y (--y), x (--x), but the model has 2 parameters", "",
         {}},
    };
    return files;
}

TEST(KovrRun, MessyFilesGiveRsOwnFitOrSayWhatIsWrong) {
    if (!HaveR()) GTEST_SKIP() << "Rscript is not installed";
    Scratch scratch;
    for (const MessyFile& file : MessyFiles()) {
        SCOPED_TRACE(file.name);
        const fs::path data = scratch.path() / file.name;
        std::ofstream(data, std::ios::binary) << file.text;
        const fs::path work = scratch.path() / ("work-" + file.name);
        std::vector<std::string> args = {"run"};
        args.insert(args.end(), file.args.begin(), file.args.begin() + 1);
        args.insert(args.end(), {"--data", data.string(), "--work", work.string()});
        args.insert(args.end(), file.args.begin() + 1, file.args.end());
        const Outcome run = Kovr(args, scratch.path());
        ASSERT_EQ(run.status, file.status) << run.out << run.err;
        EXPECT_NE((run.status == 0 ? run.out + run.err : run.err).find(file.message), std::string::npos)
            << run.out << run.err;
        if (file.rCode.empty()) continue;
        const auto r = RValues("f <- '" + data.string() + "'\n" + file.rCode, scratch.path());
        for (const auto& [result, row, column, name] : file.cells) {
            const Table table = ReadTable(work / "R" / result);
            ASSERT_TRUE(table.count(row) && table.at(row).count(column)) << result << " " << row << " " << column;
            ExpectClose(Number(table.at(row).at(column)), r.at(name), result + " " + row + " " + column);
        }
    }
}

TEST(KovrRun, FailuresGiveAClearMessageAndTheirOwnExitStatus) {
    Scratch scratch;
    const std::string lm = kCatalogue + "/Regression/linear_regression.xml";
    const std::vector<std::string> sales = {"--data", kData + "/sales.csv", "--y", "Sales Amount", "--x", "Price"};
    const auto run = [&](std::vector<std::string> extra, const std::string& environment = "") {
        std::vector<std::string> args = {"run", lm};
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"--work", (scratch.path() / "work").string()});
        return Kovr(args, scratch.path(), environment);
    };

    Outcome noR = run(sales, "KOVR_RSCRIPT=/nonexistent/Rscript");
    EXPECT_EQ(noR.status, 3);
    EXPECT_NE(noR.err.find("R is not installed"), std::string::npos) << noR.err;

    std::vector<std::string> unknown = sales;
    unknown.insert(unknown.end(), {"--set", "tolerance=2"});
    Outcome bad = run(unknown);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("unknown option 'tolerance'; this template's options are: "), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("InputLevel"), std::string::npos) << bad.err;

    std::vector<std::string> outOfRange = sales;
    outOfRange.insert(outOfRange.end(), {"--set", "level=1.5"});
    bad = run(outOfRange);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("level: 1.5 is outside 0.5 to 0.999"), std::string::npos) << bad.err;

    const fs::path ragged = scratch.path() / "ragged.csv";
    std::ofstream(ragged) << "y,x\n1,2\n3\n";
    bad = run({"--data", ragged.string(), "--y", "y", "--x", "x"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("bad CSV file: " + ragged.string() + ": line 3 has 1 fields, the header has 2"),
              std::string::npos)
        << bad.err;

    bad = run({"--data", kData + "/sales.csv", "--y", "Sales", "--x", "Price"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--y: the data have no column 'Sales' (columns: Store, Region, Price"), std::string::npos)
        << bad.err;

    bad = run({"--data", kData + "/sales.csv", "--y", "Sales Amount", "--x", "Region"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("line 2, column 'Region': 'North' is not a number, but the data selection "
                           "'Quantitative explanatory variables' (--x) takes numbers"),
              std::string::npos)
        << bad.err;

    if (!HaveR()) return;
    const fs::path needsPackage = scratch.path() / "needs_package.xml";
    std::ofstream(needsPackage) << R"xml(<RFunction text="Needs a package" function="needs" packages="stats,kovrAbsentPackage" datastructure="data">
  <Tab text="General"><DataField name="DataValues" text="Values" type="numeric" rname="data1"/></Tab>
  <RResults><Result text="Mean" rname="mean"/></RResults>
  <RScript><ScriptLine code="results &lt;- list(mean=data.frame(Mean=mean(data1[[1]])))"/></RScript>
</RFunction>
)xml";
    const Outcome missing = Kovr({"run", needsPackage.string(), "--data", kData + "/sales.csv", "--set",
                                  "DataValues=Price", "--work", (scratch.path() / "work2").string()},
                                 scratch.path());
    EXPECT_EQ(missing.status, 4) << missing.out << missing.err;
    EXPECT_NE(missing.err.find("R package(s) missing: kovrAbsentPackage"), std::string::npos) << missing.err;
}

}  // namespace
