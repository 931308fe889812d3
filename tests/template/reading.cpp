#include "reading.h"

#include <cstddef>

namespace templates {
namespace {

constexpr int kCtlExtra = 8;

// The library only reads the table, so every reading shares one. Few rows
// are filled: reading the table is then cheap, also under the sanitizers.
BSTR* TranslationTable() {
    static host::Strings strings;
    static std::vector<BSTR> rows = [] {
        std::vector<BSTR> table(kTranslationRows, nullptr);
        for (int k : {1, 12, 48, 51, 65, 235, 236, 2527, 2529, 2653, 2654, 6500}) {
            table[static_cast<size_t>(k) - 1] = strings(TranslationRow(k));
        }
        return table;
    }();
    return rows.data();
}

template <typename T>
T At(const ST_Vect& vect, size_t i) {
    return host::Entry<T>(vect, static_cast<int>(i) + 1);
}

}  // namespace

void PrintTo(const ControlRow& row, std::ostream* out) {
    *out << "{kind " << row.kind << ", page " << row.page << ", name '" << row.name << "', text '" << row.text
         << "', default '" << row.defaultValue << "', enabled " << row.enabled << ", visible " << row.visible
         << ", nextRow " << row.nextRow << ", left '" << row.left << "', height '" << row.height << "', width '"
         << row.width << "', frameChildren " << row.frameChildren << ", chartName '" << row.chartName
         << "', eventCode '" << row.eventCode << "', type '" << row.type << "', groupName '" << row.groupName
         << "', optional '" << row.optional << "', optionDefault '" << row.optionDefault << "', refEditLinked '"
         << row.refEditLinked << "', reportGroup '" << row.reportGroup << "', reportText '" << row.reportText
         << "', rName '" << row.rName << "', rNameOption '" << row.rNameOption << "', style '" << row.style
         << "', toolTip '" << row.toolTip << "'}";
}

void PrintTo(const RefRow& row, std::ostream* out) {
    *out << "{name " << row.name << ", page " << row.page << ", text '" << row.text << "', dataType " << row.dataType
         << ", rType '" << row.rType << "', rName '" << row.rName << "', selectionKind " << row.selectionKind
         << ", yVar " << row.yVar << ", optional " << row.optional << ", optionDefault " << row.optionDefault
         << ", oneColumn " << row.oneColumn << ", hostFlag " << row.hostFlag << ", str2Dbl " << row.str2Dbl
         << ", oneByOne " << row.oneByOne << "}";
}

Reading::Reading(const std::string& folderPath, const std::string& file) {
    host::MainFields fields;
    fields.templateFolder = folderPath;
    fields.templateFile = file;
    fields.title = "before";
    main = host::Main(arena, fields);
    messages = TranslationTable();
    error = arena.ErrorInfo();
    sizes = arena.New<ST_aiRSize>();
    controlSizes = arena.New<ST_AirControlInfoSize>();
}

Reading::Reading(const std::string& xml) : Reading("", "") {
    folder = std::make_unique<TempFolder>();
    folder->Write("template.xml", xml);
    main->templateFolder = arena.Str(folder->path());
    main->templateFile = arena.Str("template.xml");
}

void Reading::Size() { Cpp_GetMethodDescriptionSize(main, sizes, controlSizes, messages, error); }

void Reading::Fill(int entries) {
    dialog = entries < 0 ? std::make_unique<host::Dialog>(arena, *sizes, *controlSizes)
                         : std::make_unique<host::Dialog>(arena, static_cast<uint32_t>(entries));
    Cpp_GetMethodDescription(main, dialog->air, dialog->controls, messages, error);
}

void Reading::SizeAndFill(int controlOverCount) {
    Size();
    Fill();
    const BSTR title = error->title;
    EXPECT_EQ(title, nullptr) << "XML Error: " << host::Text(error->message);
    ExpectCountsMatchEntries(controlOverCount);
}

std::vector<ControlRow> Reading::Controls() {
    ST_AirControlInfo& c = controls();
    std::vector<ControlRow> rows(static_cast<size_t>(c.ctlKind.count));
    for (size_t i = 0; i < rows.size(); ++i) {
        ControlRow& row = rows[i];
        row.kind = At<std::string>(c.ctlKind, i);
        row.page = At<int>(c.ctlPage, i);
        row.name = At<std::string>(c.ctlName, i);
        row.text = At<std::string>(c.ctlText, i);
        row.defaultValue = At<std::string>(c.ctlDefault, i);
        row.enabled = At<short>(c.ctlEnabled, i);
        row.visible = At<short>(c.ctlVisible, i);
        row.nextRow = At<short>(c.ctlNextRow, i);
        row.left = At<std::string>(c.ctlLeft, i);
        row.height = At<std::string>(c.ctlHeight, i);
        row.width = At<std::string>(c.ctlWidth, i);
        row.frameChildren = At<int>(c.ctlFrameChildren, i);
        row.chartName = At<std::string>(c.ctlChartName, i);
        row.eventCode = At<std::string>(c.ctlEventCode, i);
        row.type = At<std::string>(c.ctlType, i);
        row.groupName = At<std::string>(c.ctlGroupName, i);
        row.optional = At<std::string>(c.ctlOptional, i);
        row.optionDefault = At<std::string>(c.ctlOptionDefault, i);
        row.refEditLinked = At<std::string>(c.ctlRefEditLinked, i);
        row.reportGroup = At<std::string>(c.ctlReportGroup, i);
        row.reportText = At<std::string>(c.ctlReportText, i);
        row.rName = At<std::string>(c.ctlRName, i);
        row.rNameOption = At<std::string>(c.ctlRNameOption, i);
        row.style = At<std::string>(c.ctlStyle, i);
        row.toolTip = At<std::string>(c.ctlToolTip, i);
    }
    return rows;
}

ControlRow Reading::Control(const std::string& name) {
    for (const ControlRow& row : Controls()) {
        if (row.name == name) return row;
    }
    ADD_FAILURE() << "no control named '" << name << "'";
    return ControlRow();
}

std::vector<RefRow> Reading::Refs() {
    ST_aiR& d = air();
    std::vector<RefRow> rows(static_cast<size_t>(d.refName.count));
    for (size_t r = 0; r < rows.size(); ++r) {
        RefRow& row = rows[r];
        row.name = At<std::string>(d.refName, r);
        row.page = At<int>(d.refPage, r);
        row.text = At<std::string>(d.refText, r);
        row.dataType = At<std::string>(d.refDataType, r);
        row.rType = At<std::string>(d.refRType, r);
        row.rName = At<std::string>(d.refRName, r);
        row.selectionKind = At<int>(d.refSelectionKind, r);
        row.yVar = At<short>(d.refYVar, r);
        row.optional = At<short>(d.refOptional, r);
        row.optionDefault = At<short>(d.refOptionDefault, r);
        row.oneColumn = At<short>(d.refOneColumn, r);
        row.hostFlag = At<short>(d.refHostFlag, r);
        row.str2Dbl = At<short>(d.refStr2Dbl, r);
        row.oneByOne = At<short>(d.refOneByOne, r);
    }
    return rows;
}

void Reading::ExpectCountsMatchEntries(int controlOverCount) {
    for (int k = 0; k < host::kAirVectorCount; ++k) {
        EXPECT_EQ(sizes->vectorSize[k], host::AirVector(air(), k).count) << host::AirVectorName(k);
    }
    for (int j = 0; j < host::kControlVectorCount; ++j) {
        const int filled = host::ControlVector(controls(), j).count;
        if (j == kCtlExtra) {
            EXPECT_EQ(filled, 0);
            EXPECT_EQ(controlSizes->vectorSize[j], 0);
        } else {
            EXPECT_EQ(controlSizes->vectorSize[j], filled + controlOverCount) << host::ControlVectorName(j);
        }
    }
}

}  // namespace templates
