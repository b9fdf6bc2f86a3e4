#pragma once

#include <functional>

#include "keldar/bus_protocol_types.h"

// What every bus exchange needs: the M-Bus library, the open port, and the
// question whether the run should stop (checked before each exchange, so a
// closing window never waits for a whole search).
struct BusLink {
  const KeldarBusProtocolLibrary* lib = nullptr;
  KeldarBusPort* port = nullptr;
  std::function<bool()> stopRequested;

  bool Stopping() const { return stopRequested && stopRequested(); }
};

// The library's objects an exchange creates, deleted again when it ends.
class BusTelegram {
 public:
  explicit BusTelegram(const KeldarBusProtocolLibrary* lib)
      : lib_(lib), telegram_(keldar_bus_CreateTelegramMbus(lib)) {}
  ~BusTelegram() {
    if (telegram_ != nullptr) keldar_bus_DeleteTelegramMbus(lib_, telegram_);
  }
  BusTelegram(const BusTelegram&) = delete;
  BusTelegram& operator=(const BusTelegram&) = delete;
  KeldarBusTelegram* get() const { return telegram_; }
  KeldarBusTelegram* operator->() const { return telegram_; }

 private:
  const KeldarBusProtocolLibrary* lib_;
  KeldarBusTelegram* telegram_;
};

class BusBuffer {
 public:
  explicit BusBuffer(const KeldarBusProtocolLibrary* lib)
      : lib_(lib), data_(keldar_bus_CreateDataMbus(lib)) {}
  ~BusBuffer() {
    if (data_ != nullptr) keldar_bus_DeleteDataMbus(lib_, data_);
  }
  BusBuffer(const BusBuffer&) = delete;
  BusBuffer& operator=(const BusBuffer&) = delete;
  KeldarBusData* get() const { return data_; }

 private:
  const KeldarBusProtocolLibrary* lib_;
  KeldarBusData* data_;
};
