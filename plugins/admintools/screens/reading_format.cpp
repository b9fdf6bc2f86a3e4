#include "screens/reading_format.h"

#include <QDateTime>
#include <cmath>

namespace admintools::format {
namespace {

struct Display {
  double scale;  // stored value × scale = shown value
  int decimals;
};

Display DisplayOf(Quantity quantity) {
  switch (quantity) {
    case Quantity::kEnergy:
    case Quantity::kPower:
      return {0.001, 3};
    case Quantity::kVolume:
    case Quantity::kFlow:
      return {1.0, 3};
    case Quantity::kSupplyTemperature:
    case Quantity::kReturnTemperature:
    case Quantity::kTemperatureDifference:
    case Quantity::kTemperature:
      return {1.0, 2};
    case Quantity::kOperatingHours:
      return {1.0, 0};
  }
  return {1.0, 3};
}

}  // namespace

QString Value(Quantity quantity, std::optional<double> value) {
  if (!value.has_value() || std::isnan(*value)) return QString::fromUtf8(kNotReported);
  const Display display = DisplayOf(quantity);
  return QString::number(*value * display.scale, 'f', display.decimals);
}

QString ReadTime(int64_t secondsSinceEpoch) {
  return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)
      .toLocalTime()
      .toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString MeterTime(const std::string& isoTime) {
  const QString text = QString::fromUtf8(isoTime.data(), static_cast<qsizetype>(isoTime.size()));
  if (text.isEmpty()) return QString::fromUtf8(kNotReported);
  const QDateTime time = QDateTime::fromString(text, Qt::ISODate);
  if (time.isValid()) return time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
  const QDate date = QDate::fromString(text, Qt::ISODate);
  if (date.isValid()) return date.toString(QStringLiteral("dd.MM.yyyy"));
  return text;
}

QString ErrorFlags(uint32_t flags) {
  if (flags == 0) return QStringLiteral("0");
  return QStringLiteral("0x") + QStringLiteral("%1").arg(flags, 4, 16, QLatin1Char('0')).toUpper();
}

QString DeviceCaption(const Device& device) {
  QString caption = QString::fromStdString(device.manufacturer) + QLatin1Char(' ') +
                    QString::fromStdString(device.serial);
  if (!device.model.empty()) {
    caption += QStringLiteral(" · ") + QString::fromStdString(device.model);
  }
  return caption;
}

}  // namespace admintools::format
