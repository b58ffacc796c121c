#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "codeplug/settings_fields.h"

namespace tamberlin {

class c_codeplug;

// The radio-wide settings of one slot, reached by file offset. Over a slot
// without a codeplug nothing is shown and nothing is written.
class SlotSettings {
 public:
  explicit SlotSettings(c_codeplug* slot) : slot_(slot) {}

  bool active() const;
  int modelCode() const;

  bool switchIsOn(const SwitchSetting& setting) const;
  std::optional<size_t> shownChoice(const ChoiceSetting& setting) const;

 protected:
  // The whole codeplug buffer; empty while inactive.
  std::span<uint8_t> buffer() const;
  c_codeplug& slot() const { return *slot_; }

 private:
  c_codeplug* slot_;
};

}  // namespace tamberlin
