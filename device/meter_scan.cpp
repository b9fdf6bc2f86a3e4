#include "device/meter_scan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "base/bus/exchange.h"
#include "base/bus/objects.h"
#include "base/bus/records.h"

namespace {

constexpr int kDigits = 8;
constexpr int kWildcard = 0xF;
// Repeats of a request that brought bytes making no frame: a collision comes
// back every time, noise seldom twice (EN 13757-2 allows two repeats).
constexpr int kGarbageRepeats = 2;
// The late-answer watch the port keeps outside a scan.
constexpr int kUsualLateAnswerGuardMs = 100;

// A scan checks every answer by what it says (a found meter is read), so it
// does without the port's watch for late answers after a silent window.
class ScanTiming {
 public:
  explicit ScanTiming(const mbus::Link& link) : link_(link) {
    keldar_bus_CProcessComPortSetLateAnswerGuard(link_.lib, link_.port, 0);
  }
  ~ScanTiming() {
    if (link_.port != nullptr)
      keldar_bus_CProcessComPortSetLateAnswerGuard(link_.lib, link_.port, kUsualLateAnswerGuardMs);
  }
  ScanTiming(const ScanTiming&) = delete;
  ScanTiming& operator=(const ScanTiming&) = delete;

 private:
  const mbus::Link& link_;
};

int Nibble(std::int64_t mask, int position) {
  return static_cast<int>((mask >> (4 * (kDigits - 1 - position))) & 0xF);
}

std::int64_t WithNibble(std::int64_t mask, int position, int digit) {
  const int shift = 4 * (kDigits - 1 - position);
  return (mask & ~(std::int64_t{0xF} << shift)) | (std::int64_t{digit} << shift);
}

std::string MaskText(std::int64_t mask) {
  char text[kDigits + 1];
  std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(mask));
  return text;
}

// A finding whose identity is unknown: `flag` says why.
FoundMeter Marked(int address, bool FoundMeter::*flag) {
  FoundMeter meter;
  meter.primaryAddress = address;
  meter.*flag = true;
  return meter;
}
FoundMeter WithMask(std::int64_t mask, bool FoundMeter::*flag) {
  FoundMeter meter;
  meter.identification = static_cast<std::uint32_t>(mask);
  meter.*flag = true;
  return meter;
}

// What one request brought, as the scan sorts it.
enum class Heard { Data, Ack, Garbage, Silence, OtherAddress, PortLost, Stopped };

// The scan's bookkeeping: counts, findings, progress, the stop request.
class Scan {
 public:
  Scan(const mbus::Link& link, ScanObserver* observer) : link_(link), observer_(observer) {}

  bool ShouldEnd() {
    if (link_.Stopping()) {
      result_.end = ScanEnd::Stopped;
      return true;
    }
    if (!link_.PortUsable()) {
      result_.end = ScanEnd::PortLost;
      return true;
    }
    return false;
  }

  Heard Sorted(int exchanged) {
    ++result_.exchanges;
    switch (exchanged) {
      case KELDAR_BUS_RESULT_USER_DATA:
        return Heard::Data;
      case KELDAR_BUS_RESULT_ACK:
        return Heard::Ack;
      case mbus::kResultGarbage:
        return Heard::Garbage;
      case mbus::kResultOtherAddress:
        return Heard::OtherAddress;
      default:
        break;
    }
    if (!link_.PortUsable()) return Heard::PortLost;
    if (link_.Stopping()) return Heard::Stopped;
    ++result_.silentExchanges;
    return Heard::Silence;
  }

  Heard Ping(std::uint8_t address) {
    if (link_.Stopping()) return Heard::Stopped;
    return Sorted(mbus::Ping(link_, address));
  }

  Heard Select(const mbus::Selection& selection) {
    if (link_.Stopping()) return Heard::Stopped;
    ++result_.selections;
    return Sorted(mbus::SendSelection(link_, selection));
  }

