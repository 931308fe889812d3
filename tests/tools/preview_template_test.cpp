// Tests of kovr preview on real templates: each is read through the two
// method-description exports and its page holds one element per control of
// the control record and one tab per page; the R code shown is the code
// assembly's on the generated data; texts a template writes with markup
// characters and other alphabets come through as written; a template that
// does not parse gives the error page and status 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "commands.h"
#include "dialog_choices.h"
#include "dialog_view.h"
#include "dry_run.h"
#include "html_writer.h"
#include "preview_page.h"
#include "template_file.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCatalogue = KOV_SOURCE_DIR "/examples/catalogue";

using host::Scratch;

struct Preview {
    int status = -1;
    std::string page;
};

Preview RunPreview(const fs::path& templatePath, const Scratch& scratch) {
    const fs::path out = scratch.File("page.html");
    Preview preview;
    testing::internal::CaptureStderr();
    preview.status = kovr::PreviewCommand({templatePath.string(), "-o", out.string()});
    testing::internal::GetCapturedStderr();
    preview.page = host::ReadBytes(out);
    return preview;
}

TEST(PreviewTemplates, EveryExampleShowsEachControlAndPageOnceWithTheAssembledCode) {
    Scratch scratch;
    int templates = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kCatalogue)) {
        if (entry.path().extension() != ".xml") continue;
        ++templates;
        SCOPED_TRACE(entry.path().string());
        kovr::Translations translations;
        const kovr::LoadedTemplate loaded = kovr::LoadTemplate(entry.path().string(), translations);
        ASSERT_TRUE(loaded.ok()) << loaded.errorText;

        const Preview preview = RunPreview(entry.path(), scratch);
        EXPECT_EQ(preview.status, 0);
        EXPECT_EQ(host::CountOccurrences(preview.page, " data-ctl=\""), static_cast<size_t>(loaded.dialog->ControlCount()));
        EXPECT_EQ(host::CountOccurrences(preview.page, " data-page=\""), static_cast<size_t>(loaded.dialog->dialog().pageText.count));
        EXPECT_EQ(host::CountOccurrences(preview.page, "<pre class=\"rcode\">"), 1u) << "no R code";
        EXPECT_EQ(host::CountOccurrences(preview.page, "class=\"error-text\""), 0u) << "the dry run failed";
        // Self-contained: nothing is fetched.
        EXPECT_EQ(preview.page.find("src="), std::string::npos);
        EXPECT_EQ(preview.page.find("href="), std::string::npos);
        EXPECT_EQ(preview.page.find("@import"), std::string::npos);
    }
    EXPECT_GE(templates, 8);
}

TEST(PreviewTemplates, CodeOfTheDefaultChoicesComesFromTheCodeAssembly) {
    kovr::Translations translations;
    kovr::LoadedTemplate loaded =
        kovr::LoadTemplate((kCatalogue / "Regression/linear_regression.xml").string(), translations);
    ASSERT_TRUE(loaded.ok());
    const kovr::DialogView view = kovr::ViewOf(loaded);
    const kovr::DialogChoices choices(view);
    const kovr::DryRunCode code = kovr::AssembleDefaultCode(view, choices, *loaded.dialog);
    ASSERT_EQ(code.error, "");
    // Options as lines with their defaults, the model formula from the
    // generated columns, and the charts drawn into the run's R folder.
    EXPECT_EQ(code.code.find("intercept<-TRUE\nlevel<-0.95\nwithpred<-FALSE\n"), 0u) << code.code;
    EXPECT_NE(code.code.find("fit <- lm(y ~ x1+x2, data=data1)\n"), std::string::npos) << code.code;
    EXPECT_NE(code.code.find("png('WORK/R/Residuals.png',  res=100,height=450, width=600) ; i <- shown(nobs(fit)); plot("), std::string::npos)
        << code.code;
    ASSERT_EQ(code.data.size(), 2u);
    EXPECT_EQ(code.data[0], "Dependent variables: y (6 generated numbers)");
    EXPECT_EQ(code.data[1], "Quantitative explanatory variables: x1, x2 (6 generated numbers)");
}

