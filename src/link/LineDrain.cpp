#include "link/LineDrain.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <termios.h>
#endif

namespace vkm {

void DrainSerialLine(qintptr handle) {
#ifdef _WIN32
  FlushFileBuffers(reinterpret_cast<HANDLE>(handle));
#else
  tcdrain(static_cast<int>(handle));
#endif
}

}  // namespace vkm
