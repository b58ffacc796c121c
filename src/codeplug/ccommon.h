#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "codeplug/c_codeplug.h"
#include "codeplug/radio_models.h"
#include "codeplug/codeplug_file_access.h"
#include "databases/record_set.h"

namespace tamberlin {

class Prompt;

// The program-wide codeplug manager: four working slots, the selected one, the
// blank templates and the program directory. Every editor, the main window and
// the radio link reach a codeplug through it.
class CCommon {
 public:
  static constexpr int kSlotCount = 4;

  using KeyState = std::function<bool()>;

  // `programDirectory` is where the executable lies; `ctrlAndAltHeld` reads the
  // keyboard while a file loads (a TP660 file is taken only with both held).
  explicit CCommon(std::string programDirectory = {}, KeyState ctrlAndAltHeld = {});

  const std::string& programDirectory() const { return programDirectory_; }
  void setCtrlAndAltHeld(KeyState ctrlAndAltHeld) { ctrlAndAltHeld_ = std::move(ctrlAndAltHeld); }
  // How Load and Save reach the disk.
  const CodeplugFileAccess& fileAccess() const { return fileAccess_; }
  void setFileAccess(CodeplugFileAccess access) { fileAccess_ = std::move(access); }

  int selectedSlot() const { return selectedSlot_; }
  void setSelectedSlot(int slot);
  // nullptr for an index outside 0..3.
  c_codeplug* slot(int index);
  const c_codeplug* slot(int index) const;
  c_codeplug* selected() { return slot(selectedSlot_); }

  const std::vector<uint8_t>& blankTemplate(TemplateId id) const;
  bool isTemplateSize(size_t size) const;

  // Puts a codeplug into a slot (model code, file name, bytes) or, without
  // bytes, empties it. 0, or -1 when refused.
  int place(int slot, int modelCode, const std::string& fileName, std::span<const uint8_t> bytes);
  bool isDirty(int slot) const;
  void markClean(int slot);
  bool hasPasswords(int slot) const;

  // Reads, checks and places a codeplug file, then normalises it. 0 or a
  // negative code; messages go to `prompt` only when showMessages is set.
  int load(int slot, const std::string& path, bool showMessages, Prompt& prompt);
  // Load for bytes already read: the checks from the size on, Place and the
  // normalisation. `fileName` becomes the slot's file name.
  int loadBytes(int slot, const std::string& fileName, std::vector<uint8_t> bytes,
                bool showMessages, Prompt& prompt);
  // A codeplug from the model's blank template, with no file name yet.
  int newCodeplug(int slot, int modelCode, Prompt& prompt);
  // Bytes written, or a negative code.
  int save(int slot, const std::string& path);

  // DTMF packing on behalf of the editors: only while the selected slot holds
  // a codeplug.
  int packDtmf(std::span<uint8_t> destination, std::string_view text, int maxDigits) const;
  std::string unpackDtmf(std::span<const uint8_t> bytes, int count) const;

  // The DMR user database as last saved or loaded: the contacts window and the
  // SPI flash image share this one set of records. A download replaces it
  // from a worker thread while the window may read it.
  SharedRecords userDatabase() const {
    const std::lock_guard lock(userDatabaseLock_);
    return userDatabase_;
  }
  void setUserDatabase(SharedRecords records) {
    const std::lock_guard lock(userDatabaseLock_);
    userDatabase_ = records ? std::move(records) : emptyRecords();
  }

 private:
  int acceptFileBytes(int slot, const std::string& path, std::vector<uint8_t> buffer, Prompt& out);

  std::string programDirectory_;
  KeyState ctrlAndAltHeld_;
  CodeplugFileAccess fileAccess_;
  std::array<std::vector<uint8_t>, kTemplateCount> templates_;
  std::array<c_codeplug, kSlotCount> slots_;
  int selectedSlot_ = 0;
  mutable std::mutex userDatabaseLock_;
  SharedRecords userDatabase_ = emptyRecords();
};

// "/opt/./tamberlin/" -> "/opt/tamberlin": the program directory as kept.
std::string normalisedProgramDirectory(std::string directory);

}  // namespace tamberlin
