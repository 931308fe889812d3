// The smaller exports of the R code generation, called as the add-in's macro
// code calls them: name replacement, code checks and the R text of option
// values (the whole assembly is checked in rcode_assembly_test).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_rows.h"
#include "arena_records.h"

namespace {

using host::AddComboBox;
using host::AddInputBox;

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
    // "system" ending a longer word: the letters at either end of a to z.
    for (const std::string word : {"filesystem", "asystem", "zsystem"}) {
        EXPECT_EQ(checks("p=" + word), "p<-" + word);
    }
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

// Terms come from data set two when data set one has none.
TEST(ModelEquation, TermsComeFromDataSetTwoWhenDataSetOneHasNone) {
    host::Arena a;
    host::Dialog dialog(a, 4);
    host::AddDataSelection(a, *dialog.air, {"y", "1", 0});
    auto responsesOnly = host::DataSetBuilder().Quanti1({{"Yield", {1, 2}}}).Quali1({{"Soil", {"a", "b"}}});
    auto sets = host::DataSetArrayBuilder()
                    .Add("Data1", responsesOnly)
                    .Add("Data2", host::DataSetBuilder().Quanti2({{"Rain", {1, 2}}}).Quali1({{"Plot", {"p", "q"}}}))
                    .Build(a);
    EXPECT_EQ(Take(a, Cpp_GetModelEquation(dialog.air, sets, 0)), "y ~ +Rain+Plot");
}

}  // namespace
