// Data selections through both exports: the rows of RefEdit and DataField as
// their attributes say, and the fixed rows of the Y, X, Q and observation-label
// fields whatever their attributes say.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_records.h"
#include "reading.h"

namespace {

using templates::ControlRow;
using templates::Reading;
using templates::RefRow;
using templates::TranslationRow;
using Texts = std::vector<std::string>;
using Shorts = std::vector<short>;

TEST(DataSelections, RefEditAndDataFieldFollowTheirAttributes) {
    Reading reading(
        "<Function>\n"
        "<Tab><CheckBox/></Tab>\n"
        "<Tab>\n"
        "  <RefEdit name=\"RefEditA\" text=\"Range A\" rname=\"a\" rtype=\"matrix\" yvar=\"true\"/>\n"
        "  <RefEdit name=\"RefEditB\" yvar=\"false\" onebyone=\"true\" type=\"numeric\" str2dbl=\"yes\"\n"
        "           onecolumn=\"false\"/>\n"
        "  <RefEdit name=\"RefEditC\" yvar=\"\" onebyone=\"True\" type=\"7\" optional=\"true\"\n"
        "           optiondefault=\"false\" onecolumn=\"1\"/>\n"
        "  <DataField name=\"DataD\" text=\"|12|\" type=\"Numeric\" optional=\"true\" optiondefault=\"yes\"\n"
        "             enabled=\"false\"/>\n"
        "  <DataField yvar=\"TRUE\" onebyone=\"\" type=\"text\" optional=\"False\" str2dbl=\"false\"/>\n"
        "  <RefEdit name=\"RefEditE\" yvar=\"false\"/>\n"
        "</Tab>\n"
        "</Function>\n");
    reading.SizeAndFill();

    const std::vector<RefRow> expected = {
        RefRow().Name("RefEditA").Page(1).Text("Range A").RType("matrix").RName("a").YVar(-1).OneByOne(-1),
        RefRow().Name("RefEditB").Page(1).Str2Dbl(-1).OneByOne(-1),
        RefRow().Name("RefEditC").Page(1).DataType("7").Optional(-1).OneColumn(-1),
        RefRow().Name("DataD").Page(1).Text(TranslationRow(12)).DataType("0").Optional(-1).OptionDefault(-1),
        RefRow().Page(1).DataType("3").YVar(-1).Optional(-1).OneByOne(-1),
        RefRow().Name("RefEditE").Page(1),
    };
    EXPECT_EQ(reading.Refs(), expected);
    // An optional selection starts enabled as its option default says.
    EXPECT_EQ(host::Entries<short>(reading.controls().ctlEnabled), (Shorts{-1, -1, -1, 0, -1, 0, -1}));
    EXPECT_EQ(host::Entries<std::string>(reading.controls().ctlName),
              (Texts{"", "RefEditA", "RefEditB", "RefEditC", "DataD", "", "RefEditE"}));
    EXPECT_EQ(reading.air().addObsLabels, 0);
}

TEST(DataSelections, FieldsTakeFixedNamesTypesAndLabels) {
    Reading reading(
        "<Function>\n"
        "<Tab><CheckBox/></Tab>\n"
        "<Tab>\n"
        "  <YQuantiField name=\"ignored\" text=\"Dependent\" optional=\"true\" optiondefault=\"false\"\n"
        "                yvar=\"false\" onebyone=\"false\" type=\"3\"/>\n"
        "  <YQualiField type=\"numeric\" onebyone=\"\"/>\n"
        "  <XQuantiField name=\"mine\" yvar=\"true\" onebyone=\"true\" type=\"text\" rname=\"x\"/>\n"
        "  <XQuantiField text=\"Explanatory\" tooltip=\"Own tip\"/>\n"
        "  <XQualiField name=\"Q1\" text=\"||\" rtype=\"factor\"/>\n"
        "  <ObsLabelsField add=\"true\" onecolumn=\"false\" optional=\"false\" optiondefault=\"true\"/>\n"
        "  <ObsLabelsField text=\"Labels\" add=\"TRUE\" optional=\"true\"/>\n"
        "</Tab>\n"
        "</Function>\n");
    reading.SizeAndFill();

    const std::vector<RefRow> expected = {
        RefRow().Name("RefEditY").Page(1).Text("Dependent").DataType("3").YVar(-1),
        RefRow().Name("RefEditY").Page(1).DataType("3").YVar(-1).OneByOne(-1),
        RefRow().Name("RefEditX").Page(1).Text(TranslationRow(235)).DataType("2").RName("x"),
        RefRow().Name("RefEditX").Page(1).Text("Explanatory").DataType("2"),
        RefRow().Name("RefEditQ").Page(1).Text(TranslationRow(236)).DataType("3").RType("factor"),
        RefRow().Name("RefEditObsLabels").Page(1).Text(TranslationRow(48)).DataType("8").Optional(-1).OneColumn(-1),
        RefRow().Name("RefEditObsLabels").Page(1).Text("Labels").DataType("8").Optional(-1).OneColumn(-1),
    };
    EXPECT_EQ(reading.Refs(), expected);

    const std::vector<ControlRow> controls = reading.Controls();
    ASSERT_EQ(controls.size(), 8u);
    // The Y field was optional when its enabled flag was set, and is no
    // longer once it is a Y field.
    EXPECT_EQ(controls[1], ControlRow()
                               .Kind("YQuantiField")
                               .Page(1)
                               .Name("RefEditY")
                               .Text("Dependent")
                               .Enabled(0)
                               .Optional("true")
                               .OptionDefault("false")
                               .Type("3"));
    EXPECT_EQ(controls[3], ControlRow()
                               .Kind("XQuantiField")
                               .Page(1)
                               .Name("RefEditX")
                               .Text(TranslationRow(235))
                               .Type("text")
                               .RName("x")
                               .ToolTip(TranslationRow(2527)));
    EXPECT_EQ(controls[4].text, "Explanatory");
    EXPECT_EQ(controls[4].toolTip, "Own tip");
    EXPECT_EQ(controls[5].name, "RefEditQ");
    EXPECT_EQ(controls[5].toolTip, TranslationRow(2529));
    EXPECT_EQ(controls[6].toolTip, TranslationRow(48));
    EXPECT_EQ(controls[6].enabled, -1) << "not optional in the template";
    EXPECT_EQ(controls[7].toolTip, "");
    EXPECT_EQ(controls[7].enabled, 0) << "optional, off by default";
    // The last label field decides, and "TRUE" is not "true".
    EXPECT_EQ(reading.air().addObsLabels, 0);
}

TEST(DataSelections, AddObsLabelsComesFromTheLastLabelField) {
    Reading reading("<Function><Tab><ObsLabelsField/><ObsLabelsField add=\"true\"/></Tab></Function>");
    reading.SizeAndFill();
    EXPECT_EQ(reading.air().addObsLabels, 1);
}

}  // namespace
