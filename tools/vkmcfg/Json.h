#pragma once

#include <string>
#include <string_view>

namespace vkm {

// A JSON string literal for UTF-8 text, with the characters JSON requires
// escaped.
std::string JsonString(std::string_view text);

}  // namespace vkm
