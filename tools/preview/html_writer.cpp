#include "html_writer.h"

namespace kovr::html {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// Length of the UTF-8 sequence that starts text at position i, or 0 when the
// bytes there are not a well-formed sequence (overlong forms, surrogates and
// values past U+10FFFF included).
size_t SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

bool IsForbiddenControl(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7F;
}

std::string Escape(std::string_view text, bool attribute) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const size_t length = SequenceLength(text, i);
            if (length == 0) {
                out += kReplacement;
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        ++i;
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += attribute ? "&quot;" : "\"";
                break;
            case '\'':
                out += attribute ? "&#39;" : "'";
                break;
            default:
                if (IsForbiddenControl(c)) {
                    out += kReplacement;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

}  // namespace

std::string EscapeText(std::string_view text) { return Escape(text, false); }

std::string EscapeAttribute(std::string_view value) { return Escape(value, true); }

void HtmlWriter::Tag(std::string_view tag, const Attributes& attributes) {
    out_ += '<';
    out_ += tag;
    for (const auto& [name, value] : attributes) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        out_ += EscapeAttribute(value);
        out_ += '"';
    }
    out_ += '>';
}

void HtmlWriter::Open(std::string_view tag, const Attributes& attributes) {
    Tag(tag, attributes);
    open_.emplace_back(tag);
}

void HtmlWriter::Close() {
    if (open_.empty()) return;
    out_ += "</" + open_.back() + ">";
    open_.pop_back();
}

void HtmlWriter::Void(std::string_view tag, const Attributes& attributes) { Tag(tag, attributes); }

void HtmlWriter::Element(std::string_view tag, const Attributes& attributes, std::string_view text) {
    Open(tag, attributes);
    Text(text);
    Close();
}

void HtmlWriter::Text(std::string_view text) { out_ += EscapeText(text); }

void HtmlWriter::Raw(std::string_view markup) { out_ += markup; }

std::string HtmlWriter::Finish() {
    while (!open_.empty()) Close();
    return std::move(out_);
}

}  // namespace kovr::html
