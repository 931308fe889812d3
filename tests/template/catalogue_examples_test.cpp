// Every template of the example catalogue through both exports: each parses,
// each pass sees the same template, and the dialog it describes is whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host_records.h"
#include "reading.h"

namespace {

using templates::Reading;

std::vector<std::filesystem::path> ExampleTemplates() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(KOV_SOURCE_DIR "/examples/catalogue")) {
        if (entry.is_regular_file() && entry.path().extension() == ".xml") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(CatalogueExamples, EveryExampleLoadsInBothPassesWithMatchingCounts) {
    const std::vector<std::filesystem::path> files = ExampleTemplates();
    ASSERT_FALSE(files.empty());
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.string());
        Reading reading(file.parent_path().string(), file.filename().string());
        reading.Size();
        reading.Fill();
        const BSTR title = reading.error->title;
        ASSERT_EQ(title, nullptr) << host::Text(reading.error->message);

        // The examples read their results after their pages, in one RResults:
        // with automatic outputs and statistics on, the descriptive check box
        // is reserved for every result and added once.
        ST_aiR& air = reading.air();
        const bool descriptive = air.autoOutputs == -1 && air.autoOutputsStats == -1 && air.resRName.count > 0;
        reading.ExpectCountsMatchEntries(descriptive ? air.resRName.count - 1 : 0);

        EXPECT_GT(air.pageText.count, 0);
        EXPECT_GT(air.scriptCode.count, 0);
        EXPECT_GT(reading.controls().ctlKind.count, 0);
        const std::vector<int> pages = host::Entries<int>(reading.controls().ctlPage);
        EXPECT_TRUE(std::is_sorted(pages.begin(), pages.end()));
        for (int page : pages) EXPECT_LT(page, air.pageText.count);
    }
}

}  // namespace
