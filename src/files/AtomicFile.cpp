#include "files/AtomicFile.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace vkm {
namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  std::random_device random;
  std::filesystem::path temporary = path;
  temporary += ".saving-" + std::to_string(random() % 1000000);
  return temporary;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
  const std::filesystem::path temporary = TemporaryBeside(path);
  std::error_code error;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace vkm
