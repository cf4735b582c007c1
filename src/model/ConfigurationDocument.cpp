#include "model/ConfigurationDocument.h"

#include <algorithm>

#include "model/FactoryImage.h"

namespace vkm {

uint8_t CheckByte(std::span<const uint8_t> bytes) {
  uint8_t x = 0;
  for (uint8_t b : bytes) x ^= b;
  return static_cast<uint8_t>(-x);
}

void ConfigurationDocument::ResetAll() {
  ResetImage();
  ResetPostProgramBlock();
  ResetSystemParameters();
}

void ConfigurationDocument::ResetImage() { image = FactoryImage(); }

void ConfigurationDocument::ResetPostProgramBlock() { postProgramBlock = kFactoryPostProgramBlock; }

void ConfigurationDocument::ResetSystemParameters() { systemParameters.fill(0); }

void ConfigurationDocument::RestoreGprsStrategyDefaults() {
  const ConfigurationDocument defaults;
  std::copy_n(defaults.image.begin() + kGprsStrategyOffset, kGprsStrategySize,
              image.begin() + kGprsStrategyOffset);
}

bool ConfigurationDocument::IsValidImage() const {
  return std::equal(image.begin(), image.begin() + kSignatureSize, FactoryImage().begin());
}

}  // namespace vkm
