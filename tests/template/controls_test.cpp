// Control elements through both exports: the common attributes of every
// control and the text rule, then one template per control family with the
// attribute values that tell a right loader from a nearly right one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_records.h"
#include "reading.h"

namespace {

using templates::ControlRow;
using templates::Reading;
using templates::TranslationRow;
using Texts = std::vector<std::string>;
using Ints = std::vector<int>;
using Shorts = std::vector<short>;

std::string Template(const std::string& body) { return "<Function text=\"T\">\n" + body + "</Function>\n"; }

TEST(ControlLoaders, CommonAttributesFallBackAndCompareExactly) {
    Reading reading(Template(
        "<Tab text=\"First\">\n"
        "  <CheckBox/>\n"
        "  <CheckBox name=\"empty\" enabled=\"\" visible=\"\" nextrow=\"\" left=\"\" height=\"\" default=\"\"/>\n"
        "  <CheckBox name=\"cased\" enabled=\"True\" visible=\"TRUE\" nextrow=\"false\" default=\"False\"/>\n"
        "  <RadioButton name=\"radio\"/>\n"
        "  <Input name=\"input\"/>\n"
        "  <Slider name=\"unknown\" onchange=\"Call NotForThisKind\"/>\n"
        "</Tab>\n"
        "<Tab text=\"Second\">\n"
        "  <ComboBox name=\"combo\" onclick=\"Call Clicked\" onchange=\"Call Changed\"/>\n"
        "  <Custom name=\"all\" text=\"Every attribute\" reporttext=\"rt\" left=\"12\" chartname=\"ch\"\n"
        "          default=\"d\" enabled=\"false\" visible=\"false\" nextrow=\"no\" rname=\"r\" rname_option=\"ro\"\n"
        "          width=\"80\" height=\"20\" tooltip=\"tip\" onclick=\"Call Clicked\" refeditlinked=\"RefEditX\"\n"
        "          style=\"2\" type=\"t\" reportgroup=\"g\" groupname=\"gn\" optional=\"o\" optiondefault=\"od\"/>\n"
        "</Tab>\n"));
    reading.SizeAndFill();

    const std::vector<ControlRow> expected = {
        ControlRow().Kind("CheckBox").Default("false"),
        ControlRow().Kind("CheckBox").Name("empty").Default("false"),
        ControlRow().Kind("CheckBox").Name("cased").Default("False").Enabled(0).Visible(0).NextRow(0),
        ControlRow().Kind("RadioButton").Name("radio").Default("false"),
        ControlRow().Kind("Input").Name("input"),
        ControlRow().Kind("Slider").Name("unknown"),
        ControlRow().Kind("ComboBox").Page(1).Name("combo").Default("0").EventCode("Call Changed"),
        ControlRow()
            .Kind("Custom")
            .Page(1)
            .Name("all")
            .Text("Every attribute")
            .Default("d")
            .Enabled(0)
            .Visible(0)
            .NextRow(0)
            .Left("12")
            .Height("20")
            .Width("80")
            .ChartName("ch")
            .EventCode("Call Clicked")
            .Type("t")
            .GroupName("gn")
            .Optional("o")
            .OptionDefault("od")
            .RefEditLinked("RefEditX")
            .ReportGroup("g")
            .ReportText("rt")
            .RName("r")
            .RNameOption("ro")
            .Style("2")
            .ToolTip("tip"),
    };
    EXPECT_EQ(reading.Controls(), expected);
    EXPECT_EQ(host::Entries<int>(reading.air().pageCtlCount), (Ints{6, 2}));
}

TEST(ControlLoaders, TextIsATranslationRowOrHasItsSymbolsReplaced) {
    Reading reading(
        Template("<Tab>\n"
                 "  <CheckBox name=\"row\" text=\"|12|\"/>\n"
                 "  <CheckBox name=\"decimal\" text=\"|12,9| and more\"/>\n"
                 "  <CheckBox name=\"highest\" text=\"|6500|\"/>\n"
                 "  <CheckBox name=\"noRow\" text=\"||\"/>\n"
                 "  <CheckBox name=\"notClosed\" text=\"|12\"/>\n"
                 "  <CheckBox name=\"beyond\" text=\"|6501|\"/>\n"
                 "  <CheckBox name=\"notANumber\" text=\"|abc|\"/>\n"
                 "  <CheckBox name=\"symbols\" text=\"a &amp;lt; b &amp;gt; c &amp;amp; d\"/>\n"
                 "  <CheckBox name=\"barInside\" text=\"see |12|\"/>\n"
                 "</Tab>\n"));
    reading.SizeAndFill();

    EXPECT_EQ(host::Entries<std::string>(reading.controls().ctlText),
              (Texts{TranslationRow(12), TranslationRow(12), TranslationRow(6500), "", "", "", "", "a < b > c &amp; d",
                     "see |12|"}));
}

TEST(ControlLoaders, ComboBoxJoinsItsItemsAndNamesItselfWhenUnnamed) {
    Reading reading(
        Template("<Tab>\n"
                 "  <CheckBox/><CheckBox/>\n"
                 "  <ComboBox text=\"Method\" default=\"2,9\" onchange=\"Call Changed\">\n"
                 "    <Item text=\"a\" rname=\"x\"/><Item text=\"b\" rname=\"y\"/>\n"
                 "  </ComboBox>\n"
                 "  <ComboBox name=\"Named\" default=\"many\">\n"
                 "    <Note/><Item text=\"c\"/><!-- not a child --><Item rname=\"z\"/>\n"
                 "  </ComboBox>\n"
                 "  <ComboBox name=\"\"/>\n"
                 "  <Group><CheckBox/><CheckBox/><CheckBox/><CheckBox/><CheckBox/></Group>\n"
                 "  <ComboBox default=\"-3\"><Item text=\"only\" rname=\"one\"/></ComboBox>\n"
                 "</Tab>\n"));
    reading.SizeAndFill();

    ST_aiR& air = reading.air();
    EXPECT_EQ(host::Entries<std::string>(air.comboName), (Texts{"CB003kovian", "Named", "CB005kovian", "CB012kovian"}));
    EXPECT_EQ(host::Entries<int>(air.comboDefault), (Ints{2, 0, 0, -3}));
    EXPECT_EQ(host::Entries<std::string>(air.comboItemTexts), (Texts{"a,b", ",c,", "", "only"}));
    EXPECT_EQ(host::Entries<std::string>(air.comboItemRNames), (Texts{"x,y", ",,z", "", "one"}));
    // The control keeps its own name and default text.
    EXPECT_EQ(host::Entry<std::string>(reading.controls().ctlName, 3), "");
    EXPECT_EQ(host::Entry<std::string>(reading.controls().ctlDefault, 3), "2,9");
}

TEST(ControlLoaders, GroupPutsItsMembersAfterItselfOnItsPage) {
    Reading reading(
        Template("<Tab><CheckBox name=\"before\"/></Tab>\n"
                 "<Tab>\n"
                 "  <Group name=\"outer\" text=\"Options\" style=\"3\">\n"
                 "    <CheckBox name=\"c1\"/>\n"
                 "    <Group name=\"inner\"><Input name=\"i1\" rname=\"level\"/></Group>\n"
                 "    <RadioButton name=\"r1\"/>\n"
                 "  </Group>\n"
                 "  <Group name=\"empty\"/>\n"
                 "  <CheckBox name=\"after\"/>\n"
                 "</Tab>\n"));
    reading.SizeAndFill();

    const std::vector<ControlRow> expected = {
        ControlRow().Kind("CheckBox").Name("before").Default("false"),
        ControlRow().Kind("Group").Page(1).Name("outer").Text("Options").FrameChildren(3).Style("0"),
        ControlRow().Kind("CheckBox").Page(1).Name("c1").Default("false"),
        ControlRow().Kind("Group").Page(1).Name("inner").FrameChildren(1).Style("0"),
        ControlRow().Kind("Input").Page(1).Name("i1").ReportGroup("0").RName("level"),
        ControlRow().Kind("RadioButton").Page(1).Name("r1").Default("false"),
        ControlRow().Kind("Group").Page(1).Name("empty").Style("0"),
        ControlRow().Kind("CheckBox").Page(1).Name("after").Default("false"),
    };
    EXPECT_EQ(reading.Controls(), expected);
    EXPECT_EQ(host::Entries<int>(reading.air().inputPage), (Ints{1}));
    // A group is one control of its page, whatever it holds.
    EXPECT_EQ(host::Entries<int>(reading.air().pageCtlCount), (Ints{1, 3}));
}

TEST(ControlLoaders, InputAppendsANumericInputAndJoinsReportGroupZeroWhenPassedToR) {
    Reading reading(Template(
        "<Tab><CheckBox/></Tab>\n"
        "<Tab>\n"
        "  <Input name=\"plain\"/>\n"
        "  <Input name=\"passed\" rname=\"level\" type=\"double\" min=\"0\" max=\"1\" optional=\"False\"\n"
        "         optiondefault=\"false\"/>\n"
        "  <Input name=\"grouped\" rname=\"n\" reportgroup=\"2\" type=\"\" optional=\"\" optiondefault=\"yes\"/>\n"
        "</Tab>\n"));
    reading.SizeAndFill();

    ST_aiR& air = reading.air();
    EXPECT_EQ(host::Entries<int>(air.inputPage), (Ints{1, 1, 1}));
    EXPECT_EQ(host::Entries<std::string>(air.inputType), (Texts{"integer", "double", "integer"}));
    EXPECT_EQ(host::Entries<std::string>(air.inputMin), (Texts{"", "0", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.inputMax), (Texts{"", "1", ""}));
    EXPECT_EQ(host::Entries<short>(air.inputOptional), (Shorts{0, -1, 0}));
    EXPECT_EQ(host::Entries<short>(air.inputOptionDefault), (Shorts{0, 0, -1}));
    EXPECT_EQ(host::Entries<std::string>(reading.controls().ctlReportGroup), (Texts{"", "", "0", "2"}));
    EXPECT_EQ(reading.air().hasInteractions, 0);
}

TEST(ControlLoaders, InteractionsBecomeAFixedInputAndASpacer) {
    Reading reading(
        Template("<Tab><CheckBox/></Tab>\n"
                 "<Tab text=\"Model\">\n"
                 "  <Interactions name=\"mine\" text=\"own\" rname=\"order\" enabled=\"true\" left=\"3\" min=\"0\"\n"
                 "                optional=\"false\"/>\n"
                 "  <CheckBox name=\"after\"/>\n"
                 "</Tab>\n"));
    reading.SizeAndFill();

    const std::vector<ControlRow> rows = reading.Controls();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1], (ControlRow()
                            .Kind("Input")
                            .Page(1)
                            .Name("Interactions")
                            .Text(TranslationRow(2653))
                            .Default("2")
                            .Enabled(0)
                            .Left("115")
                            .Optional("false")
                            .Type("integer")
                            .ReportGroup("0")
                            .RName("order")
                            .ToolTip(TranslationRow(2654))));
    EXPECT_EQ(rows[2], (ControlRow().Kind("Spacer").Page(1).Default("true").Height("6")));
    EXPECT_EQ(rows[3].name, "after");

