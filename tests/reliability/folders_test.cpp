// Folders the process may not read or write: an unreadable catalogue, group
// or template, and read-only work, data-store and R folders. Permission bits
// do not hold for root, so when the tests run as root each case runs in a
// child process as the user "nobody". Unreadable parts are left out or
// reported; nothing is written where writing is not allowed; nothing crashes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog_rows.h"
#include "arena_records.h"
#include "kovrbridge.h"
#include "result_rows.h"
#include "sandbox.h"

namespace {

using reliability::ChildResult;
using reliability::Sandbox;
using reliability::WriteFile;

constexpr int16_t kTrue = -1;

// Checks in the child: a failure is printed and remembered.
class Checks {
public:
    void operator()(bool holds, const std::string& what) {
        if (holds) return;
        std::fprintf(stderr, "failed: %s\n", what.c_str());
        passed_ = false;
    }
    bool passed() const { return passed_; }

private:
    bool passed_ = true;
};

void ExpectPassedInChild(const std::function<bool()>& body) {
    const ChildResult result = reliability::RunInChild(body, true);
    if (result == ChildResult::kCannotDropPrivileges) GTEST_SKIP() << "cannot run as an unprivileged user";
    EXPECT_EQ(result, ChildResult::kPassed);
}

std::string Template(const std::string& function) {
    return "<RFunction function=\"" + function + "\"><Tab text=\"P\"><CheckBox name=\"c\"/></Tab></RFunction>";
}

TEST(Folders, UnreadablePartsOfTheCatalogueAreLeftOutOrReported) {
    Sandbox sandbox;
    const std::string catalogue = sandbox / "catalogue";
    for (const char* group : {"A", "B", "C"}) std::filesystem::create_directories(catalogue + "/" + group);
    WriteFile(catalogue + "/A/x.xml", Template("x"));
    WriteFile(catalogue + "/B/y.xml", Template("y"));
    WriteFile(catalogue + "/C/z.xml", Template("z"));
    chmod((catalogue + "/B").c_str(), 0);        // a group that cannot be listed
    chmod((catalogue + "/C/z.xml").c_str(), 0);  // a template that cannot be read
    ExpectPassedInChild([&] {
        Checks check;
        const std::wstring folder(catalogue.begin(), catalogue.end());
        check(Cpp_GetNbRFiles(folder.c_str()) == 2, "A/x.xml and C/z.xml counted");
        host::Arena arena;
        host::MainFields fields;
        fields.catalogFolder = catalogue;
        fields.catalogEntries = 2;
        auto main = host::Main(arena, fields);
        Cpp_GetListOfRFiles(main);
        // Sorted by group: x of A, then the unreadable z of C, without function.
        const std::vector<std::string> table = host::Elements<std::string>(main->catalogTable);
        check(table[0] == "x.xml" && table[2] == "x", "A/x.xml listed first");
        check(table[7] == "z.xml" && table[8] == "C" && table[9].empty(), "C/z.xml listed without function");

        fields.templateFolder = catalogue + "/C";
        fields.templateFile = "z.xml";
        auto reader = host::Main(arena, fields);
        host::Dialog dialog(arena, 4);
        auto error = arena.ErrorInfo();
        Cpp_GetMethodDescription(reader, dialog.air, dialog.controls, arena.Buffer({}, 6500), error);
        check(host::Text(error->title) == "XML Error", "the unreadable template is reported");
        check(dialog.controls->ctlName.count == 0, "nothing loaded from it");
        return check.passed();
    });

    chmod(catalogue.c_str(), 0);
    ExpectPassedInChild([&] {
        Checks check;
        const std::wstring folder(catalogue.begin(), catalogue.end());
        check(Cpp_GetNbRFiles(folder.c_str()) == 0, "an unreadable catalogue counts nothing");
        host::Arena arena;
        host::MainFields fields;
        fields.catalogFolder = catalogue;
        fields.catalogEntries = 2;
        auto main = host::Main(arena, fields);
        Cpp_GetListOfRFiles(main);
        check(host::Elements<std::string>(main->catalogTable) == std::vector<std::string>(14),
              "and leaves the table as it was");
        return check.passed();
    });
}

TEST(Folders, FoldersThatCannotBeWrittenGetNothing) {
    Sandbox sandbox;
    // The child makes the folders itself, so that it may change their
    // permissions: "ro" cannot be written into.
    const std::string own = sandbox / "own/";
    ExpectPassedInChild([&] {
        Checks check;
        for (const char* folder : {"", "ro", "r"}) mkdir((own + folder).c_str(), 0777);
        chmod((own + "ro").c_str(), 0555);
        host::Arena arena;
        host::MainFields fields;
        fields.workFolder = own + "ro/work/";
        fields.rFolder = own + "ro/r/";
        fields.group = "G";
        auto main = host::Main(arena, fields);
        host::Dialog dialog(arena, 4);
        dialog.air->functionName = arena.Str("f");
        dialog.air->dataStructure = arena.Str("data");
        auto sets = host::DataSetArrayBuilder()
                        .Add("d", host::DataSetBuilder().Quanti1({{"x", {1, 2}}}))
                        .Build(arena);
        auto info = arena.System(".", ";");
        ST_DataSet* first = &host::RecordAt<ST_DataSet>(sets->dataSets, 1);

        // Neither folder can be made: no script, no data store, no data file.
        Cpp_TransferToR(main, dialog.air, sets, info, 1);
        Cpp_WriteDataSetToFile(main, dialog.air, first, 0, 0, 0, arena.Str("d.csv"), arena.Str(";"), kTrue, 0);
        check(reliability::FolderNames(own + "ro").empty(), "nothing written into the read-only folder");

        // A writable R folder: the scripts only.
        main->rFolder = arena.Str(own + "r/");
        Cpp_TransferToR(main, dialog.air, sets, info, 1);
        check(reliability::FolderNames(own + "r") == std::vector<std::string>{"f.script", "f0.script"}, "both scripts");
        check(reliability::FolderNames(own + "ro").empty(), "still no data store");

        // A script file that cannot be written keeps what it held.
        WriteFile(own + "r/f.script", "kept");
        chmod((own + "r/f.script").c_str(), 0444);
        main->workFolder = arena.Str(own);
        Cpp_TransferToR(main, dialog.air, sets, info, 1);
        check(reliability::ReadFile(own + "r/f.script") == "kept", "the read-only script kept");
        check(reliability::ReadFile(own + "datastore/d.csv") == "x\n1\n2\n", "the data file written once allowed");
        return check.passed();
    });
    const std::vector<std::string> written = sandbox.Entries();
    EXPECT_TRUE(std::all_of(written.begin(), written.end(), [](const std::string& entry) {
        return entry == "r" || entry == "work" || entry.rfind("own", 0) == 0;
    }));
}

// A transfer under umask 022: what it creates is open to no one else, the
// folders it is handed keep their mode, a link or another account's file
// planted at a file's path is replaced instead of written through, and names
// that climb out of their folder get nothing, anywhere.
TEST(Folders, TransferKeepsToItsFoldersAndOpensNothingToOthers) {
    const mode_t savedMask = umask(022);
    Sandbox sandbox;
    chmod(sandbox.work().c_str(), 0750);
    chmod(sandbox.rFolder().c_str(), 0770);
    host::Arena arena;
    host::MainFields fields;
    fields.workFolder = sandbox.work();
    fields.rFolder = sandbox.rFolder();
    fields.group = "G";
    auto main = host::Main(arena, fields);
    host::Dialog dialog(arena, 4);
    dialog.air->functionName = arena.Str("f");
    dialog.air->dataStructure = arena.Str("data");
    auto sets = host::DataSetArrayBuilder().Add("d", host::DataSetBuilder().Quanti1({{"x", {1, 2}}})).Build(arena);
    auto info = arena.System(".", ";");
    Cpp_TransferToR(main, dialog.air, sets, info, 1);
    for (const std::string& entry : sandbox.Entries()) {
        struct stat status;
        ASSERT_EQ(lstat((sandbox / entry).c_str(), &status), 0);
        const mode_t mode = status.st_mode & 07777;
        if (entry == "work" || entry == "r") {
            EXPECT_EQ(mode, entry == "work" ? 0750u : 0770u) << entry;
        } else {
            EXPECT_EQ(mode & (S_IWGRP | S_IWOTH | S_ISUID | S_ISGID | S_ISVTX), 0u) << entry;
        }
    }

    const std::string data = sandbox.work() + "datastore/d.csv";
    const std::string script = sandbox.rFolder() + "f.script";
    WriteFile(sandbox / "target", "kept");
    ASSERT_EQ(unlink(data.c_str()), 0);
    ASSERT_EQ(symlink((sandbox / "target").c_str(), data.c_str()), 0);
    WriteFile(script, "planted");
    const bool foreign = chown(script.c_str(), 65534, 65534) == 0;  // only root may give a file away
    Cpp_TransferToR(main, dialog.air, sets, info, 1);
    EXPECT_EQ(reliability::ReadFile(sandbox / "target"), "kept");
    EXPECT_EQ(reliability::ReadFile(data), "x\n1\n2\n");
    struct stat status;
    ASSERT_EQ(lstat(script.c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));
    if (foreign) {
        EXPECT_EQ(status.st_uid, geteuid());
    }
    EXPECT_NE(reliability::ReadFile(script), "planted");

    const std::vector<std::string> before = sandbox.Entries();
    reliability::OutsideWatch outside;
    main->group = arena.Str("../../G");
    host::AddResultTable(arena, *dialog.air, {.rName = "../t", .show = "true", .rowLabels = ""});
    host::AddChart(arena, *dialog.air, {.name = "../c", .plotCode = "plot(1)"});
    auto climbing = host::DataSetArrayBuilder()
                        .Add("../../d", host::DataSetBuilder().Quanti1({{"x", {1, 2}}}))
                        .Build(arena);
    Cpp_TransferToR(main, dialog.air, climbing, info, 1);
    EXPECT_EQ(reliability::ReadFile(script).find("../"), std::string::npos) << "nothing R would write outside";
    dialog.air->functionName = arena.Str("../f");
    Cpp_TransferToR(main, dialog.air, climbing, info, 1);
    Cpp_WriteDataSetToFile(main, dialog.air, &host::RecordAt<ST_DataSet>(climbing->dataSets, 1), 0, 0, 0,
                           arena.Str("../e.csv"), arena.Str(";"), kTrue, 0);
    EXPECT_EQ(sandbox.Entries(), before);
    EXPECT_EQ(outside.NewEntries(), std::vector<std::string>{});
    umask(savedMask);
}

}  // namespace
