#include "model/ImageEncoding.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cstring>
#include <limits>

#include "model/Cp1251.h"
#include "model/ItemLists.h"

namespace vkm {

uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void PutU16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutU32(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

float GetFloat(const uint8_t* p) {
  const uint32_t bits = GetU32(p);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void PutFloat(uint8_t* p, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutU32(p, bits);
}

unsigned GetBits(uint8_t byte, int firstBit, int width) {
  return (static_cast<unsigned>(byte) >> firstBit) & ((1u << width) - 1u);
}

void SetBits(uint8_t& byte, int firstBit, int width, unsigned value) {
  const unsigned mask = ((1u << width) - 1u) << firstBit;
  byte = static_cast<uint8_t>((byte & ~mask) | ((value << firstBit) & mask));
}

bool GetBit(uint8_t byte, int bit) { return GetBits(byte, bit, 1) != 0; }

void SetBit(uint8_t& byte, int bit, bool value) { SetBits(byte, bit, 1, value ? 1u : 0u); }

int ComboIndexFromStored(unsigned stored, std::size_t itemCount) {
  return stored < itemCount ? static_cast<int>(stored) : -1;
}

unsigned StoredFromComboIndex(int index, int width) {
  return static_cast<unsigned>(index) & ((1u << width) - 1u);
}

int ShowComboBits(uint8_t byte, int firstBit, int width, const Items& items) {
  return ComboIndexFromStored(GetBits(byte, firstBit, width), items.size());
}

void StoreComboBits(uint8_t& byte, int firstBit, int width, int index) {
  SetBits(byte, firstBit, width, StoredFromComboIndex(index, width));
}

void StoreReactionCodes(uint8_t* p, const OutputReactions& combos) {
  for (std::size_t i = 0; i < combos.size(); ++i) p[i] = static_cast<uint8_t>(StoredFromComboIndex(combos[i], 8));
}

void ShowReactionCodes(const uint8_t* p, OutputReactions& combos) {
  for (std::size_t i = 0; i < combos.size(); ++i) combos[i] = ComboIndexFromStored(p[i], ReactionItems().size());
}

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string TrimLeft(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return std::string(text.substr(first));
}

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

void StoreText(uint8_t* field, std::size_t size, std::string_view utf8) {
  const std::string bytes = Utf8ToCp1251(utf8);
  std::fill(field, field + size, uint8_t{0});
  std::memcpy(field, bytes.data(), std::min(bytes.size(), size));
  field[size - 1] = 0;
}

void StoreTextFreeTail(uint8_t* field, std::size_t maxChars, std::string_view utf8) {
  const std::string bytes = Utf8ToCp1251(utf8);
  const std::size_t count = std::min(bytes.size(), maxChars);
  std::memcpy(field, bytes.data(), count);
  field[count] = 0;
}

std::string ShowText(const uint8_t* field, std::size_t size) {
  const auto* begin = reinterpret_cast<const char*>(field);
  const std::size_t length = std::find(begin, begin + size, '\0') - begin;
  return Cp1251ToUtf8(std::string_view(begin, length));
}

int64_t ReadWholeNumber(std::string_view text) {
  const std::string trimmed = Trim(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < trimmed.size() && (trimmed[i] == '+' || trimmed[i] == '-')) {
    negative = trimmed[i] == '-';
    ++i;
  }
  if (i == trimmed.size()) return 0;
  int64_t value = 0;
  for (; i < trimmed.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(trimmed[i]))) return 0;
    const int digit = trimmed[i] - '0';
    if (value > (std::numeric_limits<int64_t>::max() - digit) / 10) {
      value = std::numeric_limits<int64_t>::max();
    } else {
      value = value * 10 + digit;
    }
  }
  return negative ? -value : value;
}

uint64_t ReadLeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  uint64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) {
      value = std::numeric_limits<uint64_t>::max();
    } else {
      value = value * 10 + digit;
    }
  }
  return value;
}

unsigned LimitToField(int64_t value, unsigned max) {
  if (value > static_cast<int64_t>(max)) return max;
  return static_cast<unsigned>(static_cast<uint64_t>(value) & max);
}

void StoreSourceMask(uint8_t* p, const SourceSelection& boxes) {
  uint8_t a = 0;
  uint8_t b = 0;
  for (std::size_t n = 0; n < boxes.size(); ++n) {
    if (boxes[n] != TriState::Unchecked) a = static_cast<uint8_t>(a | (1u << n));
    if (boxes[n] == TriState::Checked) b = static_cast<uint8_t>(b | (1u << n));
  }
  p[0] = a;
  p[1] = b;
}

SourceSelection ShowSourceMask(const uint8_t* p) {
  SourceSelection boxes;
  boxes.fill(TriState::Unchecked);
  for (std::size_t n = 0; n < boxes.size(); ++n) {
    if (GetBit(p[0], static_cast<int>(n))) boxes[n] = TriState::Grayed;
  }
  for (std::size_t n = 0; n < boxes.size(); ++n) {
    if (GetBit(p[1], static_cast<int>(n))) boxes[n] = TriState::Checked;
  }
  return boxes;
}

void StoreIpv4(uint8_t* p, std::string_view dotted) {
  // Split at the dots rather than at fixed positions, so that the rule holds
  // whether or not the edit pads its groups with blanks.
  std::string_view rest = dotted;
  for (int group = 0; group < 4; ++group) {
    const std::size_t dot = rest.find('.');
    const uint64_t value = ReadLeadingNumber(rest.substr(0, dot));
    p[3 - group] = static_cast<uint8_t>(std::min<uint64_t>(value, 255));
    rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
  }
}

std::string ShowIpv4(const uint8_t* p) {
  return std::to_string(p[3]) + "." + std::to_string(p[2]) + "." + std::to_string(p[1]) + "." +
         std::to_string(p[0]);
}

std::string FormatFloat(float value, char decimalSeparator) {
  // to_chars ignores the process locale, which the GUI toolkit changes.
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, 7);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

float ReadFloat(std::string_view text) {
  std::string copy(text);
  std::replace(copy.begin(), copy.end(), ',', '.');
  std::size_t first = 0;
  while (first < copy.size() && IsBlank(copy[first])) ++first;
  if (first < copy.size() && copy[first] == '+') ++first;
  // Only plain decimal notation counts: from_chars alone would take "inf".
  std::size_t mantissa = first;
  if (mantissa < copy.size() && copy[mantissa] == '-') ++mantissa;
  if (mantissa == copy.size() || !(std::isdigit(static_cast<unsigned char>(copy[mantissa])) || copy[mantissa] == '.')) {
    return 0.0f;
  }
  // from_chars stops at the first character that cannot continue the number.
  double value = 0.0;
  const auto result = std::from_chars(copy.data() + first, copy.data() + copy.size(), value);
  if (result.ec != std::errc()) return 0.0f;
  const double largest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -largest, largest));
}

}  // namespace vkm
