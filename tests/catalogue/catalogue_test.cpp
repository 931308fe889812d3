// The template catalogue through Cpp_GetNbRFiles and Cpp_GetListOfRFiles on a
// real folder tree, with the host's catalogue table of 7 rows (file, group,
// function, title, packages, code, keywords) and one column per template.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host_arrays.h"
#include "host_records.h"
#include "host_text.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using Entry = std::vector<std::string>;

// A small real dialog with the given root attributes.
std::string Template(const std::string& rootAttributes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RFunction " + rootAttributes +
           " datastructure=\"data\">\n  <Tab text=\"General\"><YQuantiField text=\"Variables\"/></Tab>\n"
           "  <RScript><ScriptLine code=\"results$summary &lt;- summary(data1)\"/></RScript>\n</RFunction>\n";
}

// Templates of the catalogue and, beside them, what is not one: a skeleton
// named template.xml, other files, a template too deep, one at the top.
const std::vector<std::pair<std::string, std::string>> kFiles = {
    {"Regression/linear.xml", "text=\"Linear regression\" function=\"lm\" packages=\"stats\" group=\"Regression\" "
                              "keywords=\"regression,linear model\""},
    {"Regression/logistic.xml", "text=\"Logistic regression\" function=\"glm\" packages=\"stats\" keywords=\"logit\""},
    {"Regression/template.xml", "text=\"Skeleton\" function=\"skeleton\""},
    {"Regression/Deeper/deep.xml", "text=\"Too deep\" function=\"deep\""},
    {"alpha/ab.xml", "text=\"Codes\" function=\"ab\" packages=\"cd,ef\" keywords=\"code\""},
    {"Alpha/aov.xml", "text=\"One-way ANOVA\" function=\"aov\" packages=\"stats,car\" keywords=\"anova,groups\""},
    {"Alpha/kruskal.xml", "text=\"Kruskal-Wallis test\" function=\"kruskal.test\" packages=\"\""},
    {"Codes/bangs.xml", "text=\"Bangs\" function=\"!!!!!\" packages=\"!!!!!!\" keywords=\"bang\""},
    {"Tests/y.xml.bak", "text=\"Student t test\" function=\"t.test\" packages=\"stats\" keywords=\"t test\""},
    {"top.xml", "text=\"Top level\" function=\"top\""},
    {"Locked/hidden.xml", "text=\"Hidden\" function=\"hidden\""},
};

// Every entry of the tree, in display order: by group ignoring case, then by
// function name.
const std::vector<Entry> kSorted = {
    {"ab.xml", "alpha", "ab", "Codes (ab)", "cd,ef", "24", "code"},
    {"aov.xml", "Alpha", "aov", "One-way ANOVA (aov)", "stats,car", "22670", "anova,groups"},
    {"kruskal.xml", "Alpha", "kruskal.test", "Kruskal-Wallis test (kruskal.test)", "", "131291", ""},
    {"bangs.xml", "Codes", "!!!!!", "Bangs (!!!!!)", "!!!!!!", "-1.39999e+06", "bang"},
    {"logistic.xml", "Regression", "glm", "Logistic regression (glm)", "stats", "21746", "logit"},
    {"linear.xml", "Regression", "lm", "Linear regression (lm)", "stats", "20461", "regression,linear model"},
    {"broken.xml", "Tests", "", "", "", "0", ""},
    {"y.xml.bak", "Tests", "t.test", "Student t test (t.test)", "stats", "217509", "t test"},
};

// Lists folder into a host table of columns entries, announced as count,
// whose cells hold cells first; returns its first n entries.
std::vector<Entry> List(const std::string& folder, int count, int columns, size_t n, const std::vector<Entry>& cells) {
    kovr::HostMain main;
    main.Set(offsetof(ST_Main_aiR, catalogFolder), folder);
    main.NewCatalogTable(columns);
    main.get()->catalogCount = count;
    for (size_t t = 0; t < cells.size(); ++t) {
        for (size_t k = 0; k < 7; ++k) kovr::SetTextAt(main.get()->catalogTable, t * 7 + k + 1, cells[t][k]);
    }
    {
        kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) { main.CollectStrings(s); });
        Cpp_GetListOfRFiles(main.get());
    }
    std::vector<Entry> entries(n);
    for (size_t t = 0; t < n; ++t) {
        for (int k = 1; k <= 7; ++k) entries[t].push_back(main.CatalogField(k, static_cast<int>(t) + 1));
    }
    return entries;
}

int Count(const std::string& folder) { return Cpp_GetNbRFiles(kovr::WideText(folder).c_str()); }

TEST(Catalogue, CountsListsAndSortsARealTree) {
    kovtest::TempFolder folder;
    for (const auto& [file, attributes] : kFiles) {
        fs::create_directories(fs::path(folder / file).parent_path());
        folder.Write(file, Template(attributes));
    }
    folder.Write("Regression/notes.txt", "not a template");
    // Neither a link nor a named pipe is a template (a pipe would block the read).
    fs::create_symlink(folder / "Regression/linear.xml", folder / "Tests/link.xml");
    mkfifo((folder / "Tests/pipe.xml").c_str(), 0600);
    folder.Write("Tests/broken.xml", "<RFunction text=\"Broken\" function=\"broken\">\n  <Tab text=\"x\">\n");
    // Unless this process reads any folder, the locked group is not listed.
    chmod((folder / "Locked").c_str(), 0);
    if (geteuid() == 0) fs::remove_all(folder / "Locked");

    const int n = static_cast<int>(kSorted.size());
    ASSERT_EQ(Count(folder.path()), n);
    EXPECT_EQ(List(folder.path(), n, n, n, {}), kSorted);

    // A smaller table takes the first templates found, sorted among
    // themselves, however many entries are announced.
    for (const int announced : {3, 10}) {
        const std::vector<Entry> three = List(folder.path(), announced, 3, 3, {});
        for (const Entry& entry : three) EXPECT_NE(std::find(kSorted.begin(), kSorted.end(), entry), kSorted.end());
        EXPECT_TRUE(std::is_sorted(three.begin(), three.end(), [](const Entry& a, const Entry& b) {
            return std::find(kSorted.begin(), kSorted.end(), a) < std::find(kSorted.begin(), kSorted.end(), b);
        }));
    }
    chmod((folder / "Locked").c_str(), 0700);

    // Without a folder to list, nothing is counted and the host's table is
    // left as it was, unsorted.
    const std::vector<Entry> cells = {kSorted[7], kSorted[0]};
    EXPECT_EQ(Count(folder / "Regression/Deeper"), 0);
    for (const std::string& none : {std::string(), folder / "absent"}) {
        EXPECT_EQ(Count(none), 0) << none;
        EXPECT_EQ(List(none, 2, 2, 2, cells), cells) << none;
    }
    EXPECT_EQ(Cpp_GetNbRFiles(nullptr), 0);
    Cpp_GetListOfRFiles(nullptr);
}

}  // namespace
