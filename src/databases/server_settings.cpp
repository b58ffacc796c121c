#include "databases/server_settings.h"

#include "support/ascii_text.h"

namespace tamberlin {

namespace {

void readInto(const IniDocument& document, const char* key, std::string& value) {
  if (const auto text = document.value(kServersSection, key)) {
    std::string trimmed = trimmedBlanks(*text);
    if (!trimmed.empty()) value = std::move(trimmed);
  }
}

}  // namespace

ServerSettings readServerSettings(const IniDocument& document) {
  ServerSettings settings;
  readInto(document, "UserDatabaseServer", settings.userDatabaseServer);
  readInto(document, "ListServer", settings.listServer);
  readInto(document, "RepeaterListServer", settings.repeaterListServer);
  readInto(document, "DatabaseWebSite", settings.databaseWebSite);
  return settings;
}

}  // namespace tamberlin
