// Repeated replacement of the leftmost occurrence, the way Replace rewrites a
// text once its edge cases are settled (the one-pass rewrite is kovstr's).
#ifndef KOV_TEXT_REWRITE_H
#define KOV_TEXT_REWRITE_H

#include <string>

namespace text {

// Replaces the leftmost occurrence of find, then searches the changed text
// again from its beginning, count times (0: until none remains), so that
// inserted text can take part in later matches. find must not be empty.
//
// A replacement at least as long as find can feed itself without end (for
// example "ab" -> "bbaa" in "aab"). Such a rewrite stops after 2 x Len(text)
// + 1 replacements: at most Len(text) matches can lie in the original
// characters, so the result is exact whenever insertion creates no more than
// Len(text) + 1 further matches.
std::wstring RewriteLeftmost(const std::wstring& text, const std::wstring& find, const std::wstring& replacement,
                             int count);

}  // namespace text

#endif
