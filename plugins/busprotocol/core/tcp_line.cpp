#include "tcp_line.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "line_wait.h"
#include "name_lookup.h"

namespace keldar::bus {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWriteStallMs = 2000;  // a gateway that takes no byte this long is gone
// A gateway that serves one master accepts a second one and closes at once;
// within this long the close has come back on a local network.
constexpr std::chrono::milliseconds kBusyCheck{50};

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<std::int64_t>(left.count(), 0));
}

enum class Attempt { kConnected, kRefused, kUnreachable, kTimedOut, kFailed };

Attempt Classify(int error) {
  switch (error) {
    case ECONNREFUSED:
      return Attempt::kRefused;
    case ENETUNREACH:
    case EHOSTUNREACH:
    case EADDRNOTAVAIL:
    case EAFNOSUPPORT:
      return Attempt::kUnreachable;
    case ETIMEDOUT:
      return Attempt::kTimedOut;
    default:
      return Attempt::kFailed;
  }
}

// One connect to one address, given up at `deadline`.
Attempt Connect(int fd, const addrinfo& address, Clock::time_point deadline) {
  if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) return Attempt::kConnected;
  if (errno != EINPROGRESS) return Classify(errno);
  for (;;) {
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return Attempt::kFailed;
    if (ready == 0) return Attempt::kTimedOut;
    break;
  }
  int error = 0;
  socklen_t size = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) return Attempt::kFailed;
  return error == 0 ? Attempt::kConnected : Classify(error);
}

// The gateway closed the connection it just accepted.
bool ClosedAtOnce(int fd, Clock::time_point deadline) {
  pollfd p{fd, POLLIN, 0};
  const int wait = std::min<int>(static_cast<int>(kBusyCheck.count()), MillisecondsUntil(deadline));
  if (::poll(&p, 1, wait) <= 0) return false;
  std::uint8_t byte = 0;
  const ssize_t n = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  return n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
}

LineOpenError ErrorOf(Attempt attempt) {
  switch (attempt) {
    case Attempt::kRefused:
      return LineOpenError::kRefused;
    case Attempt::kUnreachable:
      return LineOpenError::kNotFound;
    case Attempt::kTimedOut:
      return LineOpenError::kTimedOut;
    default:
      return LineOpenError::kFailed;
  }
}

}  // namespace

std::unique_ptr<TcpLine> TcpLine::Open(const mbus::GatewayAddress& address,
                                       std::chrono::milliseconds limit, LineOpenError* error) {
  LineOpenError ignored{};
  LineOpenError& reason = error != nullptr ? *error : ignored;
  const Clock::time_point deadline = Clock::now() + limit;
  AddressInfo found;
  switch (LookUpHost(address.host, address.port, deadline, found)) {
    case LookupResult::kFound:
      break;
    case LookupResult::kNoSuchHost:
      reason = LineOpenError::kNoSuchHost;
      return nullptr;
    case LookupResult::kTimedOut:
      reason = LineOpenError::kTimedOut;
      return nullptr;
    case LookupResult::kFailed:
      reason = LineOpenError::kFailed;
      return nullptr;
  }
  // Each address in turn (a name may give IPv6 and IPv4); the most telling
  // failure is reported.
  Attempt worst = Attempt::kFailed;
  for (const addrinfo* a = found.get(); a != nullptr; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) continue;
    std::unique_ptr<TcpLine> line(new TcpLine(fd));
    const Attempt attempt = Connect(fd, *a, deadline);
    if (attempt == Attempt::kConnected) {
      if (ClosedAtOnce(fd, deadline)) {
        reason = LineOpenError::kBusy;
        return nullptr;
      }
      // Requests are short and each must leave at once.
      const int on = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
      reason = LineOpenError::kNone;
      return line;
    }
    if (attempt == Attempt::kTimedOut) {
      reason = LineOpenError::kTimedOut;
      return nullptr;
    }
    if (worst == Attempt::kFailed || attempt == Attempt::kRefused) worst = attempt;
  }
  reason = ErrorOf(worst);
  return nullptr;
}

TcpLine::~TcpLine() {
  if (fd_ >= 0) ::close(fd_);
}

bool TcpLine::DiscardInput() {
  std::uint8_t chunk[512];
  while (!closed_) {
    const ssize_t n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n > 0) continue;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    closed_ = true;  // end of stream, or a reset
  }
  return !closed_;
}

bool TcpLine::Write(std::span<const std::uint8_t> bytes) {
  if (closed_) return false;
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n =
        ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      closed_ = true;
      return false;
    }
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, kWriteStallMs) <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
      return false;
    }
  }
  return true;
}

BusLine::ReadResult TcpLine::Read(std::vector<std::uint8_t>& into, std::chrono::microseconds wait) {
  if (closed_) return ReadResult::kFailed;
  pollfd p{fd_, POLLIN, 0};
  const timespec ts = ToTimespec(wait);
  const int ready = ::ppoll(&p, 1, &ts, nullptr);
  if (ready < 0) return errno == EINTR ? ReadResult::kTimeout : ReadResult::kFailed;
  if (ready == 0) return ReadResult::kTimeout;
  std::uint8_t chunk[512];
  const ssize_t n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
    return ReadResult::kTimeout;
  if (n <= 0) {
    closed_ = true;
    return ReadResult::kFailed;
  }
  into.insert(into.end(), chunk, chunk + n);
  return ReadResult::kData;
}

}  // namespace keldar::bus
