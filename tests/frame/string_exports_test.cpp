// The string and list exports against the macro language's semantics, as the
// add-in calls them: 1-based positions clipped instead of failing, null host
// strings read as empty ones, every result a new host string, in/out list and
// header variables, output buffers of strings, doubles and integers. And
// Replace against a literal reference on every short text.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "host_records.h"
#include "host_text.h"
#include "test_support.h"
#include "vb_string.h"

namespace {

using kovtest::Take;
using Strings = kovtest::HostStrings;

// Calls call, freeing the host strings it replaced in the slots.
template <typename Call>
void Replacing(const std::vector<BSTR*>& slots, Call call) {
    kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) {
        for (BSTR* slot : slots) s.Field(slot);
    });
    call();
}

template <typename Item>
std::string Joined(const std::vector<Item>& items) {
    std::string out;
    for (const Item& item : items) {
        if constexpr (std::is_same_v<Item, BSTR>) {
            out += "|" + (item == nullptr ? std::string("null") : Take(item));
        } else {
            out += "|" + (item <= -1.79769313486231e+308 || item == INT_MIN ? std::string("M") : std::to_string(item));
        }
    }
    return out;
}

TEST(StringExports, FollowTheMacroLanguage) {
    Strings s;
    // The list exports' in/out variables and buffers, shown as "|item|item...".
    const auto next = [&](const char* list, const char* separator, int16_t cut) {
        BSTR variable = list == nullptr ? nullptr : kovr::NewHostString(list);
        std::string item;
        Replacing({&variable}, [&] { item = Take(Cpp_GetNextBeforeComma(&variable, s(separator), cut)); });
        return item + "|" + Take(variable);
    };
    const auto vect = [&](const char* list, int n, const char* separator) {
        std::vector<BSTR> out{kovr::NewHostString("o"), kovr::NewHostString("o"), kovr::NewHostString("o")};
        Replacing({&out[0], &out[1], &out[2]}, [&] { Cpp_GetVectFromCommaList(s(list), n, s(separator), out.data()); });
        return Joined(out);
    };
    const auto numbers = [&](const char* list, int n, int16_t header) {
        BSTR variable = kovr::NewHostString("h");
        std::vector<double> out(3, 9);
        Replacing({&variable}, [&] { Cpp_GetVectFromCommaListDbl(s(list), n, header, s(";"), &variable, out.data()); });
        return Take(variable) + Joined(out);
    };
    const auto integers = [&](const char* list, int n, int16_t header) {
        BSTR variable = kovr::NewHostString("h");
        std::vector<int32_t> out(4, 9);
        Replacing({&variable}, [&] { Cpp_GetVectFromCommaListLng(s(list), n, header, s(";"), &variable, out.data()); });
        return Take(variable) + Joined(out);
    };
    BSTR abc[] = {s("a"), s("b"), s("c")};
    BSTR gaps[] = {nullptr, s("x"), nullptr};
    BSTR formula = nullptr;
    BSTR nulls[2] = {nullptr, nullptr};
    Cpp_LoadClabelsRfunc(2, nullptr, nulls, 0, &formula);
    const std::pair<std::string, std::string> rows[] = {
        {std::to_string(Cpp_Len(s("abc"))), "3"},
        {std::to_string(Cpp_Asc(s("A"))), "65"},
        {std::to_string(Cpp_Asc(s("\xEF\xBF\xBF"))), "65535"},  // codes are unsigned
        {std::to_string(Cpp_InStr(4, s("abcabc"), s("c"))), "6"},
        {std::to_string(Cpp_InStr(7, s("abcabc"), s("c"))), "0"},
        {std::to_string(Cpp_InStr(2, s("abc"), s(""))), "2"},  // found wherever the search may start
        {Take(Cpp_Left(s("abc"), 2)), "ab"},
        {Take(Cpp_Mid(s("abcdef"), 2, 3)), "bcd"},
        {Take(Cpp_Mid(s("abc"), INT_MAX, INT_MAX)), ""},
        {Take(Cpp_LCase(s("MiXeD 42!"))), "mixed 42!"},
        {Take(Cpp_UCase(s("MiXeD \xCF\x89!"))), "MIXED \xCF\x89!"},  // single-byte letters only
        {Take(Cpp_Replace(s("x-y-z"), s("-"), s("+"), 1, 0)), "x+y+z"},
        {Take(Cpp_Replace(s("x-y-z"), s("-"), s("+"), 1, 1)), "x+y-z"},
        {Take(Cpp_Replace(s("abcabc"), s("a"), s("A"), 3, 0)), "cAbc"},  // the start drops characters
        {Take(Cpp_Replace(s("abc"), s("a"), s("A"), 4, 0)), ""},
        {Take(Cpp_Replace(nullptr, s("a"), s("b"), 1, 0)), ""},
        {Take(Cpp_Join(abc, 3, s(", "))), "a, b, c"},
        {Take(Cpp_Join(abc, 3, nullptr)), "abc"},
        {Take(Cpp_Join(gaps, 3, s(";"))), ";x;"},
        {std::to_string(Cpp_FindStrInVect(s("B"), 3, abc)), "0"},  // 0 found, -1 not
        {std::to_string(Cpp_FindStrInVect(s("b"), 3, abc)), "-1"},
        {std::to_string(Cpp_FindStrInVect(nullptr, 3, gaps)), "-1"},
        {Take(Cpp_ExtractFromList(2, s("a,b,c"))), "b"},
        {next("a,b,c", ",", -1), "a|b,c"},
        {next("a,b,c", ",", 1), "a|a,b,c"},  // cut means exactly -1
        {next("a, b", ", ", -1), "a| b"},  // only the separator's first character is cut off
        {next("a,b", "", -1), "a,b|a,b"},
        {next(nullptr, ",", -1), "|"},
        {vect("x,,y", 3, ","), "|x||y"},
        {vect("a", 3, ","), "|a|o|o"},
        {numbers("1,5;;x", 3, 0), "h|1.500000|M|0.000000"},
        {numbers("Weights;2;4", 3, -1), "Weights|2.000000|4.000000|9.000000"},
        {numbers("  -2,5e1xyz", 1, 0), "h|-25.000000|9.000000|9.000000"},
        {integers("7;-2,9;", 3, 0), "h|7|-2|M|9"},
        {integers("3e10;-3e10;nan;2147483647,9", 4, 0), "h|2147483647|M|0|2147483647"},
        {integers("Counts;4", 3, -1), "Counts|4|M|9|9"},
        {std::to_string(Cpp_IsOkAfter(nullptr)), "-1"},
        {Take(formula), "XX.1"},  // empty names are named as R names empty headers
    };
    for (size_t k = 0; k < std::size(rows); ++k) EXPECT_EQ(rows[k].first, rows[k].second) << "row " << k + 1;
}

