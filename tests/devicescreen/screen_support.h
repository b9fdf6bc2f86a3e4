// What the screen tests share: a device record, the heat meter's answer, and
// finding the screen's controls by their names.
#pragma once

#include <QLabel>
#include <QString>
#include <QTableWidget>
#include <QWidget>
#include <ostream>
#include <vector>

#include "keldar/bus_protocol_types.h"
#include "keldar/device_record.h"

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace devicescreen::test {

KeldarDeviceRecord HeatDevice(std::uint8_t address = 253);

// A heat meter's records: current values and one stored at the due date.
std::vector<KeldarBusDataInfoBlock> HeatRecords();

QString Text(const QWidget& screen, const char* label);
QTableWidget& Table(const QWidget& screen);
QWidget& Control(const QWidget& screen, const char* name);
// The row of the table whose quantity is `quantity` and storage `storage`; -1 if none.
int RowOf(const QTableWidget& table, const QString& quantity, int storage = 0);
QString Cell(const QTableWidget& table, int row, int column);

// A left click in the middle of the widget.
void Click(QWidget& widget);

}  // namespace devicescreen::test
