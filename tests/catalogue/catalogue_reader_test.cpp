// The catalogue reads each template with RXml::ParseHeader, which keeps only
// the root's attributes. It must tell a template that does not parse exactly
// as Parse does and give the header getters the same values.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host_records.h"
#include "records.h"
#include "rxml.h"

namespace {

namespace fs = std::filesystem;

struct Reading {
    bool failed;
    std::wstring errors, function, title, packages, keywords;

    bool operator==(const Reading&) const = default;
};

Reading Read(const std::string& path, bool headerOnly) {
    host::Arena arena;
    auto hostMain = host::Main(arena);
    cST_Main_aiR main(hostMain);
    matrix<std::wstring> noTranslations;
    RXml reader(std::wstring(path.begin(), path.end()), main, nullptr, nullptr, nullptr, nullptr, noTranslations);
    if (headerOnly) {
        reader.ParseHeader();
    } else {
        reader.Parse();
    }
    return Reading{reader.ParseFailed(),      reader.ErrMsg(),         reader.GetFunctionName(),
                   reader.GetRFunctionName(), reader.GetPackageName(), reader.GetKeywords()};
}

TEST(CatalogueReader, HeaderParseAgreesWithTheFullParse) {
    std::string pattern = (fs::temp_directory_path() / "kov-catalogue-reader-XXXXXX").string();
    const std::string temp = mkdtemp(pattern.data());
    const std::vector<std::pair<std::string, std::string>> written = {
        {"broken.xml", "<RFunction function=\"f\" text=\"T\">\n  <Tab text=\"x\">\n"},
        {"late_error.xml", "<RFunction function=\"f\" text=\"T\" packages=\"p\">\n<Tab></Tabb>\n</RFunction>\n"},
        {"empty_attributes.xml", "<RFunction function=\"\" text=\"T\" packages=\"\" keywords=\"k\"/>\n"},
        {"no_root.xml", "<?xml version=\"1.0\"?>\n"},
    };
    std::vector<std::string> paths = {temp + "/missing.xml"};
    for (const auto& [name, text] : written) {
        std::ofstream(temp + "/" + name, std::ios::binary) << text;
        paths.push_back(temp + "/" + name);
    }
    for (const fs::directory_entry& group : fs::directory_iterator(KOV_SOURCE_DIR "/examples/catalogue")) {
        for (const fs::directory_entry& file : fs::directory_iterator(group.path())) {
            paths.push_back(file.path().string());
        }
    }

    int failed = 0;
    for (const std::string& path : paths) {
        const Reading full = Read(path, false);
        EXPECT_EQ(Read(path, true), full) << path;
        failed += full.failed ? 1 : 0;
    }
    EXPECT_EQ(failed, 4);  // missing, broken, late_error, no_root
    fs::remove_all(temp);
}

}  // namespace
