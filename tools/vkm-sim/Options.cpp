#include "vkm-sim/Options.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "model/Cp1251.h"

namespace vkm::sim {
namespace {

constexpr std::size_t kTextField = 9;
constexpr std::size_t kImeiDigits = 15;
constexpr double kLongestResetDelay = 366.0 * 86400.0;

bool AllOf(std::string_view text, bool (*accept)(char)) {
  for (char c : text)
    if (!accept(c)) return false;
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<uint16_t> ParseHex16(std::string_view text) {
  if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") text.remove_prefix(2);
  if (text.empty() || text.size() > 4) return std::nullopt;
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return static_cast<uint16_t>(value);
}

std::optional<double> ParseSeconds(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value) || value < 0 ||
      value > kLongestResetDelay)
    return std::nullopt;
  return value;
}

}  // namespace

std::string UsageText() {
  return "usage: vkm-sim [--link PATH] [--image FILE] [--device-name NAME] [--modification TEXT]\n"
         "               [--firmware HEX] [--imei DIGITS] [--fault FAULT]... [--line-rate]\n"
         "               [--reset-delay SECONDS] [--verbose]\n"
         "\n"
         "A virtual VKM410 controller on a pseudo-terminal. The first line of standard output is the\n"
         "path of the terminal to open; it serves until SIGINT or SIGTERM.\n"
         "\n"
         "  --link PATH            also make PATH a symbolic link to the terminal (removed at exit)\n"
         "  --image FILE           area 1 starts as the image of this configuration file (default: factory)\n"
         "  --device-name NAME     device name of the identity record, up to 9 bytes (default VKM410)\n"
         "  --modification TEXT    modification, up to 9 bytes (default G)\n"
         "  --firmware HEX         firmware version, 1 to 4 hex digits (default 0100)\n"
         "  --imei DIGITS          GSM module IMEI, 1 to 15 digits\n"
         "  --fault FAULT          inject a fault, repeatable; FAULT = WHAT or WHAT@WHEN\n"
         "                           WHAT: noreply short badcheck echo-command echo-address echo-count\n"
         "                                 flash password refuse corrupt\n"
         "                           WHEN: N (the N-th request frame) | cmd:C (every frame with command C)\n"
         "                                 | cmd:C:K (the K-th frame with command C); none = every frame\n"
         "  --line-rate            reply as late as a 19200-baud line would\n"
         "  --reset-delay SECONDS  how long identity requests must go on after an empty password\n"
         "                         before the password is cleared (default 1800)\n"
         "  --verbose              log every frame on standard error\n";
}

std::optional<Options> ParseOptions(std::span<const std::string> args, std::string& error) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    const auto takesNoValue = [&]() {
      if (inlineValue) error = name + " takes no value";
      return !inlineValue;
    };
    const auto value = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };

    if (name == "--help" || name == "-h") {
      if (!takesNoValue()) return std::nullopt;
      options.help = true;
    } else if (name == "--line-rate") {
      if (!takesNoValue()) return std::nullopt;
      options.lineRate = true;
    } else if (name == "--verbose") {
      if (!takesNoValue()) return std::nullopt;
      options.verbose = true;
    } else if (name == "--link" || name == "--image") {
      const auto path = value();
      if (!path) return std::nullopt;
      if (path->empty()) {
        error = name + " needs a path";
        return std::nullopt;
      }
      (name == "--link" ? options.link : options.image) = *path;
    } else if (name == "--device-name" || name == "--modification") {
      const auto text = value();
      if (!text) return std::nullopt;
      const std::string stored = Utf8ToCp1251(*text);
      if (stored.size() > kTextField) {
        error = name + " \"" + *text + "\" is longer than " + std::to_string(kTextField) + " bytes";
        return std::nullopt;
      }
      (name == "--device-name" ? options.setup.deviceName : options.setup.modification) = stored;
    } else if (name == "--firmware") {
      const auto text = value();
      if (!text) return std::nullopt;
      const auto version = ParseHex16(*text);
      if (!version) {
        error = "--firmware \"" + *text + "\" is not 1 to 4 hexadecimal digits";
        return std::nullopt;
      }
      options.setup.firmware = *version;
    } else if (name == "--imei") {
      const auto text = value();
      if (!text) return std::nullopt;
      if (text->empty() || text->size() > kImeiDigits || !AllOf(*text, IsDigit)) {
        error = "--imei \"" + *text + "\" is not 1 to 15 digits";
        return std::nullopt;
      }
      options.setup.imei = *text;
    } else if (name == "--fault") {
      const auto text = value();
      if (!text) return std::nullopt;
      std::string reason;
      const auto fault = ParseFault(*text, reason);
      if (!fault) {
        error = "--fault " + *text + ": " + reason;
        return std::nullopt;
      }
      options.faults.Add(*fault);
    } else if (name == "--reset-delay") {
      const auto text = value();
      if (!text) return std::nullopt;
      const auto seconds = ParseSeconds(*text);
      if (!seconds) {
        error = "--reset-delay \"" + *text + "\" is not a number of seconds";
        return std::nullopt;
      }
      options.setup.resetDelay = std::chrono::milliseconds(std::llround(*seconds * 1000.0));
    } else {
      error = "unknown option " + args[i];
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace vkm::sim
