#include "fsu.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

namespace fs = std::filesystem;

using host::TempFolder;

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

TEST(NormalizePath, TurnsClassicAndBackslashPathsIntoSlashPaths) {
    EXPECT_EQ(fsu::NormalizePath("/"), "/");
    EXPECT_EQ(fsu::NormalizePath("/Users/me/"), "/Users/me");
    EXPECT_EQ(fsu::NormalizePath("Users:me"), "/Users/me");
    EXPECT_EQ(fsu::NormalizePath("x"), "x");
    EXPECT_EQ(fsu::NormalizePath("Macintosh HD:Users:me:Templates:"), "/Macintosh HD/Users/me/Templates");
    EXPECT_EQ(fsu::NormalizePath("C:\\data\\"), "/C//data");
    EXPECT_EQ(fsu::NormalizePath("/already/normal"), "/already/normal");
    EXPECT_EQ(fsu::NormalizePath(""), "");
}

TEST(NormalizePath, WideFormBehavesAlike) {
    for (const std::string path : {"/", "/Users/me/", "Users:me", "x", "C:\\data\\", "a\\b:c/", ""}) {
        const std::wstring wide(path.begin(), path.end());
        const std::string narrow = fsu::NormalizePath(path);
        EXPECT_EQ(fsu::NormalizePathW(wide), std::wstring(narrow.begin(), narrow.end())) << path;
    }
}

TEST(NarrowPath, Utf8OrNoPathAtAll) {
    EXPECT_EQ(fsu::NarrowPath(L"/tmp/a.xml"), "/tmp/a.xml");
    // Host text in UTF-8 (a surrogate pair is one character, a lone one
    // U+FFFD); template bytes, sign-extended to 32 or to 16 bits, as bytes.
    EXPECT_EQ(fsu::NarrowPath(std::wstring{L'a', wchar_t(0xE9), wchar_t(0x12F), wchar_t(-61), wchar_t(0xFFA9)}),
              "a\xC3\xA9\xC4\xAF\xC3\xA9");
    EXPECT_EQ(fsu::NarrowPath(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00), wchar_t(0xDC00), L'b'}),
              "\xF0\x9F\x98\x80\xEF\xBF\xBD" "b");
    EXPECT_EQ(fsu::NarrowPath(std::wstring{L'a', L'\0', L'b'}), "");
}

TEST(GetFolderFiles, ListsRegularFilesAndOptionallySubfolders) {
    TempFolder temp;
    const std::string& root = temp.path();
    Touch(root + "/a.xml");
    Touch(root + "/b.txt");
    fs::create_directory(root + "/sub");
    Touch(root + "/sub/deeper.xml");
    fs::create_symlink(root + "/a.xml", root + "/link.xml");
    mkfifo((root + "/pipe").c_str(), 0600);

    EXPECT_EQ(Sorted(fsu::GetFolderFiles(root, false)), (Names{"a.xml", "b.txt"}));
    EXPECT_EQ(Sorted(fsu::GetFolderFiles(root, true)), (Names{"a.xml", "b.txt", "sub"}));
    EXPECT_EQ(Sorted(fsu::GetFolderFiles(root + "/", true)), (Names{"a.xml", "b.txt", "sub"}));
    EXPECT_EQ(fsu::GetFolderFiles(root + "/sub", true), (Names{"deeper.xml"}));
}

TEST(GetFolderFiles, MissingUnreadableOrEmptyFolderGivesEmptyList) {
    TempFolder temp;
    EXPECT_TRUE(fsu::GetFolderFiles(temp.path(), true).empty());
    EXPECT_TRUE(fsu::GetFolderFiles(temp.path() + "/absent", true).empty());
    EXPECT_TRUE(fsu::GetFolderFiles("", true).empty());
    Touch(temp.path() + "/file");
    EXPECT_TRUE(fsu::GetFolderFiles(temp.path() + "/file", true).empty());
    if (geteuid() != 0) {
        fs::create_directory(temp.path() + "/locked");
        Touch(temp.path() + "/locked/x.xml");
        chmod((temp.path() + "/locked").c_str(), 0);
        EXPECT_TRUE(fsu::GetFolderFiles(temp.path() + "/locked", false).empty());
        chmod((temp.path() + "/locked").c_str(), 0700);
    }
}

TEST(GetFolderFiles, RootIsListed) { EXPECT_FALSE(fsu::GetFolderFiles("/", true).empty()); }

TEST(CreateFolder, CreatesTheFolderAndAcceptsAnExistingOne) {
    TempFolder temp;
    const std::string out = temp.path() + "/out";
    EXPECT_EQ(fsu::CreateFolder(out), 1);
    EXPECT_TRUE(fs::is_directory(out));
    EXPECT_EQ(fsu::CreateFolder(out), 1);
    EXPECT_EQ(fsu::CreateFolder(temp.path() + "/no/parents"), 0);
    EXPECT_FALSE(fs::exists(temp.path() + "/no"));
}

TEST(CreateFolder, StripsTheBootVolumeName) {
    TempFolder temp;
    EXPECT_EQ(fsu::CreateFolder("/Macintosh HD" + temp.path() + "/out"), 1);
    EXPECT_TRUE(fs::is_directory(temp.path() + "/out"));
    EXPECT_EQ(fsu::CreateFolder("Macintosh HD" + temp.path() + "/other"), 1);
    EXPECT_TRUE(fs::is_directory(temp.path() + "/other"));
}

TEST(OpenFileW, OpensByWidePathAndModeOrGivesNull) {
    TempFolder temp;
    const std::string path = temp.path() + "/data.csv";
    const std::wstring widePath(path.begin(), path.end());
    FILE* file = fsu::OpenFileW(widePath, L"w+");
    ASSERT_NE(file, nullptr);
    std::fputs("a,b\n", file);
    std::fclose(file);
    std::ifstream written(path);
    std::string line;
    std::getline(written, line);
    EXPECT_EQ(line, "a,b");
    EXPECT_EQ(fsu::OpenFileW(widePath + L".missing", L"r"), nullptr);
    EXPECT_EQ(fsu::OpenFileW(L"", L"r"), nullptr);
}

}  // namespace
