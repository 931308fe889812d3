// The smaller exports of the R code generation, called as the add-in's macro
// code calls them: name replacement and code checks, option text with its
// counters, the model formula and the data placeholders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_rows.h"
#include "host_records.h"

namespace {

using host::AddComboBox;
using host::AddDataSelection;
using host::AddInputBox;
using host::AddOption;

std::string Take(host::Arena& arena, BSTR s) { return host::Text(arena.Adopt(s)); }

TEST(RCodeChecks, RReplaceReplacesNamesFollowedByADelimiter) {
    host::Arena a;
    auto rReplace = [&](const std::string& text, const std::string& find, const std::string& by) {
        return Take(a, Cpp_RReplace(a.Str(text), a.Str(find), a.Str(by)));
    };
    EXPECT_EQ(rReplace("f(beta, alpha)", "ta", "ta=1"), "f(beta=1, alpha)");
    EXPECT_EQ(rReplace("f(alphabet, alpha)", "alpha", "alpha=0.05"), "f(alphabet, alpha=0.05)");
    EXPECT_EQ(rReplace("myalpha, alpha)", "alpha", "A"), "myA, A)");
    // After a longer name everything up to the next delimiter stays.
    EXPECT_EQ(rReplace("alphaalpha x alpha", "alpha", "A"), "alphaalpha x A");
    EXPECT_EQ(rReplace("a+a-a*a/a;a]a a", "a", "b"), "b+b-b*b/b;b]b b");
    EXPECT_EQ(rReplace("alpha", "alpha", "A"), "A");
    EXPECT_EQ(rReplace("", "", "A"), "A");
    EXPECT_EQ(rReplace("abc", "", "A"), "abc");
    EXPECT_EQ(rReplace("abc", "x", "A"), "abc");

    for (const char* delimiter : {"", " ", ")", "]", ",", ";", "+", "-", "*", "/"}) {
        EXPECT_EQ(Cpp_IsOkAfter(a.Str(delimiter)), -1) << delimiter;
    }
    for (const char* other : {"a", "(", "=", ".", "_", "  "}) EXPECT_EQ(Cpp_IsOkAfter(a.Str(other)), 0) << other;
}

TEST(RCodeChecks, AssignmentsComparisonsAndTheSystemGuard) {
    host::Arena a;
    auto checks = [&](const std::string& code) { return Take(a, Cpp_CodeChecks(a.Str(code))); };
    EXPECT_EQ(checks("alpha=0.05"), "alpha<-0.05");
    EXPECT_EQ(checks("res <- pca(x, ncomp=3)"), "res <- pca(x, ncomp=3)");
    EXPECT_EQ(checks("a = 1; b = f(c = 2); d = 3"), "a <- 1; b <- f(c = 2); d <- 3");
    EXPECT_EQ(checks("if (x = 1) y = 2"), "if (x = 1) y = 2");
    for (const char* comparison : {"a = b == c", "x <= 3", "x >= 3", "x != 3"}) {
        EXPECT_EQ(checks(comparison), comparison);
    }
    EXPECT_EQ(checks("path = filesystem"), "path <- filesystem");
    for (const char* refused : {"system('ls')", "x <- SYSTEM(1)", "Sys.system", "x <- mysystem(1)", "filesystem;",
                                "a = 1; system2('x')"}) {
        EXPECT_EQ(checks(refused), "") << refused;
    }
    EXPECT_EQ(checks(""), "");
}

// Option rows of a dialog, filled as the add-in fills them.
struct OptionFixture {
    OptionFixture() : dialog(arena, 16) {}
    ST_aiR& air() { return *dialog.air; }

    // Cpp_GetRCodeForOption on row i with the given counters; the row, the
    // counters and the text after the call.
    struct Result {
        std::string text;
        int row;
        int inputs;
        int combos;
    };
    Result Option(int i, int inputs = 0, int combos = 0) {
        int32_t row = i;
        int32_t inputCounter = inputs;
        int32_t comboCounter = combos;
        std::string text = Take(arena, Cpp_GetRCodeForOption(dialog.air, &row, &inputCounter, &comboCounter));
        return {text, row, inputCounter, comboCounter};
    }
    std::string Value(const std::string& kind, const std::string& value, int list, int input, int combo) {
        return Take(arena, Cpp_GetValueForCtlType(dialog.air, 0, arena.Str(kind), arena.Str(value), list, input, combo));
    }

