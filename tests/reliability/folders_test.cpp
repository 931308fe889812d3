// What a transfer writes: files open to no one else, nothing written through
// a planted link or into another account's file, nothing outside the folders
// the main record names.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host_arrays.h"
#include "host_data_sets.h"
#include "template_file.h"
#include "test_support.h"
#include "transfer_call.h"

namespace {

namespace fs = std::filesystem;

// Every path below folder, relative to it.
std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied)) {
        entries.push_back(fs::relative(entry.path(), folder));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// A transfer of function f on data set d into the folders work and r of a folder.
struct Transfer {
    explicit Transfer(const std::string& folder) {
        main.Set(offsetof(ST_Main_aiR, workFolder), folder + "/work/");
        main.Set(offsetof(ST_Main_aiR, rFolder), folder + "/r/");
        main.Set(offsetof(ST_Main_aiR, group), "G");
        data.name = "d";
        data.quanti1 = {kovtest::Numbers("x", {1, 2})};
        data.rowCount = 2;
    }
    void operator()(int columnIndex = 1) {
        kovr::HostDataSets sets({data});
        kovr::TransferToR(main, *loaded.dialog, sets, ";", columnIndex);
    }
    std::string Script() const { return kovtest::ReadBytes(main.Get(offsetof(ST_Main_aiR, rFolder)) + "f.script"); }

    kovtest::TempFolder templates;
    kovr::Translations translations;
    kovr::LoadedTemplate loaded = kovr::LoadTemplate(
        templates.Write("f.xml", "<RFunction function=\"f\" datastructure=\"data\"><Tab text=\"P\"/><RResults>"
                                 "<Result name=\"t\" text=\"T\"/></RResults></RFunction>"),
        translations);
    kovr::HostMain main;
    kovr::DataSetData data;
};

// Under umask 022 what a transfer creates is open to no one else, the folders
// it is handed keep their mode, a link or another account's file planted at
// the path of a file or of a folder it makes is replaced instead of written
// through, and names that climb out of their folder get nothing, anywhere.
TEST(Folders, TransferKeepsToItsFoldersAndOpensNothingToOthers) {
    const mode_t savedMask = umask(022);
    kovtest::TempFolder folder;
    fs::create_directory(folder / "work");
    fs::create_directory(folder / "r");
    chmod((folder / "work").c_str(), 0750);
    Transfer transfer(folder.path());
    transfer();
    for (const std::string& entry : Entries(folder.path())) {
        struct stat status;
        ASSERT_EQ(lstat((folder / entry).c_str(), &status), 0);
        const mode_t mode = status.st_mode & 07777;
        if (entry == "work") {
            EXPECT_EQ(mode, 0750u);
        } else {
            EXPECT_EQ(mode & (S_IWGRP | S_IWOTH | S_ISUID | S_ISGID | S_ISVTX), 0u) << entry;
        }
    }

    const std::string data = folder / "work/datastore/d.csv";
    const std::string target = folder.Write("target", "kept");
    ASSERT_EQ(unlink(data.c_str()), 0);
    ASSERT_EQ(symlink(target.c_str(), data.c_str()), 0);
    folder.Write("r/f.script", "planted");
    const bool foreign = chown((folder / "r/f.script").c_str(), 65534, 65534) == 0;  // only root may give a file away
    transfer();
    EXPECT_EQ(kovtest::ReadBytes(target), "kept");
    EXPECT_EQ(kovtest::ReadBytes(data), "x\n1\n2\n");
    struct stat status;
    ASSERT_EQ(lstat((folder / "r/f.script").c_str(), &status), 0);
    EXPECT_TRUE(S_ISREG(status.st_mode));
    if (foreign) {
        EXPECT_EQ(status.st_uid, geteuid());
    }
    EXPECT_NE(transfer.Script(), "planted");

    // A link planted in place of a folder the library makes is not followed.
    fs::create_directory(folder / "elsewhere");
    fs::remove_all(folder / "work/datastore");
    fs::create_directory_symlink(folder / "elsewhere", folder / "work/datastore");
    transfer();
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    EXPECT_EQ(kovtest::ReadBytes(data), "x\n1\n2\n");

    const std::vector<std::string> before = Entries(folder.path());
    transfer.main.Set(offsetof(ST_Main_aiR, group), "../../G");
    transfer.data.name = "../../d";
    transfer();
    EXPECT_EQ(transfer.Script().find("../"), std::string::npos) << "nothing R would write outside";
    kovr::SetHostString(reinterpret_cast<char*>(&transfer.loaded.dialog->dialog()) + offsetof(ST_aiR, functionName),
                        "../f");
    transfer();
    EXPECT_EQ(Entries(folder.path()), before);
    umask(savedMask);
}

}  // namespace
