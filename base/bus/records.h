// The records of a decoded telegram, and what one record carries.
#pragma once

#include <cstdint>
#include <vector>

#include "keldar/bus_protocol_types.h"

namespace mbus {

// The records of `telegram` as they stand when this is made, for range-for.
class TelegramRecords {
 public:
  using const_iterator = std::vector<const KeldarBusDataInfoBlock*>::const_iterator;

  TelegramRecords(const KeldarBusProtocolLibrary* lib, const KeldarBusTelegram& telegram);

  const_iterator begin() const { return records_.begin(); }
  const_iterator end() const { return records_.end(); }
  std::size_t size() const { return records_.size(); }

 private:
  std::vector<const KeldarBusDataInfoBlock*> records_;
};

// True when the record carries a VIFE with `code` (extension bit removed).
bool HasVife(const KeldarBusDataInfoBlock& record, std::uint8_t code);

// A record of the 0xFD table with VIFE `code` (model, other software, …).
bool IsExtensionRecord(const KeldarBusDataInfoBlock& record, std::uint8_t code);

}  // namespace mbus
