// What the fuzz targets share: a check that stops the run with a message,
// splitting text on a separator, host strings made from and read into UTF-16
// text, text drawn from the fuzzer's bytes, whole files, and a temporary
// folder that lives as long as the process.
#ifndef KOV_FUZZ_FUZZ_SUPPORT_H
#define KOV_FUZZ_FUZZ_SUPPORT_H

#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "oleauto.h"

namespace fuzz {

// A finding: printed, then abort() so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = std::string()) {
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n%s\n", what, detail.c_str());
    std::abort();
}

#define FUZZ_CHECK(condition, ...) \
    do {                           \
        if (!(condition)) ::fuzz::Fail(#condition, ##__VA_ARGS__); \
    } while (0)

// The parts of text between occurrences of separator (one part when none).
inline std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

// A host string holding exactly these code units (NULs included).
inline BSTR Bstr(const std::u16string& text) {
    return SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
}

// All code units of a host string; a null host string is empty.
inline std::u16string Units(BSTR s) { return s == nullptr ? std::u16string() : std::u16string(s, SysStringLen(s)); }

// A result host string read and freed.
inline std::u16string Take(BSTR s) {
    std::u16string text = Units(s);
    SysFreeString(s);
    return text;
}

// The text up to its first NUL: what survives a copy through a NUL-terminated
// string.
inline std::u16string UpToNul(const std::u16string& text) { return text.substr(0, text.find(u'\0')); }

// Printable form of a text for failure messages.
inline std::string Show(const std::u16string& text) {
    std::string out = "'";
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char code[12];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out + "'";
}

// A text of up to maxLength code units, mostly drawn from alphabet (so that
// searches find something), sometimes (with anyUnit) any 16-bit code unit.
inline std::u16string Text(FuzzedDataProvider& in, size_t maxLength, const std::u16string& alphabet,
                           bool anyUnit = true) {
    const size_t length = in.ConsumeIntegralInRange<size_t>(0, maxLength);
    std::u16string text;
    for (size_t k = 0; k < length && in.remaining_bytes() > 0; ++k) {
        const uint8_t pick = in.ConsumeIntegral<uint8_t>();
        text += pick < 240 || !anyUnit ? alphabet[pick % alphabet.size()] : in.ConsumeIntegral<char16_t>();
    }
    return text;
}

// The bytes of a file; "" when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A folder under the system's temporary folder for this process, removed
// when the process ends normally.
inline const std::string& ProcessFolder() {
    // Never destroyed: the exit handler that removes the folder runs after
    // the destructors of statics built before it was registered.
    static const std::string* folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "kov-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp");
        auto* path = new std::string(pattern);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(*folder, ignored);
        });
        return path;
    }();
    return *folder;
}

}  // namespace fuzz

#endif
