// kovr, the command-line host, as users run it: what each command prints and
// how it fails, every example template read, previewed and run with R, and
// the results of runs on real and messy CSV files compared with R's own
// computation on the same file. What needs R is skipped when it is absent.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "dialog_view.h"
#include "result_files.h"
#include "template_file.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using kovtest::ShellQuoted;
using kovtest::TempFolder;
using Args = std::vector<std::string>;

const std::string kKovr = KOV_BINARY_DIR "/bin/kovr";
const std::string kCatalogue = KOV_SOURCE_DIR "/examples/catalogue";
const std::string kData = KOV_SOURCE_DIR "/examples/data";
const std::string kLm = kCatalogue + "/Regression/linear_regression.xml";
const std::string kAov = kCatalogue + "/ANOVA/one_way_anova.xml";

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs kovr with environment assignments in front; an argument "@name" is
// the file name of folder.
Outcome Kovr(const TempFolder& folder, const Args& args, const std::string& environment = "") {
    std::string line = environment + " " + ShellQuoted(kKovr);
    for (const std::string& arg : args) line += " " + ShellQuoted(arg.starts_with("@") ? folder / arg.substr(1) : arg);
    const int status =
        kovtest::ExitStatus(line + " >" + ShellQuoted(folder / "stdout") + " 2>" + ShellQuoted(folder / "stderr"));
    return {status, kovtest::ReadBytes(folder / "stdout"), kovtest::ReadBytes(folder / "stderr")};
}

// kovr run of a template (the first of args) on data, into folder/work.
Outcome RunInto(const TempFolder& folder, const std::string& data, const std::string& work, const Args& args) {
    Args all = {"run", args[0], "--data", data, "--work", folder / work};
    all.insert(all.end(), args.begin() + 1, args.end());
    return Kovr(folder, all);
}

