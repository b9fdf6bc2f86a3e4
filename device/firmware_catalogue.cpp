#include "device/firmware_catalogue.h"

#include <sqlite3.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/platform/sqlite_handle.h"
#include "base/platform/text.h"
#include "device/device_record.h"

namespace {

// The manufacturer number and product code are formatted into the text as the
// catalogue has always compared them; the software version comes from the
// meter and is bound, so a quote in it cannot change the query.
constexpr const char* kQuery =
    "SELECT `ID`, `MAN_ID`, `PRODUCT_CODE`, `DEVICE_TYPE`, `SOFTWARE_VERSION`, "
    "`STORAGE_NUMBER_HOUR`, `DEPTH_HOUR`, `STORAGE_NUMBER_DAYS`, `DEPTH_DAYS`, "
    "`STORAGE_NUMBER_MONTH`, `DEPTH_MONTH`, `STORAGE_NUMBER_YEARS`, `DEPTH_YEARS`, "
    "`STORAGE_NUMBER_CHANGING_TIMES`, `DEPTH_CHANGING_TIMES`, `STORAGE_NUMBER_ERRORS`, "
    "`DEPTH_ERRORS`, `STORAGE_NUMBER_SETTINGS`, `DEPTH_SETTINGS`, "
    "`STORAGE_NUMBER_SETTINGS_CHANGES`, `DEPTH_SETTINGS_CHANGES`, `STORAGE_NUMBER_TARIFF`, "
    "`DEPTH_TARIFF`, `SUBUNIT`, `TARIFF`, `DEFAULT_DEVICE_MODEL`, `HASH` FROM `FIRMWARE` "
    "WHERE `MAN_ID` = '%X' AND `PRODUCT_CODE` = '%i' AND `SOFTWARE_VERSION` = ?;";

// STORAGE_NUMBER_HOUR … TARIFF, in column order from the sixth column on.
constexpr int kFirstNumberColumn = 5;
// Rides out a short write by another program; a longer lock is reported.
constexpr int kBusyTimeoutMs = 1000;
constexpr std::int32_t KeldarDeviceRecord::*kNumberFields[] = {
    &KeldarDeviceRecord::storage_number_hour,
    &KeldarDeviceRecord::depth_hour,
    &KeldarDeviceRecord::storage_number_days,
    &KeldarDeviceRecord::depth_days,
    &KeldarDeviceRecord::storage_number_month,
    &KeldarDeviceRecord::depth_month,
    &KeldarDeviceRecord::storage_number_years,
    &KeldarDeviceRecord::depth_years,
    &KeldarDeviceRecord::storage_number_changing_times,
    &KeldarDeviceRecord::depth_changing_times,
    &KeldarDeviceRecord::storage_number_errors,
    &KeldarDeviceRecord::depth_errors,
    &KeldarDeviceRecord::storage_number_settings,
    &KeldarDeviceRecord::depth_settings,
    &KeldarDeviceRecord::storage_number_settings_changes,
    &KeldarDeviceRecord::depth_settings_changes,
    &KeldarDeviceRecord::storage_number_tariff,
    &KeldarDeviceRecord::depth_tariff,
    &KeldarDeviceRecord::subunit,
    &KeldarDeviceRecord::tariff,
};

// A column read as a decimal integer from its leading digits (none gives 0).
std::int32_t LeadingInteger(sqlite3_stmt* row, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
  if (text == nullptr) return 0;
  long long value = 0;
  bool negative = false;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

void ReadRow(sqlite3_stmt* row, KeldarDeviceRecord& record) {
  record.id = LeadingInteger(row, 0);
  record.man_id = LeadingInteger(row, 1);
  record.product_code = LeadingInteger(row, 2);
  record.device_type = static_cast<std::uint8_t>(LeadingInteger(row, 3));
  platform::CopyToField(record.software_version, platform::SqliteText(row, 4));
  int column = kFirstNumberColumn;
  for (auto field : kNumberFields) record.*field = LeadingInteger(row, column++);
  platform::CopyToField(record.model, platform::SqliteText(row, 25));
  platform::CopyToField(record.hash, platform::Utf8Prefix(platform::SqliteText(row, 26), 32));
}

}  // namespace

FirmwareCatalogue::FirmwareCatalogue(std::string databasePath)
    : databasePath_(std::move(databasePath)), result_(EmptyDeviceRecord()) {}

std::uint16_t FirmwareCatalogue::ManufacturerNumber(const char* letters) {
  const auto c = [letters](int i) -> int {
    return letters != nullptr && std::strlen(letters) > static_cast<std::size_t>(i)
               ? static_cast<unsigned char>(letters[i])
               : 0;
  };
  return static_cast<std::uint16_t>((c(0) * 1024 + c(1) * 32 + c(2) - 2112) & 0xFFFF);
}

void FirmwareCatalogue::Find(const char* manufacturer, std::uint8_t productCode,
                             const char* softwareVersion) {
  result_ = EmptyDeviceRecord();
  problem_.reset();
  const auto fail = [this](const std::string& why) {
    problem_ = "the firmware catalogue " + databasePath_ + " cannot be read: " + why;
  };
  std::error_code error;
  if (!std::filesystem::exists(databasePath_, error)) return fail("the file is missing");

  sqlite3* raw = nullptr;
  const int opened = sqlite3_open_v2(databasePath_.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  const platform::SqliteDatabase db(raw);
  if (opened != SQLITE_OK)
    return fail(raw != nullptr ? sqlite3_errmsg(raw) : sqlite3_errstr(opened));
  sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);

  char query[2000];
  std::snprintf(query, sizeof query, kQuery,
                static_cast<unsigned>(ManufacturerNumber(manufacturer)),
                static_cast<int>(productCode));
  // Not a database, locked, or without the FIRMWARE table and its columns.
  const platform::SqliteStatement statement = platform::PrepareSqlite(db.get(), query);
  if (!statement) return fail(sqlite3_errmsg(db.get()));
  sqlite3_bind_text(statement.get(), 1, softwareVersion != nullptr ? softwareVersion : "", -1,
                    SQLITE_TRANSIENT);
  // Every row overwrites the result: the last one delivered wins.
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) ReadRow(statement.get(), result_);
  if (step != SQLITE_DONE) {
    result_ = EmptyDeviceRecord();
    fail(sqlite3_errmsg(db.get()));
  }
}
