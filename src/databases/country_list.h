#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "databases/database_progress.h"
#include "databases/record_set.h"

namespace tamberlin {

// The distinct non-empty countries of the records, ascending by character code.
std::vector<std::string> buildCountryList(const DatabaseRecordSet& records, DatabaseProgress& progress);

// The country filter's choices: "All " and then each country with a blank.
std::vector<std::string> countryFilterChoices(const std::vector<std::string>& countries);

// Which choice to select after a refill: the remembered text when it is among
// the choices past "All ", else 0. A blank remembered text counts as "All ".
size_t countryFilterSelection(const std::vector<std::string>& choices, std::string_view remembered);

}  // namespace tamberlin
