// Bad host strings and buffers through the string, list and record exports:
// null host strings, strings of a million characters, every 16-bit code unit
// (NUL and unpaired surrogates included), null buffers behind counts,
// negative and huge counts, and paths whose characters do not fit in a byte.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <climits>
#include <string>
#include <vector>

#include "arena_records.h"
#include "kovrbridge.h"
#include "sandbox.h"

namespace {

using reliability::ReadFile;
using reliability::Sandbox;

constexpr int16_t kTrue = -1;
constexpr size_t kMegabyte = 1000000;

// Host strings made from UTF-16 text and results taken back; all freed with
// the pool.
class Pool {
public:
    ~Pool() {
        for (BSTR s : held_) SysFreeString(s);
    }
    BSTR operator()(const std::u16string& text) {
        return Keep(SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size())));
    }
    // A result of the library: must be a host string.
    std::u16string Take(BSTR s) {
        EXPECT_NE(s, nullptr);
        Keep(s);
        return s == nullptr ? std::u16string() : std::u16string(s, SysStringLen(s));
    }
    BSTR Keep(BSTR s) {
        if (s != nullptr) held_.push_back(s);
        return s;
    }

private:
    std::vector<BSTR> held_;
};

std::u16string Repeat(const std::u16string& text, size_t n) {
    std::u16string out;
    out.reserve(text.size() * n);
    for (size_t k = 0; k < n; ++k) out += text;
    return out;
}

TEST(BadStrings, NullHostStringsAreEmptyStrings) {
    Pool pool;
    EXPECT_EQ(Cpp_Len(nullptr), 0);
    EXPECT_EQ(Cpp_Asc(nullptr), 0);
    EXPECT_EQ(Cpp_InStr(1, nullptr, nullptr), 1);
    EXPECT_EQ(pool.Take(Cpp_Left(nullptr, 3)), u"");
    EXPECT_EQ(pool.Take(Cpp_LCase(nullptr)), u"");
    EXPECT_EQ(pool.Take(Cpp_UCase(nullptr)), u"");
    EXPECT_EQ(pool.Take(Cpp_Mid(nullptr, 1, 2)), u"");
    EXPECT_EQ(pool.Take(Cpp_Replace(nullptr, nullptr, nullptr, 1, 0)), u"");
    EXPECT_EQ(pool.Take(Cpp_Join(nullptr, 3, nullptr)), u"");
    BSTR nulls[3] = {nullptr, nullptr, nullptr};
    EXPECT_EQ(pool.Take(Cpp_Join(nulls, 3, pool(u","))), u",,");
    EXPECT_EQ(Cpp_FindStrInVect(nullptr, 3, nulls), -1);
    EXPECT_EQ(Cpp_GetUniqueID(nullptr, nullptr), Cpp_GetUniqueID(pool(u""), pool(u"")));
    pool.Take(Cpp_ReplaceSpecialSymbols(nullptr));
    Cpp_GetDataType(nullptr);
    EXPECT_EQ(Cpp_IsOkAfter(nullptr), -1);
    EXPECT_EQ(pool.Take(Cpp_RReplace(nullptr, nullptr, nullptr)), u"");
    EXPECT_EQ(pool.Take(Cpp_CodeChecks(nullptr)), u"");
    EXPECT_EQ(pool.Take(Cpp_ExtractFromList(1, nullptr)), u"");
    EXPECT_EQ(pool.Take(Cpp_GetNextBeforeComma(nullptr, nullptr, kTrue)), u"");
    BSTR list = nullptr;
    EXPECT_EQ(pool.Take(Cpp_GetNextBeforeComma(&list, nullptr, kTrue)), u"");
    EXPECT_EQ(pool.Take(list), u"");

    BSTR out[3] = {nullptr, nullptr, nullptr};
    Cpp_GetVectFromCommaList(nullptr, 3, nullptr, out);
    for (BSTR s : out) EXPECT_EQ(pool.Take(s), u"");
    double numbers[2] = {7, 7};
    Cpp_GetVectFromCommaListDbl(nullptr, 2, 0, nullptr, nullptr, numbers);
    EXPECT_EQ(numbers[0], -1.79769313486231E+308);
    EXPECT_EQ(numbers[1], -1.79769313486231E+308);
    int32_t integers[2] = {7, 7};
    BSTR header = nullptr;
    Cpp_GetVectFromCommaListLng(nullptr, 2, kTrue, nullptr, &header, integers);
    EXPECT_EQ(pool.Take(header), u"");
    EXPECT_EQ(integers[0], INT_MIN);
    EXPECT_EQ(integers[1], 7);
    // Empty names are named as R names empty headers.
    BSTR formula = nullptr;
    Cpp_LoadClabelsRfunc(2, nullptr, nulls, 0, &formula);
    EXPECT_EQ(pool.Take(formula), u"XX.1");
}

