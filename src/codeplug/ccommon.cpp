#include "codeplug/ccommon.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <istream>
#include <memory>
#include <new>

#include "codeplug/codeplug_file.h"
#include "codeplug/load_normalization.h"
#include "codeplug/packed_dtmf.h"
#include "codeplug/templates.h"
#include "support/cp1252.h"
#include "support/prompt.h"

namespace tamberlin {

namespace {

bool validSlot(int index) { return index >= 0 && index < CCommon::kSlotCount; }

std::string trimmedPath(const std::string& path) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  auto begin = std::find_if_not(path.begin(), path.end(), blank);
  auto end = std::find_if_not(path.rbegin(), path.rend(), blank).base();
  return begin < end ? std::string(begin, end) : std::string();
}

std::string upperCased(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string normalisedProgramDirectory(std::string directory) {
  for (const std::string_view dot : {"/./", "\\.\\"}) {
    size_t at;
    while ((at = directory.find(dot)) != std::string::npos) directory.replace(at, dot.size(), dot.substr(0, 1));
  }
  while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\')) directory.pop_back();
  return directory;
}

CCommon::CCommon(std::string programDirectory, KeyState ctrlAndAltHeld)
    : programDirectory_(normalisedProgramDirectory(std::move(programDirectory))),
      ctrlAndAltHeld_(std::move(ctrlAndAltHeld)),
      fileAccess_(defaultCodeplugFileAccess()) {
  for (int i = 0; i < kTemplateCount; ++i) {
    templates_[static_cast<size_t>(i)] = buildBlankTemplate(static_cast<TemplateId>(i));
  }
}

void CCommon::setSelectedSlot(int slot) {
  if (validSlot(slot)) selectedSlot_ = slot;
}

c_codeplug* CCommon::slot(int index) {
  return validSlot(index) ? &slots_[static_cast<size_t>(index)] : nullptr;
}

const c_codeplug* CCommon::slot(int index) const {
  return validSlot(index) ? &slots_[static_cast<size_t>(index)] : nullptr;
}

const std::vector<uint8_t>& CCommon::blankTemplate(TemplateId id) const {
  return templates_[static_cast<size_t>(id)];
}

bool CCommon::isTemplateSize(size_t size) const {
  return std::any_of(templates_.begin(), templates_.end(),
                     [size](const std::vector<uint8_t>& t) { return t.size() == size; });
}

int CCommon::place(int index, int modelCode, const std::string& fileName,
                   std::span<const uint8_t> bytes) {
  c_codeplug* s = slot(index);
  if (s == nullptr) return -1;
  if (!bytes.empty()) {
    if (bytes.size() != blankTemplate(TemplateId::BlankMd390).size() &&
        bytes.size() != blankTemplate(TemplateId::BlankUv390).size()) {
      return -1;
    }
    // A model of the other family would make the section offsets run past the
    // buffer, so the pair has to agree.
    if (familyFileSize(modelFamily(modelCode)) != bytes.size()) return -1;
  }

  const bool sameIdentity = !bytes.empty() && s->modelCode == modelCode && s->fileName == fileName &&
                            s->buffer.size() == bytes.size();
  const bool sameBytes = sameIdentity && std::equal(bytes.begin(), bytes.end(), s->buffer.begin());
  if (!sameBytes) {
    s->modelCode = kModelNone;
    s->fileName.clear();
    s->snapshot.clear();
    s->snapshot.shrink_to_fit();
    s->buffer.clear();
    s->buffer.shrink_to_fit();
  }
  if (!bytes.empty() && s->buffer.empty()) {
    s->modelCode = modelCode;
    s->fileName = fileName;
    s->buffer.assign(bytes.begin(), bytes.end());
  }
  markClean(index);
  s->sections = (!bytes.empty() && modelCode != kModelNone) ? sectionTableForModel(modelCode) : SectionTable{};
  return 0;
}

bool CCommon::isDirty(int index) const {
  const c_codeplug* s = slot(index);
  if (s == nullptr || s->buffer.empty()) return false;
  if (s->fileName.empty() || s->snapshot.empty()) return true;
  return s->snapshot != s->buffer;
}

void CCommon::markClean(int index) {
  if (c_codeplug* s = slot(index)) s->snapshot = s->buffer;
}

bool CCommon::hasPasswords(int index) const {
  const c_codeplug* s = slot(index);
  return s != nullptr && codeplugHasPasswords(s->buffer);
}

int CCommon::load(int index, const std::string& path, bool showMessages, Prompt& prompt) {
  SilentPrompt silent;
  Prompt& out = showMessages ? prompt : static_cast<Prompt&>(silent);
  const auto fail = [&](int code, const std::string& message) {
    out.error(message + path);
    return code;
  };

  if (!validSlot(index)) return -1;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return -2;
  if (std::filesystem::is_directory(path, error)) {
    return fail(-3, "Could not open the code plug file ..\n\n");
  }

  std::vector<uint8_t> buffer;
  try {
    const std::unique_ptr<std::istream> file = fileAccess_.open(path);
    if (!file || !file->good()) return fail(-3, "Could not open the code plug file ..\n\n");
    // A failing device throws; a plain failed seek only sets the fail bit.
    file->exceptions(std::ios::badbit);
    if (!file->seekg(0, std::ios::end)) return fail(-4, "Could not seek code plug file ..\n\n");
    const std::streamoff end = file->tellg();
    if (end < 0 || !file->seekg(0, std::ios::beg)) return fail(-4, "Could not seek code plug file ..\n\n");
    if (end == 0) return fail(-4, "Could not seek to the end of the code plug file ..\n\n");
    const auto size = static_cast<size_t>(end);
    if (!isTemplateSize(size)) return fail(-5, "Code plug file size error ..\n\n");
    try {
      buffer = fileAccess_.allocate(size);
    } catch (const std::bad_alloc&) {
      return fail(-6, "error: not enough memory ..\n\n");
    }
    if (buffer.size() != size) return fail(-6, "error: not enough memory ..\n\n");
    try {
      file->read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(size));
      if (static_cast<size_t>(file->gcount()) != size) return fail(-8, "error: reading file ..\n\n");
    } catch (const std::exception&) {
      return fail(-8, "error: reading file ..\n\n");
    }
  } catch (const std::exception&) {
    return fail(-4, "Could not open/seek code plug file ..\n\n");
  }

  return acceptFileBytes(index, path, std::move(buffer), out);
}

int CCommon::acceptFileBytes(int index, const std::string& path, std::vector<uint8_t> buffer,
                             Prompt& out) {
  if (!isTemplateSize(buffer.size())) {
    out.error("Code plug file size error ..\n\n" + path);
    return -5;
  }
  const std::string typeString = readTypeString(buffer);
  int modelCode = modelCodeForTypeString(typeString);
  if (modelCode == kModelNone) {
    const bool tp660 = upperCased(typeString).starts_with("TP660");
    if (tp660 && ctrlAndAltHeld_ && ctrlAndAltHeld_()) {
      modelCode = kModelTp660;
    } else {
      out.error("Unknown codeplug type (" + cp1252ToUtf8(typeString) + ") ..\n\n" + path +
                "\n\nMD380, MD390, UV380, UV390, MD9600 & MD2017 only. ");
      return -9;
    }
  }
  if (validateCodeplug(buffer) < 0) {
    out.error("Invalid code plug file .. \n\n" + path);
    return -10;
  }
  if (place(index, modelCode, path, buffer) < 0) {
    out.error("Failed to set codeplug .. \n\n" + path);
    return -11;
  }
  normaliseLoadedCodeplug(*slot(index));
  return 0;
}

int CCommon::loadBytes(int index, const std::string& fileName, std::vector<uint8_t> bytes,
                       bool showMessages, Prompt& prompt) {
  if (!validSlot(index)) return -1;
  SilentPrompt silent;
  return acceptFileBytes(index, fileName, std::move(bytes),
                         showMessages ? prompt : static_cast<Prompt&>(silent));
}

int CCommon::newCodeplug(int index, int modelCode, Prompt& prompt) {
  const RadioModel* model = radioModel(modelCode);
  if (model == nullptr) {
    prompt.error("Unknown radio type.");
    return -1;
  }
  if (!validSlot(index)) return -1;
  const std::vector<uint8_t>& blank = blankTemplate(model->blankTemplate);
  std::vector<uint8_t> buffer;
  try {
    buffer = blank;
  } catch (const std::bad_alloc&) {
    prompt.error("Not enough memory.");
    return -1;
  }
  return place(index, modelCode, std::string(), buffer);
}

int CCommon::save(int index, const std::string& path) {
  c_codeplug* s = slot(index);
  if (s == nullptr) return -1;
  if (s->buffer.empty()) return -2;
  updateTrailerCrc(s->buffer);
  const std::string target = trimmedPath(path);
  if (target.empty()) return -3;
  switch (fileAccess_.write(target, s->buffer)) {
    case WriteStatus::Ok: return static_cast<int>(s->buffer.size());
    case WriteStatus::CannotCreate: return -4;
    case WriteStatus::ShortWrite: return -5;
  }
  return -4;
}

int CCommon::packDtmf(std::span<uint8_t> destination, std::string_view text, int maxDigits) const {
  const c_codeplug* s = slot(selectedSlot_);
  if (s == nullptr || s->buffer.empty()) return -1;
  return tamberlin::packDtmf(destination, text, maxDigits);
}

std::string CCommon::unpackDtmf(std::span<const uint8_t> bytes, int count) const {
  const c_codeplug* s = slot(selectedSlot_);
  if (s == nullptr || s->buffer.empty()) return {};
  return tamberlin::unpackDtmf(bytes, count);
}

}  // namespace tamberlin
