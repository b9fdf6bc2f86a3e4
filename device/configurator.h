#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "device/bus_link.h"
#include "keldar/device_record.h"

// The identified devices and the bus exchanges every screen builds on. One
// object for the process, created before main().
class CConfigurator {
 public:
  // SND_NKE to `address`: the parser's result, 1 when acknowledged.
  int Ping(const BusLink& link, std::uint8_t address) const;
  // REQ_UD2 to `address` until no further telegram follows, gathering the
  // header and every record into `target`: the last parser result, 4 when
  // user data arrived. `telegrams`, when given, counts the telegrams that came.
  int ReadUserData(const BusLink& link, std::uint8_t address, KeldarBusTelegram* target,
                   int* telegrams = nullptr) const;
  // The meter's model / other-software version of sub-unit `unit` into `text`
  // (cut to `size`); left as it was when the meter reports none.
  void ReadDeviceModel(const BusLink& link, std::uint8_t address, char* text, std::size_t size,
                       int unit) const;
  void ReadOtherSoftwareVersion(const BusLink& link, std::uint8_t address, char* text,
                                std::size_t size, int unit) const;

  // Sends the long frame already built in `telegram`, reads and parses the
  // answer into the same telegram: the parser's result.
  int SendLongFrame(const BusLink& link, KeldarBusTelegram* telegram) const;

  // The identified-device list (main thread, or the one connect worker).
  void ClearDevices();
  KeldarDeviceRecord& AddDevice(const KeldarDeviceRecord& record);
  std::size_t DeviceCount() const;
  KeldarDeviceRecord* Device(std::size_t index) const;

 private:
  int ReadIdentificationText(const BusLink& link, std::uint8_t address, char* text,
                             std::size_t size, int unit, bool model) const;

  mutable std::mutex devicesMutex_;
  std::vector<std::unique_ptr<KeldarDeviceRecord>> devices_;
};

CConfigurator& Configurator();

// Records of a decoded telegram, for range-for.
class TelegramRecords {
 public:
  TelegramRecords(const KeldarBusProtocolLibrary* lib, KeldarBusTelegram* telegram)
      : lib_(lib), telegram_(telegram) {}
  std::vector<const KeldarBusDataInfoBlock*> All() const;

 private:
  const KeldarBusProtocolLibrary* lib_;
  KeldarBusTelegram* telegram_;
};

// True when the record carries a VIFE with `code` (extension bit removed).
bool HasVife(const KeldarBusDataInfoBlock& record, std::uint8_t code);
