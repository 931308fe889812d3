// Template files for the reader's tests: the files kept under data/, and
// files a test writes into a temporary folder of its own.
#ifndef KOV_TESTS_TEMPLATE_TEMPLATE_FILES_H
#define KOV_TESTS_TEMPLATE_TEMPLATE_FILES_H

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace templates {

// The folder of the kept template files.
inline std::string DataFolder() { return KOV_SOURCE_DIR "/tests/template/data"; }

inline std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A fresh temporary folder, removed with its contents when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kov-template-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

    // Writes text into the file name of this folder and returns its path.
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string file = path_ + "/" + name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

private:
    std::string path_;
};

}  // namespace templates

#endif
