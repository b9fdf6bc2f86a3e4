#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/bus/link.h"
#include "base/bus/selection.h"
#include "device/identify_reason.h"

class DeviceList;
class IniFile;
class FirmwareCatalogue;

// What the connect-and-identify run tells the one who started it. The window
// forwards each call to the main thread; the command line prints it.
class IdentifyObserver {
 public:
  virtual ~IdentifyObserver() = default;
  virtual void ShowProgress(int progress, const std::string& status) = 0;
  // The devices were identified: open the device selection. True when opened
  // (the port then stays open for the screens).
  virtual bool OpenSelection() = 0;
  // An accepted meter gave no device information.
  virtual void DeviceInformationNotFound() = 0;
  // The run ended with nothing to show, for the reason explained (every case
  // but the one above, and a stopped run).
  virtual void NothingFound(const IdentifyExplanation& explanation) = 0;
  // The run has ended; the screen returns to idle.
  virtual void Finish(bool selectionOpened) = 0;
};

// The status texts, looked up on the main thread before the run starts.
struct IdentifyTexts {
  std::string connecting = "Подключение к устройству";
  std::string connected = "Соединение установлено";
  std::string readingConfiguration = "Читаем конфигурацию устройства";
  std::string fixedSpeed = "Шлюз: скорость линии задана шлюзом, поиск скорости не нужен";
};

struct IdentifyRequest {
  std::string devicePath;
  int requestedSpeed = 2400;
  int address = 254;
  // When set, the meter is reached by this selection and then at 253 (at
  // every speed of the search); `address` is not used.
  std::optional<mbus::Selection> selection;
};

struct IdentifyOutcome {
  int foundSpeed = 0;  // the speed the meter answered at; 0 when none
  bool switched = false;
  std::string manufacturer;
  int medium = -1;
  int progress = 0;
  bool selectionOpened = false;
  // The requested speed has no code a meter understands: nothing was sent or stored.
  bool speedRefused = false;
  // Why nothing was found; reason None when devices were.
  IdentifyExplanation explanation;
};

// Finds the meter's speed (behind a tcp:// gateway: takes the requested one),
// reads its identification, switches it to the requested speed, reads the
// configuration of accepted meters (with the devices on their pulse inputs)
// into the devices's device list and stores port and speed. The one
// algorithm the window and keldar-cli run.
class Identification {
 public:
  static constexpr int kProgressMaximum = 1000;
  static constexpr int kProgressStep = 80;
  static constexpr int kMaxAttempts = 9;

  Identification(mbus::Link link, DeviceList& devices, FirmwareCatalogue& catalogue,
                 IniFile& settings, IdentifyTexts texts, IdentifyObserver& observer);

  // Runs to the end; the port is deleted unless the selection was opened.
  IdentifyOutcome Run(const IdentifyRequest& request);

 private:
  void SearchSpeed();
  void Read();
  void Identify(const KeldarBusTelegram& answer);
  void ReadConfiguration(std::uint8_t address);
  std::vector<int> ScanSubUnits(std::uint8_t address);
  bool RequestPulseWeight(std::uint8_t address, int unit, int input, KeldarBusTelegram* answer);
  // The model (FD 0C) or other-software version (FD 0F) of sub-unit `unit` into
  // `text`; left as it was when the meter reports none.
  void ReadText(std::uint8_t address, int unit, bool model, char* text, std::size_t size);
  void Advance(int step = kProgressStep);
  void SetProgress(int progress);
  bool PortUsable() const;
  // The address the meter answers at: 253 when reached by selection.
  std::uint8_t Address() const;
  void Explain(IdentifyReason reason);

  mbus::Link link_;
  DeviceList& devices_;
  FirmwareCatalogue& catalogue_;
  IniFile& settings_;
  IdentifyTexts texts_;
  IdentifyObserver& observer_;

  IdentifyRequest request_;
  IdentifyOutcome outcome_;
  int currentSpeed_ = 300;
  std::string status_;
  std::string manufacturer_;
  bool informationNotFound_ = false;
};

// The meters whose configuration is read and looked up in the catalogue.
bool IsAcceptedManufacturer(const std::string& letters);
