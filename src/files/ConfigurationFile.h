#pragma once

// The configuration file: a 35-character header naming the format and its
// version, the 3520-byte image, and the image's check byte.

#include <filesystem>

#include "model/ConfigurationDocument.h"

namespace vkm {

constexpr std::size_t kConfigurationFileSize = 3556;
inline constexpr char kDefaultConfigurationFile[] = "default.cnt";

enum LoadResult : int {
  kLoaded = 0,
  kCannotOpen = 1,       // cannot be opened, read or closed
  kUnknownFormat = 2,    // another format tag, a wrong check byte, or cut short
  kVersionMismatch = 3,  // the format tag matches, the version does not
};

// The message the user is shown for a load result (empty for kLoaded).
const char* LoadResultMessage(int result);

// Writes the document's image with the administrative password field
// (bytes 132..140) as zero, so that no part of a password reaches a file;
// the document itself is not changed. The file is replaced in one step.
// Returns 0 on success, 1 on failure.
int SaveConfigurationFile(const ConfigurationDocument& document, const std::filesystem::path& path);

// Reads a file into the document's image. The image changes only when the
// whole file has been read and its check byte matches. Returns a LoadResult.
int LoadConfigurationFile(ConfigurationDocument& document, const std::filesystem::path& path);

}  // namespace vkm
