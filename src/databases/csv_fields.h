#pragma once

#include <string>
#include <string_view>
#include <vector>

// The field splitter shared by every CSV the program reads (user database,
// last heard, repeaters, contacts).
namespace tamberlin {

// Without leading and trailing characters of code 0x20 and below.
std::string_view trimmedField(std::string_view text);

// A double quote toggles quoting and is dropped; outside quotes ',' ';' and
// '|' end a field, which is kept trimmed even when empty. A quote still open at
// the end drops the fields gathered so far; the rest of the line, trimmed,
// becomes the last field unless it is empty. `fields` is reused between lines.
void splitCsvFields(std::string_view line, std::vector<std::string>& fields);

}  // namespace tamberlin
