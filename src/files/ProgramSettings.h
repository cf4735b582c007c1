#pragma once

// The program's own settings file: the name of the serial port, kept
// between runs in a 24-byte file.

#include <filesystem>
#include <string>
#include <string_view>

namespace vkm {

inline constexpr char kProgramSettingsFile[] = "VKMConfig.cfg";
constexpr std::size_t kProgramSettingsSize = 24;
constexpr std::size_t kMaxPortNameLength = 7;  // the file's field holds no more

// "COM1" on Windows, "ttyUSB0" elsewhere: the port used when no valid
// settings file names one.
std::string DefaultPortName();

// True for a port name of this platform's form that the file can hold:
// "COM…" on Windows; "tty…" or an absolute path elsewhere; at most 7
// characters.
bool IsStorablePortName(std::string_view name);

// Writes the settings file. A name the file cannot hold whole is written as
// no name, so that the next start falls back to the default port rather than
// to a different, truncated one. Returns 0 on success, 1 on failure.
int SaveProgramSettings(const std::filesystem::path& path, std::string_view portName);

// Reads the settings file. Returns 0 and sets `portName` when the file is
// valid and names a port of this platform's form; otherwise returns 1 and
// leaves `portName` alone.
int LoadProgramSettings(const std::filesystem::path& path, std::string& portName);

}  // namespace vkm
