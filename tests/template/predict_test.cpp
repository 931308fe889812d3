// The prediction block of AutoPredict through both exports: its controls,
// its data selections and its dialog macro, after X, Q and label fields, after
// some of them and before any.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_records.h"
#include "reading.h"

namespace {

using templates::ControlRow;
using templates::Reading;
using templates::RefRow;
using templates::StandardControl;
using templates::TranslationRow;
using Texts = std::vector<std::string>;
using Ints = std::vector<int>;

const char kMacroStart[] =
    "Private Sub AdaptPredict()\n"
    "    LabelExplPred.Enabled = CheckBoxPredict\n";
const char kMacroX[] =
    "    RefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n"
    "    LabelRefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n";
const char kMacroQ[] =
    "    RefEditQPred.Enabled = RefEditQ.Enabled and CheckBoxPredict\n"
    "    LabelRefEditQPred.Enabled = RefEditQ.Enabled and CheckBoxPredict\n";
const char kMacroObs[] =
    "    RefEditObsLabelsPred.Enabled = RefEditObsLabels.Enabled and CheckBoxPredict\n"
    "    LabelRefEditObsLabelsPred.Enabled = RefEditObsLabels.Enabled and CheckBoxPredict\n";
const char kMacroEnd[] = "End Sub\n";

ControlRow PredictCheckBox(int page) {
    return StandardControl(page)
        .Kind("CheckBox")
        .Name("CheckBoxPredict")
        .Text("Predictions")
        .Default("false")
        .RName("withpred")
        .ReportGroup("0")
        .EventCode("Call AdaptPredict");
}

ControlRow PredictSelection(int page, const std::string& kind, const std::string& name, const std::string& text,
                            const std::string& rName) {
    return StandardControl(page).Kind(kind).Name(name).Text(text).Enabled(0).Left("+1").RName(rName);
}

ControlRow Spacer(int page) { return StandardControl(page).Kind("Spacer").Height("6"); }

TEST(AutoPredict, AfterXQAndLabelFieldsAddsASelectionForTheLastOfEach) {
    Reading reading(
        "<Function>\n"
        "<Tab text=\"Data\">\n"
        "  <YQuantiField/>\n"
        "  <XQuantiField text=\"First X\"/>\n"
        "  <XQualiField/>\n"
        "  <Group><XQuantiField text=\"Last X\"/></Group>\n"
        "  <ObsLabelsField/>\n"
        "</Tab>\n"
        "<Tab text=\"Prediction\"><CheckBox name=\"before\"/><AutoPredict/><CheckBox name=\"after\"/></Tab>\n"
        "</Function>\n");
    reading.SizeAndFill();

    ST_aiR& air = reading.air();
    EXPECT_EQ(air.autoPredict, -1);
    EXPECT_EQ(host::Text(air.autoPredictRName), "data2");
    EXPECT_EQ(host::Text(air.dialogCode), std::string(kMacroStart) + kMacroX + kMacroQ + kMacroObs + kMacroEnd);

    const std::vector<ControlRow> controls = reading.Controls();
    ASSERT_EQ(controls.size(), 13u);
    EXPECT_EQ(controls[1].name, "RefEditX");
    EXPECT_EQ(controls[6].name, "before");
    const std::vector<ControlRow> block = {
        PredictCheckBox(1),
        PredictSelection(1, "XQuantiField", "RefEditXPred", "Last X", "data2"),
        PredictSelection(1, "XQualiField", "RefEditQPred", TranslationRow(236), "data2"),
        PredictSelection(1, "ObsLabelsField", "RefEditObsLabelsPred", TranslationRow(48), "data2"),
        Spacer(1),
    };
    EXPECT_EQ(std::vector<ControlRow>(controls.begin() + 7, controls.begin() + 12), block);
    EXPECT_EQ(controls[12].name, "after");

    const std::vector<RefRow> refs = reading.Refs();
    ASSERT_EQ(refs.size(), 8u);
    const std::vector<RefRow> predictions = {
        RefRow().Name("RefEditXPred").Page(1).Text("Last X").RType("double").RName("data2").SelectionKind(2),
        RefRow()
            .Name("RefEditQPred")
            .Page(1)
            .Text(TranslationRow(236))
            .DataType("3")
            .RType("string")
            .RName("data2")
            .SelectionKind(2),
        RefRow()
            .Name("RefEditObsLabelsPred")
            .Page(1)
            .Text(TranslationRow(48))
            .DataType("8")
            .RName("data2")
            .SelectionKind(2),
    };
    EXPECT_EQ(std::vector<RefRow>(refs.begin() + 5, refs.end()), predictions);
    // AutoPredict counts as one control of the page, and the block's own
    // controls are not counted.
    EXPECT_EQ(host::Entries<int>(air.pageCtlCount), (Ints{5, 2}));
}

TEST(AutoPredict, AfterXAndLabelFieldsOnlyLeavesOutTheQLines) {
    Reading reading(
        "<Function>\n"
        "<Tab><XQuantiField text=\"X\"/><ObsLabelsField text=\"Names\"/></Tab>\n"
        "<Tab><AutoPredict rname=\"newdata\"/></Tab>\n"
        "</Function>\n");
    reading.SizeAndFill();

    EXPECT_EQ(host::Text(reading.air().dialogCode), std::string(kMacroStart) + kMacroX + kMacroObs + kMacroEnd);
    const std::vector<ControlRow> controls = reading.Controls();
    ASSERT_EQ(controls.size(), 6u);
    EXPECT_EQ(controls[2], PredictCheckBox(1));
    EXPECT_EQ(controls[3], PredictSelection(1, "XQuantiField", "RefEditXPred", "X", "newdata"));
    EXPECT_EQ(controls[4], PredictSelection(1, "ObsLabelsField", "RefEditObsLabelsPred", "Names", "newdata"));
    EXPECT_EQ(controls[5], Spacer(1));
    EXPECT_EQ(host::Entries<std::string>(reading.air().refName),
              (Texts{"RefEditX", "RefEditObsLabels", "RefEditXPred", "RefEditObsLabelsPred"}));
    EXPECT_EQ(host::Entries<std::string>(reading.air().refRName), (Texts{"", "", "newdata", "newdata"}));
}

TEST(AutoPredict, BeforeAnyFieldAddsTheCheckBoxAndSpacerOnlyAndRepeatsTheMacro) {
    Reading reading(
        "<Function>\n"
        "<Tab><AutoPredict rname=\"\"/><XQuantiField/><AutoPredict rname=\"d3\"/></Tab>\n"
        "<Tab><AutoPredict/></Tab>\n"
        "</Function>\n");
    reading.SizeAndFill();

    ST_aiR& air = reading.air();
    // An empty rname is an absent one.
    EXPECT_EQ(host::Text(air.autoPredictRName), "data2");
    const std::string withX = std::string(kMacroStart) + kMacroX + kMacroEnd;
    EXPECT_EQ(host::Text(air.dialogCode), std::string(kMacroStart) + kMacroEnd + withX + withX);

    const std::vector<ControlRow> controls = reading.Controls();
    ASSERT_EQ(controls.size(), 9u);
    EXPECT_EQ(controls[0], PredictCheckBox(0));
    EXPECT_EQ(controls[1], Spacer(0));
    // The prediction selection of the second block is an X field too, the
    // last one loaded when the third block is built, which gives it the X
    // field's name.
    EXPECT_EQ(controls[4], PredictSelection(0, "XQuantiField", "RefEditX", TranslationRow(235), "d3"));
    EXPECT_EQ(controls[7], PredictSelection(1, "XQuantiField", "RefEditXPred", TranslationRow(235), "data2"));
    EXPECT_EQ(host::Entries<std::string>(air.refText),
              (Texts{TranslationRow(235), TranslationRow(235), TranslationRow(235)}));
}

}  // namespace
