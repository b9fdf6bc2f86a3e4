#pragma once

#include <QString>
#include <Qt>

class QTableView;
class QTableWidgetItem;

namespace look {

// The look of every list the screens show: read-only, whole-row selection,
// single selection, no row numbers, alternating rows without a grid, one line
// a row, captions left-aligned and never highlighted; rows `rowHeight` high.
void StyleListTable(QTableView& table, int rowHeight);

// Aligns a cell's text. The alignment is stored as a plain int: a Qt::Alignment
// value would register its type with Qt from the plug-in that made it, and Qt
// keeps that registration after the plug-in is unloaded, so the next plug-in
// to align a cell would read freed memory.
void AlignCell(QTableWidgetItem& item, Qt::Alignment alignment);
// A new cell of `text`, aligned `alignment` and centred vertically.
QTableWidgetItem* TableCell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft);

}  // namespace look
