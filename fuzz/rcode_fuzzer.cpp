// Fuzz target of the code assembly and the transfer: typed option values,
// folder names, column headers, labels and text cells drawn from quotes,
// backslashes, separators, line breaks, control characters, letters of several
// scripts and surrogates go through Cpp_TransferToR into a model template. The
// analysis script and the data file are read back, and:
// - every text option value appears, after its R name, as one R string
//   literal that R decodes to exactly the value's UTF-8;
// - the log, data and chart paths appear as one literal each, decoding to the
//   folder's UTF-8 path;
// - integer lists and numbers go in only as such, otherwise as NA;
// - every column name in the formula and in a data placeholder holds only
//   letters, digits, "." and "_", and equals the name in the data file's header.
#include <locale.h>
#include <wctype.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "dialog_choices.h"
#include "fuzz_support.h"
#include "host_arrays.h"
#include "transfer_call.h"
#include "utf8.h"

namespace {

using Text = std::u16string;
using namespace std::string_view_literals;

// Letters of the option names (t, g, l, s, v) appear in the text alphabet, so
// that a name inside an earlier value's literal would be found if the
// substitution looked into literals. The header alphabet holds none of them.
const Text kTextAlphabet(u"tgls v;'\"\\\n\r\t\x01\x7f\u0085#()=,:+-\u0127\u015c\u4e0a\u043b\xd83d\xde00\0"sv);
const Text kHeaderAlphabet(u"xyzXYZ09 .-_'\"()+*/;\u4e0a\u043b\u00e9\xd835\xdc00"sv);
const Text kListAlphabet(u"0123456789 ,;:-+e.x)(");
// Folder names: no separator (in a host path, backslash and ":" are separators
// too), no "." (so no "..") and no NUL.
const Text kFolderAlphabet(u"ab '\"%;()\u0127\u4e0a\n$`");

std::string Utf8Of(const Text& text) { return Utf8(std::wstring(text.begin(), text.end())); }

void AppendUtf8(std::string& out, uint32_t code) { out += Utf8(std::wstring(1, static_cast<wchar_t>(code))); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The R string literal that starts at script[at] (its quote), decoded as R
// decodes it, as bytes; at moves past the closing quote. Fails on anything
// that is no literal.
std::string ReadLiteral(const std::string& script, size_t& at) {
    FUZZ_CHECK(at < script.size() && (script[at] == '\'' || script[at] == '"'), "no literal at " + std::to_string(at));
    const char quote = script[at++];
    std::string value;
    while (true) {
        FUZZ_CHECK(at < script.size(), "unclosed literal");
        const char c = script[at++];
        if (c == quote) return value;
        FUZZ_CHECK(c != '\n' && c != '\r', "a raw line break in a literal");
        if (c != '\\') {
            value += c;
            continue;
        }
        FUZZ_CHECK(at < script.size(), "escape at the end");
        const char e = script[at++];
        switch (e) {
            case 'n': value += '\n'; break;
            case 'r': value += '\r'; break;
            case 't': value += '\t'; break;
            case '\\': case '\'': case '"': value += e; break;
            case 'x':
            case 'u': {
                const size_t most = e == 'x' ? 2 : 4;
                uint32_t code = 0;
                size_t n = 0;
                for (; n < most && at < script.size() && HexValue(script[at]) >= 0; ++n) code = code * 16 + HexValue(script[at++]);
                FUZZ_CHECK(n > 0 && code != 0, "an empty or NUL escape");
                if (e == 'x') {
                    value += static_cast<char>(code);
                } else {
                    AppendUtf8(value, code);
                }
                break;
            }
            default: fuzz::Fail("an escape R does not know", std::string(1, e));
        }
    }
}

// The literal that follows the first occurrence of prefix in script.
std::string LiteralAfter(const std::string& script, const std::string& prefix) {
    size_t at = script.find(prefix);
    FUZZ_CHECK(at != std::string::npos, "missing: " + prefix);
    at += prefix.size();
    return ReadLiteral(script, at);
}

// The text between prefix and the next occurrence of end.
std::string Between(const std::string& script, const std::string& prefix, const std::string& end) {
    size_t at = script.find(prefix);
    FUZZ_CHECK(at != std::string::npos, "missing: " + prefix);
    at += prefix.size();
    const size_t stop = script.find(end, at);
    FUZZ_CHECK(stop != std::string::npos, "missing end: " + end);
    return script.substr(at, stop - at);
}

// A name of only letters and digits (as R sees them in a UTF-8 locale), "."
// and "_", that does not start with a digit or "_".
void CheckName(const std::string& name) {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    FUZZ_CHECK(!name.empty(), "an empty name");
    const std::wstring text = FromUtf8(name);
    for (size_t k = 0; k < text.size(); ++k) {
        uint32_t c = static_cast<uint32_t>(text[k]);
        if (c >= 0xD800 && c < 0xDC00 && k + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++k] - 0xDC00);
        const bool ok = c == '.' || c == '_' || (utf8 != nullptr ? iswalnum_l(c, utf8) != 0 : c < 0x80 && iswalnum(c));
        FUZZ_CHECK(ok, "a name with more than letters, digits, '.' and '_': " + name);
    }
    FUZZ_CHECK(!(name[0] >= '0' && name[0] <= '9') && name[0] != '_', "a name R does not read: " + name);
}

bool OnlyOf(const std::string& text, const std::string& allowed) {
    return text.find_first_not_of(allowed) == std::string::npos;
}

// A model template with a text, a string, an integer-list and a numeric input,
// script lines that use them, the formula and an extra data column, and a chart.
constexpr char kTemplate[] = R"xml(<RFunction text="Fuzz" function="f" packages="," datastructure="model">
  <Tab text="Data">
    <YQuantiField/>
    <XQuantiField/>
    <XQualiField/>
    <ObsLabelsField add="true"/>
    <Input name="ttl" rname="ttl" type="text" default="0"/>
    <Input name="tg" rname="tg" type="string" default="0"/>
    <Input name="lags" rname="lags" type="integerlist" default="0"/>
    <Input name="lvl" rname="lvl" type="double" default="0"/>
  </Tab>
  <RResults><Result text="c" rname="c" chartname="c" rplotformat="png" rplotcode="plot(1)"/></RResults>
  <RScript replacebyvalue="true">
    <ScriptLine replace="true" code="res &lt;- list(ttl, tg, lags, lvl)"/>
    <ScriptLine replace="true" code="fit &lt;- lm(formula, data=Data1)"/>
    <ScriptLine replace="true" code="v &lt;- c(xltype(1,9))"/>
  </RScript>
</RFunction>)xml";