  // One REQ_UD2 to `address`; the telegram holds the answer when Data.
  Heard Request(std::uint8_t address, KeldarBusTelegram* telegram) {
    if (link_.Stopping()) return Heard::Stopped;
    const std::uint8_t reqUd2 = keldar_bus_getCFieldREQ_UD2(link_.lib, telegram->short_frame);
    const Heard heard = Sorted(mbus::ExchangeShortFrame(link_, reqUd2, address, telegram));
    // An error answer has no header to show: the meter is there, its data is not.
    if (heard == Heard::Data && telegram->ci_field != mbus::kCiVariableData) return Heard::Ack;
    return heard;
  }

  // The model the meter at `address` reports (FD 0C), or "" when it reports none.
  std::string Model(std::uint8_t address) {
    const auto* lib = link_.lib;
    mbus::Telegram request = mbus::NewTelegram(lib);
    if (!request || link_.Stopping()) return {};
    keldar_bus_LongFrameClear(lib, request->long_frame);
    keldar_bus_GetDeviceModel(lib, request->long_frame, address, 0);
    if (Sorted(mbus::SendLongFrame(link_, request.get())) != Heard::Ack) return {};
    mbus::Telegram answer = mbus::NewTelegram(lib);
    if (!answer || Request(address, answer.get()) != Heard::Data) return {};
    return ModelIn(*answer);
  }

  std::string ModelIn(const KeldarBusTelegram& telegram) const {
    for (const auto* record : mbus::TelegramRecords(link_.lib, telegram)) {
      if (mbus::IsExtensionRecord(*record, mbus::kVifeModel))
        return std::string(record->text, ::strnlen(record->text, sizeof record->text));
    }
    return {};
  }

  FoundMeter MeterFrom(const KeldarBusTelegram& telegram) const {
    FoundMeter meter;
    if (telegram.a_field <= mbus::kLastPrimaryAddress) meter.primaryAddress = telegram.a_field;
    meter.identification = static_cast<std::uint32_t>(telegram.identification);
    meter.manufacturer.assign(
        telegram.manufacturer_text,
        ::strnlen(telegram.manufacturer_text, sizeof telegram.manufacturer_text));
    meter.version = telegram.version;
    meter.medium = telegram.medium;
    meter.model = ModelIn(telegram);
    return meter;
  }

  void Add(FoundMeter meter) {
    result_.meters.push_back(std::move(meter));
    if (observer_ != nullptr) observer_->Found(result_.meters.back());
  }

  void Report(int done, int total, std::string current) {
    if (observer_ == nullptr) return;
    observer_->Progress({.done = done,
                         .total = total,
                         .found = static_cast<int>(result_.meters.size()),
                         .current = std::move(current)});
  }

  bool Known(const FoundMeter& meter) const {
    return std::any_of(result_.meters.begin(), result_.meters.end(), [&](const FoundMeter& m) {
      return !m.collision && !m.acknowledgedOnly &&
             m.SecondaryAddress() == meter.SecondaryAddress();
    });
  }

  // Marks the meters found at one primary address as sharing it.
  void MarkSharedAddresses() {
    std::map<int, int> count;
    for (const auto& meter : result_.meters)
      if (meter.primaryAddress) ++count[*meter.primaryAddress];
    for (auto& meter : result_.meters)
      meter.sharesPrimaryAddress = meter.primaryAddress && count[*meter.primaryAddress] > 1;
  }

  const mbus::Link& link() const { return link_; }
  ScanResult& result() { return result_; }

 private:
  const mbus::Link& link_;
  ScanObserver* observer_;
  ScanResult result_;
};

