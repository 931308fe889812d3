// Whole runs of the analysis code assembly through Cpp_GetRCodeAndReplaceOptions,
// with the dialog description filled as the add-in fills it before a transfer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_rows.h"
#include "arena_records.h"

namespace {

using host::AddChart;
using host::AddComboBox;
using host::AddDataSelection;
using host::AddInputBox;
using host::AddOption;
using host::AddScriptLine;

// One run: a dialog with room for 16 entries per vector, a main record and
// the data sets; Run() calls the export and returns the code it left.
struct RunFixture {
    explicit RunFixture(const std::string& rCode = "", const std::string& rFolder = "")
        : main(host::Main(arena, Fields(rCode, rFolder))), dialog(arena, 16) {
        air().dataStructure = arena.Str("data");
    }
    static host::MainFields Fields(const std::string& rCode, const std::string& rFolder) {
        host::MainFields fields;
        fields.rCode = rCode;
        fields.rFolder = rFolder;
        return fields;
    }
    ST_aiR& air() { return *dialog.air; }
    void DataStructure(const std::string& value) { air().dataStructure = arena.Str(value); }
    std::string Run(int columnIndex = 0) {
        Cpp_GetRCodeAndReplaceOptions(main, dialog.air, sets, columnIndex);
        return host::Text(main->rCode);
    }
    std::vector<short> Done() { return host::Entries<short>(dialog.air->optionDone); }
    std::vector<short> PlotIncluded() { return host::Entries<short>(dialog.air->resPlotIncluded); }

