-- archive.db as the first version of the program wrote it (PRAGMA user_version 1).
-- Kept unchanged: files written by that version must open in every later one.
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

PRAGMA user_version = 1;
PRAGMA journal_mode = WAL;
