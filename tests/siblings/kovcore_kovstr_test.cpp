// kovcore's conversions between host strings and wide strings, and the
// kovstr helpers the bridge relies on.
#include <gtest/gtest.h>

#include <string>

#include "kovcore.h"
#include "kovstr.h"
#include "oleauto.h"

namespace {

TEST(Kovcore, HostStringsRoundTripIncludingEmbeddedNuls) {
    const char16_t units[] = {u'a', 0, u'\u00e9', u'\uffff'};
    BSTR host = SysAllocStringLen(units, 4);
    const std::wstring text = convertBSTRtoWstring(&host);
    EXPECT_EQ(text, (std::wstring{L'a', L'\0', L'\u00e9', L'\uffff'}));
    BSTR back = convertWstringToBSTR(&text);
    ASSERT_EQ(SysStringLen(back), 4u);
    EXPECT_EQ(std::u16string(back, 4), std::u16string(units, 4));
    EXPECT_EQ(back[4], 0);
    SysFreeString(back);
    SysFreeString(host);

    BSTR null = nullptr;
    EXPECT_EQ(convertBSTRtoWstring(&null), L"");
    EXPECT_EQ(convertBSTRtoWstring(nullptr), L"");
}

TEST(Kovcore, NulTerminatedConversions) {
    BSTR made = SysAllocString2(L"caf\u00e9");
    ASSERT_EQ(SysStringLen(made), 4u);
    EXPECT_EQ(made[3], u'\u00e9');
    EXPECT_EQ(std::wstring(CW162W32(made)), L"caf\u00e9");
    SysFreeString(made);
    EXPECT_EQ(std::wstring(CW162W32(nullptr)), L"");
    BSTR empty = SysAllocString2(nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

TEST(Kovcore, WholeNumbersAsPlainDigits) {
    EXPECT_EQ(to_wstring(2), L"2");
    EXPECT_EQ(to_wstring(15), L"15");
    EXPECT_EQ(to_wstring(-3), L"-3");
    EXPECT_EQ(to_wstring(1e15L), L"1000000000000000");
    EXPECT_EQ(to_wstring(-0.0L), L"0");
}

TEST(Kovstr, HelpersTheBridgeCalls) {
    EXPECT_EQ(Min(2.0, -1.0), -1.0);
    EXPECT_EQ(Min(-1.0, 5.0), -1.0);

    std::wstring result;
    StrLTrim(result, L"   # note ");
    EXPECT_EQ(result, L"# note ");
    StrLeft(result, L"abc", 2);
    EXPECT_EQ(result, L"ab");
    StrLeft(result, L"", -1);
    EXPECT_EQ(result, L"");
    StrLeft(result, L"abc", -1);
    EXPECT_EQ(result, L"abc");

    EXPECT_EQ(Replace(std::wstring(L"C:\\R\\lib"), L"\\", L"/"), L"C:/R/lib");
    EXPECT_EQ(Replace(std::wstring(L"plot(XXXX)"), std::wstring(L"XXXX"), std::wstring(L"x, y")), L"plot(x, y)");
    EXPECT_EQ(Replace(std::wstring(L"aaa"), std::wstring(L"a"), std::wstring(L"aa")), L"aaaaaa");

    EXPECT_EQ(cChrCount(L"a,b,,c", L","), 3);
    EXPECT_EQ(cChrCount(L"abc", L""), 0);

    cStrBetweenChrAndChr(result, L"x|12|y|", L"|", L"|");
    EXPECT_EQ(result, L"12");
    cStrBetweenChrAndChr(result, L"f(a,b)", L"(", L",");
    EXPECT_EQ(result, L"a");
    cStrBetweenChrAndChr(result, L"f(a,b)", L",", L")");
    EXPECT_EQ(result, L"b");
    cStrBetweenChrAndChr(result, L"no pair|", L"|", L"|");
    EXPECT_EQ(result, L"");

    PStrP(result, L"lm");
    EXPECT_EQ(result, L" (lm)");
}

}  // namespace
