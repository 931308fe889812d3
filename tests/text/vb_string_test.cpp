// Replace against a literal reference: the leftmost occurrence replaced,
// again and again from the beginning, on every short text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vb_string.h"

namespace {

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
