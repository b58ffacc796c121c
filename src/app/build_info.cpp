#include "app/build_info.h"

namespace tamberlin {

BuildInfo buildInfo() {
  return {TAMBERLIN_VERSION_MAJOR, TAMBERLIN_VERSION_MINOR, TAMBERLIN_VERSION_PATCH, __DATE__, __TIME__};
}

}  // namespace tamberlin
