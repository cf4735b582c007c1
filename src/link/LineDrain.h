#pragma once

#include <QtGlobal>

namespace vkm {

// Waits until the bytes written to a serial port have been sent out on the
// line, not merely handed to the driver. The only platform-specific call of
// the serial layer.
void DrainSerialLine(qintptr handle);

}  // namespace vkm
