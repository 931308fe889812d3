// A test body run in a child process: under a small address-space limit, or
// without the privileges of root, which permission bits do not bind.
#ifndef KOV_TESTS_RELIABILITY_CHILD_PROCESS_H
#define KOV_TESTS_RELIABILITY_CHILD_PROCESS_H

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace reliability {

enum class ChildResult { kPassed, kFailed, kCrashed, kCannotDropPrivileges };

// Runs body (which returns whether its checks held and prints what failed)
// in a child process; with unprivileged, a child of root first becomes the
// user "nobody".
inline ChildResult RunInChild(const std::function<bool()>& body, bool unprivileged) {
    constexpr int kCannotDrop = 77;
    constexpr uid_t kNobody = 65534;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(kCannotDrop);
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
    if (WEXITSTATUS(status) == kCannotDrop) return ChildResult::kCannotDropPrivileges;
    return WEXITSTATUS(status) == 0 ? ChildResult::kPassed : ChildResult::kFailed;
}

}  // namespace reliability

#endif
