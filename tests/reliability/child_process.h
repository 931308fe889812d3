// A test body run in a child process, for example under a small address-space
// limit.
#ifndef KOV_TESTS_RELIABILITY_CHILD_PROCESS_H
#define KOV_TESTS_RELIABILITY_CHILD_PROCESS_H

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace reliability {

enum class ChildResult { kPassed, kFailed, kCrashed };

// Runs body (which returns whether its checks held and prints what failed)
// in a child process.
inline ChildResult RunInChild(const std::function<bool()>& body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        bool passed = false;
        try {
            passed = body();
        } catch (...) {
            std::fputs("the child's checks ended in an exception\n", stderr);
        }
        std::fflush(nullptr);
        _exit(passed ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return ChildResult::kCrashed;
    return WEXITSTATUS(status) == 0 ? ChildResult::kPassed : ChildResult::kFailed;
}

}  // namespace reliability

#endif
