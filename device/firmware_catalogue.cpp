#include "device/firmware_catalogue.h"

#include <sqlite3.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

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

struct DatabaseCloser {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
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

std::string_view ColumnText(sqlite3_stmt* row, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
  if (text == nullptr) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(row, column))};
}

void ReadRow(sqlite3_stmt* row, KeldarDeviceRecord& record) {
  record.id = LeadingInteger(row, 0);
  record.man_id = LeadingInteger(row, 1);
  record.product_code = LeadingInteger(row, 2);
  record.device_type = static_cast<std::uint8_t>(LeadingInteger(row, 3));
  platform::CopyToField(record.software_version, ColumnText(row, 4));
  int column = kFirstNumberColumn;
  for (auto field : kNumberFields) record.*field = LeadingInteger(row, column++);
  platform::CopyToField(record.model, ColumnText(row, 25));
  platform::CopyToField(record.hash, platform::Utf8Prefix(ColumnText(row, 26), 32));
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
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open(databasePath_.c_str(), &raw);
  std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
  if (opened != SQLITE_OK) return;

  char query[2000];
  std::snprintf(query, sizeof query, kQuery,
                static_cast<unsigned>(ManufacturerNumber(manufacturer)),
                static_cast<int>(productCode));
  sqlite3_stmt* rawStatement = nullptr;
  if (sqlite3_prepare_v2(db.get(), query, -1, &rawStatement, nullptr) != SQLITE_OK) return;
  std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(rawStatement);
  sqlite3_bind_text(statement.get(), 1, softwareVersion != nullptr ? softwareVersion : "", -1,
                    SQLITE_TRANSIENT);
  // Every row overwrites the result: the last one delivered wins.
  while (sqlite3_step(statement.get()) == SQLITE_ROW) ReadRow(statement.get(), result_);
}
