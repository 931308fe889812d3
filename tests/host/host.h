// Host-side helpers for the tests: host strings, host arrays and string
// buffers built the way the add-in builds them, and freed afterwards.
#ifndef KOV_TESTS_HOST_HOST_H
#define KOV_TESTS_HOST_HOST_H

#include <string>
#include <vector>

#include "kovrbridge.h"

namespace host {

// A new host string from UTF-8 text (characters above U+FFFF are not needed
// by the tests).
BSTR Str(const std::string& utf8);

// The text of a host string as UTF-8; a null host string gives "".
std::string Text(BSTR s);

// Owns host strings made for one test and frees them when it goes away.
class Strings {
public:
    Strings() = default;
    Strings(const Strings&) = delete;
    Strings& operator=(const Strings&) = delete;
    ~Strings();

    // A host string owned by this pool.
    BSTR operator()(const std::string& utf8);
    // Takes a host string the library returned or stored, and frees it later.
    BSTR Adopt(BSTR s);

private:
    std::vector<BSTR> owned_;
};

}  // namespace host

#endif
