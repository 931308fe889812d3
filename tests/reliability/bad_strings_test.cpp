// Strings of a million characters through the string, list and R code
// exports (each in linear time) and through a transfer: in an option value,
// a script line, the R code, a column name, a cell and the list separator.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "template_run.h"
#include "test_support.h"

namespace {

constexpr size_t kMegabyte = 1000000;

std::string Repeat(const std::string& text, size_t n) {
    std::string out;
    out.reserve(text.size() * n);
    for (size_t k = 0; k < n; ++k) out += text;
    return out;
}

using kovtest::Take;
using Strings = kovtest::HostStrings;

TEST(BadStrings, MegabyteStringsAreHandledInLinearTime) {
    Strings s;
    const auto started = std::chrono::steady_clock::now();
    const std::string as(kMegabyte, 'a');
    EXPECT_EQ(Cpp_Len(s(as)), static_cast<int32_t>(kMegabyte));
    EXPECT_EQ(Cpp_InStr(1, s(as + "b"), s("ab")), static_cast<int32_t>(kMegabyte));
    EXPECT_EQ(Take(Cpp_Replace(s(as), s("aa"), s("a"), 1, 0)), "a");
    EXPECT_EQ(Take(Cpp_Replace(s(as), s("a"), s("ba"), 1, 0)), Repeat("ba", kMegabyte));
    EXPECT_EQ(Take(Cpp_UCase(s(as))), std::string(kMegabyte, 'A'));
    EXPECT_EQ(Take(Cpp_Mid(s(as), 500000, 3)), "aaa");
    const std::string code = Repeat("alpha+", kMegabyte / 6);
    EXPECT_EQ(Take(Cpp_RReplace(s(code), s("alpha"), s("alpha=1"))).size(), code.size() + 2 * (kMegabyte / 6));
    EXPECT_EQ(Take(Cpp_CodeChecks(s(Repeat("a=1;", kMegabyte / 4)))), Repeat("a<-1;", kMegabyte / 4));
    const std::string list = Repeat("x,", kMegabyte / 2);
    EXPECT_EQ(Take(Cpp_ExtractFromList(static_cast<int32_t>(kMegabyte / 2), s(list))), "x");
    BSTR out[3] = {nullptr, nullptr, nullptr};
    Cpp_GetVectFromCommaList(s(list), 3, s(","), out);
    for (BSTR item : out) EXPECT_EQ(Take(item), "x");
    BSTR rest = s(list);  // replaced by the rest, a new host string
    EXPECT_EQ(Take(Cpp_GetNextBeforeComma(&rest, s(","), -1)), "x");
    EXPECT_EQ(Take(rest).size(), list.size() - 2);
    std::vector<BSTR> many(1000, s(std::string(1000, 'k')));
    EXPECT_EQ(Take(Cpp_Join(many.data(), 1000, s(","))).size(), 1000u * 1001 - 1);
    EXPECT_EQ(Cpp_FindStrInVect(s(std::string(1000, 'k')), 1000, many.data()), -1);
    RecordProperty("seconds",
                   std::to_string(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()));
}

TEST(BadStrings, MegabyteStringsInRecords) {
    kovtest::TempFolder folder;
    std::string line = "y &lt;- f(alpha)";
    for (int k = 0; k < 20000; ++k) line += "+xltype(1,9)";
    const std::string seven(kMegabyte, '7');
    const std::string longName(kMegabyte, 'n');
    kovr::DataSetData data;
    data.name = "d";
    data.quanti1 = {kovtest::Numbers(longName, {1, 2})};
    data.quali1 = {kovtest::Texts("t", {std::string(kMegabyte, 't'), "u"})};
    data.dataQuanti = {{kovtest::Numbers("e", {5, 6})}};
    data.rowCount = 2;
    kovtest::TemplateRun run(
        folder.Write("f.xml", "<RFunction function=\"f\" datastructure=\"data\"><Tab text=\"P\"><Input name=\"a\" "
                              "rname=\"alpha\" type=\"text\" default=\"" + seven + "\"/></Tab><RScript>"
                              "<ScriptLine replace=\"true\" code=\"" + line + "\"/></RScript></RFunction>"),
        {data});
    run.Set(offsetof(ST_Main_aiR, rCode), std::string(kMegabyte, 'x') + "!");
    const std::string separator(kMegabyte, ';');
    run.Transfer(folder.path() + "/", separator);
    std::string terms;
    for (int k = 0; k < 20000; ++k) terms += "+e";
    EXPECT_EQ(run.main.Get(offsetof(ST_Main_aiR, rCode)), "alpha<-'" + seven + "'\ny <- f(alpha='" + seven + "')" + terms + "\n");
    EXPECT_EQ(kovtest::ReadBytes(folder / "datastore/d.csv"),
              longName + separator + "t" + separator + "e\n" + "1" + separator + std::string(kMegabyte, 't') +
                  separator + "5\n" + "2" + separator + "u" + separator + "6\n");
}

}  // namespace
