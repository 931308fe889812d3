#include "r_session.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kovr {

namespace fs = std::filesystem;

namespace {

bool IsExecutable(const std::string& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string FindRscript() {
    if (const char* configured = std::getenv("KOVR_RSCRIPT")) {
        return IsExecutable(configured) ? std::string(configured) : std::string();
    }
    const char* path = std::getenv("PATH");
    std::stringstream folders(path == nullptr ? "" : path);
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/Rscript";
        if (IsExecutable(candidate)) return candidate;
    }
    return std::string();
}

Process StartProcess(const std::vector<std::string>& argv, const std::string& dir, const std::string& outputFile) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) return Process{};
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(dir.c_str()) != 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(out, STDERR_FILENO) < 0) _exit(127);
        const int in = open("/dev/null", O_RDONLY);
        if (in >= 0) dup2(in, STDIN_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out);
    return Process{child > 0 ? child : -1};
}

ProcessResult WaitProcess(const Process& process) {
    ProcessResult result;
    if (process.pid < 0) return result;
    int status = 0;
    while (waitpid(process.pid, &status, 0) < 0) {
        if (errno != EINTR) return result;
    }
    result.started = true;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& dir, const std::string& outputFile) {
    return WaitProcess(StartProcess(argv, dir, outputFile));
}

std::vector<std::string> LinkPackages(const std::string& rscript, const std::vector<std::string>& packages,
                                      const std::string& packageFolder, std::string& error) {
    std::vector<std::string> missing;
    std::error_code failed;
    fs::create_directories(packageFolder, failed);
    if (failed) {
        error = "cannot create the package folder " + packageFolder + ": " + failed.message();
        return missing;
    }
    if (packages.empty()) return missing;
    // R tells where each package is installed (an empty path when it is not).
    std::vector<std::string> argv = {rscript, "--vanilla", "-e",
                                     "for (p in commandArgs(TRUE)) cat(p, '\\t', system.file(package=p), '\\n', sep='')"};
    argv.insert(argv.end(), packages.begin(), packages.end());
    const std::string answer = (fs::path(packageFolder) / ".kovr-packages.txt").string();
    const ProcessResult asked = RunProcess(argv, packageFolder, answer);
    if (!asked.started || asked.exitStatus != 0) {
        error = "R could not list its installed packages:\n" + FileTail(answer, 10);
        return missing;
    }
    std::ifstream in(answer);
    for (std::string line; std::getline(in, line);) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const std::string name = line.substr(0, tab);
        const std::string installed = line.substr(tab + 1);
        const fs::path link = fs::path(packageFolder) / name;
        if (installed.empty()) {
            missing.push_back(name);
            continue;
        }
        // A package that the analysis script installed into the folder stays.
        if (fs::exists(fs::symlink_status(link)) && !fs::is_symlink(link)) continue;
        fs::remove(link, failed);
        fs::create_directory_symlink(installed, link, failed);
        if (failed) {
            error = "cannot link " + installed + " into " + packageFolder + ": " + failed.message();
            return missing;
        }
    }
    fs::remove(answer, failed);
    return missing;
}

std::string FileTail(const std::string& path, int lines) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) all.push_back(line);
    std::string tail;
    const size_t first = all.size() > static_cast<size_t>(lines) ? all.size() - lines : 0;
    for (size_t k = first; k < all.size(); ++k) tail += all[k] + "\n";
    return tail;
}

std::string RErrorLines(const std::string& outputFile) {
    std::ifstream in(outputFile, std::ios::binary);
    std::string lines;
    int kept = 0;
    for (std::string line; std::getline(in, line) && kept < 12;) {
        if (kept == 0 && line.rfind("Error", 0) != 0) continue;
        lines += line + "\n";
        ++kept;
    }
    return kept > 0 ? lines : FileTail(outputFile, 5);
}

void UseUtf8LocaleForR() {
    // The locale that decides the character set: LC_ALL, else LC_CTYPE, else LANG.
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    for (char& c : locale) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (locale.find("utf-8") != std::string::npos || locale.find("utf8") != std::string::npos) return;
    setenv("LC_ALL", "C.UTF-8", 1);
}

}  // namespace kovr
