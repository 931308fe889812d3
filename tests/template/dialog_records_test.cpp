// Templates through the two-pass load, field by field: each case is a template
// and the entries the filling pass must leave in the vectors it is about (joined
// by "|"), chosen where a nearly right loader leaves other entries. Every case
// also checks that the sizing pass counted what the filling pass appended.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog_fields.h"

namespace {

struct Case {
    const char* name;
    std::string xml;  // a file of data/ when it starts with "@"
    std::vector<std::pair<const char*, std::string>> expected;
    int controlOverCount = 0;
};

const Case kCases[] = {
    {"CommonAttributesFallBackAndCompareExactly",
     "<Function text=\"T\">\n<Tab text=\"First\">\n  <CheckBox/>\n"
     "  <CheckBox name=\"empty\" enabled=\"\" visible=\"\" nextrow=\"\" left=\"\" height=\"\" default=\"\"/>\n"
     "  <CheckBox name=\"cased\" enabled=\"True\" visible=\"TRUE\" nextrow=\"false\" default=\"False\"/>\n"
     "  <RadioButton name=\"radio\"/>\n  <Input name=\"input\"/>\n"
     "  <Slider name=\"unknown\" onchange=\"Call NotForThisKind\"/>\n</Tab>\n<Tab text=\"Second\">\n"
     "  <ComboBox name=\"combo\" onclick=\"Call Clicked\" onchange=\"Call Changed\"/>\n"
     "  <Custom name=\"all\" text=\"Every attribute\" reporttext=\"rt\" left=\"12\" chartname=\"ch\"\n"
     "          default=\"d\" enabled=\"false\" visible=\"false\" nextrow=\"no\" rname=\"r\" rname_option=\"ro\"\n"
     "          width=\"80\" height=\"20\" tooltip=\"tip\" onclick=\"Call Clicked\" refeditlinked=\"RefEditX\"\n"
     "          style=\"2\" type=\"t\" reportgroup=\"g\" groupname=\"gn\" optional=\"o\" optiondefault=\"od\"/>\n"
     "</Tab>\n"
     "</Function>",
     {{"ctlKind", "CheckBox|CheckBox|CheckBox|RadioButton|Input|Slider|ComboBox|Custom"},
      {"ctlPage", "0|0|0|0|0|0|1|1"}, {"ctlName", "|empty|cased|radio|input|unknown|combo|all"},
      {"ctlText", "|||||||Every attribute"}, {"ctlDefault", "false|false|False|false|||0|d"},
      {"ctlEnabled", "-1|-1|0|-1|-1|-1|-1|0"}, {"ctlVisible", "-1|-1|0|-1|-1|-1|-1|0"},
      {"ctlNextRow", "-1|-1|0|-1|-1|-1|-1|0"}, {"ctlLeft", "0|0|0|0|0|0|0|12"}, {"ctlHeight", "0|0|0|0|0|0|0|20"},
      {"ctlWidth", "|||||||80"}, {"ctlChartName", "|||||||ch"},
      {"ctlEventCode", "||||||Call Changed|Call Clicked"}, {"ctlType", "|||||||t"}, {"ctlGroupName", "|||||||gn"},
      {"ctlOptional", "|||||||o"}, {"ctlOptionDefault", "|||||||od"}, {"ctlRefEditLinked", "|||||||RefEditX"},
      {"ctlReportGroup", "|||||||g"}, {"ctlReportText", "|||||||rt"}, {"ctlRName", "|||||||r"},
      {"ctlRNameOption", "|||||||ro"}, {"ctlStyle", "|||||||2"}, {"ctlToolTip", "|||||||tip"},
      {"pageCtlCount", "6|2"}}},
    {"TextIsATranslationRowOrHasItsSymbolsReplaced",
     "<Function><Tab>\n  <CheckBox name=\"row\" text=\"|12|\"/>\n"
     "  <CheckBox name=\"decimal\" text=\"|12,9| and more\"/>\n  <CheckBox name=\"highest\" text=\"|6500|\"/>\n"
     "  <CheckBox name=\"noRow\" text=\"||\"/>\n  <CheckBox name=\"notClosed\" text=\"|12\"/>\n"
     "  <CheckBox name=\"beyond\" text=\"|6501|\"/>\n  <CheckBox name=\"notANumber\" text=\"|abc|\"/>\n"
     "  <CheckBox name=\"symbols\" text=\"a &amp;lt; b &amp;gt; c &amp;amp; d\"/>\n"
     "  <CheckBox name=\"barInside\" text=\"see |12|\"/>\n"
     "</Tab></Function>",
     {{"ctlText", "|||||||a < b > c &amp; d|see |12|"}}},
    {"ComboBoxJoinsItsItemsAndNamesItselfWhenUnnamed",
     "<Function><Tab>\n  <CheckBox/><CheckBox/>\n"
     "  <ComboBox text=\"Method\" default=\"2,9\" onchange=\"Call Changed\">\n"
     "    <Item text=\"a\" rname=\"x\"/><Item text=\"b\" rname=\"y\"/>\n  </ComboBox>\n"
     "  <ComboBox name=\"Named\" default=\"many\">\n"
     "    <Note/><Item text=\"c\"/><!-- not a child --><Item rname=\"z\"/>\n  </ComboBox>\n  <ComboBox name=\"\"/>\n"
     "  <Group><CheckBox/><CheckBox/><CheckBox/><CheckBox/><CheckBox/></Group>\n"
     "  <ComboBox default=\"-3\"><Item text=\"only\" rname=\"one\"/></ComboBox>\n"
     "</Tab></Function>",
     {{"comboName", "CB003kovian|Named|CB005kovian|CB012kovian"}, {"comboDefault", "2|0|0|-3"},
      {"comboItemTexts", "a,b|,c,||only"}, {"comboItemRNames", "x,y|,,z||one"}, {"ctlName", "|||Named||||||||"},
      {"ctlDefault", "false|false|2,9|many|0||false|false|false|false|false|-3"}}},
    {"GroupPutsItsMembersAfterItselfOnItsPage",
     "<Function><Tab><CheckBox name=\"before\"/></Tab>\n<Tab>\n"
     "  <Group name=\"outer\" text=\"Options\" style=\"3\">\n    <CheckBox name=\"c1\"/>\n"
     "    <Group name=\"inner\"><Input name=\"i1\" rname=\"level\"/></Group>\n    <RadioButton name=\"r1\"/>\n"
     "  </Group>\n  <Group name=\"empty\"/>\n  <CheckBox name=\"after\"/>\n"
     "</Tab></Function>",
     {{"ctlKind", "CheckBox|Group|CheckBox|Group|Input|RadioButton|Group|CheckBox"},
      {"ctlPage", "0|1|1|1|1|1|1|1"}, {"ctlName", "before|outer|c1|inner|i1|r1|empty|after"},
      {"ctlFrameChildren", "0|3|0|1|0|0|0|0"}, {"ctlStyle", "|0||0|||0|"}, {"ctlReportGroup", "||||0|||"},
      {"ctlRName", "||||level|||"}, {"inputPage", "1"}, {"pageCtlCount", "1|3"}}},
    {"InputsAndInteractions",
     "<Function><Tab><CheckBox/></Tab>\n<Tab text=\"Model\">\n  <Input name=\"plain\"/>\n"
     "  <Input name=\"passed\" rname=\"level\" type=\"double\" min=\"0\" max=\"1\" optional=\"False\" optiondefault=\"false\"/>\n"
     "  <Input name=\"grouped\" rname=\"n\" reportgroup=\"2\" type=\"\" optional=\"\" optiondefault=\"yes\"/>\n"
     "  <Interactions name=\"mine\" text=\"own\" rname=\"order\" enabled=\"true\" left=\"3\" min=\"0\" optional=\"false\"/>\n"
     "  <CheckBox name=\"after\"/>\n"
     "</Tab></Function>",
     {{"inputPage", "1|1|1|1"}, {"inputType", "integer|double|integer|integer"}, {"inputMin", "|0||1"},
      {"inputMax", "|1||5"}, {"inputOptional", "0|-1|0|-1"}, {"inputOptionDefault", "0|0|-1|-1"},
      {"ctlKind", "CheckBox|Input|Input|Input|Input|Spacer|CheckBox"},
      {"ctlName", "|plain|passed|grouped|Interactions||after"}, {"ctlText", "||||Interactions / Level||"},
      {"ctlDefault", "false||||2|true|false"}, {"ctlEnabled", "-1|-1|-1|-1|0|-1|-1"},
      {"ctlLeft", "0|0|0|0|115|0|0"}, {"ctlHeight", "0|0|0|0|0|6|0"}, {"ctlOptional", "||False||false||"},
      {"ctlType", "||double||integer||"}, {"ctlReportGroup", "||0|2|0||"}, {"ctlRName", "||level|n|order||"},
      {"ctlToolTip", "||||Highest order of the interactions between the explanatory variables||"},
      {"hasInteractions", "-1"}}},
    {"RefEditAndDataFieldFollowTheirAttributes",
     "<Function>\n<Tab><CheckBox/></Tab>\n<Tab>\n"
     "  <RefEdit name=\"RefEditA\" text=\"Range A\" rname=\"a\" rtype=\"matrix\" yvar=\"true\"/>\n"
     "  <RefEdit name=\"RefEditB\" yvar=\"false\" onebyone=\"true\" type=\"numeric\" str2dbl=\"yes\" onecolumn=\"false\"/>\n"
     "  <RefEdit name=\"RefEditC\" yvar=\"\" onebyone=\"True\" type=\"7\" optional=\"true\" optiondefault=\"false\" onecolumn=\"1\"/>\n"
     "  <DataField name=\"DataD\" text=\"|12|\" type=\"Numeric\" optional=\"true\" optiondefault=\"yes\" enabled=\"false\"/>\n"
     "  <DataField yvar=\"TRUE\" onebyone=\"\" type=\"text\" optional=\"False\" str2dbl=\"false\"/>\n"
     "  <RefEdit name=\"RefEditE\" yvar=\"false\"/>\n</Tab>\n"
     "</Function>",
     {{"refName", "RefEditA|RefEditB|RefEditC|DataD||RefEditE"}, {"refPage", "1|1|1|1|1|1"},
      {"refText", "Range A|||||"}, {"refDataType", "1|1|7|0|3|1"}, {"refRType", "matrix|||||"},
      {"refRName", "a|||||"}, {"refSelectionKind", "0|0|0|0|0|0"}, {"refYVar", "-1|0|0|0|-1|0"},
      {"refOptional", "0|0|-1|-1|-1|0"}, {"refOptionDefault", "0|0|0|-1|0|0"}, {"refOneColumn", "0|0|-1|0|0|0"},
      {"refHostFlag", "0|0|0|0|0|0"}, {"refStr2Dbl", "0|-1|0|0|0|0"}, {"refOneByOne", "-1|-1|0|0|-1|0"},
      {"ctlEnabled", "-1|-1|-1|0|-1|0|-1"}, {"ctlName", "|RefEditA|RefEditB|RefEditC|DataD||RefEditE"},
      {"addObsLabels", "0"}}},
    {"FieldsTakeFixedNamesTypesAndLabels",
     "<Function>\n<Tab><CheckBox/></Tab>\n<Tab>\n"
     "  <YQuantiField name=\"ignored\" text=\"Dependent\" optional=\"true\" optiondefault=\"false\" yvar=\"false\" onebyone=\"false\" type=\"3\"/>\n"
     "  <YQualiField type=\"numeric\" onebyone=\"\"/>\n"
     "  <XQuantiField name=\"mine\" yvar=\"true\" onebyone=\"true\" type=\"text\" rname=\"x\"/>\n"
     "  <XQuantiField text=\"Explanatory\" tooltip=\"Own tip\"/>\n"
     "  <XQualiField name=\"Q1\" text=\"||\" rtype=\"factor\"/>\n"
     "  <ObsLabelsField add=\"true\" onecolumn=\"false\" optional=\"false\" optiondefault=\"true\"/>\n"
     "  <ObsLabelsField text=\"Labels\" add=\"TRUE\" optional=\"true\"/>\n</Tab>\n"
     "</Function>",
     {{"refName", "RefEditY|RefEditY|RefEditX|RefEditX|RefEditQ|RefEditObsLabels|RefEditObsLabels"},
      {"refText", "Dependent||Quantitative explanatory variables|Explanatory|Qualitative explanatory variables|Observation labels|Labels"},
      {"refDataType", "3|3|2|2|3|8|8"}, {"refRType", "||||factor||"}, {"refRName", "||x||||"},
      {"refYVar", "-1|-1|0|0|0|0|0"}, {"refOptional", "0|0|0|0|0|-1|-1"}, {"refOneColumn", "0|0|0|0|0|-1|-1"},
      {"refOneByOne", "0|-1|0|0|0|0|0"},
      {"ctlKind", "CheckBox|YQuantiField|YQualiField|XQuantiField|XQuantiField|XQualiField|ObsLabelsField|ObsLabelsField"},
      {"ctlName", "|RefEditY|RefEditY|RefEditX|RefEditX|RefEditQ|RefEditObsLabels|RefEditObsLabels"},
      {"ctlText", "|Dependent||Quantitative explanatory variables|Explanatory|Qualitative explanatory variables|Observation labels|Labels"},
      {"ctlEnabled", "-1|0|-1|-1|-1|-1|-1|0"}, {"ctlOptional", "|true|||||false|true"},
      {"ctlOptionDefault", "|false|||||true|"}, {"ctlType", "|3|numeric|text||||"}, {"ctlRName", "|||x||||"},
      {"ctlToolTip", "|||Select the quantitative explanatory variables|Own tip|Select the qualitative explanatory variables|Observation labels|"},
      {"addObsLabels", "0"}}},
    {"LastLabelFieldAddsLabels",
     "<Function><Tab><ObsLabelsField/><ObsLabelsField add=\"true\"/></Tab></Function>",
     {{"addObsLabels", "1"}}},
    {"EveryResultFillsTheResultVectorsWithTheirDefaults",
     "<Function>\n<RResults>\n  <Result rname=\"coefs\"/>\n"
     "  <Result text=\"All\" rname=\"all\" type=\"string\" rowlabels=\"rdesc\" collabels=\"c\" format=\"0.00\" colformats=\"cf\" rowformats=\"rf\" charttype=\"bar\" chartname=\"ch\" color=\"red\" show=\"false\" hidden=\"true\" rplotcode=\"plot(x)\" rplotformat=\"emf\" rplotwidth=\"640\" rplotheight=\"480\"/>\n"
     "  <!-- not a result -->\n  <Chart rname=\"ignored\"/>\n"
     "  <Result hidden=\"False\" show=\"\" type=\"\" rplotformat=\"\"/>\n  <Result hidden=\"false\"/>\n</RResults>\n"
     "</Function>",
     {{"resText", "|All||"}, {"resRName", "coefs|all||"}, {"resType", "double|string|double|double"},
      {"resRowLabels", "|rdesc||"}, {"resColLabels", "|c||"}, {"resFormat", "|0.00||"}, {"resColFormats", "|cf||"},
      {"resRowFormats", "|rf||"}, {"resChartType", "|bar||"}, {"resChartName", "|ch||"}, {"resColor", "|red||"},
      {"resShow", "true|false|true|true"}, {"resHidden", "0|-1|-1|0"}, {"resPlotIncluded", "0|0|0|0"},
      {"resRPlotCode", "|plot(x)||"}, {"resRPlotFormat", "png|emf|png|png"}, {"resRPlotWidth", "500|640|500|500"},
      {"resRPlotHeight", "500|480|500|500"}, {"autoOutputs", "0"}, {"ctlKind", ""}}},
    {"AutomaticCheckBoxesAreSortedIntoTheirPagesWithEveryVector",
     "<Function>\n"
     "<Tab text=\"Data\"><CheckBox name=\"d1\" text=\"text d1\" rname=\"r_d1\" tooltip=\"tip d1\" width=\"w_d1\" chartname=\"ch_d1\" enabled=\"false\"/><Group name=\"g\"><Input name=\"d2\" text=\"text d2\" rname=\"r_d2\" tooltip=\"tip d2\" width=\"w_d2\" chartname=\"ch_d2\" enabled=\"false\"/></Group></Tab>\n"
     "<Tab text=\"Outputs\"><CheckBox name=\"o1\" text=\"text o1\" rname=\"r_o1\" tooltip=\"tip o1\" width=\"w_o1\" chartname=\"ch_o1\" enabled=\"false\"/><AutoOutputs/><RadioButton name=\"o2\" text=\"text o2\" rname=\"r_o2\" tooltip=\"tip o2\" width=\"w_o2\" chartname=\"ch_o2\" enabled=\"false\"/></Tab>\n"
     "<Tab text=\"Charts\"><AutoCharts/></Tab>\n"
     "<Tab text=\"Last\"><CheckBox name=\"l1\" text=\"text l1\" rname=\"r_l1\" tooltip=\"tip l1\" width=\"w_l1\" chartname=\"ch_l1\" enabled=\"false\"/></Tab>\n"
     "<RResults>\n  <Result text=\"Coefficients\" rname=\"coefs\" chartname=\"c1\"/>\n"
     "  <Result text=\"Analysis of variance table (type III)\" rname=\"anova\" chartname=\"a,b\"/>\n"
     "  <Result rname=\"resid\" hidden=\"true\" chartname=\"r1\"/>\n"
     "  <Result text=\"12345678901234567890123456789\" rname=\"exact29\"/>\n"
     "  <Result rname=\"fitted\" hidden=\"\"/>\n</RResults>\n"
     "</Function>",
     {
      {"ctlKind", "CheckBox|Group|Input|CheckBox|RadioButton|CheckBox|CheckBox|CheckBox|CheckBox|CheckBox|CheckBox|CheckBox|CheckBox"},
      {"ctlPage", "0|0|0|1|1|1|1|1|1|1|2|2|3"}, {"ctlName", "d1|g|d2|o1|o2|CheckBoxDesc|||||||l1"},
      {"ctlText", "text d1||text d2|text o1|text o2|Descriptive statistics|Coefficients|anova|12345678901234567890123456789|fitted|Coefficients|resid|text l1"},
      {"ctlRName", "r_d1||r_d2|r_o1|r_o2||coefs|anova|exact29|fitted|coefs|resid|r_l1"},
      {"ctlToolTip", "tip d1||tip d2|tip o1|tip o2||||||||tip l1"},
      {"ctlWidth", "w_d1||w_d2|w_o1|w_o2||||||||w_l1"}, {"ctlChartName", "ch_d1||ch_d2|ch_o1|ch_o2||||||||ch_l1"},
      {"ctlEnabled", "0|-1|0|0|0|-1|-1|-1|-1|-1|-1|-1|0"},
      {"ctlDefault", "false|||false|false|true|true|true|true|true|true|true|false"},
      {"ctlHeight", "0|0|0|0|0||||||||0"}, {"ctlFrameChildren", "0|1|0|0|0|0|0|0|0|0|0|0|0"},
      {"ctlReportGroup", "||0||||||||||"}, {"pageCtlCount", "2|2|1|1"}}, 4},
    {"CheckBoxesFollowTheAutomaticFlagsAsTheyStandWhenResultsAreRead",
     "<Function>\n<RResults><Result rname=\"early\" chartname=\"early\"/></RResults>\n"
     "<Tab><AutoOutputs stats=\"false\"/></Tab>\n"
     "<RResults><Result rname=\"outputOnly\" chartname=\"ch\"/></RResults>\n"
     "<Tab><AutoCharts/><AutoOutputs stats=\"\"/></Tab>\n"
     "<RResults><Result rname=\"a\"/><Result rname=\"b\" chartname=\"b\"/></RResults>\n"
     "<RResults><Result rname=\"c\" hidden=\"False\"/></RResults>\n"
     "</Function>",
     {{"autoOutputsStats", "-1"}, {"autoOutputsPage", "1"}, {"autoChartsPage", "1"}, {"ctlPage", "0|1|1|1|1|1"},
      {"ctlName", "|CheckBoxDesc||||CheckBoxDesc"}, {"ctlRName", "outputOnly||a|b|b|"},
      {"ctlText", "outputOnly|Descriptive statistics|a|b|b|Descriptive statistics"}}, 1},
    {"PageAttributesFallBackAndPageLevelElementsCountAsControls",
     "<Function>\n  <Tab text=\"A\" leftcolumnwidth=\"1e300\" rightcolumnwidth=\"-7,9\"><AutoPredict/></Tab>\n"
     "  <Tab text=\"B\" leftcolumnwidth=\"\" enabled=\"\"><AutoOutputs/><AutoCharts/></Tab>\n"
     "  <Tab text=\"C\" leftcolumnwidth=\"90\" enabled=\"true\">\n  </Tab>\n"
     "</Function>",
     {{"pageCtlCount", "1|1|0"}, {"pageLeftWidth", "2147483647|155|0"}, {"pageRightWidth", "-7|155|0"},
      {"pageEnabled", "-1|-1|0"}, {"autoPredict", "-1"}, {"autoPredictRName", "data2"}, {"autoOutputs", "-1"},
      {"autoOutputsStats", "-1"}, {"autoOutputsPage", "1"}, {"autoCharts", "-1"}, {"autoChartsPage", "1"},
      {"title", ""}, {"functionName", ""}, {"uniqueId", "0"}}},
    {"ColumnsBreakOnceAndStopAtTheThird",
     "<Function>\n  <Tab text=\"One\">\n    <CheckBox name=\"first\"/>\n"
     "    <Column><CheckBox name=\"left1\"/><CheckBox name=\"left2\"/><CheckBox name=\"left3\"/></Column>\n"
     "    <Column><CheckBox name=\"right1\"/></Column>\n    <Column><CheckBox name=\"third\"/></Column>\n"
     "    <CheckBox name=\"after\"/>\n  </Tab>\n  <Tab text=\"Two\">\n"
     "    <Column><Column><CheckBox name=\"a\"/></Column><Column><CheckBox name=\"b\"/></Column></Column>\n"
     "    <Column/>\n  </Tab>\n"
     "</Function>",
     {{"pageCtlCount", "3|1"},
      {"ctlKind", "CheckBox|CheckBox|CheckBox|CheckBox|NextColumn|CheckBox|CheckBox|NextColumn|CheckBox|NextColumn"},
      {"ctlPage", "0|0|0|0|0|0|1|1|1|1"}, {"ctlName", "first|left1|left2|left3||right1|a||b|"},
      {"ctlDefault", "false|false|false|false|true|false|false|true|false|true"},
      {"ctlEnabled", "-1|-1|-1|-1|-1|-1|-1|-1|-1|-1"}, {"ctlVisible", "-1|-1|-1|-1|-1|-1|-1|-1|-1|-1"},
      {"ctlNextRow", "-1|-1|-1|-1|-1|-1|-1|-1|-1|-1"}, {"ctlLeft", "0|0|0|0|0|0|0|0|0|0"},
      {"ctlFrameChildren", "0|0|0|0|0|0|0|0|0|0"}, {"ctlReportText", "|||||||||"}}},
    {"ScriptLinesAndBlocksInDocumentOrder",
     "<Function>\n  <RScript replacebyvalue=\"yes\">\n    <RBlock engine=\"python\">\n  x &lt;- 1\n\ty &lt;- 2\n"
     "  </RBlock>\n    <ScriptLine code=\"a\" replace=\"False\"/>\n    <RBlock>a &lt;- 1\nb &lt;- 2</RBlock>\n"
     "    <ScriptLine code=\"b\" replace=\"no\" engine=\"julia\"/>\n    <!-- seeds in a block do not count -->\n"
     "    <RBlock replace=\"true\">set.seed(kovianseed)\n   \n\t\nc &lt;- 3\n</RBlock>\n"
     "    <RBlock>no line feed at all</RBlock>\n    <Other code=\"ignored\"/>\n  </RScript>\n"
     "  <RScript replacebyvalue=\"\">\n    <ScriptLine code=\" z \"/>\n  </RScript>\n"
     "</Function>",
     {{"scriptCode", "x <- 1|y <- 2|a|a <- 1|b|set.seed(kovianseed)|c <- 3| z "},
      {"scriptEngine", "python|python|r|r|julia|r|r|r"}, {"scriptReplace", "0|0|-1|0|-1|-1|-1|0"},
      {"usesSeed", "0"}, {"replaceByValue", "0"}}},
    {"PredictionBlockFollowsTheLastXQAndLabelFields",
     "<Function>\n<Tab text=\"Data\">\n  <YQuantiField/>\n  <XQuantiField text=\"First X\"/>\n  <XQualiField/>\n"
     "  <Group><XQuantiField text=\"Last X\"/></Group>\n  <ObsLabelsField/>\n</Tab>\n"
     "<Tab text=\"Prediction\"><CheckBox name=\"before\"/><AutoPredict/><CheckBox name=\"after\"/></Tab>\n"
     "</Function>",
     {{"autoPredict", "-1"}, {"autoPredictRName", "data2"},
      {"dialogCode", "Private Sub AdaptPredict()\n    LabelExplPred.Enabled = CheckBoxPredict\n    RefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n    LabelRefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n    RefEditQPred.Enabled = RefEditQ.Enabled and CheckBoxPredict\n    LabelRefEditQPred.Enabled = RefEditQ.Enabled and CheckBoxPredict\n    RefEditObsLabelsPred.Enabled = RefEditObsLabels.Enabled and CheckBoxPredict\n    LabelRefEditObsLabelsPred.Enabled = RefEditObsLabels.Enabled and CheckBoxPredict\nEnd Sub\n"},
      {"ctlKind", "YQuantiField|XQuantiField|XQualiField|Group|XQuantiField|ObsLabelsField|CheckBox|CheckBox|XQuantiField|XQualiField|ObsLabelsField|Spacer|CheckBox"},
      {"ctlPage", "0|0|0|0|0|0|1|1|1|1|1|1|1"},
      {"ctlName", "RefEditY|RefEditX|RefEditQ||RefEditX|RefEditObsLabels|before|CheckBoxPredict|RefEditXPred|RefEditQPred|RefEditObsLabelsPred||after"},
      {"ctlText", "|First X|Qualitative explanatory variables||Last X|Observation labels||Predictions|Last X|Qualitative explanatory variables|Observation labels||"},
      {"ctlDefault", "||||||false|false|true|true|true|true|false"},
      {"ctlEnabled", "-1|-1|-1|-1|-1|-1|-1|-1|0|0|0|-1|-1"}, {"ctlLeft", "0|0|0|0|0|0|0|0|+1|+1|+1|0|0"},
      {"ctlHeight", "0|0|0|0|0|0|0|||||6|0"}, {"ctlRName", "|||||||withpred|data2|data2|data2||"},
      {"ctlReportGroup", "|||||||0|||||"}, {"ctlEventCode", "|||||||Call AdaptPredict|||||"},
      {"refName", "RefEditY|RefEditX|RefEditQ|RefEditX|RefEditObsLabels|RefEditXPred|RefEditQPred|RefEditObsLabelsPred"},
      {"refText", "|First X|Qualitative explanatory variables|Last X|Observation labels|Last X|Qualitative explanatory variables|Observation labels"},
      {"refDataType", "1|2|3|2|8|1|3|8"}, {"refRType", "|||||double|string|"},
      {"refRName", "|||||data2|data2|data2"}, {"refSelectionKind", "0|0|0|0|0|2|2|2"}, {"pageCtlCount", "5|2"}}},
    {"PredictionBlockWithoutQFields",
     "<Function>\n<Tab><XQuantiField text=\"X\"/><ObsLabelsField text=\"Names\"/></Tab>\n"
     "<Tab><AutoPredict rname=\"newdata\"/></Tab>\n"
     "</Function>",
     {
      {"dialogCode", "Private Sub AdaptPredict()\n    LabelExplPred.Enabled = CheckBoxPredict\n    RefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n    LabelRefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n    RefEditObsLabelsPred.Enabled = RefEditObsLabels.Enabled and CheckBoxPredict\n    LabelRefEditObsLabelsPred.Enabled = RefEditObsLabels.Enabled and CheckBoxPredict\nEnd Sub\n"},
      {"ctlName", "RefEditX|RefEditObsLabels|CheckBoxPredict|RefEditXPred|RefEditObsLabelsPred|"},
      {"refName", "RefEditX|RefEditObsLabels|RefEditXPred|RefEditObsLabelsPred"},
      {"refRName", "||newdata|newdata"}}},
    {"PredictionBlockBeforeAnyFieldRepeatsTheMacro",
     "<Function>\n<Tab><AutoPredict rname=\"\"/><XQuantiField/><AutoPredict rname=\"d3\"/></Tab>\n"
     "<Tab><AutoPredict/></Tab>\n"
     "</Function>",
     {{"autoPredictRName", "data2"},
      {"dialogCode", "Private Sub AdaptPredict()\n    LabelExplPred.Enabled = CheckBoxPredict\nEnd Sub\nPrivate Sub AdaptPredict()\n    LabelExplPred.Enabled = CheckBoxPredict\n    RefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n    LabelRefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\nEnd Sub\nPrivate Sub AdaptPredict()\n    LabelExplPred.Enabled = CheckBoxPredict\n    RefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\n    LabelRefEditXPred.Enabled = RefEditX.Enabled and CheckBoxPredict\nEnd Sub\n"},
      {"ctlKind", "CheckBox|Spacer|XQuantiField|CheckBox|XQuantiField|Spacer|CheckBox|XQuantiField|Spacer"},
      {"ctlPage", "0|0|0|0|0|0|1|1|1"},
      {"ctlName", "CheckBoxPredict||RefEditX|CheckBoxPredict|RefEditX||CheckBoxPredict|RefEditXPred|"},
      {"ctlText", "Predictions||Quantitative explanatory variables|Predictions|Quantitative explanatory variables||Predictions|Quantitative explanatory variables|"},
      {"ctlRName", "withpred|||withpred|d3||withpred|data2|"},
      {"refText", "Quantitative explanatory variables|Quantitative explanatory variables|Quantitative explanatory variables"},
     }},
    {"HeaderPagesAndScriptOfAWellFormedTemplate",
     "@well_formed.xml",
     {{"title", "Linear regression"}, {"group", "Modelling"}, {"keywords", "regression, linear model"},
      {"dataStructure", "columns"}, {"functionName", "lm"}, {"packages", "stats,graphics"}, {"uniqueId", "20461"},
      {"authorXml", "T. Author"}, {"authorRFunction", "R Core Team"}, {"compatibilityKovian", "2024.1"},
      {"compatibilityR", "4.3"}, {"dateCreated", "2023-05-02"}, {"dateModified", "2024-01-31"},
      {"packageVersion", "4.3.2"}, {"rDescription", "Fits a linear model by least squares."},
      {"pageText", "General|Outputs|Charts|"}, {"pageCtlCount", "2|1|1|0"}, {"pageLeftWidth", "120|0|155|0"},
      {"pageRightWidth", "155|200|155|0"}, {"pageEnabled", "-1|0|0|0"}, {"autoOutputs", "-1"},
      {"autoOutputsStats", "0"}, {"autoOutputsPage", "1"}, {"autoCharts", "-1"}, {"autoChartsPage", "2"},
      {"autoPredict", "0"}, {"replaceByValue", "-1"}, {"usesSeed", "-1"}, {"scriptEngine", "r|r|r|python"},
      {"scriptReplace", "0|-1|-1|0"},
      {"scriptCode", "set.seed(kovianseed)|res <- lm(kovianformula, data = kovdata)|summary(res)|"},
      {"ctlKind", "YQuantiField|XQuantiField|NextColumn|CheckBox|Input"},
      {"ctlName", "RefEditY|RefEditX||intercept|level"}}},
};

TEST(DialogRecords, EachTemplateFillsItsFieldsAsExpected) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        kovr::LoadedTemplate loaded = c.xml.starts_with("@")
                                                ? templates::Load(KOV_SOURCE_DIR "/tests/template/data/" + c.xml.substr(1))
                                                : templates::LoadText(c.xml);
        templates::ExpectSizingMatchesFilling(loaded, c.controlOverCount);
        const templates::Fields fields = templates::FieldsOf(loaded);
        for (const auto& [field, expected] : c.expected) EXPECT_EQ(fields.at(field), expected) << field;
    }
}

}  // namespace
