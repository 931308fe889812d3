// The results description through both exports: the eighteen result vectors,
// and the automatic output and chart check boxes, sorted into their pages
// with every per-control vector moving along.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_records.h"
#include "reading.h"

namespace {

using templates::ControlRow;
using templates::Reading;
using templates::StandardControl;
using templates::TranslationRow;
using Texts = std::vector<std::string>;
using Ints = std::vector<int>;
using Shorts = std::vector<short>;

TEST(Results, EveryResultFillsTheEighteenVectorsWithTheirDefaults) {
    Reading reading(
        "<Function>\n"
        "<RResults>\n"
        "  <Result rname=\"coefs\"/>\n"
        "  <Result text=\"All\" rname=\"all\" type=\"string\" rowlabels=\"rdesc\" collabels=\"c\" format=\"0.00\"\n"
        "          colformats=\"cf\" rowformats=\"rf\" charttype=\"bar\" chartname=\"ch\" color=\"red\" "
        "show=\"false\"\n"
        "          hidden=\"true\" rplotcode=\"plot(x)\" rplotformat=\"emf\" rplotwidth=\"640\" rplotheight=\"480\"/>\n"
        "  <!-- not a result -->\n"
        "  <Chart rname=\"ignored\"/>\n"
        "  <Result hidden=\"False\" show=\"\" type=\"\" rplotformat=\"\"/>\n"
        "  <Result hidden=\"false\"/>\n"
        "</RResults>\n"
        "</Function>\n");
    reading.SizeAndFill();

    ST_aiR& air = reading.air();
    EXPECT_EQ(host::Entries<std::string>(air.resText), (Texts{"", "All", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resRName), (Texts{"coefs", "all", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resType), (Texts{"double", "string", "double", "double"}));
    EXPECT_EQ(host::Entries<std::string>(air.resRowLabels), (Texts{"", "rdesc", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resColLabels), (Texts{"", "c", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resFormat), (Texts{"", "0.00", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resColFormats), (Texts{"", "cf", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resRowFormats), (Texts{"", "rf", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resChartType), (Texts{"", "bar", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resChartName), (Texts{"", "ch", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resColor), (Texts{"", "red", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resShow), (Texts{"true", "false", "true", "true"}));
    EXPECT_EQ(host::Entries<short>(air.resHidden), (Shorts{0, -1, -1, 0}));
    EXPECT_EQ(host::Entries<short>(air.resPlotIncluded), (Shorts{0, 0, 0, 0}));
    EXPECT_EQ(host::Entries<std::string>(air.resRPlotCode), (Texts{"", "plot(x)", "", ""}));
    EXPECT_EQ(host::Entries<std::string>(air.resRPlotFormat), (Texts{"png", "emf", "png", "png"}));
    EXPECT_EQ(host::Entries<std::string>(air.resRPlotWidth), (Texts{"500", "640", "500", "500"}));
    EXPECT_EQ(host::Entries<std::string>(air.resRPlotHeight), (Texts{"500", "480", "500", "500"}));
    // Without automatic outputs or charts no control is added.
    EXPECT_EQ(air.autoOutputs, 0);
    EXPECT_EQ(reading.controls().ctlKind.count, 0);
}

// A check box of the template whose every text names it, so that a vector
// left behind by the page sort shows.
std::string Marked(const std::string& kind, const std::string& name) {
    return "<" + kind + " name=\"" + name + "\" text=\"text " + name + "\" rname=\"r_" + name + "\" tooltip=\"tip " +
           name + "\" width=\"w_" + name + "\" chartname=\"ch_" + name + "\" enabled=\"false\"/>";
}

ControlRow MarkedRow(const std::string& kind, int page, const std::string& name) {
    return ControlRow()
        .Kind(kind)
        .Page(page)
        .Name(name)
        .Text("text " + name)
        .RName("r_" + name)
        .ToolTip("tip " + name)
        .Width("w_" + name)
        .ChartName("ch_" + name)
        .Enabled(0)
        .Default(kind == "Input" ? "" : "false");
}

ControlRow AutoCheckBox(int page, const std::string& rName, const std::string& text) {
    return StandardControl(page).Kind("CheckBox").RName(rName).Text(text);
}

TEST(Results, AutomaticCheckBoxesAreSortedIntoTheirPagesWithEveryVector) {
    Reading reading(
        "<Function>\n"
        "<Tab text=\"Data\">" +
        Marked("CheckBox", "d1") + "<Group name=\"g\">" + Marked("Input", "d2") +
        "</Group></Tab>\n"
        "<Tab text=\"Outputs\">" +
        Marked("CheckBox", "o1") + "<AutoOutputs/>" + Marked("RadioButton", "o2") +
        "</Tab>\n"
        "<Tab text=\"Charts\"><AutoCharts/></Tab>\n"
        "<Tab text=\"Last\">" +
        Marked("CheckBox", "l1") +
        "</Tab>\n"
        "<RResults>\n"
        "  <Result text=\"Coefficients\" rname=\"coefs\" chartname=\"c1\"/>\n"
        "  <Result text=\"Analysis of variance table (type III)\" rname=\"anova\" chartname=\"a,b\"/>\n"
        "  <Result rname=\"resid\" hidden=\"true\" chartname=\"r1\"/>\n"
        "  <Result text=\"12345678901234567890123456789\" rname=\"exact29\"/>\n"
        "  <Result rname=\"fitted\" hidden=\"\"/>\n"
        "</RResults>\n"
        "</Function>\n");
    // The descriptive statistics check box is reserved once per result and
    // added once: four more controls are counted than filled.
    reading.SizeAndFill(4);

    const std::vector<ControlRow> expected = {
        MarkedRow("CheckBox", 0, "d1"),
        ControlRow().Kind("Group").Name("g").FrameChildren(1).Style("0"),
        MarkedRow("Input", 0, "d2").ReportGroup("0"),
        MarkedRow("CheckBox", 1, "o1"),
        MarkedRow("RadioButton", 1, "o2"),
        AutoCheckBox(1, "", TranslationRow(65)).Name("CheckBoxDesc"),
        AutoCheckBox(1, "coefs", "Coefficients"),
        AutoCheckBox(1, "anova", "anova"),
        AutoCheckBox(1, "exact29", "12345678901234567890123456789"),
        AutoCheckBox(1, "fitted", "fitted"),
        AutoCheckBox(2, "coefs", "Coefficients"),
        AutoCheckBox(2, "resid", "resid"),
        MarkedRow("CheckBox", 3, "l1"),
    };
    EXPECT_EQ(reading.Controls(), expected);
    EXPECT_EQ(host::Entries<int>(reading.air().pageCtlCount), (Ints{2, 2, 1, 1}));
}

TEST(Results, CheckBoxesFollowTheAutomaticFlagsAsTheyStandWhenResultsAreRead) {
    Reading reading(
        "<Function>\n"
        "<RResults><Result rname=\"early\" chartname=\"early\"/></RResults>\n"
        "<Tab><AutoOutputs stats=\"false\"/></Tab>\n"
        "<RResults><Result rname=\"outputOnly\" chartname=\"ch\"/></RResults>\n"
        "<Tab><AutoCharts/><AutoOutputs stats=\"\"/></Tab>\n"
        "<RResults><Result rname=\"a\"/><Result rname=\"b\" chartname=\"b\"/></RResults>\n"
        "<RResults><Result rname=\"c\" hidden=\"False\"/></RResults>\n"
        "</Function>\n");
    // Three results reserve the descriptive check box, two RResults add it.
    reading.SizeAndFill(1);

    ST_aiR& air = reading.air();
    EXPECT_EQ(air.autoOutputsStats, -1) << "an empty stats attribute is an absent one";
    EXPECT_EQ(air.autoOutputsPage, 1);
    EXPECT_EQ(air.autoChartsPage, 1);
    const std::vector<ControlRow> expected = {
        AutoCheckBox(0, "outputOnly", "outputOnly"),
        AutoCheckBox(1, "", TranslationRow(65)).Name("CheckBoxDesc"),
        AutoCheckBox(1, "a", "a"),
        AutoCheckBox(1, "b", "b"),
        AutoCheckBox(1, "b", "b"),
        AutoCheckBox(1, "", TranslationRow(65)).Name("CheckBoxDesc"),
    };
    EXPECT_EQ(reading.Controls(), expected);
}

}  // namespace
