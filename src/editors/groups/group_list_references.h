#pragma once

#include "codeplug/list_engine.h"

namespace tamberlin {

// The channels' RX group list numbers (channel byte 12), kept pointing at the
// same lists when lists are inserted, moved or deleted.
ListReferences& groupListReferences();

}  // namespace tamberlin
