#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tamberlin {

// Model codes as slots and files carry them. 0 is an empty slot.
enum ModelCode : int {
  kModelNone = 0,
  kModelMd380 = 1,
  kModelMd390 = 2,
  kModelUv380 = 3,
  kModelUv390 = 4,
  kModelMd9600 = 5,
  kModelMd2017 = 6,
  kModelDm1701 = 7,
  kModelTp660 = 8,
};

// The 256 KiB family (MD380, MD390, TP660) and the UV family share layouts.
enum class ModelFamily { None, Kib256, Uv };

enum class TemplateId { BlankMd390, BlankUv390, BlankMd9600, BlankMd2017, BlankDm1701 };
inline constexpr int kTemplateCount = 5;

inline constexpr size_t kKib256FileSize = 262709;
inline constexpr size_t kUvFileSize = 852533;
inline constexpr size_t kKib256ImageSize = 0x40000;
inline constexpr size_t kUvImageSize = 0xD0000;
inline constexpr size_t kMemoryImageOffset = 0x225;
inline constexpr size_t kTrailerSize = 16;

struct RadioModel {
  int code;
  std::string_view newDialogItem;  // empty when the model is not offered for New
  std::string_view menuItem;
  std::string_view basicTabItem;
  std::string_view typeString;     // as the radio info block holds it
  TemplateId blankTemplate;
  size_t memoryImageSize;
  size_t fileSize;
};

// Models 1 to 8 in code order.
std::span<const RadioModel> radioModels();
const RadioModel* radioModel(int code);
ModelFamily modelFamily(int code);
size_t familyFileSize(ModelFamily family);

// The model offered under this New menu item name ("MD390", "UV380", "DM-1701").
std::optional<int> modelCodeForMenuItem(std::string_view menuItem);

std::string_view templateName(TemplateId id);

}  // namespace tamberlin
