#include "fsu.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "utf8.h"

namespace fsu {

namespace {

template <typename String>
String Normalize(const String& path) {
    using Char = typename String::value_type;
    const Char slash = '/';
    if (path.size() == 1 && path[0] == slash) return path;
    String result = path;
    for (Char& c : result) {
        if (c == Char('\\') || c == Char(':')) c = slash;
    }
    if (result.size() >= 2 && result[0] != slash) result.insert(result.begin(), slash);
    if (!result.empty() && result.back() == slash) result.pop_back();
    return result;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

constexpr int kCannotWrite = -1;
constexpr int kReplace = -2;

// Opens an existing plain file of this process's own, or a new one, emptied.
// kReplace: the path holds something else (a link, another account's file),
// which is never written through; kCannotWrite: a file of this process's own
// that it may not write (it is kept), or a missing folder. O_NONBLOCK keeps a
// planted named pipe from blocking the call; plain files ignore it.
int OpenOwnFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat status;
    if (fd < 0) {
        if (errno == ELOOP) return kReplace;
        const bool othersFile = errno == EACCES && lstat(path.c_str(), &status) == 0 && status.st_uid != geteuid();
        return othersFile ? kReplace : kCannotWrite;
    }
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == geteuid() &&
        status.st_nlink == 1 && ftruncate(fd, 0) == 0) {
        return fd;
    }
    close(fd);
    return kReplace;
}

}  // namespace

std::string NormalizePath(const std::string& path) { return Normalize(path); }

std::wstring NormalizePathW(const std::wstring& path) { return Normalize(path); }

std::string NarrowPath(const std::wstring& path) {
    if (path.find(L'\0') != std::wstring::npos) return std::string();
    return Utf8(path);
}

std::vector<std::string> GetFolderFiles(const std::string& folder, bool includeSubfolders) {
    std::vector<std::string> names;
    std::string copy = folder;
    // The root keeps its slash: dropping it would name no folder at all.
    if (copy.size() > 1 && copy.back() == '/') copy.pop_back();
    if (copy.empty()) return names;
    DIR* dir = opendir(copy.c_str());
    if (dir == nullptr) return names;
    try {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (entry->d_type == DT_REG) {
                names.push_back(name);
            } else if (entry->d_type == DT_DIR && includeSubfolders && name != "." && name != "..") {
                names.push_back(name);
            }
        }
    } catch (...) {
        closedir(dir);
        throw;
    }
    closedir(dir);
    return names;
}

int CreateFolder(const std::string& path) {
    std::string copy = path;
    if (Contains(copy, "/Macintosh HD")) copy.erase(0, 13);
    if (Contains(copy, "Macintosh HD")) copy.erase(0, 12);
    if (mkdir(copy.c_str(), 0777) != 0 && errno != EEXIST) return 0;
    return 1;
}

int CreateOwnFolder(const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) unlink(path.c_str());
    return CreateFolder(path);
}

FILE* OpenFileW(const std::wstring& path, const std::wstring& mode) {
    const std::string file = NarrowPath(path);
    const std::string how = NarrowPath(mode);
    if (file.empty() || how.empty() || how[0] != 'w') return nullptr;
    int fd = OpenOwnFile(file);
    if (fd == kReplace) {
        // Only the name is removed: a link's target and another account's
        // file stay untouched. Exclusive creation fails when anything is at
        // the path again (a folder that keeps others' files, or a race).
        unlink(file.c_str());
        fd = open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    }
    if (fd < 0) return nullptr;
    FILE* stream = fdopen(fd, how.c_str());
    if (stream == nullptr) close(fd);
    return stream;
}

bool IsPathPart(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    return name.find_first_of(std::wstring(L"/\\:\0", 4)) == std::wstring::npos;
}

}  // namespace fsu
