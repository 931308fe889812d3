// Generated templates through both exports: random mixes of every element
// and attribute the reader knows, columns and groups nested in each other,
// results before and after the automatic outputs. However they are mixed,
// the sizing pass counts exactly what the filling pass appends, but for the
// descriptive statistics check box, which it reserves once per result.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "dialog_fields.h"
#include "host_arrays.h"

namespace {


// The words of text, separated by separator.
std::vector<std::string> Words(const std::string& text, char separator = ' ') {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; std::getline(in, word, separator);) words.push_back(word);
    return words;
}

const std::vector<std::string> kControlKinds =
    Words("CheckBox RadioButton Input ComboBox Group Missing VarHeaders Interactions RefEdit DataField ObsLabelsField "
          "YQuantiField YQualiField XQuantiField XQualiField Label");
const std::vector<std::string> kPageLevelKinds = Words("AutoPredict AutoOutputs AutoCharts Column");
const std::vector<std::string> kHeaderElements = Words("AuthorXML DateCreated RDescription PackageVersion");
const std::vector<std::string> kControlAttributes =
    Words("text name enabled visible default chartname reporttext left nextrow rname rname_option width height tooltip "
          "onchange onclick refeditlinked style type reportgroup groupname optional optiondefault rtype yvar onebyone "
          "str2dbl onecolumn add min max options stats");
const std::vector<std::string> kResultAttributes =
    Words("text rname type hidden chartname show rplotformat rplotcode rowlabels rplotwidth");
const std::vector<std::string> kValues =
    Words("^true^false^True^FALSE^0^2,5^-1^|12|^||^|99999|^|abc|^a &amp;lt; b^numeric^7^text^x,y^data3^c1^"
          "A rather long result title", '^');

// A random template, and how many more controls its sizing pass counts than
// its filling pass appends.
struct GeneratedTemplate {
    std::string xml;
    int controlOverCount = 0;
};

class TemplateGenerator {
public:
    explicit TemplateGenerator(unsigned seed) : random_(seed) {}

    GeneratedTemplate Next() {
        autoOutputs_ = false;
        stats_ = false;
        overCount_ = 0;
        std::string xml = "<Function" + Attributes({"text", "function", "packages", "group", "keywords"}) + ">\n";
        for (int n = Pick(9); n > 0; --n) {
            const int pick = Pick(9);
            const std::string& header = Any(kHeaderElements);
            if (pick < 4) Tab(xml);
            if (pick == 4 || pick == 5) Results(xml);
            if (pick == 6) xml += "<RScript><ScriptLine code=\"x\"/><RBlock>\n a\n\n b\n</RBlock></RScript>\n";
            if (pick == 7) xml += "<" + header + ">header</" + header + ">\n";
            if (pick == 8) xml += "<Notes" + Attributes(kControlAttributes) + "><CheckBox/></Notes>\n";
        }
        return {xml + "</Function>\n", overCount_};
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    const std::string& Any(const std::vector<std::string>& items) {
        return items[static_cast<size_t>(Pick(static_cast<int>(items.size())))];
    }

    // Up to four distinct attributes of names, with values from kValues.
    std::string Attributes(const std::vector<std::string>& names) {
        std::vector<std::string> chosen;
        for (int n = Pick(5); n > 0; --n) {
            const std::string& name = Any(names);
            if (std::find(chosen.begin(), chosen.end(), name) == chosen.end()) chosen.push_back(name);
        }
        std::string text;
        for (const std::string& name : chosen) text += " " + name + "=\"" + Any(kValues) + "\"";
        return text;
    }

    void Tab(std::string& xml) {
        xml += "<Tab" + Attributes({"text", "leftcolumnwidth", "rightcolumnwidth", "enabled"}) + ">\n";
        PageList(xml, 0, true);
        xml += "</Tab>\n";
    }

    // The children of a page or column; loaded tells whether the reader
    // loads them (not after a list's third column, nor in a column that
    // stands in a group).
    void PageList(std::string& xml, int depth, bool loaded) {
        int columns = 0;
        for (int n = Pick(7); n > 0; --n) {
            const std::string kind = Chance(25) ? Any(kPageLevelKinds) : Any(kControlKinds);
            if (kind == "Column") {
                if (depth >= 3) continue;
                if (columns++ >= 2) loaded = false;
                xml += "<Column>";
                PageList(xml, depth + 1, loaded);
                xml += "</Column>\n";
            } else if (kind == "AutoOutputs") {
                const std::string stats = Chance(30) ? Any(kValues) : "true";
                if (loaded) {
                    autoOutputs_ = true;
                    stats_ = stats == "true" || stats.empty();
                }
                xml += "<AutoOutputs stats=\"" + stats + "\"/>\n";
            } else {
                Control(xml, kind, depth);
            }
        }
    }

    // One element loaded as a control, with its children when it has some.
    void Control(std::string& xml, const std::string& kind, int depth) {
        xml += "<" + kind + Attributes(kControlAttributes) + ">";
        if (kind == "ComboBox") {
            for (int n = Pick(4); n > 0; --n) {
                xml += Chance(80) ? "<Item" + Attributes({"text", "rname"}) + "/>" : "<Note/>";
            }
        } else if (kind == "Group" && depth < 3) {
            for (int n = Pick(5); n > 0; --n) {
                const std::string child = Chance(20) ? Any(kPageLevelKinds) : Any(kControlKinds);
                if (child == "Column") {
                    // A column in a group is a control; its children are not.
                    xml += "<Column>";
                    PageList(xml, depth + 1, false);
                    xml += "</Column>";
                } else {
                    Control(xml, child, depth + 1);
                }
            }
        }
        xml += "</" + kind + ">\n";
    }

    void Results(std::string& xml) {
        xml += "<RResults>\n";
        int results = 0;
        for (int n = Pick(6); n > 0; --n) {
            if (Chance(10)) {
                xml += "<Note rname=\"x\"/>\n";
                continue;
            }
            xml += "<Result" + Attributes(kResultAttributes) + "/>\n";
            ++results;
        }
        xml += "</RResults>\n";
        // Reserved once per result, added once per RResults.
        if (autoOutputs_ && stats_ && results > 0) overCount_ += results - 1;
    }

    std::mt19937 random_;
    bool autoOutputs_ = false;
    bool stats_ = false;
    int overCount_ = 0;
};

// The control pages in storage order, each below the number of pages.
void ExpectControlsInPageOrder(const kovr::LoadedTemplate& loaded) {
    if (!loaded.ok()) return;
    const ST_Vect& pages = loaded.dialog->controls().ctlPage;
    for (int i = 1; i <= pages.count; ++i) {
        EXPECT_LT(kovr::IntAt(pages, i), loaded.dialog->dialog().pageText.count);
        if (i > 1) {
            EXPECT_LE(kovr::IntAt(pages, i - 1), kovr::IntAt(pages, i));
        }
    }
}

TEST(GeneratedTemplates, SizingCountsWhatFillingAppendsAndControlsEndInPageOrder) {
    TemplateGenerator generator(20240502);
    for (int t = 0; t < 300 && !::testing::Test::HasFailure(); ++t) {
        const GeneratedTemplate generated = generator.Next();
        SCOPED_TRACE("template " + std::to_string(t) + ":\n" + generated.xml);
        kovr::LoadedTemplate loaded = templates::LoadText(generated.xml);
        templates::ExpectSizingMatchesFilling(loaded, generated.controlOverCount);
        ExpectControlsInPageOrder(loaded);
    }
}

}  // namespace
