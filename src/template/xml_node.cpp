#include "xml_node.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "fsu.h"

namespace {

// Collects everything the parser reports during one parse into a string.
// The parser's error functions belong to the calling thread: they are set for
// the parse and put back afterwards (also when the parse ends in an
// exception). A structured error function the host set on this thread is
// held back meanwhile, so that the report always takes the parser's own form.
// Nothing process-wide is touched.
class ParserMessageCapture {
public:
    ParserMessageCapture()
        : savedHandler_(xmlGenericError),
          savedContext_(xmlGenericErrorContext),
          savedStructured_(xmlStructuredError),
          savedStructuredContext_(xmlStructuredErrorContext) {
        xmlSetGenericErrorFunc(&text_, handler_func);
        xmlSetStructuredErrorFunc(nullptr, nullptr);
    }
    ~ParserMessageCapture() {
        xmlSetStructuredErrorFunc(savedStructuredContext_, savedStructured_);
        xmlSetGenericErrorFunc(savedContext_, savedHandler_);
    }
    ParserMessageCapture(const ParserMessageCapture&) = delete;
    ParserMessageCapture& operator=(const ParserMessageCapture&) = delete;

    const std::string& Text() const { return text_; }

private:
    std::string text_;
    xmlGenericErrorFunc savedHandler_;
    void* savedContext_;
    xmlStructuredErrorFunc savedStructured_;
    void* savedStructuredContext_;
};

struct FreeContext {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
struct FreeDocument {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

// The parser's own message for an error it did not report through the
// generic error function, without its final line feed.
std::string LastMessage(const xmlError& last) {
    std::string message = last.message != nullptr ? last.message : "the file could not be read";
    while (!message.empty() && message.back() == '\n') message.pop_back();
    return message;
}

}  // namespace

void handler_func(void* context, const char* format, ...) {
    char buffer[256];
    va_list arguments;
    va_start(arguments, format);
    const int written = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (written < 0 || context == nullptr) return;
    static_cast<std::string*>(context)->append(buffer);
}

std::wstring xmlCharToWstring(const unsigned char* text) {
    if (text == nullptr) return std::wstring();
    std::wstring result(std::strlen(reinterpret_cast<const char*>(text)), L'\0');
    for (size_t i = 0; i < result.size(); ++i) result[i] = static_cast<signed char>(text[i]);
    return result;
}

XmlNode::~XmlNode() {
    for (XmlNode* child : children) delete child;
}

void XmlNode::ParseAndFill(XmlExtent extent) {
    if (path.empty()) return;
    const std::string file = fsu::NarrowPath(path);
    // The parser's one-time set-up is not safe to run twice at once; the
    // parser's state is never torn down, since other threads (and the host)
    // may be using it.
    static std::once_flag parserReady;
    std::call_once(parserReady, xmlInitParser);
    std::unique_ptr<xmlParserCtxt, FreeContext> context(xmlNewParserCtxt());
    if (context == nullptr) throw std::bad_alloc();
    std::unique_ptr<xmlDoc, FreeDocument> document;
    std::string captured;
    {
        ParserMessageCapture capture;
        document.reset(xmlCtxtReadFile(context.get(), file.c_str(), nullptr, 0));
        captured = capture.Text();
    }
    if (document != nullptr) {
        xmlNode* top = xmlDocGetRootElement(document.get());
        if (top == nullptr) return;
        if (extent == XmlExtent::kTree) {
            Fill(top);
        } else {
            name = xmlCharToWstring(top->name);
            type = top->type;
            GetAttributes(top);
        }
        return;
    }
    const xmlError& last = context->lastError;
    error.Collect(captured, last.file != nullptr ? last.file : "", file);
    // A parse that failed always leaves an error, also when the parser
    // reported nothing through its error functions.
    if (error.empty()) error.Add(file, std::to_string(last.line), "", LastMessage(last));
}

int XmlNode::Fill(xmlNode* source) {
    name = xmlCharToWstring(source->name);
    type = source->type;
    // Only elements have attributes and children of their own; an entity
    // reference's children are the entity's declaration.
    if (source->type != XML_ELEMENT_NODE) return 1;
    GetAttributes(source);
    if (source->children != nullptr) value = xmlCharToWstring(source->children->content);
    for (xmlNode* child = source->children; child != nullptr; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_COMMENT_NODE) continue;
        auto node = std::make_unique<XmlNode>();
        node->parent = this;
        children.push_back(node.get());
        node.release()->Fill(child);
    }
    return 1;
}

void XmlNode::GetAttributes(xmlNode* source) {
    for (xmlAttr* attribute = source->properties; attribute != nullptr; attribute = attribute->next) {
        const xmlNode* valueNode = attribute->children;
        if (valueNode == nullptr || valueNode->content == nullptr || valueNode->content[0] == 0) continue;
        attributes.emplace(xmlCharToWstring(attribute->name), xmlCharToWstring(valueNode->content));
    }
}
