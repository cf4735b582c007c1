#include "vkm-sim/ImageFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace vkm::sim {
namespace {

constexpr std::size_t kHeaderSize = 35;
constexpr std::size_t kFileSize = kHeaderSize + kImageSize + 1;

}  // namespace

std::optional<ConfigurationImage> LoadImageFile(const std::filesystem::path& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path.string();
    return std::nullopt;
  }
  const std::vector<char> content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read " + path.string();
    return std::nullopt;
  }
  if (content.size() != kFileSize) {
    error = path.string() + " holds " + std::to_string(content.size()) + " bytes, a configuration file " +
            std::to_string(kFileSize);
    return std::nullopt;
  }
  ConfigurationImage image{};
  std::copy_n(content.begin() + kHeaderSize, kImageSize, reinterpret_cast<char*>(image.data()));
  if (CheckByte(image) != static_cast<uint8_t>(content.back())) {
    error = path.string() + ": wrong check byte";
    return std::nullopt;
  }
  return image;
}

}  // namespace vkm::sim
