// The M-Bus library's objects, each released through the library that made it.
#pragma once

#include <cstdint>
#include <utility>

#include "base/bus/constants.h"
#include "keldar/bus_protocol_types.h"

namespace mbus {

// `Delete` frees a T through the library. A type, not the helper itself: the
// helpers are static, and a type named after one would differ in every file.
template <typename T, typename Delete>
class Owned {
 public:
  Owned(const KeldarBusProtocolLibrary* lib, T* object) : lib_(lib), object_(object) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept
      : lib_(other.lib_), object_(std::exchange(other.object_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset();
      lib_ = other.lib_;
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Hands the object to an owner outside C++ (the port to a screen).
  T* release() { return std::exchange(object_, nullptr); }

 private:
  void Reset() {
    if (object_ != nullptr) Delete{}(lib_, std::exchange(object_, nullptr));
  }

  const KeldarBusProtocolLibrary* lib_;
  T* object_;
};

struct DeleteTelegram {
  void operator()(const KeldarBusProtocolLibrary* lib, KeldarBusTelegram* telegram) const {
    keldar_bus_DeleteTelegramMbus(lib, telegram);
  }
};
struct DeleteBuffer {
  void operator()(const KeldarBusProtocolLibrary* lib, KeldarBusData* buffer) const {
    keldar_bus_DeleteDataMbus(lib, buffer);
  }
};
struct DeletePort {
  void operator()(const KeldarBusProtocolLibrary* lib, KeldarBusPort* port) const {
    keldar_bus_DeleteCProcessComPort(lib, port);
  }
};

using Telegram = Owned<KeldarBusTelegram, DeleteTelegram>;
using Buffer = Owned<KeldarBusData, DeleteBuffer>;
using Port = Owned<KeldarBusPort, DeletePort>;

inline Telegram NewTelegram(const KeldarBusProtocolLibrary* lib) {
  return Telegram(lib, keldar_bus_CreateTelegramMbus(lib));
}
inline Buffer NewBuffer(const KeldarBusProtocolLibrary* lib) {
  return Buffer(lib, keldar_bus_CreateDataMbus(lib));
}
// The port at `path`, talking to `address` (any slave unless told). Check
// PortUsable(): the library makes a port object also when it cannot open it.
inline Port OpenPort(const KeldarBusProtocolLibrary* lib, const char* path, int baud,
                     std::uint8_t address = kAddressAny) {
  return Port(lib, keldar_bus_CreateCProcessComPort(lib, 0, address, path, baud));
}

}  // namespace mbus
