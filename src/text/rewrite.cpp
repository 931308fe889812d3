#include "rewrite.h"

#include <algorithm>
#include <vector>

namespace text {

namespace {

// Matches find character by character: the state is the length of the
// longest suffix of the characters seen that is a prefix of find. A complete
// match is always removed at once, so Next never starts from one.
class Matcher {
public:
    explicit Matcher(const std::wstring& find) : find_(find), fallback_(find.size(), 0) {
        for (size_t i = 1, k = 0; i < find_.size(); ++i) {
            while (k > 0 && find_[i] != find_[k]) k = fallback_[k - 1];
            if (find_[i] == find_[k]) ++k;
            fallback_[i] = k;
        }
    }

    size_t Next(size_t state, wchar_t c) const {
        while (state > 0 && c != find_[state]) state = fallback_[state - 1];
        return c == find_[state] ? state + 1 : state;
    }

    bool Complete(size_t state) const { return state == find_.size(); }

private:
    const std::wstring& find_;
    std::vector<size_t> fallback_;
};

}  // namespace

std::wstring RewriteLeftmost(const std::wstring& text, const std::wstring& find, const std::wstring& replacement,
                             int count) {
    long long limit = count > 0 ? count : -1;
    if (replacement.size() >= find.size()) {
        const long long feedLimit = 2 * static_cast<long long>(text.size()) + 1;
        limit = limit < 0 ? feedLimit : std::min(limit, feedLimit);
    }

    // done holds the text before the scan point, which contains no occurrence;
    // states[k] is the matcher's state after done[k]. pending holds the text
    // still to scan, reversed. A replacement goes back onto pending, so the
    // scan resumes Len(find) - 1 characters before the inserted text: exactly
    // where a search from the beginning would find the next occurrence.
    const Matcher matcher(find);
    std::wstring done;
    std::vector<size_t> states;
    std::wstring pending(text.rbegin(), text.rend());
    long long replaced = 0;
    while (!pending.empty()) {
        const wchar_t c = pending.back();
        pending.pop_back();
        const size_t state = matcher.Next(states.empty() ? 0 : states.back(), c);
        done.push_back(c);
        states.push_back(state);
        if (!matcher.Complete(state)) continue;
        done.resize(done.size() - find.size());
        states.resize(states.size() - find.size());
        if (++replaced == limit) {
            done += replacement;
            done.append(pending.rbegin(), pending.rend());
            return done;
        }
        pending.append(replacement.rbegin(), replacement.rend());
    }
    return done;
}

}  // namespace text
