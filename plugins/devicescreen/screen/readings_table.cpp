#include "screen/readings_table.h"

#include <QHeaderView>
#include <QTableWidget>

#include "base/kit/table_style.h"
#include "core/quantity.h"
#include "core/value_format.h"

namespace devicescreen {

namespace {

constexpr int kRowHeight = 24;

QString QuantityText(const MeterRecord& record, const QuantityInfo& info,
                     const ScreenTexts& texts) {
  QString text;
  if (const Phrase* name = QuantityPhrase(info.quantity)) {
    text = texts.Text(*name);
    if (info.quantity == Quantity::PulseWeight) text += QStringLiteral(" %1").arg(info.channel);
  } else {
    text = QString::fromStdString(record.quantity);
  }
  const Phrase* function = nullptr;
  switch (record.function) {
    case KELDAR_BUS_FUNCTION_MAXIMUM:
      function = &phrase::kMaximum;
      break;
    case KELDAR_BUS_FUNCTION_MINIMUM:
      function = &phrase::kMinimum;
      break;
    case KELDAR_BUS_FUNCTION_ERROR:
      function = &phrase::kDuringError;
      break;
    default:
      break;
  }
  if (function != nullptr) text += QStringLiteral(" (%1)").arg(texts.Text(*function));
  return text;
}

}  // namespace

void SetUpReadingsTable(QTableWidget& table, const ScreenTexts& texts) {
  table.setColumnCount(kColumnCount);
  table.setHorizontalHeaderLabels(
      {texts.Text(phrase::kColumnQuantity), texts.Text(phrase::kColumnValue),
       texts.Text(phrase::kColumnUnit), texts.Text(phrase::kColumnStorage),
       texts.Text(phrase::kColumnTariff), texts.Text(phrase::kColumnSubunit)});
  look::StyleListTable(table, kRowHeight);
  auto* header = table.horizontalHeader();
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kQuantity, QHeaderView::Stretch);
}

void ShowReadings(QTableWidget& table, const MeterReading& reading, const ScreenTexts& texts) {
  const NumberStyle style = texts.Style();
  table.setRowCount(0);
  table.setRowCount(static_cast<int>(reading.records.size()));
  int row = 0;
  for (const MeterRecord& record : reading.records) {
    const QuantityInfo info = Classify(record);
    const DisplayValue shown = FormatValue(record, info, style);
    const QString value =
        shown.word != nullptr ? texts.Text(*shown.word) : QString::fromStdString(shown.text);
    const QString unit =
        shown.unit != nullptr ? texts.Text(*shown.unit) : QString::fromStdString(shown.unitText);
    table.setItem(row, kQuantity, look::TableCell(QuantityText(record, info, texts)));
    table.setItem(row, kValue, look::TableCell(value, Qt::AlignRight));
    table.setItem(row, kUnit, look::TableCell(unit));
    table.setItem(row, kStorage, look::TableCell(QString::number(record.storage), Qt::AlignRight));
    table.setItem(row, kTariff, look::TableCell(QString::number(record.tariff), Qt::AlignRight));
    table.setItem(row, kSubunit, look::TableCell(QString::number(record.subunit), Qt::AlignRight));
    ++row;
  }
}

}  // namespace devicescreen