bool HaveRPackage(const std::string& name) {
    return kovtest::ExitStatus("Rscript -e " + ShellQuoted("quit(status=!requireNamespace('" + name + "'))") +
                               " >/dev/null 2>&1") == 0;
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Files a user might hand to kovr, written into the test's folder.
const std::map<std::string, std::string> kFiles = {
    {"broken.xml", "<RFunction text=\"Broken\" function=\"f\">\n  <Tab text=\"One\">\n</RFunction>\n"},
    {"careless.xml", R"xml(<RFunction text="Careless" function="median" packages="stats" datastructure="data">
  <Tab text="General">
    <DataField name="DataValues" text="Values" type="numeric" rname="data1"/>
    <CheckBox name="CheckBoxRobust" text="Robust" rname="robust" default="false"/>
  </Tab>
  <RResults><Result text="Median" rname="middle"/><Result text="Spread" rname="spread"/></RResults>
  <RScript replacebyvalue="true"><ScriptLine code="results &lt;- list(middle=median(data1[[1]]))"/></RScript>
</RFunction>
)xml"},
    {"ragged.csv", "y,x\n1,2\n3\n"},
    {"contradiction.csv", "Prix, TTC;Poids, kg\n1,5;980\n2,5;1.500\n3,5;700\n"},
    {"zero.csv", "y,x\n1.5,\n,2\n3.5,NA\n"},
    {"few.csv", "y,x\n1.5,1\n2.5,2\n3.5,\n"},
    {"semicolon.csv", "\xEF\xBB\xBFy;x;note\r\n3,5;1,25;a\r\n4,25;2;b\r\n6;3,5;\r\n7,75;;c\r\n9,5;5,25;d\r\n10;6;e\r\n"},
    {"groups.csv", "Yield,Fertilizer\n5.1,A\n4.8,A\n5.6,A\n6.2,B\n6.8,B\n3.9,NA\n7.1,B\n4.2,C\n4.0,   \n3.7,C\n3.5,C\n"},
    {"responses.csv", "y1,y2,x\n2.1,3.3,1\n,4.1,2\n5.8,5.2,3\n8.4,,4\n9.7,7.9,5\n12.5,9.4,6\n"},
    {"tabs.csv", "y\tx\n3,5\t1\n4,25\t2\n6\t3,5\n7,75\t4\n9,5\t5\n"},
    {"calls.csv", "y,\"file.create('PWNED')\"\n5.1,a\n4.8,a\n5.6,a\n6.2,b\n6.8,b\n7.1,b\n"},
    {"labels.csv", "id,y,x\n0012,2.5,1\n0013,3.1,2\n0014,4.9,3\n0015,5.2,4\n0016,7.4,5\n"},
};

void WriteFiles(const TempFolder& folder) {
    for (const auto& [name, text] : kFiles) folder.Write(name, text);
}

// A command and what it answers: the exit status and texts that must appear
// in this order in its output and error streams.
struct Command {
    Args args;
    int status;
    std::vector<std::string> expected;
    std::string environment = "";
};

TEST(Kovr, CommandsPrintWhatUsersReadAndFailInWords) {
    const Args sales = {"run", kLm, "--data", kData + "/sales.csv", "--work", "@work", "--y", "Sales Amount", "--x"};
    const auto plus = [](Args args, const Args& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::vector<Command> commands = {
        {{"list", kCatalogue}, 0,
         {"9 templates in", "One-way ANOVA (aov)", "Histograms and frequencies (hist)", "k-means clustering (kmeans)",
          "Principal components (prcomp)", "Logistic regression (glm)", "Linear regression (lm)",
          "Correlation test (cor.test)", "Two-sample t test (t.test)", "Wilcoxon test (wilcox.test)"}},
        {{"list", kCatalogue, "--json"}, 0,
         {"\"count\": 9", "\"file\": \"linear_regression.xml\"",
          "\"keywords\": \"regression,linear model,least squares,anova,prediction\""}},
        {{"check", kCatalogue + "/Tests/wilcoxon_test.xml", "@broken.xml", "@careless.xml", "@absent.xml"}, 1,
         {"wilcoxon_test.xml: ok", "broken.xml: XML Error\nPath: ", "Line: 3\n",
          "warning: the result 'spread' is named by no script line",
          "warning: the option 'CheckBoxRobust' (R name 'robust') reaches no replace line",
          "absent.xml: no such template"}},
        {{"describe", "Regression/linear_regression.xml"}, 0,
         {"Linear regression (lm)  [Regression]", "Page 1 \"General\"  columns 180/160", "  Column 2\n",
          "Input  InputLevel  \"Confidence level\"  rname=level  double default=0.95", "CheckBox  chart:Residuals",
          "CheckBox  CheckBoxPredict  \"Predictions\"  rname=withpred", "Private Sub AdaptPredict()",
          "Interactions=off"},
         "KOVR_CATALOGUE=" + ShellQuoted(kCatalogue)},
        {{"describe", kCatalogue + "/Multivariate/kmeans.xml", "--json"}, 0,
         {"\"usesSeed\": -1", "\"comboItemRNames\": [\n      \"Hartigan-Wong,Lloyd,MacQueen\"",
          "\"refName\": [\n      \"RefEditX\"", "\"scriptCode\": [", "\"ctlKind\": ["}},
        // Figures as R gives them: mean, sd and quartiles of Price; 37 sales, 3 missing.
        {{"stats", kData + "/sales.csv"}, 0,
         {"Price         40        0  10.66125  1.579723     8  9.5025   10.59  11.825  13.68", "Sales Amount  37        3",
          "Frequencies of Region", "North        10  25"}},
        {plus(sales, {"Price"}), 3, {"R is not installed"}, "KOVR_RSCRIPT=/nonexistent/Rscript"},
        {plus(sales, {"Price", "--set", "tolerance=2"}), 2,
         {"unknown option 'tolerance'; this template's options are: ", "InputLevel"}},
        {plus(sales, {"Price", "--set", "level=1.5"}), 2, {"level: 1.5 is outside 0.5 to 0.999"}},
        {plus(sales, {"Region"}), 2,
         {"line 2, column 'Region': 'North' is not a number, but the data selection "
          "'Quantitative explanatory variables' (--x) takes numbers"}},
        {{"run", kLm, "--data", kData + "/sales.csv", "--y", "Sales", "--x", "Price"}, 2,
         {"--y: the data have no column 'Sales' (columns: Store, Region, Price"}},
        {plus(sales, {"Price", "--sep", "ab"}), 2, {"--sep takes one character (or tab), not 'ab'"}},
        {plus(sales, {"Price", "--dec", ";"}), 2, {"--dec takes . or , not ';'"}},
        {{"run", kLm, "--data", "@ragged.csv", "--y", "y", "--x", "x"}, 2,
         {"bad CSV file: ", "ragged.csv: line 3 has 1 fields, the header has 2"}},
        {{"run", kLm, "--data", "@contradiction.csv", "--y", "Prix, TTC", "--x", "Poids, kg"}, 2,
         {"line 3, column 'Poids, kg': '1.500' is written with a decimal point, but the numbers of this file have a "
          "decimal comma"}},
        {{"run", kLm, "--data", "@zero.csv", "--y", "y", "--x", "x"}, 2,
         {"no row of zero.csv has a value in each of y (--y), x (--x): nothing is left to analyse"}},
        {{"run", kLm, "--data", "@few.csv", "--y", "y", "--x", "x"}, 2,
         {"only 2 row(s) of few.csv have a value in each of y (--y), x (--x), but the model has 2 parameters"}},
    };
    TempFolder folder;
    WriteFiles(folder);
    for (const Command& command : commands) {
        SCOPED_TRACE(command.args[0] + " " + command.args[1] + " " + command.args.back());
        const Outcome outcome = Kovr(folder, command.args, command.environment);
        EXPECT_EQ(outcome.status, command.status) << outcome.out << outcome.err;
        size_t at = 0;
        for (const std::string& expected : command.expected) {
            at = (outcome.out + outcome.err).find(expected, at);
            ASSERT_NE(at, std::string::npos) << "'" << expected << "' missing or out of order in\n"
                                             << outcome.out << outcome.err;
        }
    }
}

struct Example {
    std::string templateFile, data;
    Args args;
    std::vector<std::string> files;  // in the R folder after the run
    std::string script = "";         // a line of the script written
};

const std::vector<Example> kExamples = {
    {"Regression/linear_regression.xml", "sales.csv",
     {"--y", "Sales Amount", "--x", "Price,Advertising", "--q", "Region", "--labels", "Store", "--set",
      "CheckBoxPredict=true"},
     {"fit.csv", "anova.csv", "coefficients.csv", "residuals.csv", "predictions.csv", "Residuals.png", "QQplot.png"}},
    {"Regression/logistic_regression.xml", "purchases.csv",
     {"--y", "Purchased", "--x", "Age,Income", "--q", "Gender", "--set", "link=probit"},
     {"coefficients.csv", "deviance.csv", "classification.csv", "Probabilities.png"}},
    {"ANOVA/one_way_anova.xml", "fertilizer.csv", {"--y", "Yield", "--q", "Fertilizer"},
     {"anova.csv", "means.csv", "tukey.csv", "bartlett.csv", "Boxplot.png"}},
    {"Tests/two_sample_t_test.xml", "scores.csv", {"--y", "After", "--q", "Method", "--set", "alternative=less"},
     {"test.csv", "groups.csv", "Boxplot.png"}},
    {"Tests/wilcoxon_test.xml", "scores.csv",
     {"--set", "DataSample1=After", "--set", "DataSample2=Before", "--set", "paired=true", "--set", "InputMu=5"},
     {"test.csv", "samples.csv", "Samples.png"}},
    {"Tests/correlation_test.xml", "scores.csv",
     {"--set", "DataVariables=Hours,Before,After", "--set", "method=spearman"},
     {"matrix.csv", "tests.csv", "Scatterplots.png"}},
    {"Multivariate/pca.xml", "usarrests.csv",
     {"--x", "Murder,Assault,UrbanPop,Rape", "--labels", "State", "--set", "InputAxis2=3"},
     {"eigenvalues.csv", "loadings.csv", "scores.csv", "Scree.png", "Biplot.png"}},
    {"Multivariate/kmeans.xml", "usarrests.csv",
     {"--x", "Murder,Assault,UrbanPop,Rape", "--labels", "State", "--set", "centers=4", "--set", "seed=1234567"},
     {"centers.csv", "sizes.csv", "clusters.csv", "Clusters.png"}, "set.seed(1234567)"},
    // An enhanced metafile chart needs the R package devEMF.
    {"Descriptive/histograms.xml", "scores.csv", {"--set", "DataQuanti=After", "--set", "DataQuali=Method"},
     {"summary.csv", "Histogram.emf"}, "emf('WORK/R/Histogram.emf', height=5, width=7) ; hist(v"},
};

TEST(Kovr, EveryExampleLoadsPreviewsAndRunsIntoItsResultTablesAndCharts) {
    size_t templates = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kCatalogue)) templates += entry.path().extension() == ".xml";
    EXPECT_EQ(templates, kExamples.size());
    const bool haveR = kovtest::HaveR();
    TempFolder folder;
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.templateFile);
        const std::string path = kCatalogue + "/" + example.templateFile;
        kovr::Translations translations;
        const kovr::LoadedTemplate loaded = kovr::LoadTemplate(path, translations);
        ASSERT_TRUE(loaded.ok()) << loaded.errorText;
        EXPECT_EQ(kovr::SizingDisagreements(loaded), std::vector<std::string>{});

        testing::internal::CaptureStderr();
        EXPECT_EQ(kovr::PreviewCommand({path, "-o", folder / "page.html"}), 0);
        testing::internal::GetCapturedStderr();
        const std::string page = kovtest::ReadBytes(folder / "page.html");
        EXPECT_EQ(Occurrences(page, " data-ctl=\""), static_cast<size_t>(loaded.dialog->ControlCount()));
        EXPECT_EQ(Occurrences(page, " data-page=\""), static_cast<size_t>(loaded.dialog->dialog().pageText.count));
        EXPECT_EQ(Occurrences(page, "<pre class=\"rcode\">"), 1u) << "no R code";
        EXPECT_EQ(Occurrences(page, "class=\"error-text\"") + Occurrences(page, "src=") + Occurrences(page, "href=") +
                      Occurrences(page, "@import"),
                  0u) << "a failed dry run, or a page that fetches something";

        if (!haveR) continue;
        const std::string work = fs::path(path).stem().string();
        Args args = {path};
        args.insert(args.end(), example.args.begin(), example.args.end());
        const Outcome run = RunInto(folder, kData + "/" + example.data, work, args);
        const std::string r = folder / work + "/R/";
        std::string script = example.script;
        if (const size_t at = script.find("WORK/"); at != std::string::npos) script.replace(at, 5, folder / work + "/");
        EXPECT_NE(kovtest::ReadBytes(r + kovr::ViewOf(loaded).functionName + ".script").find(script), std::string::npos);
        if (example.files.back().ends_with(".emf") && !HaveRPackage("devEMF")) {
            EXPECT_EQ(run.status, 4) << run.out << run.err;
            EXPECT_NE(run.err.find("R package(s) missing: devEMF"), std::string::npos) << run.err;
            continue;
        }
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_NE(run.out.find("R log ("), std::string::npos) << run.out;
        for (const std::string& file : example.files) EXPECT_GT(kovtest::ReadBytes(r + file).size(), 0u) << file;
    }
}

