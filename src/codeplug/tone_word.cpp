#include "codeplug/tone_word.h"

#include <array>
#include <cstdio>

namespace tamberlin {

namespace {

constexpr std::array<float, 50> kCtcssTones = {
    67.0f,  69.3f,  71.9f,  74.4f,  77.0f,  79.7f,  82.5f,  85.4f,  88.5f,  91.5f,
    94.8f,  97.4f,  100.0f, 103.5f, 107.2f, 110.9f, 114.8f, 118.8f, 123.0f, 127.3f,
    131.8f, 136.5f, 141.3f, 146.2f, 151.4f, 156.7f, 159.8f, 162.2f, 165.5f, 167.9f,
    171.3f, 173.8f, 177.3f, 179.9f, 183.5f, 186.2f, 189.9f, 192.8f, 196.6f, 199.5f,
    203.5f, 206.5f, 210.7f, 218.1f, 225.7f, 229.1f, 233.6f, 241.8f, 250.3f, 254.1f};

// The octal codes written as decimal numbers: D023 is 23.
constexpr std::array<int, 104> kDcsCodes = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

std::string formatted(const char* format, auto value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::vector<ToneChoice> buildChoices() {
  std::vector<ToneChoice> choices;
  choices.reserve(1 + kCtcssTones.size() + 2 * kDcsCodes.size());
  choices.push_back({"None", kToneNone});
  for (float hz : kCtcssTones) {
    choices.push_back({formatted("%0.1f Hz", static_cast<double>(hz)), ctcssToneWord(hz)});
  }
  for (int code : kDcsCodes) choices.push_back({formatted("D %d", code), dcsToneWord(code, false)});
  for (int code : kDcsCodes) choices.push_back({formatted("D %d inv", code), dcsToneWord(code, true)});
  return choices;
}

}  // namespace

uint16_t bcdToneWord(int value) {
  const int v = value < 0 ? 0 : (value > 15999 ? 15999 : value);
  return static_cast<uint16_t>(((v / 1000) << 12) | ((v / 100 % 10) << 8) | ((v / 10 % 10) << 4) |
                               (v % 10));
}

uint16_t ctcssToneWord(float hz) {
  // The float of 79.7 lies just below it; half-up rounding still gives 797.
  return bcdToneWord(static_cast<int>(hz * 10.0f + 0.5f));
}

uint16_t dcsToneWord(int code, bool inverted) {
  return bcdToneWord(code + (inverted ? 12000 : 8000));
}

std::span<const float> ctcssTones() { return kCtcssTones; }
std::span<const int> dcsCodes() { return kDcsCodes; }

const std::vector<ToneChoice>& toneChoices() {
  static const std::vector<ToneChoice> choices = buildChoices();
  return choices;
}

int toneChoiceIndex(uint16_t storedWord) {
  const uint16_t word = normalisedToneWord(storedWord);
  const auto& choices = toneChoices();
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].word == word) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tamberlin
