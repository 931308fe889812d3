// The script block: the template's R code, one script line per ScriptLine
// element and per non-blank line of an RBlock element's text.
#include <vector>

#include "node_access.h"
#include "rxml.h"
#include "size_counts.h"
#include "vb_string.h"

namespace {

// The code lines of a block's text: each line ended by a line feed, without
// its leading and trailing tabs and blanks; blank lines are skipped and text
// after the last line feed is not a line.
std::vector<std::wstring> BlockLines(const std::wstring& text) {
    const wchar_t* const kBlanks = L"\t ";
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end = text.find(L'\n'); end != std::wstring::npos; start = end + 1, end = text.find(L'\n', start)) {
        const size_t first = text.find_first_not_of(kBlanks, start);
        if (first >= end) continue;
        const size_t last = text.find_last_not_of(kBlanks, end - 1);
        lines.push_back(text.substr(first, last - first + 1));
    }
    return lines;
}

}  // namespace

void RXml::GetScript(XmlNode* script) {
    dialog->replaceByValue = FlagUnlessFalse(script, L"replacebyvalue");
    auto append = [this](const std::wstring& engine, short replace, const std::wstring& code) {
        dialog->scriptEngine.Append(engine);
        dialog->scriptReplace.Append(replace);
        dialog->scriptCode.Append(code);
    };
    for (XmlNode* child : script->children) {
        if (child->name == L"ScriptLine") {
            const std::wstring code = GetAttributeFromNode(child, L"code", L"");
            append(GetAttributeFromNode(child, L"engine", L"r"), FlagUnlessFalse(child, L"replace"), code);
            if (InStr(1, code, L"kovianseed") > 0) dialog->usesSeed = -1;
        } else if (child->name == L"RBlock") {
            const std::wstring engine = GetAttributeFromNode(child, L"engine", L"r");
            const short replace = FlagUnlessFalse(child, L"replace");
            for (const std::wstring& line : BlockLines(GetValueFromNode(child))) append(engine, replace, line);
        }
    }
}

void RXml::GetScriptSize(XmlNode* script) {
    for (XmlNode* child : script->children) {
        if (child->name == L"ScriptLine") {
            CountEntry(*sizes, kScriptVectors);
        } else if (child->name == L"RBlock") {
            for (size_t n = BlockLines(GetValueFromNode(child)).size(); n > 0; --n) CountEntry(*sizes, kScriptVectors);
        }
    }
}
