#include "tcp_gateway.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace keldar::sim {

namespace {

int Listen(int family, int port) {
  const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_storage address{};
  socklen_t size = 0;
  if (family == AF_INET) {
    auto& v4 = reinterpret_cast<sockaddr_in&>(address);
    v4.sin_family = AF_INET;
    v4.sin_port = htons(static_cast<std::uint16_t>(port));
    v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    size = sizeof v4;
  } else {
    auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
    v6.sin6_family = AF_INET6;
    v6.sin6_port = htons(static_cast<std::uint16_t>(port));
    v6.sin6_addr = in6addr_loopback;
    ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
    size = sizeof v6;
  }
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(fd, 4) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

int BoundPort(int fd) {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
  return ntohs(address.sin_port);
}

}  // namespace

std::unique_ptr<TcpGateway> TcpGateway::Open(int port, int speed, std::string& error) {
  const int v4 = Listen(AF_INET, port);
  if (v4 < 0) {
    error = "cannot listen on 127.0.0.1:" + std::to_string(port);
    return nullptr;
  }
  std::unique_ptr<TcpGateway> gateway(new TcpGateway(BoundPort(v4), speed));
  gateway->listeners_.push_back(v4);
  // A machine without IPv6 is served on IPv4 alone.
  if (const int v6 = Listen(AF_INET6, gateway->port_); v6 >= 0) gateway->listeners_.push_back(v6);
  return gateway;
}

TcpGateway::~TcpGateway() {
  Drop();
  for (const int fd : listeners_) ::close(fd);
}

void TcpGateway::Drop() {
  if (client_ < 0) return;
  ::close(client_);
  client_ = -1;
  ++session_;
}

bool TcpGateway::ClientGone() const {
  std::uint8_t byte = 0;
  const ssize_t n = ::recv(client_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

void TcpGateway::Accept(int listener) {
  const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  // A master that has just hung up makes room for the next, which may knock
  // before we have read the hang-up.
  if (client_ >= 0 && ClientGone()) Drop();
  if (client_ >= 0) {
    ::close(fd);  // one master at a time
    return;
  }
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  client_ = fd;
  ++session_;
}

bool TcpGateway::Read(Bytes& into, std::chrono::milliseconds wait) {
  std::vector<pollfd> watched;
  for (const int fd : listeners_) watched.push_back({fd, POLLIN, 0});
  if (client_ >= 0) watched.push_back({client_, POLLIN, 0});
  const int ready =
      ::poll(watched.data(), static_cast<nfds_t>(watched.size()), static_cast<int>(wait.count()));
  if (ready < 0) return errno == EINTR;
  for (std::size_t i = 0; i < listeners_.size(); ++i) {
    if (watched[i].revents & POLLIN) {
      Accept(listeners_[i]);
      return true;
    }
  }
  if (client_ < 0 || watched.back().revents == 0) return true;
  std::uint8_t chunk[512];
  const ssize_t n = ::recv(client_, chunk, sizeof chunk, 0);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  if (n <= 0) {
    Drop();  // the master has gone; wait for the next
    return true;
  }
  into.insert(into.end(), chunk, chunk + n);
  return true;
}

bool TcpGateway::Write(const Bytes& bytes, bool paced, Clock::time_point start, int baud) {
  WritePaced(bytes, paced, start, baud, [this](const std::uint8_t* data, std::size_t size) {
    while (size > 0 && client_ >= 0) {
      const ssize_t n = ::send(client_, data, size, MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        Drop();
        break;
      }
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return true;
  });
  return true;
}

}  // namespace keldar::sim
