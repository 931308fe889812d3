#include "fsu.h"

#include <dirent.h>
#include <sys/stat.h>

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
    if (mkdir(copy.c_str(), 07777) != 0 && errno != EEXIST) return 0;
    chmod(copy.c_str(), 07777);
    return 1;
}

FILE* OpenFileW(const std::wstring& path, const std::wstring& mode) {
    return std::fopen(NarrowPath(path).c_str(), NarrowPath(mode).c_str());
}

}  // namespace fsu
