#include "serial_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <utility>

#include "line_settings.h"
#include "line_wait.h"

namespace keldar::bus {

namespace {

constexpr int kWriteStallMs = 2000;  // a driver that takes no byte this long is gone

}  // namespace

std::optional<SerialLine> SerialLine::Open(const std::string& path, int baud, OpenError* error) {
  OpenError ignored{};
  OpenError& reason = error != nullptr ? *error : ignored;
  reason = OpenError::kNone;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    reason = OpenErrorOf(errno);
    return std::nullopt;
  }
  SerialLine line(fd);
  // Advisory: keeps two programs that ask for it (ours among them) from sharing one bus.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    reason = errno == EWOULDBLOCK ? OpenError::kBusy : OpenError::kFailed;
    return std::nullopt;
  }
  if (!ConfigureLine(fd, baud)) {
    reason = errno == ENOTTY || errno == EINVAL ? OpenError::kNotSerial : OpenErrorOf(errno);
    return std::nullopt;
  }
  line.DiscardInput();
  return line;
}

SerialLine::OpenError SerialLine::OpenErrorOf(int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return OpenError::kNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return OpenError::kAccessDenied;
    case EBUSY:
    case EWOULDBLOCK:
      return OpenError::kBusy;
    case ENOTTY:
    case EISDIR:
      return OpenError::kNotSerial;
    default:
      return OpenError::kFailed;
  }
}

SerialLine::SerialLine(SerialLine&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

SerialLine& SerialLine::operator=(SerialLine&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

SerialLine::~SerialLine() {
  if (fd_ >= 0) ::close(fd_);
}

bool SerialLine::SetSpeed(int baud) { return SetLineSpeed(fd_, baud); }

bool SerialLine::DiscardInput() { return keldar::bus::DiscardInput(fd_); }

bool SerialLine::Write(std::span<const std::uint8_t> bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, kWriteStallMs) <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
      return false;
    }
  }
  return WaitUntilSent(fd_);
}

SerialLine::ReadResult SerialLine::Read(std::vector<std::uint8_t>& into,
                                        std::chrono::microseconds wait) {
  pollfd p{fd_, POLLIN, 0};
  const timespec ts = ToTimespec(wait);
  const int ready = ::ppoll(&p, 1, &ts, nullptr);
  if (ready < 0) return errno == EINTR ? ReadResult::kTimeout : ReadResult::kFailed;
  if (ready == 0) return ReadResult::kTimeout;
  if ((p.revents & POLLIN) == 0) return ReadResult::kFailed;  // hang-up or error
  std::uint8_t chunk[512];
  const ssize_t n = ::read(fd_, chunk, sizeof chunk);
  if (n < 0) return errno == EAGAIN || errno == EINTR ? ReadResult::kTimeout : ReadResult::kFailed;
  if (n == 0) return ReadResult::kFailed;
  into.insert(into.end(), chunk, chunk + n);
  return ReadResult::kData;
}

}  // namespace keldar::bus
