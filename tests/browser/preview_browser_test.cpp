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
#include "test_support.h"

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

using kovtest::ShellQuoted;
using kovtest::TempFolder;

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

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
    page.previewStatus = kovtest::ExitStatus(ShellQuoted(kKovr.string()) + " preview " +
                                             ShellQuoted(templatePath.string()) + " -o " + ShellQuoted(html.string()) +
                                             " 2>/dev/null");
    fs::create_directories(kScreenshots);
    const fs::path png = kScreenshots / (name + ".png");
    fs::remove(png);
    const fs::path profile = scratch / ("profile-" + name);
    fs::create_directories(profile);
    const fs::path dom = scratch / (name + ".dom"), log = scratch / (name + ".log");
    page.browserStatus =
        kovtest::ExitStatus("timeout 120 " + ShellQuoted(g_chromium) +
                            " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                            " --disable-background-networking --disable-component-update --disable-sync"
                            " --hide-scrollbars --enable-logging=stderr --v=0 --window-size=1000,1200 --user-data-dir=" +
                            ShellQuoted(profile.string()) + " --screenshot=" + ShellQuoted(png.string()) +
                            " --dump-dom " + ShellQuoted("file://" + html.string()) + " >" + ShellQuoted(dom.string()) +
                            " 2>" + ShellQuoted(log.string()));
    page.dom = kovtest::ReadBytes(dom);
    std::istringstream lines(kovtest::ReadBytes(log));
    for (std::string line; std::getline(lines, line);) {
        if (line.find(":CONSOLE") != std::string::npos) page.console.push_back(line);
    }
    page.screenshot = kovtest::ReadBytes(png).rfind("\x89PNG", 0) == 0;
    return page;
}

// A page to open: the template, the exit status of kovr preview and texts
// the document must hold.
struct Preview {
    fs::path templatePath;
    int status;
    std::vector<std::string> texts;
};

TEST(PreviewInBrowser, EachPageLoadsCleanlyWithOneElementPerControlAndOneTabPerPage) {
    TempFolder scratch;
    std::vector<Preview> previews;
    for (const auto& entry : fs::recursive_directory_iterator(kCatalogue)) {
        if (entry.path().extension() == ".xml") previews.push_back({entry.path(), 0, {"class=\"tab active\""}});
    }
    EXPECT_GE(previews.size(), 8u);
    // Captions with markup and other alphabets keep the page whole.
    previews.push_back({scratch.Write("nasty.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<RFunction text="Tést &lt;one&gt;" function="f" packages="stats" datastructure="data">
  <Tab text="Général &amp; &lt;b&gt;">
    <CheckBox text="Mean &lt; median &amp; &quot;trimmed&quot; 'x' &lt;/label&gt;&lt;/div&gt;"
              rname="a&quot;&gt;&lt;script&gt;b"/>
    <ComboBox text="Kind" rname="kind"><Item text="&lt;/select&gt;Omega" rname="o"/><Item text="Ωμέγα ≤ 5" rname="w"/></ComboBox>
    <Group text="&lt;/fieldset&gt;"><Input text="&lt;!--" rname="n" default="1"/></Group>
  </Tab>
  <Tab text="Two"><CheckBox text="--&gt;"/></Tab>
</RFunction>
)"),
                        0,
                        {kovr::html::EscapeText("Mean < median & \"trimmed\" 'x' </label></div>"),
                         kovr::html::EscapeText("</select>Omega")}});
    // A template that does not parse shows the add-in's error text.
    previews.push_back({scratch.Write("broken.xml", "<RFunction text=\"x\">\n  <Tab text=\"a\">\n</RFunction>\n"), 1,
                        {"data-error=\"yes\""}});
    for (const Preview& preview : previews) {
        SCOPED_TRACE(preview.templatePath.string());
        kovr::Translations translations;
        const kovr::LoadedTemplate loaded = kovr::LoadTemplate(preview.templatePath.string(), translations);
        const Page page = Open(preview.templatePath, preview.templatePath.stem().string(), scratch.path());
        EXPECT_EQ(page.previewStatus, preview.status);
        EXPECT_EQ(page.browserStatus, 0);
        EXPECT_NE(page.dom.find("data-ready=\"yes\""), std::string::npos) << "the page's script did not run to its end";
        for (const std::string& message : page.console) ADD_FAILURE() << "console: " << message;
        EXPECT_TRUE(page.screenshot) << "no screenshot";
        EXPECT_EQ(Occurrences(page.dom, " data-ctl=\""), loaded.ok() ? loaded.dialog->ControlCount() : 0);
        EXPECT_EQ(Occurrences(page.dom, " data-page=\""), loaded.ok() ? loaded.dialog->dialog().pageText.count : 0);
        EXPECT_EQ(Occurrences(page.dom, "<script"), 1);
        std::vector<std::string> texts = preview.texts;
        if (!loaded.ok()) texts.push_back(kovr::html::EscapeText(loaded.errorText));
        for (const std::string& text : texts) EXPECT_NE(page.dom.find(text), std::string::npos) << text;
    }
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
