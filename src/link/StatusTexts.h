#pragma once

#include <QString>

namespace vkm {

// The texts an operation shows, by their index in the operation status table.
enum StatusText : int {
  kCannotOpenPort = 0,  // followed by the port name
  kIdentifying = 1,
  kWriting = 2,
  kPortError = 3,  // followed by the port name
  kReading = 4,
  kProgrammed = 5,
  kVerifyMismatch = 6,
  kDataRead = 7,
  kCompareEqual = 8,
  kCompareDifferent = 9,
  kVersionRead = 10,
  kDataSent = 11,
  kRestartStarted = 12,
  kNoValidReply = 13,
  kNoReply = 14,
  kTransferError1 = 15,
  kTransferError2 = 16,
  kTransferError3 = 17,
  kFlashError = 18,
  kPasswordRequired = 19,
  kStatusTextCount = 20,
};

QString StatusTextOf(StatusText index);

}  // namespace vkm
