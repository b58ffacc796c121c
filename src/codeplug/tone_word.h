#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// CTCSS and DCS tones as 16-bit words: BCD digits, DCS marked by the top bits.
namespace tamberlin {

inline constexpr uint16_t kToneNone = 0xFFFF;

// Decimal to BCD: top nibble v / 1000 (may exceed 9), then hundreds, tens, units.
uint16_t bcdToneWord(int value);

uint16_t ctcssToneWord(float hz);
// `code` is the three octal digits read as a decimal number (D023 -> 23).
uint16_t dcsToneWord(int code, bool inverted);

// A stored 0x0000 means no tone as well; no tone is always written as 0xFFFF.
inline uint16_t normalisedToneWord(uint16_t stored) {
  return stored == 0 ? kToneNone : stored;
}

std::span<const float> ctcssTones();  // the 50 tones in the order offered
std::span<const int> dcsCodes();      // the 104 codes in the order offered

struct ToneChoice {
  std::string text;  // "None", "67.0 Hz", "D 23", "D 23 inv"
  uint16_t word;
};

// "None", the CTCSS tones, the DCS codes, then the DCS codes inverted.
const std::vector<ToneChoice>& toneChoices();

// Index into toneChoices() of the entry with exactly this word (0x0000 counts
// as "None"); -1 when no entry has it.
int toneChoiceIndex(uint16_t storedWord);

}  // namespace tamberlin