TEST(BadStrings, NullBuffersAndNegativeOrHugeCounts) {
    Pool pool;
    BSTR items[2] = {pool(u"a"), pool(u"b")};
    for (int32_t n : {INT_MIN, -1, 0}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(pool.Take(Cpp_Join(items, n, pool(u","))), u"");
        EXPECT_EQ(Cpp_FindStrInVect(pool(u"a"), n, items), 0);
        Cpp_GetVectFromCommaList(pool(u"x,y"), n, pool(u","), items);
        EXPECT_EQ(std::u16string(items[0]), u"a");
        double numbers[1] = {7};
        Cpp_GetVectFromCommaListDbl(pool(u"1,2"), n, 0, pool(u","), nullptr, numbers);
        EXPECT_EQ(numbers[0], 7);
        int32_t integers[1] = {7};
        Cpp_GetVectFromCommaListLng(pool(u"1,2"), n, 0, pool(u","), nullptr, integers);
        EXPECT_EQ(integers[0], 7);
        BSTR formula = pool(u"y ~ ");
        Cpp_LoadClabelsRfunc(n, pool(u"+"), items, 0, &formula);
        EXPECT_EQ(pool.Take(formula), u"y ~ ");
    }
    // A null buffer holds nothing, whatever count comes with it.
    for (int32_t n : {3, INT_MAX}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(pool.Take(Cpp_Join(nullptr, n, pool(u","))), u"");
        EXPECT_EQ(Cpp_FindStrInVect(pool(u"a"), n, nullptr), 0);
        Cpp_GetVectFromCommaList(pool(u"x,y"), n, pool(u","), nullptr);
        BSTR header = pool(u"h");
        Cpp_GetVectFromCommaListDbl(pool(u"w,1,2"), n, kTrue, pool(u","), &header, nullptr);
        EXPECT_EQ(pool.Take(header), u"w");
        Cpp_GetVectFromCommaListLng(pool(u"w,1,2"), n, 0, pool(u","), nullptr, nullptr);
        BSTR formula = pool(u"y ~ ");
        Cpp_LoadClabelsRfunc(n, pool(u"+"), nullptr, 0, &formula);
        EXPECT_EQ(pool.Take(formula), u"y ~ ");
    }
    EXPECT_EQ(pool.Take(Cpp_ExtractFromList(INT_MIN, pool(u"a,b"))), u"");
    EXPECT_EQ(pool.Take(Cpp_ExtractFromList(INT_MAX, pool(u"a,b"))), u"");
    EXPECT_EQ(pool.Take(Cpp_Mid(pool(u"abc"), INT_MIN, INT_MIN)), u"");
    EXPECT_EQ(pool.Take(Cpp_Mid(pool(u"abc"), 2, INT_MAX)), u"bc");
    EXPECT_EQ(pool.Take(Cpp_Left(pool(u"abc"), INT_MIN)), u"abc");
    EXPECT_EQ(Cpp_InStr(INT_MIN, pool(u"abc"), pool(u"b")), 0);
    EXPECT_EQ(Cpp_InStr(INT_MAX, pool(u"abc"), pool(u"")), 0);
    EXPECT_EQ(pool.Take(Cpp_Replace(pool(u"abab"), pool(u"a"), pool(u"x"), INT_MIN, INT_MAX)), u"");
    EXPECT_EQ(pool.Take(Cpp_Replace(pool(u"abab"), pool(u"a"), pool(u"x"), 1, INT_MAX)), u"xbxb");
    EXPECT_EQ(pool.Take(Cpp_Replace(pool(u"abab"), pool(u"a"), pool(u"x"), 1, INT_MIN)), u"abab");
}

TEST(BadStrings, MegabyteStringsAreHandledInLinearTime) {
    Pool pool;
    const auto started = std::chrono::steady_clock::now();
    const std::u16string as(kMegabyte, u'a');
    EXPECT_EQ(Cpp_Len(pool(as)), static_cast<int32_t>(kMegabyte));
    EXPECT_EQ(Cpp_InStr(1, pool(as + u"b"), pool(u"ab")), static_cast<int32_t>(kMegabyte));
    EXPECT_EQ(pool.Take(Cpp_Replace(pool(as), pool(u"aa"), pool(u"a"), 1, 0)), u"a");
    EXPECT_EQ(pool.Take(Cpp_Replace(pool(as), pool(u"a"), pool(u"ba"), 1, 0)), Repeat(u"ba", kMegabyte));
    EXPECT_EQ(pool.Take(Cpp_UCase(pool(as))), std::u16string(kMegabyte, u'A'));
    EXPECT_EQ(pool.Take(Cpp_Mid(pool(as), 500000, 3)), u"aaa");
    const std::u16string code = Repeat(u"alpha+", kMegabyte / 6);
    EXPECT_EQ(pool.Take(Cpp_RReplace(pool(code), pool(u"alpha"), pool(u"alpha=1"))).size(),
              code.size() + 2 * (kMegabyte / 6));
    EXPECT_EQ(pool.Take(Cpp_CodeChecks(pool(Repeat(u"a=1;", kMegabyte / 4)))), Repeat(u"a<-1;", kMegabyte / 4));
    const std::u16string list = Repeat(u"x,", kMegabyte / 2);
    EXPECT_EQ(pool.Take(Cpp_ExtractFromList(static_cast<int32_t>(kMegabyte / 2), pool(list))), u"x");
    BSTR out[3] = {nullptr, nullptr, nullptr};
    Cpp_GetVectFromCommaList(pool(list), 3, pool(u","), out);
    for (BSTR s : out) EXPECT_EQ(pool.Take(s), u"x");
    BSTR rest = pool(list);
    EXPECT_EQ(pool.Take(Cpp_GetNextBeforeComma(&rest, pool(u","), kTrue)), u"x");
    EXPECT_EQ(pool.Take(rest).size(), list.size() - 2);
    std::vector<BSTR> many(1000, pool(Repeat(u"k", 1000)));
    EXPECT_EQ(pool.Take(Cpp_Join(many.data(), 1000, pool(u","))).size(), 1000u * 1001 - 1);
    EXPECT_EQ(Cpp_FindStrInVect(pool(Repeat(u"k", 1000)), 1000, many.data()), -1);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    RecordProperty("seconds", std::to_string(seconds));
}

