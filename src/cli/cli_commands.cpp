#include "cli/cli_commands.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "cli/codeplug_info.h"
#include "cli/database_commands.h"
#include "cli/stream_prompt.h"
#include "codeplug/ccommon.h"

namespace tamberlin {

namespace {

constexpr int kSlot = 0;

const char* const kUsage =
    "usage: tamberlin-cli info [--json] FILE\n"
    "       tamberlin-cli new MODEL OUT    (MODEL: MD380 MD390 UV380 UV390 MD9600 MD2017 DM-1701)\n"
    "       tamberlin-cli normalize IN OUT\n";

void printUsage(std::ostream& stream) { stream << kUsage << kDatabaseUsage; }

std::vector<uint8_t> readWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Loads as the program's Open does, with its messages on stderr.
bool loadInto(CCommon& common, const std::string& path, std::ostream& err) {
  StreamPrompt prompt(err);
  const int result = common.load(kSlot, path, true, prompt);
  if (result == -2) err << "No such file: " << path << "\n";
  return result == 0;
}

int saveSlot(CCommon& common, const std::string& path, std::ostream& err) {
  const int written = common.save(kSlot, path);
  if (written < 0) {
    err << "Could not write to the code plug file\n" << path << "\n";
    return 1;
  }
  return 0;
}

int infoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool json = false;
  std::string path;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--json") {
      json = true;
    } else if (path.empty()) {
      path = args[i];
    } else {
      err << kUsage;
      return 2;
    }
  }
  if (path.empty()) {
    err << kUsage;
    return 2;
  }
  CCommon common;
  if (!loadInto(common, path, err)) return 1;
  const CodeplugInfo info = describeSlot(common, kSlot, readWholeFile(path));
  out << (json ? infoJson(info) : infoText(info));
  return 0;
}

int newCommand(const std::vector<std::string>& args, std::ostream& err) {
  if (args.size() != 3) {
    err << kUsage;
    return 2;
  }
  const auto model = modelCodeForMenuItem(args[1]);
  if (!model) {
    err << "Unknown radio type.\n" << kUsage;
    return 2;
  }
  CCommon common;
  StreamPrompt prompt(err);
  if (common.newCodeplug(kSlot, *model, prompt) != 0) return 1;
  return saveSlot(common, args[2], err);
}

int normalizeCommand(const std::vector<std::string>& args, std::ostream& err) {
  if (args.size() != 3) {
    err << kUsage;
    return 2;
  }
  CCommon common;
  if (!loadInto(common, args[1], err)) return 1;
  return saveSlot(common, args[2], err);
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    printUsage(err);
    return 2;
  }
  if (args[0] == "info") return infoCommand(args, out, err);
  if (args[0] == "new") return newCommand(args, err);
  if (args[0] == "normalize") return normalizeCommand(args, err);
  if (args[0] == "db-import") return databaseImportCommand(args, out, err);
  if (args[0] == "db-info") return databaseInfoCommand(args, out, err);
  if (args[0] == "db-search") return databaseSearchCommand(args, out, err);
  if (args[0] == "db-download") return databaseDownloadCommand(args, out, err);
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    printUsage(out);
    return 0;
  }
  printUsage(err);
  return 2;
}

}  // namespace tamberlin
