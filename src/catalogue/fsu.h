// File-system helpers: normalising paths given in the host's classic forms
// (volume and colon separators, or backslashes) into slash-separated paths,
// listing and creating folders, and opening files named by wide strings.
#ifndef KOV_CATALOGUE_FSU_H
#define KOV_CATALOGUE_FSU_H

#include <cstdio>
#include <string>
#include <vector>

namespace fsu {

// Backslashes and colons become "/", a relative path of two or more
// characters gets a leading "/", a trailing "/" is dropped. "/" stays "/";
// the empty path stays empty.
std::string NormalizePath(const std::string& path);
std::wstring NormalizePathW(const std::wstring& path);

// A wide path in UTF-8 (Utf8, which also gives template text back its own
// bytes). A path holding a NUL names no file: the result is empty, which
// every file operation refuses, rather than the shorter path before the NUL.
std::string NarrowPath(const std::wstring& path);

// The names of the regular files of folder, and with includeSubfolders also
// of its subfolders ("." and ".." never), in the order the system lists them.
// A missing or unreadable folder, or an empty path, gives an empty list.
std::vector<std::string> GetFolderFiles(const std::string& folder, bool includeSubfolders);

// Creates the folder (not its parents) with all permission bits; a leading
// boot volume name ("/Macintosh HD") is stripped first. 1 when it was created
// or already existed, 0 on any other failure.
int CreateFolder(const std::string& path);

// fopen on the narrowed path and mode; null on failure.
FILE* OpenFileW(const std::wstring& path, const std::wstring& mode);

}  // namespace fsu

#endif
