#pragma once

#include <string>
#include <vector>

#include "codeplug/ccommon.h"
#include "codeplug/radio_models.h"
#include "codeplug/text_field.h"
#include "support/prompt.h"
#include "support/unicode.h"

namespace tamberlin::test {

// The bytes a blank codeplug of the model gets from New.
inline std::vector<uint8_t> blankCodeplug(const CCommon& common, int modelCode) {
  return common.blankTemplate(radioModel(modelCode)->blankTemplate);
}

// Writes a name into a list record's name field.
inline void setName(std::span<uint8_t> nameField, const std::u16string& name) {
  encodeTextField(nameField, 16, name);
}

}  // namespace tamberlin::test
