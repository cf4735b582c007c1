#pragma once

#include <filesystem>
#include <string_view>

namespace vkm {

// Replaces `path` with `content` as one step: the bytes go to a new file
// beside it, which then takes the old file's name. A failure at any point
// leaves the previous file as it was. Returns false on failure.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace vkm
