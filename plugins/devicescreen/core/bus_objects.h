// The M-Bus library's objects one exchange needs, released through the
// library when the exchange ends.
#pragma once

#include "keldar/bus_protocol_types.h"

namespace devicescreen {

template <typename T, T* (*Create)(const KeldarBusProtocolLibrary*),
          void (*Delete)(const KeldarBusProtocolLibrary*, T*)>
class BusObject {
 public:
  explicit BusObject(const KeldarBusProtocolLibrary* lib) : lib_(lib), object_(Create(lib)) {}
  ~BusObject() {
    if (object_ != nullptr) Delete(lib_, object_);
  }
  BusObject(const BusObject&) = delete;
  BusObject& operator=(const BusObject&) = delete;

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  const KeldarBusProtocolLibrary* lib_;
  T* object_;
};

using BusTelegram =
    BusObject<KeldarBusTelegram, keldar_bus_CreateTelegramMbus, keldar_bus_DeleteTelegramMbus>;
using BusBuffer = BusObject<KeldarBusData, keldar_bus_CreateDataMbus, keldar_bus_DeleteDataMbus>;

}  // namespace devicescreen
