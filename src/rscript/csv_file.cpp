#include "csv_file.h"

#include <algorithm>
#include <cstring>

#include "fsu.h"
#include "utf8.h"

// The buffer comes first: when memory runs out for it, no file is left open
// (or emptied).
ByteFile::ByteFile(const std::wstring& path) : file_(nullptr), buffer_(new char[kBufferSize]) {
    file_ = fsu::OpenFileW(path, L"w+");
}

ByteFile::~ByteFile() {
    if (file_ == nullptr) return;
    MakeRoom(0);
    std::fclose(file_);
}

void ByteFile::MakeRoom(size_t n) {
    // A failed write (a full disk) is not reported: like a file that cannot
    // be opened, it leaves the file short and the caller unaware.
    if (used_ > 0) std::fwrite(buffer_.get(), 1, used_, file_);
    used_ = 0;
    if (n > capacity_) {
        buffer_.reset(new char[n]);
        capacity_ = n;
    }
}

void ByteFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t n = std::min(bytes.size(), capacity_);
        std::memcpy(Room(n), bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

void ByteFile::WriteText(std::wstring_view text) {
    // ASCII, by far the most common text, is copied as it is.
    const bool ascii = std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0 && c < 0x80; });
    if (!ascii) {
        Write(Utf8(text));
        return;
    }
    while (!text.empty()) {
        const size_t n = std::min(text.size(), capacity_);
        char* out = Room(n);
        for (size_t k = 0; k < n; ++k) out[k] = static_cast<char>(text[k]);
        used_ += n;
        text.remove_prefix(n);
    }
}
