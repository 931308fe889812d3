// Memory running out inside an export: a large transfer and a large template
// run in a child process under address-space limits from tight to roomy. At
// every limit the export returns to the host (no abort, no exception through
// the C boundary), and once memory is back the same records still give the
// full result. Skipped under AddressSanitizer and valgrind, which reserve
// address space of their own.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "arena_records.h"
#include "kovrbridge.h"
#include "sandbox.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KOV_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KOV_UNDER_ASAN 1
#endif
#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#define KOV_UNDER_VALGRIND() RUNNING_ON_VALGRIND
#else
#define KOV_UNDER_VALGRIND() 0
#endif

namespace {

using host::DataSetArrayBuilder;
using host::DataSetBuilder;
using reliability::ChildResult;
using reliability::Sandbox;

constexpr int16_t kTrue = -1;
constexpr size_t kRows = 100000;

// The address space the process uses now, in bytes.
size_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    return pages * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// Limits the address space to what is in use plus margin (no limit: 0).
void LimitAddressSpace(size_t margin) {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = margin == 0 ? limit.rlim_max : AddressSpaceInUse() + margin;
    setrlimit(RLIMIT_AS, &limit);
}

const size_t kMargins[] = {256u << 10, 1u << 20, 4u << 20, 16u << 20, 48u << 20, 96u << 20, 192u << 20, 384u << 20};

// AddressSanitizer reserves terabytes of address space, and valgrind manages
// the address space itself.
bool UnderToolsThatReserveAddressSpace() {
#if defined(KOV_UNDER_ASAN)
    return true;
#else
    return KOV_UNDER_VALGRIND() != 0;
#endif
}

// 100,000 rows of a number, a 200-character text and a label: about 50 MB
// of host strings, which the mirrors copy into wide strings of twice the size.
bool TransferUnderLimits(const Sandbox& sandbox) {
    host::Arena arena;
    host::MainFields fields;
    fields.workFolder = sandbox.work();
    fields.rFolder = sandbox.rFolder();
    auto main = host::Main(arena, fields);
    host::Dialog dialog(arena, 4);
    dialog.air->functionName = arena.Str("big");
    dialog.air->dataStructure = arena.Str("data");
    std::vector<double> numbers(kRows);
    std::vector<std::string> texts(kRows);
    std::vector<std::string> labels(kRows);
    for (size_t r = 0; r < kRows; ++r) {
        numbers[r] = static_cast<double>(r) / 8;
        texts[r] = std::string(196, 'a') + std::to_string(r % 1000);
        labels[r] = "o" + std::to_string(r);
    }
    auto sets = DataSetArrayBuilder()
                    .Add("big", DataSetBuilder().Quanti1({{"x", numbers}}).Quali1({{"t", texts}}).Labels(labels))
                    .Build(arena);
    // Under the limit only the library allocates: the host's records are
    // reached through plain pointers (the arena's handles keep books).
    ST_Main_aiR* mainRecord = main.get();
    ST_aiR* air = dialog.air.get();
    ST_DataSetArray* setsRecord = sets.get();
    ST_DataSet* first = &host::RecordAt<ST_DataSet>(sets->dataSets, 1);
    SystemInfo* system = arena.System(".", ";").get();
    BSTR fileName = arena.Str("single.csv");
    BSTR separator = arena.Str(",");
    for (size_t margin : kMargins) {
        LimitAddressSpace(margin);
        Cpp_TransferToR(mainRecord, air, setsRecord, system, 0);
        Cpp_GetRCodeAndReplaceOptions(mainRecord, air, setsRecord, 0);
        Cpp_WriteDataSetToFile(mainRecord, air, first, 1, kTrue, 0, fileName, separator, kTrue, kTrue);
        LimitAddressSpace(0);
        arena.Sweep();
    }
    auto info = arena.System(".", ";");
    Cpp_TransferToR(main, dialog.air, sets, info, 0);
    const std::string data = reliability::ReadFile(sandbox.work() + "datastore/big.csv");
    const bool complete = data.rfind("x;t\n0;", 0) == 0 && data.size() > kRows * 200 &&
                          data.find("12499.875;" + std::string(196, 'a') + "999\n") != std::string::npos;
    if (!complete) std::fprintf(stderr, "the transfer with memory back wrote %zu bytes\n", data.size());
    return complete;
}

// A template of 20,000 controls read under the same limits.
bool TemplateUnderLimits(const Sandbox& sandbox) {
    std::string checkBoxes;
    for (int k = 0; k < 20000; ++k) {
        checkBoxes += "<CheckBox name=\"c" + std::to_string(k) + "\" text=\"Check box " + std::to_string(k) + "\"/>";
    }
    reliability::WriteFile(sandbox / "big.xml",
                           "<RFunction function=\"f\"><Tab text=\"P\">" + checkBoxes + "</Tab></RFunction>");
    host::Arena arena;
    host::MainFields fields;
    fields.templateFolder = sandbox.root();
    fields.templateFile = "big.xml";
    auto main = host::Main(arena, fields);
    BSTR* messages = arena.Buffer({}, 6500).get();
    host::Dialog dialog(arena, 20000);
    ST_Main_aiR* mainRecord = main.get();
    ST_aiR* air = dialog.air.get();
    ST_AirControlInfo* controls = dialog.controls.get();
    for (size_t margin : kMargins) {
        ST_aiRSize* sizes = arena.New<ST_aiRSize>().get();
        ST_AirControlInfoSize* controlSizes = arena.New<ST_AirControlInfoSize>().get();
        ST_ErrorInfo* sizeError = arena.ErrorInfo().get();
        ST_ErrorInfo* fillError = arena.ErrorInfo().get();
        LimitAddressSpace(margin);
        Cpp_GetMethodDescriptionSize(mainRecord, sizes, controlSizes, messages, sizeError);
        Cpp_GetMethodDescription(mainRecord, air, controls, messages, fillError);
        LimitAddressSpace(0);
        arena.Sweep();
        for (int j = 0; j < host::kControlVectorCount; ++j) host::ControlVector(*controls, j).count = 0;
        for (int k = 0; k < host::kAirVectorCount; ++k) host::AirVector(*air, k).count = 0;
    }
    auto error = arena.ErrorInfo();
    Cpp_GetMethodDescription(main, dialog.air, dialog.controls, messages, error);
    const bool complete = dialog.controls->ctlName.count == 20000 &&
                          host::Entry<std::string>(dialog.controls->ctlName, 20000) == "c19999";
    if (!complete) {
        std::fprintf(stderr, "the template with memory back gave %d controls: %s\n", dialog.controls->ctlName.count,
                     host::Text(error->message).c_str());
    }
    return complete;
}

// A string export whose result needs more memory than there is.
bool StringsUnderLimits() {
    const std::u16string text(4 << 20, u'a');
    BSTR s = SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
    BSTR a = SysAllocString(u"a");
    BSTR many = SysAllocString(u"aaaaaaaa");
    for (size_t margin : kMargins) {
        LimitAddressSpace(margin);
        SysFreeString(Cpp_Replace(s, a, many, 1, 0));
        SysFreeString(Cpp_UCase(s));
        LimitAddressSpace(0);
    }
    BSTR result = Cpp_Replace(s, a, many, 1, 0);
    const bool complete = SysStringLen(result) == 8 * text.size();
    for (BSTR held : {s, a, many, result}) SysFreeString(held);
    return complete;
}

TEST(MemoryExhaustion, ExportsReturnWhenMemoryRunsOut) {
    if (UnderToolsThatReserveAddressSpace()) GTEST_SKIP() << "address space reserved by ASan or valgrind";
    Sandbox sandbox;
    EXPECT_EQ(reliability::RunInChild([&] { return TransferUnderLimits(sandbox); }, false), ChildResult::kPassed);
    EXPECT_EQ(reliability::RunInChild([&] { return TemplateUnderLimits(sandbox); }, false), ChildResult::kPassed);
    EXPECT_EQ(reliability::RunInChild([] { return StringsUnderLimits(); }, false), ChildResult::kPassed);
}

}  // namespace
