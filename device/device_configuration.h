#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/bus/link.h"
#include "base/bus/selection.h"
#include "keldar/device_record.h"

// The exchanges of the device configuration screen, shared with keldar-cli:
// read the addresses, change device type, serial number and addresses. Every
// change starts with a link reset the meter acknowledged, and at address 254
// with proof that exactly one meter listens there; the DeviceRecord changes
// only after the meter acknowledged.
class DeviceConfiguration {
 public:
  enum class Outcome { Acknowledged, InvalidResponse, Rejected, SeveralMeters };
  enum class PrimaryReadout { Received, InvalidResponse, NotReceived };

  struct Addresses {
    std::string secondary = "00000000";  // "%08X"
    std::string primary = "000";         // "%03u"
    PrimaryReadout primaryReadout = PrimaryReadout::NotReceived;
  };
  struct AddressChange {
    bool primary = false;
    bool secondary = false;
    bool severalMeters = false;  // nothing was sent: more than one meter answers at 254
  };

  DeviceConfiguration(mbus::Link link, KeldarDeviceRecord& record);
  // At 253, the meter is selected anew by `selection` before each write
  // instead of by the record's maker, medium and model.
  void ReachBy(mbus::Selection selection) { selection_ = std::move(selection); }

  Addresses ReadAddresses() const;
  Outcome SetDeviceType(std::uint8_t code);
  // `serialText` as the edit holds it: its leading decimal digits are sent.
  Outcome SetSerialNumber(const std::string& serialText);
  // The primary address (decimal, above 252 sent as 252) and the secondary
  // address (hexadecimal digits, blanks count as 0) are sent one after the other.
  AddressChange SetAddresses(const std::string& primaryText, const std::string& secondaryText);
  // Each address alone.
  Outcome SetPrimaryAddress(const std::string& primaryText);
  Outcome SetSecondaryAddress(const std::string& secondaryText);

 private:
  int Send(KeldarBusTelegram* telegram) const;
  // What stands in the way of a write: nothing (Acknowledged), several meters
  // at 254, or a link reset the meter did not acknowledge.
  Outcome ReadyToWrite() const;
  bool OneMeterAnswers(bool& several) const;
  std::uint8_t Address() const { return record_.address; }

  mbus::Link link_;
  KeldarDeviceRecord& record_;
  std::optional<mbus::Selection> selection_;
};

// The secondary-address edit's text as a number: each character a hex digit,
// any other byte its low four bits (a blank gives 0).
std::uint64_t HexTextToUInt64(const char* text);
// Leading blanks skipped, then decimal digits up to the first other character.
std::int64_t LeadingDecimal(const std::string& text);
// True when a blank stands before a digit ("12 45678"): the number is not
// what the user meant, and reading its leading digits would change it.
bool HasGap(const std::string& text);
// The key-up corrections: a primary above 252 becomes "252", a secondary
// above 0x99999999 becomes "99999999"; otherwise the text is kept.
std::string CorrectPrimaryText(const std::string& text);
std::string CorrectSecondaryText(const std::string& text);
