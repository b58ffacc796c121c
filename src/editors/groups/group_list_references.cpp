#include "editors/groups/group_list_references.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_record.h"
#include "editors/groups/groups_model.h"

namespace tamberlin {

namespace {

// Calls `visit(number)` with every channel's group list number; a true answer
// writes the changed number back. `namedOnly` skips channels whose name starts
// with 0x0000.
template <typename Visit>
void forEachChannel(c_codeplug& slot, bool namedOnly, Visit visit) {
  for (int i = 0; i < slot.sections.channelCount; ++i) {
    ChannelRecord channel(slot.channel(i));
    if (!channel.valid()) continue;
    if (namedOnly && channel.name()[0] == 0 && channel.name()[1] == 0) continue;
    int number = channel.rxGroupList();
    if (visit(channel, number)) channel.setRxGroupList(static_cast<uint8_t>(number));
  }
}

// Only digital channels listen to a group list, so only they make the delete
// ask and lose the number.
bool refersTo(const ChannelRecord& channel, int number) {
  return channel.isDigital() && channel.rxGroupList() == number;
}

class GroupListReferences final : public ListReferences {
 public:
  std::vector<HolderCount> holders(c_codeplug& slot, int number) override {
    int count = 0;
    forEachChannel(slot, false, [&](const ChannelRecord& channel, int&) {
      if (refersTo(channel, number)) ++count;
      return false;
    });
    return {{" channels ", count}};
  }

  void clearHolders(c_codeplug& slot, int number) override {
    forEachChannel(slot, false, [&](const ChannelRecord& channel, int& n) {
      if (!refersTo(channel, number)) return false;
      n = 0;
      return true;
    });
  }

  void renumberAfterInsert(c_codeplug& slot, int position) override {
    forEachChannel(slot, false, [&](const ChannelRecord&, int& n) {
      if (n < position + 1 || n > kGroupListCapacity) return false;
      ++n;
      return true;
    });
  }

  void renumberAfterDelete(c_codeplug& slot, int number) override {
    forEachChannel(slot, false, [&](const ChannelRecord&, int& n) {
      if (n <= number || n > kGroupListCapacity) return false;
      --n;
      return true;
    });
  }

  void renumberAfterMove(c_codeplug& slot, int from, int to) override {
    const int low = std::min(from, to) + 1;
    const int high = std::max(from, to) + 1;
    forEachChannel(slot, true, [&](const ChannelRecord&, int& n) {
      if (n == from + 1) {
        n = to + 1;
      } else if (n >= low && n <= high) {
        n += from < to ? -1 : 1;
      } else {
        return false;
      }
      return true;
    });
  }
};

}  // namespace

ListReferences& groupListReferences() {
  static GroupListReferences references;
  return references;
}

}  // namespace tamberlin
