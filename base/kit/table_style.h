#pragma once

class QTableWidget;

namespace look {

// The look of every list the screens show: read-only, whole-row selection,
// single selection, no row numbers, alternating rows without a grid, one line
// a row, captions left-aligned and never highlighted; rows `rowHeight` high.
void StyleListTable(QTableWidget& table, int rowHeight);

}  // namespace look
