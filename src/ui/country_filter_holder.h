#pragma once

#include <QString>

namespace tamberlin {

// The editor that owns the user database's country filter (the contacts
// editor) implements this, so the main window can keep the filter between runs.
class CountryFilterHolder {
 public:
  virtual ~CountryFilterHolder() = default;
  virtual QString countryFilter() const = 0;
  virtual void setCountryFilter(const QString& country) = 0;
};

}  // namespace tamberlin
