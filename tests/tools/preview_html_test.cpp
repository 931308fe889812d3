// Tests of the preview page writer: texts that template authors write
// (captions, combo items, R names, error messages) holding markup characters,
// quotes, control characters or letters of other alphabets are shown as
// written, and the page keeps its structure: one element per control and one
// tab per page, every tag well formed.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "dialog_choices.h"
#include "dialog_view.h"
#include "dry_run.h"
#include "html_writer.h"
#include "preview_page.h"

namespace {


// What a browser reads from escaped text (the references the writer uses).
std::string Unescape(const std::string& text) {
    static const std::pair<const char*, const char*> kReferences[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [reference, character] : kReferences) {
            if (text.compare(i, std::char_traits<char>::length(reference), reference) == 0) {
                out += character;
                i += std::char_traits<char>::length(reference);
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

// One start or end tag of the page.
struct Tag {
    bool end = false;
    std::string name;
    std::map<std::string, std::string> attributes;  // values unescaped
    size_t from = 0, to = 0;                        // position in the page, to past the ">"
};

// Reads the page's tags; fails the test at the first "<" that does not start
// a well-formed tag with double-quoted attribute values. The contents of the
// style and script elements (the page's own) are skipped.
std::vector<Tag> ReadTags(const std::string& page) {
    static const std::regex kTag(R"(<(/?)([a-z0-9]+)((?:\s+[a-z-]+="[^"<>]*")*)\s*>)");
    static const std::regex kAttribute(R"re(([a-z-]+)="([^"]*)")re");
    std::vector<Tag> tags;
    size_t at = page.find('<');
    while (at != std::string::npos) {
        if (page.compare(at, 9, "<!DOCTYPE") == 0) {
            at = page.find('<', at + 1);
            continue;
        }
        std::smatch match;
        const std::string rest = page.substr(at, 4096);
        if (!std::regex_search(rest, match, kTag, std::regex_constants::match_continuous)) {
            ADD_FAILURE() << "not a tag at " << at << ": " << page.substr(at, 60);
            return tags;
        }
        Tag tag;
        tag.end = match[1].length() > 0;
        tag.name = match[2];
        const std::string attributes = match[3];
        for (std::sregex_iterator a(attributes.begin(), attributes.end(), kAttribute), end; a != end; ++a) {
            tag.attributes[(*a)[1]] = Unescape((*a)[2]);
        }
        tag.from = at;
        tag.to = at + match.length(0);
        tags.push_back(tag);
        at = tag.to;
        if (!tag.end && (tag.name == "style" || tag.name == "script")) at = page.find("</" + tag.name + ">", at);
        at = page.find('<', at);
    }
    return tags;
}

// Checks that every element is closed in order, and returns the tags.
std::vector<Tag> ReadBalancedTags(const std::string& page) {
    static const char* const kVoid[] = {"meta", "input", "br"};
    std::vector<Tag> tags = ReadTags(page);
    std::vector<std::string> open;
    for (const Tag& tag : tags) {
        if (std::find(std::begin(kVoid), std::end(kVoid), tag.name) != std::end(kVoid)) continue;
        if (!tag.end) {
            open.push_back(tag.name);
        } else if (open.empty() || open.back() != tag.name) {
            ADD_FAILURE() << "</" << tag.name << "> closes " << (open.empty() ? "nothing" : open.back());
            return tags;
        } else {
            open.pop_back();
        }
    }
    EXPECT_TRUE(open.empty()) << open.size() << " elements left open";
    return tags;
}

// The text between a start tag and the next tag, unescaped.
std::string TextAfter(const std::string& page, const Tag& tag) {
    return Unescape(page.substr(tag.to, page.find('<', tag.to) - tag.to));
}

const Tag* FindTag(const std::vector<Tag>& tags, const std::string& attribute, const std::string& value) {
    for (const Tag& tag : tags) {
        const auto found = tag.attributes.find(attribute);
        if (!tag.end && found != tag.attributes.end() && found->second == value) return &tag;
    }
    return nullptr;
}

size_t CountAttribute(const std::vector<Tag>& tags, const std::string& attribute) {
    size_t n = 0;
    for (const Tag& tag : tags) n += tag.attributes.count(attribute);
    return n;
}

// A dialog as the filling pass could describe it, with texts that need
// escaping everywhere a template author can write one.
struct NastyDialog {
    kovr::DialogView view;
    std::string caption = "Mean < median & \"trimmed\" 'mean' — Größe ≤ 5";
    std::string rName = "alpha\"><b>'x'</b>&amp;";
    std::string item = "<i>first</i> & ünïcödé";
    std::string itemRName = "a\"b'c<d";

    NastyDialog() {
        view.title = "Tests <&> \"all\"";
        view.functionName = "f<g>";
        view.path = "/tmp/x&y/t.xml";
        view.pages.push_back({"Général <1>", true, 4, 155, 155, {}});
        view.pages.push_back({"Options & more", false, 1, 155, 155, {}});
        AddControl("CheckBox", 0, caption, rName);
        AddControl("Group", 0, "Frame \"A\" <legend>", "");
        view.controls.back().frameChildren = 2;
        AddControl("ComboBox", 0, "Method & kind", "method");
        view.controls.back().combo = 1;
        view.combos.push_back({"CB003kovian", 1, {"plain", item}, {"p", itemRName}});
        AddControl("Input", 0, "Level <= 1", "conf.level");
        view.controls.back().input = 1;
        view.controls.back().defaultValue = "0,95\"/><script>";
        view.inputs.push_back({0, "double", "0", "1", true, true});
        AddControl("NextColumn", 0, "", "");
        AddControl("YQuantiField", 0, "Y <values>", "data1");
        view.controls.back().selection = 1;
        view.selections.push_back({});
        view.selections.back().name = "RefEditY";
        view.selections.back().text = "Y <values>";
        view.selections.back().dataType = "1";
        view.selections.back().yVar = true;
        AddControl("RadioButton", 1, "Radio \"one\"", "kind");
        view.controls.back().groupName = "g<1>";
        view.controls.back().defaultValue = "true";
        AddControl("Label", 1, "Note: <u>x</u> & y", "");
        view.controls.back().visible = false;
        view.results.push_back({});
        view.results.back().rName = "res<1>";
        view.results.back().text = "Result & table";
        view.results.back().plotCode = "plot(x < 1 & y > 2)";
        view.results.back().chartName = "c\"1\"";
        view.script.push_back({"r", true, "if (a < b && c > \"d\") x <- '<tag>'"});
        view.dialogCode = "\nPrivate Sub X()\n";
    }

    void AddControl(const std::string& kind, int page, const std::string& text, const std::string& rname) {
        kovr::ControlView c;
        c.index = static_cast<int>(view.controls.size()) + 1;
        c.kind = kind;
        c.page = page;
        c.text = text;
        c.rName = rname;
        c.defaultValue = kind == "CheckBox" ? "true" : "";
        view.controls.push_back(c);
    }
};

TEST(PreviewPage, TextsWithMarkupQuotesAndOtherAlphabetsAreShownAsWritten) {
    const NastyDialog dialog;
    const kovr::DialogChoices choices(dialog.view);
    kovr::DryRunCode code;
    code.code = "\nx <- c('<a>', \"&\")\n";
    const std::string page = kovr::DialogPage(dialog.view, choices, code);
    const std::vector<Tag> tags = ReadBalancedTags(page);

    // One element per control, one tab per page, however the texts read.
    EXPECT_EQ(CountAttribute(tags, "data-ctl"), dialog.view.controls.size());
    EXPECT_EQ(CountAttribute(tags, "data-page"), dialog.view.pages.size());
    for (const kovr::ControlView& c : dialog.view.controls) {
        const Tag* element = FindTag(tags, "data-ctl", std::to_string(c.index));
        ASSERT_NE(element, nullptr) << c.kind;
        EXPECT_EQ(element->attributes.at("data-kind"), c.kind);
        if (!c.rName.empty()) {
            EXPECT_EQ(element->attributes.at("title"), "R name: " + c.rName);
        }
    }
    const Tag* tab = FindTag(tags, "data-page", "0");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(TextAfter(page, *tab), "Général <1>");

    // The caption, the combo item and its R name, the input's default.
    bool captionShown = false, itemShown = false, defaultShown = false;
    for (const Tag& tag : tags) {
        if (tag.end) continue;
        captionShown = captionShown || (tag.name == "span" && TextAfter(page, tag) == dialog.caption);
        if (tag.name == "option" && TextAfter(page, tag) == dialog.item) {
            itemShown = true;
            EXPECT_EQ(tag.attributes.at("value"), dialog.itemRName);
            EXPECT_EQ(tag.attributes.count("selected"), 1u);
        }
        defaultShown = defaultShown || (tag.name == "input" && tag.attributes.count("value") > 0 &&
                                        tag.attributes.at("value") == "0,95\"/><script>");
    }
    const Tag* label = FindTag(tags, "data-ctl", "8");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(TextAfter(page, *label), "Note: <u>x</u> & y");
    EXPECT_EQ(label->attributes.at("class"), "ctl label invisible");
    EXPECT_TRUE(captionShown);
    EXPECT_TRUE(itemShown);
    EXPECT_TRUE(defaultShown);

    // The code blocks keep their first line feed and their characters.
    const Tag* rCode = FindTag(tags, "class", "rcode");
    ASSERT_NE(rCode, nullptr);
    EXPECT_EQ(TextAfter(page, *rCode), "\n" + code.code);
    EXPECT_NE(page.find("<code>if (a &lt; b &amp;&amp; c &gt; \"d\") x &lt;- '&lt;tag&gt;'</code>"), std::string::npos);
    EXPECT_EQ(page.find("<b>'x'"), std::string::npos);
    EXPECT_EQ(page.find("<i>first"), std::string::npos);
}

TEST(PreviewPage, ErrorPageShowsTheMessageExactly) {
    const std::string message =
        "\nFATAL ERROR: Opening and ending tag mismatch: Tab line 3 and <RFunction> & \"more\"\n  at line 9\n";
    const std::string page = kovr::ErrorPage("/tmp/<broken>.xml", "XML Error", message);
    const std::vector<Tag> tags = ReadBalancedTags(page);
    const Tag* box = FindTag(tags, "data-error", "yes");
    ASSERT_NE(box, nullptr);
    const Tag* text = FindTag(tags, "class", "message");
    ASSERT_NE(text, nullptr);
    EXPECT_GT(text->from, box->from);
    // The parser drops the line feed that follows <pre>; the message keeps its own.
    EXPECT_EQ(TextAfter(page, *text), "\n" + message);
    EXPECT_EQ(TextAfter(page, *FindTag(tags, "class", "titlebar")), "XML Error");
    EXPECT_EQ(CountAttribute(tags, "data-ctl"), 0u);
}

}  // namespace
