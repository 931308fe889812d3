// ByteFile: a text file that the library writes in UTF-8, opened by wide path
// through fsu::OpenFileW with mode "w+" and filled through a fixed buffer, so
// that a data file of any size costs one buffer of memory.
#ifndef KOV_RSCRIPT_CSV_FILE_H
#define KOV_RSCRIPT_CSV_FILE_H

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class ByteFile {
public:
    static constexpr size_t kBufferSize = size_t{1} << 20;

    // Opens (creates or truncates) the file; is_open() tells whether it worked.
    // Nothing else may be called on a file that did not open.
    explicit ByteFile(const std::wstring& path);
    // Writes what is buffered and closes the file.
    ~ByteFile();
    ByteFile(const ByteFile&) = delete;
    ByteFile& operator=(const ByteFile&) = delete;

    bool is_open() const { return file_ != nullptr; }

    // Room for n bytes at the returned position; pass the end of what was
    // written there to Advance.
    char* Room(size_t n) {
        if (capacity_ - used_ < n) MakeRoom(n);
        return buffer_.get() + used_;
    }
    void Advance(const char* end) { used_ = static_cast<size_t>(end - buffer_.get()); }

    void Put(char c) {
        *Room(1) = c;
        ++used_;
    }
    void Write(std::string_view bytes);
    // text in UTF-8 (Utf8).
    void WriteText(std::wstring_view text);

private:
    // Writes the buffer out; grows it when n bytes would not fit even empty.
    void MakeRoom(size_t n);

    FILE* file_;
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = kBufferSize;
    size_t used_ = 0;
};

#endif
