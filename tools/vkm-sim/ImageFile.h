#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "model/ConfigurationDocument.h"

namespace vkm::sim {

// Reads the configuration image out of a configuration file (header, image,
// check byte). A file of another size or with a wrong check byte gives
// nothing and a reason in `error`.
std::optional<ConfigurationImage> LoadImageFile(const std::filesystem::path& path, std::string& error);

}  // namespace vkm::sim
