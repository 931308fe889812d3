// Comma lists, identifiers and type words as the add-in calls them: in/out
// list and header variables, output buffers of strings, doubles and integers.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "host.h"

namespace {

using Texts = std::vector<std::string>;

std::string Take(BSTR s) {
    std::string text = host::Text(s);
    SysFreeString(s);
    return text;
}

using Variable = host::StringVariable;

bool IsMissingDouble(double value) { return std::bit_cast<uint64_t>(value) == 0xFFEFFFFFFFFFFFE2u; }

TEST(ListExports, NextBeforeCommaCutsTheCallersList) {
    host::Strings s;
    BSTR comma = s(",");
    {
        Variable list("a,b,c");
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), comma, -1)), "a");
        EXPECT_EQ(list.Text(), "b,c");
        EXPECT_TRUE(list.Replaced());
    }
    {
        // Without cut the variable still receives a new host string, same text.
        Variable list("a,b,c");
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), comma, 0)), "a");
        EXPECT_EQ(list.Text(), "a,b,c");
        EXPECT_TRUE(list.Replaced());
    }
    {
        Variable list("a,");
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), comma, -1)), "a");
        EXPECT_EQ(list.Text(), "");
        EXPECT_TRUE(list.Replaced());
    }
    {
        Variable list("abc");
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), comma, -1)), "abc");
        EXPECT_EQ(list.Text(), "abc");
    }
    {
        // Only the separator's first character is cut off.
        Variable list("a, b");
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), s(", "), -1)), "a");
        EXPECT_EQ(list.Text(), " b");
    }
    {
        // Cut means exactly -1; an empty separator separates nothing.
        Variable list("a,b");
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), comma, 1)), "a");
        EXPECT_EQ(list.Text(), "a,b");
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), s(""), -1)), "a,b");
        EXPECT_EQ(list.Text(), "a,b");
    }
    {
        Variable list(nullptr);
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(list.ptr(), comma, -1)), "");
        EXPECT_TRUE(list.Replaced());
        EXPECT_EQ(Take(Cpp_GetNextBeforeComma(nullptr, comma, -1)), "");
    }
}

TEST(ListExports, VectFromCommaListWritesNewHostStringsIntoTheBuffer) {
    host::Strings s;
    BSTR comma = s(",");
    {
        host::StringBuffer out(3);
        Cpp_GetVectFromCommaList(s("x,,y"), 3, comma, out.data());
        EXPECT_EQ(out.Texts(), (Texts{"x", "", "y"}));
        for (size_t k = 0; k < 3; ++k) EXPECT_NE(out[k], nullptr) << k;
    }
    {
        host::StringBuffer out(4);
        Cpp_GetVectFromCommaList(s("x,,y,"), 4, comma, out.data());
        EXPECT_EQ(out.Texts(), (Texts{"x", "", "y", ""}));
    }
    {
        // Elements the list does not reach keep their text as new host
        // strings; items beyond n are lost and the buffer beyond n untouched.
        host::StringBuffer out{"old1", "old2", "old3", "old4"};
        Cpp_GetVectFromCommaList(s("a"), 3, comma, out.data());
        EXPECT_EQ(out.Texts(), (Texts{"a", "old2", "old3", "old4"}));
        EXPECT_TRUE(out.Replaced(1) && out.Replaced(2));
        EXPECT_FALSE(out.Replaced(3));
        Cpp_GetVectFromCommaList(s("1;2;3;4;5"), 2, s(";"), out.data());
        EXPECT_EQ(out.Texts(), (Texts{"1", "2", "old3", "old4"}));
    }
    {
        host::StringBuffer out{"keep"};
        Cpp_GetVectFromCommaList(s("a,b"), 0, comma, out.data());
        Cpp_GetVectFromCommaList(s("a,b"), -1, comma, out.data());
        EXPECT_FALSE(out.Replaced(0));
        Cpp_GetVectFromCommaList(s("a,b"), 2, comma, nullptr);
    }
}

