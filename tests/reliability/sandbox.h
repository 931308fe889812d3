// Folders and processes for the bad-input tests: a temporary folder holding
// the work folder and the R folder that a test's records name, a listing of
// everything written anywhere else (the sandbox, the top of the file system,
// the current folder), and a child process in which a test can run without
// the privileges of root or under a small address-space limit.
#ifndef KOV_TESTS_RELIABILITY_SANDBOX_H
#define KOV_TESTS_RELIABILITY_SANDBOX_H

#include <functional>
#include <string>
#include <vector>

namespace reliability {

// A new temporary folder (open to every user, so that an unprivileged child
// can work in it) with the empty subfolders "work" and "r"; removed with
// everything in it.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::string& root() const { return root_; }
    // The folders the records name, with a trailing "/" as the add-in passes them.
    std::string work() const { return root_ + "/work/"; }
    std::string rFolder() const { return root_ + "/r/"; }
    std::string operator/(const std::string& name) const { return root_ + "/" + name; }

    // Every file and folder below the sandbox, as paths relative to it, sorted.
    std::vector<std::string> Entries() const;
    // The entries outside "work" and "r" (those two folders themselves excepted).
    std::vector<std::string> Outside() const;

private:
    std::string root_;
};

// The entries of the top of the file system and of the current folder when
// it was built; NewEntries() lists what has appeared there since.
class OutsideWatch {
public:
    OutsideWatch();
    std::vector<std::string> NewEntries() const;

private:
    std::vector<std::string> before_;
};

// The names in a folder, sorted (none when it cannot be read).
std::vector<std::string> FolderNames(const std::string& folder);

// Writes text into a file (folders must exist).
void WriteFile(const std::string& path, const std::string& text);
// The bytes of a file, "" when it cannot be read.
std::string ReadFile(const std::string& path);

// How a child process ended.
enum class ChildResult { kPassed, kFailed, kCrashed, kCannotDropPrivileges };

// Runs body in a child process; body returns whether its checks held (it
// reports what failed on the standard error stream). With unprivileged, a
// child of root first becomes the user "nobody", since permission bits do
// not hold for root; kCannotDropPrivileges when it cannot.
ChildResult RunInChild(const std::function<bool()>& body, bool unprivileged);

// Whether the process runs as root.
bool IsRoot();

}  // namespace reliability

#endif