// The library reads templates byte by byte (templates carry ASCII text), so a
// letter outside ASCII reaches the records as one character per byte: the
// page shows the texts as the add-in receives them, and says so.
TEST(PreviewTemplates, TextsWithMarkupComeThroughAsWrittenAndOtherAlphabetsAreFlagged) {
    Scratch scratch;
    const std::string caption = "Mean < median & \"trimmed\" 'x' </label></div>";
    const fs::path path = scratch.File("nasty.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<RFunction text="Test &lt;one&gt;" function="f&amp;g" packages="stats" datastructure="data">
  <Tab text="General &amp; &quot;more&quot;">
    <CheckBox name="CheckA" text="Mean &lt; median &amp; &quot;trimmed&quot; 'x' &lt;/label&gt;&lt;/div&gt;"
              rname="a&quot;b" default="true"/>
    <ComboBox name="ComboB" text="Kind" rname="kind" default="1">
      <Item text="&lt;i&gt;plain&lt;/i&gt;" rname="p&amp;q"/>
      <Item text="omega" rname="'omega'"/>
    </ComboBox>
    <Input name="InputC" text="Level" rname="lvl" type="double" default="0,5&quot;/&gt;"/>
  </Tab>
  <RScript><ScriptLine replace="true" code="x &lt;- f(a&quot;b, kind, lvl) # &lt;/pre&gt;"/></RScript>
</RFunction>
)");
    const Preview preview = RunPreview(path, scratch);
    ASSERT_EQ(preview.status, 0);
    const std::string& page = preview.page;
    EXPECT_EQ(host::CountOccurrences(page, " data-ctl=\""), 3u);
    EXPECT_EQ(host::CountOccurrences(page, " data-page=\""), 1u);
    EXPECT_NE(page.find("<span class=\"caption\">" + kovr::html::EscapeText(caption) + "</span>"), std::string::npos);
    EXPECT_NE(page.find("title=\"R name: a&quot;b\""), std::string::npos);
    EXPECT_NE(page.find("<option value=\"p&amp;q\" title=\"R name: p&amp;q\">&lt;i&gt;plain&lt;/i&gt;</option>"),
              std::string::npos);
    EXPECT_NE(page.find("<option value=\"&#39;omega&#39;\" title=\"R name: &#39;omega&#39;\" selected=\"\">omega"),
              std::string::npos);
    EXPECT_NE(page.find("value=\"0,5&quot;/&gt;\""), std::string::npos);
    EXPECT_NE(page.find(">General &amp; \"more\"</button>"), std::string::npos);
    EXPECT_NE(page.find("<code>x &lt;- f(a\"b, kind, lvl) # &lt;/pre&gt;</code>"), std::string::npos);
    EXPECT_EQ(page.find("<i>"), std::string::npos);
    EXPECT_EQ(host::CountOccurrences(page, "</pre>"), host::CountOccurrences(page, "<pre"));
    EXPECT_EQ(host::CountOccurrences(page, "class=\"note warn\""), 0u);

    // "é" is two bytes in the file: two characters in the records.
    const fs::path accented = scratch.File("accented.xml", R"(<RFunction text="Caf&#233;" function="f">
  <Tab text="G&#233;n&#233;ral"><CheckBox text="Gr&#246;&#223;e" rname="g"/></Tab>
</RFunction>
)");
    const Preview shown = RunPreview(accented, scratch);
    ASSERT_EQ(shown.status, 0);
    EXPECT_EQ(host::CountOccurrences(shown.page, " data-ctl=\""), 1u);
    EXPECT_EQ(host::CountOccurrences(shown.page, "class=\"note warn\""), 1u);
    EXPECT_NE(shown.page.find(">Gr\uFFC3\uFFB6\uFFC3\uFF9Fe</span>"), std::string::npos);
}

TEST(PreviewTemplates, TemplateThatDoesNotParseGivesTheAddInsMessageAndStatusOne) {
    Scratch scratch;
    const fs::path path = scratch.File("broken.xml", "<RFunction text=\"x\">\n  <Tab text=\"a\">\n</RFunction>\n");
    kovr::Translations translations;
    const kovr::LoadedTemplate loaded = kovr::LoadTemplate(path.string(), translations);
    ASSERT_FALSE(loaded.ok());
    ASSERT_NE(loaded.errorText, "");

    const Preview preview = RunPreview(path, scratch);
    EXPECT_EQ(preview.status, 1);
    EXPECT_NE(preview.page.find("data-error=\"yes\""), std::string::npos);
    EXPECT_NE(preview.page.find(">" + kovr::html::EscapeText(loaded.errorTitle) + "</div>"), std::string::npos);
    EXPECT_NE(preview.page.find("<pre class=\"message\">\n" + kovr::html::EscapeText(loaded.errorText) + "</pre>"),
              std::string::npos)
        << preview.page;

    // A template that cannot be found writes no page.
    testing::internal::CaptureStderr();
    EXPECT_EQ(kovr::PreviewCommand({(scratch.File("none.xml")).string(), "-o", scratch.File("x.html").string()}), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(fs::exists(scratch.File("x.html")));
}

}  // namespace
