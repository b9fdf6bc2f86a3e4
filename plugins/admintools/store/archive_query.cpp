// The list, the chart and the export's reading of the archive: readings of
// every kind through one filter, newest or oldest first, each with its device,
// object, subscriber and whether its counter went back.
#include <algorithm>
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

// The row's columns: kind, the reading (id, device, times, flags, every
// quantity in Quantity's order), the backwards mark, the device, the object and
// subscriber.
constexpr int kQuantityColumn = 6;
constexpr int kBackwardsColumn = kQuantityColumn + static_cast<int>(kQuantityCount);
constexpr int kDeviceColumn = kBackwardsColumn + 1;
constexpr int kObjectColumn = kDeviceColumn + 8;

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

// FROM and WHERE of one kind's arm. The device, object and subscriber are
// joined when `joinAll` or a condition needs them.
std::string FromWhere(DeviceKind kind, const ReadingFilter& filter, bool joinAll) {
  const bool device = joinAll || filter.serial || filter.subscriber;
  const bool owner = joinAll || filter.subscriber;
  std::string sql = std::string(" FROM ") + schema::ReadingTable(kind) + " r";
  if (device) sql += " JOIN devices d ON d.id = r.device_id";
  if (owner) {
    sql +=
        " LEFT JOIN objects o ON o.id = d.object_id"
        " LEFT JOIN subscribers s ON s.id = o.subscriber_id";
  }
  std::string where;
  const auto add = [&where](const std::string& condition) {
    where += where.empty() ? " WHERE " : " AND ";
    where += condition;
  };
  if (filter.serial) add("d.serial = ?" + std::to_string(kSerialParameter));
  if (filter.subscriber) add("s.name = ?" + std::to_string(kSubscriberParameter));
  if (filter.from) add("r.read_time >= ?" + std::to_string(kFromParameter));
  if (filter.to) add("r.read_time <= ?" + std::to_string(kToParameter));
  return sql + where;
}

std::string RowSelect(DeviceKind kind, const ReadingFilter& filter) {
  std::string sql = "SELECT " + std::to_string(static_cast<int>(kind)) +
                    ", r.id, r.device_id, r.read_time, r.meter_time, r.error_flags";
  for (std::size_t i = 0; i < kQuantityCount; ++i) {
    const auto quantity = static_cast<Quantity>(i);
    sql += Records(kind, quantity) ? std::string(", r.") + schema::ColumnOf(quantity)
                                   : std::string(", NULL");
  }
  sql += ", " + BackwardsTerm(kind) +
         ", d.id, d.kind, d.manufacturer, d.serial, d.model, d.software_version, d.medium, "
         "d.object_id, coalesce(o.name, ''), coalesce(o.address, ''), coalesce(s.name, ''), "
         "coalesce(s.account, '')";
  return sql + FromWhere(kind, filter, /*joinAll=*/true);
}

std::vector<DeviceKind> KindsOf(const ReadingFilter& filter) {
  if (filter.kind) return {*filter.kind};
  return {kDeviceKinds.begin(), kDeviceKinds.end()};
}

// Every arm's rows in one order: by read time, then kind, then id. Each arm
// comes in that order from its time index, so SQLite merges them and stops at
// the limit instead of sorting the whole archive.
std::string RowsSql(const ReadingFilter& filter, ReadingOrder order, bool paged) {
  std::string sql;
  for (DeviceKind kind : KindsOf(filter)) {
    if (!sql.empty()) sql += " UNION ALL ";
    sql += RowSelect(kind, filter);
  }
  sql += order == ReadingOrder::kNewestFirst ? " ORDER BY 4 DESC, 1, 2 DESC" : " ORDER BY 4, 1, 2";
  if (paged) {
    sql += " LIMIT ?" + std::to_string(kLimitParameter) + " OFFSET ?" +
           std::to_string(kOffsetParameter);
  }
  return sql;
}

void BindFilter(Statement& statement, const ReadingFilter& filter) {
  if (filter.serial) statement.Bind(kSerialParameter, std::string_view(*filter.serial));
  if (filter.subscriber) statement.Bind(kSubscriberParameter, std::string_view(*filter.subscriber));
  if (filter.from) statement.Bind(kFromParameter, *filter.from);
  if (filter.to) statement.Bind(kToParameter, *filter.to);
}

void ReadRow(const Statement& row, ArchiveRow& out) {
  Reading& reading = out.reading;
  reading.id = row.Int(1);
  reading.deviceId = row.Int(2);
  reading.readTime = row.Int(3);
  reading.meterTime = row.Text(4);
  reading.errorFlags = static_cast<uint32_t>(row.Int(5));
  for (std::size_t i = 0; i < kQuantityCount; ++i)
    reading.values[i] = row.Real(kQuantityColumn + static_cast<int>(i));
  out.backwards = row.Int(kBackwardsColumn) != 0;
  Device& device = out.device;
  device.id = row.Int(kDeviceColumn);
  device.kind = static_cast<DeviceKind>(row.Int(kDeviceColumn + 1));
  device.manufacturer = row.Text(kDeviceColumn + 2);
  device.serial = row.Text(kDeviceColumn + 3);
  device.model = row.Text(kDeviceColumn + 4);
  device.softwareVersion = row.Text(kDeviceColumn + 5);
  device.medium = static_cast<int>(row.Int(kDeviceColumn + 6));
  device.objectId.reset();
  if (!row.IsNull(kDeviceColumn + 7)) device.objectId = row.Int(kDeviceColumn + 7);
  out.object = row.Text(kObjectColumn);
  out.objectAddress = row.Text(kObjectColumn + 1);
  out.subscriber = row.Text(kObjectColumn + 2);
  out.subscriberAccount = row.Text(kObjectColumn + 3);
}

void RequireValidKind(DeviceKind kind) {
  if (std::find(kDeviceKinds.begin(), kDeviceKinds.end(), kind) == kDeviceKinds.end()) {
    throw ArchiveError(ArchiveFailure::kInvalid, "unknown device kind");
  }
}

}  // namespace

Quantity CounterOf(DeviceKind kind) {
  return kind == DeviceKind::kHeat ? Quantity::kEnergy : Quantity::kVolume;
}

int64_t Archive::Count(const ReadingFilter& filter) const {
  int64_t total = 0;
  for (DeviceKind kind : KindsOf(filter)) {
    const std::string sql = "SELECT count(*)" + FromWhere(kind, filter, /*joinAll=*/false);
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
  const std::string sql = RowsSql(filter, ReadingOrder::kNewestFirst, /*paged=*/true);
  Statement statement(db_, sql.c_str());
  BindFilter(statement, filter);
  statement.Bind(kLimitParameter, static_cast<int64_t>(limit)).Bind(kOffsetParameter, offset);
  page.rows.reserve(static_cast<std::size_t>(std::min<int64_t>(limit, page.total - offset)));
  while (statement.Step()) ReadRow(statement, page.rows.emplace_back());
  return page;
}

void Archive::ForEachRow(const ReadingFilter& filter, ReadingOrder order,
                         const std::function<void(const ArchiveRow&)>& row) const {
  const std::string sql = RowsSql(filter, order, /*paged=*/false);
  Statement statement(db_, sql.c_str());
  BindFilter(statement, filter);
  ArchiveRow current;  // one row's storage, reused
  while (statement.Step()) {
    ReadRow(statement, current);
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
