#pragma once

#include <cstddef>

// Where things sit in a codeplug file, counted from the file's first byte.
namespace tamberlin::layout {

// DfuSe file header
inline constexpr size_t kDfuSignature = 0x000;
inline constexpr size_t kDfuFormatVersion = 0x005;
inline constexpr size_t kDfuImageSize = 0x006;
inline constexpr size_t kDfuTargetCount = 0x00A;
inline constexpr size_t kDfuTargetSignature = 0x00B;
inline constexpr size_t kDfuAlternateSetting = 0x011;
inline constexpr size_t kDfuTargetNamed = 0x012;
inline constexpr size_t kDfuTargetName = 0x016;
inline constexpr size_t kDfuTargetNameSize = 255;
inline constexpr size_t kDfuTargetSize = 0x115;
inline constexpr size_t kDfuElementCount = 0x119;
inline constexpr size_t kDfuElementAddress = 0x11D;
inline constexpr size_t kDfuElementSize = 0x121;

// Radio info block
inline constexpr size_t kRadioInfo = 0x125;
inline constexpr size_t kTypeString = 0x125;
inline constexpr size_t kTypeStringSize = 16;
inline constexpr size_t kModelVariant = 0x135;
inline constexpr size_t kBandAIndex = 0x136;
inline constexpr size_t kBandBIndex = 0x137;
inline constexpr size_t kSecondVariant = 0x138;
inline constexpr size_t kBandALower = 0x139;
inline constexpr size_t kBandAUpper = 0x13B;
inline constexpr size_t kBandBLower = 0x13D;
inline constexpr size_t kBandBUpper = 0x13F;
inline constexpr size_t kSerialNumber = 0x145;
inline constexpr size_t kHardwareVersion = 0x159;
inline constexpr size_t kMcuVersion = 0x165;
inline constexpr size_t kDeviceIdentity = 0x16D;

// Memory image sections shared by both families
inline constexpr size_t kProgrammedStamp = 0x2226;
inline constexpr size_t kGeneralSettings = 0x2265;
inline constexpr size_t kButtons = 0x2325;
inline constexpr size_t kTextMessages = 0x23A5;
inline constexpr size_t kEnhancedPrivacyKeys = 0x5BE5;
inline constexpr size_t kBasicPrivacyKeys = 0x5C75;
inline constexpr size_t kEmergency = 0x5C95;
inline constexpr size_t kGroupLists = 0xEE45;
inline constexpr size_t kZones = 0x14C05;
inline constexpr size_t kScanLists = 0x18A85;
inline constexpr size_t kDtmf = 0x30225;
inline constexpr size_t kGps = 0x3EE65;

// Family-specific sections
inline constexpr size_t kKib256Contacts = 0x61A5;
inline constexpr size_t kKib256Channels = 0x1F025;
inline constexpr size_t kUvContacts = 0x70235;
inline constexpr size_t kUvChannels = 0x40235;
inline constexpr size_t kUvZoneExtension = 0x31225;
inline constexpr size_t kUvVfo = 0x2F125;

// Password fields checked before saving
inline constexpr size_t kPowerOnPasswordFlags = 0x22A6;  // bit 5 clear: enabled
inline constexpr size_t kRadioProgrammingPassword = 0x22C1;
inline constexpr size_t kPcProgrammingPassword = 0x22C5;

}  // namespace tamberlin::layout
