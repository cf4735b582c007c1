#pragma once

#include <string>
#include <string_view>

namespace vkm {

// Texts in the controller's memory are single-byte code page 1251; the rest
// of the program works in UTF-8. These two functions are the only crossing.

// Characters that code page 1251 cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// Every byte value has a character, so this never loses anything: converting
// the result back gives the same bytes.
std::string Cp1251ToUtf8(std::string_view bytes);

}  // namespace vkm
