#include "editors/contacts/database_panel_model.h"

namespace tamberlin {

std::string databaseCellText(const DatabaseEntryView& record, DatabaseColumn column) {
  switch (column) {
    case DatabaseColumn::DmrId: return std::to_string(record.radioId());
    case DatabaseColumn::Callsign: return std::string(record.callSign());
    case DatabaseColumn::Name: return std::string(record.name());
    case DatabaseColumn::City: return std::string(record.city());
    case DatabaseColumn::State: return std::string(record.state());
    case DatabaseColumn::Country: return std::string(record.country());
  }
  return {};
}

DatabasePanelState databasePanelState(const DatabasePanelInput& input) {
  DatabasePanelState state;
  // While a parse replaces the lists on a worker, nothing may read or change them.
  if (input.busy) return state;
  const bool selected = input.selectedRows > 0;
  state.addToContacts = input.hasCodeplug && input.freeContacts > 0 && selected;
  state.deleteButton = selected && input.source == DatabaseSource::Database;
  state.deleteItem = selected;
  state.unselectAllItem = selected;
  state.clearItem = input.shownListSize > 0;
  state.import = true;
  state.browse = true;
  return state;
}

}  // namespace tamberlin
