#include "fsu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

// Folder paths as the host gives them, classic (colons), with backslashes or
// trailing separators, as the file system takes them; the wide form alike.
TEST(FolderPaths, ClassicAndBackslashPathsBecomeSlashPaths) {
    const std::pair<std::string, std::string> cases[] = {
        {"/", "/"}, {"/Users/me/", "/Users/me"}, {"Users:me", "/Users/me"}, {"x", "x"}, {"", ""},
        {"Macintosh HD:Users:me:Templates:", "/Macintosh HD/Users/me/Templates"}, {"C:\\data\\", "/C//data"},
    };
    for (const auto& [given, expected] : cases) {
        EXPECT_EQ(fsu::NormalizePath(given), expected) << given;
        EXPECT_EQ(fsu::NormalizePathW(std::wstring(given.begin(), given.end())),
                  std::wstring(expected.begin(), expected.end())) << given;
    }
    // Host text in UTF-8 (a surrogate pair is one character, a lone one
    // U+FFFD); template bytes, sign-extended to 32 or 16 bits, as bytes.
    EXPECT_EQ(fsu::NarrowPath(std::wstring{L'a', wchar_t(0xE9), wchar_t(0x12F), wchar_t(-61), wchar_t(0xFFA9)}),
              "a\xC3\xA9\xC4\xAF\xC3\xA9");
    EXPECT_EQ(fsu::NarrowPath(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00), wchar_t(0xDC00), L'b'}),
              "\xF0\x9F\x98\x80\xEF\xBF\xBD" "b");
    EXPECT_EQ(fsu::NarrowPath(std::wstring{L'a', L'\0', L'b'}), "");

    // The boot volume's name is dropped; no parent folder is made.
    kovtest::TempFolder temp;
    EXPECT_EQ(fsu::CreateFolder("Macintosh HD" + temp / "out"), 1);
    EXPECT_TRUE(std::filesystem::is_directory(temp / "out"));
    EXPECT_EQ(fsu::CreateFolder(temp / "no/parents"), 0);
}

}  // namespace
