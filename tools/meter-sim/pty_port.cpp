// <asm/termbits.h> gives termios2 (the speed as a number); <termios.h> cannot
// be included beside it, so the slave's raw mode is set through it as well.
#include "pty_port.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace keldar::sim {

namespace {

bool MakeRaw(int fd) {
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_iflag = 0;
  t.c_oflag = 0;
  t.c_lflag = 0;  // above all no ECHO: our answers must not come back to us
  t.c_cflag = (t.c_cflag & (CBAUD | CIBAUD)) | CS8 | CREAD | CLOCAL;
  return ioctl(fd, TCSETS2, &t) == 0;
}

}  // namespace

std::optional<PtyPort> PtyPort::Open(std::string& error) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    error = "no pseudo-terminal";
    if (master >= 0) ::close(master);
    return std::nullopt;
  }
  char name[128];
  if (::ptsname_r(master, name, sizeof name) != 0) {
    ::close(master);
    error = "no pseudo-terminal name";
    return std::nullopt;
  }
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0 || !MakeRaw(slave)) {
    ::close(master);
    if (slave >= 0) ::close(slave);
    error = "cannot set up the pseudo-terminal";
    return std::nullopt;
  }
  return PtyPort(master, slave, name);
}

PtyPort::PtyPort(PtyPort&& other) noexcept
    : master_(other.master_), slave_(other.slave_), path_(std::move(other.path_)) {
  other.master_ = other.slave_ = -1;
}

PtyPort::~PtyPort() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
}

int PtyPort::LineSpeed() const {
  termios2 t{};
  if (ioctl(master_, TCGETS2, &t) != 0) return 0;  // the master reports the slave's settings
  return static_cast<int>(t.c_ospeed);
}

bool PtyPort::Read(Bytes& into, std::chrono::milliseconds wait) {
  pollfd p{master_, POLLIN, 0};
  const int ready = ::poll(&p, 1, static_cast<int>(wait.count()));
  if (ready < 0) return errno == EINTR;
  if (ready == 0) return true;
  std::uint8_t chunk[512];
  const ssize_t n = ::read(master_, chunk, sizeof chunk);
  if (n < 0) return errno == EINTR || errno == EAGAIN;
  into.insert(into.end(), chunk, chunk + n);
  return true;
}

bool PtyPort::Write(const Bytes& bytes, bool paced, Clock::time_point start, int baud) {
  return WritePaced(bytes, paced, start, baud, [this](const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
      const ssize_t n = ::write(master_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  });
}

}  // namespace keldar::sim
