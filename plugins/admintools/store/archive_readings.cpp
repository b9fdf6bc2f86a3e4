// Devices and their readings.
#include <algorithm>
#include <ctime>
#include <string>

#include "store/archive.h"
#include "store/archive_error.h"
#include "store/archive_schema.h"

namespace admintools {
namespace {

// The device's columns in the order ReadDevice reads them.
constexpr const char* kDeviceColumns =
    "d.id, d.kind, d.manufacturer, d.serial, d.model, d.software_version, d.medium, d.object_id";

Device ReadDevice(const Statement& row, int first) {
  Device device;
  device.id = row.Int(first);
  device.kind = static_cast<DeviceKind>(row.Int(first + 1));
  device.manufacturer = row.Text(first + 2);
  device.serial = row.Text(first + 3);
  device.model = row.Text(first + 4);
  device.softwareVersion = row.Text(first + 5);
  device.medium = static_cast<int>(row.Int(first + 6));
  if (!row.IsNull(first + 7)) device.objectId = row.Int(first + 7);
  return device;
}

// "r.id, r.device_id, r.read_time, r.meter_time, r.error_flags, r.<quantity>…"
std::string ReadingColumns(DeviceKind kind) {
  std::string columns = "r.id, r.device_id, r.read_time, r.meter_time, r.error_flags";
  for (Quantity quantity : QuantitiesOf(kind))
    columns += std::string(", r.") + schema::ColumnOf(quantity);
  return columns;
}

Reading ReadReading(const Statement& row, DeviceKind kind) {
  Reading reading;
  reading.id = row.Int(0);
  reading.deviceId = row.Int(1);
  reading.readTime = row.Int(2);
  reading.meterTime = row.Text(3);
  reading.errorFlags = static_cast<uint32_t>(row.Int(4));
  int column = 5;
  for (Quantity quantity : QuantitiesOf(kind)) reading[quantity] = row.Real(column++);
  return reading;
}

int ColumnCount(DeviceKind kind) { return 5 + static_cast<int>(QuantitiesOf(kind).size()); }

void RequireKind(DeviceKind kind) {
  if (std::find(kDeviceKinds.begin(), kDeviceKinds.end(), kind) == kDeviceKinds.end()) {
    throw ArchiveError(ArchiveFailure::kInvalid, "unknown device kind");
  }
}

}  // namespace

int64_t Archive::InsertReading(DeviceKind kind, int64_t deviceId, const Reading& reading) {
  if (reading.readTime < 0) throw ArchiveError(ArchiveFailure::kInvalid, "negative read time");
  std::string columns = "device_id, read_time, meter_time, error_flags";
  std::string values = "?1, ?2, ?3, ?4";
  int parameter = 5;
  for (Quantity quantity : QuantitiesOf(kind)) {
    columns += std::string(", ") + schema::ColumnOf(quantity);
    values += ", ?" + std::to_string(parameter++);
  }
  const std::string sql = std::string("INSERT INTO ") + schema::ReadingTable(kind) + " (" +
                          columns + ") VALUES (" + values + ")";
  Statement statement(db_, sql.c_str());
  statement.Bind(1, deviceId)
      .Bind(2, reading.readTime != 0 ? reading.readTime : static_cast<int64_t>(std::time(nullptr)))
      .Bind(3, reading.meterTime)
      .Bind(4, static_cast<int64_t>(reading.errorFlags));
  parameter = 5;
  for (Quantity quantity : QuantitiesOf(kind)) statement.Bind(parameter++, reading[quantity]);
  statement.Run();
  return db_.LastInsertId();
}

int64_t Archive::SaveReading(const Device& identity, const Reading& reading) {
  RequireKind(identity.kind);
  if (identity.manufacturer.empty() || identity.serial.empty()) {
    throw ArchiveError(ArchiveFailure::kInvalid, "a device needs its manufacturer and serial");
  }
  if (identity.medium < 0 || identity.medium > 255) {
    throw ArchiveError(ArchiveFailure::kInvalid, "medium out of range");
  }
  Transaction transaction(db_);
  int64_t deviceId = 0;
  if (const auto known = FindDevice(identity.kind, identity.manufacturer, identity.serial)) {
    deviceId = known->id;
    Statement update(db_,
                     "UPDATE devices SET "
                     "model = CASE WHEN ?1 <> '' THEN ?1 ELSE model END, "
                     "software_version = CASE WHEN ?2 <> '' THEN ?2 ELSE software_version END, "
                     "medium = CASE WHEN ?3 <> 0 THEN ?3 ELSE medium END, "
                     "object_id = coalesce(?4, object_id) WHERE id = ?5");
    update.Bind(1, identity.model).Bind(2, identity.softwareVersion).Bind(3, identity.medium);
    identity.objectId ? update.Bind(4, *identity.objectId) : update.BindNull(4);
    update.Bind(5, deviceId).Run();
  } else {
    Statement insert(db_,
                     "INSERT INTO devices (kind, manufacturer, serial, model, software_version, "
                     "medium, object_id) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    insert.Bind(1, static_cast<int64_t>(identity.kind))
        .Bind(2, identity.manufacturer)
        .Bind(3, identity.serial)
        .Bind(4, identity.model)
        .Bind(5, identity.softwareVersion)
        .Bind(6, identity.medium);
    identity.objectId ? insert.Bind(7, *identity.objectId) : insert.BindNull(7);
    insert.Run();
    deviceId = db_.LastInsertId();
  }
  const int64_t readingId = InsertReading(identity.kind, deviceId, reading);
  transaction.Commit();
  return readingId;
}

int64_t Archive::AddReading(DeviceKind kind, const Reading& reading) {
  RequireKind(kind);
  Statement device(db_, "SELECT 1 FROM devices WHERE id = ?1 AND kind = ?2");
  if (!device.Bind(1, reading.deviceId).Bind(2, static_cast<int64_t>(kind)).Step()) {
    throw ArchiveError(ArchiveFailure::kNotFound, "no such device of that kind");
  }
  return InsertReading(kind, reading.deviceId, reading);
}

void Archive::AddReadings(DeviceKind kind, std::span<const Reading> readings) {
  RequireKind(kind);
  Transaction transaction(db_);
  Statement device(db_, "SELECT kind FROM devices WHERE id = ?1");
  int64_t checked = 0;  // readings come in runs of one device
  for (const Reading& reading : readings) {
    if (reading.deviceId != checked) {
      device.Reset();
      if (!device.Bind(1, reading.deviceId).Step() || device.Int(0) != static_cast<int64_t>(kind)) {
        throw ArchiveError(ArchiveFailure::kNotFound, "no such device of that kind");
      }
      checked = reading.deviceId;
    }
    InsertReading(kind, reading.deviceId, reading);
  }
  transaction.Commit();
}

std::optional<Device> Archive::FindDevice(DeviceKind kind, std::string_view manufacturer,
                                          std::string_view serial) const {
  const std::string sql = std::string("SELECT ") + kDeviceColumns +
                          " FROM devices d WHERE d.kind = ?1 AND d.manufacturer = ?2 "
                          "AND d.serial = ?3";
  Statement statement(db_, sql.c_str());
  statement.Bind(1, static_cast<int64_t>(kind)).Bind(2, manufacturer).Bind(3, serial);
  if (!statement.Step()) return std::nullopt;
  return ReadDevice(statement, 0);
}

std::vector<Device> Archive::Devices(std::optional<DeviceKind> kind) const {
  const std::string sql = std::string("SELECT ") + kDeviceColumns +
                          " FROM devices d WHERE ?1 IS NULL OR d.kind = ?1 "
                          "ORDER BY d.kind, d.manufacturer, d.serial";
  Statement statement(db_, sql.c_str());
  kind ? statement.Bind(1, static_cast<int64_t>(*kind)) : statement.BindNull(1);
  std::vector<Device> result;
  while (statement.Step()) result.push_back(ReadDevice(statement, 0));
  return result;
}

void Archive::SetDeviceObject(int64_t deviceId, std::optional<int64_t> objectId) {
  Statement statement(db_, "UPDATE devices SET object_id = ?1 WHERE id = ?2");
  objectId ? statement.Bind(1, *objectId) : statement.BindNull(1);
  statement.Bind(2, deviceId).Run();
  if (sqlite3_changes(db_.handle()) == 0) {
    throw ArchiveError(ArchiveFailure::kNotFound, "no such device");
  }
}

void Archive::SetObjectDevices(int64_t objectId, std::span<const int64_t> deviceIds) {
  Transaction transaction(db_);
  Statement object(db_, "SELECT 1 FROM objects WHERE id = ?1");
  if (!object.Bind(1, objectId).Step())
    throw ArchiveError(ArchiveFailure::kNotFound, "no such object");
  Statement(db_, "UPDATE devices SET object_id = NULL WHERE object_id = ?1")
      .Bind(1, objectId)
      .Run();
  for (int64_t deviceId : deviceIds) SetDeviceObject(deviceId, objectId);
  transaction.Commit();
}

std::vector<DeviceReading> Archive::Readings(std::optional<DeviceKind> kind,
                                             std::optional<int64_t> deviceId, int limit) const {
  std::vector<DeviceReading> result;
  for (DeviceKind each : kDeviceKinds) {
    if (kind && *kind != each) continue;
    const std::string sql = "SELECT " + ReadingColumns(each) + ", " + kDeviceColumns + " FROM " +
                            schema::ReadingTable(each) +
                            " r JOIN devices d ON d.id = r.device_id "
                            "WHERE ?1 IS NULL OR r.device_id = ?1 "
                            "ORDER BY r.read_time DESC, r.id DESC LIMIT ?2";
    Statement statement(db_, sql.c_str());
    deviceId ? statement.Bind(1, *deviceId) : statement.BindNull(1);
    statement.Bind(2, static_cast<int64_t>(limit > 0 ? limit : -1));
    while (statement.Step()) {
      result.push_back({ReadDevice(statement, ColumnCount(each)), ReadReading(statement, each)});
    }
  }
  // Each kind came newest first; merge them, the newest overall first.
  std::stable_sort(result.begin(), result.end(), [](const auto& a, const auto& b) {
    return a.reading.readTime > b.reading.readTime;
  });
  if (limit > 0 && result.size() > static_cast<std::size_t>(limit)) result.resize(limit);
  return result;
}

std::vector<Reading> Archive::ReadingsOf(DeviceKind kind, int64_t deviceId, int limit) const {
  RequireKind(kind);
  const std::string sql = "SELECT " + ReadingColumns(kind) + " FROM " + schema::ReadingTable(kind) +
                          " r WHERE r.device_id = ?1 ORDER BY r.read_time DESC, r.id DESC LIMIT ?2";
  Statement statement(db_, sql.c_str());
  statement.Bind(1, deviceId).Bind(2, static_cast<int64_t>(limit > 0 ? limit : -1));
  std::vector<Reading> result;
  while (statement.Step()) result.push_back(ReadReading(statement, kind));
  return result;
}

void Archive::DeleteReadings(std::span<const ReadingKey> readings) {
  for (const auto& key : readings) RequireKind(key.kind);
  Transaction transaction(db_);
  for (const auto& key : readings) {
    const std::string sql =
        std::string("DELETE FROM ") + schema::ReadingTable(key.kind) + " WHERE id = ?1";
    Statement(db_, sql.c_str()).Bind(1, key.id).Run();
    RequireChanged(db_, "reading");
  }
  transaction.Commit();
}

int64_t Archive::ReadingCount() const {
  int64_t count = 0;
  for (DeviceKind kind : kDeviceKinds) {
    Statement statement(
        db_, (std::string("SELECT count(*) FROM ") + schema::ReadingTable(kind)).c_str());
    statement.Step();
    count += statement.Int(0);
  }
  return count;
}

}  // namespace admintools
