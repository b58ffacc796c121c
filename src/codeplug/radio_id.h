#pragma once

#include <cstdint>
#include <optional>
#include <span>

// DMR radio IDs: 0 to 16777215.
namespace tamberlin {

inline constexpr uint32_t kMaxRadioId = 16777215;

// Contacts keep the ID in 3 bytes.
uint32_t readRadioId3(std::span<const uint8_t> bytes);
void writeRadioId3(std::span<uint8_t> bytes, uint32_t id);

// The radio's own IDs take 4 bytes; a value with bit 7 of its top byte set, or
// above the largest ID, is not an ID and shows as an empty field.
std::optional<uint32_t> readRadioId4(std::span<const uint8_t> bytes);
// Clamps the entered value to 0..16777215.
void writeRadioId4(std::span<uint8_t> bytes, long long enteredValue);

}  // namespace tamberlin
