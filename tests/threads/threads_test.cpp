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

#include "host_arrays.h"
#include "host_text.h"
#include "record_fields.h"
#include "template_file.h"

namespace {

constexpr int kRounds = 200;
const std::string kCatalogue = KOV_SOURCE_DIR "/examples/catalogue";

// What one round reads: the catalogue table, every text and number the
// template fills in, and the error text of a template that does not parse.
std::vector<std::string> ReadOnce(kovr::Translations& translations) {
    kovr::HostMain main;
    main.Set(offsetof(ST_Main_aiR, catalogFolder), kCatalogue);
    main.NewCatalogTable(Cpp_GetNbRFiles(kovr::WideText(kCatalogue).c_str()));
    {
        kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) { main.CollectStrings(s); });
        Cpp_GetListOfRFiles(main.get());
    }
    std::vector<std::string> round;
    for (int t = 1; t <= main.get()->catalogCount; ++t) round.push_back(main.CatalogField(1, t));
    kovr::LoadedTemplate loaded = kovr::LoadTemplate(kCatalogue + "/Regression/linear_regression.xml", translations);
    for (const auto& field : kovr::kDialogVectors) {
        const ST_Vect& v = kovr::VectorOf(loaded.dialog->dialog(), field);
        for (int i = 1; i <= v.count; ++i) {
            const int number = field.element == kovr::Element::kInt32 ? kovr::IntAt(v, i) : kovr::ShortAt(v, i);
            round.push_back(field.element == kovr::Element::kText ? kovr::TextAt(v, i) : std::to_string(number));
        }
    }
    round.push_back(kovr::LoadTemplate(kCatalogue + "/../../README.md", translations).errorText);
    return round;
}

TEST(Threads, CatalogueAndMethodDescriptionsReadAtOnceAgreeWithOneThread) {
    kovr::Translations translations;
    const std::vector<std::string> expected = ReadOnce(translations);
    ASSERT_NE(expected.back(), "");

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
