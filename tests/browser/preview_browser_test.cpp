// Opens the page of kovr preview in a real browser, headless Chromium, for
// every example template: the page loads with no console message and its
// script runs to the end (it marks the page data-ready="yes"), the document
// the browser built holds one element per control of the control record and
// one tab per page, and a screenshot is taken (into preview-screenshots/ of
// the build folder). A template that does not parse shows the add-in's error
// text. Exits with 77 (skipped) when no Chromium is installed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "html_writer.h"
#include "template_file.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKovr = KOV_BINARY_DIR "/bin/kovr";
const fs::path kCatalogue = KOV_SOURCE_DIR "/examples/catalogue";
const fs::path kScreenshots = KOV_BINARY_DIR "/preview-screenshots";

std::string g_chromium;

// $KOVR_CHROMIUM, else chromium or chromium-browser on the PATH; "" if none.
std::string FindChromium() {
    if (const char* given = std::getenv("KOVR_CHROMIUM"); given != nullptr && *given != '\0') return given;
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        for (const char* name : {"chromium", "chromium-browser"}) {
            const fs::path candidate = fs::path(folder) / name;
            if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
        }
    }
    return std::string();
}

using host::Scratch;

struct Page {
    int previewStatus = -1;
    int browserStatus = -1;
    std::string dom;                   // the document as the browser built it
    std::vector<std::string> console;  // console messages the page caused
    bool screenshot = false;           // a PNG was written
};

// Writes the preview of a template with kovr, then loads it in Chromium with
// a new empty profile, dumps the document and takes a screenshot.
Page Open(const fs::path& templatePath, const std::string& name, const fs::path& scratch) {
    Page page;
    const fs::path html = scratch / (name + ".html");
    page.previewStatus = host::ExitStatus(host::ShellQuoted(kKovr.string()) + " preview " + host::ShellQuoted(templatePath.string()) + " -o " +
                               host::ShellQuoted(html.string()) + " 2>/dev/null");
    fs::create_directories(kScreenshots);
    const fs::path png = kScreenshots / (name + ".png");
    fs::remove(png);
    const fs::path profile = scratch / ("profile-" + name);
    fs::remove_all(profile);
    fs::create_directories(profile);
    const fs::path dom = scratch / (name + ".dom"), log = scratch / (name + ".log");
    page.browserStatus =
        host::ExitStatus("timeout 120 " + host::ShellQuoted(g_chromium) +
              " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking"
              " --disable-component-update --disable-sync --hide-scrollbars --enable-logging=stderr --v=0"
              " --window-size=1000,1200 --user-data-dir=" +
              host::ShellQuoted(profile.string()) + " --screenshot=" + host::ShellQuoted(png.string()) + " --dump-dom " +
              host::ShellQuoted("file://" + html.string()) + " >" + host::ShellQuoted(dom.string()) + " 2>" + host::ShellQuoted(log.string()));
    page.dom = host::ReadBytes(dom);
    std::istringstream lines(host::ReadBytes(log));
    for (std::string line; std::getline(lines, line);) {
        if (line.find(":CONSOLE") != std::string::npos) page.console.push_back(line);
    }
    page.screenshot = host::ReadBytes(png).rfind("\x89PNG", 0) == 0;
    return page;
}

void ExpectLoadedCleanly(const Page& page) {
    EXPECT_EQ(page.browserStatus, 0);
    EXPECT_NE(page.dom.find("data-ready=\"yes\""), std::string::npos) << "the page's script did not run to its end";
    for (const std::string& message : page.console) ADD_FAILURE() << "console: " << message;
    EXPECT_TRUE(page.screenshot) << "no screenshot";
}

