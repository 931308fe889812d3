#include "json_writer.h"

#include <cstdio>

namespace kovr {

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    Quoted(name);
    out_ << ": ";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    Quoted(text);
}

void JsonWriter::Number(int64_t value) {
    BeforeValue();
    out_ << value;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ << bracket;
    counts_.push_back(0);
}

void JsonWriter::Close(char bracket) {
    const bool empty = counts_.back() == 0;
    counts_.pop_back();
    if (!empty) Indent();
    out_ << bracket;
    if (counts_.empty()) out_ << "\n";
}

// Writes the separator and the line break that come before a value or a key;
// a value that follows its key stays on the key's line.
void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (counts_.empty()) return;
    if (counts_.back()++ > 0) out_ << ",";
    Indent();
}

void JsonWriter::Indent() {
    out_ << "\n";
    for (size_t k = 0; k < counts_.size(); ++k) out_ << "  ";
}

void JsonWriter::Quoted(std::string_view text) {
    out_ << '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out_ << "\\\"";
                break;
            case '\\':
                out_ << "\\\\";
                break;
            case '\n':
                out_ << "\\n";
                break;
            case '\r':
                out_ << "\\r";
                break;
            case '\t':
                out_ << "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out_ << escaped;
                } else {
                    out_ << c;
                }
        }
    }
    out_ << '"';
}

}  // namespace kovr
