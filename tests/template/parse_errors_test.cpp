// Templates that do not parse, read through both passes: the error text the
// add-in shows names the file, then each line in error once with the
// parser's message and the text around it, each closed by a dashed line. A
// host's own libxml2 error handlers stay in place and see none of it.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <filesystem>
#include <string>
#include <vector>

#include "template_file.h"
#include "test_support.h"

namespace {

struct ParseError {
    const char* line;
    const char* info;
    std::string context;
};

struct BadTemplate {
    const char* name;
    const char* xml;  // nullptr: no file; "/": a folder
    std::vector<ParseError> errors;
};

const std::string kFunction = "<?xml version=\"1.0\"?>\n<Function text=\"Linear regression\" function=\"lm\">\n";

const BadTemplate kBadTemplates[] = {
    {"unclosed.xml", "  <Tab text=\"General\">\n    <CheckBox name=\"intercept\">\n  </Tab>\n</Function>\n",
     {{"5", "Opening and ending tag mismatch", "  </Tab>\n        ^\n"},
      {"6", "Opening and ending tag mismatch", "</Function>\n           ^\n"},
      {"7", "Premature end of data in tag Function line 2", "\n^\n"}}},
    {"two_on_one_line.xml", "  <Tab text=\"General\" text=\"Options\"><CheckBox name=\"intercept\"></Tab>\n</Function>\n",
     {{"3", "Attribute text redefined",
       "  <Tab text=\"General\" text=\"Options\"><CheckBox name=\"intercept\"></Tab>\n" + std::string(36, ' ') + "^\n"},
      {"4", "Opening and ending tag mismatch", "</Function>\n           ^\n"},
      {"5", "Premature end of data in tag Function line 2", "\n^\n"}}},
    {"bad_attribute.xml", "  <Tab>\n    <CheckBox name=intercept text=\"Intercept\"/>\n  </Tab>\n</Function>\n",
     {{"4", "AttValue", "    <CheckBox name=intercept text=\"Intercept\"/>\n" + std::string(19, ' ') + "^\n"}}},
    {"empty.xml", "", {{"1", "Document is empty", "\n^\n"}}},
    // The system's message on reading a folder stands in front of the location.
    {"folder.xml", "/", {{"1", "Document is empty", "\n^\n"}}},
    {"missing.xml", nullptr, {{"0", "failed to load external entity \"PATH\"", ""}}},
};

int hostCalls = 0;
void HostGenericHandler(void*, const char*, ...) { ++hostCalls; }
void HostStructuredHandler(void*, xmlErrorPtr) { ++hostCalls; }

TEST(ParseErrors, EachLineInErrorIsShownOnceWithTheFileAndItsContext) {
    kovtest::TempFolder folder;
    xmlSetGenericErrorFunc(&hostCalls, HostGenericHandler);
    xmlSetStructuredErrorFunc(&hostCalls, HostStructuredHandler);
    for (const BadTemplate& bad : kBadTemplates) {
        SCOPED_TRACE(bad.name);
        const std::string path = folder / bad.name;
        if (bad.xml != nullptr && bad.xml == std::string("/")) std::filesystem::create_directory(path);
        if (bad.xml != nullptr && bad.xml != std::string("/")) folder.Write(bad.name, *bad.xml ? kFunction + bad.xml : "");
        std::string expected = "Path: " + path + "\n" + std::string(36, '=') + "\n";
        for (const ParseError& e : bad.errors) {
            std::string info = e.info;
            if (const size_t at = info.find("PATH"); at != std::string::npos) info.replace(at, 4, path);
            expected += "Line: " + std::string(e.line) + "\nInfo:  " + info + "\nExtra Info: \n" + e.context +
                        std::string(72, '-') + "\n";
        }
        kovr::Translations translations;
        const kovr::LoadedTemplate loaded = kovr::LoadTemplate(path, translations);
        EXPECT_FALSE(loaded.ok());
        EXPECT_EQ(loaded.errorTitle, "XML Error");
        EXPECT_EQ(loaded.errorText, expected);
        EXPECT_EQ(xmlGenericError, HostGenericHandler);
        EXPECT_EQ(xmlGenericErrorContext, &hostCalls);
    }
    xmlSetGenericErrorFunc(nullptr, nullptr);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    EXPECT_EQ(hostCalls, 0) << "the host's handlers saw the template's errors";

    // The codes of the error record tell the add-in how to show the message.
    kovr::HostMain main;
    main.Set(offsetof(ST_Main_aiR, templateFolder), folder.path());
    main.Set(offsetof(ST_Main_aiR, templateFile), "unclosed.xml");
    kovr::Translations translations;
    ST_aiRSize sizes{};
    ST_AirControlInfoSize controlSizes{};
    ST_ErrorInfo e{};
    {
        kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) { main.CollectStrings(s); });
        Cpp_GetMethodDescriptionSize(main.get(), &sizes, &controlSizes, translations.data(), &e);
    }
    EXPECT_EQ((std::vector<int32_t>{e.code1, e.code2, e.code3, e.code4, e.code5, e.code6, e.code7, e.code8}),
              (std::vector<int32_t>{-789, -1, 1, 0, 48, -1, -1, 0}));
    for (BSTR text : {e.title, e.message, e.module, e.text1, e.text2}) SysFreeString(text);
}

}  // namespace
