#include "screens/export_file.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStringList>
#include <cmath>

namespace admintools {
namespace {

struct Column {
  Quantity quantity;
  const char* name;
};

constexpr Column kColumns[] = {
    {Quantity::kEnergy, "energy_wh"},
    {Quantity::kVolume, "volume_m3"},
    {Quantity::kPower, "power_w"},
    {Quantity::kFlow, "flow_m3h"},
    {Quantity::kSupplyTemperature, "supply_temperature_c"},
    {Quantity::kReturnTemperature, "return_temperature_c"},
    {Quantity::kTemperatureDifference, "temperature_difference_k"},
    {Quantity::kTemperature, "water_temperature_c"},
    {Quantity::kOperatingHours, "operating_hours_h"},
};

const char* KindName(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kHeat:
      return "heat";
    case DeviceKind::kWaterCold:
      return "cold";
    case DeviceKind::kWaterHot:
      return "hot";
  }
  return "";
}

QString Utc(int64_t seconds) {
  return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

QString Text(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString CsvField(QString text) {
  if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
      !text.contains(QLatin1Char('\n')))
    return text;
  return QLatin1Char('"') + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
         QLatin1Char('"');
}

bool Present(const std::optional<double>& value) { return value && !std::isnan(*value); }

QByteArray Csv(std::span<const DeviceReading> rows) {
  QStringList header{QStringLiteral("time"),         QStringLiteral("kind"),
                     QStringLiteral("manufacturer"), QStringLiteral("serial"),
                     QStringLiteral("model"),        QStringLiteral("meter_time"),
                     QStringLiteral("error_flags")};
  for (const Column& column : kColumns) header << QString::fromLatin1(column.name);
  QString out = header.join(QLatin1Char(',')) + QLatin1Char('\n');
  for (const auto& [device, reading] : rows) {
    QStringList fields{Utc(reading.readTime),
                       QString::fromLatin1(KindName(device.kind)),
                       CsvField(Text(device.manufacturer)),
                       CsvField(Text(device.serial)),
                       CsvField(Text(device.model)),
                       CsvField(Text(reading.meterTime)),
                       QString::number(reading.errorFlags)};
    for (const Column& column : kColumns) {
      const auto& value = reading[column.quantity];
      fields << (Present(value) ? QString::number(*value, 'g', 15) : QString());
    }
    out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
  }
  return out.toUtf8();
}

QByteArray Json(std::span<const DeviceReading> rows) {
  QJsonArray readings;
  for (const auto& [device, reading] : rows) {
    QJsonObject row{{QStringLiteral("time"), Utc(reading.readTime)},
                    {QStringLiteral("kind"), QString::fromLatin1(KindName(device.kind))},
                    {QStringLiteral("manufacturer"), Text(device.manufacturer)},
                    {QStringLiteral("serial"), Text(device.serial)},
                    {QStringLiteral("model"), Text(device.model)},
                    {QStringLiteral("meter_time"), Text(reading.meterTime)},
                    {QStringLiteral("error_flags"), static_cast<qint64>(reading.errorFlags)}};
    for (const Column& column : kColumns) {
      const auto& value = reading[column.quantity];
      if (Present(value)) row.insert(QString::fromLatin1(column.name), *value);
    }
    readings.append(row);
  }
  return QJsonDocument(readings).toJson(QJsonDocument::Indented);
}

}  // namespace

std::optional<int64_t> WriteExportFile(const QString& path, ExportKind kind,
                                       std::span<const DeviceReading> rows) {
  // Written beside the target and renamed at the end: never half a file.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return std::nullopt;
  const QByteArray bytes = kind == ExportKind::kCsv ? Csv(rows) : Json(rows);
  if (file.write(bytes) != bytes.size() || !file.commit()) return std::nullopt;
  return static_cast<int64_t>(rows.size());
}

}  // namespace admintools
