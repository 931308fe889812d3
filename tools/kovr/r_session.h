// Running R as the add-in does after a transfer: finding Rscript, preparing
// the package folder that the generated scripts load their packages from, and
// running a script with its output kept in a file.
#ifndef KOVR_R_SESSION_H
#define KOVR_R_SESSION_H

#include <string>
#include <vector>

namespace kovr {

// The Rscript program: $KOVR_RSCRIPT when set, otherwise Rscript on the PATH;
// "" when there is none.
std::string FindRscript();

struct ProcessResult {
    bool started = false;
    int exitStatus = -1;  // -1 when the process ended on a signal
};

struct Process {
    int pid = -1;  // -1 when it could not be started
};

// Starts argv (argv[0] a path) in folder dir with its standard output and
// error written to outputFile; WaitProcess waits for its end.
Process StartProcess(const std::vector<std::string>& argv, const std::string& dir, const std::string& outputFile);
ProcessResult WaitProcess(const Process& process);

// StartProcess and WaitProcess in one.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& dir, const std::string& outputFile);

// Links each of packages from R's installed library into packageFolder (made
// when missing), so that the scripts' library(..., lib.loc=packageFolder)
// calls find them. Returns the packages R does not have; error is set when R
// could not be asked.
std::vector<std::string> LinkPackages(const std::string& rscript, const std::vector<std::string>& packages,
                                      const std::string& packageFolder, std::string& error);

// The last lines of a text file (all of it when shorter).
std::string FileTail(const std::string& path, int lines);

// R's error lines in the output of a script that failed: from the first
// line that starts with "Error" on (at most 12 lines), else its last lines.
std::string RErrorLines(const std::string& outputFile);

// Makes the R processes started from now on run in a UTF-8 locale, so that
// the UTF-8 files the library writes read as written: the environment's
// locale when it is a UTF-8 one, otherwise C.UTF-8.
void UseUtf8LocaleForR();

}  // namespace kovr

#endif
