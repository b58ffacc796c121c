#pragma once

namespace tamberlin {

// The program's version and when this build was made, as the caption shows them.
struct BuildInfo {
  int major;
  int minor;
  int release;
  const char* date;  // "Dec  8 2018"
  const char* time;  // "10:38:32"
};

BuildInfo buildInfo();

}  // namespace tamberlin
