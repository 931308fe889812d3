// XmlNode: one element of a parsed template. The tree owns copies of
// everything the loaders read (element names, attributes, text) as wide
// strings, so the parser's document is freed as soon as the tree is built.
// The root node names the template file and, when the file does not parse,
// holds the parser's messages in its error record.
#ifndef KOV_TEMPLATE_XML_NODE_H
#define KOV_TEMPLATE_XML_NODE_H

#include <libxml/tree.h>

#include <map>
#include <string>
#include <vector>

#include "xml_error.h"

// The generic error function given to the parser while it reads a template:
// formats one piece of a report (at most 255 characters) and appends it to
// the std::string that context points at.
void handler_func(void* context, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Parser text as a wide string, one character per byte (bytes above 127
// become negative characters); null gives the empty string.
std::wstring xmlCharToWstring(const unsigned char* text);

// How much of a parsed document ParseAndFill copies: the whole element tree,
// or only the root element's name and attributes (for readers that look at
// nothing else, such as the catalogue, which reads hundreds of templates).
enum class XmlExtent { kTree, kRootAttributes };

class XmlNode {
public:
    XmlNode() = default;
    // The root of the template at path.
    explicit XmlNode(const std::wstring& path) : path(path) {}
    ~XmlNode();
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    // Parses the file at path into this node. On success the node holds the
    // document's root element (as much of it as extent says); otherwise it
    // has no children and error holds the parser's messages (a file that
    // cannot be read included). The reports are collected through error
    // functions of the calling thread, set only while the parser runs, so
    // threads may parse at once.
    void ParseAndFill(XmlExtent extent = XmlExtent::kTree);

    // Copies source and, recursively, its children (text and comment nodes
    // excepted) into this node. Returns 1.
    int Fill(xmlNode* source);

    // Copies the attributes of source that have a non-empty value; a name
    // met twice keeps its first value.
    void GetAttributes(xmlNode* source);

    std::wstring name;
    int type = 0;
    std::map<std::wstring, std::wstring> attributes;
    XmlNode* parent = nullptr;
    std::vector<XmlNode*> children;  // owned
    // The content of the first child node: the element's text when it starts
    // with text or a CDATA section, empty when it starts with an element.
    std::wstring value;
    std::wstring path;  // root only
    XmlError error;     // root only
};

#endif