TEST(PreviewInBrowser, EveryExampleLoadsWithOneElementPerControlAndOneTabPerPage) {
    Scratch scratch;
    int templates = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kCatalogue)) {
        if (entry.path().extension() != ".xml") continue;
        ++templates;
        SCOPED_TRACE(entry.path().string());
        kovr::Translations translations;
        const kovr::LoadedTemplate loaded = kovr::LoadTemplate(entry.path().string(), translations);
        ASSERT_TRUE(loaded.ok()) << loaded.errorText;

        const Page page = Open(entry.path(), entry.path().stem().string(), scratch.path());
        EXPECT_EQ(page.previewStatus, 0);
        ExpectLoadedCleanly(page);
        EXPECT_EQ(host::CountOccurrences(page.dom, " data-ctl=\""), static_cast<size_t>(loaded.dialog->ControlCount()));
        EXPECT_EQ(host::CountOccurrences(page.dom, " data-page=\""), static_cast<size_t>(loaded.dialog->dialog().pageText.count));
        EXPECT_EQ(host::CountOccurrences(page.dom, "class=\"tab active\""), 1u) << "the first tab is not shown";
    }
    EXPECT_GE(templates, 8);
}

TEST(PreviewInBrowser, CaptionsWithMarkupAndOtherAlphabetsKeepThePageWhole) {
    Scratch scratch;
    const std::string caption = "Mean < median & \"trimmed\" 'x' </label></div>";
    const fs::path path = scratch.path() / "nasty.xml";
    std::ofstream(path) << R"(<?xml version="1.0" encoding="UTF-8"?>
<RFunction text="Tést &lt;one&gt;" function="f" packages="stats" datastructure="data">
  <Tab text="Général &amp; &lt;b&gt;">
    <CheckBox text="Mean &lt; median &amp; &quot;trimmed&quot; 'x' &lt;/label&gt;&lt;/div&gt;"
              rname="a&quot;&gt;&lt;script&gt;b"/>
    <ComboBox text="Kind" rname="kind"><Item text="&lt;/select&gt;Omega" rname="o"/><Item text="Ωμέγα ≤ 5" rname="w"/></ComboBox>
    <Group text="&lt;/fieldset&gt;"><Input text="&lt;!--" rname="n" default="1"/></Group>
  </Tab>
  <Tab text="Two"><CheckBox text="--&gt;"/></Tab>
</RFunction>
)";
    const Page page = Open(path, "nasty", scratch.path());
    EXPECT_EQ(page.previewStatus, 0);
    ExpectLoadedCleanly(page);
    EXPECT_EQ(host::CountOccurrences(page.dom, " data-ctl=\""), 5u);
    EXPECT_EQ(host::CountOccurrences(page.dom, " data-page=\""), 2u);
    EXPECT_NE(page.dom.find(kovr::html::EscapeText(caption)), std::string::npos);
    EXPECT_NE(page.dom.find(kovr::html::EscapeText("</select>Omega")), std::string::npos);
    EXPECT_EQ(host::CountOccurrences(page.dom, "<script"), 1u);
}

TEST(PreviewInBrowser, TemplateThatDoesNotParseShowsTheErrorText) {
    Scratch scratch;
    const fs::path path = scratch.path() / "broken.xml";
    std::ofstream(path) << "<RFunction text=\"x\">\n  <Tab text=\"a\">\n</RFunction>\n";
    kovr::Translations translations;
    const kovr::LoadedTemplate loaded = kovr::LoadTemplate(path.string(), translations);
    ASSERT_FALSE(loaded.ok());

    const Page page = Open(path, "broken", scratch.path());
    EXPECT_EQ(page.previewStatus, 1);
    ExpectLoadedCleanly(page);
    EXPECT_NE(page.dom.find("data-error=\"yes\""), std::string::npos);
    EXPECT_NE(page.dom.find(kovr::html::EscapeText(loaded.errorText)), std::string::npos) << page.dom;
    EXPECT_EQ(host::CountOccurrences(page.dom, " data-ctl=\""), 0u);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    g_chromium = FindChromium();
    if (g_chromium.empty()) {
        std::cout << "preview browser test skipped: no chromium on the PATH (tools/bootstrap.sh installs it)\n";
        return 77;
    }
    return RUN_ALL_TESTS();
}
