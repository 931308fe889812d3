// Host strings for the tool: conversions between the UTF-8 text the tool works
// with and the 16-bit host strings (BSTR) the library receives and returns.
#ifndef KOVR_HOST_TEXT_H
#define KOVR_HOST_TEXT_H

#include <string>
#include <string_view>

#include "oleauto.h"

namespace kovr {

// A new host string holding utf8; the caller frees it with SysFreeString.
// Bytes that are not valid UTF-8 are taken as Latin-1 characters.
BSTR NewHostString(std::string_view utf8);

// The text of a host string as UTF-8; a null host string is "".
std::string HostText(BSTR s);

// utf8 as a string of wchar_t characters (for Cpp_GetNbRFiles).
std::wstring WideText(std::string_view utf8);

// utf8 itself when it is valid UTF-8, otherwise the bytes read as Latin-1
// (R writes result files in the bytes the library gave it).
std::string AsUtf8(std::string_view bytes);

}  // namespace kovr

#endif
