#include "telegram_json.h"

#include <QJsonArray>
#include <algorithm>

#include "base/bus/constants.h"
#include "base/bus/records.h"

namespace keldar::cli {

namespace {

QJsonValue ValueOf(const KeldarBusDataInfoBlock& r) {
  if (r.value_kind == KELDAR_BUS_VALUE_NUMBER) return r.decoded;
  return QJsonValue::Null;
}

}  // namespace

QString IdentificationText(const KeldarBusTelegram& t) {
  return QStringLiteral("%1")
      .arg(static_cast<unsigned>(t.identification & 0xFFFFFFFFu), 8, 16, QLatin1Char('0'))
      .toUpper();
}

const char* FunctionName(const KeldarBusDataInfoBlock& r) {
  switch (r.function) {
    case KELDAR_BUS_FUNCTION_INSTANTANEOUS:
      return "instantaneous";
    case KELDAR_BUS_FUNCTION_MAXIMUM:
      return "maximum";
    case KELDAR_BUS_FUNCTION_MINIMUM:
      return "minimum";
    case KELDAR_BUS_FUNCTION_ERROR:
      return "error";
    default:
      return "manufacturer specific";
  }
}

QString RawText(const KeldarBusDataInfoBlock& r) {
  const std::uint32_t size = std::min<std::uint32_t>(r.data_size, KELDAR_BUS_LONG_DATA_CAPACITY);
  if (r.function == KELDAR_BUS_FUNCTION_MANUFACTURER) {
    QStringList bytes;
    for (std::uint32_t i = 0; i < size; ++i) {
      bytes << QStringLiteral("%1").arg(r.data[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return bytes.join(' ');
  }
  const int digits =
      static_cast<int>(std::max<std::uint32_t>(1, 2 * std::min<std::uint32_t>(size, 8)));
  return QStringLiteral("%1")
      .arg(static_cast<qulonglong>(r.value), digits, 16, QLatin1Char('0'))
      .toUpper();
}

QJsonObject RecordToJson(const KeldarBusDataInfoBlock& r) {
  QJsonObject o;
  o["dif"] = r.dif;
  o["function"] = FunctionName(r);
  if (r.function == KELDAR_BUS_FUNCTION_MANUFACTURER) {
    o["raw"] = RawText(r);
    return o;
  }
  o["vif"] = r.vif_raw;
  QJsonArray vifes;
  for (std::uint32_t i = 0; i < std::min(r.vife.count, KELDAR_BUS_VIFE_CAPACITY); ++i) {
    vifes.append(r.vife.items[i].raw);
  }
  o["vifes"] = vifes;
  o["storage"] = static_cast<double>(r.storage);
  o["tariff"] = static_cast<double>(r.tariff);
  o["subunit"] = static_cast<double>(r.unit);
  o["quantity"] = QString::fromUtf8(r.quantity);
  o["unit"] = QString::fromUtf8(r.unit_text);
  switch (r.value_kind) {
    case KELDAR_BUS_VALUE_TEXT:
    case KELDAR_BUS_VALUE_DATE:
      o["text"] = QString::fromUtf8(r.text);
      break;
    case KELDAR_BUS_VALUE_INVALID_DATE:
      o["text"] = QJsonValue::Null;
      break;
    default:
      o["value"] = ValueOf(r);
      break;
  }
  o["raw"] = RawText(r);
  return o;
}

QJsonObject TelegramToJson(const KeldarBusProtocolLibrary* lib, KeldarBusTelegram* t) {
  QJsonObject o;
  o["c"] = t->c_field;
  o["a"] = t->a_field;
  o["ci"] = t->ci_field;
  if (t->ci_field == mbus::kCiApplicationError) {
    o["error"] = QString::fromUtf8(t->error_text);
  }
  if (t->ci_field == mbus::kCiVariableData || t->ci_field == mbus::kCiFixedData) {
    o["id"] = IdentificationText(*t);
    o["medium"] = t->medium;
  }
  if (t->ci_field == mbus::kCiVariableData) {
    o["manufacturer"] = QString::fromUtf8(t->manufacturer_text);
    o["version"] = t->version;
  }
  if (t->ci_field == mbus::kCiVariableData || t->ci_field == mbus::kCiShortHeader ||
      t->ci_field == mbus::kCiFixedData) {
    o["access_number"] = t->access_number;
    o["status"] = t->status;
  }
  if (t->ci_field == mbus::kCiVariableData || t->ci_field == mbus::kCiShortHeader) {
    o["signature"] = t->signature;
  }
  o["more_records_follow"] = t->more_records_follow != 0;
  QJsonArray records;
  for (const auto* r : mbus::TelegramRecords(lib, *t)) records.append(RecordToJson(*r));
  o["records"] = records;
  return o;
}

}  // namespace keldar::cli
