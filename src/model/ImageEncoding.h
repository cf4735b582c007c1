#pragma once

// The encodings that every section of the configuration image shares: bit
// fields, combo indexes, fixed text fields, typed numbers, three-state input
// selectors and IPv4 addresses. Section code is written in terms of these so
// that each rule exists once.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Controls.h"

namespace vkm {

// --- Little-endian integers and floats -------------------------------------

uint16_t GetU16(const uint8_t* p);
void PutU16(uint8_t* p, uint16_t value);
uint32_t GetU32(const uint8_t* p);
void PutU32(uint8_t* p, uint32_t value);
float GetFloat(const uint8_t* p);
void PutFloat(uint8_t* p, float value);

// --- Bit fields: a field writes only its own bits ---------------------------

unsigned GetBits(uint8_t byte, int firstBit, int width);
void SetBits(uint8_t& byte, int firstBit, int width, unsigned value);
bool GetBit(uint8_t byte, int bit);
void SetBit(uint8_t& byte, int bit, bool value);

// --- Combo boxes ------------------------------------------------------------

// A stored value with no item leaves the combo box without a selection (-1).
int ComboIndexFromStored(unsigned stored, std::size_t itemCount);
// Index -1 (no selection) stores as the field's all-ones value.
unsigned StoredFromComboIndex(int index, int width);

// A combo box stored in bits firstBit..firstBit+width-1 of a byte.
int ShowComboBits(uint8_t byte, int firstBit, int width, const Items& items);
void StoreComboBits(uint8_t& byte, int firstBit, int width, int index);

// --- Reaction codes: one byte per output, the index of the reaction list ---

using OutputReactions = std::array<int, 6>;
void StoreReactionCodes(uint8_t* p, const OutputReactions& combos);
void ShowReactionCodes(const uint8_t* p, OutputReactions& combos);

// --- Text fields ------------------------------------------------------------

// Removes blanks (and other control characters) around the text.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);

// A field of `size` bytes: at most size-1 characters in code page 1251, the
// rest NUL.
void StoreText(uint8_t* field, std::size_t size, std::string_view utf8);
// A field with a free tail: at most `maxChars` characters and one NUL; the
// bytes after the NUL keep their content.
void StoreTextFreeTail(uint8_t* field, std::size_t maxChars, std::string_view utf8);
// Reads up to the first NUL or the end of the field.
std::string ShowText(const uint8_t* field, std::size_t size);

// --- Numbers typed in edits ------------------------------------------------

// The whole text (after trimming) must be a decimal integer with an optional
// sign, otherwise it reads as 0. Values beyond 64 bits saturate.
int64_t ReadWholeNumber(std::string_view text);
// Leading blanks are skipped and the leading digits read; reading stops at
// the first other character (a unit suffix). No digits read as 0.
uint64_t ReadLeadingNumber(std::string_view text);
// A typed value stored into a field whose largest value is `max` (an all-ones
// value): above it the field holds `max`, a negative value keeps its low bits.
unsigned LimitToField(int64_t value, unsigned max);

// --- Three-state input selector ("Вх.1" .. "Вх.7") ------------------------

using SourceSelection = std::array<TriState, 7>;
// Writes masks A and B at p[0] and p[1]; bit 7 of both is written as 0.
void StoreSourceMask(uint8_t* p, const SourceSelection& boxes);
SourceSelection ShowSourceMask(const uint8_t* p);

// --- IPv4 address -----------------------------------------------------------

// The four dotted groups; the first lands in the highest-addressed byte.
// A blank group reads as 0, a group above 255 stores 255.
void StoreIpv4(uint8_t* p, std::string_view dotted);
std::string ShowIpv4(const uint8_t* p);

// --- Numbers shown to the user ----------------------------------------------

// General format with at most 7 significant digits, as the analogue scale
// edits show single-precision values.
std::string FormatFloat(float value, char decimalSeparator);
// Reads a decimal number from the start of the text (leading blanks skipped,
// a comma taken as the decimal separator); no number gives 0.
float ReadFloat(std::string_view text);

}  // namespace vkm
