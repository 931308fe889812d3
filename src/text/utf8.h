// UTF-8: the encoding of every file the bridge writes and of every path it
// opens or creates.
#ifndef KOV_TEXT_UTF8_H
#define KOV_TEXT_UTF8_H

#include <string>
#include <string_view>

// text in UTF-8. Wide strings hold host text as UTF-16 code units widened one
// by one: a surrogate pair is one character, a lone surrogate (and any value
// that is no character) becomes U+FFFD. Template text holds the bytes of its
// UTF-8 widened with their sign, which reach the bridge again through the
// host as U+FF80 to U+FFFF: a run of such characters whose low bytes form
// whole UTF-8 sequences is written as those bytes, so that template text
// comes out as it was read.
std::string Utf8(std::wstring_view text);

// UTF-8 bytes (a file name) as host text: UTF-16 code units, one wide
// character each; an invalid byte becomes U+FFFD.
std::wstring FromUtf8(std::string_view bytes);

#endif