// Replace exactly as described: the leftmost occurrence, again and again.
std::wstring Restart(std::wstring text, const std::wstring& find, const std::wstring& by, long long limit) {
    for (long long done = 0; done != limit; ++done) {
        const size_t at = text.find(find);
        if (at == std::wstring::npos) break;
        text.replace(at, find.size(), by);
    }
    return text;
}

TEST(StringExports, ReplaceMatchesTheRestartRuleOnEveryShortText) {
    std::vector<std::wstring> words{L""};  // every word of a and b up to 6 letters
    for (size_t k = 0; k < words.size(); ++k) {
        if (words[k].size() < 6) words.insert(words.end(), {words[k] + L'a', words[k] + L'b'});
    }
    for (size_t f = 1; f < 15; ++f) {      // finds of 1 to 3 letters
        for (size_t b = 0; b < 31; ++b) {  // replacements of 0 to 4
            const std::wstring& find = words[f];
            const std::wstring& by = words[b];
            for (const std::wstring& text : words) {
                // With count 0 a replacement that can feed itself stops after
                // 2 x Len + 1 replacements; one holding find makes one pass.
                const long long all = by.size() >= find.size() ? 2 * static_cast<long long>(text.size()) + 1 : -1;
                if (by.find(find) == std::wstring::npos) {
                    ASSERT_EQ(Replace(text, find, by, 1, 0), Restart(text, find, by, all)) << text << " " << find;
                }
                ASSERT_EQ(Replace(text, find, by, 1, 2), Restart(text, find, by, 2)) << text << " " << find << " " << by;
            }
        }
    }
}

}  // namespace
