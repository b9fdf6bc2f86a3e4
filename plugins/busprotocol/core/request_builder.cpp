#include "request_builder.h"

#include <array>
#include <vector>

#include "base/bus/constants.h"
#include "telegram.h"

namespace keldar::bus::requests {

namespace {

constexpr std::uint8_t kExtension = 0x80;
constexpr std::uint8_t kSubunitBit = 0x40;
constexpr std::uint8_t kStorageLowBit = 0x40;
constexpr std::size_t kMaxDifes = 10;
constexpr std::size_t kMaxText = 0xBF;  // longest LVAR text

constexpr std::array<std::pair<int, std::uint8_t>, 8> kSpeeds = {{
    {300, 0xB8},
    {600, 0xB9},
    {1200, 0xBA},
    {2400, 0xBB},
    {4800, 0xBC},
    {9600, 0xBD},
    {19200, 0xBE},
    {38400, 0xBF},
}};

LongFrame DataSend(std::uint8_t address, std::vector<std::uint8_t> data) {
  return LongFrame{kSndUd, address, mbus::kCiDataSend, std::move(data)};
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// DIF and DIFEs for a data field with sub-unit and storage number. Empty when
// they need more than ten DIFEs.
std::optional<std::vector<std::uint8_t>> DataInformation(std::uint8_t data_field, int unit,
                                                         std::uint32_t storage) {
  if (unit < 0) return std::nullopt;
  std::vector<std::uint8_t> difes;
  auto rest_unit = static_cast<std::uint32_t>(unit);
  std::uint32_t rest_storage = storage >> 1;
  while (rest_unit != 0 || rest_storage != 0) {
    if (difes.size() == kMaxDifes) return std::nullopt;
    difes.push_back(static_cast<std::uint8_t>(((rest_unit & 1) != 0 ? kSubunitBit : 0) |
                                              (rest_storage & 0x0F)));
    rest_unit >>= 1;
    rest_storage >>= 4;
  }
  std::vector<std::uint8_t> out;
  out.push_back(static_cast<std::uint8_t>(data_field | ((storage & 1) != 0 ? kStorageLowBit : 0) |
                                          (difes.empty() ? 0 : kExtension)));
  for (std::size_t i = 0; i < difes.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(difes[i] | (i + 1 < difes.size() ? kExtension : 0)));
  }
  return out;
}

std::vector<std::uint8_t> Bcd8(std::uint32_t value) {
  std::vector<std::uint8_t> out;
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t low = value % 10;
    value /= 10;
    const std::uint32_t high = value % 10;
    value /= 10;
    out.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return out;
}

}  // namespace

ShortFrame LinkReset(std::uint8_t address) { return {kSndNke, address}; }
ShortFrame RequestUserData(std::uint8_t address) { return {kReqUd2, address}; }

std::optional<std::uint8_t> SpeedCiField(int baud) {
  for (const auto& [speed, ci] : kSpeeds) {
    if (speed == baud) return ci;
  }
  return std::nullopt;
}

std::optional<int> SpeedOfCiField(std::uint8_t ci) {
  for (const auto& [speed, code] : kSpeeds) {
    if (code == ci) return speed;
  }
  return std::nullopt;
}

std::optional<LongFrame> SetDeviceSpeed(std::uint8_t address, int baud) {
  const auto ci = SpeedCiField(baud);
  if (!ci) return std::nullopt;
  return LongFrame{kSndUd, address, *ci, {}};
}

std::optional<LongFrame> SetPrimaryAddress(std::uint8_t address, std::uint64_t new_address) {
  // 253-255 are the selection and broadcast addresses. 251 and 252 are reserved:
  // the configuration screen caps what it sends at 252 and leaves it to the meter.
  if (new_address > 252) return std::nullopt;
  return DataSend(address, {0x01, 0x7A, static_cast<std::uint8_t>(new_address)});
}

std::optional<LongFrame> SetSecondaryAddress(std::uint8_t address, std::uint64_t secondary) {
  std::vector<std::uint8_t> data{0x0C, 0x79};
  PutLittleEndian(data, secondary & 0xFFFFFFFFu, 4);
  return DataSend(address, std::move(data));
}

std::optional<LongFrame> SetSerialNumber(std::uint8_t address, std::int64_t serial_number) {
  if (serial_number < 0 || serial_number > 99999999) return std::nullopt;
  std::vector<std::uint8_t> data{0x0C, 0x78};
  const auto digits = Bcd8(static_cast<std::uint32_t>(serial_number));
  data.insert(data.end(), digits.begin(), digits.end());
  return DataSend(address, std::move(data));
}

std::optional<LongFrame> SetDeviceType(std::uint8_t address, std::uint8_t medium) {
  return DataSend(address, {0x01, 0xFD, 0x09, medium});
}

std::optional<LongFrame> SetLocalTime(std::uint8_t address, const DateTime& time) {
  const auto coded = EncodeTypeF(time);
  if (!coded) return std::nullopt;
  std::vector<std::uint8_t> data{0x04, 0x6D};
  data.insert(data.end(), coded->begin(), coded->end());
  return DataSend(address, std::move(data));
}

std::optional<LongFrame> SetIncrementPulse(std::uint8_t address, int unit, int vife,
                                           std::uint32_t litres_per_pulse) {
  auto data = DataInformation(0x04, unit, 0);
  if (!data) return std::nullopt;
  data->insert(data->end(), {0x93, static_cast<std::uint8_t>(vife)});
  PutLittleEndian(*data, litres_per_pulse, 4);
  return DataSend(address, std::move(*data));
}

std::optional<LongFrame> SelectForReadout(std::uint8_t address, int unit,
                                          std::initializer_list<std::uint8_t> vib,
                                          std::uint32_t storage) {
  auto data = DataInformation(0x08, unit, storage);
  if (!data) return std::nullopt;
  data->insert(data->end(), vib.begin(), vib.end());
  return DataSend(address, std::move(*data));
}

std::optional<LongFrame> GlobalReadout(std::uint8_t address) { return DataSend(address, {0x7F}); }

std::optional<LongFrame> SelectSecondary(std::int64_t identification,
                                         const std::string& manufacturer, int version, int medium,
                                         const std::string& model) {
  if (version < 0 || version > 255 || medium < 0 || medium > 255) return std::nullopt;
  if (identification < kWildcardIdentification || identification > 0xFFFFFFFFll) {
    return std::nullopt;
  }
  std::uint16_t maker = 0xFFFF;
  if (!manufacturer.empty()) {
    const auto code = ManufacturerCode(manufacturer);
    if (!code) return std::nullopt;
    maker = *code;
  }
  if (model.size() > kMaxText) return std::nullopt;
  std::vector<std::uint8_t> data;
  PutLittleEndian(data, static_cast<std::uint64_t>(identification) & 0xFFFFFFFFu, 4);
  PutLittleEndian(data, maker, 2);
  data.push_back(static_cast<std::uint8_t>(version));
  data.push_back(static_cast<std::uint8_t>(medium));
  if (!model.empty()) {
    data.insert(data.end(), {0x0D, 0xFD, 0x0C, static_cast<std::uint8_t>(model.size())});
    data.insert(data.end(), model.rbegin(), model.rend());  // last character first
  }
  if (data.size() > kMaxLongData) return std::nullopt;
  return LongFrame{kSndUd, mbus::kAddressSelected, mbus::kCiSelection, std::move(data)};
}

}  // namespace keldar::bus::requests
