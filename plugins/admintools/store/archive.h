#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/archive_model.h"
#include "store/archive_schema.h"
#include "store/reading_query.h"
#include "store/sqlite.h"

namespace admintools {

// The local archive: subscribers, their objects, devices and their readings in
// one SQLite file. Every failure throws ArchiveError; nothing is changed by an
// operation that throws. One thread at a time (the main thread).
class Archive {
 public:
  // 2 added the index of devices by serial; a version 1 file is brought up
  // to it when opened.
  static constexpr int kSchemaVersion = schema::kVersion;
  static constexpr const char* kFileName = "archive.db";

  // Opens `file`, creating the archive on first use. A file of a newer schema
  // version, a corrupt file or another program's database is refused and left
  // as it is.
  explicit Archive(const std::string& file = kFileName);

  // ---- devices and readings ----

  // Saves `reading` for the device of `identity`'s kind, manufacturer and
  // serial, adding the device when new; a non-empty model, software version,
  // medium or object of `identity` replaces the stored one. Returns the
  // reading's id.
  int64_t SaveReading(const Device& identity, const Reading& reading);
  // Saves a reading of a device already in the archive (reading.deviceId),
  // which must be of `kind`. Returns the reading's id.
  int64_t AddReading(DeviceKind kind, const Reading& reading);

  std::optional<Device> FindDevice(DeviceKind kind, std::string_view manufacturer,
                                   std::string_view serial) const;
  // Every device (of one kind), by kind, manufacturer and serial.
  std::vector<Device> Devices(std::optional<DeviceKind> kind = std::nullopt) const;
  void SetDeviceObject(int64_t deviceId, std::optional<int64_t> objectId);
  // Makes `deviceIds` exactly the devices of the object: others of it are let go.
  void SetObjectDevices(int64_t objectId, std::span<const int64_t> deviceIds);

  // Readings with their devices, newest first: of one kind or all, of one
  // device or all, at most `limit` (0 = no limit).
  std::vector<DeviceReading> Readings(std::optional<DeviceKind> kind,
                                      std::optional<int64_t> deviceId, int limit = 0) const;
  // The readings of one device, newest first (at most `limit`, 0 = all).
  std::vector<Reading> ReadingsOf(DeviceKind kind, int64_t deviceId, int limit = 0) const;
  int64_t ReadingCount() const;
  // Deletes the readings all together, or none of them when one is missing.
  // Their devices stay in the archive.
  void DeleteReadings(std::span<const ReadingKey> readings);

  // Saves readings of devices already in the archive (each reading.deviceId,
  // of `kind`) all together, or none of them when one is refused.
  void AddReadings(DeviceKind kind, std::span<const Reading> readings);

  // ---- the list, the chart and the export ----

  // The readings `filter` selects, newest first: `limit` of them from
  // `offset`, and how many it selects in all.
  ReadingPage Page(const ReadingFilter& filter, int64_t offset, int limit) const;
  int64_t Count(const ReadingFilter& filter) const;
  // Hands every reading `filter` selects to `row` in `order`, one at a time.
  void ForEachRow(const ReadingFilter& filter, ReadingOrder order,
                  const std::function<void(const ArchiveRow&)>& row) const;
  // One device's readings read within [from, to], oldest first (a chart).
  std::vector<Reading> History(DeviceKind kind, int64_t deviceId,
                               std::optional<int64_t> from = std::nullopt,
                               std::optional<int64_t> to = std::nullopt) const;
  // Whether the reading's counter is below the device's previous reading's.
  bool IsBackwards(ReadingKey reading) const;
  // The readings `filter` selects whose counter went back, newest first.
  std::vector<ReadingKey> BackwardsReadings(const ReadingFilter& filter) const;

  // ---- subscribers and objects ----

  std::vector<Subscriber> Subscribers() const;  // by name
  int64_t AddSubscriber(const Subscriber& subscriber);
  void UpdateSubscriber(const Subscriber& subscriber);
  // Refused (kInUse) while the subscriber has objects.
  void DeleteSubscriber(int64_t id);

  // The objects of one subscriber, or all; by name.
  std::vector<Object> Objects(std::optional<int64_t> subscriberId = std::nullopt) const;
  int64_t AddObject(const Object& object);
  void UpdateObject(const Object& object);
  // The object's devices stay in the archive without an object.
  void DeleteObject(int64_t id);

 private:
  void OpenSchema();
  int64_t InsertReading(DeviceKind kind, int64_t deviceId, const Reading& reading);

  Database db_;
};

}  // namespace admintools