    host::Arena arena;
    host::Dialog dialog;
};

TEST(OptionCode, ValuesAreWrittenAsRReadsThem) {
    OptionFixture f;
    AddInputBox(f.arena, f.air(), "double");
    AddInputBox(f.arena, f.air(), "text");
    AddInputBox(f.arena, f.air(), "string");
    AddInputBox(f.arena, f.air(), "integerlist");
    AddComboBox(f.arena, f.air(), 1, "ward,average,single");
    AddComboBox(f.arena, f.air(), 0, "a'b,c");

    // Typed text goes in as a string literal, numbers and integer lists only
    // as such (anything else is NA).
    EXPECT_EQ(f.Value("Input", "1,5", 0, 1, 0), "1.5");
    EXPECT_EQ(f.Value("Input", " -2.5e-3 ", 0, 1, 0), "-2.5e-3");
    EXPECT_EQ(f.Value("Input", "1.234,5", 0, 1, 0), "NA");
    EXPECT_EQ(f.Value("Input", "1);x(", 0, 1, 0), "NA");
    EXPECT_EQ(f.Value("Input", "", 0, 2, 0), "''");
    EXPECT_EQ(f.Value("Input", "it's", 0, 2, 0), "'it\\'s'");
    EXPECT_EQ(f.Value("Input", "a\\b", 0, 3, 0), "'a\\\\b'");
    EXPECT_EQ(f.Value("Input", std::string("l1\nl2\r\t\x01\x7f\xc2\x85\0z", 13), 0, 3, 0),
              "'l1\\nl2\\r\\t\\u0001\\u007f\\u0085z'");
    EXPECT_EQ(f.Value("Input", "\x01\xc3\xa9", 0, 3, 0), "'\\x01\xc3\xa9'");
    EXPECT_EQ(f.Value("Input", "1,2;3 5:7", 0, 4, 0), "c(1, 2, 3, 5:7)");
    EXPECT_EQ(f.Value("Input", "-2:3", 0, 4, 0), "c(-2:3)");
    EXPECT_EQ(f.Value("Input", "", 0, 4, 0), "c()");
    EXPECT_EQ(f.Value("Input", "1);file.create('X');c(2", 0, 4, 0), "NA");
    EXPECT_EQ(f.Value("CheckBox", "true", 0, 0, 0), "TRUE");
    EXPECT_EQ(f.Value("CheckBox", "Yes", 0, 0, 0), "NA");
    EXPECT_EQ(f.Value("RadioButton", "both", 0, 0, 0), "BOTH");
    EXPECT_EQ(f.Value("ComboBox", "", 1, 0, 1), "'average'");
    EXPECT_EQ(f.Value("ComboBox", "", 0, 0, 2), "'a\\'b'");
    // No selection: the spare -1 gives item 0, which is empty.
    EXPECT_EQ(f.Value("ComboBox", "", -1, 0, 1), "''");
    EXPECT_EQ(f.Value("Label", "x", 0, 0, 0), "");

    // Kind and value of a row, the counter of its kind advanced.
    AddOption(f.arena, f.air(), host::OptionRow("ComboBox", "method", "Average"));
    BSTR* kind = f.arena.Var("old");
    BSTR* value = f.arena.Var("old");
    int32_t list = 7;
    int32_t inputs = 0;
    int32_t combos = 0;
    Cpp_GetTypeValListindex(f.dialog.air, 1, kind, value, &list, &inputs, &combos);
    EXPECT_EQ(host::Text(*kind), "ComboBox");
    EXPECT_EQ(host::Text(*value), "Average");
    EXPECT_EQ(list, 1);
    EXPECT_EQ(inputs, 0);
    EXPECT_EQ(combos, 1);
}

TEST(OptionCode, GroupsAdvanceTheRowAndBothCounters) {
    OptionFixture f;
    auto& a = f.arena;
    AddOption(a, f.air(), host::OptionRow("Input", "w,c", "0,5"));
    AddInputBox(a, f.air(), "double");
    AddOption(a, f.air(), host::OptionRow("ComboBox", "w,c", "").Inactive());
    AddComboBox(a, f.air(), 0, "x,y");
    AddOption(a, f.air(), host::OptionRow("Input", "w,c", "1,5"));
    AddInputBox(a, f.air(), "double");
    AddOption(a, f.air(), host::OptionRow("RadioButton", "w,c", "up"));
    AddOption(a, f.air(), host::OptionRow("Input", "v,c", "7"));
    AddInputBox(a, f.air(), "integer");
    AddOption(a, f.air(), host::OptionRow("RadioButton", "side", "up"));
    AddOption(a, f.air(), host::OptionRow("CheckBox", "fast,list", "true"));

    // The opening value and the members are converted as their kinds say, a
    // radio button member in capitals; 'v,c' ends the vector and is left.
    OptionFixture::Result vector = f.Option(1);
    EXPECT_EQ(vector.text, "w=c(0.5, 1.5, UP)");
    EXPECT_EQ(vector.row, 4);
    EXPECT_EQ(vector.inputs, 2);
    EXPECT_EQ(vector.combos, 1);
    EXPECT_EQ(host::Entries<short>(f.dialog.air->optionDone), (std::vector<short>{0, 0, -1, -1, 0, 0, 0}));

    // A vector of one value; a radio button alone keeps its case.
    EXPECT_EQ(f.Option(5, 2, 1).text, "v=c(7)");
    EXPECT_EQ(f.Option(6).text, "side=up");
    // A group that opens on the last row gives nothing.
    OptionFixture::Result last = f.Option(7);
    EXPECT_EQ(last.text, "");
    EXPECT_EQ(last.row, 7);

    // A null counter or row is tolerated.
    EXPECT_EQ(Take(a, Cpp_GetRCodeForOption(f.dialog.air, nullptr, nullptr, nullptr)), "=");
    EXPECT_EQ(Take(a, Cpp_GetRCodeForOption(nullptr, nullptr, nullptr, nullptr)), "");
}

host::DataSetBuilder FieldData() {
    return host::DataSetBuilder()
        .Quanti1({{"Yield", {1, 2}}, {"Sales Amount", {3, 4}}})
        .Quanti2({{"Rain", {1, 1}}, {"Temp mean", {3, 4}}})
        .Quali1({{"Soil", {"a", "b"}}, {"Crop type", {"c", "d"}}})
        .Quali2({{"Site", {"s", "t"}}});
}

TEST(ModelEquation, ResponseAndTermsFromTheDataSets) {
    host::Arena a;
    host::Dialog dialog(a, 4);
    dialog.air->dataStructure = a.Str("model");
    AddDataSelection(a, *dialog.air, {"y", "1", 0});
    auto sets = host::DataSetArrayBuilder().Add("Data1", FieldData()).Build(a);
    auto equation = [&](int column) { return Take(a, Cpp_GetModelEquation(dialog.air, sets, column)); };

    EXPECT_EQ(equation(0), "y ~ +Rain+Temp.mean+Soil+Crop.type");
    dialog.air->dataStructure = a.Str("model.random");
    EXPECT_EQ(equation(0), "y ~ +Rain+Temp.mean+( 1 | Soil )+( 1 | Crop.type )");

    // Qualitative response, once per column: the second quali1 column.
    dialog.air->refDataType.count = 0;
    dialog.air->refOneByOne.count = 0;
    dialog.air->refRName.count = 0;
    AddDataSelection(a, *dialog.air, {"y", "3,0", -1});
    EXPECT_EQ(equation(2), "Crop.type ~ +Rain+Temp.mean+( 1 | Site )");

    // A type that is neither 1 nor 3: no terms.
    dialog.air->refDataType.count = 0;
    a.Append(dialog.air->refDataType, "2");
    EXPECT_EQ(equation(2), " ~ ");

    // Without data sets the response from a column and the terms are empty.
    dialog.air->refDataType.count = 0;
    a.Append(dialog.air->refDataType, "1");
    EXPECT_EQ(Take(a, Cpp_GetModelEquation(dialog.air, nullptr, 1)), " ~ ");
}

TEST(ModelEquation, TermsComeFromDataSetTwoWhenDataSetOneHasNone) {
    host::Arena a;
    host::Dialog dialog(a, 4);
    AddDataSelection(a, *dialog.air, {"y", "1", 0});
    auto responsesOnly = host::DataSetBuilder().Quanti1({{"Yield", {1, 2}}}).Quali1({{"Soil", {"a", "b"}}});
    auto sets = host::DataSetArrayBuilder()
                    .Add("Data1", responsesOnly)
                    .Add("Data2", host::DataSetBuilder().Quanti2({{"Rain", {1, 2}}}).Quali1({{"Plot", {"p", "q"}}}))
                    .Build(a);
    EXPECT_EQ(Take(a, Cpp_GetModelEquation(dialog.air, sets, 0)), "y ~ +Rain+Plot");

    auto alone = host::DataSetArrayBuilder().Add("Data1", responsesOnly).Build(a);
    EXPECT_EQ(Take(a, Cpp_GetModelEquation(dialog.air, alone, 0)), "y ~ ");

    // The terms as the add-in asks for them, from a buffer of names.
    BSTR* formula = a.Var("y ~ ");
    Cpp_LoadClabelsRfunc(2, a.Str("+"), a.Buffer({"Rain", "Temp mean"}), 0, formula);
    EXPECT_EQ(host::Text(*formula), "y ~ +Rain+Temp.mean");
    Cpp_LoadClabelsRfunc(1, a.Str("+"), a.Buffer({"Site A"}), -1, formula);
    EXPECT_EQ(host::Text(*formula), "y ~ +Rain+Temp.mean+( 1 | Site.A )");
    Cpp_LoadClabelsRfunc(-3, a.Str("+"), nullptr, 0, formula);
    EXPECT_EQ(host::Text(*formula), "y ~ +Rain+Temp.mean+( 1 | Site.A )");
}

TEST(DataPlaceholders, VariablesOfEachKindAndMalformedText) {
    host::Arena a;
    auto extra = host::DataSetBuilder()
                     .TextBlock({{"Comment text", {"x"}}})
                     .DataQuanti({{{"Rain", {1}}, {"Wind", {2}}}, {{"Other", {3}}}})
                     .DataQuali({{{"Site", {"s"}}}});
    auto sets = host::DataSetArrayBuilder()
                    .Add("Data1", extra)
                    .Add("Data2", host::DataSetBuilder().Quanti1({{"y", {1}}}))
                    .Build(a);
    auto var = [&](int set, int kind) { return Take(a, Cpp_GetVarFromSetID(sets, set, kind)); };
    EXPECT_EQ(var(1, 7), "Comment.text");
    EXPECT_EQ(var(1, 9), "Rain");
    EXPECT_EQ(var(1, 10), "Site");
    EXPECT_EQ(var(1, 4), "");
    EXPECT_EQ(var(2, 9), "");
    EXPECT_EQ(var(3, 9), "");
    EXPECT_EQ(var(0, 7), "");

    BSTR* code = a.Var(
        "d <- data[, xltype(1,9)]; e <- xltype(1,9) + xltype(1,10); n <- xltype(1,7); z <- xltype(1,4)"
        "; m <- xltype(1,9; q <- xltype (1,9); r <- xltypes; s <- xltype(01,9)");
    Cpp_ReplaceCodeByData(code, sets);
    EXPECT_EQ(host::Text(*code),
              "d <- data[, Rain]; e <- Rain + Site; n <- Comment.text; z <- "
              "; m <- xltype(1,9; q <- xltype (1,9); r <- xltypes; s <- xltype(01,9)");

    // Without data sets every placeholder is removed.
    BSTR* alone = a.Var("f(xltype(1,9))");
    Cpp_ReplaceCodeByData(alone, nullptr);
    EXPECT_EQ(host::Text(*alone), "f()");
}

}  // namespace