    ST_aiR& air = reading.air();
    EXPECT_EQ(air.hasInteractions, -1);
    EXPECT_EQ(host::Entries<int>(air.inputPage), (Ints{1}));
    EXPECT_EQ(host::Entries<std::string>(air.inputType), (Texts{"integer"}));
    EXPECT_EQ(host::Entries<std::string>(air.inputMin), (Texts{"1"}));
    EXPECT_EQ(host::Entries<std::string>(air.inputMax), (Texts{"5"}));
    EXPECT_EQ(host::Entries<short>(air.inputOptional), (Shorts{-1}));
    EXPECT_EQ(host::Entries<short>(air.inputOptionDefault), (Shorts{-1}));
    // The spacer is not one of the page's own controls.
    EXPECT_EQ(host::Entries<int>(air.pageCtlCount), (Ints{1, 2}));
}

TEST(ControlLoaders, VarHeadersBecomeTheLabelsCheckBoxAndMissingSetsItsOptions) {
    Reading reading(
        Template("<Tab>\n"
                 "  <VarHeaders/>\n"
                 "  <VarHeaders name=\"x\" text=\"Own label\" default=\"false\" enabled=\"false\" visible=\"false\"\n"
                 "              rname=\"header\"/>\n"
                 "  <Missing options=\"Remove,Mean\" default=\"1\"/>\n"
                 "  <Missing options=\"Only\" default=\"\"/>\n"
                 "</Tab>\n"));
    reading.SizeAndFill();

    const std::vector<ControlRow> expected = {
        ControlRow().Kind("CheckBox").Name("CheckBoxLabels").Text(TranslationRow(51)).Default("true"),
        ControlRow().Kind("CheckBox").Name("CheckBoxLabels").Text("Own label").Default("true").RName("header"),
        ControlRow().Kind("Missing").Default("1"),
        ControlRow().Kind("Missing"),
    };
    EXPECT_EQ(reading.Controls(), expected);
    // A later Missing replaces both fields, an empty attribute by "".
    EXPECT_EQ(host::Text(reading.air().missingOptions), "Only");
    EXPECT_EQ(host::Text(reading.air().missingDefault), "");
}

}  // namespace
