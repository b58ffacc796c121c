#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "codeplug/list_engine.h"
#include "codeplug/member_list.h"

namespace tamberlin {

class c_codeplug;

inline constexpr int kGroupListCapacity = 250;
inline constexpr int kGroupListMembers = 32;

// An RX group list: all zero (no members), then the trimmed name.
void initGroupListRecord(std::span<uint8_t> record, std::u16string_view name);

// Member entry k (0-based) of a 96-byte group list record: a contact number, 0 empty.
uint16_t groupListMember(std::span<const uint8_t> record, int k);
void setGroupListMember(std::span<uint8_t> record, int k, uint16_t contact);

// The group lists of a slot for the list engine, with the fix-up of the
// channels' RX group list numbers.
ListSection groupListSection(const c_codeplug& slot);

// Writes the blank group list with a name at a 0-based index; ignored outside
// the section or without a codeplug.
void initialiseGroupList(c_codeplug& slot, int index, std::u16string_view name);

// The contacts of group list `index` as the member editor sees them; the
// candidates are the used group-call contacts.
std::unique_ptr<MemberList> groupListMembers(c_codeplug& slot, int index);
const MemberListTexts& groupMemberTexts();

}  // namespace tamberlin
