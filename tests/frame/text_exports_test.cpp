// The string primitives as the add-in calls them: host strings in, new host
// strings out, positions 1-based and clipped.
#include <gtest/gtest.h>

#include <string>

#include "host.h"

namespace {

// Calls an export returning a host string and gives its text, freeing it.
std::string Take(BSTR s) {
    std::string text = host::Text(s);
    SysFreeString(s);
    return text;
}

TEST(TextExports, LengthAndCodesCountHostCodeUnits) {
    host::Strings s;
    const char16_t withNul[] = {u'a', 0, u'b'};
    BSTR embedded = s.Adopt(SysAllocStringLen(withNul, 3));
    EXPECT_EQ(Cpp_Len(s("abc")), 3);
    EXPECT_EQ(Cpp_Len(embedded), 3);
    EXPECT_EQ(Cpp_Len(s("")), 0);
    EXPECT_EQ(Cpp_Len(nullptr), 0);

    EXPECT_EQ(Cpp_Asc(s("A")), 65);
    EXPECT_EQ(Cpp_Asc(s("")), 0);
    EXPECT_EQ(Cpp_Asc(nullptr), 0);
    EXPECT_EQ(Cpp_Asc(s("\xC3\xA9")), 0xE9);  // codes are unsigned
    EXPECT_EQ(Cpp_Asc(s("\xEF\xBF\xBF")), 0xFFFF);
}

TEST(TextExports, InStrSearchesFromAOneBasedStart) {
    host::Strings s;
    BSTR abcabc = s("abcabc");
    EXPECT_EQ(Cpp_InStr(1, abcabc, s("c")), 3);
    EXPECT_EQ(Cpp_InStr(4, abcabc, s("c")), 6);
    EXPECT_EQ(Cpp_InStr(7, abcabc, s("c")), 0);
    EXPECT_EQ(Cpp_InStr(1, abcabc, s("x")), 0);
    EXPECT_EQ(Cpp_InStr(0, s("abc"), s("a")), 0);
    EXPECT_EQ(Cpp_InStr(8, s("abc"), s("a")), 0);
    EXPECT_EQ(Cpp_InStr(INT32_MIN, abcabc, s("a")), 0);
    // An empty sought string is found wherever the search may start.
    EXPECT_EQ(Cpp_InStr(2, s("abc"), s("")), 2);
    EXPECT_EQ(Cpp_InStr(4, s("abc"), nullptr), 4);
    EXPECT_EQ(Cpp_InStr(5, s("abc"), s("")), 0);
}

TEST(TextExports, LeftAndMidClipInsteadOfFailing) {
    host::Strings s;
    BSTR abc = s("abc");
    EXPECT_EQ(Take(Cpp_Left(abc, 2)), "ab");
    EXPECT_EQ(Take(Cpp_Left(abc, 0)), "");
    EXPECT_EQ(Take(Cpp_Left(abc, 99)), "abc");
    EXPECT_EQ(Take(Cpp_Left(abc, -1)), "abc");
    EXPECT_EQ(Take(Cpp_Left(nullptr, 3)), "");

    BSTR abcdef = s("abcdef");
    EXPECT_EQ(Take(Cpp_Mid(abcdef, 2, 3)), "bcd");
    EXPECT_EQ(Take(Cpp_Mid(abcdef, 4, -1)), "def");
    EXPECT_EQ(Take(Cpp_Mid(abcdef, 4, -7)), "def");
    EXPECT_EQ(Take(Cpp_Mid(abcdef, 5, 99)), "ef");
    EXPECT_EQ(Take(Cpp_Mid(abc, 4, 2)), "");
    // Starts outside 1 .. Len + 1 give the empty string.
    EXPECT_EQ(Take(Cpp_Mid(abc, 0, 2)), "");
    EXPECT_EQ(Take(Cpp_Mid(abc, -5, -1)), "");
    EXPECT_EQ(Take(Cpp_Mid(abc, 5, 1)), "");
    EXPECT_EQ(Take(Cpp_Mid(abc, INT32_MAX, INT32_MAX)), "");
    EXPECT_EQ(Take(Cpp_Mid(abc, INT32_MIN, 1)), "");
}

TEST(TextExports, ResultsAreNewHostStringsEvenWhenEmpty) {
    host::Strings s;
    BSTR empty = Cpp_LCase(nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    EXPECT_EQ(empty[0], 0);
    SysFreeString(empty);

    BSTR input = s("Same");
    BSTR copy = Cpp_Left(input, -1);
    EXPECT_NE(copy, input);
    EXPECT_EQ(SysStringLen(copy), 4u);
    EXPECT_EQ(copy[4], 0);
    EXPECT_EQ(Take(copy), "Same");
}

TEST(TextExports, CaseMappingChangesSingleByteLettersOnly) {
    host::Strings s;
    EXPECT_EQ(Take(Cpp_LCase(s("MiXeD 42!"))), "mixed 42!");
    EXPECT_EQ(Take(Cpp_UCase(s("MiXeD 42!"))), "MIXED 42!");
    EXPECT_EQ(Take(Cpp_UCase(s("\xCE\xA9\xCF\x89"))), "\xCE\xA9\xCF\x89");  // Greek omegas stay
}

TEST(TextExports, ReplaceRestartsAfterEveryReplacement) {
    host::Strings s;
    auto replace = [&](const char* text, const char* find, const char* by, int start, int count) {
        return Take(Cpp_Replace(s(text), s(find), s(by), start, count));
    };
    EXPECT_EQ(replace("x-y-z", "-", "+", 1, 0), "x+y+z");
    EXPECT_EQ(replace("x-y-z", "-", "+", 1, 1), "x+y-z");
    EXPECT_EQ(replace("x-y-z", "-", "+", 1, -1), "x-y-z");
    EXPECT_EQ(replace("abcd", "b", "", 2, 0), "cd");
    // The start drops characters; outside 1 .. Len + 1 it drops them all.
    EXPECT_EQ(replace("abcabc", "a", "A", 3, 0), "cAbc");
    EXPECT_EQ(replace("abc", "a", "A", 4, 0), "");
    EXPECT_EQ(replace("abc", "a", "A", 0, 0), "");
    EXPECT_EQ(replace("abc", "a", "A", -3, 0), "");
    EXPECT_EQ(replace("abc", "a", "A", 9, 0), "");
    EXPECT_EQ(Take(Cpp_Replace(nullptr, s("a"), s("b"), 1, 0)), "");
}

TEST(TextExports, ReplaceCollapsesLongRunsInLinearTime) {
    host::Strings s;
    const std::string spaces(1 << 20, ' ');
    EXPECT_EQ(Take(Cpp_Replace(s("[" + spaces + "]"), s("  "), s(" "), 1, 0)), "[ ]");
    const std::string pairs = std::string(1 << 19, '(') + std::string(1 << 19, ')');
    EXPECT_EQ(Take(Cpp_Replace(s(pairs), s("()"), s(""), 1, 0)), "");
}

TEST(TextExports, JoinReadsNElementsNullsAsEmpty) {
    host::Strings s;
    host::StringBuffer abc{"a", "b", "c"};
    BSTR comma = s(", ");
    EXPECT_EQ(Take(Cpp_Join(abc.data(), 3, comma)), "a, b, c");
    EXPECT_EQ(Take(Cpp_Join(abc.data(), 2, comma)), "a, b");
    EXPECT_EQ(Take(Cpp_Join(abc.data(), 1, comma)), "a");
    EXPECT_EQ(Take(Cpp_Join(abc.data(), 0, comma)), "");
    EXPECT_EQ(Take(Cpp_Join(abc.data(), -4, comma)), "");
    EXPECT_EQ(Take(Cpp_Join(nullptr, 3, comma)), "");
    EXPECT_EQ(Take(Cpp_Join(abc.data(), 3, nullptr)), "abc");

    host::StringBuffer gaps{nullptr, "x", nullptr};
    EXPECT_EQ(Take(Cpp_Join(gaps.data(), 3, s(";"))), ";x;");
    EXPECT_FALSE(abc.Replaced(0) || gaps.Replaced(1));
}

}  // namespace
