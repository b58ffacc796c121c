#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tamberlin {

// Runs one command line (without the program name); the exit code.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamberlin
