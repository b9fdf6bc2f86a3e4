// Finding the meters on a bus: by primary address (one short exchange per
// address) or by secondary address (selections with wildcard digits). The one
// search the window's "Find meters" screen and keldar-cli's scan both run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/bus/constants.h"
#include "base/bus/link.h"
#include "base/bus/selection.h"

// One finding: a meter read for its header, or (primary scan) an address at
// which several meters answered at once, so that none of them could be read.
struct FoundMeter {
  // The primary address it answers at; none when it reported none (it answered
  // at 253 with a broadcast or selection address).
  std::optional<int> primaryAddress;
  std::uint32_t identification = 0;  // BCD digits as sent: 0x41000001 is "41000001"
  std::string manufacturer;          // three letters
  int version = 0;
  int medium = 0;
  std::string model;  // FD 0C when the meter reports one
  // Several meters answered at this primary address (primary scan): the
  // identity fields are unknown.
  bool collision = false;
  // It acknowledged its address but sent no user data: the identity fields
  // are unknown.
  bool acknowledgedOnly = false;
  // Another meter found answers at the same primary address: reach this one
  // by its secondary address.
  bool sharesPrimaryAddress = false;

  std::string Id() const;  // 8 digits, most significant first
  // Identification number, manufacturer code, version and medium as 16
  // hexadecimal digits, the way secondary addresses are written.
  std::string SecondaryAddress() const;
  // True when the meter is reached by selection rather than by its primary
  // address: it shares its address, reported none, or reported 0.
  bool NeedsSelection() const;
};

struct ScanProgress {
  int done = 0;         // primary: addresses done; secondary: masks tried
  int total = 0;        // primary: addresses to do; secondary: 0 (not known ahead)
  int found = 0;        // findings so far
  std::string current;  // the address or mask being tried, for a status line
};

// Called on the scanning thread; an observer that shows something hands it
// over to the main thread itself.
class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  virtual void Progress(const ScanProgress& progress) = 0;
  virtual void Found(const FoundMeter& meter) = 0;
};

struct PrimaryScanRequest {
  int from = 0;
  int to = 250;
  // Repeats of a request that met silence before its address counts as
  // silent (EN 13757-2 allows up to two). Bytes that make no frame are always
  // asked again, so noise is told from a collision.
  int retries = 0;
};

struct SecondaryScanRequest {
  // Eight characters, digits and F (a wildcard digit), most significant
  // first: the part of the identification number to search.
  std::string mask = "FFFFFFFF";
  std::string manufacturer;  // three letters; empty: any
  int version = mbus::kAnyVersion;
  int medium = mbus::kAnyMedium;
};

// InvalidMask: the secondary request's mask is not eight digits or F; nothing was sent.
enum class ScanEnd { Complete, Stopped, PortLost, InvalidMask };

struct ScanResult {
  ScanEnd end = ScanEnd::Complete;
  std::vector<FoundMeter> meters;  // in the order found
  int exchanges = 0;               // requests sent
  int silentExchanges = 0;         // of which nothing answered
  int selections = 0;              // secondary: selections sent
};

// The identification-number mask as the selection request takes it
// ("1234FFFF" -> 0x1234FFFF); none when it is not eight digits or F.
std::optional<std::int64_t> ParseIdMask(const std::string& text);

// Both run on `link`'s port at the speed it is set to, stop within one
// exchange once the link's stop request says so, and leave the port open.
ScanResult ScanPrimary(const mbus::Link& link, const PrimaryScanRequest& request,
                       ScanObserver* observer);
ScanResult ScanSecondary(const mbus::Link& link, const SecondaryScanRequest& request,
                         ScanObserver* observer);

// The selection that reaches `meter` alone: its identification number,
// manufacturer, version and medium.
mbus::Selection SelectionOf(const FoundMeter& meter);