    host::Arena arena;
    host::Ptr<ST_Main_aiR> main;
    host::Dialog dialog;
    host::Ptr<ST_DataSetArray> sets;
};

TEST(CodeAssembly, OptionsAsLinesTakeTheAssignmentFormAndQuoteText) {
    RunFixture run;
    run.air().replaceByValue = 0;
    auto& a = run.arena;
    AddOption(a, run.air(), host::OptionRow("Input", "alpha", "0,05"));
    AddInputBox(a, run.air(), "double");
    AddOption(a, run.air(), host::OptionRow("CheckBox", "center", "true"));
    AddOption(a, run.air(), host::OptionRow("ComboBox", "method", "Average"));
    AddComboBox(a, run.air(), 1, "ward,average,single");
    AddOption(a, run.air(), host::OptionRow("Input", "main", "it's C:\\tmp"));
    AddInputBox(a, run.air(), "text");
    // Not included: written nowhere, but its input box is still counted.
    AddOption(a, run.air(), host::OptionRow("Input", "skipped", "1").Excluded());
    AddInputBox(a, run.air(), "text");
    AddOption(a, run.air(), host::OptionRow("Input", "tol,list", "0,001"));
    AddInputBox(a, run.air(), "double");
    AddOption(a, run.air(), host::OptionRow("Input", "maxit,list", "50"));
    AddInputBox(a, run.air(), "integer");
    AddOption(a, run.air(), host::OptionRow("RadioButton", "type", "Both"));

    EXPECT_EQ(run.Run(),
              "alpha<-0.05\n"
              "center<-TRUE\n"
              "method<-'average'\n"
              "main<-'it\\'s C:\\\\tmp'\n"
              "list(tol=0.001, maxit=50)\n"
              "type<-Both\n");
    // The member of the group is flagged, nothing else.
    EXPECT_EQ(run.Done(), (std::vector<short>{0, 0, 0, 0, 0, 0, -1, 0}));
}

TEST(CodeAssembly, ReplaceLinesTakeOptionsWithTheirGroupsAndAlignedCounters) {
    RunFixture run;
    run.air().replaceByValue = -1;
    auto& a = run.arena;
    AddOption(a, run.air(), host::OptionRow("Input", "lag,c", "1"));
    AddInputBox(a, run.air(), "integer");
    // An inactive member is passed over; its input box still counts.
    AddOption(a, run.air(), host::OptionRow("Input", "lag,c", "9").Inactive());
    AddInputBox(a, run.air(), "text");
    AddOption(a, run.air(), host::OptionRow("Input", "lag,c", "2,5"));
    AddInputBox(a, run.air(), "double");
    AddOption(a, run.air(), host::OptionRow("ComboBox", "kernel", "x"));
    AddComboBox(a, run.air(), 2, "gauss,epan,rect");
    // The fourth input box reads the fourth input type, "text".
    AddOption(a, run.air(), host::OptionRow("Input", "scale", "z"));
    AddInputBox(a, run.air(), "text");
    AddOption(a, run.air(), host::OptionRow("Input", "ncomp", "3"));
    AddInputBox(a, run.air(), "integer");
    AddScriptLine(a, run.air(), true, "fit <- smooth(data, lag, kernel, scale)");
    // Counters start again on every line.
    AddScriptLine(a, run.air(), true, "res <- pca(x, ncomp); s <- scale");
    // 'ncomp' inside 'ncomps' is part of a longer name and stays.
    AddScriptLine(a, run.air(), true, "ncomps <- ncomp");

    EXPECT_EQ(run.Run(),
              "fit <- smooth(data, lag=c(1, 2.5), kernel='rect', scale='z')\n"
              "res <- pca(x, ncomp=3); s <- scale='z'\n"
              "ncomps <- ncomp=3\n");
    EXPECT_EQ(run.Done(), (std::vector<short>{0, 0, -1, 0, 0, 0}));
}

TEST(CodeAssembly, OptionLinesFlagMembersThatReplaceLinesThenTakeWithTheirGroup) {
    RunFixture run;
    run.air().replaceByValue = 0;
    auto& a = run.arena;
    AddOption(a, run.air(), host::OptionRow("Input", "tol,control", "0,01"));
    AddInputBox(a, run.air(), "double");
    AddOption(a, run.air(), host::OptionRow("CheckBox", "trace,control", "false"));
    // Already written by the add-in: neither a line nor substituted.
    AddOption(a, run.air(), host::OptionRow("Input", "done", "5").Done());
    AddInputBox(a, run.air(), "integer");
    // The group takes the place of its first member's name.
    AddScriptLine(a, run.air(), true, "m <- fit(y, tol, done)");

    EXPECT_EQ(run.Run(),
              "control(tol=0.01, trace=FALSE)\n"
              "m <- fit(y, control(tol=0.01, trace=FALSE), done)\n");
    EXPECT_EQ(run.Done(), (std::vector<short>{0, -1, -1}));
}

host::DataSetBuilder SoilData() {
    return host::DataSetBuilder()
        .Quanti1({{"Yield", {1, 2, 3}}, {"Sales Amount", {4, 5, 6}}})
        .Quanti2({{"Rain", {1, 1, 2}}, {"Temp mean", {3, 4, 5}}})
        .Quali1({{"Soil", {"a", "b", "a"}}})
        .DataQuanti({{{"Rain fall", {1, 2, 3}}}})
        .DataQuali({{{"Site", {"s", "t", "s"}}}})
        .TextBlock({{"Comment", {"x", "y", "z"}}});
}

TEST(CodeAssembly, ModelWithRandomTermsFillsTheFormulaAndKeepsTheAddInText) {
    RunFixture run("library(lme4)\n\n");
    run.DataStructure("model.random");
    run.air().replaceByValue = -1;
    AddDataSelection(run.arena, run.air(), {"y", "1", 0});
    AddScriptLine(run.arena, run.air(), true, "m <- lmer(formula, data=data1)");
    run.sets = host::DataSetArrayBuilder().Add("Data1", SoilData()).Build(run.arena);

    EXPECT_EQ(run.Run(),
              "library(lme4)\n"
              "m <- lmer(y ~ +Rain+Temp.mean+( 1 | Soil ), data=data1)\n");
}

TEST(CodeAssembly, ModelWithInteractionsTakesTheAddInTextAsRightHandSide) {
    RunFixture run("+A+B+A:B");
    run.DataStructure("model");
    run.air().hasInteractions = -1;
    AddDataSelection(run.arena, run.air(), {"y", "1", 0});
    AddScriptLine(run.arena, run.air(), true, "m <- lm(formula)");
    // A non-replace line keeps the word.
    AddScriptLine(run.arena, run.air(), false, "formula <- NULL");

    EXPECT_EQ(run.Run(), "m <- lm(y ~ +A+B+A:B)\nformula <- NULL\n");
}

TEST(CodeAssembly, OncePerColumnRunsNameTheResponseColumnAsRReadsIt) {
    {
        // A model run once per response column: the second quanti1 column.
        RunFixture run;
        run.DataStructure("model");
        AddDataSelection(run.arena, run.air(), {"y", "1", -1});
        AddScriptLine(run.arena, run.air(), true, "m <- lm(formula, data=d)");
        run.sets = host::DataSetArrayBuilder().Add("Data1", SoilData()).Build(run.arena);
        EXPECT_EQ(run.Run(2), "m <- lm(Sales.Amount ~ +Rain+Temp.mean+Soil, data=d)\n");
        run.main->rCode = run.arena.Str("");
        EXPECT_EQ(run.Run(1), "m <- lm(Yield ~ +Rain+Temp.mean+Soil, data=d)\n");
    }
    {
        // Not a model: the response is the column, the add-in's text the rest.
        RunFixture run("+Price");
        run.DataStructure("twosamples");
        AddDataSelection(run.arena, run.air(), {"y", "1", 0});
        AddScriptLine(run.arena, run.air(), true, "t <- test(formula)");
        run.sets = host::DataSetArrayBuilder().Add("Data1", SoilData()).Build(run.arena);
        EXPECT_EQ(run.Run(2), "t <- test(Sales.Amount ~ +Price)\n");
    }
}

TEST(CodeAssembly, SeedBecomesItsDecimalDigits) {
    RunFixture run;
    run.air().usesSeed = -1;
    run.air().seedValue = 1234567;
    AddScriptLine(run.arena, run.air(), true, "set.seed(kovianseed); a <- kovianseed");
    EXPECT_EQ(run.Run(), "set.seed(1234567); a <- 1234567\n");

    RunFixture unused;
    unused.air().seedValue = 1234567;
    AddScriptLine(unused.arena, unused.air(), true, "set.seed(kovianseed)");
    EXPECT_EQ(unused.Run(), "set.seed(kovianseed)\n");
}

TEST(CodeAssembly, CommentsEmptyLinesAndRefusedCode) {
    RunFixture run;
    run.air().replaceByValue = 0;
    auto& a = run.arena;
    AddOption(a, run.air(), host::OptionRow("Input", "cmd", "system('ls')"));
    AddInputBox(a, run.air(), "text");
    AddOption(a, run.air(), host::OptionRow("Input", "k", "2"));
    AddInputBox(a, run.air(), "integer");
    AddScriptLine(a, run.air(), true, "   # a comment among replace lines");
    AddScriptLine(a, run.air(), false, "# kept as written");
    AddScriptLine(a, run.air(), false, "");
    AddScriptLine(a, run.air(), true, "");
    AddScriptLine(a, run.air(), true, "x = system('rm -rf /')");
    AddScriptLine(a, run.air(), false, "y <- Sys.system(1)");
    AddScriptLine(a, run.air(), false, "z = 'filesystem'");
    AddScriptLine(a, run.air(), false, "path = filesystem");
    AddScriptLine(a, run.air(), true, "w = k");
    AddScriptLine(a, run.air(), false, "t = f(\"a;b=c\", 'Immune system', `k=1`)");

    // Refused code leaves an empty line; the rest is still assembled. Quoted
    // text is not code: "system", ";" and "=" in it are left alone.
    EXPECT_EQ(run.Run(),
              "cmd<-'system(\\'ls\\')'\n"
              "k<-2\n"
              "# kept as written\n"
              "\n"
              "\n"
              "\n"
              "z <- 'filesystem'\n"
              "path <- filesystem\n"
              "w <- k=2\n"
              "t <- f(\"a;b=c\", 'Immune system', `k=1`)\n");
}

TEST(CodeAssembly, ComparisonsStayComparisons) {
    RunFixture run;
    AddScriptLine(run.arena, run.air(), false, "x <= 3; y >= 2; z != 1; a = b == c; if (x = 1) y = 2; v = 5");
    EXPECT_EQ(run.Run(), "x <= 3; y >= 2; z != 1; a = b == c; if (x = 1) y = 2; v <- 5\n");
}

TEST(CodeAssembly, DataPlaceholdersBecomeColumnNames) {
    RunFixture run;
    AddScriptLine(run.arena, run.air(), true, "d <- data[, xltype(1,9)]; g <- xltype(1,10); n <- xltype(1,7)");
    AddScriptLine(run.arena, run.air(), true,
                  "e <- c(xltype(1,4), xltype(3,9), xltype( 1,9), xltype(1.5,9)); f <- xltype(1,9");
    run.sets = host::DataSetArrayBuilder().Add("Data1", SoilData()).Build(run.arena);
    EXPECT_EQ(run.Run(),
              "d <- data[, Rain.fall]; g <- Site; n <- Comment\n"
              "e <- c(, , xltype( 1,9), xltype(1.5,9)); f <- xltype(1,9\n");
}

TEST(CodeAssembly, ChartsAreDrawnUnlessAnOptionSwitchesThemOff) {
    RunFixture run("", "/tmp/out/");
    auto& a = run.arena;
    AddOption(a, run.air(), host::OptionRow("CheckBox", "biplot", "TRUE").Excluded().Switches("Biplot"));
    AddOption(a, run.air(), host::OptionRow("CheckBox", "load", "FALSE").Excluded().Switches("Loadings"));
    AddChart(a, run.air(), {"Scree", "plot(x)", "png", "600", "500"});
    AddChart(a, run.air(), {"Biplot", "biplot(p)", "emf", "7", "6"});
    AddChart(a, run.air(), {"Loadings", "plot(l)", "png", "600", "500"});
    AddChart(a, run.air(), {"Table", "", "png", "600", "500"});

    EXPECT_EQ(run.Run(),
              "png('/tmp/out/Scree.png',  res=100,height=500, width=600) ; plot(x) ; dev.off()\n"
              "emf('/tmp/out/Biplot.emf', height=6, width=7) ; biplot(p) ; dev.off()\n");
    EXPECT_EQ(run.PlotIncluded(), (std::vector<short>{-1, -1, 0, 0}));
}

TEST(CodeAssembly, ChartPathsWithoutAnRFolderAreFileNamesAlone) {
    RunFixture run;
    AddChart(run.arena, run.air(), {"Scree", "plot(x)", "png", "600", "500"});
    EXPECT_EQ(run.Run(), "png('Scree.png',  res=100,height=500, width=600) ; plot(x) ; dev.off()\n");

    RunFixture windowsFolder("", "C:\\out\\");
    AddChart(windowsFolder.arena, windowsFolder.air(), {"Scree", "plot(x)", "png", "600", "500"});
    EXPECT_EQ(windowsFolder.Run(), "png('/C//out/Scree.png',  res=100,height=500, width=600) ; plot(x) ; dev.off()\n");
}

TEST(CodeAssembly, LongLinesGiveTheSameTextAsReplacingNameByNameOnTheWholeLine) {
    // Names that are prefixes and suffixes of one another and of longer
    // words, one with a delimiter in it, in a line of many kilobytes.
    const std::vector<std::string> names = {"alpha", "a", "al", "pha", "x.y", "p-q", "b_c", "alphabet"};
    const std::vector<std::string> words = {"alpha", "a",  "al", "pha",  "x.y", "p-q", "b_c", "alphabet", "myalpha",
                                            "x.yz",  "(",  ")",  ", ",   " ",   "+",   "-",   "*",        "/",
                                            "]",     "[",  "=",  "ab",   "q",   "alpha_", ".", "pq"};
    std::string line = "f(";
    unsigned seed = 12345;
    while (line.size() < 20000) {
        seed = seed * 1103515245u + 12345u;
        line += words[(seed >> 16) % words.size()];
    }

    RunFixture run;
    run.air().replaceByValue = -1;
    for (size_t k = 0; k < names.size(); ++k) {
        AddOption(run.arena, run.air(), host::OptionRow("Input", names[k], std::to_string(k)));
        AddInputBox(run.arena, run.air(), "integer");
    }
    AddScriptLine(run.arena, run.air(), true, line);

    std::string expected = host::Text(run.arena.Adopt(Cpp_CodeChecks(run.arena.Str(line))));
    for (size_t k = 0; k < names.size(); ++k) {
        const std::string text = names[k] + "=" + std::to_string(k);
        expected = host::Text(
            run.arena.Adopt(Cpp_RReplace(run.arena.Str(expected), run.arena.Str(names[k]), run.arena.Str(text))));
    }
    EXPECT_EQ(run.Run(), expected + "\n");
}

}  // namespace
