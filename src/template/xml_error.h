// XmlError: the messages of a template parse that failed, split into one
// entry per error (file, line, kind, message, context lines), and the text the
// add-in shows for them.
#ifndef KOV_TEMPLATE_XML_ERROR_H
#define KOV_TEMPLATE_XML_ERROR_H

#include <string>
#include <vector>

class XmlError {
public:
    // Splits the parser's captured report into errors. A line holding
    // recordedFile (the file name the parser recorded with its last error)
    // starts an error: after the name and its ":" come the line number, the
    // kind and the message, separated by ":". The lines that follow are the
    // error's context. Lines before the first error are dropped.
    void Collect(const std::string& captured, const std::string& recordedFile, const std::string& path);

    // Records one error directly.
    void Add(const std::string& path, const std::string& line, const std::string& kind, const std::string& info);

    bool empty() const { return extras.empty(); }

    // "Path: " and a rule, then per line of the file that has errors the first
    // error on it: "Line: ", "Info: ", "Extra Info: " with its context lines,
    // and a rule. Empty when there are no errors.
    std::wstring Report() const;

    // Entry i of each list belongs to error i.
    std::vector<std::string> paths;
    std::vector<std::string> lines;
    std::vector<std::string> kinds;
    std::vector<std::string> infos;
    std::vector<std::string> extras;  // context lines, each ending in "\n"
};

#endif