// The cell of a result file in the row named row and the column named
// column; "" when there is none. R pads some row names with blanks.
std::string Cell(const std::string& path, const std::string& row, const std::string& column) {
    kovr::ResultTable table;
    if (!kovr::ReadResultTable(path, ';', table)) return "";
    const size_t c = std::find(table.header.begin(), table.header.end(), column) - table.header.begin();
    for (const kovr::TextRow& cells : table.rows) {
        if (c < cells.size() && cells[0].substr(0, cells[0].find_last_not_of(' ') + 1) == row) return cells[c];
    }
    return "";
}

// A run and R's own computation: rCode reads the data file f and sets the
// named numbers v, which the cells (result file, row, column, name in v)
// must hold.
struct Comparison {
    std::string data;  // a file of kFiles, else of examples/data
    Args args;         // the template first
    std::string rCode;
    std::vector<std::array<std::string, 4>> cells;
    std::string message = "";  // expected in the output
};

TEST(Kovr, RunsGiveTheNumbersRComputesFromTheSameFile) {
    if (!kovtest::HaveR()) GTEST_SKIP() << "Rscript is not installed";
    // Rows named by their line in the file, as kovr names them.
    const std::string fit = "rownames(d) <- seq_len(nrow(d)) + 1\nm <- lm(y ~ x, data=d)\n"
                            "v <- c(b0=coef(m)[[1]], b1=coef(m)[[2]], r4=residuals(m)[['4']])\n";
    const std::vector<Comparison> comparisons = {
        {"sales.csv",
         {kLm, "--y", "Sales Amount", "--x", "Price,Advertising", "--q", "Region", "--set", "level=0.9"},
         "d <- read.csv(f)\nm <- lm(Sales.Amount ~ Price + Advertising + Region, data=d)\nci <- confint(m, level=0.9)\n"
         "v <- c(b0=coef(m)[[1]], west=coef(m)[['RegionWest']], low=ci['Price', 1], R2=summary(m)$r.squared, "
         "n=nobs(m))\n",
         {{{"coefficients.csv", "(Intercept)", "Estimate", "b0"}},
          {{"coefficients.csv", "RegionWest", "Estimate", "west"}},
          {{"coefficients.csv", "Price", "5 %", "low"}},
          {{"fit.csv", "R2", "Value", "R2"}},
          {{"fit.csv", "Observations", "Value", "n"}}}},
        {"scores.csv",
         {kCatalogue + "/Tests/two_sample_t_test.xml", "--y", "After,Before", "--q", "Method", "--set",
          "var.equal=true", "--set", "OptionGreater=true", "--set", "InputLevel=0.99"},
         "d <- read.csv(f)\nv <- c()\nfor (y in c('After', 'Before')) {\n"
         "  t <- t.test(d[[y]] ~ d$Method, var.equal=TRUE, alternative='greater', conf.level=0.99)\n"
         "  v[paste(y, c('t', 'p', 'low', 'df'))] <- c(t$statistic, t$p.value, t$conf.int[1], t$parameter)\n}\n",
         {{{"After/test.csv", "t", "Value", "After t"}},
          {{"After/test.csv", "p-value", "Value", "After p"}},
          {{"After/test.csv", "Lower bound", "Value", "After low"}},
          {{"Before/test.csv", "t", "Value", "Before t"}},
          {{"Before/test.csv", "DF", "Value", "Before df"}}},
         "== Response Before =="},
        {"semicolon.csv", {kLm, "--y", "y", "--x", "x"},
         "d <- read.csv(f, sep=';', dec=',', fileEncoding='UTF-8-BOM')\n" + fit,
         {{{"coefficients.csv", "(Intercept)", "Estimate", "b0"}},
          {{"coefficients.csv", "x", "Estimate", "b1"}},
          {{"residuals.csv", "4", "Residual", "r4"}}},
         "(separator ';', decimal mark ',')"},
        {"tabs.csv", {kLm, "--sep", "tab", "--dec", ",", "--y", "y", "--x", "x"},
         "d <- read.delim(f, dec=',')\n" + fit,
         {{{"coefficients.csv", "x", "Estimate", "b1"}}, {{"residuals.csv", "4", "Residual", "r4"}}},
         "(separator 'tab', decimal mark ',')"},
        {"groups.csv", {kAov, "--y", "Yield", "--q", "Fertilizer", "--set", "Missing=2"},
         "d <- read.csv(f, na.strings=c('NA', ''), strip.white=TRUE)\n"
         "a <- summary(aov(Yield ~ Fertilizer, data=d))[[1]]\nv <- c(df=a[1, 'Df'], F=a[1, 'F value'])\n",
         {{{"anova.csv", "Fertilizer", "Df", "df"}}, {{"anova.csv", "Fertilizer", "F value", "F"}}}},
        {"responses.csv", {kLm, "--y", "y1,y2", "--x", "x"},
         "d <- read.csv(f)\nv <- c()\nfor (y in c('y1', 'y2')) { m <- lm(d[[y]] ~ d$x)\n"
         "  v[paste(y, c('b1', 'n'))] <- c(coef(m)[[2]], nobs(m)) }\n",
         {{{"y1/coefficients.csv", "x", "Estimate", "y1 b1"}},
          {{"y1/fit.csv", "Observations", "Value", "y1 n"}},
          {{"y2/coefficients.csv", "x", "Estimate", "y2 b1"}},
          {{"y2/fit.csv", "Observations", "Value", "y2 n"}}}},
        {"labels.csv", {kLm, "--y", "y", "--x", "x", "--labels", "id", "--set", "CheckBoxPredict=true"},
         "d <- read.csv(f, colClasses=c(id='character'))\nrownames(d) <- d$id\nm <- lm(y ~ x, data=d)\n"
         "v <- c(r15=residuals(m)[['0015']])\n",
         {{{"residuals.csv", "0015", "Residual", "r15"}}}, "\n  0015  "},
        // A header that holds a call reaches the formula as a name, never as code.
        {"calls.csv", {kCatalogue + "/Tests/two_sample_t_test.xml", "--y", "y", "--q", "file.create('PWNED')"},
         "d <- read.csv(f)\nv <- c(t=t.test(d$y ~ d[[2]])$statistic[[1]])\n", {{{"test.csv", "t", "Value", "t"}}}},
    };
    TempFolder folder;
    WriteFiles(folder);
    for (size_t k = 0; k < comparisons.size(); ++k) {
        const Comparison& c = comparisons[k];
        SCOPED_TRACE(c.data + " " + c.args[0]);
        const std::string data = kFiles.count(c.data) ? folder / c.data : kData + "/" + c.data;
        const std::string work = "work" + std::to_string(k);
        const Outcome run = RunInto(folder, data, work, c.args);
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_NE((run.out + run.err).find(c.message), std::string::npos) << run.out << run.err;

        const std::string script = folder.Write("direct.R", "f <- '" + data + "'\n" + c.rCode +
                                                                 "for (n in names(v)) cat('v:', n, '=', format(v[[n]], "
                                                                 "digits=17), '\\n', sep='')\n");
        ASSERT_EQ(kovtest::RunRscript(folder.path(), script), 0) << kovtest::ReadBytes(script + ".log");
        std::map<std::string, double> r;
        std::istringstream lines(kovtest::ReadBytes(script + ".log"));
        for (std::string line; std::getline(lines, line);) {
            if (const size_t equals = line.find('='); line.starts_with("v:") && equals != std::string::npos) {
                r[line.substr(2, equals - 2)] = std::stod(line.substr(equals + 1));
            }
        }
        for (const auto& [file, row, column, name] : c.cells) {
            const std::string cell = Cell(folder / work + "/R/" + file, row, column);
            ASSERT_FALSE(cell.empty()) << file << " " << row << " " << column;
            ASSERT_TRUE(r.count(name)) << name;
            EXPECT_NEAR(std::stod(cell), r[name], 1e-9 * std::max(1.0, std::fabs(r[name]))) << name;
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        EXPECT_NE(entry.path().filename(), "PWNED") << entry.path();
    }
}

}  // namespace
