// Kept apart: <asm/termbits.h> and the C library's <termios.h> cannot meet.
#include "line_settings.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace keldar::bus {

namespace {

bool Get(int fd, termios2& settings) { return ioctl(fd, TCGETS2, &settings) == 0; }
bool Set(int fd, const termios2& settings) { return ioctl(fd, TCSETS2, &settings) == 0; }

void PutSpeed(termios2& settings, int baud) {
  settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER;
  settings.c_ispeed = static_cast<speed_t>(baud);
  settings.c_ospeed = static_cast<speed_t>(baud);
}

}  // namespace

bool ConfigureLine(int fd, int baud) {
  if (baud <= 0) return false;
  termios2 settings{};
  if (!Get(fd, settings)) return false;
  // Characters with a parity error are dropped: a frame missing one fails
  // its length or check sum instead of carrying a wrong byte.
  settings.c_iflag = IGNBRK | INPCK | IGNPAR;
  settings.c_oflag = 0;
  settings.c_lflag = 0;
  settings.c_cflag = CS8 | PARENB | CREAD | CLOCAL;
  for (auto& c : settings.c_cc) c = 0;
  PutSpeed(settings, baud);
  return Set(fd, settings);
}

bool SetLineSpeed(int fd, int baud) {
  if (baud <= 0) return false;
  termios2 settings{};
  if (!Get(fd, settings)) return false;
  PutSpeed(settings, baud);
  return Set(fd, settings);
}

std::optional<int> ReadLineSpeed(int fd) {
  termios2 settings{};
  if (!Get(fd, settings)) return std::nullopt;
  return static_cast<int>(settings.c_ospeed);
}

bool DiscardInput(int fd) { return ioctl(fd, TCFLSH, TCIFLUSH) == 0; }

bool WaitUntilSent(int fd) { return ioctl(fd, TCSBRK, 1) == 0; }

}  // namespace keldar::bus
