#include "telegram_table.h"

#include <cstdio>
#include <iomanip>
#include <sstream>

#include "base/bus/constants.h"
#include "telegram_json.h"

namespace keldar::cli {

const char* MediumName(std::uint8_t medium) {
  switch (medium) {
    case 0x00:
      return "other";
    case 0x01:
      return "oil";
    case 0x02:
      return "electricity";
    case 0x03:
      return "gas";
    case 0x04:
      return "heat (outlet)";
    case 0x05:
      return "steam";
    case 0x06:
      return "hot water";
    case 0x07:
      return "water";
    case 0x08:
      return "heat cost allocator";
    case 0x09:
      return "compressed air";
    case 0x0A:
      return "cooling (outlet)";
    case 0x0B:
      return "cooling (inlet)";
    case 0x0C:
      return "heat (inlet)";
    case 0x0D:
      return "heat / cooling";
    case 0x0E:
      return "bus / system";
    case 0x15:
      return "hot water (90 °C and more)";
    case 0x16:
      return "cold water";
    case 0x17:
      return "dual water";
    case 0x18:
      return "pressure";
    case 0x19:
      return "A/D converter";
    default:
      return "unknown";
  }
}

namespace {

std::string ValueText(const KeldarBusDataInfoBlock& r) {
  switch (r.value_kind) {
    case KELDAR_BUS_VALUE_NUMBER: {
      std::ostringstream text;
      text << std::setprecision(12) << r.decoded;
      if (r.unit_text[0] != '\0') text << ' ' << r.unit_text;
      return text.str();
    }
    case KELDAR_BUS_VALUE_TEXT:
    case KELDAR_BUS_VALUE_DATE:
      return r.text;
    case KELDAR_BUS_VALUE_INVALID_DATE:  // flagged invalid, or no day of the calendar
      return "(no valid date)";
    case KELDAR_BUS_VALUE_BYTES:
      return RawText(r).toStdString();
    default:
      return "-";
  }
}

}  // namespace

void PrintTelegramTable(std::ostream& out, const KeldarBusProtocolLibrary* lib,
                        KeldarBusTelegram* t) {
  // The header names what the telegram's CI field carries, as the JSON does.
  const bool variable = t->ci_field == mbus::kCiVariableData;
  const bool fixed = t->ci_field == mbus::kCiFixedData;
  if (variable || fixed) {
    out << "Meter " << IdentificationText(*t).toStdString();
    if (variable) out << "  " << t->manufacturer_text << "  version " << int{t->version};
    out << "  medium " << int{t->medium} << " (" << MediumName(t->medium) << ")\n";
  } else if (t->ci_field == mbus::kCiApplicationError) {
    out << "Error answer: " << t->error_text << '\n';
  }
  out << "address " << int{t->a_field};
  if (variable || fixed || t->ci_field == mbus::kCiShortHeader) {
    char status[8];
    std::snprintf(status, sizeof status, "%02X", t->status);
    out << "  access number " << int{t->access_number} << "  status " << status;
  }
  out << "\n\n";
  out << std::left << std::setw(4) << "#" << std::setw(23) << "function" << std::setw(9)
      << "storage" << std::setw(8) << "tariff" << std::setw(9) << "subunit" << std::setw(44)
      << "quantity"
      << "value\n";
  const int count = keldar_bus_UserDataSize(lib, t->user_data);
  for (int i = 0; i < count; ++i) {
    const auto* r = keldar_bus_UserDataGetIndexData(lib, t->user_data, i);
    if (r == nullptr) continue;
    std::string quantity = r->quantity;
    if (quantity.size() > 42) quantity = quantity.substr(0, 39) + "...";
    out << std::setw(4) << i + 1 << std::setw(23) << FunctionName(*r) << std::setw(9) << r->storage
        << std::setw(8) << r->tariff << std::setw(9) << r->unit << std::setw(44) << quantity
        << ValueText(*r) << '\n';
  }
  if (count == 0) out << "(no records)\n";
  if (t->more_records_follow != 0) out << "More records follow in the meter's next telegram.\n";
}

}  // namespace keldar::cli
