#pragma once

#include "codeplug/list_engine.h"

namespace tamberlin {

// The places that hold contact numbers: the side buttons' one-touch entries,
// the key-pad quick contacts, RX group list members, the channels' contact and
// the GPS systems' destination.
ListReferences& contactReferences();

}  // namespace tamberlin
