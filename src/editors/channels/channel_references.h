#pragma once

#include "codeplug/list_engine.h"

namespace tamberlin {

// The places that hold channel numbers: zone members (both banks), scan list
// members, emergency systems' revert channels, DTMF decode entries' revert
// channels and GPS systems' revert channels.
ListReferences& channelReferences();

}  // namespace tamberlin
