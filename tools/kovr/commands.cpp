#include "commands.h"

#include <iostream>

namespace kovr {

int Fail(const std::string& command, const std::string& message, int status) {
    std::cerr << "kovr " << command << ": " << message << "\n";
    return status;
}

}  // namespace kovr