TEST(ListExports, VectFromCommaListDblUsesTheBufferInPlace) {
    host::Strings s;
    BSTR semicolon = s(";");
    {
        Variable header("h");
        double out[4] = {9, 9, 9, 9};
        Cpp_GetVectFromCommaListDbl(s("1,5;;x;3e2"), 4, 0, semicolon, header.ptr(), out);
        EXPECT_EQ(out[0], 1.5);
        EXPECT_TRUE(IsMissingDouble(out[1]));
        EXPECT_EQ(out[2], 0.0);
        EXPECT_EQ(out[3], 300.0);
        // Not a header call, yet the in/out variable gets a new host string.
        EXPECT_EQ(header.Text(), "h");
        EXPECT_TRUE(header.Replaced());
    }
    {
        Variable header("");
        double out[3] = {9, 9, 9};
        Cpp_GetVectFromCommaListDbl(s("Weights;2;4"), 3, -1, semicolon, header.ptr(), out);
        EXPECT_EQ(header.Text(), "Weights");
        EXPECT_EQ(out[0], 2.0);
        EXPECT_EQ(out[1], 4.0);
        EXPECT_EQ(out[2], 9.0);
    }
    {
        // Items beyond the list count as empty; "  -2.5e1xyz" reads its prefix.
        Variable header("h");
        double out[3] = {9, 9, 9};
        Cpp_GetVectFromCommaListDbl(s("  -2,5e1xyz"), 3, 0, semicolon, header.ptr(), out);
        EXPECT_EQ(out[0], -25.0);
        EXPECT_TRUE(IsMissingDouble(out[1]));
        EXPECT_TRUE(IsMissingDouble(out[2]));
    }
    {
        Variable header("h");
        double out[1] = {9};
        Cpp_GetVectFromCommaListDbl(s("a;1"), 0, -1, semicolon, header.ptr(), out);
        EXPECT_EQ(header.Text(), "");
        EXPECT_EQ(out[0], 9.0);
        Cpp_GetVectFromCommaListDbl(s("1"), 1, 0, semicolon, nullptr, nullptr);
    }
}

TEST(ListExports, VectFromCommaListLngTruncatesAndSaturates) {
    host::Strings s;
    BSTR semicolon = s(";");
    Variable header("h");
    {
        int32_t out[3] = {5, 5, 5};
        Cpp_GetVectFromCommaListLng(s("7;-2,9;"), 3, 0, semicolon, header.ptr(), out);
        EXPECT_EQ(out[0], 7);
        EXPECT_EQ(out[1], -2);
        EXPECT_EQ(out[2], INT32_MIN);
    }
    {
        int32_t out[4] = {5, 5, 5, 5};
        Cpp_GetVectFromCommaListLng(s("3e10;-3e10;nan;2147483647,9"), 4, 0, semicolon, header.ptr(), out);
        EXPECT_EQ(out[0], INT32_MAX);
        EXPECT_EQ(out[1], INT32_MIN);
        EXPECT_EQ(out[2], 0);
        EXPECT_EQ(out[3], INT32_MAX);
    }
    {
        int32_t out[3] = {5, 5, 5};
        Cpp_GetVectFromCommaListLng(s("Counts;4"), 3, -1, semicolon, header.ptr(), out);
        EXPECT_EQ(header.Text(), "Counts");
        EXPECT_EQ(out[0], 4);
        EXPECT_EQ(out[1], INT32_MIN);
        EXPECT_EQ(out[2], 5);
    }
}

TEST(ListExports, ExtractFromListAndFindStrInVect) {
    host::Strings s;
    BSTR abc = s("a,b,c");
    EXPECT_EQ(Take(Cpp_ExtractFromList(2, abc)), "b");
    EXPECT_EQ(Take(Cpp_ExtractFromList(3, abc)), "c");
    EXPECT_EQ(Take(Cpp_ExtractFromList(4, abc)), "");
    EXPECT_EQ(Take(Cpp_ExtractFromList(0, abc)), "");
    EXPECT_EQ(Take(Cpp_ExtractFromList(2, s("a,,c"))), "");
    EXPECT_EQ(Take(Cpp_ExtractFromList(1, nullptr)), "");

    host::StringBuffer vector{"a", "b", "c"};
    EXPECT_EQ(Cpp_FindStrInVect(s("B"), 3, vector.data()), 0);
    EXPECT_EQ(Cpp_FindStrInVect(s("b"), 3, vector.data()), -1);
    EXPECT_EQ(Cpp_FindStrInVect(s("c"), 2, vector.data()), 0);
    EXPECT_EQ(Cpp_FindStrInVect(s("a"), 0, vector.data()), 0);
    EXPECT_EQ(Cpp_FindStrInVect(s("a"), -1, vector.data()), 0);
    host::StringBuffer withNull{"x", nullptr};
    EXPECT_EQ(Cpp_FindStrInVect(nullptr, 2, withNull.data()), -1);
    EXPECT_EQ(Cpp_FindStrInVect(s(""), 1, withNull.data()), 0);
    EXPECT_FALSE(vector.Replaced(0) || withNull.Replaced(1));
}

}  // namespace
