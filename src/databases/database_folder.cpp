#include "databases/database_folder.h"

namespace tamberlin {

void DatabaseFolder::load(DatabaseProgress& progress) {
  const std::filesystem::path path = database_.filePath();
  progress.status("Loading database " + path.string());
  database_.load(path);
  database_.rebuildCountryList(progress);
  progress.status("");
  lastHeard_.load(progress);
}

}  // namespace tamberlin
