#include "xml_node.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <iostream>
#include <sstream>
#include <string>

#include "template_files.h"

namespace {

using templates::TempFolder;
using templates::Wide;

// Parses the file at path into a fresh root node.
std::unique_ptr<XmlNode> Parse(const std::string& path) {
    auto root = std::make_unique<XmlNode>(Wide(path));
    root->ParseAndFill();
    return root;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string Rule(char c, int n) { return std::string(static_cast<size_t>(n), c) + "\n"; }

TEST(XmlNode, CopiesElementsAttributesAndLeadingText) {
    TempFolder folder;
    const std::string path = folder.Write("tree.xml",
                                          "<?xml version=\"1.0\"?>\n"
                                          "<Function text=\"Regression\" empty=\"\" packages=\"stats\">\n"
                                          "  <!-- a comment is not a child -->\n"
                                          "  <DateCreated>2024-01-31</DateCreated>\n"
                                          "  <Tab text=\"\"><CheckBox name=\"c1\"/>later text</Tab>\n"
                                          "  <RBlock><![CDATA[x <- 1\n]]></RBlock>\n"
                                          "  <Escaped>a &lt; b</Escaped>\n"
                                          "  <Empty/>\n"
                                          "</Function>\n");
    const auto root = Parse(path);
    ASSERT_TRUE(root->error.empty());
    EXPECT_EQ(root->name, L"Function");
    EXPECT_EQ(root->type, 1);
    EXPECT_EQ(root->path, Wide(path));
    EXPECT_EQ(root->parent, nullptr);
    EXPECT_EQ(root->attributes.size(), 2u);  // empty="" is absent
    EXPECT_EQ(root->attributes.at(L"text"), L"Regression");
    EXPECT_EQ(root->attributes.at(L"packages"), L"stats");
    // The root starts with whitespace before its first element.
    EXPECT_EQ(root->value, L"\n  ");

    ASSERT_EQ(root->children.size(), 5u);
    XmlNode* date = root->children[0];
    EXPECT_EQ(date->name, L"DateCreated");
    EXPECT_EQ(date->value, L"2024-01-31");
    EXPECT_EQ(date->parent, root.get());
    EXPECT_TRUE(date->path.empty());

    XmlNode* tab = root->children[1];
    EXPECT_EQ(tab->name, L"Tab");
    EXPECT_EQ(tab->attributes.count(L"text"), 0u);
    EXPECT_EQ(tab->value, L"") << "the first child is an element, the later text is not the value";
    ASSERT_EQ(tab->children.size(), 1u);
    EXPECT_EQ(tab->children[0]->name, L"CheckBox");
    EXPECT_EQ(tab->children[0]->attributes.at(L"name"), L"c1");
    EXPECT_EQ(tab->children[0]->parent, tab);

    EXPECT_EQ(root->children[2]->value, L"x <- 1\n");
    EXPECT_EQ(root->children[3]->value, L"a < b");
    EXPECT_EQ(root->children[4]->value, L"");
    EXPECT_TRUE(root->children[4]->children.empty());
}

TEST(XmlNode, EntityReferencesStayLeaves) {
    TempFolder folder;
    const auto root = Parse(folder.Write("entity.xml",
                                         "<!DOCTYPE Function [<!ENTITY who \"R core\"><!ENTITY v \"4\">]>\n"
                                         "<Function><AuthorRFunction>&who;</AuthorRFunction><B>&v;&who;</B></Function>"));
    ASSERT_TRUE(root->error.empty());
    ASSERT_EQ(root->children.size(), 2u);
    XmlNode* author = root->children[0];
    EXPECT_EQ(author->value, L"R core");
    ASSERT_EQ(author->children.size(), 1u);
    EXPECT_EQ(author->children[0]->type, XML_ENTITY_REF_NODE);
    EXPECT_TRUE(author->children[0]->children.empty());
    EXPECT_EQ(root->children[1]->children.size(), 2u);
}

TEST(xmlCharToWstring, WidensEachByteAsASignedCharacter) {
    EXPECT_EQ(xmlCharToWstring(nullptr), L"");
    const unsigned char text[] = {'a', 0x7F, 0xC3, 0xA9, 0};
    EXPECT_EQ(xmlCharToWstring(text), (std::wstring{L'a', wchar_t(0x7F), wchar_t(-61), wchar_t(-87)}));
}

// The parse of a malformed kept template, as the add-in shows it.
std::string ReportOf(const std::string& file) {
    const auto root = Parse(templates::DataFolder() + "/" + file);
    EXPECT_TRUE(root->children.empty());
    return Narrow(root->error.Report());
}

TEST(XmlError, UnclosedTagReportsEachLine) {
    const std::string path = templates::DataFolder() + "/unclosed_tag.xml";
    EXPECT_EQ(ReportOf("unclosed_tag.xml"),
              "Path: " + path + "\n" + Rule('=', 36) +
                  "Line: 5\n"
                  "Info:  Opening and ending tag mismatch\n"
                  "Extra Info: \n"
                  "  </Tab>\n"
                  "        ^\n" +
                  Rule('-', 72) +
                  "Line: 6\n"
                  "Info:  Opening and ending tag mismatch\n"
                  "Extra Info: \n"
                  "</Function>\n"
                  "           ^\n" +
                  Rule('-', 72) +
                  "Line: 7\n"
                  "Info:  Premature end of data in tag Function line 2\n"
                  "Extra Info: \n"
                  "\n"
                  "^\n" +
                  Rule('-', 72));
}

TEST(XmlError, TwoErrorsOnOneLineAreShownOnce) {
    const auto root = Parse(templates::DataFolder() + "/two_errors_one_line.xml");
    const XmlError& error = root->error;
    EXPECT_EQ(error.lines, (std::vector<std::string>{"3", "3", "4", "5"}));
    EXPECT_EQ(error.kinds, (std::vector<std::string>(4, " parser error ")));
    const std::string line3 = "  <Tab text=\"General\" text=\"Options\"><CheckBox name=\"intercept\"></Tab>\n";

    const std::string path = templates::DataFolder() + "/two_errors_one_line.xml";
    EXPECT_EQ(Narrow(error.Report()),
              "Path: " + path + "\n" + Rule('=', 36) +
                  "Line: 3\n"
                  "Info:  Attribute text redefined\n"
                  "Extra Info: \n" +
                  line3 + std::string(36, ' ') + "^\n" + Rule('-', 72) +
                  "Line: 4\n"
                  "Info:  Opening and ending tag mismatch\n"
                  "Extra Info: \n"
                  "</Function>\n"
                  "           ^\n" +
                  Rule('-', 72) +
                  "Line: 5\n"
                  "Info:  Premature end of data in tag Function line 2\n"
                  "Extra Info: \n"
                  "\n"
                  "^\n" +
                  Rule('-', 72));
}

TEST(XmlError, BadAttributeValueIsCutAtItsColon) {
    const std::string path = templates::DataFolder() + "/bad_attribute.xml";
    const std::string context = "    <CheckBox name=intercept text=\"Intercept\"/>\n" + std::string(19, ' ') + "^\n";
    EXPECT_EQ(ReportOf("bad_attribute.xml"), "Path: " + path + "\n" + Rule('=', 36) +
                                                 "Line: 4\n"
                                                 "Info:  AttValue\n"
                                                 "Extra Info: \n" +
                                                 context + Rule('-', 72));
}

TEST(XmlError, MissingFileNamesTheFileThatCouldNotBeRead) {
    TempFolder folder;
    const std::string path = folder.path() + "/missing.xml";
    const auto root = Parse(path);
    EXPECT_TRUE(root->children.empty());
    EXPECT_FALSE(root->error.empty());
    EXPECT_EQ(Narrow(root->error.Report()), "Path: " + path + "\n" + Rule('=', 36) +
                                                "Line: 0\n"
                                                "Info:  failed to load external entity \"" + path + "\"\n" +
                                                "Extra Info: \n" + Rule('-', 72));
}

TEST(XmlError, EmptyFileAndFolderDoNotParse) {
    TempFolder folder;
    const auto empty = Parse(folder.Write("empty.xml", ""));
    EXPECT_EQ(empty->error.lines, (std::vector<std::string>{"1"}));
    EXPECT_EQ(empty->error.infos, (std::vector<std::string>{" Document is empty"}));

    // Reading a folder makes the system print its message in front of the
    // parser's location.
    std::filesystem::create_directory(folder.path() + "/group.xml");
    const auto directory = Parse(folder.path() + "/group.xml");
    EXPECT_EQ(directory->error.lines, (std::vector<std::string>{"1"}));
    EXPECT_EQ(directory->error.infos, (std::vector<std::string>{" Document is empty"}));
}

// A host that takes parser errors on its thread through a structured handler
// changes nothing: the report is the parser's own, and the host's handler
// sees none of the template's errors.
TEST(XmlError, HostStructuredHandlerLeavesTheReportAsItIs) {
    TempFolder folder;
    const std::string path = folder.Write("bad.xml", "<a>\n<b>\n</a>\n");
    const std::wstring report = Parse(path)->error.Report();
    int hostCalls = 0;
    xmlSetStructuredErrorFunc(&hostCalls, [](void* calls, xmlErrorPtr) { ++*static_cast<int*>(calls); });
    const auto root = Parse(path);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    EXPECT_NE(report, L"");
    EXPECT_EQ(root->error.Report(), report);
    EXPECT_EQ(hostCalls, 0);
}

TEST(XmlError, CollectSplitsReportsAtTheRecordedFileName) {
    XmlError error;
    error.Collect("noise before any error\n"
                  "/t/f.xml:3: parser error : Message without colon\n"
                  "<a>\n"
                  "^\n"
                  "prefix/t/f.xml:9: parser error : Cut: here\n",
                  "/t/f.xml", "/t//f.xml");
    EXPECT_EQ(error.paths, (std::vector<std::string>{"/t//f.xml", "/t//f.xml"}));
    EXPECT_EQ(error.lines, (std::vector<std::string>{"3", "9"}));
    EXPECT_EQ(error.infos, (std::vector<std::string>{" Message without colon", " Cut"}));
    EXPECT_EQ(error.extras, (std::vector<std::string>{"<a>\n^\n", ""}));
    EXPECT_EQ(Narrow(error.Report()), "Path: /t/f.xml\n" + Rule('=', 36) +
                                          "Line: 3\nInfo:  Message without colon\nExtra Info: \n<a>\n^\n" +
                                          Rule('-', 72) + "Line: 9\nInfo:  Cut\nExtra Info: \n" + Rule('-', 72));

    XmlError none;
    none.Collect("only noise\n", "/t/f.xml", "/t/f.xml");
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.Report(), L"");
}

int hostHandlerCalls = 0;
void HostHandler(void*, const char*, ...) { ++hostHandlerCalls; }

// The standard error stream is left alone, and the parser's generic error
// function of the calling thread is set only while the parser runs.
TEST(XmlNode, RestoresProcessWideStateAfterEveryParse) {
    TempFolder folder;
    const std::string good = folder.Write("good.xml", "<a/>");
    const std::string bad = folder.Write("bad.xml", "<a>");
    std::streambuf* before = std::cerr.rdbuf();
    const xmlGenericErrorFunc own = HostHandler;
    xmlSetGenericErrorFunc(&hostHandlerCalls, own);

    for (const std::string& path : {good, bad, folder.path() + "/missing.xml"}) {
        Parse(path);
        EXPECT_EQ(std::cerr.rdbuf(), before) << path;
        EXPECT_TRUE(std::cerr.good()) << path;
        EXPECT_EQ(xmlGenericError, own) << path;
        EXPECT_EQ(xmlGenericErrorContext, &hostHandlerCalls) << path;
    }
    EXPECT_EQ(hostHandlerCalls, 0) << "the host's handler saw none of the template's errors";
    xmlSetGenericErrorFunc(nullptr, nullptr);
}

TEST(XmlNode, EmptyPathParsesNothing) {
    XmlNode root;
    root.ParseAndFill();
    EXPECT_TRUE(root.children.empty());
    EXPECT_TRUE(root.error.empty());
}

}  // namespace