TEST(BadStrings, EveryCodeUnitPassesThrough) {
    Pool pool;
    std::u16string all;
    for (uint32_t c = 0; c <= 0xFFFF; ++c) all += static_cast<char16_t>(c);
    BSTR s = pool(all);
    EXPECT_EQ(Cpp_Len(s), 65536);
    EXPECT_EQ(pool.Take(Cpp_Left(s, 65536)), all);
    EXPECT_EQ(pool.Take(Cpp_Mid(s, 0xD801, 2)), (std::u16string{char16_t(0xD800), char16_t(0xD801)}));
    EXPECT_EQ(Cpp_InStr(1, s, pool(std::u16string(1, char16_t(0xDC00)))), 0xDC00 + 1);
    // Only A to Z change case (the library sets no locale); nothing else moves.
    std::u16string upper = all;
    for (char16_t c = u'a'; c <= u'z'; ++c) upper[c] = static_cast<char16_t>(c - u'a' + u'A');
    EXPECT_EQ(pool.Take(Cpp_UCase(s)), upper);
    EXPECT_EQ(pool.Take(Cpp_Replace(s, pool(std::u16string(1, u'\0')), pool(u"NUL"), 1, 1)), u"NUL" + all.substr(1));
    // "<=" (0x3C 0x3D) makes the statement after ";" a comparison.
    EXPECT_EQ(pool.Take(Cpp_CodeChecks(s)), all);
    // "+," (0x2B 0x2C) is followed by "-", a delimiter, but comes after the
    // double quote (0x22), inside quoted text: it stays.
    EXPECT_EQ(pool.Take(Cpp_RReplace(s, pool(u"+,"), pool(u"plus"))), all);
}

TEST(BadStrings, PathsAreUtf8AndStayInTheirFolders) {
    Sandbox sandbox;
    reliability::OutsideWatch outside;
    host::Arena arena;
    Pool pool;
    auto sets = host::DataSetArrayBuilder().Add("d", host::DataSetBuilder().Quanti1({{"x", {1}}})).Build(arena);
    ST_DataSet* set = &host::RecordAt<ST_DataSet>(sets->dataSets, 1);
    // Cut to their low bytes, "\u012E" and "\u012F" would be '.' and '/'
    // and climb out of the folder; a NUL would end the path early.
    const std::string workFolder = sandbox.work();
    const std::u16string work(workFolder.begin(), workFolder.end());
    const std::u16string names[] = {u"\u012E\u012E\u012F\u012Ex.csv", std::u16string(u"x.csv\0.txt", 10), u"caf\u00e9.csv",
                                    u"\U0001F600.csv"};
    host::MainFields fields;
    fields.workFolder = sandbox.work();
    auto main = host::Main(arena, fields);
    std::filesystem::create_directory(sandbox.work() + "datastore");
    for (const std::u16string& name : names) {
        Cpp_WriteDataSetToFile(main, nullptr, set, 0, 0, 0, pool(name), pool(u";"), kTrue, 0);
    }
    EXPECT_EQ(sandbox.Entries(), (std::vector<std::string>{"r", "work", "work/datastore",
                                                           "work/datastore/caf\xC3\xA9.csv",
                                                           "work/datastore/\xC4\xAE\xC4\xAE\xC4\xAF\xC4\xAEx.csv",
                                                           "work/datastore/\xF0\x9F\x98\x80.csv"}));
    EXPECT_EQ(ReadFile(sandbox.work() + "datastore/caf\xC3\xA9.csv"), "x\n1\n");
    EXPECT_EQ(outside.NewEntries(), std::vector<std::string>{});
}

}  // namespace
