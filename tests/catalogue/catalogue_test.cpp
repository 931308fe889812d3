// The template catalogue through the C boundary: Cpp_GetNbRFiles and
// Cpp_GetListOfRFiles on real folder trees, with the host's catalogue table
// of 7 rows (fields) and one column per template.
#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "arena_records.h"
#include "kovrbridge.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFields = 7;

// One catalogue entry as the host reads it: file, group, function, title,
// packages, code, keywords.
using Entry = std::vector<std::string>;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A template with the given root attributes (written as given, so an empty
// value stays in the file) and the body of a small real dialog.
std::string Template(const std::string& rootAttributes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<RFunction " +
           rootAttributes +
           " datastructure=\"data\">\n"
           "  <AuthorXML>catalogue tests</AuthorXML>\n"
           "  <Tab text=\"General\">\n"
           "    <YQuantiField text=\"Variables\"/>\n"
           "    <CheckBox name=\"CheckBoxMean\" text=\"Mean\" rname=\"mean\" default=\"true\"/>\n"
           "  </Tab>\n"
           "  <RResults><Result text=\"Summary\" rname=\"summary\"/></RResults>\n"
           "  <RScript><ScriptLine code=\"results$summary &lt;- summary(data1)\"/></RScript>\n"
           "</RFunction>\n";
}

// A catalogue folder under the system's temporary folder, removed with its
// contents (locked groups made readable again first).
class Catalogue {
public:
    Catalogue() {
        std::string pattern = (fs::temp_directory_path() / "kov-catalogue-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~Catalogue() {
        for (const std::string& group : locked_) chmod((path_ + "/" + group).c_str(), 0700);
        fs::remove_all(path_);
    }
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const std::string& path() const { return path_; }

    // Writes text into the file at relative, creating its folders.
    void Write(const std::string& relative, const std::string& text) const {
        const fs::path file = fs::path(path_) / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    // Takes every permission from the group folder. False when this process
    // can list it all the same (running with the right to read any folder).
    bool Lock(const std::string& group) {
        const std::string folder = path_ + "/" + group;
        chmod(folder.c_str(), 0);
        locked_.push_back(group);
        DIR* dir = opendir(folder.c_str());
        if (dir == nullptr) return true;
        closedir(dir);
        return false;
    }

    // (group, file) of every template in the order the system lists the
    // folders, which is the order in which the catalogue finds them.
    std::vector<std::pair<std::string, std::string>> FoundOrder() const {
        std::vector<std::pair<std::string, std::string>> found;
        for (const fs::directory_entry& group : fs::directory_iterator(path_)) {
            if (!group.is_directory()) continue;
            std::error_code unreadable;
            for (const fs::directory_entry& file : fs::directory_iterator(group.path(), unreadable)) {
                const std::string name = file.path().filename().string();
                if (file.is_regular_file() && name.find(".xml") != std::string::npos && name != "template.xml") {
                    found.emplace_back(group.path().filename().string(), name);
                }
            }
        }
        return found;
    }

private:
    std::string path_;
    std::vector<std::string> locked_;
};

// The main record as the add-in passes it to the listing: the catalogue
// folder, the count it allocated for, and a table of 7 rows and columns
// columns, its cells holding the given entries (null strings beyond them).
host::Ptr<ST_Main_aiR> ListingRecord(host::Arena& arena, const std::string& folder, int count, int columns,
                                     const std::vector<Entry>& cells = {}) {
    host::MainFields fields;
    fields.catalogFolder = folder;
    auto main = host::Main(arena, fields);
    main->catalogCount = count;
    main->catalogTable = arena.Array(host::Elem::kString, kFields, static_cast<uint32_t>(columns));
    for (size_t t = 0; t < cells.size(); ++t) {
        for (int k = 0; k < kFields; ++k) {
            static_cast<BSTR*>(main->catalogTable->pvData)[t * kFields + k] = arena.Str(cells[t][k]);
        }
    }
    return main;
}

// Entries 1 to n of the host's table.
std::vector<Entry> Entries(const ST_Main_aiR& main, int n) {
    std::vector<Entry> entries;
    for (int t = 1; t <= n; ++t) {
        Entry entry;
        for (int k = 1; k <= kFields; ++k) entry.push_back(host::Element<std::string>(main.catalogTable, k, t));
        entries.push_back(entry);
    }
    return entries;
}

int Count(const std::string& folder) { return Cpp_GetNbRFiles(Wide(folder).c_str()); }

// Every entry of the tree below, in display order: by group ignoring case,
// then by function name.
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

// A catalogue holding the templates of kSorted, and beside them files and
// folders that are not templates of the catalogue.
void WriteCatalogue(const Catalogue& catalogue) {
    catalogue.Write("Regression/linear.xml",
                    Template("text=\"Linear regression\" function=\"lm\" packages=\"stats\" group=\"Regression\" "
                             "keywords=\"regression,linear model\""));
    catalogue.Write("Regression/logistic.xml",
                    Template("text=\"Logistic regression\" function=\"glm\" packages=\"stats\" keywords=\"logit\""));
    catalogue.Write("Regression/template.xml", Template("text=\"Skeleton\" function=\"skeleton\""));
    catalogue.Write("Regression/notes.txt", "not a template");
    catalogue.Write("Regression/Deeper/deep.xml", Template("text=\"Too deep\" function=\"deep\""));
    catalogue.Write("alpha/ab.xml", Template("text=\"Codes\" function=\"ab\" packages=\"cd,ef\" keywords=\"code\""));
    catalogue.Write("Alpha/aov.xml", Template("text=\"One-way ANOVA\" function=\"aov\" packages=\"stats,car\" "
                                              "keywords=\"anova,groups\""));
    catalogue.Write("Alpha/kruskal.xml",
                    Template("text=\"Kruskal-Wallis test\" function=\"kruskal.test\" packages=\"\""));
    catalogue.Write("Codes/bangs.xml",
                    Template("text=\"Bangs\" function=\"!!!!!\" packages=\"!!!!!!\" keywords=\"bang\""));
    catalogue.Write("Tests/y.xml.bak", Template("text=\"Student t test\" function=\"t.test\" packages=\"stats\" "
                                                "keywords=\"t test\""));
    catalogue.Write("Tests/broken.xml", "<RFunction text=\"Broken\" function=\"broken\">\n  <Tab text=\"x\">\n");
    catalogue.Write("top.xml", Template("text=\"Top level\" function=\"top\""));
}

TEST(Catalogue, CountsListsAndSortsARealTree) {
    Catalogue catalogue;
    WriteCatalogue(catalogue);
    catalogue.Write("Locked/hidden.xml", Template("text=\"Hidden\" function=\"hidden\""));
    if (!catalogue.Lock("Locked")) {
        // This process reads any folder: the locked group would be listed.
        std::cout << "[   NOTE   ] folder permissions do not apply here; the unreadable group is not tested\n";
        fs::remove_all(catalogue.path() + "/Locked");
    }

    const int n = static_cast<int>(kSorted.size());
    ASSERT_EQ(Count(catalogue.path()), n);
    host::Arena arena;
    auto main = ListingRecord(arena, catalogue.path(), n, n);
    Cpp_GetListOfRFiles(main);
    EXPECT_EQ(Entries(*main, n), kSorted);
    EXPECT_EQ(main->catalogCount, n);
}

TEST(Catalogue, StoresOnlyTheFirstTemplatesFoundWhenTheTableIsSmaller) {
    Catalogue catalogue;
    WriteCatalogue(catalogue);
    const auto found = catalogue.FoundOrder();
    ASSERT_EQ(found.size(), kSorted.size());

    // The three stored are the first three found, sorted among themselves;
    // announcing more entries than the table has columns changes nothing.
    std::vector<Entry> expected;
    for (const Entry& entry : kSorted) {
        for (size_t f = 0; f < 3; ++f) {
            if (found[f] == std::make_pair(entry[1], entry[0])) expected.push_back(entry);
        }
    }
    ASSERT_EQ(expected.size(), 3u);
    for (int announced : {3, 10}) {
        host::Arena arena;
        auto main = ListingRecord(arena, catalogue.path(), announced, 3);
        Cpp_GetListOfRFiles(main);
        EXPECT_EQ(Entries(*main, 3), expected) << announced;
    }
}

TEST(Catalogue, EmptyMissingOrTemplateFreeFolderListsNothing) {
    Catalogue catalogue;
    EXPECT_EQ(Cpp_GetNbRFiles(nullptr), 0);
    EXPECT_EQ(Count(""), 0);
    EXPECT_EQ(Count(catalogue.path()), 0);
    EXPECT_EQ(Count(catalogue.path() + "/absent"), 0);
    catalogue.Write("top.xml", Template("function=\"top\""));
    catalogue.Write("Empty/readme.txt", "no template here");
    EXPECT_EQ(Count(catalogue.path()), 0);

    // Without a folder to list, the host's table is left as it was, unsorted.
    const std::vector<Entry> cells = {{"z.xml", "Zeta", "z", "Z (z)", "", "26", "last"},
                                      {"a.xml", "Alpha", "a", "A (a)", "", "1", "first"}};
    for (const std::string& folder : {std::string(), catalogue.path() + "/absent"}) {
        host::Arena arena;
        auto main = ListingRecord(arena, folder, 2, 2, cells);
        Cpp_GetListOfRFiles(main);
        EXPECT_EQ(Entries(*main, 2), cells) << folder;
    }
    Cpp_GetListOfRFiles(nullptr);
}

}  // namespace
