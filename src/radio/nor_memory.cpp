#include "radio/nor_memory.h"

namespace tamberlin {

bool NorMemory::contains(uint32_t address, size_t length) const {
  return address >= base_ && address - base_ <= size_ && length <= size_ - (address - base_);
}

std::vector<uint8_t>& NorMemory::page(size_t index) {
  auto& p = pages_[index];
  if (p.empty()) p.assign(kPageSize, 0xFF);
  return p;
}

void NorMemory::read(uint32_t address, std::span<uint8_t> out) const {
  for (size_t i = 0; i < out.size(); ++i) {
    const uint64_t at = uint64_t{address} + i;
    out[i] = 0xFF;
    if (at < base_ || at - base_ >= size_) continue;
    const size_t offset = static_cast<size_t>(at - base_);
    if (auto p = pages_.find(offset / kPageSize); p != pages_.end()) out[i] = p->second[offset % kPageSize];
  }
}

bool NorMemory::program(uint32_t address, std::span<const uint8_t> data) {
  if (!contains(address, data.size())) return false;
  for (size_t i = 0; i < data.size(); ++i) {
    const size_t offset = address - base_ + i;
    page(offset / kPageSize)[offset % kPageSize] &= data[i];
  }
  return true;
}

bool NorMemory::erase(uint32_t address, size_t length) {
  if (!contains(address, length)) return false;
  for (size_t i = 0; i < length; ++i) {
    const size_t offset = address - base_ + i;
    if (auto p = pages_.find(offset / kPageSize); p != pages_.end()) p->second[offset % kPageSize] = 0xFF;
  }
  return true;
}

void NorMemory::load(uint32_t address, std::span<const uint8_t> data) {
  for (size_t i = 0; i < data.size(); ++i) {
    const uint64_t at = uint64_t{address} + i;
    if (at < base_ || at - base_ >= size_) continue;
    const size_t offset = static_cast<size_t>(at - base_);
    page(offset / kPageSize)[offset % kPageSize] = data[i];
  }
}

}  // namespace tamberlin
