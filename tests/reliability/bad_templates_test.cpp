// Bad templates and catalogues through the method-description and catalogue
// exports: nesting far beyond what the parser accepts, a 50 MB template, a
// catalogue of 10,000 templates, names and paths with non-ASCII characters,
// files that are no templates, dialog arrays that are too small, counts that
// cannot grow. A template that does not parse is reported in the
// error-information record and fills nothing; one that parses fills at most
// what the sizing pass counted.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "arena_records.h"
#include "kovrbridge.h"
#include "sandbox.h"

namespace {

using reliability::Sandbox;
using reliability::WriteFile;

// The sizing pass, the dialog dimensioned from it, the filling pass.
struct Reading {
    explicit Reading(const std::string& folder, const std::string& file, uint32_t roomPerVector = UINT32_MAX) {
        host::MainFields fields;
        fields.templateFolder = folder;
        fields.templateFile = file;
        main = host::Main(arena, fields);
        messages = arena.Buffer({"Text 1", "Text 2"}, 6500);
        sizes = arena.New<ST_aiRSize>();
        controlSizes = arena.New<ST_AirControlInfoSize>();
        sizeError = arena.ErrorInfo();
        Cpp_GetMethodDescriptionSize(main, sizes, controlSizes, messages, sizeError);
        ST_aiRSize room = *sizes;
        ST_AirControlInfoSize controlRoom = *controlSizes;
        for (int32_t& n : room.vectorSize) n = std::min<uint32_t>(static_cast<uint32_t>(n), roomPerVector);
        for (int32_t& n : controlRoom.vectorSize) n = std::min<uint32_t>(static_cast<uint32_t>(n), roomPerVector);
        dialog = std::make_unique<host::Dialog>(arena, room, controlRoom);
        fillError = arena.ErrorInfo();
        Cpp_GetMethodDescription(main, dialog->air, dialog->controls, messages, fillError);
    }

    // The error record of both passes, as the add-in reads it.
    static bool IsXmlError(const ST_ErrorInfo& record) {
        const ST_ErrorInfo e = record;  // a copy: the packed record's fields are not aligned
        const std::vector<int32_t> codes{e.code1, e.code2, e.code3, e.code4, e.code5, e.code6, e.code7, e.code8};
        return host::Text(e.title) == "XML Error" && host::Text(e.module) == "KOVRBRIDGE" && e.text1 != nullptr &&
               codes == std::vector<int32_t>{-789, -1, 1, 0, 48, -1, -1, 0};
    }
    bool Reported() const { return IsXmlError(*sizeError) && IsXmlError(*fillError); }
    int32_t Size(int k) const { return sizes->vectorSize[k]; }
    int32_t Count(int k) const { return host::AirVector(*dialog->air, k).count; }
    int32_t ControlSize(int j) const { return controlSizes->vectorSize[j]; }
    int32_t ControlCount(int j) const { return host::ControlVector(*dialog->controls, j).count; }

    // Whether no vector holds more entries than the sizing pass counted (its
    // counts are an upper bound: the automatic descriptive-statistics box is
    // counted per result, added once), and none at all when the template did
    // not parse.
    ::testing::AssertionResult CountsWithinSizes() const {
        for (int k = 0; k < host::kAirVectorCount; ++k) {
            if (Count(k) > Size(k) || (Reported() && Count(k) != 0)) {
                return ::testing::AssertionFailure() << host::AirVectorName(k) << ": " << Count(k) << " filled, "
                                                     << Size(k) << " sized";
            }
        }
        for (int j = 0; j < host::kControlVectorCount; ++j) {
            if (ControlCount(j) > ControlSize(j) || (Reported() && ControlCount(j) != 0)) {
                return ::testing::AssertionFailure() << host::ControlVectorName(j) << ": " << ControlCount(j)
                                                     << " filled, " << ControlSize(j) << " sized";
            }
        }
        return ::testing::AssertionSuccess();
    }

