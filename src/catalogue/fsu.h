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

// Creates the folder (not its parents) with the permission bits the
// process's umask leaves; an existing folder keeps its mode. A leading boot
// volume name ("/Macintosh HD") is stripped first. 1 when it was created or
// already existed, 0 on any other failure.
int CreateFolder(const std::string& path);

// CreateFolder for a folder the library keeps its own files in, below one the
// user named: a symbolic link or anything else that is no folder, planted at
// the path, loses its name (its target stays untouched) and a real folder is
// made, so that the files written into it land nowhere else.
int CreateOwnFolder(const std::string& path);

// Opens the file at the narrowed path empty, for the write mode given ("w"
// or "w+"), as a plain file of this process's own: a symbolic link, another
// account's file or a file with a second name at the path is never written
// through but removed and made afresh (the umask decides its mode). A file
// this process may not write stays as it is. Null on failure or refusal.
FILE* OpenFileW(const std::wstring& path, const std::wstring& mode);

// Whether a name taken from a template (a function, group, data-set, chart or
// result name) can be one part of a path: not empty, not "." or "..", and
// without "/", "\", ":" or NUL, which would lead out of its folder.
bool IsPathPart(const std::wstring& name);

}  // namespace fsu

#endif
