#include "editors/groups/groups_model.h"

#include <algorithm>
#include <string>

#include "codeplug/c_codeplug.h"
#include "codeplug/list_section.h"
#include "codeplug/radio_id.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "editors/groups/group_list_references.h"
#include "support/endian.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {

constexpr size_t kMembers = 32;
constexpr size_t kContactFlags = 3;
constexpr size_t kContactName = 4;
constexpr int kGroupCall = 1;

class GroupListMembers final : public MemberList {
 public:
  GroupListMembers(c_codeplug& slot, int index) : slot_(slot), index_(index) {}

  int capacity() const override { return record().empty() ? 0 : kGroupListMembers; }
  uint16_t entry(int k) const override { return groupListMember(record(), k); }
  void setEntry(int k, uint16_t number) override { setGroupListMember(record(), k, number); }
  int numberLimit() const override { return slot_.sections.contactCount; }

  std::vector<int> eligible() const override {
    std::vector<int> numbers;
    const int used = usedCount(slot_, listSectionLayout(slot_.sections, ListSectionId::Contacts));
    for (int i = 0; i < used; ++i) {
      const std::span<uint8_t> contact = slot_.contact(i);
      if ((contact[kContactFlags] & 0x07) == kGroupCall) numbers.push_back(i + 1);
    }
    return numbers;
  }

  std::vector<std::u16string> cells(int number) const override {
    const std::span<uint8_t> contact = slot_.contact(number - 1);
    if (contact.empty()) return {};
    return {utf8ToUtf16(std::to_string(number)),
            decodeTextField(contact.subspan(kContactName), kNameUnits, number),
            utf8ToUtf16(std::to_string(readRadioId3(contact)))};
  }

 private:
  std::span<uint8_t> record() const { return slot_.groupList(index_); }

  c_codeplug& slot_;
  int index_;
};

}  // namespace

void initGroupListRecord(std::span<uint8_t> record, std::u16string_view name) {
  std::fill(record.begin(), record.end(), uint8_t{0});
  encodeTextField(record, kNameUnits, trimmed(name));
}

uint16_t groupListMember(std::span<const uint8_t> record, int k) {
  if (k < 0 || k >= kGroupListMembers || record.size() < kGroupListRecordSize) return 0;
  return readLe16(record, kMembers + 2 * static_cast<size_t>(k));
}

void setGroupListMember(std::span<uint8_t> record, int k, uint16_t contact) {
  if (k < 0 || k >= kGroupListMembers || record.size() < kGroupListRecordSize) return;
  writeLe16(record, kMembers + 2 * static_cast<size_t>(k), contact);
}

ListSection groupListSection(const c_codeplug& slot) {
  ListSection section;
  section.layout = listSectionLayout(slot.sections, ListSectionId::GroupLists);
  // The same for every model, so also what the title shows without a codeplug.
  if (section.layout.offset == 0) section.layout.capacity = kGroupListCapacity;
  section.counterText = "Groups  used ";
  section.upToText = "Groups .. up to ";
  section.newName = u"New group";
  section.lastName = u"Group 1";
  section.singular = "group";
  section.formatName = "tyt_code_plug_group_entry";
  section.initialise = [](c_codeplug& s, int index, std::u16string_view name) {
    initialiseGroupList(s, index, name);
  };
  section.references = &groupListReferences();
  return section;
}

void initialiseGroupList(c_codeplug& slot, int index, std::u16string_view name) {
  if (!slot.holdsCodeplug()) return;
  const std::span<uint8_t> record = slot.groupList(index);
  if (!record.empty()) initGroupListRecord(record, name);
}

std::unique_ptr<MemberList> groupListMembers(c_codeplug& slot, int index) {
  if (slot.groupList(index).empty()) return nullptr;
  return std::make_unique<GroupListMembers>(slot, index);
}

const MemberListTexts& groupMemberTexts() {
  static const MemberListTexts texts{"Available Contacts ",
                                     "Contact Members  used ",
                                     "Contact Members .. up to ",
                                     {"", "No.", "Name", "ID"}};
  return texts;
}

}  // namespace tamberlin
