#include "screen_support.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cstring>

#include "block.h"
#include "widgets.h"

namespace devicescreen::test {

KeldarDeviceRecord HeatDevice(std::uint8_t address) {
  KeldarDeviceRecord device{};
  device.type_word = KELDAR_DEVICE_RECORD_TYPE_WORD;
  device.device_type = 12;
  device.address = address;
  std::strcpy(device.manufacturer, "KRV");
  std::strcpy(device.serial, "41000001");
  std::strcpy(device.model, "TV-7 heat");
  std::strcpy(device.software_version, "2.04");
  return device;
}

std::vector<KeldarBusDataInfoBlock> HeatRecords() {
  return {
      Block(0x04, 0x06).Number(12873000, "Wh"),
      Block(0x04, 0x13).Number(2457.19, "m^3"),
      Block(0x04, 0x2B).Number(14250, "W"),
      Block(0x04, 0x3B).Number(0.612, "m^3/h"),
      Block(0x02, 0x59).Number(70.12, "°C"),
      Block(0x04, 0x6D).Date("2024-05-14T10:20"),
      Block(0x44, 0x06).Number(12011000, "Wh").Storage(1),
  };
}

QString Text(const QWidget& screen, const char* label) {
  return Child<QLabel>(screen, label).text();
}

QTableWidget& Table(const QWidget& screen) { return Child<QTableWidget>(screen, "TableReadings"); }

QWidget& Control(const QWidget& screen, const char* name) { return Child<QWidget>(screen, name); }

int RowOf(const QTableWidget& table, const QString& quantity, int storage) {
  for (int row = 0; row < table.rowCount(); ++row) {
    if (Cell(table, row, 0) == quantity && Cell(table, row, 3) == QString::number(storage))
      return row;
  }
  return -1;
}

QString Cell(const QTableWidget& table, int row, int column) {
  const auto* item = table.item(row, column);
  return item != nullptr ? item->text() : QString();
}

void Click(QWidget& widget) {
  QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.rect().center());
}

}  // namespace devicescreen::test