// The template read as the add-in reads it, every control at its default, the
// option values then set to exactly these code units.
kovr::LoadedTemplate Dialog(const std::map<std::string, Text>& values) {
    static kovr::Translations translations;
    static const std::string file = [] {
        const std::string path = fuzz::ProcessFolder() + "/f.xml";
        std::ofstream(path) << kTemplate;
        return path;
    }();
    kovr::LoadedTemplate loaded = kovr::LoadTemplate(file, translations);
    kovr::DialogChoices(kovr::ViewOf(loaded)).WriteOptionRows(*loaded.dialog);
    const ST_Vect& rows = loaded.dialog->dialog().optionValue;
    for (int k = 1; k <= rows.count; ++k) {
        BSTR& value = kovr::Elements<BSTR>(rows.values)[k - 1];
        SysFreeString(value);
        value = fuzz::Bstr(values.at(kovr::TextAt(loaded.dialog->dialog().optionRName, k)));
    }
    return loaded;
}

kovr::ColumnData Numbers(const std::string& name, size_t rows) {
    return {.name = name, .numbers = std::make_shared<const std::vector<double>>(rows, 1.5)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const Text title = fuzz::Text(in, 24, kTextAlphabet);
    const Text tag = fuzz::Text(in, 12, kTextAlphabet);
    const Text lags = fuzz::Text(in, 10, kListAlphabet, false);
    const Text level = fuzz::Text(in, 8, kListAlphabet, false);
    const Text workName = u"w" + fuzz::Text(in, 8, kFolderAlphabet, false);
    const Text rName = u"r" + fuzz::Text(in, 8, kFolderAlphabet, false);
    const size_t rows = in.ConsumeIntegralInRange<size_t>(1, 4);
    std::vector<std::string> headers;
    for (int k = 0; k < 5; ++k) headers.push_back(Utf8Of(fuzz::Text(in, 8, kHeaderAlphabet)));
    std::vector<std::string> texts;
    for (size_t r = 0; r < rows; ++r) texts.push_back(Utf8Of(fuzz::Text(in, 8, kTextAlphabet)));

    const std::string root = fuzz::ProcessFolder() + "/";
    const std::string work = root + Utf8Of(workName) + "/";
    const std::string rFolder = root + Utf8Of(rName) + "/";
    std::filesystem::create_directories(work);

    kovr::LoadedTemplate loaded = Dialog({{"ttl", title}, {"tg", tag}, {"lags", lags}, {"lvl", level}});
    loaded.main->Set(offsetof(ST_Main_aiR, workFolder), work);
    loaded.main->Set(offsetof(ST_Main_aiR, rFolder), rFolder);
    kovr::DataSetData set{.name = "Data1",
                          .quanti1 = {Numbers(headers[0], rows)},
                          .quanti2 = {Numbers(headers[1], rows), Numbers(headers[2], rows)},
                          .quali1 = {{.name = headers[3], .numeric = false, .texts = texts}},
                          .dataQuanti = {{Numbers(headers[4], rows)}},
                          .obsLabels = texts,
                          .rowCount = static_cast<int>(rows)};
    kovr::HostDataSets sets({set});
    kovr::TransferToR(*loaded.main, *loaded.dialog, sets, ";", 1);

    const std::string script = fuzz::ReadFile(rFolder + "f.script");
    const std::string csv = fuzz::ReadFile(work + "datastore/Data1.csv");
    std::error_code ignored;
    std::filesystem::remove_all(work, ignored);
    std::filesystem::remove_all(rFolder, ignored);
    FUZZ_CHECK(!script.empty() && !csv.empty(), "no script or no data file");

    // Typed text: one literal each, decoding to the value (up to a NUL: the
    // host array's strings are read as NUL-terminated).
    size_t at = script.find("res <- list(ttl=");
    FUZZ_CHECK(at != std::string::npos, "no option line");
    at += std::string("res <- list(ttl=").size();
    FUZZ_CHECK(ReadLiteral(script, at) == Utf8Of(fuzz::UpToNul(title)), "title: " + fuzz::Show(title));
    FUZZ_CHECK(script.compare(at, 5, ", tg=") == 0, "after the title: " + script.substr(at, 20));
    at += 5;
    FUZZ_CHECK(ReadLiteral(script, at) == Utf8Of(fuzz::UpToNul(tag)), "tag: " + fuzz::Show(tag));
    const std::string rest = script.substr(at, script.find('\n', at) - at);
    const std::string lagsCode = Between(rest, ", lags=", ", lvl=");
    FUZZ_CHECK(lagsCode == "NA" || (lagsCode.starts_with("c(") && lagsCode.ends_with(")") &&
                                    OnlyOf(lagsCode.substr(2, lagsCode.size() - 3), "0123456789 ,:-+")),
               "integer list: " + lagsCode);
    const std::string levelCode = Between(rest, ", lvl=", ")");
    FUZZ_CHECK(levelCode == "NA" || OnlyOf(levelCode, "0123456789.eE+-"), "number: " + levelCode);

    // Paths: one literal each, decoding to the folder's path.
    FUZZ_CHECK(LiteralAfter(script, "log <- file(") == rFolder + "log.txt", "log path");
    FUZZ_CHECK(LiteralAfter(script, "Data1<-read.csv(file=") == work + "datastore/Data1.csv", "data path");
    FUZZ_CHECK(LiteralAfter(script, "png(") == rFolder + "c.png", "chart path");

    // Column names: R names, as the data file's header has them.
    const std::vector<std::string> header = fuzz::Split(csv.substr(0, csv.find('\n')), ";");
    FUZZ_CHECK(header.size() == 6 && header[0] == "obsLabels", "header: " + csv.substr(0, csv.find('\n')));
    const std::string formula = Between(script, "fit <- lm(", ", data=Data1)");
    const std::vector<std::string> sides = fuzz::Split(formula, " ~ +");
    FUZZ_CHECK(sides.size() == 2, "formula: " + formula);
    std::vector<std::string> used = {sides[0]};
    for (const std::string& term : fuzz::Split(sides[1], "+")) used.push_back(term);
    used.push_back(Between(script, "v <- c(", ")\n"));
    FUZZ_CHECK(used.size() == 5, "formula: " + formula);
    for (size_t k = 0; k < used.size(); ++k) {
        CheckName(used[k]);
        FUZZ_CHECK(used[k] == header[k + 1], "code names " + used[k] + ", the header " + header[k + 1]);
    }
    return 0;
}
