#include "store/records.h"

#include <cmath>
#include <utility>

namespace admintools::records {
namespace {

// Where each quantity lives in a reading record.
template <typename Record>
using Field = std::pair<Quantity, double Record::*>;

constexpr Field<KeldarAdminHeat> kHeatFields[] = {
    {Quantity::kEnergy, &KeldarAdminHeat::energy_wh},
    {Quantity::kVolume, &KeldarAdminHeat::volume_m3},
    {Quantity::kPower, &KeldarAdminHeat::power_w},
    {Quantity::kFlow, &KeldarAdminHeat::flow_m3h},
    {Quantity::kSupplyTemperature, &KeldarAdminHeat::supply_c},
    {Quantity::kReturnTemperature, &KeldarAdminHeat::return_c},
    {Quantity::kTemperatureDifference, &KeldarAdminHeat::difference_k},
    {Quantity::kOperatingHours, &KeldarAdminHeat::operating_hours}};
constexpr Field<KeldarAdminWaterCold> kColdFields[] = {
    {Quantity::kVolume, &KeldarAdminWaterCold::volume_m3},
    {Quantity::kFlow, &KeldarAdminWaterCold::flow_m3h}};
constexpr Field<KeldarAdminWaterHot> kHotFields[] = {
    {Quantity::kVolume, &KeldarAdminWaterHot::volume_m3},
    {Quantity::kFlow, &KeldarAdminWaterHot::flow_m3h},
    {Quantity::kTemperature, &KeldarAdminWaterHot::temperature_c}};

template <typename Record, std::size_t N>
void BlankWith(Record& record, const Field<Record> (&fields)[N]) {
  record = Record{};
  for (const auto& [quantity, member] : fields) record.*member = NAN;
}

template <typename Record, std::size_t N>
Reading ToReadingWith(const Record& record, const Field<Record> (&fields)[N]) {
  Reading reading;
  reading.id = record.id;
  reading.deviceId = record.device_id;
  reading.readTime = record.read_time;
  reading.meterTime = FromField(record.meter_time);
  reading.errorFlags = record.error_flags;
  for (const auto& [quantity, member] : fields) {
    if (!std::isnan(record.*member)) reading[quantity] = record.*member;
  }
  return reading;
}

template <typename Record, std::size_t N>
void FromReadingWith(const Reading& reading, Record& record, const Field<Record> (&fields)[N]) {
  record.id = reading.id;
  record.device_id = reading.deviceId;
  record.read_time = reading.readTime;
  ToField(record.meter_time, reading.meterTime);
  record.error_flags = reading.errorFlags;
  for (const auto& [quantity, member] : fields) record.*member = reading[quantity].value_or(NAN);
}

}  // namespace

void Blank(KeldarAdminHeat& record) { BlankWith(record, kHeatFields); }
void Blank(KeldarAdminWaterCold& record) { BlankWith(record, kColdFields); }
void Blank(KeldarAdminWaterHot& record) { BlankWith(record, kHotFields); }

Device ToDevice(const KeldarAdminDevice& record, DeviceKind kind) {
  Device device;
  device.id = record.id;
  device.kind = kind;
  device.manufacturer = FromField(record.manufacturer);
  device.serial = FromField(record.serial);
  device.model = FromField(record.model);
  device.softwareVersion = FromField(record.software_version);
  device.medium = record.medium;
  if (record.object_id != 0) device.objectId = record.object_id;
  return device;
}

void FromDevice(const Device& device, KeldarAdminDevice& record) {
  record = KeldarAdminDevice{};
  record.id = device.id;
  record.object_id = device.objectId.value_or(0);
  record.kind = static_cast<int32_t>(device.kind);
  record.medium = static_cast<uint8_t>(device.medium);
  ToField(record.manufacturer, device.manufacturer);
  ToField(record.serial, device.serial);
  ToField(record.model, device.model);
  ToField(record.software_version, device.softwareVersion);
}

Reading ToReading(const KeldarAdminHeat& record) { return ToReadingWith(record, kHeatFields); }
Reading ToReading(const KeldarAdminWaterCold& record) { return ToReadingWith(record, kColdFields); }
Reading ToReading(const KeldarAdminWaterHot& record) { return ToReadingWith(record, kHotFields); }

void FromReading(const Reading& reading, KeldarAdminHeat& record) {
  FromReadingWith(reading, record, kHeatFields);
}
void FromReading(const Reading& reading, KeldarAdminWaterCold& record) {
  FromReadingWith(reading, record, kColdFields);
}
void FromReading(const Reading& reading, KeldarAdminWaterHot& record) {
  FromReadingWith(reading, record, kHotFields);
}

Subscriber ToSubscriber(const KeldarAdminSubscriber& record) {
  return {record.id, FromField(record.name), FromField(record.contact), FromField(record.account),
          FromField(record.notes)};
}

void FromSubscriber(const Subscriber& subscriber, KeldarAdminSubscriber& record) {
  record = KeldarAdminSubscriber{};
  record.id = subscriber.id;
  ToField(record.name, subscriber.name);
  ToField(record.contact, subscriber.contact);
  ToField(record.account, subscriber.account);
  ToField(record.notes, subscriber.notes);
}

Object ToObject(const KeldarAdminObject& record) {
  return {record.id, record.subscriber_id, FromField(record.name), FromField(record.address)};
}

void FromObject(const Object& object, KeldarAdminObject& record) {
  record = KeldarAdminObject{};
  record.id = object.id;
  record.subscriber_id = object.subscriberId;
  ToField(record.name, object.name);
  ToField(record.address, object.address);
}

}  // namespace admintools::records
