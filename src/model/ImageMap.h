#pragma once

// Where each section lives in the 3520-byte configuration image. Records are
// numbered from 1, as the section tree numbers them.

#include <cstddef>

namespace vkm {

struct RecordTable {
  std::size_t offset;  // image offset of record 1
  std::size_t size;    // bytes per record
  int count;

  constexpr std::size_t Offset(int record) const { return offset + size * static_cast<std::size_t>(record - 1); }
};

constexpr RecordTable kSimRecords{28, 48, 2};
constexpr std::size_t kConnectionsCommonOffset = 124;  // bytes 124 and 125
constexpr std::size_t kDtmfPasswordOffset = 141;
constexpr std::size_t kDtmfPasswordSize = 5;
constexpr std::size_t kSmsPasswordOffset = 146;
constexpr std::size_t kSmsPasswordSize = 9;
constexpr RecordTable kConnectionRecords{156, 31, 8};
constexpr std::size_t kInputsCommonOffset = 405;
constexpr RecordTable kInputRecords{408, 88, 8};  // record 8 has no section
constexpr RecordTable kOutputRecords{1112, 52, 6};
constexpr RecordTable kScenarioRecords{1424, 34, 14};
constexpr std::size_t kClockOffset = 1900;  // time zone, summer time, information message
constexpr RecordTable kSchedulerRows{1908, 16, 8};
constexpr std::size_t kPowerOffset = 2036;  // bytes 2036..2054
constexpr std::size_t kGprsCommonOffset = 2072;
constexpr RecordTable kServerRecords{2156, 44, 3};
constexpr std::size_t kRegistratorOffset = 2288;
constexpr RecordTable kPerimeterRecords{2303, 48, 4};  // record 1 holds the Arm In settings
constexpr RecordTable kTouchKeyRecords{2496, 32, 32};

}  // namespace vkm