// One primary address: SND_NKE until it is answered, repeated after silence
// as the request allows and after bytes that make no frame; an
// acknowledgement is followed by REQ_UD2 for the meter's header, whose
// collision means several meters share the address.
Heard ProbeAddress(Scan& scan, std::uint8_t address, int retries) {
  int silences = 0;
  int garbage = 0;
  for (;;) {
    const Heard pinged = scan.Ping(address);
    if (pinged == Heard::PortLost || pinged == Heard::Stopped) return pinged;
    if (pinged == Heard::Silence || pinged == Heard::OtherAddress) {
      if (++silences > retries) return Heard::Silence;
      continue;
    }
    // An acknowledgement, or bytes that made none (acknowledgements of
    // meters answering at different moments, or noise): ask for the data.
    mbus::Telegram telegram = mbus::NewTelegram(scan.link().lib);
    if (!telegram) return Heard::PortLost;
    const Heard read = scan.Request(address, telegram.get());
    switch (read) {
      case Heard::Data: {
        FoundMeter meter = scan.MeterFrom(*telegram);
        meter.primaryAddress = address;
        if (meter.model.empty()) meter.model = scan.Model(address);
        scan.Add(std::move(meter));
        return Heard::Data;
      }
      case Heard::Garbage:
        if (++garbage > kGarbageRepeats) {
          scan.Add(Marked(address, &FoundMeter::collision));
          return Heard::Garbage;
        }
        continue;
      case Heard::Ack:
        scan.Add(Marked(address, &FoundMeter::acknowledgedOnly));
        return Heard::Ack;
      case Heard::PortLost:
      case Heard::Stopped:
        return read;
      case Heard::Silence:
      case Heard::OtherAddress:
        // Garbage that no meter followed up was noise; an acknowledgement
        // without data is believed once it comes again.
        if (pinged == Heard::Garbage) {
          if (++garbage > kGarbageRepeats) return Heard::Silence;
          continue;
        }
        if (scan.Ping(address) == Heard::Ack) {
          scan.Add(Marked(address, &FoundMeter::acknowledgedOnly));
          return Heard::Ack;
        }
        return Heard::Silence;
    }
  }
}

// The selection search: a mask nobody acknowledges is an empty branch; one
// acknowledgement whose readout at 253 is clean is a meter; bytes that make no
// frame (on the acknowledgement or the readout) mean several meters, and the
// next wildcard digit is fixed, the least significant first (serial numbers
// on one bus tend to share their leading digits and differ in the last ones).
class SelectionSearch {
 public:
  SelectionSearch(Scan& scan, const SecondaryScanRequest& request)
      : scan_(scan), request_(request) {}

  // False when the scan must end (stopped, port lost).
  bool Search(std::int64_t mask) {
    if (scan_.ShouldEnd()) return false;
    scan_.Report(scan_.result().selections, 0, MaskText(mask));
    const Heard heard = scan_.Select(SelectionWith(mask));
    if (heard == Heard::PortLost || heard == Heard::Stopped) return !scan_.ShouldEnd();
    if (heard == Heard::Silence || heard == Heard::OtherAddress) return true;
    if (heard == Heard::Garbage) return Deeper(mask);
    return ReadSelected(mask, /*again=*/false);
  }

  // Below a mask known to hold several meters, without asking it again.
  bool Deeper(std::int64_t mask) {
    const int position = LastWildcard(mask);
    if (position < 0) {
      // Several meters that match every digit and filter: nothing tells them apart.
      scan_.Add(WithMask(mask, &FoundMeter::collision));
      return true;
    }
    const int before = static_cast<int>(scan_.result().meters.size());
    const int silentBefore = scan_.result().silentExchanges;
    for (int digit = 0; digit <= 9; ++digit) {
      const std::int64_t child = WithNibble(mask, position, digit);
      // Nine empty branches leave the several meters in the tenth.
      const bool othersEmpty = digit == 9 &&
                               static_cast<int>(scan_.result().meters.size()) == before &&
                               scan_.result().silentExchanges - silentBefore == 9;
      if (!(othersEmpty ? Deeper(child) : Search(child))) return false;
    }
    return true;
  }

 private:
  bool ReadSelected(std::int64_t mask, bool again) {
    mbus::Telegram telegram = mbus::NewTelegram(scan_.link().lib);
    if (!telegram) return false;
    const Heard read = scan_.Request(mbus::kAddressSelected, telegram.get());
    switch (read) {
      case Heard::Data: {
        FoundMeter meter = scan_.MeterFrom(*telegram);
        if (meter.model.empty()) meter.model = scan_.Model(mbus::kAddressSelected);
        if (!scan_.Known(meter)) scan_.Add(std::move(meter));
        return true;
      }
      case Heard::Garbage:
        return Deeper(mask);
      case Heard::PortLost:
      case Heard::Stopped:
        return !scan_.ShouldEnd();
      default:
        break;
    }
    // Acknowledged, yet nothing to read: an acknowledgement that came late
    // from an earlier selection is not repeated; a meter that sends no data is.
    if (again) {
      if (LastWildcard(mask) >= 0) return Deeper(mask);
      scan_.Add(WithMask(mask, &FoundMeter::acknowledgedOnly));
      return true;
    }
    const Heard repeated = scan_.Select(SelectionWith(mask));
    if (repeated == Heard::Ack) return ReadSelected(mask, /*again=*/true);
    if (repeated == Heard::Garbage) return Deeper(mask);
    return !scan_.ShouldEnd();
  }

