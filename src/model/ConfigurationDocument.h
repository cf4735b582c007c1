#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vkm {

constexpr std::size_t kImageSize = 3520;
constexpr std::size_t kPostProgramBlockSize = 10;
constexpr std::size_t kSystemParameterBlockSize = 24;

// Controller memory area 1: every setting the section panels show, and the
// content of a configuration file.
using ConfigurationImage = std::array<uint8_t, kImageSize>;
// Controller memory area 4, the mode memory; only ever programmed with its
// factory content, which clears it.
using PostProgramBlock = std::array<uint8_t, kPostProgramBlockSize>;
// Controller memory area 5, the per-device system parameters.
using SystemParameterBlock = std::array<uint8_t, kSystemParameterBlockSize>;

// Image offsets that the document, the files and the device actions rely on.
constexpr std::size_t kSignatureSize = 9;           // format byte and "v.01.00\0"
constexpr std::size_t kVersionOffset = 3;           // "01.00", five characters
constexpr std::size_t kVersionLength = 5;
constexpr std::size_t kAdminPasswordOffset = 132;   // up to 8 characters and NUL
constexpr std::size_t kAdminPasswordSize = 9;
constexpr std::size_t kGprsStrategyOffset = 2152;   // the four bytes of the GPRS defaults button
constexpr std::size_t kGprsStrategySize = 4;

// The two's-complement negation of the XOR of the bytes.
uint8_t CheckByte(std::span<const uint8_t> bytes);

// The one in-memory copy of a controller configuration.
struct ConfigurationDocument {
  ConfigurationImage image{};
  PostProgramBlock postProgramBlock{};
  SystemParameterBlock systemParameters{};

  // Starts with factory content.
  ConfigurationDocument() { ResetAll(); }

  void ResetAll();
  void ResetImage();
  void ResetPostProgramBlock();
  void ResetSystemParameters();
  // Puts back the factory GPRS connection strategy (bytes 2152..2155) only.
  void RestoreGprsStrategyDefaults();

  // True when the image carries the factory signature (bytes 0..8).
  bool IsValidImage() const;
  uint8_t ImageCheckByte() const { return CheckByte(image); }

  bool operator==(const ConfigurationDocument&) const = default;
};

}  // namespace vkm
