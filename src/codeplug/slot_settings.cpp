#include "codeplug/slot_settings.h"

#include "codeplug/c_codeplug.h"
#include "codeplug/radio_models.h"

namespace tamberlin {

bool SlotSettings::active() const {
  return slot_ != nullptr && slot_->holdsCodeplug() && slot_->modelCode != kModelNone;
}

int SlotSettings::modelCode() const { return active() ? slot_->modelCode : kModelNone; }

std::span<uint8_t> SlotSettings::buffer() const {
  if (!active()) return {};
  return slot_->buffer;
}

bool SlotSettings::switchIsOn(const SwitchSetting& setting) const {
  return tamberlin::switchIsOn(buffer(), setting.field);
}

std::optional<size_t> SlotSettings::shownChoice(const ChoiceSetting& setting) const {
  return tamberlin::shownChoice(buffer(), setting.field);
}

}  // namespace tamberlin
