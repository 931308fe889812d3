// The subcommands of kovr. Each takes the arguments that follow its name and
// returns the exit status of the process.
#ifndef KOVR_COMMANDS_H
#define KOVR_COMMANDS_H

#include <string>
#include <vector>

namespace kovr {

using Args = std::vector<std::string>;

// Exit statuses shared by the subcommands.
enum Exit {
    kExitOk = 0,
    kExitTemplate = 1,        // a template does not parse (or cannot be found)
    kExitUsage = 2,           // bad arguments, unknown option, bad CSV file
    kExitNoR = 3,             // Rscript cannot be found
    kExitMissingPackage = 4,  // a package the template needs is not installed
    kExitRFailed = 5,         // an R script failed
};

int ListCommand(const Args& args);
int CheckCommand(const Args& args);
int DescribeCommand(const Args& args);
int RunCommand(const Args& args);
int StatsCommand(const Args& args);
int PreviewCommand(const Args& args);

// Prints "kovr <command>: message" on the error stream and returns status.
int Fail(const std::string& command, const std::string& message, int status);

}  // namespace kovr

#endif
