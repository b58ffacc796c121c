#include "support/ini_document.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tamberlin {

namespace {

std::string_view trimmedView(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

bool sameIniName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

IniDocument IniDocument::parse(std::string_view text) {
  IniDocument document;
  Section* current = nullptr;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trimmedView(text.substr(start, end - start));
    start = end + 1;

    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      if (close == std::string_view::npos) continue;
      const std::string_view name = trimmedView(line.substr(1, close - 1));
      current = document.findSection(name);
      if (current == nullptr) {
        document.sections_.push_back({std::string(name), {}});
        current = &document.sections_.back();
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    const std::string_view key = trimmedView(line.substr(0, equals));
    std::string_view value = trimmedView(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    if (key.empty()) continue;
    // The first of two equal keys is the one Windows reads.
    const auto& entries = current->entries;
    if (std::none_of(entries.begin(), entries.end(),
                     [&](const Entry& e) { return sameIniName(e.key, key); })) {
      current->entries.push_back({std::string(key), std::string(value)});
    }
  }
  return document;
}

std::string IniDocument::text() const {
  std::string out;
  for (const Section& section : sections_) {
    out += '[' + section.name + "]\n";
    for (const Entry& entry : section.entries) {
      // A value in quotes would lose them when read back, so it gets a second pair.
      const bool quoted = entry.value.size() >= 2 && entry.value.front() == '"' && entry.value.back() == '"';
      out += entry.key + '=' + (quoted ? '"' + entry.value + '"' : entry.value) + '\n';
    }
  }
  return out;
}

IniDocument::Section* IniDocument::findSection(std::string_view name) {
  for (Section& section : sections_) {
    if (sameIniName(section.name, name)) return &section;
  }
  return nullptr;
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
  return const_cast<IniDocument*>(this)->findSection(name);
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
  const Section* found = findSection(section);
  if (found == nullptr) return std::nullopt;
  for (const Entry& entry : found->entries) {
    if (sameIniName(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  // A line break in a value would start a new key when the file is read back.
  std::string clean(value);
  std::replace_if(
      clean.begin(), clean.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');

  Section* found = findSection(section);
  if (found == nullptr) {
    sections_.push_back({std::string(section), {}});
    found = &sections_.back();
  }
  for (Entry& entry : found->entries) {
    if (sameIniName(entry.key, key)) {
      entry.value = clean;
      return;
    }
  }
  found->entries.push_back({std::string(key), clean});
}

bool IniDocument::remove(std::string_view section, std::string_view key) {
  Section* found = findSection(section);
  if (found == nullptr) return false;
  auto& entries = found->entries;
  const auto it =
      std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return sameIniName(e.key, key); });
  if (it == entries.end()) return false;
  entries.erase(it);
  return true;
}

std::optional<int> parseIniInteger(std::string_view text) {
  text = trimmedView(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace tamberlin

#include <fstream>
#include <iterator>

#include "support/atomic_file.h"
#include "support/cp1252.h"
#include "support/unicode.h"

namespace tamberlin {

IniDocument readIniFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // A file the Windows program wrote holds its paths in the ANSI code page.
  const bool utf8 = utf16ToUtf8(utf8ToUtf16(text)) == text;
  return IniDocument::parse(utf8 ? text : cp1252ToUtf8(text));
}

bool writeIniFile(const std::filesystem::path& path, const IniDocument& document) {
  const std::string text = document.text();
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  return writeFileAtomically(path, std::span<const uint8_t>(bytes, text.size())) == WriteStatus::Ok;
}

}  // namespace tamberlin
