// What a host sees of libkovrbridge.so: its entry points and nothing else,
// and a run path through which it finds the sibling libraries next to it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

namespace {

const std::string kBridge = std::string(KOV_BINARY_DIR) + "/lib/libkovrbridge.so";

std::string Output(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, n);
    pclose(pipe);
    return output;
}

TEST(BridgeLibrary, ExportsItsEntryPointsOnly) {
    std::set<std::string> exported;
    const std::string table = Output("nm -D --defined-only " + kBridge);
    for (size_t from = 0; from < table.size();) {
        const size_t end = table.find('\n', from);
        const std::string line = table.substr(from, end - from);
        exported.insert(line.substr(line.rfind(' ') + 1));
        from = end == std::string::npos ? table.size() : end + 1;
    }
    ASSERT_FALSE(exported.empty()) << "nm found no symbols in " << kBridge;
    for (const std::string& name : exported) EXPECT_EQ(name.rfind("Cpp_", 0), 0u) << name;
    for (const char* name : {"Cpp_Len", "Cpp_Asc", "Cpp_InStr", "Cpp_Left", "Cpp_LCase", "Cpp_UCase", "Cpp_Mid",
                             "Cpp_Replace", "Cpp_Join", "Cpp_FindStrInVect", "Cpp_GetNextBeforeComma",
                             "Cpp_GetVectFromCommaList", "Cpp_GetVectFromCommaListDbl",
                             "Cpp_GetVectFromCommaListLng", "Cpp_ExtractFromList", "Cpp_GetUniqueID",
                             "Cpp_GetDataType", "Cpp_ReplaceSpecialSymbols"}) {
        EXPECT_EQ(exported.count(name), 1u) << name;
    }
}

TEST(BridgeLibrary, FindsItsSiblingsThroughItsRunPath) {
    const std::string dynamic = Output("readelf -d " + kBridge);
    EXPECT_NE(dynamic.find("runpath: [$ORIGIN"), std::string::npos) << dynamic;
    // Every sibling the bridge needs lies next to it.
    const std::string needed = "Shared library: [";
    int siblings = 0;
    for (size_t at = dynamic.find(needed); at != std::string::npos; at = dynamic.find(needed, at + 1)) {
        const size_t from = at + needed.size();
        const std::string name = dynamic.substr(from, dynamic.find(']', from) - from);
        if (name.rfind("libkov", 0) != 0 && name.rfind("liboleauto", 0) != 0) continue;
        ++siblings;
        EXPECT_TRUE(std::filesystem::exists(std::string(KOV_BINARY_DIR) + "/lib/" + name)) << name;
    }
    EXPECT_GT(siblings, 0);
}

}  // namespace
