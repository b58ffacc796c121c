#include "editors/text_messages/text_messages_model.h"

#include <algorithm>
#include <string>

#include "codeplug/c_codeplug.h"
#include "codeplug/list_section.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "editors/text_messages/one_touch_references.h"
#include "support/unicode.h"

namespace tamberlin {

void initTextMessageRecord(std::span<uint8_t> record, std::u16string_view text) {
  std::fill(record.begin(), record.end(), uint8_t{0});
  encodeTextField(record, kTextMessageUnits, trimmed(text));
}

ListSection textMessageSection(const c_codeplug& slot) {
  ListSection section;
  section.layout = listSectionLayout(slot.sections, ListSectionId::TextMessages);
  if (section.layout.offset == 0) section.layout.capacity = kTextMessageCount;
  section.counterText = "Text Messages   used ";
  section.upToText = "Text Messages .. up to ";
  section.newName = u"New text message";
  section.lastName = u"Hello";
  section.singular = "text message";
  section.initialise = [](c_codeplug& s, int index, std::u16string_view text) {
    initialiseTextMessage(s, index, text);
  };
  section.references = &textMessageReferences();
  return section;
}

void initialiseTextMessage(c_codeplug& slot, int index, std::u16string_view text) {
  if (!slot.holdsCodeplug()) return;
  const std::span<uint8_t> record = slot.textMessage(index);
  if (!record.empty()) initTextMessageRecord(record, text);
}

std::u16string textMessageText(const c_codeplug& slot, int index) {
  const auto record = listRecord(slot, listSectionLayout(slot.sections, ListSectionId::TextMessages), index);
  if (record.empty()) return {};
  return decodeTextField(record, kTextMessageUnits, -1);
}

bool commitTextMessage(c_codeplug& slot, int index, std::u16string_view text) {
  const ListSection section = textMessageSection(slot);
  ListEngine engine(slot, section);
  if (index < 0 || index >= engine.used()) return false;
  std::u16string stored = trimmed(text);
  if (stored.empty()) stored = utf8ToUtf16("Message " + std::to_string(index + 1));
  return engine.rename(index, stored);
}

}  // namespace tamberlin
