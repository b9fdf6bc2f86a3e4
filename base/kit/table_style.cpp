#include "base/kit/table_style.h"

#include <QHeaderView>
#include <QTableWidget>

namespace look {

void StyleListTable(QTableView& table, int rowHeight) {
  table.verticalHeader()->hide();
  table.verticalHeader()->setDefaultSectionSize(rowHeight);
  table.setSelectionBehavior(QAbstractItemView::SelectRows);
  table.setSelectionMode(QAbstractItemView::SingleSelection);
  table.setEditTriggers(QAbstractItemView::NoEditTriggers);
  table.setAlternatingRowColors(true);
  table.setShowGrid(false);
  table.setWordWrap(false);
  table.horizontalHeader()->setHighlightSections(false);
  table.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void AlignCell(QTableWidgetItem& item, Qt::Alignment alignment) {
  item.setData(Qt::TextAlignmentRole, static_cast<int>(alignment));
}

QTableWidgetItem* TableCell(const QString& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(text);
  AlignCell(*item, alignment | Qt::AlignVCenter);
  return item;
}

}  // namespace look
