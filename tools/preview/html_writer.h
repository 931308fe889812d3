// Builds the text of an HTML document element by element. Every text and
// attribute value goes through the escaping functions, so whatever a template
// author wrote (markup characters, quotes, letters of any alphabet) is shown
// as written and cannot end an element or an attribute early.
#ifndef KOVR_PREVIEW_HTML_WRITER_H
#define KOVR_PREVIEW_HTML_WRITER_H

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kovr::html {

// text for an element's content: "&", "<" and ">" become character
// references. UTF-8 letters pass unchanged; control characters that a page
// may not hold and bytes that are not UTF-8 become U+FFFD.
std::string EscapeText(std::string_view text);

// value for a quoted attribute: as EscapeText, and the quotes " and ' too.
std::string EscapeAttribute(std::string_view value);

// Name and value of an attribute; an empty value writes name="" (for the
// boolean attributes such as checked and disabled).
using Attributes = std::vector<std::pair<std::string, std::string>>;

class HtmlWriter {
public:
    // <tag attributes>, to be closed by Close().
    void Open(std::string_view tag, const Attributes& attributes = {});
    // Closes the element opened last; does nothing when none is open.
    void Close();
    // An element that has no content and no end tag (input, br, meta).
    void Void(std::string_view tag, const Attributes& attributes = {});
    // <tag attributes>text</tag>.
    void Element(std::string_view tag, const Attributes& attributes, std::string_view text);
    void Text(std::string_view text);
    // Markup of the page's own (style sheet, script); never template text.
    void Raw(std::string_view markup);
    // A line break in the source, for readers of the file.
    void Newline() { out_ += '\n'; }

    // The document, every element still open closed.
    std::string Finish();

private:
    void Tag(std::string_view tag, const Attributes& attributes);

    std::string out_;
    std::vector<std::string> open_;
};

}  // namespace kovr::html

#endif
