// The primitives that are not exported: Split, Format, LocalNow, and Replace
// checked against a literal restart-from-the-beginning replacement.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "vb_string.h"

namespace {

using Items = std::vector<std::wstring>;

TEST(Split, OneMoreItemThanSeparators) {
    EXPECT_EQ(Split(L"a,b,", ","), (Items{L"a", L"b", L""}));
    EXPECT_EQ(Split(L"", ","), (Items{L""}));
    EXPECT_EQ(Split(L",,", ","), (Items{L"", L"", L""}));
    EXPECT_EQ(Split(L"a;b x;c", ";x"), (Items{L"a", L"b x", L"c"}));
    // Only separators 1 to 127 can match; an empty separator never does.
    EXPECT_EQ(Split(std::wstring(L"a\0b", 3), ""), (Items{std::wstring(L"a\0b", 3)}));
    EXPECT_EQ(Split(L"a\u00e9b", "\xe9"), (Items{L"a\u00e9b"}));
}

TEST(Format, PadsWithThePatternsLeadingCharacters) {
    EXPECT_EQ(Format(5, L"00"), L"05");
    EXPECT_EQ(Format(15, L"00"), L"15");
    EXPECT_EQ(Format(7, L"000"), L"007");
    EXPECT_EQ(Format(12, L"abcd"), L"ab12");
    EXPECT_EQ(Format(-3, L"0000"), L"00-3");
    // Six significant digits; a shorter pattern gives the number's text alone.
    EXPECT_EQ(Format(1234567, L"0"), L"1.23457e+06");
    EXPECT_EQ(Format(123, L""), L"123");
}

TEST(LocalNow, AsctimeWithoutTheNewline) {
    const std::wstring now = LocalNow();
    ASSERT_EQ(now.size(), 24u);
    EXPECT_EQ(now[3], L' ');
    EXPECT_EQ(now[13], L':');
    EXPECT_EQ(now[16], L':');
    for (size_t k = 20; k < 24; ++k) EXPECT_TRUE(std::iswdigit(now[k])) << k;
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

std::wstring OnePass(const std::wstring& text, const std::wstring& find, const std::wstring& by) {
    std::wstring result;
    for (size_t k = 0; k < text.size();) {
        if (text.compare(k, find.size(), find) == 0) {
            result += by;
            k += find.size();
        } else {
            result += text[k++];
        }
    }
    return result;
}

std::vector<std::wstring> AllWords(size_t maxLength) {
    std::vector<std::wstring> words{L""};
    for (size_t k = 0; k < words.size(); ++k) {
        if (words[k].size() == maxLength) continue;
        words.push_back(words[k] + L'a');
        words.push_back(words[k] + L'b');
    }
    return words;
}

TEST(Replace, MatchesTheRestartRuleOnEveryShortText) {
    const std::vector<std::wstring> texts = AllWords(6);
    const std::vector<std::wstring> replacements = AllWords(4);
    for (const std::wstring& find : AllWords(3)) {
        if (find.empty()) continue;
        for (const std::wstring& by : replacements) {
            const bool feeds = by.size() >= find.size();
            for (const std::wstring& text : texts) {
                // With count 0 a replacement that can feed itself stops after
                // 2 x Len + 1 replacements, and one holding find makes one pass.
                const long long all = feeds ? 2 * static_cast<long long>(text.size()) + 1 : -1;
                const std::wstring expected = by.find(find) != std::wstring::npos ? OnePass(text, find, by)
                                                                                 : Restart(text, find, by, all);
                ASSERT_EQ(Replace(text, find, by, 1, 0), expected) << text << " " << find << " " << by;
                ASSERT_EQ(Replace(text, find, by, 1, 2), Restart(text, find, by, 2)) << text << " " << find << " " << by;
            }
        }
    }
}

}  // namespace
