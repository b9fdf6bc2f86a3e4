// The list, the chart and the export's reading of the archive: readings of
// every kind through one filter, newest or oldest first, each with its device,
// object, subscriber and whether its counter went back.
#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "store/archive.h"
#include "store/archive_error.h"
#include "store/archive_schema.h"

namespace admintools {
namespace {

// Parameters by number, the same in every arm; only those of the filter's
// conditions appear in the text.
constexpr int kSerialParameter = 1;
constexpr int kSubscriberParameter = 2;
constexpr int kFromParameter = 3;
constexpr int kToParameter = 4;
constexpr int kLimitParameter = 5;
constexpr int kOffsetParameter = 6;

// Where ReadingSelect puts the quantities and the backwards mark.
constexpr int kQuantityColumn = 6;
constexpr int kBackwardsColumn = kQuantityColumn + static_cast<int>(kQuantityCount);

void RequireValidKind(DeviceKind kind) {
  if (std::find(kDeviceKinds.begin(), kDeviceKinds.end(), kind) == kDeviceKinds.end()) {
    throw ArchiveError(ArchiveFailure::kInvalid, "unknown device kind");
  }
}

bool Records(DeviceKind kind, Quantity quantity) {
  const auto quantities = QuantitiesOf(kind);
  return std::find(quantities.begin(), quantities.end(), quantity) != quantities.end();
}

// Whether the reading `r` counts less than the device's latest earlier reading
// that has a counter. Earlier means by read time, then by id for equal times
// (the index of device and time holds the id too).
std::string BackwardsTerm(DeviceKind kind) {
  const std::string counter = schema::ColumnOf(CounterOf(kind));
  return "coalesce(r." + counter + " < (SELECT p." + counter + " FROM " +
         schema::ReadingTable(kind) + " p WHERE p.device_id = r.device_id AND p." + counter +
         " IS NOT NULL AND (p.read_time, p.id) < (r.read_time, r.id) "
         "ORDER BY p.read_time DESC, p.id DESC LIMIT 1), 0)";
}

// FROM and WHERE of one kind's readings `r`. The conditions on the device
// select its ids first, so SQLite reads their readings by the index of device
// and time, or the time index checking each reading's device in a small set.
std::string FromWhere(DeviceKind kind, const ReadingFilter& filter) {
  std::string where;
  const auto add = [&where](const std::string& condition) {
    where += where.empty() ? " WHERE " : " AND ";
    where += condition;
  };
  if (filter.serial) {
    add("r.device_id IN (SELECT id FROM devices WHERE serial = ?" +
        std::to_string(kSerialParameter) + ")");
  }
  if (filter.subscriber) {
    add("r.device_id IN (SELECT d.id FROM devices d JOIN objects o ON o.id = d.object_id "
        "JOIN subscribers s ON s.id = o.subscriber_id WHERE s.name = ?" +
        std::to_string(kSubscriberParameter) + ")");
  }
  if (filter.from) add("r.read_time >= ?" + std::to_string(kFromParameter));
  if (filter.to) add("r.read_time <= ?" + std::to_string(kToParameter));
  return std::string(" FROM ") + schema::ReadingTable(kind) + " r" + where;
}

// The reading's columns of one kind: kind, id, device, times, flags, every
// quantity in Quantity's order (NULL where the kind has none), the backwards
// mark (or 0 when `mark` is false: the caller works it out).
std::string ReadingSelect(DeviceKind kind, bool mark) {
  std::string sql = "SELECT " + std::to_string(static_cast<int>(kind)) +
                    ", r.id, r.device_id, r.read_time, r.meter_time, r.error_flags";
  for (std::size_t i = 0; i < kQuantityCount; ++i) {
    const auto quantity = static_cast<Quantity>(i);
    sql += Records(kind, quantity) ? std::string(", r.") + schema::ColumnOf(quantity)
                                   : std::string(", NULL");
  }
  return sql + ", " + (mark ? BackwardsTerm(kind) : std::string("0"));
}

std::vector<DeviceKind> KindsOf(const ReadingFilter& filter) {
  if (filter.kind) {
    RequireValidKind(*filter.kind);
    return {*filter.kind};
  }
  return {kDeviceKinds.begin(), kDeviceKinds.end()};
}

// Every arm's rows in one order: by read time, then kind, then id. Each arm
// comes in that order from its time index, so SQLite merges them and stops at
// the limit instead of sorting the whole archive.
std::string OrderedUnion(const ReadingFilter& filter, ReadingOrder order,
                         const std::function<std::string(DeviceKind)>& select) {
  std::string sql;
  for (DeviceKind kind : KindsOf(filter)) {
    if (!sql.empty()) sql += " UNION ALL ";
    sql += select(kind) + FromWhere(kind, filter);
  }
  return sql + (order == ReadingOrder::kNewestFirst ? " ORDER BY 4 DESC, 1, 2 DESC"
                                                    : " ORDER BY 4, 1, 2");
}

void BindFilter(Statement& statement, const ReadingFilter& filter) {
  if (filter.serial) statement.Bind(kSerialParameter, std::string_view(*filter.serial));
  if (filter.subscriber) statement.Bind(kSubscriberParameter, std::string_view(*filter.subscriber));
  if (filter.from) statement.Bind(kFromParameter, *filter.from);
  if (filter.to) statement.Bind(kToParameter, *filter.to);
}

// Reads the columns of ReadingSelect.
void ReadReading(const Statement& row, ArchiveRow& out) {
  Reading& reading = out.reading;
  reading.id = row.Int(1);
  reading.deviceId = row.Int(2);
  reading.readTime = row.Int(3);
  reading.meterTime = row.Text(4);
  reading.errorFlags = static_cast<uint32_t>(row.Int(5));
  for (std::size_t i = 0; i < kQuantityCount; ++i)
    reading.values[i] = row.Real(kQuantityColumn + static_cast<int>(i));
  out.backwards = row.Int(kBackwardsColumn) != 0;
}

// A device with its object and subscriber, as every row of it shows them.
struct Owner {
  Device device;
  std::string object;
  std::string objectAddress;
  std::string subscriber;
  std::string subscriberAccount;
};

constexpr const char* kOwnerSelect =
    "SELECT d.id, d.kind, d.manufacturer, d.serial, d.model, d.software_version, d.medium, "
    "d.object_id, coalesce(o.name, ''), coalesce(o.address, ''), coalesce(s.name, ''), "
    "coalesce(s.account, '') FROM devices d LEFT JOIN objects o ON o.id = d.object_id "
    "LEFT JOIN subscribers s ON s.id = o.subscriber_id";

Owner ReadOwner(const Statement& row) {
  Owner owner;
  Device& device = owner.device;
  device.id = row.Int(0);
  device.kind = static_cast<DeviceKind>(row.Int(1));
  device.manufacturer = row.Text(2);
  device.serial = row.Text(3);
  device.model = row.Text(4);
  device.softwareVersion = row.Text(5);
  device.medium = static_cast<int>(row.Int(6));
  if (!row.IsNull(7)) device.objectId = row.Int(7);
  owner.object = row.Text(8);
  owner.objectAddress = row.Text(9);
  owner.subscriber = row.Text(10);
  owner.subscriberAccount = row.Text(11);
  return owner;
}

void CopyOwner(const Owner& owner, ArchiveRow& out) {
  out.device = owner.device;
  out.object = owner.object;
  out.objectAddress = owner.objectAddress;
  out.subscriber = owner.subscriber;
  out.subscriberAccount = owner.subscriberAccount;
}

}  // namespace

Quantity CounterOf(DeviceKind kind) {
  return kind == DeviceKind::kHeat ? Quantity::kEnergy : Quantity::kVolume;
}

int64_t Archive::Count(const ReadingFilter& filter) const {
  int64_t total = 0;
  for (DeviceKind kind : KindsOf(filter)) {
    const std::string sql = "SELECT count(*)" + FromWhere(kind, filter);
    Statement statement(db_, sql.c_str());
    BindFilter(statement, filter);
    statement.Step();
    total += statement.Int(0);
  }
  return total;
}

ReadingPage Archive::Page(const ReadingFilter& filter, int64_t offset, int limit) const {
  if (offset < 0 || limit < 0) throw ArchiveError(ArchiveFailure::kInvalid, "negative page");
  ReadingPage page;
  page.total = Count(filter);
  if (limit == 0 || offset >= page.total) return page;
  // The page's readings by their keys alone (the time indexes hold id and
  // time; the third column only keeps the time fourth, as in every row), then
  // the few rows in full: skipping far into the list reads no more than keys.
  const std::string sql = OrderedUnion(filter, ReadingOrder::kNewestFirst,
                                       [](DeviceKind kind) {
                                         return "SELECT " + std::to_string(static_cast<int>(kind)) +
                                                ", r.id, 0, r.read_time";
                                       }) +
                          " LIMIT ?" + std::to_string(kLimitParameter) + " OFFSET ?" +
                          std::to_string(kOffsetParameter);
  Statement keys(db_, sql.c_str());
  BindFilter(keys, filter);
  keys.Bind(kLimitParameter, static_cast<int64_t>(limit)).Bind(kOffsetParameter, offset);
  std::vector<std::optional<Statement>> readings(kDeviceKinds.size() + 1);
  Statement owner(db_, (std::string(kOwnerSelect) + " WHERE d.id = ?1").c_str());
  while (keys.Step()) {
    const auto kind = static_cast<DeviceKind>(keys.Int(0));
    auto& reading = readings[static_cast<std::size_t>(kind)];
    if (!reading) {
      const std::string one = ReadingSelect(kind, /*mark=*/true) + " FROM " +
                              schema::ReadingTable(kind) + " r WHERE r.id = ?1";
      reading.emplace(db_, one.c_str());
    }
    reading->Reset();
    if (!reading->Bind(1, keys.Int(1)).Step()) continue;
    owner.Reset();
    if (!owner.Bind(1, reading->Int(2)).Step()) continue;
    ArchiveRow& row = page.rows.emplace_back();
    ReadReading(*reading, row);
    CopyOwner(ReadOwner(owner), row);
  }
  return page;
}

void Archive::ForEachRow(const ReadingFilter& filter, ReadingOrder order,
                         const std::function<void(const ArchiveRow&)>& row) const {
  // Devices are few; each row takes its device from here instead of a join.
  std::map<int64_t, Owner> owners;
  {
    Statement statement(db_, kOwnerSelect);
    while (statement.Step()) {
      Owner owner = ReadOwner(statement);
      owners.emplace(owner.device.id, std::move(owner));
    }
  }
  // Oldest first, a device's previous reading is the last one of it that came
  // by (the filter selects a device's readings in a range whole), so only its
  // first one in the range asks the archive.
  const bool streamed = order == ReadingOrder::kOldestFirst;
  const std::string sql = OrderedUnion(filter, order, [streamed](DeviceKind kind) {
    return ReadingSelect(kind, /*mark=*/!streamed);
  });
  Statement statement(db_, sql.c_str());
  BindFilter(statement, filter);
  std::map<int64_t, std::optional<double>> lastCounter;  // by device
  ArchiveRow current;                                    // one row's storage, reused
  while (statement.Step()) {
    ReadReading(statement, current);
    const auto owner = owners.find(current.reading.deviceId);
    if (owner == owners.end()) continue;  // gone since the list of devices was read
    CopyOwner(owner->second, current);
    if (streamed) {
      const auto& counter = current.reading[CounterOf(current.device.kind)];
      // Until a counter of the device came by, its previous one is the archive's.
      auto& last = lastCounter[current.reading.deviceId];
      current.backwards = last ? counter && *counter < *last : IsBackwards(current.Key());
      if (counter) last = counter;
    }
    row(current);
  }
}

std::vector<Reading> Archive::History(DeviceKind kind, int64_t deviceId,
                                      std::optional<int64_t> from,
                                      std::optional<int64_t> to) const {
  RequireValidKind(kind);
  std::string sql = "SELECT r.id, r.device_id, r.read_time, r.meter_time, r.error_flags";
  for (Quantity quantity : QuantitiesOf(kind))
    sql += std::string(", r.") + schema::ColumnOf(quantity);
  sql += std::string(" FROM ") + schema::ReadingTable(kind) +
         " r WHERE r.device_id = ?1 AND r.read_time >= ?2 AND r.read_time <= ?3 "
         "ORDER BY r.read_time, r.id";
  Statement statement(db_, sql.c_str());
  statement.Bind(1, deviceId).Bind(2, from.value_or(INT64_MIN)).Bind(3, to.value_or(INT64_MAX));
  std::vector<Reading> result;
  while (statement.Step()) {
    Reading& reading = result.emplace_back();
    reading.id = statement.Int(0);
    reading.deviceId = statement.Int(1);
    reading.readTime = statement.Int(2);
    reading.meterTime = statement.Text(3);
    reading.errorFlags = static_cast<uint32_t>(statement.Int(4));
    int column = 5;
    for (Quantity quantity : QuantitiesOf(kind)) reading[quantity] = statement.Real(column++);
  }
  return result;
}

bool Archive::IsBackwards(ReadingKey key) const {
  RequireValidKind(key.kind);
  const std::string sql = "SELECT " + BackwardsTerm(key.kind) + " FROM " +
                          schema::ReadingTable(key.kind) + " r WHERE r.id = ?1";
  Statement statement(db_, sql.c_str());
  if (!statement.Bind(1, key.id).Step())
    throw ArchiveError(ArchiveFailure::kNotFound, "no such reading");
  return statement.Int(0) != 0;
}

std::vector<ReadingKey> Archive::BackwardsReadings(const ReadingFilter& filter) const {
  std::vector<ReadingKey> keys;
  ForEachRow(filter, ReadingOrder::kNewestFirst, [&keys](const ArchiveRow& row) {
    if (row.backwards) keys.push_back(row.Key());
  });
  return keys;
}

}  // namespace admintools
