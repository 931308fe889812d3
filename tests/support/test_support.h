// What the tests share beside kovr's host library: host strings made for one
// test, temporary folders removed with everything in them, file contents read
// back, and R scripts run the way the add-in runs them.
#ifndef KOV_TESTS_SUPPORT_TEST_SUPPORT_H
#define KOV_TESTS_SUPPORT_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host_data_sets.h"
#include "host_text.h"

namespace kovtest {

// New host strings, freed with the object; a null text is a null host string.
class HostStrings {
public:
    HostStrings() = default;
    HostStrings(const HostStrings&) = delete;
    HostStrings& operator=(const HostStrings&) = delete;
    ~HostStrings() {
        for (BSTR s : held_) SysFreeString(s);
    }
    BSTR operator()(const std::string& text) { return held_.emplace_back(kovr::NewHostString(text)); }
    BSTR operator()(const char* text) { return text == nullptr ? nullptr : (*this)(std::string(text)); }

private:
    std::vector<BSTR> held_;
};

// The text of a host string the library returned, which it frees; the test
// fails on a null one.
inline std::string Take(BSTR s) {
    EXPECT_NE(s, nullptr);
    std::string text = kovr::HostText(s);
    SysFreeString(s);
    return text;
}

// A numeric and a text column of a data set.
inline kovr::ColumnData Numbers(const std::string& name, std::vector<double> x) {
    return {name, true, std::make_shared<const std::vector<double>>(std::move(x)), {}};
}
inline kovr::ColumnData Texts(const std::string& name, std::vector<std::string> x) {
    return {name, false, {}, std::move(x)};
}

// A new empty folder under the system's temporary folder ("" when it cannot
// be made), removed with its contents when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kovtestXXXXXX").string();
        path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Without a trailing "/".
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Writes text into the file name of this folder and returns its path.
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string file = *this / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

private:
    std::string path_;
};

// The bytes of a file, "" when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// arg as one word of a shell command line.
inline std::string ShellQuoted(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Exit status of a shell command line, -1 when it did not exit normally.
inline int ExitStatus(const std::string& commandLine) {
    const int raw = std::system(commandLine.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

inline bool HaveR() { return ExitStatus("Rscript --version > /dev/null 2>&1") == 0; }

// Runs an R script in a UTF-8 locale with folder as its working folder; its
// output goes to folder/script.log. Returns R's exit status.
inline int RunRscript(const std::string& folder, const std::string& script) {
    return ExitStatus("cd " + ShellQuoted(folder) + " && LC_ALL=C.UTF-8 Rscript --vanilla " + ShellQuoted(script) +
                      " > " + ShellQuoted(script + ".log") + " 2>&1");
}

}  // namespace kovtest

#endif
