#include "databases/country_list.h"

#include <algorithm>
#include <unordered_set>

#include "databases/csv_fields.h"

namespace tamberlin {

std::vector<std::string> buildCountryList(const DatabaseRecordSet& records, DatabaseProgress& progress) {
  progress.status("Building the country list ");
  std::unordered_set<std::string_view> seen;
  std::vector<std::string> countries;
  for (size_t i = 0; i < records.size(); ++i) {
    const std::string_view country = records[i].country().substr(0, 63);
    if (!country.empty() && seen.insert(country).second) countries.emplace_back(country);
  }
  std::sort(countries.begin(), countries.end());
  progress.status("");
  return countries;
}

std::vector<std::string> countryFilterChoices(const std::vector<std::string>& countries) {
  std::vector<std::string> choices{"All "};
  choices.reserve(countries.size() + 1);
  for (const std::string& country : countries) choices.push_back(country + " ");
  return choices;
}

size_t countryFilterSelection(const std::vector<std::string>& choices, std::string_view remembered) {
  // The settings file does not keep the blank after a remembered country.
  const std::string_view wanted = trimmedField(remembered);
  if (wanted.empty()) return 0;
  const auto found = std::find_if(choices.begin(), choices.end(), [wanted](const std::string& choice) {
    return trimmedField(choice) == wanted;
  });
  return found != choices.end() ? static_cast<size_t>(found - choices.begin()) : 0;
}

}  // namespace tamberlin
