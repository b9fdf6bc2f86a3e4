#pragma once

#include "core/meter_record.h"
#include "screen/screen_texts.h"

class QTableWidget;

namespace devicescreen {

// The readings table: one row per record, in the order the meter sent them.
enum ReadingsColumn { kQuantity, kValue, kUnit, kStorage, kTariff, kSubunit, kColumnCount };

void SetUpReadingsTable(QTableWidget& table, const ScreenTexts& texts);
void ShowReadings(QTableWidget& table, const MeterReading& reading, const ScreenTexts& texts);

}  // namespace devicescreen
