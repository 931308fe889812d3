// What a host sees of libkovrbridge.so: its entry points and nothing else,
// and a run path through which it finds the sibling libraries next to it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

const std::string kLibFolder = std::string(KOV_BINARY_DIR) + "/lib/";

std::string Output(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char chunk[4096];
    for (size_t n; pipe != nullptr && (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;) output.append(chunk, n);
    if (pipe != nullptr) pclose(pipe);
    return output;
}

TEST(BridgeLibrary, ExportsItsEntryPointsOnlyAndFindsItsSiblings) {
    std::istringstream exported(Output("nm -D --defined-only --format=just-symbols " + kLibFolder + "libkovrbridge.so"));
    int entryPoints = 0;
    for (std::string name; exported >> name; ++entryPoints) EXPECT_EQ(name.rfind("Cpp_", 0), 0u) << name;
    EXPECT_EQ(entryPoints, 38);

    const std::string dynamic = Output("readelf -d " + kLibFolder + "libkovrbridge.so");
    EXPECT_NE(dynamic.find("runpath: [$ORIGIN"), std::string::npos) << dynamic;
    std::istringstream lines(dynamic);
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find("Shared library: [lib");
        const std::string name = at == std::string::npos ? "" : line.substr(at + 17, line.find(']') - at - 17);
        if (name.rfind("libkov", 0) == 0 || name.rfind("liboleauto", 0) == 0) {
            EXPECT_TRUE(std::filesystem::exists(kLibFolder + name)) << name;
        }
    }
}

}  // namespace
