// A TCP connection to an M-Bus gateway: the gateway puts our bytes on its bus
// and sends back what the meters answer, so the line speed is the gateway's.
#pragma once

#include <chrono>
#include <memory>

#include "base/bus/gateway_address.h"
#include "bus_line.h"

namespace keldar::bus {

class TcpLine final : public BusLine {
 public:
  // Name look-up included: the open never takes longer.
  static constexpr std::chrono::milliseconds kConnectLimit{3000};

  // Connects to the gateway within `limit`; empty with the reason in `error`
  // when it cannot, or when the gateway closes at once (another master holds it).
  static std::unique_ptr<TcpLine> Open(const mbus::GatewayAddress& address,
                                       std::chrono::milliseconds limit, LineOpenError* error);

  TcpLine(const TcpLine&) = delete;
  TcpLine& operator=(const TcpLine&) = delete;
  ~TcpLine() override;

  // The gateway's bus keeps its own speed: nothing to change on the wire.
  bool SetSpeed(int baud) override { return baud > 0; }
  // False once the gateway has closed the connection.
  bool DiscardInput() override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  // A closed connection is a failed read.
  ReadResult Read(std::vector<std::uint8_t>& into, std::chrono::microseconds wait) override;

 private:
  explicit TcpLine(int fd) : fd_(fd) {}
  int fd_ = -1;
  bool closed_ = false;
};

}  // namespace keldar::bus
