#include "codeplug/radio_models.h"

#include <array>

namespace tamberlin {

namespace {
constexpr std::array<RadioModel, 8> kModels = {{
    {kModelMd380, "MD380 ", "MD380", "DR780 (MD-380)", "DR780", TemplateId::BlankMd390, kKib256ImageSize, kKib256FileSize},
    {kModelMd390, "MD390 ", "MD390", "MD390 (MD-390)", "MD390", TemplateId::BlankMd390, kKib256ImageSize, kKib256FileSize},
    {kModelUv380, "MD-UV380 ", "UV380", "UV380 (MD-UV380)", "MD-UV380", TemplateId::BlankUv390, kUvImageSize, kUvFileSize},
    {kModelUv390, "MD-UV390 ", "UV390", "UV390 (MD-UV390)", "MD-UV390", TemplateId::BlankUv390, kUvImageSize, kUvFileSize},
    {kModelMd9600, "MD9600 ", "MD9600", "MD9600 (MD9600)", "MD9600", TemplateId::BlankMd9600, kUvImageSize, kUvFileSize},
    {kModelMd2017, "MD2017 ", "MD2017", "MD2017 (2017)", "2017", TemplateId::BlankMd2017, kUvImageSize, kUvFileSize},
    {kModelDm1701, "DM1701 ", "DM-1701", "DM1701 (DM-1701)", "DM-1701", TemplateId::BlankDm1701, kUvImageSize, kUvFileSize},
    {kModelTp660, "", "", "", "TP660", TemplateId::BlankMd390, kKib256ImageSize, kKib256FileSize},
}};
}  // namespace

std::span<const RadioModel> radioModels() { return kModels; }

const RadioModel* radioModel(int code) {
  if (code < kModelMd380 || code > kModelTp660) return nullptr;
  return &kModels[static_cast<size_t>(code - 1)];
}

ModelFamily modelFamily(int code) {
  switch (code) {
    case kModelMd380:
    case kModelMd390:
    case kModelTp660: return ModelFamily::Kib256;
    case kModelUv380:
    case kModelUv390:
    case kModelMd9600:
    case kModelMd2017:
    case kModelDm1701: return ModelFamily::Uv;
    default: return ModelFamily::None;
  }
}

size_t familyFileSize(ModelFamily family) {
  switch (family) {
    case ModelFamily::Kib256: return kKib256FileSize;
    case ModelFamily::Uv: return kUvFileSize;
    case ModelFamily::None: break;
  }
  return 0;
}

std::optional<int> modelCodeForMenuItem(std::string_view menuItem) {
  for (const RadioModel& model : kModels) {
    if (!model.menuItem.empty() && model.menuItem == menuItem) return model.code;
  }
  return std::nullopt;
}

std::string_view templateName(TemplateId id) {
  switch (id) {
    case TemplateId::BlankMd390: return "BLANK_MD390";
    case TemplateId::BlankUv390: return "BLANK_UV390";
    case TemplateId::BlankMd9600: return "BLANK_MD9600";
    case TemplateId::BlankMd2017: return "BLANK_MD2017";
    case TemplateId::BlankDm1701: return "BLANK_DM1701";
  }
  return {};
}

}  // namespace tamberlin
