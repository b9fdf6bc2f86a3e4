// The simulator as an M-Bus gateway on the network: listens on 127.0.0.1 and
// ::1, serves one master at a time (a second connection is accepted and
// closed at once) and puts its bytes on a bus of a fixed speed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim_line.h"

namespace keldar::sim {

class TcpGateway final : public SimLine {
 public:
  // `port` 0 takes a free one (Port() tells which); `speed` is the bus's.
  static std::unique_ptr<TcpGateway> Open(int port, int speed, std::string& error);
  TcpGateway(const TcpGateway&) = delete;
  TcpGateway& operator=(const TcpGateway&) = delete;
  ~TcpGateway() override;

  int Port() const { return port_; }
  int LineSpeed() const override { return speed_; }
  // Takes a new master, turns away a second one, or reads the master's bytes.
  bool Read(Bytes& into, std::chrono::milliseconds wait) override;
  // To the master; without one (or once it has gone) the bytes are lost, as on a bus.
  bool Write(const Bytes& bytes, bool paced, Clock::time_point start, int baud) override;
  std::uint64_t Session() const override { return session_; }
  void Drop() override;

 private:
  TcpGateway(int port, int speed) : port_(port), speed_(speed) {}
  void Accept(int listener);
  // The master closed its end (nothing left unread before the close).
  bool ClientGone() const;

  int port_ = 0;
  int speed_ = 0;
  std::vector<int> listeners_;
  int client_ = -1;
  std::uint64_t session_ = 0;
};

}  // namespace keldar::sim