    host::Arena arena;
    host::Ptr<ST_Main_aiR> main;
    host::Ptr<BSTR> messages;
    host::Ptr<ST_aiRSize> sizes;
    host::Ptr<ST_AirControlInfoSize> controlSizes;
    host::Ptr<ST_ErrorInfo> sizeError;
    host::Ptr<ST_ErrorInfo> fillError;
    std::unique_ptr<host::Dialog> dialog;
};

// A main record for listing a catalogue: a table of 7 fields (rows) for
// each of n templates (columns), as the add-in dimensions it.
host::Ptr<ST_Main_aiR> Listing(host::Arena& arena, const std::string& catalogue, uint32_t n) {
    host::MainFields fields;
    fields.catalogFolder = catalogue;
    fields.catalogEntries = static_cast<int>(n);
    return host::Main(arena, fields);
}

int AirIndex(const std::string& name) {
    for (int k = 0; k < host::kAirVectorCount; ++k) {
        if (name == host::AirVectorName(k)) return k;
    }
    return -1;
}

int ControlIndex(const std::string& name) {
    for (int j = 0; j < host::kControlVectorCount; ++j) {
        if (name == host::ControlVectorName(j)) return j;
    }
    return -1;
}

std::string Repeat(const std::string& text, size_t n) {
    std::string out;
    out.reserve(text.size() * n);
    for (size_t k = 0; k < n; ++k) out += text;
    return out;
}

// A small template: one page with a check box, a script line.
std::string SmallTemplate(const std::string& function, const std::string& group) {
    return "<RFunction text=\"T " + function + "\" function=\"" + function + "\" packages=\"stats\" group=\"" + group +
           "\" keywords=\"k\"><Tab text=\"P\"><CheckBox name=\"c\" rname=\"c\" text=\"C\"/></Tab>"
           "<RScript><ScriptLine code=\"x &lt;- 1\"/></RScript></RFunction>";
}

TEST(BadTemplates, NestingBeyondTheParsersDepthIsReportedNotLoaded) {
    Sandbox sandbox;
    const std::string deep = "<RFunction function=\"f\"><Tab text=\"P\">" + Repeat("<Group name=\"g\">", 10000) +
                             Repeat("</Group>", 10000) + "</Tab></RFunction>";
    WriteFile(sandbox / "deep.xml", deep);
    Reading reading(sandbox.root(), "deep.xml");
    EXPECT_TRUE(reading.Reported());
    EXPECT_NE(host::Text(reading.fillError->message).find("Path: "), std::string::npos);
    EXPECT_TRUE(reading.CountsWithinSizes());
    EXPECT_EQ(reading.Count(AirIndex("pageText")), 0);

    // Nesting the parser accepts loads group in group.
    const std::string nested = "<RFunction function=\"f\"><Tab text=\"P\">" + Repeat("<Group name=\"g\">", 200) +
                               "<CheckBox name=\"c\" rname=\"c\"/>" + Repeat("</Group>", 200) + "</Tab></RFunction>";
    WriteFile(sandbox / "nested.xml", nested);
    Reading loaded(sandbox.root(), "nested.xml");
    EXPECT_FALSE(loaded.Reported());
    EXPECT_TRUE(loaded.CountsWithinSizes());
    EXPECT_EQ(loaded.ControlCount(ControlIndex("ctlKind")), 201);
}

TEST(BadTemplates, FiftyMegabyteTemplates) {
    Sandbox sandbox;
    // 50,000 script lines of 1 KB in 50 code blocks, behind a page with one control.
    const std::string line = "y = c(" + Repeat("1,", 495) + "10)";
    ASSERT_EQ(line.size(), 999u);
    const std::string block = "<RBlock>\n" + Repeat(line + "\n", 1000) + "</RBlock>\n";
    WriteFile(sandbox / "big.xml", "<RFunction function=\"big\"><Tab text=\"P\"><CheckBox name=\"c\"/></Tab><RScript>" +
                                       Repeat(block, 50) + "</RScript></RFunction>");
    ASSERT_GE(std::filesystem::file_size(sandbox / "big.xml"), 50u * 1000 * 1000);
    Reading reading(sandbox.root(), "big.xml");
    EXPECT_FALSE(reading.Reported());
    EXPECT_TRUE(reading.CountsWithinSizes());
    ASSERT_EQ(reading.Count(AirIndex("scriptCode")), 50000);
    EXPECT_EQ(host::Entry<std::string>(reading.dialog->air->scriptCode, 50000), line);

    // Lines with an entity as attributes of 50,000 ScriptLine elements: the
    // parser, run without its "huge" option, may refuse such a file (libxml2
    // 2.9 does, past 10 MB). Either every line is loaded or the file is
    // reported and nothing is.
    const std::string escaped = "x &lt;- c(" + Repeat("1,", 492) + "10)";
    WriteFile(sandbox / "attributes.xml", "<RFunction function=\"big\"><RScript>" +
                                              Repeat("<ScriptLine code=\"" + escaped + "\"/>\n", 50000) +
                                              "</RScript></RFunction>");
    Reading attributes(sandbox.root(), "attributes.xml");
    EXPECT_TRUE(attributes.CountsWithinSizes());
    if (attributes.Reported()) {
        EXPECT_NE(host::Text(attributes.fillError->message).find("Line: "), std::string::npos);
    } else {
        EXPECT_EQ(attributes.Count(AirIndex("scriptCode")), 50000);
    }
}

TEST(BadTemplates, FilesThatAreNoTemplatesAreReported) {
    Sandbox sandbox;
    std::filesystem::create_directory(sandbox / "folder.xml");
    WriteFile(sandbox / "empty.xml", "");
    WriteFile(sandbox / "binary.xml", std::string("\0\x01\xff\xfe<R\0", 8));
    WriteFile(sandbox / "utf16.xml", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><RFunction/>");
    WriteFile(sandbox / "unknown.xml", "<?xml version=\"1.0\" encoding=\"x-unknown\"?><RFunction/>");
    WriteFile(sandbox / "huge-text.xml", "<RFunction><RDescription>" + std::string(11 * 1000 * 1000, 'x') +
                                             "</RDescription></RFunction>");
    for (const char* file : {"folder.xml", "empty.xml", "binary.xml", "utf16.xml", "unknown.xml", "huge-text.xml",
                             "missing.xml", ""}) {
        SCOPED_TRACE(file);
        Reading reading(sandbox.root(), file);
        EXPECT_TRUE(reading.Reported());
        EXPECT_TRUE(reading.CountsWithinSizes());
    }
    // A path of a million characters names no file the system can open.
    Reading longPath(std::string(1000000, 'd'), "t.xml");
    EXPECT_TRUE(longPath.Reported());
    EXPECT_TRUE(longPath.CountsWithinSizes());
}

TEST(BadTemplates, CountsAtTheIntegerLimitDoNotGrowFurther) {
    Sandbox sandbox;
    WriteFile(sandbox / "t.xml", SmallTemplate("f", "G"));
    host::Arena arena;
    host::MainFields fields;
    fields.templateFolder = sandbox.root();
    fields.templateFile = "t.xml";
    auto main = host::Main(arena, fields);
    host::Dialog dialog(arena, 4);
    for (int k = 0; k < host::kAirVectorCount; ++k) host::AirVector(*dialog.air, k).count = INT_MAX;
    for (int j = 0; j < host::kControlVectorCount; ++j) host::ControlVector(*dialog.controls, j).count = INT_MAX;
    Cpp_GetMethodDescription(main, dialog.air, dialog.controls, arena.Buffer({}, 6500), arena.ErrorInfo());
    EXPECT_EQ(dialog.air->pageText.count, INT_MAX);
    EXPECT_EQ(dialog.controls->ctlName.count, INT_MAX);
    EXPECT_EQ(dialog.air->scriptCode.count, INT_MAX);

    auto sizes = arena.New<ST_aiRSize>();
    auto controlSizes = arena.New<ST_AirControlInfoSize>();
    for (int32_t& n : sizes->vectorSize) n = INT_MAX;
    for (int32_t& n : controlSizes->vectorSize) n = INT_MAX;
    Cpp_GetMethodDescriptionSize(main, sizes, controlSizes, arena.Buffer({}, 6500), arena.ErrorInfo());
    EXPECT_EQ(sizes->vectorSize[AirIndex("pageText")], INT_MAX);
    EXPECT_EQ(controlSizes->vectorSize[ControlIndex("ctlName")], INT_MAX);

    host::Dialog negative(arena, 4);
    for (int k = 0; k < host::kAirVectorCount; ++k) host::AirVector(*negative.air, k).count = INT_MIN;
    Cpp_GetMethodDescription(main, negative.air, negative.controls, arena.Buffer({}, 6500), arena.ErrorInfo());
    EXPECT_EQ(negative.air->pageText.count, INT_MIN + 1);
}

TEST(BadTemplates, CatalogueOfTenThousandTemplates) {
    Sandbox sandbox;
    const std::string catalogue = sandbox / "catalogue";
    for (int g = 0; g < 100; ++g) {
        const std::string group = catalogue + "/Group" + std::to_string(99 - g);
        std::filesystem::create_directories(group);
        for (int t = 0; t < 100; ++t) {
            const std::string function = "f" + std::to_string(1000 + (t * 37) % 100);
            WriteFile(group + "/t" + std::to_string(t) + ".xml", SmallTemplate(function, "G"));
        }
    }
    const std::wstring folder(catalogue.begin(), catalogue.end());
    ASSERT_EQ(Cpp_GetNbRFiles(folder.c_str()), 10000);

    host::Arena arena;
    auto main = Listing(arena, catalogue, 10000);
    Cpp_GetListOfRFiles(main);
    // Sorted by group, then by function name.
    std::vector<std::pair<std::string, std::string>> keys;
    for (int t = 1; t <= 10000; ++t) {
        keys.emplace_back(host::Element<std::string>(main->catalogTable, 2, t),
                          host::Element<std::string>(main->catalogTable, 3, t));
    }
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    EXPECT_EQ(keys.front(), (std::pair<std::string, std::string>("Group0", "f1000")));
    EXPECT_EQ(keys.back(), (std::pair<std::string, std::string>("Group99", "f1099")));

    // A table with room for ten: ten templates are read and sorted.
    auto small = Listing(arena, catalogue, 10);
    Cpp_GetListOfRFiles(small);
    EXPECT_EQ(host::Elements<std::string>(small->catalogTable).size(), 70u);
    EXPECT_NE(host::Element<std::string>(small->catalogTable, 1, 10), "");
}

TEST(BadTemplates, NonAsciiNamesComeBackAsTextAndNameTheTemplate) {
    Sandbox sandbox;
    const std::string catalogue = sandbox / "catalogue";
    // A group and a file named in UTF-8, a template with Latin-1 and UTF-8 text.
    const std::string group = "R\xc3\xa9gression";
    const std::string file = "\xe4\xb8\xad.xml";
    std::filesystem::create_directories(catalogue + "/" + group);
    WriteFile(catalogue + "/" + group + "/" + file,
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><RFunction text=\"Caf\xe9\" function=\"f\xe9\">"
              "<Tab text=\"\xe9t\xe9\"><CheckBox name=\"c\" text=\"|2|\"/></Tab></RFunction>");
    const std::wstring folder(catalogue.begin(), catalogue.end());
    ASSERT_EQ(Cpp_GetNbRFiles(folder.c_str()), 1);
    host::Arena arena;
    auto main = Listing(arena, catalogue, 1);
    Cpp_GetListOfRFiles(main);
    // File-system names are UTF-8: the host gets them as text.
    BSTR* table = static_cast<BSTR*>(main->catalogTable->pvData);
    EXPECT_EQ(host::Text(table[0]), file);
    EXPECT_EQ(host::Text(table[1]), group);

    // Those host strings name the template again.
    auto reader = host::Main(arena);
    std::u16string path(catalogue.begin(), catalogue.end());
    path += u'/';
    path.append(table[1], SysStringLen(table[1]));
    // The arena watches these fields and frees what they hold.
    reader->templateFolder = SysAllocStringLen(path.data(), static_cast<uint32_t>(path.size()));
    reader->templateFile = SysAllocStringLen(table[0], SysStringLen(table[0]));
    host::Dialog dialog(arena, 4);
    auto error = arena.ErrorInfo();
    Cpp_GetMethodDescription(reader, dialog.air, dialog.controls, arena.Buffer({"one", "two"}, 6500), error);
    EXPECT_EQ(error->title, nullptr);
    EXPECT_EQ(dialog.air->pageText.count, 1);
    EXPECT_EQ(host::Entry<std::string>(dialog.controls->ctlText, 1), "two");
}

}  // namespace
