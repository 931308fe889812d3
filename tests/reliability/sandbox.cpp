#include "sandbox.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace reliability {

namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

Sandbox::Sandbox() {
    std::string pattern = (fs::temp_directory_path() / "kov-reliability-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    chmod(root_.c_str(), 0777);
    for (const char* name : {"work", "r"}) {
        const std::string folder = root_ + "/" + name;
        mkdir(folder.c_str(), 0777);
        chmod(folder.c_str(), 0777);
    }
}

Sandbox::~Sandbox() {
    // Give back every permission taken away by a test, then remove all.
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        chmod(it->path().c_str(), 0777);
    }
    chmod(root_.c_str(), 0777);
    fs::remove_all(root_, ignored);
}

std::vector<std::string> Sandbox::Entries() const {
    std::vector<std::string> entries;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root_, fs::directory_options::skip_permission_denied, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        entries.push_back(fs::relative(it->path(), root_).string());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::string> Sandbox::Outside() const {
    std::vector<std::string> outside;
    for (const std::string& entry : Entries()) {
        const bool named = entry == "work" || entry == "r" || entry.rfind("work/", 0) == 0 || entry.rfind("r/", 0) == 0;
        if (!named) outside.push_back(entry);
    }
    return outside;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (auto it = fs::directory_iterator(folder, ignored); it != fs::directory_iterator(); it.increment(ignored)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

std::vector<std::string> TopAndCurrent() {
    std::vector<std::string> entries;
    for (const std::string& name : FolderNames("/")) entries.push_back("/" + name);
    const std::string current = fs::current_path().string();
    for (const std::string& name : FolderNames(current)) entries.push_back(current + "/" + name);
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

OutsideWatch::OutsideWatch() : before_(TopAndCurrent()) {}

std::vector<std::string> OutsideWatch::NewEntries() const {
    std::vector<std::string> added;
    const std::vector<std::string> now = TopAndCurrent();
    std::set_difference(now.begin(), now.end(), before_.begin(), before_.end(), std::back_inserter(added));
    return added;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsRoot() { return geteuid() == 0; }

ChildResult RunInChild(const std::function<bool()>& body, bool unprivileged) {
    constexpr int kCannotDrop = 77;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return ChildResult::kCrashed;
    if (child == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(kCannotDrop);
        bool passed = false;
        try {
            passed = body();
        } catch (...) {
            std::fputs("the child's checks ended in an exception\n", stderr);
        }
        std::fflush(nullptr);
        _exit(passed ? 0 : 1);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return ChildResult::kCrashed;
    }
    if (!WIFEXITED(status)) return ChildResult::kCrashed;
    switch (WEXITSTATUS(status)) {
        case 0:
            return ChildResult::kPassed;
        case kCannotDrop:
            return ChildResult::kCannotDropPrivileges;
        default:
            return ChildResult::kFailed;
    }
}

}  // namespace reliability
