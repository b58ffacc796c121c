#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamberlin {

// The text of an INI file, kept in the order it was read or built: sections
// and keys are found without regard to case, as Windows does, so a settings
// file brought over from there reads the same. Values are taken as written
// (no escapes), with one pair of surrounding double quotes removed.
class IniDocument {
 public:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  static IniDocument parse(std::string_view text);
  std::string text() const;

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // Replaces the value in place, or appends the key to its section (the
  // section itself appended when new).
  void set(std::string_view section, std::string_view key, std::string_view value);
  bool remove(std::string_view section, std::string_view key);

  const std::vector<Section>& sections() const { return sections_; }

 private:
  Section* findSection(std::string_view name);
  const Section* findSection(std::string_view name) const;

  std::vector<Section> sections_;
};

// Section and key names compare without regard to ASCII case.
bool sameIniName(std::string_view a, std::string_view b);

// A whole decimal number with an optional sign, blanks around it allowed.
std::optional<int> parseIniInteger(std::string_view text);

}  // namespace tamberlin

#include <filesystem>

namespace tamberlin {

// An empty document when the file is missing or unreadable.
IniDocument readIniFile(const std::filesystem::path& path);
// Replaces the file as a whole (temporary file beside it, then renamed), so a
// failed write leaves the old settings intact.
bool writeIniFile(const std::filesystem::path& path, const IniDocument& document);

}  // namespace tamberlin
