// A template read through the reader's two exports as the add-in reads it:
// the sizing pass, every host array dimensioned from its counts, then the
// filling pass. The rows of the per-control and data-selection vectors are
// read back into plain structures that tests compare whole.
#ifndef KOV_TESTS_TEMPLATE_READING_H
#define KOV_TESTS_TEMPLATE_READING_H

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "host_records.h"
#include "template_files.h"

namespace templates {

// The translation table passed along: 6500 rows, of which rows 1, 12, 6500
// and those the reader uses hold "tr<k>" (TranslationRow(k)); the others are
// null, that is empty.
constexpr int kTranslationRows = 6500;
inline std::string TranslationRow(int k) { return "tr" + std::to_string(k); }

// One control: entry i of every per-control vector but ctlExtra. The
// defaults are those of a control element without attributes.
struct ControlRow {
    std::string kind;
    int page = 0;
    std::string name;
    std::string text;
    std::string defaultValue;
    short enabled = -1;
    short visible = -1;
    short nextRow = -1;
    std::string left = "0";
    std::string height = "0";
    std::string width;
    int frameChildren = 0;
    std::string chartName;
    std::string eventCode;
    std::string type;
    std::string groupName;
    std::string optional;
    std::string optionDefault;
    std::string refEditLinked;
    std::string reportGroup;
    std::string reportText;
    std::string rName;
    std::string rNameOption;
    std::string style;
    std::string toolTip;

    // Setters, to build an expected row from the defaults.
    ControlRow& Kind(std::string v) {
        kind = std::move(v);
        return *this;
    }
    ControlRow& Page(int v) {
        page = v;
        return *this;
    }
    ControlRow& Name(std::string v) {
        name = std::move(v);
        return *this;
    }
    ControlRow& Text(std::string v) {
        text = std::move(v);
        return *this;
    }
    ControlRow& Default(std::string v) {
        defaultValue = std::move(v);
        return *this;
    }
    ControlRow& Enabled(short v) {
        enabled = v;
        return *this;
    }
    ControlRow& Visible(short v) {
        visible = v;
        return *this;
    }
    ControlRow& NextRow(short v) {
        nextRow = v;
        return *this;
    }
    ControlRow& Left(std::string v) {
        left = std::move(v);
        return *this;
    }
    ControlRow& Height(std::string v) {
        height = std::move(v);
        return *this;
    }
    ControlRow& Width(std::string v) {
        width = std::move(v);
        return *this;
    }
    ControlRow& FrameChildren(int v) {
        frameChildren = v;
        return *this;
    }
    ControlRow& ChartName(std::string v) {
        chartName = std::move(v);
        return *this;
    }
    ControlRow& EventCode(std::string v) {
        eventCode = std::move(v);
        return *this;
    }
    ControlRow& Type(std::string v) {
        type = std::move(v);
        return *this;
    }
    ControlRow& GroupName(std::string v) {
        groupName = std::move(v);
        return *this;
    }
    ControlRow& Optional(std::string v) {
        optional = std::move(v);
        return *this;
    }
    ControlRow& OptionDefault(std::string v) {
        optionDefault = std::move(v);
        return *this;
    }
    ControlRow& RefEditLinked(std::string v) {
        refEditLinked = std::move(v);
        return *this;
    }
    ControlRow& ReportGroup(std::string v) {
        reportGroup = std::move(v);
        return *this;
    }
    ControlRow& ReportText(std::string v) {
        reportText = std::move(v);
        return *this;
    }
    ControlRow& RName(std::string v) {
        rName = std::move(v);
        return *this;
    }
    ControlRow& RNameOption(std::string v) {
        rNameOption = std::move(v);
        return *this;
    }
    ControlRow& Style(std::string v) {
        style = std::move(v);
        return *this;
    }
    ControlRow& ToolTip(std::string v) {
        toolTip = std::move(v);
        return *this;
    }

    bool operator==(const ControlRow&) const = default;
};

// One data selection: entry r of the fourteen data-selection vectors.
struct RefRow {
    std::string name;
    int page = 0;
    std::string text;
    std::string dataType = "1";
    std::string rType;
    std::string rName;
    int selectionKind = 0;
    short yVar = 0;
    short optional = 0;
    short optionDefault = 0;
    short oneColumn = 0;
    short hostFlag = 0;
    short str2Dbl = 0;
    short oneByOne = 0;

    // Setters, to build an expected row from the defaults.
    RefRow& Name(std::string v) {
        name = std::move(v);
        return *this;
    }
    RefRow& Page(int v) {
        page = v;
        return *this;
    }
    RefRow& Text(std::string v) {
        text = std::move(v);
        return *this;
    }
    RefRow& DataType(std::string v) {
        dataType = std::move(v);
        return *this;
    }
    RefRow& RType(std::string v) {
        rType = std::move(v);
        return *this;
    }
    RefRow& RName(std::string v) {
        rName = std::move(v);
        return *this;
    }
    RefRow& SelectionKind(int v) {
        selectionKind = v;
        return *this;
    }
    RefRow& YVar(short v) {
        yVar = v;
        return *this;
    }
    RefRow& Optional(short v) {
        optional = v;
        return *this;
    }
    RefRow& OptionDefault(short v) {
        optionDefault = v;
        return *this;
    }
    RefRow& OneColumn(short v) {
        oneColumn = v;
        return *this;
    }
    RefRow& HostFlag(short v) {
        hostFlag = v;
        return *this;
    }
    RefRow& Str2Dbl(short v) {
        str2Dbl = v;
        return *this;
    }
    RefRow& OneByOne(short v) {
        oneByOne = v;
        return *this;
    }

    bool operator==(const RefRow&) const = default;
};

// A control the reader adds itself, before its caller specialises it.
inline ControlRow StandardControl(int page) { return ControlRow().Page(page).Default("true").Height(""); }

void PrintTo(const ControlRow& row, std::ostream* out);
void PrintTo(const RefRow& row, std::ostream* out);

class Reading {
public:
    // The template file folder/file.
    Reading(const std::string& folder, const std::string& file);
    // A template given as its text, written to a temporary folder.
    explicit Reading(const std::string& xml);

    void Size();
    // Dimensions every array from the sizing pass (or to entries each) and
    // runs the filling pass.
    void Fill(int entries = -1);
    // Both passes; then expects every count to equal the entries filled
    // (the per-control counts exceeding them by controlOverCount).
    void SizeAndFill(int controlOverCount = 0);

    ST_aiR& air() { return *dialog->air; }
    ST_AirControlInfo& controls() { return *dialog->controls; }

    std::vector<ControlRow> Controls();
    // The first control named name (a failure when there is none).
    ControlRow Control(const std::string& name);
    std::vector<RefRow> Refs();

    // Every count of the sizing pass equals the entries the filling pass
    // appended, but the per-control counts, which may exceed them by
    // controlOverCount; ctlExtra is neither counted nor filled.
    void ExpectCountsMatchEntries(int controlOverCount = 0);

    std::unique_ptr<TempFolder> folder;
    host::Arena arena;
    host::Ptr<ST_Main_aiR> main;
    BSTR* messages = nullptr;
    host::Ptr<ST_ErrorInfo> error;
    host::Ptr<ST_aiRSize> sizes;
    host::Ptr<ST_AirControlInfoSize> controlSizes;
    std::unique_ptr<host::Dialog> dialog;
};

}  // namespace templates

#endif
