// Threads reading templates at once, as a host may run them: two threads that
// list the example catalogue and load method descriptions (one template that
// parses, one that does not) through the exports, and a third that parses XML
// of its own with the parser library. Every result equals the one a single
// thread gets. tools/run_tests.sh also runs this program under
// ThreadSanitizer.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <string>
#include <thread>
#include <vector>

#include "dialog_fields.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "template_files.h"

namespace {

constexpr int kRounds = 200;
const std::string kCatalogue = KOV_SOURCE_DIR "/examples/catalogue";

// What one round reads: the catalogue table, every field a template fills
// and the error text of a template that does not parse.
struct Round {
    std::vector<std::string> catalogue;
    templates::Fields fields;
    std::string error;

    bool operator==(const Round&) const = default;
};

Round ReadOnce(kovr::Translations& translations) {
    Round round;
    const std::wstring folder(kCatalogue.begin(), kCatalogue.end());
    host::Arena arena;
    host::MainFields fields;
    fields.catalogFolder = kCatalogue;
    fields.catalogEntries = Cpp_GetNbRFiles(folder.c_str());
    auto main = host::Main(arena, fields);
    Cpp_GetListOfRFiles(main);
    round.catalogue = host::Elements<std::string>(main->catalogTable);

    kovr::LoadedTemplate loaded = kovr::LoadTemplate(kCatalogue + "/Regression/linear_regression.xml", translations);
    round.fields = templates::FieldsOf(loaded);
    round.error = kovr::LoadTemplate(templates::DataFolder() + "/two_errors_one_line.xml", translations).errorText;
    return round;
}

TEST(Threads, CatalogueAndMethodDescriptionsReadAtOnceAgreeWithOneThread) {
    kovr::Translations translations;
    const Round expected = ReadOnce(translations);
    ASSERT_FALSE(expected.fields.empty());
    ASSERT_NE(expected.error.find("Line: "), std::string::npos);

    std::vector<int> agreed(2, 0);
    int ownParses = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            kovr::Translations own;
            for (int i = 0; i < kRounds; ++i) agreed[t] += ReadOnce(own) == expected ? 1 : 0;
        });
    }
    threads.emplace_back([&] {
        const std::string xml = "<doc><item a='1'/><item a='2'/></doc>";
        for (int i = 0; i < 20 * kRounds; ++i) {
            xmlDoc* document = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "own.xml", nullptr, 0);
            if (document != nullptr && xmlDocGetRootElement(document) != nullptr) ++ownParses;
            xmlFreeDoc(document);
        }
    });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(agreed, std::vector<int>(2, kRounds));
    EXPECT_EQ(ownParses, 20 * kRounds);
}

}  // namespace
