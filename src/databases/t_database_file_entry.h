#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

// Reads one user record of the DMR user database, as held in memory and in
// the .dat files: radio ID, five zero-terminated 8-bit texts and the
// last-heard age.
class DatabaseEntryView {
 public:
  static constexpr size_t kSize = 248;
  static constexpr size_t kRadioIdAt = 0;
  static constexpr size_t kCallSignAt = 4;
  static constexpr size_t kNameAt = 20;
  static constexpr size_t kCityAt = 52;
  static constexpr size_t kStateAt = 116;
  static constexpr size_t kCountryAt = 180;
  static constexpr size_t kAgeAt = 244;
  static constexpr size_t kCallSignSize = 16;
  static constexpr size_t kNameSize = 32;
  static constexpr size_t kPlaceSize = 64;

  explicit DatabaseEntryView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  int32_t radioId() const;
  std::string_view callSign() const { return text(kCallSignAt, kCallSignSize); }
  std::string_view name() const { return text(kNameAt, kNameSize); }
  std::string_view city() const { return text(kCityAt, kPlaceSize); }
  std::string_view state() const { return text(kStateAt, kPlaceSize); }
  std::string_view country() const { return text(kCountryAt, kPlaceSize); }
  int32_t age() const;
  std::span<const uint8_t> bytes() const { return bytes_; }

 private:
  // Up to the first zero byte; a field without one ends at its size.
  std::string_view text(size_t offset, size_t size) const;

  std::span<const uint8_t> bytes_;
};

// The same record, writable: `t_database_file_entry`.
class t_database_file_entry : public DatabaseEntryView {
 public:
  explicit t_database_file_entry(std::span<uint8_t> bytes) : DatabaseEntryView(bytes), writable_(bytes) {}

  void setRadioId(int32_t id);
  // Texts longer than their field are cut, leaving room for the terminator.
  void setCallSign(std::string_view text) { setText(kCallSignAt, kCallSignSize, text); }
  void setName(std::string_view text) { setText(kNameAt, kNameSize, text); }
  void setCity(std::string_view text) { setText(kCityAt, kPlaceSize, text); }
  void setState(std::string_view text) { setText(kStateAt, kPlaceSize, text); }
  void setCountry(std::string_view text) { setText(kCountryAt, kPlaceSize, text); }
  void setAge(int32_t age);

 private:
  void setText(size_t offset, size_t size, std::string_view text);

  std::span<uint8_t> writable_;
};

}  // namespace tamberlin
