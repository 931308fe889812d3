// Memory running out inside an export: a large transfer and a large template
// run in a child process under address-space limits from tight
// to roomy. At every limit the export returns to the host (no abort, no
// exception through the C boundary), and once memory is back the same records
// still give the full result. Skipped under AddressSanitizer and valgrind,
// which reserve address space of their own.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "host_arrays.h"
#include "host_text.h"
#include "record_fields.h"
#include "template_file.h"
#include "template_run.h"
#include "test_support.h"
#include "transfer_call.h"

#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#endif

namespace {

using reliability::ChildResult;

// Limits the address space to what is in use plus margin (no limit: 0).
void LimitAddressSpace(size_t margin) {
    size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = margin == 0 ? limit.rlim_max : pages * static_cast<size_t>(sysconf(_SC_PAGESIZE)) + margin;
    setrlimit(RLIMIT_AS, &limit);
}

// Runs calls under each limit; what they replaced is freed once memory is back.
void UnderLimits(const std::function<void(kovr::StringSlots&)>& collect, const std::function<void()>& calls) {
    for (size_t margin : {256u << 10, 1u << 20, 4u << 20, 16u << 20, 48u << 20, 96u << 20, 192u << 20, 384u << 20}) {
        kovr::ReplacedStrings replaced(collect);
        LimitAddressSpace(margin);
        calls();
        LimitAddressSpace(0);
    }
}

// 100,000 rows of a number, a 200-character text and a label: about 50 MB
// of host strings, which the library copies into wide strings of twice the size.
bool TransferUnderLimits(const kovtest::TempFolder& folder) {
    kovr::DataSetData data;
    data.name = "big";
    data.rowCount = 100000;
    std::vector<double> numbers;
    data.quali1 = {kovtest::Texts("t", {})};
    for (int r = 0; r < data.rowCount; ++r) {
        numbers.push_back(r / 8.0);
        data.quali1[0].texts.push_back(std::string(196, 'a') + std::to_string(r % 1000));
        data.obsLabels.push_back("o" + std::to_string(r));
    }
    data.quanti1 = {kovtest::Numbers("x", std::move(numbers))};
    kovtest::TemplateRun run(
        folder.Write("f.xml", "<RFunction function=\"big\" datastructure=\"data\"><Tab text=\"P\"/></RFunction>"),
        {std::move(data)});
    kovr::HostMain& main = run.main;
    main.Set(offsetof(ST_Main_aiR, workFolder), folder.path() + "/");
    main.Set(offsetof(ST_Main_aiR, rFolder), folder.path() + "/");
    kovr::HostDataSets& sets = run.sets();
    kovr::HostDialog& dialog = *run.loaded.dialog;
    SystemInfo info{0, kovr::NewHostString("."), {}, kovr::NewHostString(";")};
    BSTR file = kovr::NewHostString("single.csv");
    UnderLimits(
        [&](kovr::StringSlots& s) { run.Collect(s); },
        [&] {
            Cpp_TransferToR(main.get(), &dialog.dialog(), sets.get(), &info, 0);
            Cpp_GetRCodeAndReplaceOptions(main.get(), &dialog.dialog(), sets.get(), 0);
            Cpp_WriteDataSetToFile(main.get(), &dialog.dialog(), &sets.DataSet(1), 1, -1, 0, file, info.listSeparator,
                                   -1, -1);
        });
    for (BSTR s : {info.decimalSymbol, info.listSeparator, file}) SysFreeString(s);
    kovr::TransferToR(main, dialog, sets, ";", 0);
    const std::string written = kovtest::ReadBytes(folder / "datastore/big.csv");
    const bool complete = written.rfind("x;t\n0;", 0) == 0 && written.size() > 100000 * 200 &&
                          written.find("12499.875;" + std::string(196, 'a') + "999\n") != std::string::npos;
    if (!complete) std::fprintf(stderr, "the transfer with memory back wrote %zu bytes\n", written.size());
    return complete;
}

// A template of 20,000 controls read under the same limits.
bool TemplateUnderLimits(const kovtest::TempFolder& folder) {
    std::string checkBoxes;
    for (int k = 0; k < 20000; ++k) {
        checkBoxes += "<CheckBox name=\"c" + std::to_string(k) + "\" text=\"Check box " + std::to_string(k) + "\"/>";
    }
    const std::string path =
        folder.Write("big.xml", "<RFunction function=\"f\"><Tab text=\"P\">" + checkBoxes + "</Tab></RFunction>");
    kovr::Translations translations;
    kovr::LoadedTemplate loaded = kovr::LoadTemplate(path, translations);
    kovr::HostMain& main = *loaded.main;
    kovr::HostDialog& dialog = *loaded.dialog;
    ST_aiRSize sizes{};
    ST_AirControlInfoSize controlSizes{};
    ST_ErrorInfo error{};
    UnderLimits(
        [&](kovr::StringSlots& s) {
            main.CollectStrings(s);
            dialog.CollectStrings(s);
            for (BSTR* field : {&error.title, &error.message, &error.module, &error.text1, &error.text2}) s.Field(field);
        },
        [&] {
            for (const auto& field : kovr::kDialogVectors) kovr::VectorOf(dialog.dialog(), field).count = 0;
            for (const auto& field : kovr::kControlVectors) kovr::VectorOf(dialog.controls(), field).count = 0;
            Cpp_GetMethodDescriptionSize(main.get(), &sizes, &controlSizes, translations.data(), &error);
            Cpp_GetMethodDescription(main.get(), &dialog.dialog(), &dialog.controls(), translations.data(), &error);
        });
    for (BSTR s : {error.title, error.message, error.module, error.text1, error.text2}) SysFreeString(s);
    loaded = kovr::LoadTemplate(path, translations);
    const bool complete = loaded.ok() && loaded.dialog->ControlCount() == 20000 &&
                          kovr::TextAt(loaded.dialog->controls().ctlName, 20000) == "c19999";
    if (!complete) std::fprintf(stderr, "the template with memory back: %s\n", loaded.errorText.c_str());
    return complete;
}

TEST(MemoryExhaustion, ExportsReturnWhenMemoryRunsOut) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "address space reserved by ASan";
#endif
    if (RUNNING_ON_VALGRIND) GTEST_SKIP() << "address space managed by valgrind";
    kovtest::TempFolder folder;
    EXPECT_EQ(reliability::RunInChild([&] { return TransferUnderLimits(folder); }), ChildResult::kPassed);
    EXPECT_EQ(reliability::RunInChild([&] { return TemplateUnderLimits(folder); }), ChildResult::kPassed);
}

}  // namespace
