#include "xml_error.h"

#include <sstream>
#include <utility>

#include "xml_node.h"

namespace {

// The text of rest before its first ":", which is removed with the ":"; all
// of rest when it holds none.
std::string CutField(std::string& rest) {
    const size_t colon = rest.find(':');
    if (colon == std::string::npos) return std::exchange(rest, std::string());
    std::string field = rest.substr(0, colon);
    rest.erase(0, colon + 1);
    return field;
}

// When text starts an error, its line number and what follows it.
//
// With a recorded file name the error's location is "<file>:<line>:"; the
// parser may print other text (a system message) in front of it on the same
// line. Without one (a file that could not be opened at all) the parser
// writes "<kind> : <message>" with no location, and the line number is 0.
bool StartsError(const std::string& text, const std::string& recordedFile, std::string& lineNumber,
                 std::string& rest) {
    if (recordedFile.empty()) {
        if (text.find(" : ") == std::string::npos) return false;
        lineNumber = "0";
        rest = text;
        return true;
    }
    const size_t at = text.find(recordedFile);
    if (at == std::string::npos) return false;
    const size_t after = at + recordedFile.size() + 1;
    rest = after < text.size() ? text.substr(after) : std::string();
    lineNumber = CutField(rest);
    return true;
}

}  // namespace

void XmlError::Collect(const std::string& captured, const std::string& recordedFile, const std::string& path) {
    std::istringstream report(captured);
    std::string text;
    while (std::getline(report, text)) {
        std::string lineNumber;
        std::string rest;
        if (StartsError(text, recordedFile, lineNumber, rest)) {
            std::string kind = CutField(rest);
            Add(path, lineNumber, kind, CutField(rest));
        } else if (!extras.empty()) {
            extras.back() += text + "\n";
        }
    }
}

void XmlError::Add(const std::string& path, const std::string& line, const std::string& kind,
                   const std::string& info) {
    paths.push_back(path);
    lines.push_back(line);
    kinds.push_back(kind);
    infos.push_back(info);
    extras.emplace_back();
}

std::wstring XmlError::Report() const {
    std::string text;
    std::string lastShown = "-1";
    for (size_t i = 0; i < extras.size(); ++i) {
        if (i == 0) {
            std::string path = paths[0];
            const size_t twoSlashes = path.find("//");
            if (twoSlashes != std::string::npos) path.replace(twoSlashes, 2, "/");
            text += "Path: " + path + "\n" + std::string(36, '=') + "\n";
        }
        if (lines[i] == lastShown) continue;
        text += "Line: " + lines[i] + "\n";
        text += "Info: " + infos[i] + "\n";
        text += "Extra Info: \n" + extras[i];
        text += std::string(72, '-') + "\n";
        lastShown = lines[i];
    }
    return xmlCharToWstring(reinterpret_cast<const unsigned char*>(text.c_str()));
}
