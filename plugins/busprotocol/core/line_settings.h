// Terminal settings of a serial line through the kernel's termios2 interface,
// which also takes rates without a B-constant (76800).
#pragma once

#include <optional>

namespace keldar::bus {

// Raw bytes, 8 data bits, even parity, 1 stop bit, at `baud`.
bool ConfigureLine(int fd, int baud);
bool SetLineSpeed(int fd, int baud);
std::optional<int> ReadLineSpeed(int fd);
bool DiscardInput(int fd);
bool WaitUntilSent(int fd);

}  // namespace keldar::bus
