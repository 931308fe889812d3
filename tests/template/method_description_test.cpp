// The template reader through its two exports, as the add-in calls them: the
// sizing pass, the arrays dimensioned from its counts, then the filling pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "host_records.h"
#include "reading.h"
#include "template_files.h"

namespace {

using templates::Reading;
using templates::TempFolder;
using Texts = std::vector<std::string>;
using Ints = std::vector<int>;
using Shorts = std::vector<short>;

// The number of controls of one kind on one page.
int CountKind(ST_AirControlInfo& controls, const std::string& kind, int page) {
    const Texts kinds = host::Entries<std::string>(controls.ctlKind);
    const Ints pages = host::Entries<int>(controls.ctlPage);
    int n = 0;
    for (size_t i = 0; i < kinds.size(); ++i) n += kinds[i] == kind && pages[i] == page;
    return n;
}

std::string Rule(char c, int n) { return std::string(static_cast<size_t>(n), c) + "\n"; }

TEST(MethodDescription, WellFormedTemplateFillsHeaderPagesAndScript) {
    Reading reading(templates::DataFolder(), "well_formed.xml");
    reading.Size();
    EXPECT_EQ(reading.sizes->autoOutputs, -1);
    EXPECT_EQ(reading.sizes->autoOutputsStats, 0);
    EXPECT_EQ(reading.sizes->autoOutputsPage, 1);
    EXPECT_EQ(reading.sizes->autoCharts, -1);
    EXPECT_EQ(reading.sizes->autoChartsPage, 2);
    reading.Fill();
    const BSTR title = reading.error->title;
    EXPECT_EQ(title, nullptr) << "no error reported";

    EXPECT_EQ(host::Text(reading.main->title), "Linear regression");
    EXPECT_EQ(host::Text(reading.main->group), "Modelling");
    EXPECT_EQ(host::Text(reading.main->keywords), "regression, linear model");

    ST_aiR& air = reading.air();
    EXPECT_EQ(host::Text(air.dataStructure), "columns");
    EXPECT_EQ(host::Text(air.functionName), "lm");
    EXPECT_EQ(host::Text(air.packages), "stats,graphics");
    EXPECT_EQ(air.uniqueId, 20461);  // "stat" and "lm"
    EXPECT_EQ(host::Text(air.authorXml), "T. Author");
    EXPECT_EQ(host::Text(air.authorRFunction), "R Core Team");
    EXPECT_EQ(host::Text(air.compatibilityKovian), "2024.1");
    EXPECT_EQ(host::Text(air.compatibilityR), "4.3");
    EXPECT_EQ(host::Text(air.dateCreated), "2023-05-02");
    EXPECT_EQ(host::Text(air.dateModified), "2024-01-31");
    EXPECT_EQ(host::Text(air.packageVersion), "4.3.2");
    EXPECT_EQ(host::Text(air.rDescription), "Fits a linear model by least squares.");

    EXPECT_EQ(host::Entries<std::string>(air.pageText), (Texts{"General", "Outputs", "Charts", ""}));
    EXPECT_EQ(host::Entries<int>(air.pageCtlCount), (Ints{2, 1, 1, 0}));
    EXPECT_EQ(host::Entries<int>(air.pageLeftWidth), (Ints{120, 0, 155, 0}));
    EXPECT_EQ(host::Entries<int>(air.pageRightWidth), (Ints{155, 200, 155, 0}));
    EXPECT_EQ(host::Entries<short>(air.pageEnabled), (Shorts{-1, 0, 0, 0}));  // "True" is not "true"
    EXPECT_EQ(air.autoOutputs, -1);
    EXPECT_EQ(air.autoOutputsStats, 0);
    EXPECT_EQ(air.autoOutputsPage, 1);
    EXPECT_EQ(air.autoCharts, -1);
    EXPECT_EQ(air.autoChartsPage, 2);
    EXPECT_EQ(air.autoPredict, 0);

    EXPECT_EQ(air.replaceByValue, -1);  // "False" is not "false"
    EXPECT_EQ(air.usesSeed, -1);
    EXPECT_EQ(host::Entries<std::string>(air.scriptEngine), (Texts{"r", "r", "r", "python"}));
    EXPECT_EQ(host::Entries<short>(air.scriptReplace), (Shorts{0, -1, -1, 0}));
    EXPECT_EQ(host::Entries<std::string>(air.scriptCode),
              (Texts{"set.seed(kovianseed)", "res <- lm(kovianformula, data = kovdata)", "summary(res)", ""}));

    EXPECT_EQ(CountKind(reading.controls(), "NextColumn", 0), 1);
    const Texts names = host::Entries<std::string>(reading.controls().ctlName);
    EXPECT_EQ(std::count(names.begin(), names.end(), "thirdColumn"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "afterThirdColumn"), 0);
    reading.ExpectCountsMatchEntries();
}

TEST(MethodDescription, PageAttributesFallBackAndPageLevelElementsCountAsControls) {
    TempFolder folder;
    folder.Write("pages.xml",
                 "<Function>\n"
                 "  <Tab text=\"A\" leftcolumnwidth=\"1e300\" rightcolumnwidth=\"-7,9\"><AutoPredict/></Tab>\n"
                 "  <Tab text=\"B\" leftcolumnwidth=\"\" enabled=\"\"><AutoOutputs/><AutoCharts/></Tab>\n"
                 "  <Tab text=\"C\" leftcolumnwidth=\"90\" enabled=\"true\">\n"
                 "  </Tab>\n"
                 "</Function>\n");
    Reading reading(folder.path(), "pages.xml");
    reading.Size();
    EXPECT_EQ(reading.sizes->autoOutputs, -1);
    EXPECT_EQ(reading.sizes->autoOutputsStats, -1);
    EXPECT_EQ(reading.sizes->autoOutputsPage, 1);
    EXPECT_EQ(reading.sizes->autoCharts, -1);
    EXPECT_EQ(reading.sizes->autoChartsPage, 1);
    reading.Fill();

    ST_aiR& air = reading.air();
    EXPECT_EQ(host::Entries<int>(air.pageCtlCount), (Ints{1, 1, 0}));
    EXPECT_EQ(host::Entries<int>(air.pageLeftWidth), (Ints{INT_MAX, 155, 0}));
    EXPECT_EQ(host::Entries<int>(air.pageRightWidth), (Ints{-7, 155, 0}));
    EXPECT_EQ(host::Entries<short>(air.pageEnabled), (Shorts{-1, -1, 0}));
    EXPECT_EQ(air.autoPredict, -1);
    EXPECT_EQ(host::Text(air.autoPredictRName), "data2");
    EXPECT_EQ(air.autoOutputsStats, -1);
    EXPECT_EQ(air.autoChartsPage, 1);
    // The root has no attributes: every root field falls back to empty.
    EXPECT_EQ(host::Text(reading.main->title), "");
    EXPECT_EQ(host::Text(air.functionName), "");
    EXPECT_EQ(air.uniqueId, 0);
    reading.ExpectCountsMatchEntries();
}

TEST(MethodDescription, ColumnsBreakOnceAndStopAtTheThird) {
    TempFolder folder;
    folder.Write("columns.xml",
                 "<Function>\n"
                 "  <Tab text=\"One\">\n"
                 "    <CheckBox name=\"first\"/>\n"
                 "    <Column><CheckBox name=\"left1\"/><CheckBox name=\"left2\"/><CheckBox name=\"left3\"/></Column>\n"
                 "    <Column><CheckBox name=\"right1\"/></Column>\n"
                 "    <Column><CheckBox name=\"third\"/></Column>\n"
                 "    <CheckBox name=\"after\"/>\n"
                 "  </Tab>\n"
                 "  <Tab text=\"Two\">\n"
                 "    <Column><Column><CheckBox name=\"a\"/></Column><Column><CheckBox name=\"b\"/></Column></Column>\n"
                 "    <Column/>\n"
                 "  </Tab>\n"
                 "</Function>\n");
    Reading reading(folder.path(), "columns.xml");
    reading.Size();
    reading.Fill();

    EXPECT_EQ(host::Entries<int>(reading.air().pageCtlCount), (Ints{3, 1}));
    ST_AirControlInfo& controls = reading.controls();
    EXPECT_EQ(CountKind(controls, "NextColumn", 0), 1);
    // A column nested in a column has a break of its own.
    EXPECT_EQ(CountKind(controls, "NextColumn", 1), 2);

    const Texts names = host::Entries<std::string>(controls.ctlName);
    const Texts kinds = host::Entries<std::string>(controls.ctlKind);
    EXPECT_EQ(std::count(names.begin(), names.end(), "third"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "after"), 0);
    // Controls of the first column come before the break, those of the
    // second after it.
    const auto columnBreak = std::find(kinds.begin(), kinds.end(), "NextColumn") - kinds.begin();
    for (const char* name : {"first", "left1", "left2", "left3", "right1"}) {
        const auto at = std::find(names.begin(), names.end(), name) - names.begin();
        ASSERT_LT(at, static_cast<long>(names.size())) << name;
        EXPECT_EQ(at < columnBreak, std::string(name) != "right1") << name;
    }

    // The column break is a standard control.
    const int i = static_cast<int>(columnBreak) + 1;
    EXPECT_EQ(host::Entry<std::string>(controls.ctlDefault, i), "true");
    EXPECT_EQ(host::Entry<short>(controls.ctlEnabled, i), -1);
    EXPECT_EQ(host::Entry<short>(controls.ctlVisible, i), -1);
    EXPECT_EQ(host::Entry<short>(controls.ctlNextRow, i), -1);
    EXPECT_EQ(host::Entry<std::string>(controls.ctlLeft, i), "0");
    EXPECT_EQ(host::Entry<int>(controls.ctlFrameChildren, i), 0);
    EXPECT_EQ(host::Entry<std::string>(controls.ctlName, i), "");
    EXPECT_EQ(host::Entry<std::string>(controls.ctlReportText, i), "");
    reading.ExpectCountsMatchEntries();
}

TEST(MethodDescription, ScriptLinesAndBlocksInDocumentOrder) {
    TempFolder folder;
    folder.Write("script.xml",
                 "<Function>\n"
                 "  <RScript replacebyvalue=\"yes\">\n"
                 "    <RBlock engine=\"python\">\n  x &lt;- 1\n\ty &lt;- 2\n  </RBlock>\n"
                 "    <ScriptLine code=\"a\" replace=\"False\"/>\n"
                 "    <RBlock>a &lt;- 1\nb &lt;- 2</RBlock>\n"
                 "    <ScriptLine code=\"b\" replace=\"no\" engine=\"julia\"/>\n"
                 "    <!-- seeds in a block do not count -->\n"
                 "    <RBlock replace=\"true\">set.seed(kovianseed)\n   \n\t\nc &lt;- 3\n</RBlock>\n"
                 "    <RBlock>no line feed at all</RBlock>\n"
                 "    <Other code=\"ignored\"/>\n"
                 "  </RScript>\n"
                 "  <RScript replacebyvalue=\"\">\n"
                 "    <ScriptLine code=\" z \"/>\n"
                 "  </RScript>\n"
                 "</Function>\n");
    Reading reading(folder.path(), "script.xml");
    reading.Size();
    reading.Fill();

    ST_aiR& air = reading.air();
    EXPECT_EQ(host::Entries<std::string>(air.scriptCode),
              (Texts{"x <- 1", "y <- 2", "a", "a <- 1", "b", "set.seed(kovianseed)", "c <- 3", " z "}));
    EXPECT_EQ(host::Entries<std::string>(air.scriptEngine),
              (Texts{"python", "python", "r", "r", "julia", "r", "r", "r"}));
    EXPECT_EQ(host::Entries<short>(air.scriptReplace), (Shorts{0, 0, -1, 0, -1, -1, -1, 0}));
    EXPECT_EQ(air.usesSeed, 0);
    EXPECT_EQ(air.replaceByValue, 0) << "the last RScript decides";
    reading.ExpectCountsMatchEntries();
}

void ExpectXmlErrorRecord(ST_ErrorInfo& error, const std::string& message) {
    EXPECT_EQ(host::Text(error.title), "XML Error");
    EXPECT_EQ(host::Text(error.message), message);
    EXPECT_EQ(host::Text(error.module), "KOVRBRIDGE");
    EXPECT_EQ((Ints{error.code1, error.code2, error.code3, error.code4, error.code5}), (Ints{-789, -1, 1, 0, 48}));
    const BSTR text1 = error.text1;  // a copy: the packed record's fields are not aligned
    EXPECT_NE(text1, nullptr);
    EXPECT_EQ(host::Text(text1), "");
    EXPECT_EQ((Ints{error.code6, error.code7, error.code8}), (Ints{-1, -1, 0}));
    EXPECT_EQ(host::Text(error.text2), "");
}

TEST(MethodDescription, ParseErrorIsReportedInsteadOfLoading) {
    // A folder given with a trailing slash makes a double slash in the path,
    // which the error text shows as one.
    const std::string folder = templates::DataFolder() + "/";
    const std::string shown = templates::DataFolder() + "/bad_attribute.xml";
    const std::string report = "Path: " + shown + "\n" + Rule('=', 36) +
                               "Line: 4\n"
                               "Info:  AttValue\n"
                               "Extra Info: \n"
                               "    <CheckBox name=intercept text=\"Intercept\"/>\n" +
                               std::string(19, ' ') + "^\n" + Rule('-', 72);

    Reading sizing(folder, "bad_attribute.xml");
    sizing.Size();
    ExpectXmlErrorRecord(*sizing.error, report);
    for (int k = 0; k < host::kAirVectorCount; ++k) EXPECT_EQ(sizing.sizes->vectorSize[k], 0);
    EXPECT_EQ(sizing.sizes->autoOutputs, 0);

    Reading filling(folder, "bad_attribute.xml");
    filling.Fill(4);
    ExpectXmlErrorRecord(*filling.error, report);
    EXPECT_EQ(host::Text(filling.main->title), "before");
    for (int k = 0; k < host::kAirVectorCount; ++k) EXPECT_EQ(host::AirVector(filling.air(), k).count, 0);
    for (int j = 0; j < host::kControlVectorCount; ++j) {
        EXPECT_EQ(host::ControlVector(filling.controls(), j).count, 0);
    }
}

TEST(MethodDescription, MissingTemplateIsReportedWithItsPath) {
    TempFolder folder;
    Reading reading(folder.path(), "missing.xml");
    reading.Size();
    const std::string path = folder.path() + "/missing.xml";
    ExpectXmlErrorRecord(*reading.error, "Path: " + path + "\n" + Rule('=', 36) +
                                             "Line: 0\n"
                                             "Info:  failed to load external entity \"" + path + "\"\n" +
                                             "Extra Info: \n" + Rule('-', 72));

    // Neither folder nor file: the path "/" names a folder, not a template.
    Reading nothing("", "");
    nothing.Fill(2);
    EXPECT_EQ(host::Text(nothing.error->title), "XML Error");
    EXPECT_EQ(host::Text(nothing.error->message).rfind("Path: /\n", 0), 0u);
}

TEST(MethodDescription, NullRecordsLeaveTheCallWithoutEffect) {
    Reading reading(templates::DataFolder(), "well_formed.xml");
    Cpp_GetMethodDescriptionSize(nullptr, reading.sizes, reading.controlSizes, reading.messages, reading.error);
    Cpp_GetMethodDescriptionSize(reading.main, nullptr, reading.controlSizes, reading.messages, reading.error);
    Cpp_GetMethodDescriptionSize(reading.main, reading.sizes, nullptr, nullptr, nullptr);
    EXPECT_EQ(reading.sizes->vectorSize[0], 0);
    host::Dialog dialog(reading.arena, 2);
    Cpp_GetMethodDescription(reading.main, nullptr, dialog.controls, reading.messages, reading.error);
    Cpp_GetMethodDescription(reading.main, dialog.air, nullptr, reading.messages, reading.error);
    EXPECT_EQ(dialog.air->pageText.count, 0);

    // No translation table and no error record: a good template still loads.
    Cpp_GetMethodDescriptionSize(reading.main, reading.sizes, reading.controlSizes, nullptr, nullptr);
    EXPECT_EQ(reading.sizes->vectorSize[0], 4);
}

}  // namespace
