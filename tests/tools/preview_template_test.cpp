// Tests of kovr preview on real templates: each is read through the two
// method-description exports and its page holds one element per control of
// the control record and one tab per page; the R code shown is the code
// assembly's on the generated data. (Escaping and the error page are checked
// in a real browser by tests/browser.)
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

}  // namespace
