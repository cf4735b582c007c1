#include "files/ProgramSettings.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "files/AtomicFile.h"
#include "model/ImageEncoding.h"

namespace vkm {
namespace {

constexpr char kHeader[] = "[VKMProgCfg]";
constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kPortFieldSize = 8;
constexpr uint32_t kTrailer = 0x20B84286;

}  // namespace

std::string DefaultPortName() {
#ifdef _WIN32
  return "COM1";
#else
  return "ttyUSB0";
#endif
}

bool IsStorablePortName(std::string_view name) {
  if (name.empty() || name.size() > kMaxPortNameLength) return false;
#ifdef _WIN32
  return name.starts_with("COM");
#else
  return name.starts_with("tty") || name.starts_with('/');
#endif
}

int SaveProgramSettings(const std::filesystem::path& path, std::string_view portName) {
  std::string content(kHeader, kHeaderSize);
  std::string field(kPortFieldSize, '\0');
  if (portName.size() <= kMaxPortNameLength) std::copy(portName.begin(), portName.end(), field.begin());
  content += field;
  uint8_t trailer[4];
  PutU32(trailer, kTrailer);
  content.append(reinterpret_cast<const char*>(trailer), sizeof trailer);
  return WriteFileAtomically(path, content) ? 0 : 1;
}

int LoadProgramSettings(const std::filesystem::path& path, std::string& portName) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 1;
  char content[kProgramSettingsSize];
  in.read(content, sizeof content);
  if (in.gcount() != static_cast<std::streamsize>(sizeof content)) return 1;
  if (std::memcmp(content, kHeader, kHeaderSize) != 0) return 1;

  const char* field = content + kHeaderSize;
  const std::string name(field, std::find(field, field + kPortFieldSize, '\0'));
  if (!IsStorablePortName(name)) return 1;
  if (GetU32(reinterpret_cast<const uint8_t*>(content + kHeaderSize + kPortFieldSize)) != kTrailer) return 1;

  portName = name;
  return 0;
}

}  // namespace vkm
