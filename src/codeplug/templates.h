#pragma once

#include <cstdint>
#include <vector>

#include "codeplug/radio_models.h"

namespace tamberlin {

// Builds one of the blank templates: a complete codeplug file (DfuSe header,
// radio info block, memory image with factory-style defaults and empty lists,
// trailer). New copies these bytes; their sizes are the accepted file sizes.
std::vector<uint8_t> buildBlankTemplate(TemplateId id);

}  // namespace tamberlin
