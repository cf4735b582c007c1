#include "files/ConfigurationFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

#include "files/AtomicFile.h"

namespace vkm {
namespace {

constexpr std::size_t kHeaderSize = 35;
constexpr std::size_t kFormatTagSize = 29;  // "[VKMControllerConfiguration_v"
constexpr std::size_t kHeaderVersionOffset = 29;
constexpr char kHeaderTemplate[] = "[VKMControllerConfiguration_v01.00]";
// What a header reads as where the file supplies no bytes: an empty file
// has the right tag but no version.
constexpr char kUnfilledHeader[] = "[VKMControllerConfiguration_v--.--]";
// The version this program reads, the same as the factory image carries.
constexpr char kSupportedVersion[] = "01.00";

}  // namespace

const char* LoadResultMessage(int result) {
  switch (result) {
    case kLoaded: return "";
    case kCannotOpen: return "Невозможно открыть файл";
    case kUnknownFormat: return "Неизвестный формат файла";
    case kVersionMismatch:
      return "Несоответствие версий! Файл не может быть использован для конфигурирования этого устройства.";
    default: return "";
  }
}

int SaveConfigurationFile(const ConfigurationDocument& document, const std::filesystem::path& path) {
  ConfigurationImage image = document.image;
  std::fill_n(image.begin() + kAdminPasswordOffset, kAdminPasswordSize, uint8_t{0});

  std::string content(kHeaderTemplate, kHeaderSize);
  std::copy_n(image.begin() + kVersionOffset, kVersionLength, content.begin() + kHeaderVersionOffset);
  content.append(reinterpret_cast<const char*>(image.data()), image.size());
  content += static_cast<char>(CheckByte(image));
  return WriteFileAtomically(path, content) ? 0 : 1;
}

int LoadConfigurationFile(ConfigurationDocument& document, const std::filesystem::path& path) {
  // Read-only access, so that a write-protected file can be opened.
  std::ifstream in(path, std::ios::binary);
  if (!in) return kCannotOpen;

  char header[kHeaderSize];
  std::memcpy(header, kUnfilledHeader, kHeaderSize);
  in.read(header, kHeaderSize);
  if (in.bad()) return kCannotOpen;

  std::string expected(kHeaderTemplate, kHeaderSize);
  std::copy_n(kSupportedVersion, kVersionLength, expected.begin() + kHeaderVersionOffset);
  if (std::memcmp(header, expected.data(), kFormatTagSize) != 0) return kUnknownFormat;
  if (std::memcmp(header, expected.data(), kHeaderSize) != 0) return kVersionMismatch;

  ConfigurationImage image{};
  in.read(reinterpret_cast<char*>(image.data()), image.size());
  if (in.bad()) return kCannotOpen;
  if (in.gcount() != static_cast<std::streamsize>(image.size())) return kUnknownFormat;

  char checkByte = 0;
  in.read(&checkByte, 1);
  if (in.bad()) return kCannotOpen;
  if (in.gcount() != 1 || static_cast<uint8_t>(checkByte) != CheckByte(image)) return kUnknownFormat;

  document.image = image;
  return kLoaded;
}

}  // namespace vkm