  static int LastWildcard(std::int64_t mask) {
    for (int position = kDigits - 1; position >= 0; --position)
      if (Nibble(mask, position) == kWildcard) return position;
    return -1;
  }

  mbus::Selection SelectionWith(std::int64_t mask) const {
    mbus::Selection selection;
    selection.identification = mask;
    selection.manufacturer = request_.manufacturer;
    selection.medium = request_.medium;
    selection.version = request_.version;
    return selection;
  }

  Scan& scan_;
  const SecondaryScanRequest& request_;
};

}  // namespace

std::string FoundMeter::Id() const { return MaskText(identification); }

std::string FoundMeter::SecondaryAddress() const {
  // The manufacturer as its two-byte code (EN 13757-3: letters A=1 … Z=26,
  // five bits each).
  unsigned code = 0;
  for (const char letter : manufacturer) code = code << 5 | ((letter - 'A' + 1) & 0x1F);
  char text[17];
  std::snprintf(text, sizeof text, "%08X%04X%02X%02X", static_cast<unsigned>(identification),
                code & 0xFFFF, static_cast<unsigned>(version) & 0xFF,
                static_cast<unsigned>(medium) & 0xFF);
  return text;
}

bool FoundMeter::NeedsSelection() const {
  return sharesPrimaryAddress || !primaryAddress || *primaryAddress == 0;
}

std::optional<std::int64_t> ParseIdMask(const std::string& text) {
  if (text.size() != kDigits) return std::nullopt;
  std::int64_t mask = 0;
  for (const char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c == 'F' || c == 'f') {
      digit = kWildcard;
    } else {
      return std::nullopt;
    }
    mask = mask << 4 | digit;
  }
  return mask;
}

mbus::Selection SelectionOf(const FoundMeter& meter) {
  mbus::Selection selection;
  selection.identification = meter.identification;
  selection.manufacturer = meter.manufacturer;
  selection.medium = meter.medium;
  selection.version = meter.version;
  return selection;
}

ScanResult ScanPrimary(const mbus::Link& link, const PrimaryScanRequest& request,
                       ScanObserver* observer) {
  Scan scan(link, observer);
  const int from = std::clamp(request.from, 0, int{mbus::kLastPrimaryAddress});
  const int to = std::clamp(request.to, from, int{mbus::kLastPrimaryAddress});
  const int retries = std::clamp(request.retries, 0, 2);
  const int total = to - from + 1;
  ScanTiming timing(link);
  for (int address = from; address <= to; ++address) {
    if (scan.ShouldEnd()) break;
    scan.Report(address - from, total, std::to_string(address));
    const Heard heard = ProbeAddress(scan, static_cast<std::uint8_t>(address), retries);
    if ((heard == Heard::PortLost || heard == Heard::Stopped) && scan.ShouldEnd()) break;
  }
  if (scan.result().end == ScanEnd::Complete) scan.Report(total, total, {});
  return std::move(scan.result());
}

ScanResult ScanSecondary(const mbus::Link& link, const SecondaryScanRequest& request,
                         ScanObserver* observer) {
  Scan scan(link, observer);
  const auto mask = ParseIdMask(request.mask);
  if (!mask) {
    scan.result().end = ScanEnd::InvalidMask;
    return std::move(scan.result());
  }
  ScanTiming timing(link);
  SelectionSearch search(scan, request);
  search.Search(*mask);
  scan.MarkSharedAddresses();
  if (scan.result().end == ScanEnd::Complete) scan.Report(scan.result().selections, 0, {});
  return std::move(scan.result());
}
