// The M-Bus library as keldar-cli uses it: loaded through the shell's own
// wrapper, with the library objects an exchange needs.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "device/bus_protocol_library.h"
#include "device/port_problem.h"
#include "keldar/bus_protocol_types.h"

namespace keldar::cli {

// Owns one library object and frees it through the library.
template <typename T, typename Free>
class BusObject {
 public:
  BusObject(const KeldarBusProtocolLibrary* lib, T* object) : lib_(lib), object_(object) {}
  BusObject(const BusObject&) = delete;
  BusObject& operator=(const BusObject&) = delete;
  ~BusObject() {
    if (object_ != nullptr) Free{}(lib_, object_);
  }
  T* get() const { return object_; }
  T* operator->() const { return object_; }

 private:
  const KeldarBusProtocolLibrary* lib_;
  T* object_;
};

struct FreeTelegram {
  void operator()(const KeldarBusProtocolLibrary* lib, KeldarBusTelegram* t) const {
    keldar_bus_DeleteTelegramMbus(lib, t);
  }
};
struct FreeBuffer {
  void operator()(const KeldarBusProtocolLibrary* lib, KeldarBusData* d) const {
    keldar_bus_DeleteDataMbus(lib, d);
  }
};
struct FreePort {
  void operator()(const KeldarBusProtocolLibrary* lib, KeldarBusPort* p) const {
    keldar_bus_DeleteCProcessComPort(lib, p);
  }
};

using Telegram = BusObject<KeldarBusTelegram, FreeTelegram>;
using Buffer = BusObject<KeldarBusData, FreeBuffer>;
using Port = BusObject<KeldarBusPort, FreePort>;

// True when the library opened `port` and the line is usable.
inline bool PortOpen(const KeldarBusProtocolLibrary* lib, KeldarBusPort* port) {
  return port != nullptr && keldar_bus_CProcessComPortGetStatus(lib, port) != 0;
}

// "cannot open port P: why, and what to do", for a port that is not open.
inline std::string PortOpenFailure(const KeldarBusProtocolLibrary* lib, const KeldarBusPort* port,
                                   const std::string& path) {
  const PortProblem* problem = PortProblemOf(keldar_bus_CProcessComPortGetOpenError(lib, port));
  return "cannot open port " + path +
         (problem != nullptr ? ": " + WithPort(problem->english, path) : std::string());
}

inline Telegram NewTelegram(const KeldarBusProtocolLibrary* lib) {
  return Telegram(lib, keldar_bus_CreateTelegramMbus(lib));
}
inline Buffer NewBuffer(const KeldarBusProtocolLibrary* lib) {
  return Buffer(lib, keldar_bus_CreateDataMbus(lib));
}

}  // namespace keldar::cli
