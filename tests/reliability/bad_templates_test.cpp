// Bad templates through both template-reading passes: nesting beyond what the
// parser accepts, a 50 MB template, non-ASCII names and text, files that are
// no templates. A template that does not parse is reported and fills nothing;
// one that parses loads every control and script line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dialog_view.h"
#include "template_file.h"
#include "test_support.h"

namespace {

std::string Repeat(const std::string& text, size_t n) {
    std::string out;
    out.reserve(text.size() * n);
    for (size_t k = 0; k < n; ++k) out += text;
    return out;
}

TEST(BadTemplates, AreReportedOrLoadedWhole) {
    const std::string line = "y = c(" + Repeat("1,", 495) + "10)";
    const struct {
        std::string file, text;
        int controls, scriptLines;  // -1: reported
    } cases[] = {
        {"deep.xml", "<RFunction function=\"f\"><Tab text=\"P\">" + Repeat("<Group name=\"g\">", 10000) +
                         Repeat("</Group>", 10000) + "</Tab></RFunction>", -1, -1},
        {"nested.xml", "<RFunction function=\"f\"><Tab text=\"P\">" + Repeat("<Group name=\"g\">", 200) +
                           "<CheckBox name=\"c\" rname=\"c\"/>" + Repeat("</Group>", 200) + "</Tab></RFunction>",
         201, 0},
        // 50,000 script lines of 1 KB in 50 code blocks, behind a page with one control.
        {"big.xml", "<RFunction function=\"big\"><Tab text=\"P\"><CheckBox name=\"c\"/></Tab><RScript>" +
                        Repeat("<RBlock>\n" + Repeat(line + "\n", 1000) + "</RBlock>\n", 50) + "</RScript></RFunction>",
         1, 50000},
        // A file named in UTF-8, its text in Latin-1.
        {"R\xc3\xa9gression \xe4\xb8\xad.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><RFunction "
                                               "function=\"f\xe9\"><Tab text=\"\xe9t\xe9\"><CheckBox name=\"c\"/></Tab></RFunction>",
         1, 0},
        {"empty.xml", "", -1, -1},
        {"binary.xml", std::string("\0\x01\xff\xfe<R\0", 8), -1, -1},
        {"utf16.xml", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><RFunction/>", -1, -1},
        {"huge-text.xml", "<RFunction><RDescription>" + std::string(11 * 1000 * 1000, 'x') + "</RDescription></RFunction>",
         -1, -1},
    };
    kovtest::TempFolder folder;
    kovr::Translations translations;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const kovr::LoadedTemplate loaded = kovr::LoadTemplate(folder.Write(c.file, c.text), translations);
        ASSERT_EQ(loaded.ok(), c.controls >= 0) << loaded.errorText;
        if (!loaded.ok()) {
            EXPECT_EQ(loaded.errorTitle, "XML Error");
            continue;
        }
        const kovr::DialogView view = kovr::ViewOf(loaded);
        EXPECT_EQ(static_cast<int>(view.controls.size()), c.controls);
        ASSERT_EQ(static_cast<int>(view.script.size()), c.scriptLines);
        if (c.scriptLines > 0) {
            EXPECT_EQ(view.script.back().code, line);
        }
    }
    // A folder, a missing file and a path of a million characters name no template.
    std::filesystem::create_directory(folder / "folder.xml");
    for (const std::string& path : {folder / "folder.xml", folder / "missing.xml", std::string(1000000, 'd') + "/t.xml"}) {
        EXPECT_FALSE(kovr::LoadTemplate(path, translations).ok());
    }
}

}  // namespace
