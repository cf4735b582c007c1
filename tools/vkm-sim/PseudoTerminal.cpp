#include "vkm-sim/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace vkm::sim {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

int PollTimeout(std::chrono::milliseconds timeout) {
  return static_cast<int>(std::max<long long>(0, std::min<long long>(timeout.count(), 60'000)));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) Fail("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    const int saved = errno;
    close(master_);
    errno = saved;
    Fail("grantpt/unlockpt");
  }
  const char* name = ptsname(master_);
  if (name == nullptr) {
    close(master_);
    Fail("ptsname");
  }
  slavePath_ = name;

  slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
  if (slave_ < 0) {
    close(master_);
    Fail("open " + slavePath_);
  }
  // Raw from the start: an echoing line discipline would hand the replies
  // back to the simulator before any configurator has set up the port.
  termios settings{};
  if (tcgetattr(slave_, &settings) == 0) {
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= static_cast<tcflag_t>(~HUPCL);
    cfsetispeed(&settings, B19200);
    cfsetospeed(&settings, B19200);
    tcsetattr(slave_, TCSANOW, &settings);
  }
  const int flags = fcntl(master_, F_GETFL);
  if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
    close(slave_);
    close(master_);
    Fail("fcntl");
  }
}

PseudoTerminal::~PseudoTerminal() {
  close(slave_);
  close(master_);
}

PseudoTerminal::Wait PseudoTerminal::WaitForInput(int wakeFd, std::chrono::milliseconds timeout) const {
  pollfd fds[2] = {{master_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
  const int ready = poll(fds, wakeFd >= 0 ? 2 : 1, PollTimeout(timeout));
  if (ready < 0) return errno == EINTR ? Wait::Woken : Wait::TimedOut;
  if (ready == 0) return Wait::TimedOut;
  if (wakeFd >= 0 && (fds[1].revents & POLLIN) != 0) return Wait::Woken;
  if ((fds[0].revents & POLLIN) != 0) return Wait::Readable;
  // A hung-up line would report itself at once, over and over; pace it.
  poll(nullptr, 0, 50);
  return Wait::TimedOut;
}

std::size_t PseudoTerminal::Read(std::span<uint8_t> buffer) const {
  const ssize_t n = read(master_, buffer.data(), buffer.size());
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::size_t PseudoTerminal::Write(std::span<const uint8_t> bytes, std::chrono::milliseconds patience) const {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(master_, bytes.data() + written, bytes.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;
    pollfd fd{master_, POLLOUT, 0};
    if (poll(&fd, 1, PollTimeout(patience)) <= 0) break;
  }
  return written;
}

}  // namespace vkm::sim
