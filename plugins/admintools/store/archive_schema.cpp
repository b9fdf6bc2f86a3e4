#include "store/archive_schema.h"

#include <iterator>

namespace admintools::schema {

const char* ReadingTable(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kHeat:
      return "heat_readings";
    case DeviceKind::kWaterCold:
      return "water_cold_readings";
    case DeviceKind::kWaterHot:
      return "water_hot_readings";
  }
  return "heat_readings";
}

const char* ColumnOf(Quantity quantity) {
  static constexpr const char* kColumns[kQuantityCount] = {
      "energy_wh", "volume_m3",    "power_w",       "flow_m3h",       "supply_c",
      "return_c",  "difference_k", "temperature_c", "operating_hours"};
  return kColumns[static_cast<std::size_t>(quantity)];
}

const char* const kTables[6] = {
    "subscribers",         "objects",           "devices", "heat_readings",
    "water_cold_readings", "water_hot_readings"};

// Objects keep their subscriber (a subscriber with objects cannot be deleted);
// devices outlive their object; readings go with their device.
const char* const kCreate = R"sql(
CREATE TABLE subscribers (
  id      INTEGER PRIMARY KEY,
  name    TEXT NOT NULL CHECK (length(name) > 0),
  contact TEXT NOT NULL DEFAULT '',
  account TEXT NOT NULL DEFAULT '',
  notes   TEXT NOT NULL DEFAULT ''
);
CREATE INDEX subscribers_name ON subscribers (name);

CREATE TABLE objects (
  id            INTEGER PRIMARY KEY,
  subscriber_id INTEGER NOT NULL REFERENCES subscribers (id) ON DELETE RESTRICT,
  name          TEXT NOT NULL CHECK (length(name) > 0),
  address       TEXT NOT NULL DEFAULT ''
);
CREATE INDEX objects_subscriber ON objects (subscriber_id, name);

CREATE TABLE devices (
  id               INTEGER PRIMARY KEY,
  kind             INTEGER NOT NULL CHECK (kind IN (1, 2, 3)),
  manufacturer     TEXT NOT NULL CHECK (length(manufacturer) > 0),
  serial           TEXT NOT NULL CHECK (length(serial) > 0),
  model            TEXT NOT NULL DEFAULT '',
  software_version TEXT NOT NULL DEFAULT '',
  medium           INTEGER NOT NULL DEFAULT 0 CHECK (medium BETWEEN 0 AND 255),
  object_id        INTEGER REFERENCES objects (id) ON DELETE SET NULL,
  UNIQUE (kind, manufacturer, serial)
);
CREATE INDEX devices_object ON devices (object_id);
CREATE INDEX devices_serial ON devices (serial);

CREATE TABLE heat_readings (
  id              INTEGER PRIMARY KEY,
  device_id       INTEGER NOT NULL REFERENCES devices (id) ON DELETE CASCADE,
  read_time       INTEGER NOT NULL,
  meter_time      TEXT NOT NULL DEFAULT '',
  error_flags     INTEGER NOT NULL DEFAULT 0,
  energy_wh       REAL,
  volume_m3       REAL,
  power_w         REAL,
  flow_m3h        REAL,
  supply_c        REAL,
  return_c        REAL,
  difference_k    REAL,
  operating_hours REAL
);
CREATE INDEX heat_readings_device_time ON heat_readings (device_id, read_time);
CREATE INDEX heat_readings_time ON heat_readings (read_time);

CREATE TABLE water_cold_readings (
  id          INTEGER PRIMARY KEY,
  device_id   INTEGER NOT NULL REFERENCES devices (id) ON DELETE CASCADE,
  read_time   INTEGER NOT NULL,
  meter_time  TEXT NOT NULL DEFAULT '',
  error_flags INTEGER NOT NULL DEFAULT 0,
  volume_m3   REAL,
  flow_m3h    REAL
);
CREATE INDEX water_cold_readings_device_time ON water_cold_readings (device_id, read_time);
CREATE INDEX water_cold_readings_time ON water_cold_readings (read_time);

CREATE TABLE water_hot_readings (
  id            INTEGER PRIMARY KEY,
  device_id     INTEGER NOT NULL REFERENCES devices (id) ON DELETE CASCADE,
  read_time     INTEGER NOT NULL,
  meter_time    TEXT NOT NULL DEFAULT '',
  error_flags   INTEGER NOT NULL DEFAULT 0,
  volume_m3     REAL,
  flow_m3h      REAL,
  temperature_c REAL
);
CREATE INDEX water_hot_readings_device_time ON water_hot_readings (device_id, read_time);
CREATE INDEX water_hot_readings_time ON water_hot_readings (read_time);
)sql";

// Version 1 had no index to find a meter by its serial alone.
const char* const kUpgrades[] = {
    "CREATE INDEX IF NOT EXISTS devices_serial ON devices (serial);",
};
static_assert(std::size(kUpgrades) == kVersion - 1);

const char* Upgrade(int fromVersion) {
  if (fromVersion < 1 || fromVersion >= kVersion) return nullptr;
  return kUpgrades[fromVersion - 1];
}

}  // namespace admintools::schema
