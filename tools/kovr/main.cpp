// kovr: a command-line host for the R bridge. It drives the library through
// its exported entry points the way the spreadsheet add-in does: it lists a
// template catalogue, reads and checks templates, and runs an analysis on a
// CSV file with R.
#include <iostream>
#include <string>

#include "commands.h"

namespace {

const char kUsage[] =
    "usage: kovr COMMAND [ARGS]\n"
    "\n"
    "  list [CATALOGUE] [--json]      list the templates of a catalogue folder\n"
    "  check TEMPLATE...              parse templates and report what an author should fix\n"
    "  describe TEMPLATE [--json]     show the dialog a template describes\n"
    "  run TEMPLATE --data FILE.csv [--y COLS] [--x COLS] [--q COLS] [--labels COL]\n"
    "      [--set NAME=VALUE ...] [--work DIR]\n"
    "                                 run the template's analysis on a CSV file with R\n"
    "  stats FILE.csv                 descriptive statistics of the columns of a CSV file\n"
    "  preview TEMPLATE [-o FILE.html]\n"
    "                                 write the template's dialog as a web page\n"
    "\n"
    "TEMPLATE is a file, or a path inside the catalogue ($KOVR_CATALOGUE, else examples/catalogue).\n"
    "Exit status: 0 ok, 1 template error, 2 usage or data error, 3 no R, 4 missing R package,\n"
    "5 R failed.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << kUsage;
        return kovr::kExitUsage;
    }
    const std::string command = argv[1];
    const kovr::Args args(argv + 2, argv + argc);
    if (command == "list") return kovr::ListCommand(args);
    if (command == "check") return kovr::CheckCommand(args);
    if (command == "describe") return kovr::DescribeCommand(args);
    if (command == "run") return kovr::RunCommand(args);
    if (command == "stats") return kovr::StatsCommand(args);
    if (command == "preview") return kovr::PreviewCommand(args);
    if (command == "help" || command == "--help" || command == "-h") {
        std::cout << kUsage;
        return kovr::kExitOk;
    }
    std::cerr << "kovr: unknown command '" << command << "'\n\n" << kUsage;
    return kovr::kExitUsage;
}
