#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"

namespace tamberlin::test {

// One run of tamberlin-cli: its exit code and what it printed.
struct CliRun {
  int code;
  std::string out;
  std::string err;
};

inline CliRun cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = runCli(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace tamberlin::test
