#include "databases/csv_fields.h"

namespace tamberlin {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool endsField(char c) { return c == ',' || c == ';' || c == '|'; }

}  // namespace

std::string_view trimmedField(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

void splitCsvFields(std::string_view line, std::vector<std::string>& fields) {
  fields.clear();
  std::string current;
  bool quoted = false;
  for (const char c : trimmedField(line)) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && endsField(c)) {
      fields.emplace_back(trimmedField(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (quoted) fields.clear();
  const std::string_view last = trimmedField(current);
  if (!last.empty()) fields.emplace_back(last);
}

}  // namespace tamberlin
